#pragma once
// The optional system tray icon: the active profile in its tool tip; a click brings the
// window back, its menu also quits.

#include <QObject>
#include <QString>

class QSystemTrayIcon;
class QWidget;

namespace games {

class GameTray : public QObject {
    Q_OBJECT

public:
    // `window` is what a click shows again (the top-level window).
    explicit GameTray(QWidget *window);

    static bool available();
    void setShown(bool shown);
    bool shown() const;
    void showActiveProfile(const QString &name);
    QString toolTip() const;

private:
    void bringBack();

    QWidget *window_;
    QSystemTrayIcon *icon_;
};

// Whether the tool should start with its window hidden in the tray (chosen, and a tray exists).
bool startHiddenInTray();

} // namespace games
