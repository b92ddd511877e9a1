// Reading the base's records again after it reloaded its saved settings: the same reads as
// the reload after a connection, without the firmware check and the mode change.

#include "session/basesession.h"

#include "device/hid/clock.h"

#include <QDebug>

#include <memory>

bool BaseSession::rereadRecords(QString &error)
{
    bool valid = false;
    if (!link_.askVeltraneStatusNew(valid) || !valid) {
        error = valid ? link_.lastError() : QStringLiteral("asking for the status: the reply was not a status report");
        return false;
    }
    // Read into a list of our own first: a failure half-way must not leave a mix.
    ProfileList fresh;
    if (!readProfiles(fresh)) {
        error = link_.lastError();
        return false;
    }
    // Records that stay keep their address: open views may hold them.
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (i < profiles_.size())
            *profiles_[i] = *fresh[i];
        else
            profiles_.push_back(std::move(fresh[i]));
    }
    profiles_.resize(fresh.size());
    qDebug() << "got profiles";
    linkclock::sleepMs(100);

    if (!link_.getHardwareDataNew()) {
        error = link_.lastError();
        return false;
    }
    emit hardwareSettingsMayHaveChanged();
    qDebug() << "got hardware settings";
    linkclock::sleepMs(100);

    if (!readAnalogRecords()) {
        error = link_.lastError();
        return false;
    }
    qDebug() << "got analog data and settings";
    announceActiveProfile();
    return true;
}
