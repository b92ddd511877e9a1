#include "session/settingsapplier.h"

#include "session/basesession.h"
#include "session/hardwareedits.h"
#include "settings/profileimportexport.h"
#include "session/safetycheck.h"

#include <QCoreApplication>
#include <QDebug>

using namespace editing;

namespace {
// The permanent wheel-centre offset: differs from base to base.
constexpr std::size_t kCentreOffsetId = 16;

const char *unsafeVerdictText(ApplySafety verdict)
{
    switch (verdict) {
    case ApplySafety::NearPositiveEnd:
        return "result: unsafe to apply (case 1).";
    case ApplySafety::NearNegativeEnd:
        return "result: unsafe to apply (case 2).";
    default:
        return "result: unsafe to apply (wheel position unknown).";
    }
}
} // namespace

SettingsApplier::SettingsApplier(BaseSession &session)
    : QObject(&session), session_(session),
      automaticBackupPath_(profiles::automaticBackupPath(QCoreApplication::applicationDirPath()))
{
    autoApplyTimer_.setObjectName(QStringLiteral("autoApplyTimer"));
    connect(&autoApplyTimer_, &QTimer::timeout, this, &SettingsApplier::autoApplySettings);
    // The disconnection is told before the records go.
    connect(&session, &BaseSession::disconnected, this, &SettingsApplier::keepPendingEdits);
    connect(&session, &BaseSession::reloadFinished, this, &SettingsApplier::onReloadFinished);
    connect(&session, &BaseSession::statusRefreshed, this, &SettingsApplier::onStatusRefreshed);
}

void SettingsApplier::setSaveEnabled(bool enabled)
{
    if (enabled && (awaitingFreshStatus_ || listTorn_ || session_.gate().busy()))
        enabled = false;
    saveEnabled_ = enabled;
    emit saveEnabledChanged(enabled);
}

void SettingsApplier::setListTorn(bool torn)
{
    listTorn_ = torn;
    if (torn)
        setSaveEnabled(false);
}

void SettingsApplier::onStatusRefreshed()
{
    // The first status after the flash delay tells whether the flash holds what runs.
    if (awaitingFreshStatus_ && !session_.gate().busy())
        awaitingFreshStatus_ = false;
}

SettingsApplier::BaseIdentity SettingsApplier::connectedBase() const
{
    const DeviceLink &link = session_.link();
    const DeviceStatus &status = link.status();
    return BaseIdentity{link.productId(),
                        std::uint32_t(status.firmwareMajor) << 16 | std::uint32_t(status.firmwareMinor) << 8
                            | status.firmwarePatch,
                        hardwareWord(link.hardwareSettings(), EncoderCountsId),
                        link.hardwareSettings().word[kCentreOffsetId]};
}

void SettingsApplier::keepPendingEdits()
{
    // Told again on every tick without a base: only the first, with the records, counts.
    if (!settingsChanged_ || session_.profiles().empty())
        return;
    // The records go with the disconnection; what had not reached the base is kept.
    kept_ = KeptEdits{};
    kept_.base = baseAtReload_;
    const ProfileList &list = session_.profiles();
    for (std::size_t index = 1; index < list.size(); ++index)
        if (list[index]->changed)
            kept_.profiles.emplace_back(int(index), *list[index]);
    const HardwareSettings &hardware = session_.link().hardwareSettings();
    kept_.hardwareEdited = hardware.word != hardwareOnBase_.word;
    kept_.hardware = hardware;
    kept_.hardwareOnBase = hardwareOnBase_;
    if (!editsKeptOverReconnection())
        settingsChanged_ = false;
}

void SettingsApplier::onReloadFinished(bool ok)
{
    awaitingFreshStatus_ = false;
    if (!ok)
        return;
    DeviceLink &link = session_.link();
    hardwareOnBase_ = link.hardwareSettings();
    baseAtReload_ = connectedBase();
    if (!editsKeptOverReconnection()) {
        settingsChanged_ = false;
        return;
    }
    KeptEdits kept = std::move(kept_);
    kept_ = KeptEdits{};
    if (!(kept.base == baseAtReload_)) {
        // Another base: edits meant for the one that went must not reach it.
        qDebug() << "another base connected; pending edits dropped";
        settingsChanged_ = false;
        return;
    }
    ProfileList &list = session_.profiles();
    for (auto &[index, record] : kept.profiles) {
        if (index >= int(list.size()))
            continue;
        *list[std::size_t(index)] = record;
        list[std::size_t(index)]->changed = 1;
    }
    // Only the words the user changed; the rest as the base now reports them.
    if (kept.hardwareEdited) {
        HardwareSettings restored = link.hardwareSettings();
        for (std::size_t id = 0; id < restored.word.size(); ++id)
            if (kept.hardware.word[id] != kept.hardwareOnBase.word[id])
                restored.word[id] = kept.hardware.word[id];
        link.editHardwareSettings(restored);
    }
    settingsChanged_ = true;
    qDebug() << "pending edits kept over the reconnection; applying them again";
    session_.requestFullRefresh();
}

