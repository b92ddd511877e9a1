// The reload sequence that follows every successful connection.

#include "mw2.h"

#include "clock.h"
#include "devicecommands.h"
#include "devicelink.h"
#include "statusreport.h"

#include <QDebug>

namespace {
constexpr int kAnalogRecordCount = 21;
} // namespace

void MW2::reloadAfterConnection()
{
    DeviceLink &link = deviceLink();
    qDebug() << "reconnected";
    linkclock::sleepMs(500);

    bool valid = false;
    if (!askVeltraneStatusNew(valid)) {
        qDebug() << "disconnection due to status update read failure.";
        link.connected = false;
        linkclock::sleepMs(500);
        return;
    }
    qDebug() << "got a response";
    if (!valid) {
        qDebug() << "wrong response format on first status update -cannot trust packet.";
        link.connected = false;
        linkclock::sleepMs(500);
        return;
    }

    linkclock::sleepMs(200);
    if (firmwareCheck() == FirmwareCheck::Stop) {
        qDebug() << "fw update dialog finished, shutting down";
        close();
        return;
    }
    qDebug() << "checked fw update need";
    firstConnectionDone_ = true;

    if (!readAllProfiles()) {
        qDebug() << "disconnection due to profiledata read failure.";
        linkclock::sleepMs(500);
        return;
    }
    qDebug() << "got profiles";
    linkclock::sleepMs(100);

    if (!readHardwareSettings()) {
        qDebug() << "disconnection due to hardware settings read failure.";
        linkclock::sleepMs(500);
        return;
    }
    emit hardwareSettingsMayHaveChanged();
    qDebug() << "got hardware settings";
    linkclock::sleepMs(100);

    for (int index = 0; index < kAnalogRecordCount; ++index) {
        if (!readAnalogRecord(index)) {
            qDebug() << "disconnection due to analog axis settings read failure.";
            linkclock::sleepMs(500);
            return;
        }
        linkclock::sleepMs(5);
    }
    qDebug() << "got analog data and settings";
    setCalibratedAnalogMode();
    emit activeProfileChanged(deviceStatus().activeProfile, nullptr);
}

MW2::FirmwareCheck MW2::firmwareCheck()
{
    if (firstConnectionDone_) {
        qDebug() << "no need to update";
        return FirmwareCheck::GoOn;
    }
    qDebug() << "first connection done";
    firstConnectionDone_ = true;
    qDebug() << "no need to update";
    return FirmwareCheck::GoOn;
}

bool MW2::readAllProfiles()
{
    linkclock::sleepMs(20);
    return deviceLink().connected;
}

bool MW2::readHardwareSettings() { return deviceLink().connected; }

bool MW2::readAnalogRecord(int) { return deviceLink().connected; }

void MW2::openFirmwareWizard(int mode)
{
    stopPollingTimers();
    qDebug() << "firmware update wizard requested, mode" << mode;
}

void MW2::clearProfileList() {}
