#include "common/widgets/readinglabel.h"

#include <QEvent>
#include <QPainter>
#include <QPicture>
#include <QStyle>
#include <QStyleOption>

bool paintsPlainBackground(const QWidget *widget, QRgb &colour)
{
    if (!widget->testAttribute(Qt::WA_StyledBackground) && !widget->autoFillBackground())
        return false; // what shows through is the parent's, whatever it is
    const QBrush &brush = widget->palette().brush(widget->backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return false;
    colour = brush.color().rgb();
    return true;
}

ReadingLabel::ReadingLabel(QWidget *parent) : QLabel(parent)
{
    // Readings come from the base: never markup.
    setTextFormat(Qt::PlainText);
}

bool ReadingLabel::drawsTextItself() const
{
    return textFormat() == Qt::PlainText && !wordWrap() && margin() == 0 && indent() <= 0 && !buddy()
        && !(textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard))
        && pixmap(Qt::ReturnByValue).isNull() && !movie() && picture(Qt::ReturnByValue).isNull();
}

void ReadingLabel::updateOpaque()
{
    QRgb colour = 0;
    // A frame could leave corners unpainted; such a label stays see-through.
    const bool opaque = mayBeOpaque() && frameWidth() == 0 && paintsPlainBackground(this, colour);
    if (opaque != testAttribute(Qt::WA_OpaquePaintEvent)) {
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        update();
    }
}

void ReadingLabel::changeEvent(QEvent *event)
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

bool ReadingLabel::paintOwnBackground(QPainter &painter)
{
    if (!testAttribute(Qt::WA_OpaquePaintEvent))
        return false;
    QRgb colour = 0;
    if (!paintsPlainBackground(this, colour)) {
        // The background stopped being plain since the last check; the next paint is Qt's.
        updateOpaque();
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        return true;
    }
    if (testAttribute(Qt::WA_StyledBackground)) {
        // Exactly what Qt paints behind a styled widget.
        QStyleOption option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    } else {
        painter.fillRect(rect(), QColor(colour));
    }
    return true;
}

void ReadingLabel::paintEvent(QPaintEvent *event)
{
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        QPainter painter(this);
        paintOwnBackground(painter);
        if (drawsTextItself()) {
            // What QLabel hands the style for plain text, and what the style then draws.
            QStyleOption option;
            option.initFrom(this);
            const QString shown = text();
            const Qt::LayoutDirection direction = shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
            const int flags = int(QStyle::visualAlignment(direction, alignment()))
                | (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
            painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
            painter.drawText(contentsRect(), flags, shown);
            updateOpaque();
            return;
        }
    }
    QLabel::paintEvent(event);
    updateOpaque();
}
