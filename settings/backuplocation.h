#pragma once
// Where the automatic profile backup lives. Everything that writes or reads it asks here,
// so the backup is always looked for where it was put.

#include <QString>

namespace profiles {

// "profiles_autobackup.ini" in the program's folder when a file can be created there;
// otherwise (an installed program's folder belongs to the system) in the per-user data
// folder, which is created when missing.
QString automaticBackupPath(const QString &programFolder);

} // namespace profiles
