#include "common/widgets/turningpicturelabel.h"

#include "common/widgets/readinglabel.h"

#include <QEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cmath>

TurningPictureLabel::TurningPictureLabel(QWidget *parent) : ReadingLabel(parent) {}

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
    if (frameValid_ && !visiblyTurned(frameDegrees_, degrees))
        return; // the painted picture still stands for this angle
    frameValid_ = frameValid_ && frameDegrees_ == degrees;
    update();
}

// A turn shows once a corner of the shown square, the point farthest from the centre,
// moves by half a pixel; a smaller turn moves nothing in the picture by as much.
bool TurningPictureLabel::visiblyTurned(float from, float to) const
{
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    const double farthest = shown_ * 0.70710678118654752; // half the diagonal
    return std::fabs(double(to) - double(from)) * kRadiansPerDegree * farthest >= 0.5;
}

QImage TurningPictureLabel::turnedPicture()
{
    QImage turned;
    if (!picture_.isNull())
        turner_.draw(picture_, side_, shown_, degrees_, 0u, QImage::Format_ARGB32_Premultiplied, turned);
    return turned;
}

// Without a picture it paints as a QLabel; disabled, the picture is dimmed by the style and
// blended as a pixmap.
bool TurningPictureLabel::mayBeOpaque() const { return !picture_.isNull() && isEnabled(); }

// Where a paint of `at` can go straight into the image the painter paints on: the window's
// backing store, painted at a whole-pixel offset, the paint covering all of `at` (so nothing
// drawn above it is overwritten) and the image unshared. Null otherwise, as for a grab or a
// scaled screen, and the picture is painted through a frame of its own.
quint32 *TurningPictureLabel::directTarget(QPainter &painter, const QRect &at, const QRegion &painted,
                                           qsizetype &stride)
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto *image = static_cast<QImage *>(engine->paintDevice());
    if ((image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        || image->devicePixelRatio() != 1.0 || !image->isDetached())
        return nullptr;
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::floor(toDevice.dx())
        || toDevice.dy() != std::floor(toDevice.dy()))
        return nullptr;
    if (!QRegion(at).subtracted(painted).isEmpty())
        return nullptr;
    const QRect onDevice = at.translated(int(toDevice.dx()), int(toDevice.dy()));
    if (!image->rect().contains(onDevice))
        return nullptr;
    stride = image->bytesPerLine() / 4;
    return reinterpret_cast<quint32 *>(image->scanLine(onDevice.top())) + onDevice.left();
}

void TurningPictureLabel::paintEvent(QPaintEvent *event)
{
    if (picture_.isNull()) {
        ReadingLabel::paintEvent(event);
        return;
    }
    QRect target = contentsRect();
    const int margin = this->margin();
    target.adjust(margin, margin, -margin, -margin);
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    QPainter painter(this);

    QRgb colour = 0;
    if (testAttribute(Qt::WA_OpaquePaintEvent) && paintsPlainBackground(this, colour)) {
        if (laidOver_.isNull() || laidOverColour_ != colour) {
            // The same blend the paint would do on every frame, done once per picture.
            laidOver_ = QImage(picture_.size(), QImage::Format_RGB32);
            laidOver_.fill(colour);
            QPainter over(&laidOver_);
            over.drawImage(0, 0, picture_);
            laidOverColour_ = colour;
            frameValid_ = false;
        }
        const QRect at = QStyle::alignedRect(layoutDirection(), align, QSize(shown_, shown_), target);
        const QRegion around = QRegion(rect()).subtracted(at);
        if (!around.isEmpty()) {
            painter.setClipRegion(around);
            painter.fillRect(rect(), QColor(colour));
            painter.setClipping(false);
        }
        qsizetype stride = 0;
        if (quint32 *direct = directTarget(painter, at, event->region(), stride)) {
            // Turned straight into the window's image: no frame of our own to fill and copy.
            turner_.draw(laidOver_, side_, shown_, degrees_, colour, direct, stride);
            frameDegrees_ = degrees_;
            frameOpaque_ = true;
            frameValid_ = true;
            frameHeld_ = false;
            return;
        }
        if (!frameValid_ || !frameOpaque_ || !frameHeld_) {
            turner_.draw(laidOver_, side_, shown_, degrees_, colour, QImage::Format_RGB32, frame_);
            frameDegrees_ = degrees_;
            frameOpaque_ = true;
            frameValid_ = true;
            frameHeld_ = true;
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
    if (!frameValid_ || frameOpaque_ || !frameHeld_) {
        turner_.draw(picture_, side_, shown_, degrees_, 0u, QImage::Format_ARGB32_Premultiplied, frame_);
        frameDegrees_ = degrees_;
        frameOpaque_ = false;
        frameValid_ = true;
        frameHeld_ = true;
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
