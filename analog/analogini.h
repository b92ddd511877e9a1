#pragma once
// The analog axis configuration as an INI file: one group, per axis in record order the
// four keys pin, invert, min and max ("ypin", "yinvert", "ymin", "ymax", "zpin", ...).

#include "device/wire/settingsrecords.h"

#include <QString>
#include <QStringList>

class QSettings;

namespace analog {

constexpr char kAnalogIniGroup[] = "VeltRANE_Analog_Axis_Settings_V1";
constexpr char kAnalogIniFileName[] = "veltrane_analogsettings.ini";
constexpr int kAnalogIniKeyCount = 28;

// The 28 keys in file order.
QStringList analogIniKeys();

// Writes the group and its 28 keys; the record's other words and its name are not in files.
void writeAnalogSettings(QSettings &settings, const wire::AnalogSettings &record);

// The highest pin index: the pin list runs from "Not Configured" (0) to the brake pin (4).
constexpr unsigned kHighestAnalogPin = 4;

// Needs all 28 keys in the group, each an unsigned decimal number: a pin in the pin list,
// an invert flag of 0 or 1, a dead-zone bound within 0..65535. Anything else (a missing
// key, text, a negative or too large number) refuses the whole file: false, and the
// record is untouched, so a broken file can never unconfigure every axis.
bool readAnalogSettings(QSettings &settings, wire::AnalogSettings &record);

// The whole file becomes the group (everything else it held is cleared); replaced in one
// step and read back. False, with `error` saying why, when the file is not whole or the
// target is a folder, device or pipe (never opened).
bool exportAnalogFile(const QString &path, const wire::AnalogSettings &record, QString *error = nullptr);

// False (record untouched) when the file cannot be read, is not a regular file, is far
// larger than any configuration, or is refused by readAnalogSettings.
bool importAnalogFile(const QString &path, wire::AnalogSettings &record);

} // namespace analog
