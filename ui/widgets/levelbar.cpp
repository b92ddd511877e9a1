#include "ui/widgets/levelbar.h"

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

void LevelBar::paintEvent(QPaintEvent *event)
{
    paintedValue_ = value();
    painted_ = true;
    QProgressBar::paintEvent(event);
}
