#include "common/widgets/levelbar.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

LevelBar::LevelBar(QWidget *parent) : QProgressBar(parent) {}

int LevelBar::percentText(int value) const
{
    const qint64 range = qint64(maximum()) - minimum();
    return range <= 0 ? 0 : int((qint64(value) - minimum()) * 100 / range);
}

int LevelBar::filledPixels(int value) const
{
    const qint64 range = qint64(maximum()) - minimum();
    if (range <= 0)
        return 0;
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
    const int length = orientation() == Qt::Horizontal ? contents.width() : contents.height();
    return int((qint64(value) - minimum()) * length / range);
}

bool LevelBar::changesPicture(int value) const
{
    if (!painted_)
        return true;
    if (value == paintedValue_)
        return false;
    if (isTextVisible() && format().contains(QLatin1String("%v")))
        return true;
    return (isTextVisible() && percentText(value) != percentText(paintedValue_))
        || filledPixels(value) != filledPixels(paintedValue_);
}

void LevelBar::showLevel(int value)
{
    if (value == this->value())
        return;
    const bool visible = changesPicture(value);
    // QProgressBar repaints at once inside setValue; with updates off for that moment the
    // value is taken without painting, and the repaint, if any, waits for the event loop.
    const bool wasDisabled = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setValue(value);
    setAttribute(Qt::WA_UpdatesDisabled, wasDisabled);
    if (visible)
        update();
}

// Whether the style paints every pixel of the bar opaque, so nothing behind it needs painting
// first. Drawn once into a transparent image, the way the bar paints itself.
bool LevelBar::coversItsRect() const
{
    if (width() <= 0 || height() <= 0)
        return false;
    QImage probe(size(), QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    {
        QPainter painter(&probe);
        QStyleOptionProgressBar option;
        initStyleOption(&option);
        style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    }
    for (int y = 0; y < probe.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(probe.constScanLine(y));
        for (int x = 0; x < probe.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

bool LevelBar::event(QEvent *event)
{
    switch (event->type()) {
    // A style sheet sets or clears the opaque flag when it polishes the bar; the bar decides.
    case QEvent::Polish:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::Resize:
        opacityKnown_ = false;
        break;
    default:
        break;
    }
    return QProgressBar::event(event);
}

void LevelBar::paintEvent(QPaintEvent *event)
{
    paintedValue_ = value();
    painted_ = true;
    QProgressBar::paintEvent(event);
    if (!opacityKnown_) {
        // From the next paint on, a repaint of the bar stops at the bar when it can.
        setAttribute(Qt::WA_OpaquePaintEvent, coversItsRect());
        opacityKnown_ = true;
    }
}
