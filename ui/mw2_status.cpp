// What the window shows of the base's live state: the connected/disconnected look, the
// status refresh of every status tick, the wheel tick's presentation and the torque blink.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "analog/analogconfigdialog.h"
#include "session/basesession.h"
#include "common/presentation/colours.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/operatingmode.h"
#include "settings/profilename.h"
#include "common/presentation/profilereadings.h"
#include "common/presentation/safetystatus.h"
#include "common/presentation/statuslines.h"
#include "common/widgets/theme.h"
#include "common/presentation/torquelines.h"
#include "ui/dialogs/wheeltoonearendstopdialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace presentation;

namespace {

constexpr int kWheelSkipTicks = 13; // refresh every 14th tick when the overview is not in front

void showColour(QWidget *widget, const QString &colourVariable)
{
    if (!colourVariable.isEmpty())
        setThemedStyleSheet(widget, QStringLiteral("QLabel { color: %1;}").arg(colourVariable));
}

void showLabel(QLabel *label, const QString &text, const QString &colourVariable)
{
    label->setText(text);
    showColour(label, colourVariable);
}

// An axis is live when the analog record in use assigns it an input pin.
std::array<bool, wire::kAnalogAxes> enabledAxes(const DeviceLink &link)
{
    const wire::AnalogSettings &record =
        link.analogSettings()[std::size_t(analogRecordInUse(link.hardwareSettings()))];
    std::array<bool, wire::kAnalogAxes> enabled{};
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis)
        enabled[std::size_t(axis)] = record.field(axis, wire::AnalogPin) != 0;
    return enabled;
}

} // namespace

void MW2::setConnectedUi(bool connected)
{
    // Everything that talks to the base is usable only while one is connected.
    ui->advancedtab->setActionsEnabled(connected);
    ui->hardwaresetuptab->setSettingsEnabled(connected);
    const QList<QWidget *> controls{ui->OverviewTab, ui->ProfilesTab, ui->activateHighTorquepushbutton,
                                    ui->wirelesswheelstab};
    for (QWidget *control : controls)
        control->setEnabled(connected);
    if (connected)
        return;

    const DisconnectedView view = disconnectedView();
    showLabel(ui->operationalLabel, view.operatingMode.text, view.operatingMode.colour);
    showLabel(ui->estopLabel, view.estop.text, view.estop.colour);
    OverviewPage *overview = ui->OverviewTab;
    overview->showWheelDegrees(view.wheelDegrees.text);
    overview->setWheelDegreesColour(view.wheelDegrees.colour);
    overview->setWheelAreaLive(false);
    ui->advancedtab->setActionsEnabled(false);
    ui->activeprofilestatusfieldlabel->setText(view.activeProfile);
    ui->enabletorquepushButton->hide();
    ui->advancedtab->showDeviceVersions(modelView(false, 0).text, tr("Unknown"), tr("Unknown"));
}

void MW2::refreshStatusDisplay()
{
    const DeviceLink &link = session_.link();
    const DeviceStatus &status = link.status();
    ProfilesPage *profiles = ui->ProfilesTab;
    AdvancedPage *advanced = ui->advancedtab;
    OverviewPage *overview = ui->OverviewTab;

    // 1-2: model and versions.
    profiles->setSlewRateMaximum(link.modelSlewRateMaximum());
    const ModelView model = modelView(link.connected(), link.modelIndex());
    profiles->showCendraSettings(model.cendraSettingsShown);
    advanced->showDeviceVersions(model.text, firmwareVersionText(status),
                                 driveFirmwareText(status.driveFirmwareVersion));
    const FirmwareStatusNote &firmware = session_.firmwareStatus();
    if (!firmware.text.isEmpty())
        advanced->showFirmwareStatus(firmware.text, applyThemeColours(firmware.styleSheet));

    // 3: a steering angle set by a game overrides the profile's.
    const TemporarySteeringAngleView angle = temporarySteeringAngleView(status.statusFlags);
    profiles->showTemporarySteeringAngle(angle.text, angle.toolTip, angle.colour, angle.steeringAngleEditable);

    // 4-5: diagnostics, E-stop and faults.
    advanced->showDebugInformation(debugValueText(status.debugValue), modeValueText(status.modeValue));
    const EstopView estop = estopView(status);
    ui->estopLabel->setTextFormat(estop.richText ? Qt::RichText : Qt::AutoText);
    showLabel(ui->estopLabel, applyThemeColours(estop.text), estop.colour);

    // 6: what the disconnected look took away, the status bits and the effects.
    ui->activateHighTorquepushbutton->setEnabled(true);
    advanced->showStatusBits(statusBitsText(status.statusFlags));
    advanced->showEffects(effectListText(status.effectsAllocated, status.effectsPlaying));
    const EffectMarkers markers = effectMarkers(status.effectsAllocated, status.effectsPlaying);
    profiles->showEffectMarkers({markers.sinewaveactivelabel, markers.dampingeffectactivelabel,
                                 markers.frictioneffectactivelabel, markers.squarewaveactivelabel,
                                 markers.triangleeffectactivelabel, markers.sawtootheffectactivelabel,
                                 markers.springeffectactivelabel});
    advanced->setReloadFlashEnabled(true);
    advanced->setRestartEnabled(true);
    overview->setWheelAreaLive(true);
    overview->setWheelDegreesColour(QLatin1String(kColourNormal));

    // 7: pedal calibration needs an operational base.
    if (!analogConfigurationAllowed(status.operatingMode)) {
        if (analogConfigDialog_)
            analogConfigDialog_->close();
        ui->hardwaresetuptab->setAnalogConfigurationEnabled(false);
    }

    // 8-10: active profile, operating mode and its side effects, mode value.
    if (profDataNew *active = session_.profileAt(status.activeProfile))
        ui->activeprofilestatusfieldlabel->setText(profileName(*active));
    const OperatingModeView mode = operatingModeView(status);
    showLabel(ui->operationalLabel, mode.text, mode.colour);
    if (mode.hardwareGroupEnabled)
        ui->hardwaresetuptab->setSettingsEnabled(true);
    for (const bool enable : {false, true}) {
        if (enable ? !mode.mainGroupsEnabled : !mode.mainGroupsDisabled)
            continue;
        ui->hardwaresetuptab->setSettingsEnabled(enable);
        ui->OverviewTab->setEnabled(enable);
        ui->ProfilesTab->setEnabled(enable);
        advanced->setActionsEnabled(enable);
    }
    if (mode.mainGroupsEnabled)
        ui->hardwaresetuptab->setAnalogConfigurationEnabled(true);
    if (mode.torqueButtonVisible) {
        if (*mode.torqueButtonVisible)
            setThemedStyleSheet(ui->enabletorquepushButton, torqueButtonBorderStyle(torqueBlinkLit_));
        ui->enabletorquepushButton->setVisible(*mode.torqueButtonVisible);
    }

    // 11: forces off near an end stop.
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

    // 12: high torque and the torque lines.
    const HighTorqueView highTorque = highTorqueView(status.statusFlags);
    showLabel(ui->hightorquemodetextlabel, highTorque.text, highTorque.colour);
    ui->activateHighTorquepushbutton->setText(highTorque.buttonText);
    if (const profDataNew *active = session_.profileAt(status.activeProfile)) {
        const TorqueLinesView torque =
            torqueLinesView(link.hardwareSettings().word[10], overallStrengthPercent(*active),
                            simpleStrengthPercent(*active), status.hasFlag(wire::highTorque));
        profiles->showTorqueLines(torque.actualCurrent, torque.simpleStrength);
    }

    // 13: the game's angle can be given back.
    profiles->setUnsetTemporaryAngleEnabled(angle.unsetButtonsEnabled);
}

