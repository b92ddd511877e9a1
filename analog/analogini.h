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

// Needs the key "ypin" in the group; without it the record is untouched and the answer is
// false. Otherwise every key is read, a missing or non-numeric one as 0.
bool readAnalogSettings(QSettings &settings, wire::AnalogSettings &record);

// The whole file becomes the group (everything else it held is cleared); replaced
// atomically, false when it could not be written.
bool exportAnalogFile(const QString &path, const wire::AnalogSettings &record);

// False (record untouched) when the file cannot be read, is not a regular file, is far
// larger than any configuration, or lacks "ypin".
bool importAnalogFile(const QString &path, wire::AnalogSettings &record);

} // namespace analog
