// What the window shows of the base's live state: the connected/disconnected look, the
// status refresh of every status tick, the wheel tick and the torque blink.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "session/basesession.h"
#include "ui/dialogs/wheeltoonearendstopdialog.h"
#include "common/presentation/colours.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/statuslines.h"
#include "ui/statusstrip.h"
#include "ui/wheeldisplay.h"

using namespace presentation;

void MW2::setConnectedUi(bool connected)
{
    // Everything that talks to the base is usable only while one is connected.
    ui->advancedtab->setActionsEnabled(connected);
    ui->hardwaresetuptab->setSettingsEnabled(connected);
    for (QWidget *control : std::initializer_list<QWidget *>{ui->OverviewTab, ui->ProfilesTab,
                                                             ui->activateHighTorquepushbutton, ui->wirelesswheelstab})
        control->setEnabled(connected);
    if (connected)
        return;
    const DisconnectedView view = disconnectedView();
    statusStrip_->showDisconnected(view);
    ui->OverviewTab->showWheelDegrees(view.wheelDegrees.text);
    ui->OverviewTab->setWheelDegreesColour(view.wheelDegrees.colour);
    ui->OverviewTab->setWheelAreaLive(false);
    ui->advancedtab->showDeviceVersions(modelView(false, 0).text, tr("Unknown"), tr("Unknown"));
}

void MW2::refreshStatusDisplay()
{
    const DeviceLink &link = session_.link();
    const DeviceStatus &status = link.status();
    const ModelView model = modelView(link.connected(), link.modelIndex());
    const profDataNew *active = session_.profileAt(status.activeProfile);
    ui->ProfilesTab->showStatus(status, model, link.modelSlewRateMaximum(), active, link.hardwareSettings());
    ui->advancedtab->showStatus(status, model.text, session_.firmwareStatus());
    ui->OverviewTab->setWheelAreaLive(true);
    ui->OverviewTab->setWheelDegreesColour(QLatin1String(kColourNormal));
    const OperatingModeView mode = operatingModeView(status);
    statusStrip_->showStatus(status, active, mode);
    ui->hardwaresetuptab->showOperatingMode(mode, analogConfigurationAllowed(status.operatingMode));
    for (const bool enable : {false, true}) {
        if (enable ? !mode.mainGroupsEnabled : !mode.mainGroupsDisabled)
            continue;
        ui->OverviewTab->setEnabled(enable);
        ui->ProfilesTab->setEnabled(enable);
        ui->advancedtab->setActionsEnabled(enable);
    }
    // Forces are off near an end stop: a notice says so, in front of the Overview.
    switch (endstopDialogAction(status, !endstopDialog_.isNull())) {
    case EndstopDialogAction::Open:
        endstopDialog_ = new wheelTooNearEndstopDialog(this);
        endstopDialog_->setAttribute(Qt::WA_DeleteOnClose);
        trackDialog(endstopDialog_);
        endstopDialog_->show();
        ui->tabWidget->setCurrentIndex(0);
        break;
    case EndstopDialogAction::Close:
        endstopDialog_->close();
        delete endstopDialog_.data();
        break;
    case EndstopDialogAction::None:
        break;
    }
}

bool MW2::wheelReadings(std::optional<std::uint32_t> &range, std::array<bool, wire::kAnalogAxes> &enabled) const
{
    return wheel_->readings(range, enabled);
}

void MW2::presentWheelSample()
{
    if (wheel_->present(inFront_ && ui->tabWidget->currentIndex() == 0) && steeringWarning_) {
        steeringWarning_->close();
        delete steeringWarning_.data();
    }
}

void MW2::torqueoffButtonBlink() { statusStrip_->blink(session_.link().connected()); }
