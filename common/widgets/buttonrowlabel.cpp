#include "common/widgets/buttonrowlabel.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QChar kLit(0x25CF);
const QChar kDark(0x25CB);
} // namespace

// Where the font draws each glyph, relative to its pen position on the baseline.
struct ButtonRowLabel::Metrics {
    QRectF litShape;
    QRectF darkShape;
    qreal litAdvance;
    qreal darkAdvance;
    qreal baseline;
    qreal left;
};

ButtonRowLabel::ButtonRowLabel(QWidget *parent) : ReadingLabel(parent) {}

ButtonRowLabel::Metrics ButtonRowLabel::metrics() const
{
    const QFontMetricsF font(this->font());
    const QRectF area = contentsRect();
    return {font.boundingRect(kLit),
            font.boundingRect(kDark),
            font.horizontalAdvance(kLit),
            font.horizontalAdvance(kDark),
            area.top() + (area.height() - font.height()) / 2 + font.ascent(),
            area.left()};
}

void ButtonRowLabel::showSymbols(const QString &symbols)
{
    const QString before = text();
    if (symbols == before)
        return;
    // QLabel would repaint the whole row; the circles that changed are enough.
    const bool wasDisabled = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(symbols);
    setAttribute(Qt::WA_UpdatesDisabled, wasDisabled);

    const int common = int(std::min(before.size(), symbols.size()));
    int first = 0;
    while (first < common && before[first] == symbols[first])
        ++first;
    const Metrics m = metrics();
    // Circles of both kinds advance alike in most fonts; otherwise everything after the
    // first change moves.
    int last = int(std::max(before.size(), symbols.size())) - 1;
    if (m.litAdvance == m.darkAdvance && before.size() == symbols.size()) {
        while (last > first && before[last] == symbols[last])
            --last;
    }
    qreal x = m.left;
    for (int i = 0; i < first; ++i)
        x += symbols[i] == kLit ? m.litAdvance : m.darkAdvance;
    qreal right = x;
    for (int i = first; i <= last; ++i)
        right += i < symbols.size() && symbols[i] == kLit ? m.litAdvance : m.darkAdvance;
    const QRectF shapes = m.litShape.united(m.darkShape);
    // Antialiased edges reach a pixel beyond the shapes.
    const int from = int(std::floor(x + std::min<qreal>(0, shapes.left()))) - 1;
    const int to = int(std::ceil(right + std::max<qreal>(0, shapes.right() - std::min(m.litAdvance, m.darkAdvance)))) + 1;
    if (last == int(symbols.size()) - 1 || symbols.size() != before.size())
        update(QRect(from, 0, width() - from, height()));
    else
        update(QRect(from, 0, to - from, height()));
}

void ButtonRowLabel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintOwnBackground(painter);
    drawFrame(&painter);
    const QString symbols = text();
    if (symbols.isEmpty())
        return;

    const Metrics m = metrics();
    const QColor colour = palette().color(foregroundRole());
    const qreal stroke = std::max<qreal>(1.0, m.darkShape.width() / 12.0);
    const QRect dirty = event->rect();

    painter.setRenderHint(QPainter::Antialiasing);
    qreal x = m.left;
    for (const QChar symbol : symbols) {
        const bool lit = symbol == kLit;
        const QRectF shape = (lit ? m.litShape : m.darkShape).translated(x, m.baseline);
        x += lit ? m.litAdvance : m.darkAdvance;
        if (!shape.toAlignedRect().adjusted(-1, -1, 1, 1).intersects(dirty))
            continue;
        if (lit) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(shape);
        } else {
            painter.setPen(QPen(colour, stroke));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(shape.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));
        }
    }
    painter.end();
    updateOpaque();
}
