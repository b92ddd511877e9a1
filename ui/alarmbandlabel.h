#pragma once
// The band above the tabs that names what stops the wheel, for as long as it lasts.

#include "device/wire/devicestatus.h"

#include <QLabel>

class AlarmBandLabel : public QLabel {
    Q_OBJECT

public:
    explicit AlarmBandLabel(QWidget *parent = nullptr);

    // Null while no base is connected; hidden while nothing stops the wheel.
    void showStatus(const wire::DeviceStatus *status);
};