bool SettingsApplier::exportProfiles(const QString &path, QString *error) const
{
    // Without a loaded list there is nothing to write, and a backup must not be emptied.
    if (path.isEmpty() || session_.profiles().empty()) {
        if (error)
            *error = QStringLiteral("no profiles loaded");
        return false;
    }
    return profiles::ImportExport::forModel(session_.link().modelIndex())
        .exportFile(path, session_.status().profileCount, session_.profiles(), error);
}

bool SettingsApplier::writeAutomaticBackup()
{
    QString error;
    if (exportProfiles(automaticBackupPath_, &error))
        return true;
    qWarning() << "automatic profile backup failed:" << error;
    emit automaticBackupFailed(error);
    return false;
}

void SettingsApplier::autoApplySettings()
{
    DeviceLink &link = session_.link();
    if (!link.connected()) {
        emit disconnectedAtApply();
        return;
    }
    if (!settingsChanged_) {
        // While the base writes or reloads its flash, its last status (unsaved bit
        // included) is out of date and another save would only queue behind this one.
        setSaveEnabled(link.status().hasFlag(wire::Unsaved) && !session_.gate().busy());
        emit unsafeToApplyChanged(false);
        return;
    }
    // The link is held (flash write, drive procedure): the edits wait for the next tick.
    if (session_.gate().busy())
        return;
    profDataNew *active = session_.editedProfile();
    if (!active)
        return;

    unsafeToApply_ = false;
    qDebug() << "settings are changed, need to apply to Veltrane. Checking safety limits";
    // The wheel as the base last really reported it, under the range the base runs now,
    // against where the edited range and end stop put the bump stop.
    const SafetyCheck check = checkProfileSafety(link, *active);
    qDebug() << "bumbstop location is:" << check.bumpStopLocation;
    qDebug() << "axis range:" << check.range;
    qDebug() << "currentangle steering angle:" << check.angle;
    if (check.unsafe()) {
        qDebug() << unsafeVerdictText(check.verdict);
        // Nothing is sent; the edits stay pending and the check repeats on the next tick.
        unsafeToApply_ = true;
        emit unsafeToApplyChanged(true);
        setSaveEnabled(false);
        return;
    }
    emit unsafeToApplyChanged(false);

    const int activeIndex = session_.editedProfileIndex();
    const bool activeWasChanged = active->changed != 0;
    // The edits stay pending until every write they need has reached the base: a write
    // cut off half-way is completed by the next apply, after the reconnection.
    bool ok = link.setHardwareData();
    ProfileList &list = session_.profiles();
    for (std::size_t index = 0; ok && index < list.size(); ++index) {
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
    if (ok) {
        hardwareOnBase_ = link.hardwareSettings();
        settingsChanged_ = false;
        setSaveEnabled(true);
        qDebug() << "Settings were applied to hardware.";
    } else {
        setSaveEnabled(false);
    }
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
        if (!link.connected()) {
            emit saveFinished(false, QStringLiteral("saving to flash: applying the edits first: ") + link.lastError());
            return;
        }
    }
    // A failed backup is shown but does not stop the save: the backup holds what the base
    // runs, which is exactly what the save keeps, so skipping the save would protect
    // nothing, and a program folder the user cannot write would forbid saving for good.
    writeAutomaticBackup();
    emit savingStarted();
    awaitingFreshStatus_ = true;
    setSaveEnabled(false);
    session_.gate().startFlashDelay(LinkGate::FlashWork::Saving, kSaveStartDelayMs);
    // Only when "settings not changed" also reached the base (a failure closes the link).
    const bool saved = link.saveToFlashSequence() && link.connected();
    if (saved)
        settingsChanged_ = false;
    emit saveFinished(saved, saved ? QString() : link.lastError());
}

OperationResult SettingsApplier::reloadFromFlash()
{
    // Another operation holds the link: the reload would interleave with it.
    if (session_.gate().busy()) {
        qDebug() << "reload from flash refused: the link is busy";
        return session_.gate().check().within(QStringLiteral("reloading from flash"));
    }
    awaitingFreshStatus_ = true;
    // The flash holds the list as it was before any cut-off rewrite.
    listTorn_ = false;
    if (session_.link().reloadFromFlash())
        session_.rereadAfterFlashDelay();
    session_.requestFullRefresh();
    setSaveEnabled(true);
    settingsChanged_ = false;
    qDebug() << "reloadflash";
    return OperationResult::done();
}
