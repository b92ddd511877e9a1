#pragma once
// A label that shows a square picture turned by an angle. The turned picture is drawn when
// the label paints, not when the angle changes, so a hidden or minimised window turns
// nothing. Over a plain opaque background (the theme gives every label one) the picture is
// laid over that colour once per picture, and each paint copies opaque pixels: the label
// stops the repaint at itself and blends nothing. Elsewhere, and while disabled, it paints
// the turned picture as a QLabel paints a pixmap.

#include <QImage>

#include "common/widgets/readinglabel.h"
#include "common/widgets/turnedsquare.h"

class QPainter;

class TurningPictureLabel : public ReadingLabel {
    Q_OBJECT

public:
    explicit TurningPictureLabel(QWidget *parent = nullptr);

    // `picture` is turned about its centre; its centred `side` square is shown at
    // `shown` × `shown`. A null picture shows nothing.
    void setPicture(const QImage &picture, int side, int shown);
    // Repaints only when the turn can be seen at the shown size.
    void setAngle(float degrees);

    bool hasPicture() const { return !picture_.isNull(); }
    // What the label shows, before any background: the turned picture, transparent outside it.
    QImage turnedPicture();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool mayBeOpaque() const override;

private:
    bool visiblyTurned(float from, float to) const;
    static quint32 *directTarget(QPainter &painter, const QRect &at, const QRegion &painted, qsizetype &stride);

    QImage picture_;  // premultiplied
    int side_ = 0;
    int shown_ = 0;
    float degrees_ = 0.0f;

    QImage laidOver_; // picture_ over laidOverColour_, opaque
    QRgb laidOverColour_ = 0;
    QImage frame_;    // the last turned picture painted, reused
    float frameDegrees_ = 0.0f;
    bool frameOpaque_ = false;
    bool frameValid_ = false;  // what was painted last stands for frameDegrees_
    bool frameHeld_ = false;   // frame_ holds it (not so after a paint straight into the window)
    TurnedSquare turner_;
};
