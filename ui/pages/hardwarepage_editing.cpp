// Editing the base's hardware settings: each control writes the hardware record at once;
// the window applies it with the profiles after its safety check.

#include "ui/pages/hardwarepage.h"
#include "ui_hardwarepage.h"

#include "common/editing/controlvalues.h"
#include "session/hardwareedits.h"
#include "session/basesession.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSlider>

using namespace editing;

namespace {

void setQuietly(QSlider *slider, int value)
{
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}

void setQuietly(QCheckBox *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

} // namespace

void HardwarePage::setUpEditors()
{
    // A drag applies every position it passes, also where the slider does not track.
    using Handler = void (HardwarePage::*)(int);
    const std::pair<QSlider *, Handler> sliders[] = {
        {ui->bumbstopstrengthhorizontalSlider, &HardwarePage::on_bumbstopstrengthhorizontalSlider_valueChanged},
        {ui->bumbstopramprangehorizontalSlider, &HardwarePage::on_bumbstopramprangehorizontalSlider_valueChanged},
        {ui->bumbstopdampinghorizonalSlider, &HardwarePage::on_bumbstopdampinghorizonalSlider_valueChanged},
        {ui->desktopcenteringhorizontalSlider, &HardwarePage::on_desktopcenteringhorizontalSlider_valueChanged},
        {ui->handsoffhorizontalSlider, &HardwarePage::on_handsoffhorizontalSlider_valueChanged},
    };
    for (const auto &[slider, handler] : sliders)
        connect(slider, &QSlider::sliderMoved, this, handler);
}

void HardwarePage::showHardwareSettings(const wire::HardwareSettings &settings)
{
    showGeneralInformation(QString::number(hardwareWord(settings, EncoderCountsId)),
                           peakCurrentText(hardwareWord(settings, PeakCurrentId)));

    setQuietly(ui->audibleBeebsCheckBox, hardwareBit(settings, OptionBitsId, kAudibleBeepsBit));
    const int handsOff = handsOffLevel(settings);
    setQuietly(ui->handsoffhorizontalSlider, handsOff);
    ui->handsofflabel->setText(handsOffText(handsOff));
    setQuietly(ui->torqueclippingcheckBox, hardwareBit(settings, SafetyBitsId, kTorqueClippingBit));
    setQuietly(ui->resonancereductioncheckBox, hardwareBit(settings, SafetyBitsId, kResonanceReductionBit));
    const int centering = int(hardwareWord(settings, DesktopCenteringId));
    setQuietly(ui->desktopcenteringhorizontalSlider, centering);
    ui->desktopcenteringstrengthlabel->setText(offOrPercentText(centering));
    setQuietly(ui->usbrecoverycheckbox, hardwareBit(settings, OptionBitsId, kUsbRecoveryBit));
    setQuietly(ui->usbsuspendcheckBox, hardwareBit(settings, OptionBitsId, kUsbSuspendBit));

    const int strength = int(hardwareWord(settings, BumpStopStrengthId));
    setQuietly(ui->bumbstopstrengthhorizontalSlider, strength);
    ui->bumbstopstrengthlabel->setText(bumpStopStrengthText(strength));
    const int ramp = int(hardwareWord(settings, BumpStopRampRangeId));
    setQuietly(ui->bumbstopramprangehorizontalSlider, ramp);
    ui->bumbstopramprangelabel->setText(degreesText(ramp));
    const int damping = int(hardwareWord(settings, BumpStopDampingId));
    setQuietly(ui->bumbstopdampinghorizonalSlider, damping);
    ui->bumbstopdampinglabel->setText(percentText(damping));
    enableBumpStopSliders(bumpStopOn(settings));
}

void HardwarePage::enableBumpStopSliders(bool bumpStopOn)
{
    ui->bumbstopdampinghorizonalSlider->setEnabled(bumpStopOn);
    ui->bumbstopramprangehorizontalSlider->setEnabled(bumpStopOn);
}

void HardwarePage::editHardware(const std::function<void(wire::HardwareSettings &)> &edit)
{
    // The page edits a copy; the session keeps the record the auto-apply sends.
    wire::HardwareSettings edited = session_ ? session_->link().hardwareSettings() : detached_;
    edit(edited);
    if (session_)
        session_->editHardwareSettings(edited);
    else
        detached_ = edited;
}

void HardwarePage::on_bumbstopstrengthhorizontalSlider_valueChanged(int value)
{
    editHardware([&](wire::HardwareSettings &hardware) { setBumpStopStrength(hardware, value); });
    ui->bumbstopstrengthlabel->setText(bumpStopStrengthText(value));
    enableBumpStopSliders(value >= 1);
    emit settingsEdited();
}

void HardwarePage::on_bumbstopramprangehorizontalSlider_valueChanged(int value)
{
    editHardware([&](wire::HardwareSettings &hardware) { hardware.word[BumpStopRampRangeId] = std::uint32_t(value); });
    ui->bumbstopramprangelabel->setText(degreesText(value));
    emit settingsEdited();
}

void HardwarePage::on_bumbstopdampinghorizonalSlider_valueChanged(int value)
{
    editHardware([&](wire::HardwareSettings &hardware) { hardware.word[BumpStopDampingId] = std::uint32_t(value); });
    ui->bumbstopdampinglabel->setText(percentText(value));
    emit settingsEdited();
}

void HardwarePage::on_desktopcenteringhorizontalSlider_valueChanged(int value)
{
    editHardware([&](wire::HardwareSettings &hardware) { hardware.word[DesktopCenteringId] = std::uint32_t(value); });
    ui->desktopcenteringstrengthlabel->setText(offOrPercentText(value));
    emit settingsEdited();
}

void HardwarePage::on_handsoffhorizontalSlider_valueChanged(int level)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHandsOffLevel(hardware, level); });
    ui->handsofflabel->setText(handsOffText(level));
    emit settingsEdited();
}

void HardwarePage::on_torqueclippingcheckBox_toggled(bool checked)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHardwareBit(hardware, SafetyBitsId, kTorqueClippingBit, checked); });
    emit settingsEdited();
}

void HardwarePage::on_resonancereductioncheckBox_toggled(bool checked)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHardwareBit(hardware, SafetyBitsId, kResonanceReductionBit, checked); });
    emit settingsEdited();
}

void HardwarePage::on_audibleBeebsCheckBox_toggled(bool checked)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHardwareBit(hardware, OptionBitsId, kAudibleBeepsBit, checked); });
    emit settingsEdited();
}

void HardwarePage::on_usbrecoverycheckbox_toggled(bool checked)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHardwareBit(hardware, OptionBitsId, kUsbRecoveryBit, checked); });
    emit settingsEdited();
}

void HardwarePage::on_usbsuspendcheckBox_toggled(bool checked)
{
    editHardware([&](wire::HardwareSettings &hardware) { setHardwareBit(hardware, OptionBitsId, kUsbSuspendBit, checked); });
    emit settingsEdited();
}
