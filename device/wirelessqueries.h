#pragma once
// What the base's wireless receiver knows: how many wheels it sees, each wheel's record,
// and the record of the wheel connected now.

#include "wirelessdevicedata.h"

#include <cstdint>

using wire::WirelessDeviceData;

// The answer of the last successful current-device query; the pairing dialog zeroes it
// after a disconnect.
WirelessDeviceData &currentWirelessDevice();

// Common request contract; the count is 16 bits and callers bound it themselves.
bool getNumWirelessDevices(std::uint16_t &count);
// Common request contract, with its own message on each failure path.
bool getWirelessDeviceData(std::uint16_t index, WirelessDeviceData &record);
// Polled every second by the wheel monitor: a missing reply returns false but leaves the
// link open, so one lost answer does not drop the connection.
bool getCurrentWirelessDeviceData();
