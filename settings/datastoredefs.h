#pragma once
// One force-feedback profile as the tool holds it: 51 numbered parameters, the name,
// a second text the base keeps with it, and whether it still has to be sent.

#include <array>
#include <cstdint>

constexpr int kProfileParameterCount = 51; // ids 0..50; id 0 is never used
constexpr int kProfileTextSize = 32;

#pragma pack(push, 1)
struct profDataNew {
    std::array<std::uint32_t, kProfileParameterCount> param{};
    std::uint8_t changed = 0;
    std::array<char, kProfileTextSize> name{};
    std::array<char, kProfileTextSize> reservedText{};
};
#pragma pack(pop)
