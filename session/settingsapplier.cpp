#include "session/settingsapplier.h"

#include "session/basesession.h"
#include "device/linkreservation.h"
#include "session/hardwareedits.h"
#include "settings/profileimportexport.h"
#include "session/safetycheck.h"

#include <QCoreApplication>
#include <QDebug>

using namespace editing;

SettingsApplier::SettingsApplier(BaseSession &session)
    : QObject(&session), session_(session),
      automaticBackupPath_(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                           + QLatin1String(profiles::kBackupFileName))
{
    autoApplyTimer_.setObjectName(QStringLiteral("autoApplyTimer"));
    connect(&autoApplyTimer_, &QTimer::timeout, this, &SettingsApplier::autoApplySettings);
}

void SettingsApplier::setSaveEnabled(bool enabled)
{
    saveEnabled_ = enabled;
    emit saveEnabledChanged(enabled);
}

bool SettingsApplier::exportProfiles(const QString &path) const
{
    // Without a loaded list there is nothing to write, and a backup must not be emptied.
    if (path.isEmpty() || session_.profiles().empty())
        return false;
    return profiles::ImportExport::forModel(session_.link().modelIndex)
        .exportFile(path, session_.status().profileCount, session_.profiles());
}

void SettingsApplier::autoApplySettings()
{
    DeviceLink &link = session_.link();
    if (!link.connected) {
        emit disconnectedAtApply();
        return;
    }
    if (!settingsChanged_) {
        // While the base writes or reloads its flash, its last status (unsaved bit
        // included) is out of date and another save would only queue behind this one.
        setSaveEnabled(link.status.hasFlag(wire::Unsaved) && !linkReserved(link));
        emit unsafeToApplyChanged(false);
        return;
    }
    // The link is reserved (flash write, drive procedure): the edits wait for the next tick.
    if (linkReserved(link))
        return;
    profDataNew *active = session_.editedProfile();
    if (!active)
        return;

    unsafeToApply_ = false;
    qDebug() << "settings are changed, need to apply to Veltrane. Checking safety limits";
    const SafetyCheck check =
        checkApplySafety((*active)[ProfileParameterId::steeringrange], link.wheelSample.position,
                         (*active)[ProfileParameterId::bumbstoprange],
                         hardwareWord(link.hardwareSettings, BumpStopRampRangeId));
    qDebug() << "bumbstop location is:" << check.bumpStopLocation;
    qDebug() << "axis range:" << check.range;
    qDebug() << "currentangle steering angle:" << check.angle;
    if (check.unsafe()) {
        qDebug() << (check.verdict == ApplySafety::NearPositiveEnd ? "result: unsafe to apply (case 1)."
                                                                   : "result: unsafe to apply (case 2).");
        // Nothing is sent; the edits stay pending and the check repeats on the next tick.
        unsafeToApply_ = true;
        emit unsafeToApplyChanged(true);
        setSaveEnabled(false);
        return;
    }
    emit unsafeToApplyChanged(false);

    const int activeIndex = session_.editedProfileIndex();
    const bool activeWasChanged = active->changed != 0;
    settingsChanged_ = false;
    setSaveEnabled(true);
    bool ok = link.setHardwareData();
    ProfileList &list = session_.profiles();
    for (std::size_t index = 0; index < list.size(); ++index) {
        profDataNew &profile = *list[index];
        if (!profile.changed)
            continue;
        if (link.setProfileData(std::uint16_t(index), profile)) {
            profile.changed = 0;
        } else {
            qDebug() << "disconnect at applying profile data: profile" << int(index);
            ok = false;
        }
    }
    qDebug() << "Settings were applied to hardware.";
    emit settingsApplied(ok, ok ? QString() : QStringLiteral("applying the settings: ") + link.lastError());
    if (activeWasChanged && !active->changed)
        emit session_.activeProfileChanged(activeIndex, active);
    emit session_.hardwareSettingsMayHaveChanged();
}

void SettingsApplier::saveToFlash()
{
    DeviceLink &link = session_.link();
    // The base saves what it runs: an edit still waiting for the auto-apply would be lost.
    if (settingsChanged_) {
        autoApplySettings();
        // Refused as unsafe: the note beside the button says so already.
        if (settingsChanged_)
            return;
        if (!link.connected) {
            emit saveFinished(false, QStringLiteral("saving to flash: applying the edits first: ") + link.lastError());
            return;
        }
    }
    writeAutomaticBackup();
    emit savingStarted();
    setSaveEnabled(false);
    link.flashDelayTimer().start(kSaveStartDelayMs);
    // Only when "settings not changed" also reached the base (a failure closes the link).
    const bool saved = link.saveToFlashSequence() && link.connected;
    if (saved)
        settingsChanged_ = false;
    emit saveFinished(saved, saved ? QString() : link.lastError());
}

void SettingsApplier::reloadFromFlash()
{
    if (session_.link().reloadFromFlash())
        session_.rereadAfterFlashDelay();
    session_.requestFullRefresh();
    setSaveEnabled(true);
    settingsChanged_ = false;
    qDebug() << "reloadflash";
}
