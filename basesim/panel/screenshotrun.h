#pragma once
// Pictures of the tool for its documentation, taken from the running program: once the
// tool window shows the ready text (connected, base operational), one PNG of the window
// for each page of its tab widget, then one of the virtual base panel. Modal prompts that
// come up meanwhile are closed.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QTabWidget;
class QWidget;

namespace basesim {

class ScreenshotRun : public QObject {
    Q_OBJECT

public:
    struct Timing {
        int pollMs = 100;
        int settleMs = 1500;     // after the ready text: the next polls fill the window
        int pageSettleMs = 600;  // after switching a page: its timers redraw it
        int timeoutMs = 30000;   // for the ready text
    };

    ScreenshotRun(QWidget &toolWindow, QWidget &panel, const QString &folder, const QString &readyText,
                  Timing timing, QObject *parent = nullptr);
    ScreenshotRun(QWidget &toolWindow, QWidget &panel, const QString &folder, const QString &readyText,
                  QObject *parent = nullptr)
        : ScreenshotRun(toolWindow, panel, folder, readyText, Timing{}, parent)
    {
    }

    // Starts watching for the ready text; the pictures follow in the event loop.
    void start();
    const QStringList &savedFiles() const { return savedFiles_; }

    // A file name stem from a page's tool tip, text or object name: "Hardware Settings"
    // gives "hardware-settings".
    static QString pageFileStem(const QTabWidget &tabs, int index);

signals:
    void finished(bool ok);

private:
    void checkReady();
    bool windowShowsReadyText() const;
    void capturePage(int index);
    bool save(QWidget &widget, const QString &stem);
    void fail(const QString &message);

    QWidget &toolWindow_;
    QWidget &panel_;
    QString folder_;
    QString readyText_;
    Timing timing_;
    QTimer pollTimer_;
    QElapsedTimer waited_;
    QPointer<QTabWidget> tabs_;
    QStringList savedFiles_;
};

} // namespace basesim
