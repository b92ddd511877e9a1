#pragma once
// The game table on the Profiles tab (game → profile name, a profile the base lacks shown
// as missing), and the choices that keep the switching going with the window out of the
// way: the tray icon, starting minimised to it, starting at login. Every change is kept
// in the settings store at once.

#include "games/gamesettings.h"

#include <QGroupBox>

#include <memory>

class BaseSession;

namespace Ui {
class GamesPanel;
}

namespace games {

class GameSwitcher;

class GamesPanel : public QGroupBox {
    Q_OBJECT

public:
    GamesPanel(BaseSession &session, GameSwitcher &switcher, QWidget *parent = nullptr);
    ~GamesPanel() override;

    const GameSettings &settings() const { return settings_; }
    // Without a system tray the tray choices stay off, saying why.
    void setTrayAvailable(bool available);

    // Adds or replaces a game's mapping; false (and a message) when one of the two is empty.
    bool addMapping(const QString &game, const QString &profileName);
    void removeMapping(int row);

public slots:
    // The base's profile names changed (or the base came or went).
    void refreshProfiles();
    void showSwitchReport(const QString &text);

signals:
    void trayIconWanted(bool shown);

private slots:
    void on_addgamepushButton_clicked();
    void on_removegamepushButton_clicked();
    void on_listprocessespushButton_clicked();
    void on_traycheckBox_toggled(bool checked);
    void on_minimisedcheckBox_toggled(bool checked);
    void on_logincheckBox_toggled(bool checked);

private:
    void store();
    void showTable();

    std::unique_ptr<Ui::GamesPanel> ui;
    BaseSession &session_;
    GameSwitcher &switcher_;
    GameSettings settings_;
    bool trayAvailable_ = false;
};

} // namespace games
