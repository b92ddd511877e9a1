// What the window shows of settings editing: the controls refilled from the records, the
// save button's blink and the line beside it, the unsafe note, the steering-angle notice.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "session/basesession.h"
#include "common/widgets/mousewheelfilter.h"
#include "common/editing/savestate.h"
#include "ui/dialogs/steeringanglechangewarningdialog.h"
#include "common/widgets/theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

using namespace editing;

namespace {
constexpr int kSettingsChangedBlinkIntervalMs = 2500;
} // namespace

void MW2::setUpEditing()
{
    settingsChangedBlinkTimer = new QTimer(this);
    settingsChangedBlinkTimer->setObjectName("settingsChangedBlinkTimer");
    connect(settingsChangedBlinkTimer, &QTimer::timeout, this, &MW2::settingschangedblink);

    ProfilesPage *profiles = ui->ProfilesTab;
    SettingsApplier *applier = &session_.applier();
    connect(profiles, &ProfilesPage::settingsEdited, applier, &SettingsApplier::markSettingsChanged);
    connect(ui->hardwaresetuptab, &HardwarePage::settingsEdited, applier, &SettingsApplier::markSettingsChanged);
    connect(profiles, &ProfilesPage::steeringRangeChangeRefused, this, &MW2::openSteeringAngleWarning);
    connect(profiles, &ProfilesPage::profileViewSwitched, this, &MW2::sendSwitchedProfile);
    connect(profiles, &ProfilesPage::dialogOpened, this, &MW2::trackDialog);

    mouseWheelFilter_ = new MousewheelFilter(this);
    mouseWheelFilter_->installOn(this);
    const bool guarded = true;
    ui->advancedtab->setMouseWheelGuard(guarded);
    mouseWheelFilter_->setFilterEnabled(guarded);
    connect(ui->advancedtab, &AdvancedPage::mouseWheelGuardToggled, mouseWheelFilter_,
            &MousewheelFilter::setFilterEnabled);

    settingsChangedBlinkTimer->start(kSettingsChangedBlinkIntervalMs);
}

void MW2::updateAllConfigValues(bool force_all_values)
{
    ProfilesPage *profiles = ui->ProfilesTab;
    ui->hardwaresetuptab->showHardwareSettings(session_.link().hardwareSettings());
    // Profile 0 is the base's read-only safe profile.
    const bool editable = session_.editedProfileIndex() != 0;
    profiles->setControlsEnabled(editable);
    if (!force_all_values)
        return;

    const DeviceStatus &status = session_.status();
    profiles->showDefaultProfileNote(status.activeProfile == status.defaultProfile);
    ui->advancedtab->showEventLogVerbosity(status.eventLogVerbosity);
    if (const profDataNew *profile = session_.editedProfile()) {
        profiles->showProfile(*profile);
        profiles->refreshTorqueLines();
    }
    profiles->showProfileList();
}

void MW2::showUnsafeNote(bool unsafe)
{
    if (!unsafe) {
        // Asked every second; clearing an empty label still lays the window out again.
        if (!ui->unsafesettingsnote->text().isEmpty())
            ui->unsafesettingsnote->clear();
        showSaveState();
        return;
    }
    ui->unsafesettingsnote->setWordWrap(true);
    ui->unsafesettingsnote->setText(unsafeSettingsNoteText() + QLatin1Char(' ') + unsafeSettingsAdvice());
    setThemedStyleSheet(ui->unsafesettingsnote, unsafeSettingsNoteStyle());
    showSaveState();
}

void MW2::showSaveResult(bool ok, const QString &error)
{
    if (ok)
        return;
    // The link is down by now; the note stays until the next connection's first apply.
    ui->unsafesettingsnote->setWordWrap(true);
    ui->unsafesettingsnote->setText(tr("Saving failed: %1").arg(error));
    setThemedStyleSheet(ui->unsafesettingsnote, unsafeSettingsNoteStyle());
}

void MW2::settingschangedblink()
{
    if (!session_.link().connected()) {
        session_.applier().setSaveEnabled(false);
        ui->savestatelabel->clear();
        return;
    }
    const bool unsaved = session_.status().hasFlag(wire::Unsaved);
    saveBlinkLit_ = unsaved && !saveBlinkLit_;
    showSaveState();
}

void MW2::showSaveState()
{
    QPushButton *save = ui->SaveToFlashButton;
    if (!session_.link().connected())
        return;
    const bool unsaved = session_.status().hasFlag(wire::Unsaved);
    SaveActivity activity = SaveActivity(flashWork_);
    if (activity == SaveActivity::None && session_.applier().unsafeToApply())
        activity = SaveActivity::EditWaiting;
    const SaveStateView view = saveStateView(unsaved, saveBlinkLit_, activity);
    setThemedStyleSheet(save, view.border);
    ui->savestatelabel->setText(view.text);
    setThemedStyleSheet(ui->savestatelabel, QStringLiteral("QLabel { color: %1;}").arg(view.colour));
}

void MW2::on_SaveToFlashButton_clicked() { session_.applier().saveToFlash(); }

void MW2::openSteeringAngleWarning()
{
    if (steeringWarning_)
        return;
    auto *dialog = new steeringangle_changewarning_dialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    steeringWarning_ = dialog;
    trackDialog(dialog);
    // Modal without a nested event loop: the window stays locked while the wheel tick,
    // which closes the notice once the wheel is centred, keeps running. Modal to this
    // window only, so other windows (the virtual base's, where the wheel is turned in a
    // demonstration) stay usable.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

void MW2::closeSteeringAngleWarning()
{
    if (!steeringWarning_)
        return;
    steeringWarning_->close();
    delete steeringWarning_.data();
}

void MW2::sendSwitchedProfile() { session_.sendEditedProfileNow(); }
