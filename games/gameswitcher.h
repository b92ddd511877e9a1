#pragma once
// Activates a game's profile while the game runs, and the profile that ran before once
// it ends. Every 2 s it reads the process table; a switch is exactly what choosing the
// profile in the list does, and it waits while an edit is pending or held back as
// unsafe, while the base saves or reloads its flash, and for good once a firmware update
// begins. Two mapped games at once: the one started last wins.

#include "games/gamesettings.h"
#include "games/processtable.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class BaseSession;

namespace games {

class GameSwitcher : public QObject {
    Q_OBJECT

public:
    static constexpr int kScanIntervalMs = 2000;

    GameSwitcher(BaseSession &session, ProcessTable &processes, QObject *parent = nullptr);

    void setMappings(std::vector<GameMapping> mappings);
    // Where the processes are read from (tests present their own).
    void setProcessTable(ProcessTable &processes) { processes_ = &processes; }
    ProcessTable &processTable() const { return *processes_; }
    const std::vector<GameMapping> &mappings() const { return mappings_; }

    // Starts the 2-second scan.
    void start() { timer_.start(kScanIntervalMs); }
    QTimer &timer() { return timer_; }

    // The mapped game whose profile is running, empty when none.
    QString switchedFor() const { return switchedFor_; }

    // Why a switch cannot be sent now; empty when it can.
    QString busyReason() const;

public slots:
    // One look at the process table and, when due and allowed, one switch.
    void scan();

signals:
    // What was done or why not, for the status strip ("Switched to 'GT3' for acc.exe").
    void switchReported(const QString &text);

private:
    struct Running {
        QString game;
        QString profileName;
    };
    // The game that should have its profile now (started last among those whose profile
    // exists), or none.
    const Running *wanted() const;
    int profileIndex(const QString &name) const;
    bool switchTo(int index);
    void report(const QString &text);

    BaseSession &session_;
    ProcessTable *processes_;
    QTimer timer_{this};
    std::vector<GameMapping> mappings_;
    // Mapped games running, in the order they were first seen.
    std::vector<Running> running_;
    QString switchedFor_;
    QString switchedProfile_;
    // What ran before the first switch; restored by name when the games end.
    QString restoreProfile_;
    QString lastReport_;
    bool firmwareUpdate_ = false;
};

} // namespace games
