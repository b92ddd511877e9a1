// Settings editing as the window runs it: edits wait in memory until the auto-apply finds
// the wheel safely away from the end stops and sends them; the base runs them from RAM
// until the save button writes its flash.

#include "mw2.h"
#include "ui_mw2.h"

#include "activeprofile.h"
#include "devicecommands.h"
#include "devicelink.h"
#include "hardwareedits.h"
#include "mousewheelfilter.h"
#include "profileimportexport.h"
#include "profilelist.h"
#include "profilemanagementgroup.h"
#include "safetycheck.h"
#include "savestate.h"
#include "settingstransfer.h"
#include "statusreport.h"
#include "steeringanglechangewarningdialog.h"
#include "theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

using namespace editing;

namespace {
constexpr int kSettingsChangedBlinkIntervalMs = 2500;
constexpr int kAutoApplyIntervalMs = 2000;
// Polling rests from the click on; the save command then extends the pause over the flash write.
constexpr int kSaveStartDelayMs = 2000;
} // namespace

void MW2::setUpEditing()
{
    settingsChangedBlinkTimer = new QTimer(this);
    settingsChangedBlinkTimer->setObjectName("settingsChangedBlinkTimer");
    connect(settingsChangedBlinkTimer, &QTimer::timeout, this, &MW2::settingschangedblink);
    autoApplyTimer = new QTimer(this);
    autoApplyTimer->setObjectName("autoApplyTimer");
    connect(autoApplyTimer, &QTimer::timeout, this, &MW2::autoApplySettings);

    ProfilesPage *profiles = ui->ProfilesTab;
    connect(profiles, &ProfilesPage::settingsEdited, this, &MW2::markSettingsChanged);
    connect(ui->hardwaresetuptab, &HardwarePage::settingsEdited, this, &MW2::markSettingsChanged);
    connect(profiles, &ProfilesPage::steeringRangeChangeRefused, this, &MW2::openSteeringAngleWarning);
    connect(profiles, &ProfilesPage::profileViewSwitched, this, &MW2::sendSwitchedProfile);
    connect(profiles, &ProfilesPage::dialogOpened, this, &MW2::trackDialog);
    connect(profiles, &ProfilesPage::profileRenamed, profiles->managementGroup(),
            &ProfileManagementGroup::fillProfileBox);

    mouseWheelFilter_ = new MousewheelFilter(this);
    mouseWheelFilter_->installOn(this);
    QCheckBox *wheelGuard = ui->advancedtab->mouseWheelFilterCheckBox();
    wheelGuard->setChecked(true);
    mouseWheelFilter_->setFilterEnabled(wheelGuard->isChecked());
    connect(wheelGuard, &QCheckBox::toggled, mouseWheelFilter_, &MousewheelFilter::setFilterEnabled);

    settingsChangedBlinkTimer->start(kSettingsChangedBlinkIntervalMs);
    autoApplyTimer->start(kAutoApplyIntervalMs);
}

void MW2::markSettingsChanged() { settingsChanged_ = true; }

void MW2::updateAllConfigValues(bool force_all_values)
{
    ProfilesPage *profiles = ui->ProfilesTab;
    ui->hardwaresetuptab->showHardwareSettings(hardwareSettings());
    // Profile 0 is the base's read-only safe profile.
    const bool editable = editedProfileIndex() != 0;
    profiles->setControlsEnabled(editable);
    if (!force_all_values)
        return;

    // Saving needs a live base; the auto-apply narrows it to settings the flash lacks.
    ui->SaveToFlashButton->setEnabled(deviceLink().connected);
    const DeviceStatus &status = deviceStatus();
    ProfileManagementGroup *management = profiles->managementGroup();
    if (!management->loadSaveIndicatorRunning())
        profiles->defaultProfileLabel()->setText(
            status.activeProfile == status.defaultProfile ? tr("This is the default profile.") : QString());
    QComboBox *verbosity = ui->advancedtab->verbosityBox();
    if (status.eventLogVerbosity < verbosity->count()) {
        const QSignalBlocker quiet(verbosity);
        verbosity->setCurrentIndex(status.eventLogVerbosity);
    }
    if (const profDataNew *profile = editedProfile()) {
        profiles->showProfile(*profile);
        profiles->refreshTorqueLines();
    }
    management->fillProfileBox();
}

