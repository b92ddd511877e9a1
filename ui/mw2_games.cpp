// Automatic profile per game: the table below the profile settings, the switcher reading
// /proc every 2 s, what it did on the status strip, and the optional tray icon.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "games/gamespanel.h"
#include "games/gameswitcher.h"
#include "games/gametray.h"
#include "games/processtable.h"
#include "session/basesession.h"
#include "settings/profilename.h"

#include <QHBoxLayout>
#include <QLabel>

void MW2::setUpGames()
{
    processTable_ = std::make_unique<games::ProcProcessTable>();
    gameSwitcher_ = new games::GameSwitcher(session_, *processTable_, this);
    gamesPanel_ = new games::GamesPanel(session_, *gameSwitcher_, this);
    gamesPanel_->setObjectName(QStringLiteral("gamesPanel"));
    ui->ProfilesTab->addPanel(gamesPanel_);

    // Beside the active profile's name, so the strip keeps its height.
    gameSwitchLabel_ = new QLabel(ui->centralwidget);
    gameSwitchLabel_->setObjectName(QStringLiteral("gameSwitchLabel"));
    gameSwitchLabel_->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    delete ui->statusstripLayout->replaceWidget(ui->activeprofilestatusfieldlabel, gameSwitchLabel_);
    ui->statusstripLayout->removeWidget(gameSwitchLabel_);
    row->addWidget(ui->activeprofilestatusfieldlabel);
    row->addWidget(gameSwitchLabel_, 1);
    ui->statusstripLayout->addLayout(row, 1, 1, 1, 2);

    gameTray_ = new games::GameTray(this);
    gamesPanel_->setTrayAvailable(games::GameTray::available());
    connect(gamesPanel_, &games::GamesPanel::trayIconWanted, gameTray_, &games::GameTray::setShown);
    connect(gameSwitcher_, &games::GameSwitcher::switchReported, gamesPanel_, &games::GamesPanel::showSwitchReport);
    connect(gameSwitcher_, &games::GameSwitcher::switchReported, gameSwitchLabel_, &QLabel::setText);
    connect(&session_, &BaseSession::controlsRefreshDue, gamesPanel_, [this](bool all) {
        if (all)
            gamesPanel_->refreshProfiles();
    });
    connect(&session_, &BaseSession::disconnected, gamesPanel_, &games::GamesPanel::refreshProfiles);
    connect(&session_, &BaseSession::disconnected, gameTray_, [this] { gameTray_->showActiveProfile(QString()); });
    connect(&session_, &BaseSession::activeProfileChanged, gameTray_, [this](int, profDataNew *profile) {
        gameTray_->showActiveProfile(profile ? profileName(*profile) : QString());
    });
    gameSwitcher_->start();
}
