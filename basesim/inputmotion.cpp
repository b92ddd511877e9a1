#include "basesim/inputmotion.h"

#include "basesim/basesettings.h"
#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"

#include <algorithm>
#include <cmath>

namespace basesim {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// Pedal sensors never span the full converter range; raw mode shows that.
constexpr std::uint16_t kPedalSensorLow = 2100;
constexpr std::uint16_t kPedalSensorHigh = 61800;

// Axes in report order: y, z, brake, throttle, clutch, rudder, hat. Only the three pedals
// move (each with its own period); the others rest at a fixed reading.
constexpr std::array<Milliseconds, wire::kAnalogAxes> kPedalPeriodMs{0, 0, 5000, 3000, 7000, 0, 0};
constexpr std::array<std::uint16_t, wire::kAnalogAxes> kRestingValue{0x8000, 0x8000, 0, 0, 0, 0x8000, 0};

constexpr int kBlinkingButtons = 4;
constexpr Milliseconds kButtonBasePeriodMs = 700;

std::uint16_t clampRaw(std::int64_t value)
{
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, 0xFFFF));
}

// Travel 0..1..0 of a pedal over its period.
double pedalTravel(Milliseconds elapsed, Milliseconds period)
{
    const double phase = static_cast<double>(elapsed % period) / static_cast<double>(period);
    return phase < 0.5 ? 2.0 * phase : 2.0 * (1.0 - phase);
}

// The base's own calibration: the record's raw range [min, max] spread over 0..65535,
// mirrored when inverted. An empty range acts as a switch at min.
std::uint16_t calibrated(std::uint16_t raw, const wire::AnalogSettings &record, int axis)
{
    const double min = record.field(axis, wire::AnalogMin);
    const double max = record.field(axis, wire::AnalogMax);
    double value;
    if (max == min)
        value = raw > min ? 0xFFFF : 0;
    else
        value = std::clamp((raw - min) * 0xFFFF / (max - min), 0.0, double(0xFFFF));
    const auto scaled = static_cast<std::uint16_t>(value);
    return record.field(axis, wire::AnalogInvert) != 0 ? static_cast<std::uint16_t>(0xFFFF - scaled) : scaled;
}

// Reading of one axis at the connector: held by a test, a moving pedal or a resting input.
std::uint16_t sensorReading(const BaseState &state, std::size_t axis, Milliseconds elapsed)
{
    if (state.inputs.heldSensors)
        return (*state.inputs.heldSensors)[axis];
    if (kPedalPeriodMs[axis] == 0)
        return kRestingValue[axis];
    const double travel = pedalTravel(elapsed, kPedalPeriodMs[axis]);
    return clampRaw(std::lround(kPedalSensorLow + travel * (kPedalSensorHigh - kPedalSensorLow)));
}


// Torque stays off while the centre moves, so the wheel does not jump.
void beginCentreChange(BaseState &state)
{
    if (!state.centreChangePending) {
        state.forcesEnabledBeforeCentreChange = state.hasFlag(wire::ForcesEnabled);
        state.centreChangePending = true;
    }
    state.setFlag(wire::ForcesEnabled, false);
}

bool unsetTemporarySteeringAngle(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    base.state.setFlag(wire::tempSteeringAngle, false);
    return false;
}

bool setRawAnalogMode(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    base.state.eventLog.record(event::CmdRawAnalogMode);
    base.state.inputs.rawAnalogMode = true;
    return false;
}

bool setCalibratedAnalogMode(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    base.state.eventLog.record(event::CmdCalibratedAnalogMode);
    base.state.inputs.rawAnalogMode = false;
    return false;
}

bool finishCenterChange(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (state.centreChangePending) {
        state.centreChangePending = false;
        if (state.forcesEnabledBeforeCentreChange)
            state.setFlag(wire::ForcesEnabled, true);
    }
    return false;
}

