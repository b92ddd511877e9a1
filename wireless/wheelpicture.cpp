#include "wireless/wheelpicture.h"

#include "wireless/wheelcatalogue.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <utility>
#include <vector>

namespace {

QString windowText(const char *sourceText) { return QCoreApplication::translate("MW2", sourceText); }

constexpr int kSide = 400;
constexpr int kHighResSide = 800;
constexpr int kShownSide = 300;
constexpr int kHighResShownSide = 600;

// The path as given if such a file exists, else with the first supported picture
// extension that names an existing file (wheels/NAME finds wheels/NAME.png).
QString existingPicturePath(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isFile())
        return path;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString candidate = path + QLatin1Char('.') + QString::fromLatin1(format);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return path;
}

} // namespace

WheelPicture::WheelPicture(QString builtInImagePath) : builtInImagePath_(std::move(builtInImagePath)) {}

WheelPictureSource WheelPicture::chooseSource(const ConnectedWheelPicture *wheel) const
{
    if (wheel) {
        if (!wheel->mappedPath.isEmpty()) {
            qDebug() << "wheel image: mapped image setting found for this wheel";
            // The stored path is shown as it is: it carries its own extension.
            return {wheel->mappedPath, windowText(QT_TRANSLATE_NOOP("MW2", "Showing user-mapped image %1 for this wheel.")).arg(wheel->mappedPath)};
        }
        qDebug() << "wheel image: mapped image setting not found, searching from /wheels";
        // The name comes over the radio: only a plain file name may become part of a path.
        if (isPlainWheelFileName(wheel->reportedName))
            return {wheel->programDir + QStringLiteral("/wheels/") + wheel->reportedName,
                    windowText(QT_TRANSLATE_NOOP("MW2", "Showing: wheels/%1.png (or internal file)")).arg(wheel->reportedName)};
        qDebug() << "wheel image: reported wheel name is not a plain file name; using the default picture";
    }
    return {defaultWheelImagePath_, windowText(QT_TRANSLATE_NOOP("MW2", "Showing: %1 (or internal file)")).arg(defaultWheelImagePath_)};
}

QString WheelPicture::updateWheelImage(const ConnectedWheelPicture *wheel)
{
    return loadWheelImage(chooseSource(wheel));
}

void WheelPicture::loadBuiltIn() { wheelPixmap_.load(builtInImagePath_); }

QString WheelPicture::loadWheelImage(const WheelPictureSource &source)
{
    qDebug().noquote() << "wheel image: attempting to load: " << source.path;
    if (!wheelPixmap_.load(existingPicturePath(source.path))) {
        qDebug() << "wheel image: internal file was loaded due to not found.";
        loadBuiltIn();
    }
    wheelImageHighRes_ = wheelPixmap_.width() == kHighResSide && wheelPixmap_.height() == kHighResSide;
    if (!wheelImageHighRes_ && (wheelPixmap_.width() != kSide || wheelPixmap_.height() != kSide)) {
        qDebug() << "wheel image: internal file was loaded due to wrong resolution.";
        loadBuiltIn();
    }
    wheelImage_ = wheelPixmap_.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return source.toolTipText + QStringLiteral(". ") + windowText(QT_TRANSLATE_NOOP("MW2", "Right click to map wireless wheel image file."));
}

// Turning, cutting and scaling are done in one pass: each shown pixel is traced back through
// the scaling and the turn to the one picture pixel it ends up as, so only the shown pixels
// are computed (a quarter of the work at 45 degrees, which keeps a tick well inside its
// 40 ms). Both steps sample the way Qt's fast transformations do: the scaling takes square
// pixel ceil((x + 0.5) × side / shown) − 1, the turn maps pixel centres through the inverse
// transform in 16.16 fixed point and truncates. The only pixels that can differ from turning
// the whole picture with Qt are on the outline of the turned picture, which is transparent
// in a wheel picture.
QPixmap WheelPicture::updateWheelGraphics(float degrees) const
{
    if (wheelImage_.isNull())
        return QPixmap();
    const int width = wheelImage_.width();
    const int height = wheelImage_.height();
    const int side = wheelImageHighRes_ ? kHighResSide : kSide;
    const int shown = wheelImageHighRes_ ? kHighResShownSide : kShownSide;

    // Qt's y axis points down, so a positive rotation turns clockwise on screen. The turned
    // picture grows to its bounding box, placed at the origin; the square is cut from its middle.
    const QTransform toOrigin = QImage::trueMatrix(QTransform().rotate(degrees), width, height);
    const QRect turned = toOrigin.map(QPolygonF(QRectF(0, 0, width, height))).boundingRect().toAlignedRect();
    const int left = (turned.width() - side) / 2;
    const int top = (turned.height() - side) / 2;

    const QTransform back = toOrigin.inverted();
    const int dudx = int(back.m11() * 65536.0);
    const int dvdx = int(back.m12() * 65536.0);
    const int dudy = int(back.m21() * 65536.0);
    const int dvdy = int(back.m22() * 65536.0);
    const int u0 = int(std::floor((back.m11() * 0.5 + back.m21() * 0.5 + back.dx()) * 65536.0));
    const int v0 = int(std::floor((back.m12() * 0.5 + back.m22() * 0.5 + back.dy()) * 65536.0));

    // Per shown column and row: where it lands in the turned picture, as fixed-point source steps.
    const auto count = std::size_t(shown);
    std::vector<int> columnU(count), columnV(count), rowU(count), rowV(count);
    for (int i = 0; i < shown; ++i) {
        const int inSquare = ((2 * i + 1) * side - 1) / (2 * shown);
        columnU[std::size_t(i)] = (inSquare + left) * dudx;
        columnV[std::size_t(i)] = (inSquare + left) * dvdx;
        rowU[std::size_t(i)] = (inSquare + top) * dudy + u0;
        rowV[std::size_t(i)] = (inSquare + top) * dvdy + v0;
    }

    QImage drawn(shown, shown, QImage::Format_ARGB32_Premultiplied);
    const auto *source = reinterpret_cast<const quint32 *>(wheelImage_.constBits());
    const int sourceStride = wheelImage_.bytesPerLine() / 4;
    for (int y = 0; y < shown; ++y) {
        auto *line = reinterpret_cast<quint32 *>(drawn.scanLine(y));
        const int u = rowU[std::size_t(y)];
        const int v = rowV[std::size_t(y)];
        for (int x = 0; x < shown; ++x) {
            const auto px = unsigned((u + columnU[std::size_t(x)]) >> 16);
            const auto py = unsigned((v + columnV[std::size_t(x)]) >> 16);
            line[x] = px < unsigned(width) && py < unsigned(height) ? source[int(py) * sourceStride + int(px)] : 0u;
        }
    }
    return QPixmap::fromImage(std::move(drawn));
}
