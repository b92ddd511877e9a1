#include "ui/alarmbandlabel.h"

#include "common/presentation/alarmband.h"

AlarmBandLabel::AlarmBandLabel(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("alarmBand"));
    setStyleSheet(QLatin1String(presentation::kAlarmBandStyle));
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    // One line of fixed height, so an alarm never moves the tabs by more than the band.
    setFixedHeight(fontMetrics().height() * 2);
    setWordWrap(false);
}

void AlarmBandLabel::showStatus(const wire::DeviceStatus *status)
{
    const QString text = presentation::alarmBandText(status);
    setText(text);
    setVisible(!text.isEmpty());
}