// Session only: no setting changes, so the flash still matches and Unsaved is untouched.
bool setWheelCenterTemporary(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.eventLog.record(event::CmdSetWheelCenter, 0);
    beginCentreChange(state);
    state.inputs.centreOffset =
        static_cast<std::int32_t>(mechanicalWheelPosition(state, base.now)) - wire::kWheelCentre;
    return false;
}

// Written straight to flash as well, so it does not make the settings unsaved.
bool setWheelCenterPermanent(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.eventLog.record(event::CmdSetWheelCenter, 1);
    beginCentreChange(state);
    const std::int32_t offset =
        static_cast<std::int32_t>(mechanicalWheelPosition(state, base.now)) - wire::kWheelCentre;
    state.inputs.centreOffset = offset;
    state.ram.setPermanentCentreOffset(offset);
    state.flash.setPermanentCentreOffset(offset);
    return false;
}

} // namespace

void holdInputsAtRest(BaseState &state)
{
    state.holdWheel(wire::kWheelCentre);
    std::array<std::uint16_t, wire::kAnalogAxes> sensors = kRestingValue;
    for (std::size_t axis = 0; axis < wire::kAnalogAxes; ++axis) {
        if (kPedalPeriodMs[axis] != 0)
            sensors[axis] = kPedalSensorLow;
    }
    state.inputs.heldSensors = sensors;
    state.inputs.heldButtons = std::array<std::uint32_t, 4>{};
}

std::uint16_t mechanicalWheelPosition(const BaseState &state, Milliseconds now)
{
    if (state.inputs.heldWheelPosition)
        return *state.inputs.heldWheelPosition;
    const Milliseconds elapsed = std::max<Milliseconds>(0, now - state.poweredOnAt);
    const double phase = static_cast<double>(elapsed % kWheelSweepPeriodMs) / kWheelSweepPeriodMs;
    return clampRaw(wire::kWheelCentre + std::lround(kWheelSweepAmplitude * std::sin(kTwoPi * phase)));
}

std::uint16_t reportedWheelPosition(const BaseState &state, Milliseconds now)
{
    return clampRaw(static_cast<std::int64_t>(mechanicalWheelPosition(state, now)) - state.inputs.centreOffset);
}

wire::WheelSample inputSample(const BaseState &state, Milliseconds now)
{
    wire::WheelSample sample;
    sample.position = reportedWheelPosition(state, now);
    const Milliseconds elapsed = std::max<Milliseconds>(0, now - state.poweredOnAt);

    if (state.inputs.heldAxes) {
        sample.axes = *state.inputs.heldAxes;
    } else {
        // Games get calibrated values unless the analog dialog asked for raw ones.
        const wire::AnalogSettings *inUse = state.ram.analogRecord(state.ram.hardware.word[kAnalogRecordInUseId]);
        for (std::size_t axis = 0; axis < wire::kAnalogAxes; ++axis) {
            const std::uint16_t raw = sensorReading(state, axis, elapsed);
            sample.axes[axis] = state.inputs.rawAnalogMode || !inUse ? raw : calibrated(raw, *inUse, int(axis));
        }
    }

    if (state.inputs.heldButtons) {
        sample.buttons = *state.inputs.heldButtons;
    } else {
        for (int button = 0; button < kBlinkingButtons; ++button) {
            const Milliseconds period = kButtonBasePeriodMs * (button + 1);
            sample.setButton(static_cast<std::size_t>(button), (elapsed / period) % 2 == 1);
        }
    }
    return sample;
}

void addInputCommands(CommandTable &table)
{
    table.on(DeviceCommand::unsetTemporarySteeringAngle, unsetTemporarySteeringAngle);
    table.on(DeviceCommand::setRawAnalogMode, setRawAnalogMode);
    table.on(DeviceCommand::setCalibratedAnalogMode, setCalibratedAnalogMode);
    table.on(DeviceCommand::finishCenterChange, finishCenterChange);
    table.on(DeviceCommand::setWheelCenterTemporary, setWheelCenterTemporary);
    table.on(DeviceCommand::setWheelCenterPermanent, setWheelCenterPermanent);
}

} // namespace basesim
