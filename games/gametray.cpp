#include "games/gametray.h"

#include "games/gamesettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QWidget>

namespace games {

GameTray::GameTray(QWidget *window) : QObject(window), window_(window), icon_(new QSystemTrayIcon(this))
{
    icon_->setIcon(window->windowIcon());
    auto *menu = new QMenu(window);
    menu->addAction(tr("Show window"), this, &GameTray::bringBack);
    menu->addAction(tr("Quit"), qApp, &QCoreApplication::quit);
    icon_->setContextMenu(menu);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            bringBack();
    });
    showActiveProfile(QString());
}

bool GameTray::available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void GameTray::setShown(bool shown) { icon_->setVisible(shown && available()); }

bool GameTray::shown() const { return icon_->isVisible(); }

void GameTray::showActiveProfile(const QString &name)
{
    icon_->setToolTip(name.isEmpty() ? tr("Veltrane 2 Tunemark: no base connected")
                                     : tr("Veltrane 2 Tunemark: profile '%1'").arg(name));
}

QString GameTray::toolTip() const { return icon_->toolTip(); }

void GameTray::bringBack()
{
    QWidget *top = window_->window();
    top->showNormal();
    top->raise();
    top->activateWindow();
}

bool startHiddenInTray()
{
    QSettings store(QStringLiteral("Halvern Labs"), QStringLiteral("Veltrane2"));
    const GameSettings settings = loadGameSettings(store);
    return settings.trayIcon && settings.startMinimised && GameTray::available();
}

} // namespace games
