// Editing the active profile on the Profiles tab: each control writes its value into the
// record at once and marks it changed; nothing is sent from here. The window applies the
// changed records later, after its safety check.

#include "ui/pages/profilespage.h"
#include "ui_profilespage.h"

#include "session/basesession.h"
#include "ui/dialogs/confirmbacktosimpleprofiledialog.h"
#include "common/editing/controlvalues.h"
#include "settings/datastoredefs.h"
#include "session/hardwareedits.h"
#include "common/editing/profileedits.h"
#include "ui/pages/profilemanagementgroup.h"
#include "settings/profilename.h"
#include "common/presentation/profilereadings.h"
#include "session/safetycheck.h"
#include "settings/simplesettings.h"
#include "common/presentation/torquelines.h"
#include "common/widgets/userprompts.h"
#include "common/presentation/wheeltick.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

using namespace editing;
using Id = ProfileParameterId;

namespace {

template <typename Control, typename Value>
void setQuietly(Control *control, Value value)
{
    const QSignalBlocker quiet(control);
    control->setValue(value);
}

void setIndexQuietly(QComboBox *box, int index)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

// A slider whose position is one parameter of the profile, its label showing the value.
struct ParameterSlider {
    QSlider *slider;
    QLabel *label;
    Id id;
    std::uint32_t (*stored)(int position, int maximum);
    QString (*text)(int position, int maximum);
};

} // namespace

void ProfilesPage::setPrompts(UserPrompts *prompts)
{
    prompts_ = prompts;
    ui->profilemanagementgroupBox->setPrompts(prompts);
}

void ProfilesPage::setSession(BaseSession *session)
{
    session_ = session;
    ui->profilemanagementgroupBox->setSession(session);
}

int ProfilesPage::editedProfileIndex() const { return session_ ? session_->editedProfileIndex() : 0; }
profDataNew *ProfilesPage::editedProfile() const { return session_ ? session_->editedProfile() : nullptr; }
profDataNew *ProfilesPage::editableProfile() const { return session_ ? session_->editableProfile() : nullptr; }

void ProfilesPage::markCurrentProfileChanged() const
{
    if (session_)
        session_->markActiveProfileChanged();
}

std::uint32_t ProfilesPage::rampRange() const
{
    return session_ ? hardwareWord(session_->link().hardwareSettings(), BumpStopRampRangeId) : 0;
}

