#include "games/gameswindowpart.h"

#include "games/gamespanel.h"
#include "games/gameswitcher.h"
#include "games/gametray.h"
#include "games/processtable.h"
#include "session/basesession.h"
#include "settings/profilename.h"
#include "common/widgets/windowhost.h"

#include <QLabel>

namespace games {

GamesWindowPart::GamesWindowPart(BaseSession &session, WindowHost &host) : QObject(host.frame())
{
    QWidget *frame = host.frame();
    processTable_ = std::make_unique<ProcProcessTable>();
    switcher_ = new GameSwitcher(session, *processTable_, frame);
    panel_ = new GamesPanel(session, *switcher_, frame);
    panel_->setObjectName(QStringLiteral("gamesPanel"));
    host.addPanel(WindowHost::Place::Profiles, panel_);

    // Beside the active profile's name, so the strip keeps its height.
    switchLabel_ = new QLabel(frame);
    switchLabel_->setObjectName(QStringLiteral("gameSwitchLabel"));
    switchLabel_->setTextFormat(Qt::PlainText);
    host.addPanel(WindowHost::Place::StatusStrip, switchLabel_);

    tray_ = new GameTray(frame);
    panel_->setTrayAvailable(GameTray::available());
    connect(panel_, &GamesPanel::trayIconWanted, tray_, &GameTray::setShown);
    connect(switcher_, &GameSwitcher::switchReported, panel_, &GamesPanel::showSwitchReport);
    connect(switcher_, &GameSwitcher::switchReported, switchLabel_, &QLabel::setText);
    connect(&session, &BaseSession::controlsRefreshDue, panel_, [this](bool all) {
        if (all)
            panel_->refreshProfiles();
    });
    connect(&session, &BaseSession::disconnected, panel_, &GamesPanel::refreshProfiles);
    connect(&session, &BaseSession::disconnected, tray_, [this] { tray_->showActiveProfile(QString()); });
    connect(&session, &BaseSession::activeProfileChanged, tray_, [this](int, profDataNew *profile) {
        tray_->showActiveProfile(profile ? profileName(*profile) : QString());
    });
    switcher_->start();
}

GamesWindowPart::~GamesWindowPart() = default;

} // namespace games
