#include "games/gamesettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace games {

namespace {

constexpr char kGroup[] = "Games";
constexpr char kAutostartName[] = "veltrane2-tunemark.desktop";

// Desktop entry Exec quoting: the argument in double quotes, with ", `, $ and \ escaped.
QString quotedExecArgument(const QString &program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // A literal percent sign is doubled: "%f" and the like are field codes.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The entry's own escapes: a backslash is written twice once more.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

GameSettings loadGameSettings(QSettings &store)
{
    GameSettings settings;
    store.beginGroup(QLatin1String(kGroup));
    const int count = store.beginReadArray(QStringLiteral("mappings"));
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        setMapping(settings.mappings, store.value(QStringLiteral("game")).toString(),
                   store.value(QStringLiteral("profile")).toString());
    }
    store.endArray();
    settings.trayIcon = store.value(QStringLiteral("trayIcon"), false).toBool();
    settings.startMinimised = store.value(QStringLiteral("startMinimised"), false).toBool();
    settings.startAtLogin = store.value(QStringLiteral("startAtLogin"), false).toBool();
    store.endGroup();
    return settings;
}

void saveGameSettings(QSettings &store, const GameSettings &settings)
{
    store.beginGroup(QLatin1String(kGroup));
    store.remove(QStringLiteral("mappings"));
    store.beginWriteArray(QStringLiteral("mappings"), int(settings.mappings.size()));
    for (int i = 0; i < int(settings.mappings.size()); ++i) {
        store.setArrayIndex(i);
        store.setValue(QStringLiteral("game"), settings.mappings[std::size_t(i)].game);
        store.setValue(QStringLiteral("profile"), settings.mappings[std::size_t(i)].profileName);
    }
    store.endArray();
    store.setValue(QStringLiteral("trayIcon"), settings.trayIcon);
    store.setValue(QStringLiteral("startMinimised"), settings.startMinimised);
    store.setValue(QStringLiteral("startAtLogin"), settings.startAtLogin);
    store.endGroup();
}

bool setMapping(std::vector<GameMapping> &mappings, const QString &game, const QString &profileName)
{
    const QString name = game.trimmed();
    if (name.isEmpty() || profileName.isEmpty())
        return false;
    for (GameMapping &mapping : mappings) {
        if (mapping.game.compare(name, Qt::CaseInsensitive) == 0) {
            mapping = {name, profileName};
            return true;
        }
    }
    mappings.push_back({name, profileName});
    return true;
}

QString autostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/autostart/")
           + QLatin1String(kAutostartName);
}

QString autostartEntryText(const QString &program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Veltrane 2 Tunemark\n"
                          "Comment=Switches the wheel base's profile for each game\n"
                          "Exec=%1\n"
                          "Icon=example.veltrane.Tunemark\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedExecArgument(program));
}

bool writeAutostartEntry(const QString &program, QString &error)
{
    const QString path = autostartEntryPath();
    // One line per key: a program path with a line break cannot be started from an entry.
    if (program.contains(QLatin1Char('\n')) || program.contains(QLatin1Char('\r'))) {
        error = QStringLiteral("the program's path holds a line break");
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntryText(program).toUtf8()) < 0 || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool removeAutostartEntry(QString &error)
{
    QFile file(autostartEntryPath());
    if (file.exists() && !file.remove()) {
        error = QStringLiteral("cannot remove %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

} // namespace games