void ProfilesPage::setUpEditors()
{
    const auto asIs = [](int position, int) { return std::uint32_t(position); };
    const auto percent = [](int position, int) { return percentText(position); };
    const auto drive = [](int position, int) { return driveStoredValue(position); };
    const auto driveText = [](int position, int) { return driveValueText(driveStoredValue(position)); };
    const ParameterSlider parameterSliders[] = {
        {ui->sinehorizontalSlider, ui->sinestrengthlabel, Id::dxsinegain, asIs, percent},
        {ui->squarehorizontalSlider, ui->squarestrengthlabel, Id::dxsquaregain, asIs, percent},
        {ui->springhorizontalSlider, ui->springlabel, Id::dxspringgain, asIs, percent},
        {ui->frictionSlider, ui->frictionvaluelabel, Id::dxfrictiongain, asIs, percent},
        {ui->dampingslider, ui->dampingeffectvaluelabel, Id::dxdampinggain, asIs, percent},
        {ui->trianglehorizontalSlider, ui->trianglestrengthlabel, Id::dxtrianglegain, asIs, percent},
        {ui->sawtoothhorizontalSlider, ui->sawtoothstrengthlabel, Id::dxsawtoothgain, asIs, percent},
        {ui->oskadampinghorizontalslider, ui->oskadampinglabel, Id::servo_damping, drive, driveText},
        {ui->oskafrictionhorizontalslider, ui->oskafrictionlabel, Id::servo_friction, drive, driveText},
        {ui->oskainertiahorizontalslider, ui->oskainertialabel, Id::servo_inertia, drive, driveText},
        {ui->centerdampingslider, ui->centerdampinglabel, Id::centerdamping, drive, driveText},
        {ui->oskastaticforcereductionhorizontalslider, ui->oskastaticforcesaturationlabel, Id::staticforcereduction,
         [](int position, int) { return staticForceReductionStored(position); },
         [](int position, int) { return staticForceReductionText(staticForceReductionStored(position)); }},
        {ui->staticforcereductionspeedhorizontalSlider, ui->staticforcereductionspeedlabel,
         Id::staticforcereductionspeed, asIs,
         [](int position, int) { return staticForceReductionSpeedText(position); }},
        {ui->slewratehorizontalSlider, ui->slewratelabel, Id::slewratelimit, slewRateStored, slewRateText},
        {ui->gammahorizontalslider, ui->gammalabel, Id::gamma, asIs,
         [](int position, int) { return gammaText(position); }},
        {ui->centerdampinganglespanhorizontalslider, ui->centerdampinganglespanlabel, Id::centerdampinganglespan, asIs,
         [](int position, int) { return offOrDegreesText(position); }},
        {ui->ultralowlatencyhorizontalSlider, ui->ultralowlatencylabel, Id::ultralowlatency, asIs,
         [](int position, int) { return offOrPercentText(position); }},
    };
    // A drag applies every position it passes, also where the slider does not track (a
    // tracking slider applies it twice; the second time finds it stored).
    for (const ParameterSlider &row : parameterSliders) {
        const auto apply = [this, row](int position) {
            const int maximum = row.slider->maximum();
            row.label->setText(row.text(position, maximum));
            storeParameter(int(row.id), row.stored(position, maximum));
        };
        connect(row.slider, &QSlider::valueChanged, this, apply);
        connect(row.slider, &QSlider::sliderMoved, this, apply);
    }

    // Sliders with a rule of their own keep their slot, connected to valueChanged by name.
    using Handler = void (ProfilesPage::*)(int);
    const std::pair<QSlider *, Handler> ruledSliders[] = {
        {ui->OverallGainSlider, &ProfilesPage::on_OverallGainSlider_valueChanged},
        {ui->simpleoverallgainSlider, &ProfilesPage::on_simpleoverallgainSlider_valueChanged},
        {ui->endstopanglehorizontalSlider, &ProfilesPage::on_endstopanglehorizontalSlider_valueChanged},
        {ui->simplesteeringrangehorizontalSlider,
         &ProfilesPage::on_simplesteeringrangehorizontalSlider_valueChanged},
        {ui->simplesmoothnesshorizontalSlider, &ProfilesPage::on_simplesmoothnesshorizontalSlider_valueChanged},
        {ui->simpledampinghorizontalSlider, &ProfilesPage::on_simpledampinghorizontalSlider_valueChanged},
    };
    for (const auto &[slider, handler] : ruledSliders)
        connect(slider, &QSlider::sliderMoved, this, handler);

    // One fixed order for setControlsEnabled: overall strength, the parameter sliders, then
    // the end stop and the simple levels.
    editorControls_ << ruledSliders[0].first << ruledSliders[1].first;
    for (const ParameterSlider &row : parameterSliders)
        editorControls_ << row.slider;
    for (std::size_t i = 2; i < std::size(ruledSliders); ++i)
        editorControls_ << ruledSliders[i].first;
    editorControls_ << ui->torque_lpf_comboBox << ui->oskaFilterComboBox << ui->attenuationDoubleSpinBox
                    << ui->qFactorDoubleSpinBox << ui->centerfreqDoubleSpinBox << ui->SteeringAngleSpinBox
                    << ui->profilenamelineEdit << ui->simpleprofilenamelineEdit << ui->advancedpushButton
                    << ui->simplemodepushButton;
}

bool ProfilesPage::editProfile(const std::function<void(profDataNew &)> &edit)
{
    profDataNew *profile = editableProfile();
    if (!profile)
        return false;
    edit(*profile);
    markCurrentProfileChanged();
    emit settingsEdited();
    return true;
}

void ProfilesPage::storeParameter(int id, std::uint32_t value)
{
    editProfile([id, value](profDataNew &profile) { profile.param[std::size_t(id)] = value; });
}

void ProfilesPage::setControlsEnabled(bool enabled)
{
    controlsEnabled_ = enabled;
    for (QWidget *control : qAsConst(editorControls_)) {
        // Whether a game holds the steering angle decides this box while editing is allowed.
        if (enabled && control == ui->SteeringAngleSpinBox)
            continue;
        control->setEnabled(enabled);
    }
    enableNotchShapeBoxes();
}

void ProfilesPage::refreshTorqueLines()
{
    const profDataNew *profile = editedProfile();
    if (!profile)
        return;
    const presentation::TorqueLinesView torque = presentation::torqueLinesView(
        hardwareWord(session_->link().hardwareSettings(), PeakCurrentId), presentation::overallStrengthPercent(*profile),
        presentation::simpleStrengthPercent(*profile), session_->status().hasFlag(wire::highTorque));
    showTorqueLines(torque.actualCurrent, torque.simpleStrength);
}

