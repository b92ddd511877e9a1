#pragma once
// Display text of the base's operating mode.

#include <QString>

#include <cstdint>

QString operatingModeText(std::uint32_t mode, std::uint8_t driveUpdateProgress);
