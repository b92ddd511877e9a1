#include "ui/widgets/buttonrowlabel.h"

#include <QPainter>

#include <algorithm>

namespace {
const QChar kLit(0x25CF);
const QChar kDark(0x25CB);
} // namespace

ButtonRowLabel::ButtonRowLabel(QWidget *parent) : QLabel(parent) {}

void ButtonRowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QString symbols = text();
    if (symbols.isEmpty())
        return;

    // Where the font draws each glyph, relative to its pen position on the baseline.
    const QFontMetricsF metrics(font());
    const QRectF litShape = metrics.boundingRect(kLit);
    const QRectF darkShape = metrics.boundingRect(kDark);
    const qreal darkAdvance = metrics.horizontalAdvance(kDark);
    const qreal litAdvance = metrics.horizontalAdvance(kLit);

    const QRectF area = contentsRect();
    const qreal baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    const QColor colour = palette().color(foregroundRole());
    const qreal stroke = std::max<qreal>(1.0, darkShape.width() / 12.0);

    painter.setRenderHint(QPainter::Antialiasing);
    qreal x = area.left();
    for (const QChar symbol : symbols) {
        const bool lit = symbol == kLit;
        const QRectF shape = (lit ? litShape : darkShape).translated(x, baseline);
        if (lit) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(shape);
        } else {
            painter.setPen(QPen(colour, stroke));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(shape.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));
        }
        x += lit ? litAdvance : darkAdvance;
    }
}
