#include "ui/pages/parametertips.h"

#include <QCoreApplication>
#include <QWidget>

namespace parametertips {

namespace {

struct Tip {
    const char *control;
    const char *toolTip;
    const char *whatsThis; // nullptr: the tool tip says it all
};

// clang-format off
constexpr Tip kTips[] = {
    {"simpleprofilenamelineEdit", QT_TRANSLATE_NOOP("ParameterTips", "Name of this profile as the base stores it."), nullptr},
    {"profilenamelineEdit", QT_TRANSLATE_NOOP("ParameterTips", "Name of this profile as the base stores it."), nullptr},
    {"simpleoverallgainSlider", QT_TRANSLATE_NOOP("ParameterTips", "Overall strength of all forces, in percent. Further right is stronger."),
     QT_TRANSLATE_NOOP("ParameterTips", "Scales every force the game asks for. The simple view also scales its damping with it, so the wheel feels alike at any strength.")},
    {"simplesteeringrangehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Total steering angle, lock to lock, in degrees. Set it to the car's own."),
     QT_TRANSLATE_NOOP("ParameterTips", "Choose between 360 and 1440 degrees. A range change is applied only with the wheel near the centre, since the base would otherwise pull it hard towards the new end stop.")},
    {"simplesmoothnesshorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "How much the base smooths the game's forces. Further right is smoother, further left more detailed."),
     QT_TRANSLATE_NOOP("ParameterTips", "Sets the drive's reconstruction filter and slew-rate limit together, from \"Raw\" to \"Very smooth\".")},
    {"simpledampinghorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Damping, friction and inertia of the drive. Further right is heavier and calmer, further left lighter and livelier."),
     QT_TRANSLATE_NOOP("ParameterTips", "Adds resistance that the base makes itself, whatever the game sends, from \"Raw\" to \"Very dampened\".")},
    {"OverallGainSlider", QT_TRANSLATE_NOOP("ParameterTips", "Overall strength of all forces, in percent (10 to 100). Further right is stronger."),
     QT_TRANSLATE_NOOP("ParameterTips", "Scales every force of this profile. The lines below show the torque it gives on this base.")},
    {"SteeringAngleSpinBox", QT_TRANSLATE_NOOP("ParameterTips", "Total steering angle in degrees (40 to 2160, steps of 10); Enter applies it. Centre the wheel first."),
     QT_TRANSLATE_NOOP("ParameterTips", "Lock-to-lock angle of the wheel. A change is refused while the wheel is far from the centre, because the base would pull it at once towards the new end stop.")},
    {"endstopanglehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Degrees taken off each end of the steering range by the bump stop. Further right leaves less lock to lock."),
     QT_TRANSLATE_NOOP("ParameterTips", "Moves the bump stop inwards from both ends; the label shows the lock-to-lock angle that remains.")},
    {"oskaFilterComboBox", QT_TRANSLATE_NOOP("ParameterTips", "Reconstruction filter of the drive. Higher levels are smoother, lower levels more detailed and quicker."),
     QT_TRANSLATE_NOOP("ParameterTips", "Smooths the steps between the force updates a game sends. Too high a level blurs small details and adds a little delay.")},
    {"torque_lpf_comboBox", QT_TRANSLATE_NOOP("ParameterTips", "Torque bandwidth limit of the drive. A lower limit is smoother, a higher one passes quicker detail."),
     QT_TRANSLATE_NOOP("ParameterTips", "Filters out force changes faster than the chosen limit, such as harsh vibrations.")},
    {"oskadampinghorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "Damping the drive adds on its own, in percent. Further right resists fast wheel movement more."), nullptr},
    {"oskafrictionhorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "Friction the drive adds on its own, in percent. Further right makes the wheel feel stiffer."), nullptr},
    {"oskainertiahorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "Inertia the drive adds on its own, in percent. Further right makes the wheel feel heavier to start and stop."), nullptr},
    {"slewratehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Fastest allowed change of torque, in Nm per millisecond. Further left is smoother; at the far right it is off."),
     QT_TRANSLATE_NOOP("ParameterTips", "Limits how fast the force may rise or fall, taking the edge off sudden knocks.")},
    {"centerfreqDoubleSpinBox", QT_TRANSLATE_NOOP("ParameterTips", "Centre frequency of the drive's notch filter, in Hz. Below 1.1 Hz the filter is off."),
     QT_TRANSLATE_NOOP("ParameterTips", "Damps forces around one frequency, for example a vibration of the rig.")},
    {"qFactorDoubleSpinBox", QT_TRANSLATE_NOOP("ParameterTips", "Q factor of the notch filter. Higher is a narrower notch around the centre frequency."), nullptr},
    {"attenuationDoubleSpinBox", QT_TRANSLATE_NOOP("ParameterTips", "Attenuation of the notch filter, in dB. More negative takes more away at the centre frequency."), nullptr},
    {"oskastaticforcereductionhorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "How much of a force that holds steady is taken away, in percent. Further right reduces it more."),
     QT_TRANSLATE_NOOP("ParameterTips", "Eases long steady forces, for example in a long corner, while changes still come through in full.")},
    {"staticforcereductionspeedhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Time the static force reduction takes to act, in seconds."), nullptr},
    {"gammahorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "Force response curve. 1.00 is linear; other values favour weak or strong forces."),
     QT_TRANSLATE_NOOP("ParameterTips", "Bends the curve between the force the game asks for and the torque the base gives.")},
    {"centerdampingslider", QT_TRANSLATE_NOOP("ParameterTips", "Extra damping near the centre, in percent. Further right calms the wheel more around straight ahead."), nullptr},
    {"centerdampinganglespanhorizontalslider", QT_TRANSLATE_NOOP("ParameterTips", "Angle on each side of the centre where the centre damping acts, in degrees; 0 is off."), nullptr},
    {"sinehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's sine effects (vibrations, engine), in percent; 100 is as sent."), nullptr},
    {"squarehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's square-wave effects, in percent; 100 is as sent."), nullptr},
    {"trianglehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's triangle-wave effects, in percent; 100 is as sent."), nullptr},
    {"sawtoothhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's sawtooth effects, in percent; 100 is as sent."), nullptr},
    {"springhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's spring effects (centring), in percent; 100 is as sent."), nullptr},
    {"frictionSlider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's friction effects, in percent; 100 is as sent."), nullptr},
    {"dampingslider", QT_TRANSLATE_NOOP("ParameterTips", "Gain of the game's damper effects, in percent; 100 is as sent."), nullptr},
    {"ultralowlatencyhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Ultra-low-latency level; 0 is off. Higher answers the game sooner but can feel rougher."), nullptr},
    {"bumbstopstrengthhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Strength of the bump stop at the ends of the steering range, in percent; far left is off."),
     QT_TRANSLATE_NOOP("ParameterTips", "The force that holds the wheel at the end of its range. With the bump stop off its damping and ramp cannot be set.")},
    {"bumbstopramprangehorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Angle over which the bump stop builds up to full strength, in degrees. Further right is a softer stop."), nullptr},
    {"bumbstopdampinghorizonalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Damping inside the bump stop, in percent. Further right stops the wheel more calmly."), nullptr},
    {"desktopcenteringhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Spring that centres the wheel while no game sends forces, in percent; far left is off."), nullptr},
    {"handsoffhorizontalSlider", QT_TRANSLATE_NOOP("ParameterTips", "Hands-off detection: how readily the base notices a released wheel and calms it. Off, Low, Medium or High."), nullptr},
    {"torqueclippingcheckBox", QT_TRANSLATE_NOOP("ParameterTips", "Torque clipping: forces beyond the base's limit are cut off at the limit."), nullptr},
    {"resonancereductioncheckBox", QT_TRANSLATE_NOOP("ParameterTips", "Damps the resonance of the wheel and rig, so the rim oscillates less when released."), nullptr},
    {"audibleBeebsCheckBox", QT_TRANSLATE_NOOP("ParameterTips", "The base beeps to signal events such as start-up and faults."), nullptr},
    {"usbrecoverycheckbox", QT_TRANSLATE_NOOP("ParameterTips", "Lets the base recover its USB connection by itself after a communication problem."), nullptr},
    {"usbsuspendcheckBox", QT_TRANSLATE_NOOP("ParameterTips", "Lets the base take part in the computer's USB power saving (suspend)."), nullptr},
};
// clang-format on

QString translated(const char *text) { return QCoreApplication::translate("ParameterTips", text); }

} // namespace

void apply(QWidget &page)
{
    for (const Tip &tip : kTips) {
        QWidget *control = page.findChild<QWidget *>(QLatin1String(tip.control));
        if (!control)
            continue;
        if (control->toolTip().isEmpty())
            control->setToolTip(translated(tip.toolTip));
        control->setWhatsThis(translated(tip.whatsThis ? tip.whatsThis : tip.toolTip));
    }
}

} // namespace parametertips
