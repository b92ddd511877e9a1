#pragma once
// Tells the running copy when a refused copy has asked, through the run guard, to see its
// window. The refused copy touches a bell file that the running copy watches, so nothing
// wakes the running copy while nobody asks. Where the bell cannot be set up (no writable
// temporary folder, no file watching), the guard is asked twice a second instead.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class RunGuard;

// The bell file of the copy that holds the segment named by `key`, in the temporary folder.
QString showRequestBellPath(const QString &key);
// From a refused copy: rings the running copy's bell; false when it has none.
bool ringShowRequestBell(const QString &key);

class ShowRequestBell : public QObject {
    Q_OBJECT

public:
    // For the copy that runs: `guard` holds the segment and outlives the bell.
    explicit ShowRequestBell(RunGuard &guard, QObject *parent = nullptr);
    ~ShowRequestBell() override;

    ShowRequestBell(const ShowRequestBell &) = delete;
    ShowRequestBell &operator=(const ShowRequestBell &) = delete;

    // True while requests arrive by the bell, false while the guard is polled.
    bool isWatching() const { return !poll_.isActive(); }

signals:
    // Once per request a refused copy left.
    void showRequested();

private:
    bool hang();
    void rung();

    RunGuard &guard_;
    const QString path_;
    QFileSystemWatcher watcher_;
    QTimer poll_;
};
