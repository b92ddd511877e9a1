// The reload sequence that follows every successful connection.

#include "mw2.h"

#include "clock.h"
#include "devicecommands.h"
#include "devicelink.h"
#include "firmwarepolicy.h"
#include "includedfirmware.h"
#include "launchmode.h"
#include "profilelist.h"
#include "settingstransfer.h"
#include "statusreport.h"
#include "theme.h"
#include "toonewfirmwareprompt.h"
#include "userprompts.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <QDebug>
#include <QDialog>

namespace {
constexpr int kAnalogRecordCount = 21;
// The profile index travels as one byte: a larger count would read profiles 0.. again.
constexpr int kAddressableProfiles = 256;

FirmwareVersion reportedFirmwareVersion(const DeviceStatus &status)
{
    return FirmwareVersion{status.firmwareMajor, status.firmwareMinor, status.firmwarePatch};
}
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
    const int active = deviceStatus().activeProfile;
    ProfileList &profiles = profileList();
    emit activeProfileChanged(active, active < int(profiles.size()) ? profiles[std::size_t(active)].get()
                                                                     : nullptr);
}

MW2::FirmwareCheck MW2::firmwareCheck()
{
    if (firstConnectionDone_) {
        qDebug() << "no need to update";
        return FirmwareCheck::GoOn;
    }
    loadIncludedFirmwareVersion(launchMode_, includedFirmwareVersion_);
    const FirmwareVersion device = reportedFirmwareVersion(deviceStatus());
    const FirmwareUpdatePromptAnswer update =
        shouldShowFirmwareUpdatePrompt(device, includedFirmwareVersion_, launchMode_);
    if (!update.firmwareStatus.text.isEmpty())
        firmwareStatus_ = {update.firmwareStatus.text, applyThemeColours(update.firmwareStatus.styleSheet)};

    const bool linkUp = deviceLink().connected;
    if (update.showPrompt && linkUp) {
        if (launchMode_ == LaunchNormal)
            launchMode_ = LaunchFirmwareTooOld;
        qDebug() << "config tool too old";
        openFirmwareWizard(launchMode_);
        QCoreApplication::quit();
        return FirmwareCheck::Stop;
    }
    if (firmwareTooNew(device, versionNumber_) && linkUp) {
        qDebug() << "config tool too new";
        // Nothing may talk to a base whose settings this tool would misread.
        stopPollingTimers();
        auto *prompt = new toonewfirmwareprompt(this);
        prompt->setAttribute(Qt::WA_DeleteOnClose);
        userPrompts().exec(prompt);
        QCoreApplication::quit();
        return FirmwareCheck::Stop;
    }
    qDebug() << "first connection done";
    firstConnectionDone_ = true;
    qDebug() << "no need to update";
    return FirmwareCheck::GoOn;
}

bool MW2::readAllProfiles()
{
    ProfileList &profiles = profileList();
    const int count = std::min<int>(deviceStatus().profileCount, kAddressableProfiles);
    for (int index = 0; index < count; ++index) {
        auto profile = std::make_unique<profDataNew>();
        if (!getProfileData(std::uint16_t(index), *profile)) {
            ::clearProfileList();
            return false;
        }
        profiles.push_back(std::move(profile));
    }
    linkclock::sleepMs(20);
    return true;
}

bool MW2::readHardwareSettings() { return getHardwareDataNew(); }

bool MW2::readAnalogRecord(int index)
{
    return getAnalogDataNew(std::uint16_t(index), analogSettings()[std::size_t(index)]);
}

void MW2::openFirmwareWizard(int mode)
{
    stopPollingTimers();
    qDebug() << "firmware update wizard requested, mode" << mode;
}

void MW2::clearProfileList() { ::clearProfileList(); }

