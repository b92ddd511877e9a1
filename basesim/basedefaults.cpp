#include "basesim/basedefaults.h"

#include <algorithm>
#include <string>

namespace basesim {
namespace {

// Parameter defaults of a new profile, by id.
struct ParameterDefault {
    std::size_t id;
    std::uint32_t value;
};
constexpr ParameterDefault kProfileDefaults[] = {
    {1, 100},  {2, 100}, {3, 60},  {4, 100}, {5, 15},    {6, 15},    {7, 100},
    {9, 6},    {14, 1},  {16, 100}, {17, 100}, {18, 900}, {20, 1000}, {21, 1000},
};

// Hardware setting ids the base gives a value; the rest start at 0.
constexpr std::uint32_t kEncoderCounts = 65536;   // id 1
constexpr std::uint32_t kBumpStopDamping = 50;    // id 6
constexpr std::uint32_t kBumpStopRange = 10;      // id 7, degrees
constexpr std::uint32_t kBumpStopStrength = 60;   // id 8
// Id 14: bump stop on, audible beeps, USB recovery, connect to paired wheels.
constexpr std::uint32_t kOptionBits = (1u << 1) | (1u << 4) | (1u << 5) | (1u << 10);
constexpr std::uint32_t kHandsOffLevel = 1;        // id 20

// Pedals as the inputs deliver them (see inputmotion.cpp), with a little margin.
constexpr std::uint32_t kPedalMin = 2300;
constexpr std::uint32_t kPedalMax = 61600;
constexpr std::uint32_t kFullRangeMin = 100;
constexpr std::uint32_t kFullRangeMax = 65435;

template <std::size_t N>
void setText(std::array<char, N> &field, const std::string &text)
{
    field.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field.begin());
}

std::uint32_t peakCurrentMa(DeviceModel model)
{
    switch (model) {
    case ModelArdex: return 12000;
    case ModelBrivo: return 18000;
    case ModelCendra: return 25000;
    }
    return 12000;
}

} // namespace

ProfileRecord defaultProfile(std::size_t index)
{
    ProfileRecord profile;
    for (const ParameterDefault &d : kProfileDefaults)
        profile.param[d.id] = d.value;
    setText(profile.name, index == 0 ? std::string("Read-only safe profile") : "Profile " + std::to_string(index));
    return profile;
}

ProfileRecord newProfile()
{
    static const ProfileRecord fresh = [] {
        ProfileRecord profile = defaultProfile(1);
        setText(profile.name, "New Profile");
        return profile;
    }();
    return fresh;
}

wire::HardwareSettings defaultHardwareSettings(DeviceModel model)
{
    wire::HardwareSettings hw;
    hw.word[1] = kEncoderCounts;
    hw.word[6] = kBumpStopDamping;
    hw.word[7] = kBumpStopRange;
    hw.word[8] = kBumpStopStrength;
    hw.word[10] = peakCurrentMa(model);
    hw.word[14] = kOptionBits;
    hw.word[20] = kHandsOffLevel;
    return hw;
}

wire::AnalogSettings defaultAnalogSettings(std::size_t index)
{
    struct AxisDefault {
        int axis;
        std::uint32_t pin;
        std::uint32_t min;
        std::uint32_t max;
    };
    // Brake, throttle and clutch on their DB15 pins; the others not configured.
    constexpr AxisDefault kAxes[] = {
        {wire::AxisY, 0, kFullRangeMin, kFullRangeMax},     {wire::AxisZ, 0, kFullRangeMin, kFullRangeMax},
        {wire::AxisBrake, 4, kPedalMin, kPedalMax},         {wire::AxisThrottle, 3, kPedalMin, kPedalMax},
        {wire::AxisClutch, 1, kPedalMin, kPedalMax},        {wire::AxisRudder, 0, kFullRangeMin, kFullRangeMax},
        {wire::AxisHat, 0, kFullRangeMin, kFullRangeMax},
    };
    wire::AnalogSettings record;
    for (const AxisDefault &a : kAxes) {
        record.field(a.axis, wire::AnalogPin) = a.pin;
        record.field(a.axis, wire::AnalogMin) = a.min;
        record.field(a.axis, wire::AnalogMax) = a.max;
        record.field(a.axis, wire::AnalogInvert) = 0;
    }
    setText(record.name, index == 0 ? std::string("Default pedals") : "Analog setup " + std::to_string(index));
    return record;
}

SettingsStore factorySettings(DeviceModel model, std::uint16_t profileCount, std::uint16_t defaultProfileIndex)
{
    SettingsStore store;
    store.profileCount = profileCount;
    store.defaultProfile = defaultProfileIndex;
    store.profiles.reserve(kMaxProfileCount);
    for (std::size_t i = 0; i < kMaxProfileCount; ++i)
        store.profiles.push_back(i < profileCount ? defaultProfile(i) : newProfile());
    store.hardware = defaultHardwareSettings(model);
    for (std::size_t i = 0; i < store.analog.size(); ++i)
        store.analog[i] = defaultAnalogSettings(i);
    return store;
}

std::map<std::uint16_t, std::int32_t> defaultDriveParameters(DeviceModel model)
{
    return {
        {drive::MaximumPower, static_cast<std::int32_t>(peakCurrentMa(model))},
        {drive::CommutationInitSource, drive::kInitSourceAbsoluteEncoder},
        {drive::CommutationOffset, 1873},
        {drive::SaveAndRestart, 0},
        {drive::SerialNumber, 2104417},
        {drive::UniqueId, 0x3A91C4},
        {150, 2400},   // bus voltage, 0.01 V
        {151, 3150},   // power stage temperature, 0.01 degrees C
        {152, 0},      // actual torque, mNm
    };
}

std::vector<WirelessWheel> defaultWirelessWheels()
{
    return {
        {{0x11, 0x22, 0x33, 0x44, 0x55, 0xA1}, "VT-W300", -48, 92, 97, true},
        {{0x11, 0x22, 0x33, 0x44, 0x55, 0xB2}, "GT Formula R", -63, 71, 64, false},
        {{0x11, 0x22, 0x33, 0x44, 0x55, 0xC3}, "Rally Rim 11", -81, 55, 12, false},
    };
}

std::vector<WirelessWheel> defaultWheelsInRange()
{
    return {
        {{0x11, 0x22, 0x33, 0x44, 0x55, 0xD4}, "AR-C28M", -58, 84, 88, false},
        {{0x11, 0x22, 0x33, 0x44, 0x55, 0xE5}, "SRB GT3", -70, 66, 41, false},
    };
}

} // namespace basesim
