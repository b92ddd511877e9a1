#pragma once
// Automatic profile per game in the main window: the table below the profile settings,
// the switcher reading /proc every 2 s, what it did on the status strip, and the
// optional tray icon.

#include <QObject>

#include <memory>

class BaseSession;
class QLabel;
class WindowHost;

namespace games {

class GamesPanel;
class GameSwitcher;
class GameTray;
class ProcessTable;

class GamesWindowPart : public QObject {
    Q_OBJECT

public:
    GamesWindowPart(BaseSession &session, WindowHost &host);
    ~GamesWindowPart() override;

    GameSwitcher &switcher() const { return *switcher_; }
    GamesPanel &panel() const { return *panel_; }

private:
    std::unique_ptr<ProcessTable> processTable_;
    GameSwitcher *switcher_ = nullptr;
    GamesPanel *panel_ = nullptr;
    GameTray *tray_ = nullptr;
    QLabel *switchLabel_ = nullptr;
};

} // namespace games
