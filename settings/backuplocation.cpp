#include "settings/backuplocation.h"

#include "settings/profileimportexport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace profiles {
namespace {

// Tried, not guessed from the permission bits, which say nothing for the administrator,
// access lists or a read-only mount.
bool canCreateFilesIn(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.backup-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString automaticBackupPath(const QString &programFolder)
{
    const QString fileName = QLatin1String(kBackupFileName);
    if (canCreateFilesIn(programFolder))
        return programFolder + QLatin1Char('/') + fileName;
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // Without a home there is no other place: the write fails there and says so.
    if (dataFolder.isEmpty())
        return programFolder + QLatin1Char('/') + fileName;
    // A folder that cannot be made shows as the backup's own failure when it is written.
    QDir().mkpath(dataFolder);
    return dataFolder + QLatin1Char('/') + fileName;
}

} // namespace profiles
