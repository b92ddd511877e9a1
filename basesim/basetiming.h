#pragma once
// How long the base spends in each of its timed states. The boot sequence takes
// a little over three seconds, like the real base from power-on to operational.

#include "device/hid/clock.h"

namespace basesim {

using linkclock::Milliseconds;

constexpr Milliseconds kBootingMs = 400;               // mode 0
constexpr Milliseconds kDriveInitMs = 700;             // mode 2
constexpr Milliseconds kDriveInitializedMs = 300;      // mode 3
constexpr Milliseconds kIndexSearchMs = 1200;          // mode 4, until the index point is found
constexpr Milliseconds kParameterInitMs = 500;         // mode 10
constexpr Milliseconds kBootToOperationalMs =
    kBootingMs + kDriveInitMs + kDriveInitializedMs + kIndexSearchMs + kParameterInitMs;
constexpr Milliseconds kFaultRecheckMs = 100;          // mode 6 looks again this often

constexpr Milliseconds kDriveRestartInitMs = 500;      // mode 2 after a drive restart
constexpr Milliseconds kDriveRestartInitializedMs = 300; // then mode 3, then operational

constexpr Milliseconds kFlashSaveMs = 1500;            // mode 12

// After the bootloader command the base finishes the current USB transfer, drops off
// the bus and comes back under the update-mode product id a little later.
constexpr Milliseconds kBootloaderJumpMs = 100;
constexpr Milliseconds kBootloaderEnumerationMs = 1500;
// The bootloader erases the program flash, and computes the CRC of a received image, in
// the background; the tool waits 2.8 s and 6 s for them.
constexpr Milliseconds kBootloaderEraseMs = 2000;
constexpr Milliseconds kBootloaderVerifyMs = 3000;
// From the start command to the new application leaving the bootloader's bus.
constexpr Milliseconds kApplicationStartMs = 100;

constexpr Milliseconds kGameReportIntervalMs = 4;

} // namespace basesim
