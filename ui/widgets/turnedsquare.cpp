#include "ui/widgets/turnedsquare.h"

#include <QPolygonF>
#include <QTransform>

#include <cmath>

namespace {

inline void prefetch(const void *address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

} // namespace

// Each shown pixel is traced back through the scaling and the turn to the one picture pixel it
// ends up as, so only the shown pixels are computed. Both steps sample the way Qt's fast
// transformations do: the scaling takes square pixel ceil((x + 0.5) × side / shown) − 1, the
// turn maps pixel centres through the inverse transform in 16.16 fixed point and truncates.
// The only pixels that can differ from turning the whole picture with Qt are on the outline
// of the turned picture, which is transparent in a wheel picture.
void TurnedSquare::draw(const QImage &picture, int side, int shown, float degrees, QRgb outside,
                        QImage::Format format, QImage &target)
{
    if (target.size() != QSize(shown, shown) || target.format() != format)
        target = QImage(shown, shown, format);
    if (picture.isNull() || shown <= 0)
        return;
    draw(picture, side, shown, degrees, outside, reinterpret_cast<quint32 *>(target.bits()),
         target.bytesPerLine() / 4);
}

void TurnedSquare::draw(const QImage &picture, int side, int shown, float degrees, QRgb outside, quint32 *target,
                        qsizetype stride)
{
    if (picture.isNull() || shown <= 0)
        return;
    const int width = picture.width();
    const int height = picture.height();

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
    columnU_.resize(count);
    columnV_.resize(count);
    rowU_.resize(count);
    rowV_.resize(count);
    for (int i = 0; i < shown; ++i) {
        const int inSquare = ((2 * i + 1) * side - 1) / (2 * shown);
        columnU_[std::size_t(i)] = (inSquare + left) * dudx;
        columnV_[std::size_t(i)] = (inSquare + left) * dvdx;
        rowU_[std::size_t(i)] = (inSquare + top) * dudy + u0;
        rowV_[std::size_t(i)] = (inSquare + top) * dvdy + v0;
    }

    const auto *source = reinterpret_cast<const quint32 *>(picture.constBits());
    const int sourceStride = picture.bytesPerLine() / 4;
    const int *columnU = columnU_.data();
    const int *columnV = columnV_.data();
    // A turned row reads the picture along a slanted line, a pattern the processor does not
    // foresee; at 25 frames a second the picture has left the cache between frames. Asking
    // for the lines a row a few rows on will read, while this one is sampled, more than
    // halves the time a frame waits for memory.
    constexpr int kRowsAhead = 6;
    constexpr int kColumnsPerLine = 4; // 16-byte steps: no 64-byte line is skipped at any turn
    for (int y = 0; y < shown; ++y) {
        quint32 *line = target + y * stride;
        const int u = rowU_[std::size_t(y)];
        const int v = rowV_[std::size_t(y)];
        if (y + kRowsAhead < shown) {
            const int aheadU = rowU_[std::size_t(y + kRowsAhead)];
            const int aheadV = rowV_[std::size_t(y + kRowsAhead)];
            for (int x = 0; x < shown; x += kColumnsPerLine) {
                const auto px = unsigned((aheadU + columnU[x]) >> 16);
                const auto py = unsigned((aheadV + columnV[x]) >> 16);
                if (px < unsigned(width) && py < unsigned(height))
                    prefetch(source + int(py) * sourceStride + int(px));
            }
        }
        for (int x = 0; x < shown; ++x) {
            const auto px = unsigned((u + columnU[x]) >> 16);
            const auto py = unsigned((v + columnV[x]) >> 16);
            line[x] = px < unsigned(width) && py < unsigned(height) ? source[int(py) * sourceStride + int(px)] : outside;
        }
    }
}
