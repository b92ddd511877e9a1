#include "analog/analogini.h"

#include "settings/filewriting.h"
#include "settings/inireader.h"

#include <QDebug>

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
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
    wire::AnalogSettings read = record;
    bool accepted = true;
    forEachKey([&](const QString &key, int axis, int id) {
        if (!accepted)
            return;
        bool ok = false;
        // Decimal digits only: toUInt would also take "+5" and " 5".
        const QString text = settings.value(key).toString();
        const bool digits = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        const uint value = digits ? text.toUInt(&ok, 10) : 0;
        const uint highest = id == wire::AnalogPin ? kHighestAnalogPin : id == wire::AnalogInvert ? 1u : 65535u;
        if (!ok || value > highest) {
            qDebug() << "analog settings file refused at" << key << text;
            accepted = false;
            return;
        }
        read.field(axis, id) = value;
    });
    settings.endGroup();
    if (accepted)
        record = read;
    return accepted;
}

bool exportAnalogFile(const QString &path, const wire::AnalogSettings &record, QString *error)
{
    // Everything the file held is cleared, so the old file is never read.
    bool ok = false;
    const QByteArray bytes = settingsfiles::iniBytes({}, nullptr, [&](QSettings &settings) {
        writeAnalogSettings(settings, record);
    }, &ok);
    if (!ok) {
        if (error)
            *error = path + QStringLiteral(": the INI text could not be produced");
        return false;
    }
    return settingsfiles::writeFileVerified(path, bytes, error);
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
