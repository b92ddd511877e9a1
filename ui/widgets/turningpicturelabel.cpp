#include "ui/widgets/turningpicturelabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TurningPictureLabel::TurningPictureLabel(QWidget *parent) : QLabel(parent) {}

void TurningPictureLabel::setPicture(const QImage &picture, int side, int shown)
{
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    side_ = side;
    shown_ = shown;
    laidOver_ = QImage();
    frameValid_ = false;
    updateOpaque();
    update();
}

void TurningPictureLabel::setAngle(float degrees)
{
    if (frameValid_ && degrees == degrees_)
        return;
    degrees_ = degrees;
    frameValid_ = frameValid_ && frameDegrees_ == degrees;
    update();
}

QImage TurningPictureLabel::turnedPicture()
{
    QImage turned;
    if (!picture_.isNull())
        turner_.draw(picture_, side_, shown_, degrees_, 0u, QImage::Format_ARGB32_Premultiplied, turned);
    return turned;
}

// The colour the label's own background paints, when it is one opaque colour.
bool TurningPictureLabel::plainBackground(QRgb &colour) const
{
    if (!testAttribute(Qt::WA_StyledBackground) && !autoFillBackground())
        return false; // what shows through is the parent's, whatever it is
    const QBrush &brush = palette().brush(backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return false;
    colour = brush.color().rgb();
    return true;
}

void TurningPictureLabel::updateOpaque()
{
    QRgb colour = 0;
    const bool opaque = !picture_.isNull() && isEnabled() && frameWidth() == 0 && plainBackground(colour);
    if (opaque != testAttribute(Qt::WA_OpaquePaintEvent)) {
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        frameValid_ = false;
        update();
    }
}

void TurningPictureLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        updateOpaque();
        break;
    default:
        break;
    }
}

void TurningPictureLabel::paintEvent(QPaintEvent *event)
{
    if (picture_.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QRect target = contentsRect();
    const int margin = this->margin();
    target.adjust(margin, margin, -margin, -margin);
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    QPainter painter(this);

    QRgb colour = 0;
    if (testAttribute(Qt::WA_OpaquePaintEvent) && plainBackground(colour)) {
        if (laidOver_.isNull() || laidOverColour_ != colour) {
            // The same blend the paint would do on every frame, done once per picture.
            laidOver_ = QImage(picture_.size(), QImage::Format_RGB32);
            laidOver_.fill(colour);
            QPainter over(&laidOver_);
            over.drawImage(0, 0, picture_);
            laidOverColour_ = colour;
            frameValid_ = false;
        }
        if (!frameValid_ || !frameOpaque_) {
            turner_.draw(laidOver_, side_, shown_, degrees_, colour, QImage::Format_RGB32, frame_);
            frameDegrees_ = degrees_;
            frameOpaque_ = true;
            frameValid_ = true;
        }
        const QRect at = QStyle::alignedRect(layoutDirection(), align, frame_.size(), target);
        const QRegion around = QRegion(rect()).subtracted(at);
        if (!around.isEmpty()) {
            painter.setClipRegion(around);
            painter.fillRect(rect(), QColor(colour));
            painter.setClipping(false);
        }
        painter.drawImage(at.topLeft(), frame_);
        return;
    }
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        // The background stopped being plain since the last check: paint the way a label does.
        updateOpaque();
        return;
    }

    // As QLabel paints a pixmap, from the turned picture with its transparency.
    if (!frameValid_ || frameOpaque_) {
        turner_.draw(picture_, side_, shown_, degrees_, 0u, QImage::Format_ARGB32_Premultiplied, frame_);
        frameDegrees_ = degrees_;
        frameOpaque_ = false;
        frameValid_ = true;
    }
    drawFrame(&painter);
    QPixmap pixmap = QPixmap::fromImage(frame_);
    QStyleOption option;
    option.initFrom(this);
    if (!isEnabled())
        pixmap = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
    style()->drawItemPixmap(&painter, target, int(align), pixmap);
    // A style sheet gives the background when the label is polished, after it was set up.
    updateOpaque();
}
