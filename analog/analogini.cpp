#include "analog/analogini.h"

#include "settings/inireader.h"

#include <QFileInfo>
#include <QSettings>

#include <array>

namespace analog {

namespace {

constexpr std::array<const char *, wire::kAnalogAxisCount> kAxisPrefixes = {
    "y", "z", "brake", "throttle", "clutch", "rudder", "hat"};

struct KeyField {
    const char *suffix;
    int id;
};
constexpr std::array<KeyField, 4> kFields = {{
    {"pin", wire::AnalogPin}, {"invert", wire::AnalogInvert}, {"min", wire::AnalogMin}, {"max", wire::AnalogMax}}};

constexpr qint64 kMaximumFileSize = 1024 * 1024;

template <typename Visit> void forEachKey(Visit visit)
{
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (const KeyField &field : kFields)
            visit(QLatin1String(kAxisPrefixes[std::size_t(axis)]) + QLatin1String(field.suffix), axis, field.id);
    }
}

} // namespace

QStringList analogIniKeys()
{
    QStringList keys;
    forEachKey([&](const QString &key, int, int) { keys << key; });
    return keys;
}

void writeAnalogSettings(QSettings &settings, const wire::AnalogSettings &record)
{
    settings.beginGroup(QLatin1String(kAnalogIniGroup));
    forEachKey([&](const QString &key, int axis, int id) { settings.setValue(key, QString::number(record.field(axis, id))); });
    settings.endGroup();
}

bool readAnalogSettings(QSettings &settings, wire::AnalogSettings &record)
{
    settings.beginGroup(QLatin1String(kAnalogIniGroup));
    const bool present = settings.contains(QStringLiteral("ypin"));
    if (present) {
        forEachKey([&](const QString &key, int axis, int id) {
            record.field(axis, id) = settings.value(key).toString().toUInt(); // 0 when not a number
        });
    }
    settings.endGroup();
    return present;
}

bool exportAnalogFile(const QString &path, const wire::AnalogSettings &record)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    settings.clear();
    writeAnalogSettings(settings, record);
    settings.sync();
    return settings.status() != QSettings::AccessError;
}

bool importAnalogFile(const QString &path, wire::AnalogSettings &record)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || info.size() > kMaximumFileSize)
        return false;
    QSettings settings(path, settingsfiles::latin1IniFormat());
    return readAnalogSettings(settings, record);
}

} // namespace analog
