#include "common/widgets/turnedsquare.h"

#include <QPolygonF>
#include <QTransform>

#include <cmath>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#endif

namespace {

inline void prefetch(const void *address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// One shown row: pixel x comes from the picture at ((u + columnU[x]) >> 16, (v + columnV[x]) >> 16),
// or is `outside` where that falls off the picture.
struct RowSampling {
    const quint32 *source;
    int sourceStride;
    int width;
    int height;
    const int *columnU;
    const int *columnV;
    quint32 outside;
};

void sampleRow(const RowSampling &s, int u, int v, int from, int to, quint32 *line)
{
    for (int x = from; x < to; ++x) {
        const auto px = unsigned((u + s.columnU[x]) >> 16);
        const auto py = unsigned((v + s.columnV[x]) >> 16);
        line[x] = px < unsigned(s.width) && py < unsigned(s.height) ? s.source[int(py) * s.sourceStride + int(px)]
                                                                     : s.outside;
    }
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VT2_GATHER_SAMPLING 1

bool canGather() { return __builtin_cpu_supports("avx2"); }

// The same arithmetic on eight pixels at once; the picture is read with one masked gather,
// so pixels off the picture read nothing and keep `outside`.
__attribute__((target("avx2"))) void sampleRowGathered(const RowSampling &s, int u, int v, int shown, quint32 *line)
{
    const __m256i uu = _mm256_set1_epi32(u);
    const __m256i vv = _mm256_set1_epi32(v);
    const __m256i width = _mm256_set1_epi32(s.width);
    const __m256i height = _mm256_set1_epi32(s.height);
    const __m256i stride = _mm256_set1_epi32(s.sourceStride);
    const __m256i below = _mm256_set1_epi32(-1);
    const __m256i outside = _mm256_set1_epi32(int(s.outside));
    int x = 0;
    for (; x + 8 <= shown; x += 8) {
        const __m256i px = _mm256_srai_epi32(
            _mm256_add_epi32(uu, _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s.columnU + x))), 16);
        const __m256i py = _mm256_srai_epi32(
            _mm256_add_epi32(vv, _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s.columnV + x))), 16);
        const __m256i inside = _mm256_and_si256(
            _mm256_and_si256(_mm256_cmpgt_epi32(px, below), _mm256_cmpgt_epi32(width, px)),
            _mm256_and_si256(_mm256_cmpgt_epi32(py, below), _mm256_cmpgt_epi32(height, py)));
        const __m256i at = _mm256_add_epi32(_mm256_mullo_epi32(py, stride), px);
        const __m256i pixels =
            _mm256_mask_i32gather_epi32(outside, reinterpret_cast<const int *>(s.source), at, inside, 4);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(line + x), pixels);
    }
    sampleRow(s, u, v, x, shown, line);
}
#endif

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

    const RowSampling sampling{reinterpret_cast<const quint32 *>(picture.constBits()),
                               int(picture.bytesPerLine() / 4),
                               width,
                               height,
                               columnU_.data(),
                               columnV_.data(),
                               outside};
#ifdef VT2_GATHER_SAMPLING
    const bool gather = sampling_ == Sampling::Fastest && canGather();
#endif
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
                const auto px = unsigned((aheadU + sampling.columnU[x]) >> 16);
                const auto py = unsigned((aheadV + sampling.columnV[x]) >> 16);
                if (px < unsigned(width) && py < unsigned(height))
                    prefetch(sampling.source + int(py) * sampling.sourceStride + int(px));
            }
        }
#ifdef VT2_GATHER_SAMPLING
        if (gather) {
            sampleRowGathered(sampling, u, v, shown, line);
            continue;
        }
#endif
        sampleRow(sampling, u, v, 0, shown, line);
    }
}
