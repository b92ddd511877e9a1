#include "settings/filewriting.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace settingsfiles {

ExistingTarget readExistingTarget(const QString &path, qint64 sizeLimit)
{
    ExistingTarget target;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return target;
    // A dangling link, a folder, a device or a pipe: nothing to read and nothing to write.
    if (!info.isFile()) {
        target.kind = ExistingTarget::NotRegular;
        return target;
    }
    if (info.size() > sizeLimit) {
        target.kind = ExistingTarget::TooLarge;
        return target;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        target.kind = ExistingTarget::Unreadable;
        return target;
    }
    // The size may have grown since it was looked at: one byte more tells.
    target.bytes = file.read(sizeLimit + 1);
    if (target.bytes.size() > sizeLimit) {
        target.bytes.clear();
        target.kind = ExistingTarget::TooLarge;
        return target;
    }
    target.kind = ExistingTarget::Regular;
    return target;
}

bool writeFileVerified(const QString &path, const QByteArray &bytes, QString *error, const DeviceWriter &writer)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = path + QStringLiteral(": ") + why;
        qDebug() << "file write failed:" << path << why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !info.isFile())
        return fail(QStringLiteral("not a regular file"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const qint64 written = writer ? writer(file, bytes) : file.write(bytes);
    if (written != bytes.size()) {
        file.cancelWriting();
        return fail(QStringLiteral("written %1 of %2 bytes: %3").arg(written).arg(bytes.size()).arg(file.errorString()));
    }
    if (!file.commit())
        return fail(file.errorString());

    // What is on disk now, not what this process believes it wrote.
    QFile check(path);
    if (!check.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot be read back: ") + check.errorString());
    const QByteArray onDisk = check.read(qint64(bytes.size()) + 1);
    if (onDisk != bytes)
        return fail(QStringLiteral("read back %1 bytes that differ from the %2 written").arg(onDisk.size()).arg(bytes.size()));
    return true;
}

QByteArray iniBytes(const QSettings::SettingsMap &initial, const char *codec,
                    const std::function<void(QSettings &)> &write, bool *ok)
{
    *ok = false;
    QTemporaryDir folder;
    if (!folder.isValid())
        return {};
    const QString path = folder.filePath(QStringLiteral("file.ini"));
    {
        QSettings settings(path, QSettings::IniFormat);
        if (codec)
            settings.setIniCodec(codec);
        for (auto it = initial.cbegin(); it != initial.cend(); ++it)
            settings.setValue(it.key(), it.value());
        write(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return {};
    }
    QFile file(path);
    // An export with nothing in it leaves no file behind: that is an empty text.
    if (!file.exists()) {
        *ok = true;
        return {};
    }
    if (!file.open(QIODevice::ReadOnly))
        return {};
    *ok = true;
    return file.readAll();
}

} // namespace settingsfiles
