#pragma once
// A square picture turned about its centre, the centred square cut out of the turned
// picture and scaled, all in one pass over the shown pixels with nearest-pixel sampling
// (the way Qt's fast transformations sample). The tables and the target are reused between
// draws, so a draw at the wheel's 25 frames a second allocates nothing.

#include <QImage>
#include <QRgb>

#include <vector>

class TurnedSquare {
public:
    // How the shown pixels are sampled: eight at a time where the processor can gather them
    // (the result is the same, bit for bit), or one at a time.
    enum class Sampling { Fastest, OneByOne };

    // `picture` holds 32-bit pixels (ARGB32_Premultiplied or RGB32); it is turned clockwise by
    // `degrees`, the centred `side` square of the turned picture is scaled to `shown` × `shown`
    // into `target` (made `shown` × `shown` of `format` when it is not already). Shown pixels
    // that fall outside the turned picture get `outside`.
    void draw(const QImage &picture, int side, int shown, float degrees, QRgb outside, QImage::Format format,
              QImage &target);
    // The same into `shown` rows of 32-bit pixels `stride` pixels apart, starting at `target`
    // (for a target in the format of `picture`).
    void draw(const QImage &picture, int side, int shown, float degrees, QRgb outside, quint32 *target,
              qsizetype stride);

    void setSampling(Sampling sampling) { sampling_ = sampling; }

private:
    Sampling sampling_ = Sampling::Fastest;
    std::vector<int> columnU_, columnV_, rowU_, rowV_;
};