void ProfilesPage::showProfile(const profDataNew &profile)
{
    const QString name = profileName(profile);
    for (QLineEdit *editor : {ui->profilenamelineEdit, ui->simpleprofilenamelineEdit}) {
        const QSignalBlocker quiet(editor);
        editor->setText(name);
    }

    const auto value = [&profile](Id id) { return profile[id]; };
    setQuietly(ui->OverallGainSlider, int(value(Id::overallstrength)));
    ui->overallgainvaluelabel->setText(percentText(int(value(Id::overallstrength))));
    setQuietly(ui->SteeringAngleSpinBox, int(value(Id::steeringrange)));
    setQuietly(ui->endstopanglehorizontalSlider, int(value(Id::bumbstoprange)));
    ui->endstoplocktolocklabel->setText(lockToLockText(value(Id::steeringrange), value(Id::bumbstoprange)));
    setIndexQuietly(ui->torque_lpf_comboBox, int(value(Id::servo_torquebandwidth)));
    setIndexQuietly(ui->oskaFilterComboBox, int(value(Id::servo_reconfilter1)));

    const std::pair<QSlider *, QLabel *> driveControls[] = {
        {ui->oskadampinghorizontalslider, ui->oskadampinglabel},
        {ui->oskafrictionhorizontalslider, ui->oskafrictionlabel},
        {ui->oskainertiahorizontalslider, ui->oskainertialabel},
        {ui->centerdampingslider, ui->centerdampinglabel},
    };
    const Id driveIds[] = {Id::servo_damping, Id::servo_friction, Id::servo_inertia, Id::centerdamping};
    for (std::size_t i = 0; i < std::size(driveIds); ++i) {
        setQuietly(driveControls[i].first, driveSliderPosition(value(driveIds[i])));
        driveControls[i].second->setText(driveValueText(value(driveIds[i])));
    }

    const std::uint32_t reduction = value(Id::staticforcereduction);
    setQuietly(ui->oskastaticforcereductionhorizontalslider, staticForceReductionPosition(reduction));
    ui->oskastaticforcesaturationlabel->setText(staticForceReductionText(reduction));
    const int speed = int(value(Id::staticforcereductionspeed));
    setQuietly(ui->staticforcereductionspeedhorizontalSlider, speed);
    ui->staticforcereductionspeedlabel->setText(staticForceReductionSpeedText(speed));

    const int slewMaximum = ui->slewratehorizontalSlider->maximum();
    const int slewPosition = slewRatePosition(value(Id::slewratelimit), slewMaximum);
    setQuietly(ui->slewratehorizontalSlider, slewPosition);
    ui->slewratelabel->setText(slewRateText(ui->slewratehorizontalSlider->value(), slewMaximum));

    const int span = int(value(Id::centerdampinganglespan));
    setQuietly(ui->centerdampinganglespanhorizontalslider, span);
    ui->centerdampinganglespanlabel->setText(offOrDegreesText(span));
    const int gamma = int(value(Id::gamma));
    setQuietly(ui->gammahorizontalslider, gamma);
    ui->gammalabel->setText(gammaText(gamma));
    const int latency = int(value(Id::ultralowlatency));
    setQuietly(ui->ultralowlatencyhorizontalSlider, latency);
    ui->ultralowlatencylabel->setText(offOrPercentText(latency));

    // The codes come from the record, not from the boxes, which clamp what they show.
    notchCodes_ = unpackNotchFilter(value(Id::servo_peakingnotchfilter));
    setQuietly(ui->attenuationDoubleSpinBox, attenuationDecibels(notchCodes_.attenuation));
    setQuietly(ui->qFactorDoubleSpinBox, qFactor(notchCodes_.q));
    setQuietly(ui->centerfreqDoubleSpinBox, centreHertz(notchCodes_.centre));
    enableNotchShapeBoxes();

    const std::tuple<QSlider *, QLabel *, Id> gains[] = {
        {ui->sinehorizontalSlider, ui->sinestrengthlabel, Id::dxsinegain},
        {ui->squarehorizontalSlider, ui->squarestrengthlabel, Id::dxsquaregain},
        {ui->springhorizontalSlider, ui->springlabel, Id::dxspringgain},
        {ui->frictionSlider, ui->frictionvaluelabel, Id::dxfrictiongain},
        {ui->dampingslider, ui->dampingeffectvaluelabel, Id::dxdampinggain},
        {ui->trianglehorizontalSlider, ui->trianglestrengthlabel, Id::dxtrianglegain},
        {ui->sawtoothhorizontalSlider, ui->sawtoothstrengthlabel, Id::dxsawtoothgain},
    };
    for (const auto &[slider, label, id] : gains) {
        setQuietly(slider, int(value(id)));
        label->setText(percentText(int(value(id))));
    }

    showSimpleLevels(profile);
    showSimpleView(profile.isSimpleMode());
}

