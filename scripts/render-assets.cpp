// Renders the SVG sources of the built-in images.
//   render-assets ico <in.svg> <out.ico>
//       a Windows icon holding several sizes: 32-bit DIB entries with an AND mask
//       for the small sizes, PNG for 256 px (as Windows expects)
//   render-assets png <in.svg> <out.png> <size> [#rrggbb]
//       one square PNG; the optional colour replaces the theme orange #e84e0f

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

namespace {

const std::vector<int> iconSizes = {16, 24, 32, 48, 64, 128, 256};

const QByteArray themeOrange = "#e84e0f";

QImage render(QSvgRenderer &svg, int size, int height = 0)
{
    QImage image(size, height > 0 ? height : size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask (1 = transparent).
QByteArray dibEntry(const QImage &image)
{
    const int size = image.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(32)
        << quint32(0) << quint32(size * size * 4 + maskStride * size) << qint32(0) << qint32(0)
        << quint32(0) << quint32(0);
    for (int y = size - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < size; ++x)
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
                << quint8(qAlpha(line[x]));
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

QByteArray pngEntry(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

bool writeFile(const char *path, const QByteArray &data)
{
    QFile file(QString::fromLocal8Bit(path));
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

QByteArray icoFile(QSvgRenderer &svg)
{
    std::vector<QByteArray> entries;
    for (int size : iconSizes) {
        const QImage image = render(svg, size);
        entries.push_back(size >= 256 ? pngEntry(image) : dibEntry(image));
    }

    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(entries.size());
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const int size = iconSizes[i];
        // A size byte of 0 means 256.
        out << quint8(size >= 256 ? 0 : size) << quint8(size >= 256 ? 0 : size) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(entries[i].size()) << offset;
        offset += quint32(entries[i].size());
    }
    for (const QByteArray &entry : entries)
        out.writeRawData(entry.constData(), entry.size());
    return ico;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const bool ico = mode == "ico" && argc == 4;
    const bool png = mode == "png" && (argc == 5 || argc == 6);
    if (!ico && !png) {
        std::fputs("usage: render-assets ico <in.svg> <out.ico>\n"
                   "       render-assets png <in.svg> <out.png> <size>|<width>x<height> [#rrggbb]\n",
                   stderr);
        return 2;
    }

    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    QByteArray text = source.readAll();
    if (png && argc == 6)
        text.replace(themeOrange, QByteArray(argv[5]));
    QSvgRenderer svg(text);
    if (!svg.isValid()) {
        std::fprintf(stderr, "not an SVG image: %s\n", argv[2]);
        return 1;
    }

    if (ico)
        return writeFile(argv[3], icoFile(svg)) ? 0 : 1;
    // "400x160" gives a picture that is not square.
    const QList<QByteArray> size = QByteArray(argv[4]).split('x');
    const int height = size.size() > 1 ? size[1].toInt() : 0;
    return writeFile(argv[3], pngEntry(render(svg, size[0].toInt(), height))) ? 0 : 1;
}
