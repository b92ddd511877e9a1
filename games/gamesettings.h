#pragma once
// What the user set up for automatic switching, kept in the settings store: which
// profile each game gets (by name, so a reorder keeps the mapping), and the tray and
// start-up choices.

#include <QString>
#include <QStringList>

#include <vector>

class QSettings;

namespace games {

struct GameMapping {
    QString game;        // process name or Windows program ("acc.exe")
    QString profileName; // the base profile of that name
    bool operator==(const GameMapping &other) const
    {
        return game == other.game && profileName == other.profileName;
    }
};

struct GameSettings {
    std::vector<GameMapping> mappings;
    bool trayIcon = false;
    bool startMinimised = false; // to the tray; only with the tray icon
    bool startAtLogin = false;
};

GameSettings loadGameSettings(QSettings &store);
void saveGameSettings(QSettings &store, const GameSettings &settings);

// Adds or replaces the mapping of `game` (a game has one profile); false for an empty
// game or profile name.
bool setMapping(std::vector<GameMapping> &mappings, const QString &game, const QString &profileName);

// The XDG autostart entry that starts the tool at login: under $XDG_CONFIG_HOME (or
// ~/.config) /autostart. Writing it replaces an older one; false with `error` set when
// the file could not be written or removed.
QString autostartEntryPath();
bool writeAutostartEntry(const QString &program, QString &error);
bool removeAutostartEntry(QString &error);
// The entry's text for a program path (quoted as the desktop entry rules ask).
QString autostartEntryText(const QString &program);

} // namespace games
