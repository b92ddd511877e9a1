#include "common/widgets/warningnotelabel.h"

#include <QEvent>
#include <QIcon>
#include <QPainter>

namespace {
constexpr int kSignGap = 6;
} // namespace

WarningNoteLabel::WarningNoteLabel(QWidget *parent) : QLabel(parent) { reserveSignSpace(); }

int WarningNoteLabel::signSide() const { return fontMetrics().height() + 4; }

// The space stays reserved while the note is empty, so the layout does not jump.
void WarningNoteLabel::reserveSignSpace() { setContentsMargins(signSide() + kSignGap, 0, 0, 0); }

QRect WarningNoteLabel::signRect() const
{
    if (text().isEmpty())
        return {};
    const int side = signSide();
    return QRect(0, (height() - side) / 2, side, side);
}

void WarningNoteLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    const QRect sign = signRect();
    if (sign.isEmpty())
        return;
    QPainter painter(this);
    QIcon(QLatin1String(signResource())).paint(&painter, sign);
}

void WarningNoteLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        reserveSignSpace();
    QLabel::changeEvent(event);
}
