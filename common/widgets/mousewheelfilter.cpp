#include "common/widgets/mousewheelfilter.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace {
// Scroll bars are sliders too, but they are how the wheel scrolls the page: left alone.
bool isValueControl(const QObject *object)
{
    if (qobject_cast<const QScrollBar *>(object))
        return false;
    return qobject_cast<const QAbstractSlider *>(object) || qobject_cast<const QComboBox *>(object)
        || qobject_cast<const QAbstractSpinBox *>(object);
}
} // namespace

MousewheelFilter::MousewheelFilter(QObject *parent) : QObject(parent) {}

void MousewheelFilter::installOn(QWidget *root)
{
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (!isValueControl(widget))
            continue;
        // A control that took focus from the wheel would let that same wheel event through.
        if (widget->focusPolicy() == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
        widget->installEventFilter(this);
    }
}

bool MousewheelFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (enabled_ && event->type() == QEvent::Wheel && isValueControl(watched)
        && !static_cast<QWidget *>(watched)->hasFocus()) {
        // Left unaccepted, so the application hands the wheel on to the parent (the scroll area).
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