void ProfilesPage::showSimpleLevels(const profDataNew &profile)
{
    const SimpleSettings levels = decodeSimpleSettings(profile[Id::simplesettings]);
    setQuietly(ui->simpleoverallgainSlider, int(levels.strength));
    setQuietly(ui->simplesteeringrangehorizontalSlider, int(levels.rangeIndex));
    ui->simplesteeringrangelabel->setText(simpleRangeText(levels.rangeIndex));
    setQuietly(ui->simplesmoothnesshorizontalSlider, int(levels.smoothness));
    ui->simplesmoothnesslabel->setText(smoothnessLevelName(levels.smoothness));
    setQuietly(ui->simpledampinghorizontalSlider, int(levels.damping));
    ui->simpledampinglabel->setText(dampingLevelName(levels.damping));
}

// Overall strength: both views share it.

void ProfilesPage::on_OverallGainSlider_valueChanged(int value) { applyOverallStrength(value); }

void ProfilesPage::on_simpleoverallgainSlider_valueChanged(int value) { applyOverallStrength(value); }

void ProfilesPage::applyOverallStrength(int percent)
{
    ui->overallgainvaluelabel->setText(percentText(percent));
    profDataNew *profile = editableProfile();
    // Filling the other view's slider must not count as an edit: only a new value does.
    if (!profile || !setOverallStrength(*profile, std::uint32_t(percent)))
        return;
    markCurrentProfileChanged();
    emit settingsEdited();
    refreshTorqueLines();
}

// Drive filters.

void ProfilesPage::on_torque_lpf_comboBox_currentIndexChanged(int index)
{
    if (index >= 0)
        storeParameter(int(Id::servo_torquebandwidth), std::uint32_t(index));
}

void ProfilesPage::on_oskaFilterComboBox_currentIndexChanged(int index)
{
    if (index >= 0)
        storeParameter(int(Id::servo_reconfilter1), std::uint32_t(index));
}

// The end stop stays inside the steering range, short of the bump-stop ramp.
void ProfilesPage::on_endstopanglehorizontalSlider_valueChanged(int value)
{
    std::uint32_t stored = 0;
    const bool edited = editProfile([&stored, value, ramp = rampRange()](profDataNew &profile) {
        stored = setEndStop(profile, std::uint32_t(std::max(value, 0)), ramp);
    });
    if (!edited)
        return;
    if (int(stored) != value)
        setQuietly(ui->endstopanglehorizontalSlider, int(stored));
    if (const profDataNew *profile = editedProfile())
        ui->endstoplocktolocklabel->setText(lockToLockText((*profile)[Id::steeringrange], stored));
}

// The notch filter: each box replaces its own part and the whole word is packed again.

void ProfilesPage::on_attenuationDoubleSpinBox_valueChanged(double decibels)
{
    notchCodes_.attenuation = attenuationCode(decibels);
    storeNotchFilter();
}

void ProfilesPage::on_qFactorDoubleSpinBox_valueChanged(double q)
{
    notchCodes_.q = qCode(q);
    storeNotchFilter();
}

void ProfilesPage::on_centerfreqDoubleSpinBox_valueChanged(double hertz)
{
    notchCodes_.centre = centreCode(hertz);
    enableNotchShapeBoxes();
    storeNotchFilter();
}

void ProfilesPage::storeNotchFilter()
{
    storeParameter(int(Id::servo_peakingnotchfilter), packNotchFilter(notchCodes_));
}

void ProfilesPage::enableNotchShapeBoxes()
{
    const bool editable = controlsEnabled_ && notchShapeEditable(notchCodes_.centre);
    ui->qFactorDoubleSpinBox->setEnabled(editable);
    ui->attenuationDoubleSpinBox->setEnabled(editable);
}

// Simple view.

void ProfilesPage::on_simplesteeringrangehorizontalSlider_valueChanged(int index)
{
    profDataNew *current = editableProfile();
    if (!current)
        return;
    // The same rule as the steering range box: only with the wheel near centre.
    if (std::uint32_t(simpleRangeDegrees(index)) != (*current)[Id::steeringrange]
        && !steeringRangeEditAllowed(session_->link())) {
        showSimpleLevels(*current);
        emit steeringRangeChangeRefused();
        return;
    }
    ui->simplesteeringrangelabel->setText(simpleRangeText(index));
    editProfile([index, ramp = rampRange()](profDataNew &profile) { setSimpleRangeIndex(profile, index, ramp); });
    if (const profDataNew *profile = editedProfile())
        setQuietly(ui->SteeringAngleSpinBox, int((*profile)[Id::steeringrange]));
}

