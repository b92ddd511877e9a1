#pragma once
// The event codes the virtual base writes into its ring, with the value it puts beside
// each. Codes up to 399 are those of the tool's event text table, so a downloaded log
// reads as the real base's does; codes from 400 on have no text there and show as
// "event <code>".

#include <cstdint>

namespace basesim::event {

constexpr std::uint16_t ReadCpr = 44;                  // encoder counts per revolution
constexpr std::uint16_t ReadDriveVersion = 46;         // drive firmware version
constexpr std::uint16_t WaitingForFaultsToClear = 61;  // safety flags byte
constexpr std::uint16_t Boot = 100;                    // firmware version as major * 10000 + minor * 100 + patch
constexpr std::uint16_t FlashSettingsLoaded = 101;     // profile count
constexpr std::uint16_t InitialConfigDone = 105;       // 0
constexpr std::uint16_t SerialNumber = 107;            // serial number

// State changes; the value is the operating mode entered.
constexpr std::uint16_t StateDriveInitSuccess = 151;
constexpr std::uint16_t StateWaitingForIndex = 152;
constexpr std::uint16_t StateInitializingDrive = 153;
constexpr std::uint16_t StateBeforeOperational = 154;
constexpr std::uint16_t StateOperational = 155;
constexpr std::uint16_t StateSavingToFlash = 156;
constexpr std::uint16_t StateWaitingForFaults = 164;
constexpr std::uint16_t StateGoingToBootloader = 169;

constexpr std::uint16_t WirelessStateChange = 175;     // 1 wheel connected, 0 disconnected, -1 forgotten
constexpr std::uint16_t WirelessTaskChange = 176;      // 1 scanning, 0 idle

// Commands received; the value is the command's argument (index, count, level) or 0.
constexpr std::uint16_t CmdEventLogDownload = 200;     // logged for the chunk at position 0 only
constexpr std::uint16_t CmdReloadFromFlash = 205;
constexpr std::uint16_t CmdSettingsNotChanged = 206;
constexpr std::uint16_t CmdRequestProfile = 207;       // profile index, once per profile read
constexpr std::uint16_t CmdRequestHardware = 208;      // first id of the frame
constexpr std::uint16_t CmdRequestAnalog = 209;        // record index, once per record read
constexpr std::uint16_t CmdSetHardware = 211;          // first id of the frame
constexpr std::uint16_t CmdSetProfile = 212;           // profile index, once per profile write
constexpr std::uint16_t CmdSetAnalog = 213;            // record index, once per record write
constexpr std::uint16_t CmdSetDriveParameters = 214;   // first address of the frame
constexpr std::uint16_t CmdRawAnalogMode = 221;
constexpr std::uint16_t CmdCalibratedAnalogMode = 222;
constexpr std::uint16_t CmdRestartDrive = 224;         // drive system command number
constexpr std::uint16_t CmdSetWheelCenter = 227;       // 1 permanent, 0 temporary
constexpr std::uint16_t CmdActivateProfile = 230;
constexpr std::uint16_t CmdSetProfileCount = 231;
constexpr std::uint16_t CmdSetDefaultProfile = 232;
constexpr std::uint16_t CmdStartBootloader = 234;
constexpr std::uint16_t CmdEnableForces = 236;
constexpr std::uint16_t CmdResetFfb = 237;
constexpr std::uint16_t CmdSetVerbosity = 238;
constexpr std::uint16_t CmdRequestProfileName = 240;   // profile index
constexpr std::uint16_t CmdSetProfileName = 253;       // profile index
constexpr std::uint16_t CmdSetProfileText = 254;       // profile index (the second text)
constexpr std::uint16_t CmdRequestProfileText = 256;   // profile index (the second text)
constexpr std::uint16_t CmdRequestAnalogName = 258;    // record index

// Force-feedback activity, recorded at verbosity 1 and above. An effect's ID is its type's
// bit in the effect masks plus 1.
constexpr std::uint16_t FfbFindFreeSlot = 300;         // 0
constexpr std::uint16_t FfbFoundFreeSlot = 301;        // effect ID
constexpr std::uint16_t FfbStopAll = 302;              // 0
constexpr std::uint16_t FfbStartEffect = 303;          // effect ID
constexpr std::uint16_t FfbStopEffect = 304;           // effect ID
constexpr std::uint16_t FfbFreeEffect = 305;           // effect ID
constexpr std::uint16_t FfbFreeAll = 306;              // 0
constexpr std::uint16_t FfbCreatedEffect = 307;        // effect type (bit of the masks)
constexpr std::uint16_t FfbSetDeviceGain = 308;        // gain, 0..10000

// Our own.
constexpr std::uint16_t HighTorqueChange = 400;        // 1 on, 0 off, -1 wrong response (stays off)

} // namespace basesim::event
