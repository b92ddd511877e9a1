#pragma once
// How a wireless wheel is named and described: the catalogue of display names, the MAC
// text that keys its picture mapping, and the battery and link lines with their colours.

#include "device/wire/wirelessdevicedata.h"

#include <QString>

// The display name for an exact, case-sensitive catalogue match, else the name as reported.
QString wheelDisplayName(const QString &reportedName);

// Six lower-case hex pairs joined by ":", last byte of the field first.
QString macAddressText(const wire::MacAddress &mac);

// (batteryRaw × 10 + 2000) / 1000 with exactly two decimals: 70 gives "2.70".
QString batteryVoltageText(std::uint8_t batteryRaw);

// Style sheets of the battery and connection lines: orange when fine, red when low.
QString batteryStyleSheet(std::uint8_t batteryRaw);
QString connectionQualityStyleSheet(std::uint8_t connectionQuality);

// True when a reported name can be used as a file name inside the wheels folder: not
// empty, no "/" or "\", not "." or "..", no ".." anywhere, no control characters.
bool isPlainWheelFileName(const QString &name);

// The reported name of a record as text (ASCII from the base; other bytes kept as Latin-1).
QString reportedWheelName(const wire::WirelessDeviceData &record);