void ProfilesPage::on_simplesmoothnesshorizontalSlider_valueChanged(int level)
{
    ui->simplesmoothnesslabel->setText(smoothnessLevelName(level));
    editProfile([level](profDataNew &profile) { setSimpleSmoothness(profile, level); });
}

void ProfilesPage::on_simpledampinghorizontalSlider_valueChanged(int level)
{
    ui->simpledampinglabel->setText(dampingLevelName(level));
    editProfile([level](profDataNew &profile) { setSimpleDamping(profile, level); });
}

// The steering range changes only near centre: a smaller range could otherwise put the
// wheel beyond its new end stop, where the base pushes back at once.
void ProfilesPage::on_SteeringAngleSpinBox_editingFinished()
{
    profDataNew *profile = editableProfile();
    if (!profile)
        return;
    const std::uint32_t stored = (*profile)[Id::steeringrange];
    // Where the wheel really is: measured under the range the base runs, and during an
    // E-stop the last position the base reported, not the centred stand-in.
    if (!steeringRangeEditAllowed(session_->link())) {
        setQuietly(ui->SteeringAngleSpinBox, int(stored));
        emit steeringRangeChangeRefused();
        return;
    }
    if (!setSteeringRange(*profile, std::uint32_t(ui->SteeringAngleSpinBox->value()), rampRange()))
        return;
    const std::uint32_t endStop = (*profile)[Id::bumbstoprange];
    setQuietly(ui->endstopanglehorizontalSlider, int(endStop));
    ui->endstoplocktolocklabel->setText(lockToLockText((*profile)[Id::steeringrange], endStop));
    markCurrentProfileChanged();
    emit settingsEdited();
}

// View switches. The window sends the profile at once and refills the controls, which
// then show the view the record asks for.

void ProfilesPage::on_advancedpushButton_clicked()
{
    profDataNew *profile = editableProfile();
    if (!profile)
        return;
    enterAdvancedMode(*profile);
    emit profileViewSwitched();
}

void ProfilesPage::on_simplemodepushButton_clicked()
{
    if (!editableProfile() || !prompts_)
        return;
    QPointer<ConfirmBackToSimpleProfileDialog> dialog = new ConfirmBackToSimpleProfileDialog(this);
    emit dialogOpened(dialog);
    const int answer = prompts_->exec(dialog);
    // A lost base closes the dialog; the profile list may have been rebuilt meanwhile.
    const bool confirmed = dialog && answer == QDialog::Accepted;
    delete dialog.data();
    profDataNew *profile = editableProfile();
    if (!confirmed || !profile)
        return;
    // The simple levels may set another steering range: the same rule as any range change.
    profDataNew switched = *profile;
    enterSimpleMode(switched);
    if (switched[Id::steeringrange] != (*profile)[Id::steeringrange]
        && !steeringRangeEditAllowed(session_->link())) {
        emit steeringRangeChangeRefused();
        return;
    }
    *profile = switched;
    emit profileViewSwitched();
}

// Names.

void ProfilesPage::on_profilenamelineEdit_editingFinished()
{
    renameActiveProfile(ui->profilenamelineEdit, ui->simpleprofilenamelineEdit);
}

void ProfilesPage::on_simpleprofilenamelineEdit_editingFinished()
{
    renameActiveProfile(ui->simpleprofilenamelineEdit, ui->profilenamelineEdit);
}

void ProfilesPage::renameActiveProfile(QLineEdit *editor, QLineEdit *twin)
{
    const int index = editedProfileIndex();
    profDataNew *profile = editedProfile();
    if (!profile)
        return;
    const QString text = editor->text();
    if (index == 0) {
        // The base's safe profile keeps its name.
        const QSignalBlocker quiet(editor);
        editor->setText(profileName(*profile));
        return;
    }
    if (text == profileName(*profile))
        return;
    if (!setProfileName(*profile, text)) {
        // Too long for the base's name field once encoded: the old name stays, visibly.
        const QSignalBlocker quiet(editor);
        editor->setText(profileName(*profile));
        return;
    }
    {
        const QSignalBlocker quiet(twin);
        twin->setText(text);
    }
    markCurrentProfileChanged();
    emit settingsEdited();
    emit profileRenamed(index);
}
