#pragma once
// The answer to the base's high-torque challenge. The base's firmware computes the same
// function to check the answer, so the constants must never change on one side alone.

#include <cstdint>

namespace wire {

// 1 for the one challenge whose mixed value hits the trigger constant; otherwise a value
// below 2^29.
std::uint32_t highTorqueResponse(std::uint32_t challenge);

} // namespace wire
