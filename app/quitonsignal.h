#pragma once
// Ends the event loop when the session ends or someone asks politely (SIGTERM, SIGINT,
// SIGHUP), so the window, the session and the run guard are torn down as on a close:
// a copy stopped that way leaves no segment behind to refuse the next one.

#include <QObject>

#include <signal.h>

class QSocketNotifier;

class QuitOnSignal : public QObject {
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

    QuitOnSignal(const QuitOnSignal &) = delete;
    QuitOnSignal &operator=(const QuitOnSignal &) = delete;

    // False when the signals could not be routed (they then end the process as before).
    bool isInstalled() const { return notifier_ != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignal();

    int fds_[2] = {-1, -1};
    // What SIGTERM, SIGINT and SIGHUP did before, put back on destruction.
    struct sigaction previous_[3] = {};
    QSocketNotifier *notifier_ = nullptr;
};