void MW2::autoApplySettings()
{
    QPushButton *save = ui->SaveToFlashButton;
    const DeviceLink &link = deviceLink();
    if (!link.connected) {
        setThemedStyleSheet(save, saveButtonBorderStyle(false));
        return;
    }
    if (!settingsChanged_) {
        save->setEnabled(deviceStatus().hasFlag(wire::Unsaved));
        ui->unsafesettingsnote->clear();
        return;
    }
    // The link is reserved (flash write, drive procedure): the edits wait for the next tick.
    if (link.updatesPaused)
        return;
    profDataNew *active = editedProfile();
    if (!active)
        return;

    unsafeToApply_ = false;
    qDebug() << "settings are changed, need to apply to Veltrane. Checking safety limits";
    const SafetyCheck check =
        checkApplySafety((*active)[ProfileParameterId::steeringrange], wheelSample().position,
                         (*active)[ProfileParameterId::bumbstoprange],
                         hardwareWord(hardwareSettings(), BumpStopRampRangeId));
    qDebug() << "bumbstop location is:" << check.bumpStopLocation;
    qDebug() << "axis range:" << check.range;
    qDebug() << "currentangle steering angle:" << check.angle;
    if (check.unsafe()) {
        qDebug() << (check.verdict == ApplySafety::NearPositiveEnd ? "result: unsafe to apply (case 1)."
                                                                   : "result: unsafe to apply (case 2).");
        // Nothing is sent; the edits stay pending and the check repeats on the next tick.
        unsafeToApply_ = true;
        ui->unsafesettingsnote->setWordWrap(true);
        ui->unsafesettingsnote->setText(unsafeSettingsNoteText());
        setThemedStyleSheet(ui->unsafesettingsnote, unsafeSettingsNoteStyle());
        save->setEnabled(false);
        return;
    }
    ui->unsafesettingsnote->clear();
    save->setEnabled(!flashDelayTimer().isActive());

    const int activeIndex = editedProfileIndex();
    const bool activeWasChanged = active->changed != 0;
    settingsChanged_ = false;
    save->setEnabled(true);
    setHardwareData();
    ProfileList &list = profileList();
    for (std::size_t index = 0; index < list.size(); ++index) {
        profDataNew &profile = *list[index];
        if (!profile.changed)
            continue;
        if (setProfileData(std::uint16_t(index), profile))
            profile.changed = 0;
        else
            qDebug() << "disconnect at applying profile data: profile" << int(index);
    }
    qDebug() << "Settings were applied to hardware.";
    if (activeWasChanged && !active->changed)
        emit activeProfileChanged(activeIndex, active);
    emit hardwareSettingsMayHaveChanged();
}

void MW2::settingschangedblink()
{
    QPushButton *save = ui->SaveToFlashButton;
    if (!deviceLink().connected) {
        save->setEnabled(false);
        ui->savestatelabel->clear();
        return;
    }
    const bool unsaved = deviceStatus().hasFlag(wire::Unsaved);
    saveBlinkLit_ = unsaved && !saveBlinkLit_;
    const SaveStateView view = saveStateView(unsaved, saveBlinkLit_);
    setThemedStyleSheet(save, view.border);
    ui->savestatelabel->setText(view.text);
    setThemedStyleSheet(ui->savestatelabel, QStringLiteral("QLabel { color: %1;}").arg(view.colour));
}

void MW2::on_SaveToFlashButton_clicked()
{
    // The base saves what it runs: an edit still waiting for the auto-apply would be lost.
    // It is applied first, and when that is unsafe nothing is saved.
    if (settingsChanged_) {
        autoApplySettings();
        if (settingsChanged_ || !deviceLink().connected)
            return;
    }
    writeAutomaticBackup();
    ui->advancedtab->reloadFlashButton()->setEnabled(false);
    ui->SaveToFlashButton->setEnabled(false);
    flashDelayTimer().start(kSaveStartDelayMs);
    // Only when "settings not changed" also reached the base (a failure closes the link).
    if (saveToFlashSequence() && deviceLink().connected)
        settingsChanged_ = false;
}

bool MW2::writeAutomaticBackup() const
{
    return ui->ProfilesTab->managementGroup()->writeAutomaticBackup();
}

void MW2::on_ReloadFlashButton_clicked()
{
    QPushButton *reload = ui->advancedtab->reloadFlashButton();
    reload->setEnabled(false);
    ui->SaveToFlashButton->setEnabled(false);
    reloadFromFlash();
    forceFullRefresh = true;
    reload->setEnabled(true);
    ui->SaveToFlashButton->setEnabled(true);
    settingsChanged_ = false;
    qDebug() << "reloadflash";
}

void MW2::openSteeringAngleWarning()
{
    if (steeringWarning_)
        return;
    auto *dialog = new steeringangle_changewarning_dialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    steeringWarning_ = dialog;
    trackDialog(dialog);
    // Modal without a nested event loop: the window stays locked while the wheel tick,
    // which closes the notice once the wheel is centred, keeps running.
    dialog->setModal(true);
    dialog->show();
}

void MW2::closeSteeringAngleWarning()
{
    if (!steeringWarning_)
        return;
    steeringWarning_->close();
    delete steeringWarning_.data();
}

// The view switch takes effect on the base at once, not with the next auto-apply.
void MW2::sendSwitchedProfile()
{
    const int index = editedProfileIndex();
    if (const profDataNew *profile = editableProfile())
        setProfileData(std::uint16_t(index), *profile);
    updateAllConfigValues(true);
}
