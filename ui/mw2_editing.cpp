// What the window does for settings editing: edits reach the applier, the controls are
// refilled from the records, the steering-angle notice, the mouse-wheel guard.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "session/basesession.h"
#include "ui/dialogs/steeringanglechangewarningdialog.h"
#include "ui/savestrip.h"
#include "common/widgets/mousewheelfilter.h"

void MW2::setUpEditing()
{
    ProfilesPage *profiles = ui->ProfilesTab;
    SettingsApplier *applier = &session_.applier();
    connect(profiles, &ProfilesPage::settingsEdited, applier, &SettingsApplier::markSettingsChanged);
    connect(ui->hardwaresetuptab, &HardwarePage::settingsEdited, applier, &SettingsApplier::markSettingsChanged);
    connect(profiles, &ProfilesPage::steeringRangeChangeRefused, this, &MW2::openSteeringAngleWarning);
    connect(profiles, &ProfilesPage::profileViewSwitched, this, [this] { session_.sendEditedProfileNow(); });
    connect(profiles, &ProfilesPage::dialogOpened, this, &MW2::trackDialog);

    auto *mouseWheelFilter = new MousewheelFilter(this);
    mouseWheelFilter->installOn(this);
    const bool guarded = true;
    ui->advancedtab->setMouseWheelGuard(guarded);
    mouseWheelFilter->setFilterEnabled(guarded);
    connect(ui->advancedtab, &AdvancedPage::mouseWheelGuardToggled, mouseWheelFilter,
            &MousewheelFilter::setFilterEnabled);
    saveStrip_->startBlinking();
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

void MW2::settingschangedblink() { saveStrip_->blink(); }

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
