// The reload sequence that follows every successful connection, and the firmware check
// inside it.

#include "session/basesession.h"

#include "device/hid/clock.h"
#include "session/includedfirmware.h"
#include "session/launchmode.h"

#include "settings/profilelistedits.h"

#include <QCoreApplication>
#include <QDebug>

#include <algorithm>
#include <memory>

namespace {

FirmwareVersion reportedFirmwareVersion(const DeviceStatus &status)
{
    return FirmwareVersion{status.firmwareMajor, status.firmwareMinor, status.firmwarePatch};
}
} // namespace

void BaseSession::reloadAfterConnection()
{
    QString error;
    bool ok = runReload(error);
    if (ok && listChangeRecovery_.pending()) {
        const ListChangeRecovery::Outcome outcome = listChangeRecovery_.recover(*this);
        if (outcome == ListChangeRecovery::Outcome::Failed) {
            ok = false;
            error = QStringLiteral("repairing the profile list: ") + link_.lastError();
        } else {
            applier_.setListTorn(false);
        }
        if (outcome != ListChangeRecovery::Outcome::Nothing)
            emit listChangeRecovered(int(outcome));
    }
    emit reloadFinished(ok, error);
}

bool BaseSession::runReload(QString &error)
{
    qDebug() << "reconnected";
    linkclock::sleepMs(500);

    bool valid = false;
    if (!link_.askVeltraneStatusNew(valid)) {
        qDebug() << "disconnection due to status update read failure.";
        link_.markDisconnected();
        linkclock::sleepMs(500);
        error = link_.lastError();
        return false;
    }
    qDebug() << "got a response";
    if (!valid) {
        qDebug() << "wrong response format on first status update -cannot trust packet.";
        link_.markDisconnected();
        linkclock::sleepMs(500);
        error = QStringLiteral("asking for the status: the first reply was not a status report");
        return false;
    }

    linkclock::sleepMs(200);
    if (firmwareCheck() == FirmwareCheck::Stop) {
        qDebug() << "fw update dialog finished, shutting down";
        emit shutdownRequested();
        error = QStringLiteral("the firmware must be changed first");
        return false;
    }
    qDebug() << "checked fw update need";
    firstConnectionDone_ = true;

    if (!readProfiles(profiles_)) {
        clearProfiles();
        qDebug() << "disconnection due to profiledata read failure.";
        linkclock::sleepMs(500);
        error = link_.lastError();
        return false;
    }
    qDebug() << "got profiles";
    linkclock::sleepMs(100);

    if (!link_.getHardwareDataNew()) {
        qDebug() << "disconnection due to hardware settings read failure.";
        linkclock::sleepMs(500);
        error = link_.lastError();
        return false;
    }
    emit hardwareSettingsMayHaveChanged();
    qDebug() << "got hardware settings";
    linkclock::sleepMs(100);

    if (!readAnalogRecords()) {
        qDebug() << "disconnection due to analog axis settings read failure.";
        linkclock::sleepMs(500);
        error = link_.lastError();
        return false;
    }
    qDebug() << "got analog data and settings";
    link_.setCalibratedAnalogMode();
    const int active = link_.status().activeProfile;
    emit activeProfileChanged(active, profileAt(active));
    return true;
}

BaseSession::FirmwareCheck BaseSession::firmwareCheck()
{
    if (firstConnectionDone_) {
        qDebug() << "no need to update";
        return FirmwareCheck::GoOn;
    }
    loadIncludedFirmwareVersion(options_.launchMode, includedFirmwareVersion_);
    const FirmwareVersion device = reportedFirmwareVersion(link_.status());
    const FirmwareUpdatePromptAnswer update =
        shouldShowFirmwareUpdatePrompt(device, includedFirmwareVersion_, options_.launchMode);
    if (!update.firmwareStatus.text.isEmpty())
        firmwareStatus_ = update.firmwareStatus;

    const bool linkUp = link_.connected();
    if (update.showPrompt && linkUp) {
        if (options_.launchMode == LaunchNormal)
            options_.launchMode = LaunchFirmwareTooOld;
        qDebug() << "config tool too old";
        stopPolling();
        emit firmwareUpdateRequired(options_.launchMode);
        QCoreApplication::quit();
        return FirmwareCheck::Stop;
    }
    if (::firmwareTooNew(device, options_.toolVersion) && linkUp) {
        qDebug() << "config tool too new";
        // Nothing may talk to a base whose settings this tool would misread.
        stopPolling();
        emit firmwareTooNew();
        QCoreApplication::quit();
        return FirmwareCheck::Stop;
    }
    qDebug() << "first connection done";
    firstConnectionDone_ = true;
    qDebug() << "no need to update";
    return FirmwareCheck::GoOn;
}

bool BaseSession::readProfiles(ProfileList &into)
{
    const int count = std::min<int>(link_.status().profileCount, profileedits::kAddressableProfiles);
    for (int index = 0; index < count; ++index) {
        auto profile = std::make_unique<profDataNew>();
        if (!link_.getProfileData(std::uint16_t(index), *profile))
            return false;
        into.push_back(std::move(profile));
    }
    linkclock::sleepMs(20);
    return true;
}

bool BaseSession::readAnalogRecords()
{
    for (int index = 0; index < wire::kAnalogRecordCount; ++index) {
        if (!link_.readAnalogRecord(std::uint16_t(index)))
            return false;
        linkclock::sleepMs(5);
    }
    return true;
}