bool MW2::wheelReadings(std::optional<std::uint32_t> &range, std::array<bool, wire::kAnalogAxes> &enabled) const
{
    // Until the reload has read every profile the active one may not be there yet.
    const DeviceLink &link = session_.link();
    if (session_.profiles().size() < link.status().profileCount)
        return false;
    range.reset();
    if (!session_.profiles().empty()) {
        const profDataNew *active = session_.profileAt(link.status().activeProfile);
        range = active ? steeringRangeDegrees(*active) : 0;
    }
    enabled = enabledAxes(link);
    return true;
}

void MW2::wheelUIUpdate()
{
    const DeviceLink &link = session_.link();
    std::optional<std::uint32_t> range;
    std::array<bool, wire::kAnalogAxes> enabled{};
    if (!wheelReadings(range, enabled))
        return;
    WheelView view = wheelTick_.update(link.wheelSample(), range, enabled);
    if (link.wheelSampleStale()) {
        // No report: the angle is unknown. A dash rather than a confident 0.00, the picture
        // and the angle the safety check uses stay where the wheel was last seen, and a
        // warning that asks to centre the wheel stays open.
        view.degreesText = tr("- °");
        view.angle = currentAngle_;
        view.redrawWheel = false;
        view.closeSteeringWarning = false;
    }

    OverviewPage *overview = ui->OverviewTab;
    overview->showButtons(view.buttonRows);
    overview->showWheelDegrees(view.degreesText);
    currentAngle_ = view.angle;
    if (view.closeSteeringWarning)
        closeSteeringAngleWarning();
    if (view.redrawWheel)
        updateWheelGraphics(view.angle);
    for (int axis = 0; axis < OverviewPage::kAnalogAxisCount; ++axis) {
        const AnalogRowView &row = view.axes[std::size_t(axis)];
        overview->showAnalogAxis(OverviewPage::AnalogAxis(axis), row.barValue, row.barFormat, row.label);
    }
}

// The wheel tick's presentation: in front every tick, behind the other tabs every 14th.
void MW2::presentWheelSample()
{
    if (inFront_ && firstTabShown()) {
        wheelUIUpdate();
        wheelUiSkipCount_ = 0;
    } else if (++wheelUiSkipCount_ > kWheelSkipTicks) {
        wheelUIUpdate();
        wheelUiSkipCount_ = 0;
    }
}

void MW2::updateWheelGraphics(float degrees)
{
    ui->OverviewTab->showWheelAngle(degrees);
}

void MW2::torqueoffButtonBlink()
{
    QPushButton *button = ui->enabletorquepushButton;
    if (!session_.link().connected()) {
        button->setEnabled(false);
        button->hide();
        return;
    }
    torqueBlinkLit_ = !torqueBlinkLit_;
    // A new style sheet polishes the button again; a hidden one gets its phase when shown.
    if (button->isVisible())
        setThemedStyleSheet(button, torqueButtonBorderStyle(torqueBlinkLit_));
}
