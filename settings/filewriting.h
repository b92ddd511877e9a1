#pragma once
// Writing the user's files so that they are whole or reported failed: never into a folder,
// a device or a pipe (opening a pipe would wait for a reader for ever), replaced in one
// step, and read back and compared before the write counts.

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;
class QTextCodec;

namespace settingsfiles {

// What a target path holds before it is written.
struct ExistingTarget {
    enum Kind { Missing, Regular, TooLarge, NotRegular, Unreadable };
    Kind kind = Missing;
    QByteArray bytes; // the file's content when Regular
};

// Looks at `path` without opening anything but a regular file, and reads that only when
// it holds at most `sizeLimit` bytes.
ExistingTarget readExistingTarget(const QString &path, qint64 sizeLimit);

// Writes `bytes` to the device and answers how many it wrote, as QIODevice::write does.
// Tests put a failing writer in its place.
using DeviceWriter = std::function<qint64(QIODevice &device, const QByteArray &bytes)>;

// Replaces `path` with `bytes` through a temporary file beside it, then reads the file
// back and compares. Refuses a target that exists and is not a regular file. False, with
// `error` saying why, when any step fails; a failure before the replacement leaves the
// old file as it was.
bool writeFileVerified(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                       const DeviceWriter &writer = {});

// The bytes Qt's INI writer produces for `initial` (keys as parseIni gives them) after
// `write` has added its own, with the given codec (null: Qt's default). Empty, with
// `ok` false, when the text could not be produced.
QByteArray iniBytes(const QSettings::SettingsMap &initial, const char *codec,
                    const std::function<void(QSettings &)> &write, bool *ok);

} // namespace settingsfiles
