#include "device/wire/hightorquechallenge.h"

namespace wire {
namespace {

constexpr std::uint32_t kRound1Multiplier = 0x9E3779B1u;
constexpr std::uint32_t kRound1Addend = 0x7F4A7C15u;
constexpr std::uint32_t kRound1Mask = 0xA5C3E1F7u;
constexpr std::uint32_t kRound2Multiplier = 0x85EBCA77u;
constexpr std::uint32_t kRound2Addend = 0x165667B1u;
constexpr std::uint32_t kRound2Mask = 0xC2B2AE3Du;
constexpr std::uint32_t kTrigger = 0x5D0C1E2Bu;
constexpr std::uint32_t kResponseMask = 0x0B3A5C7Du;   // 29 bits
constexpr std::uint32_t kLow29Bits = 0x1FFFFFFFu;

static_assert(kResponseMask <= kLow29Bits, "the response mask has 29 bits");

// Odd multipliers, additions and shift-xors are each invertible, so every challenge mixes
// to a different value and exactly one of them reaches the trigger.
std::uint32_t mixRound(std::uint32_t x, std::uint32_t multiplier, std::uint32_t addend, int shift,
                       std::uint32_t mask)
{
    x = x * multiplier + addend;
    x ^= x << shift;
    return x ^ mask;
}

} // namespace

std::uint32_t highTorqueResponse(std::uint32_t challenge)
{
    std::uint32_t mixed = mixRound(challenge, kRound1Multiplier, kRound1Addend, 7, kRound1Mask);
    mixed = mixRound(mixed, kRound2Multiplier, kRound2Addend, 13, kRound2Mask);
    if (mixed == kTrigger)
        return 1;
    return (mixed & kLow29Bits) ^ kResponseMask;
}

} // namespace wire
