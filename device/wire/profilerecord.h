#pragma once
// One force-feedback profile as the tool holds it: 51 numbered parameters, the name,
// a second text the base keeps with it, and whether it still has to be sent. Its fields
// are the base's, so it lives with the wire codecs: header-only and free of Qt.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr int kProfileParameterCount = 51; // ids 0..50; id 0 is never used
constexpr int kProfileTextSize = 32;

// Parameter ids; the enumerator names are the canonical names (the profile INI keys).
// Ids 27..49 have no meaning but travel with the profile like the others.
enum class ProfileParameterId : int {
    dxsinegain = 1,
    dxsquaregain = 2,
    overallstrength = 3,
    dxspringgain = 4,
    dxfrictiongain = 5,
    dxdampinggain = 6,
    dxinertiagain = 7,
    bumbstoprange = 8,
    servo_torquebandwidth = 9,
    servo_peakingnotchfilter = 10,
    servo_damping = 11,
    servo_friction = 12,
    servo_inertia = 13,
    servo_reconfilter1 = 14,
    filteringModes = 15,
    dxsawtoothgain = 16,
    dxtrianglegain = 17,
    steeringrange = 18,
    staticforcereduction = 19,
    staticforcereductionspeed = 20,
    gamma = 21,
    centerdamping = 22,
    centerdampinganglespan = 23,
    slewratelimit = 24,
    ultralowlatency = 25,
    simplesettings = 26,
    uibits = 50,
};

constexpr int kFirstUnnamedParameter = 27;
constexpr int kLastUnnamedParameter = 49;

// Bit 0 of `uibits`: the profile is edited in simple mode. Other bits are kept as loaded.
constexpr std::uint32_t kUiBitSimpleMode = 0x1;

// Canonical name by id; "" for id 0 and the unnamed ids 27..49 (and out of range).
constexpr const char *profileParameterName(int id)
{
    constexpr std::array<const char *, 27> named = {
        "",
        "dxsinegain", "dxsquaregain", "overallstrength", "dxspringgain", "dxfrictiongain",
        "dxdampinggain", "dxinertiagain", "bumbstoprange", "servo_torquebandwidth",
        "servo_peakingnotchfilter", "servo_damping", "servo_friction", "servo_inertia",
        "servo_reconfilter1", "filteringModes", "dxsawtoothgain", "dxtrianglegain",
        "steeringrange", "staticforcereduction", "staticforcereductionspeed", "gamma",
        "centerdamping", "centerdampinganglespan", "slewratelimit", "ultralowlatency",
        "simplesettings"};
    if (id >= 0 && id < int(named.size()))
        return named[std::size_t(id)];
    return id == int(ProfileParameterId::uibits) ? "uibits" : "";
}
constexpr const char *profileParameterName(ProfileParameterId id) { return profileParameterName(int(id)); }

// Value of a parameter in a freshly constructed record.
constexpr std::uint32_t profileParameterDefault(int id)
{
    switch (ProfileParameterId(id)) {
    case ProfileParameterId::dxsinegain:
    case ProfileParameterId::dxsquaregain:
    case ProfileParameterId::dxspringgain:
    case ProfileParameterId::dxinertiagain:
    case ProfileParameterId::dxsawtoothgain:
    case ProfileParameterId::dxtrianglegain:
        return 100;
    case ProfileParameterId::overallstrength:
        return 60;
    case ProfileParameterId::dxfrictiongain:
    case ProfileParameterId::dxdampinggain:
        return 15;
    case ProfileParameterId::servo_torquebandwidth:
        return 6;
    case ProfileParameterId::servo_reconfilter1:
        return 1;
    case ProfileParameterId::steeringrange:
        return 900;
    case ProfileParameterId::staticforcereductionspeed:
    case ProfileParameterId::gamma:
        return 1000;
    default:
        return 0;
    }
}
constexpr std::uint32_t profileParameterDefault(ProfileParameterId id) { return profileParameterDefault(int(id)); }

constexpr std::string_view kNewProfileName = "New Profile";

#pragma pack(push, 1)
struct profDataNew {
    std::array<std::uint32_t, kProfileParameterCount> param{};
    std::uint8_t changed = 0;
    // NUL-terminated UTF-8; the only non-ASCII character the editors admit is "°" (C2 B0).
    std::array<char, kProfileTextSize> name{};
    std::array<char, kProfileTextSize> reservedText{};

    // Everything zeroed, the parameter defaults set, then the name "New Profile".
    profDataNew()
    {
        for (int id = 0; id < kProfileParameterCount; ++id)
            param[std::size_t(id)] = profileParameterDefault(id);
        setName(kNewProfileName);
    }

    std::uint32_t &operator[](ProfileParameterId id) { return param[std::size_t(id)]; }
    std::uint32_t operator[](ProfileParameterId id) const { return param[std::size_t(id)]; }

    // Callers that take names from users or files check `nameFits` first and keep the old
    // name otherwise; a name that does not fit here is a programming error.
    static constexpr bool nameFits(std::size_t utf8Bytes) { return utf8Bytes < std::size_t(kProfileTextSize); }

    // Stores the UTF-8 bytes followed by NULs to the end of the field (a NUL inside the
    // text ends the name). A name that does not fit asserts; without assertions it is
    // ignored so the record never overflows.
    void setName(std::string_view utf8)
    {
        assert(nameFits(utf8.size()) && "profile record: profile name of 32 bytes or more");
        if (!nameFits(utf8.size()))
            return;
        name.fill('\0');
        for (std::size_t i = 0; i < utf8.size() && utf8[i] != '\0'; ++i)
            name[i] = utf8[i];
    }

    // The name's bytes up to the first NUL (all 32 when the base sent no NUL).
    std::string_view nameBytes() const
    {
        std::size_t length = 0;
        while (length < name.size() && name[length] != '\0')
            ++length;
        return std::string_view(name.data(), length);
    }

    bool isSimpleMode() const { return ((*this)[ProfileParameterId::uibits] & kUiBitSimpleMode) != 0; }
};
#pragma pack(pop)
static_assert(sizeof(profDataNew) == kProfileParameterCount * 4 + 1 + 2 * kProfileTextSize,
              "profDataNew is packed");
