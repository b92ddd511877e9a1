#pragma once
// A firmware version as the base reports it and as the image carries it.

#include <tuple>

struct FirmwareVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
};

// Lexicographic: major first, then minor, then patch.
inline bool operator<(const FirmwareVersion &a, const FirmwareVersion &b)
{
    return std::tie(a.major, a.minor, a.patch) < std::tie(b.major, b.minor, b.patch);
}
inline bool operator>(const FirmwareVersion &a, const FirmwareVersion &b) { return b < a; }
inline bool operator<=(const FirmwareVersion &a, const FirmwareVersion &b) { return !(b < a); }
inline bool operator>=(const FirmwareVersion &a, const FirmwareVersion &b) { return !(a < b); }
inline bool operator==(const FirmwareVersion &a, const FirmwareVersion &b)
{
    return std::tie(a.major, a.minor, a.patch) == std::tie(b.major, b.minor, b.patch);
}
inline bool operator!=(const FirmwareVersion &a, const FirmwareVersion &b) { return !(a == b); }
