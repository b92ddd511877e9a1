#include "basesim/panel/screenshotrun.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace basesim {

ScreenshotRun::ScreenshotRun(QWidget &toolWindow, QWidget &panel, const QString &folder,
                             const QString &readyText, Timing timing, QObject *parent)
    : QObject(parent), toolWindow_(toolWindow), panel_(panel), folder_(folder), readyText_(readyText),
      timing_(timing)
{
    connect(&pollTimer_, &QTimer::timeout, this, &ScreenshotRun::checkReady);
}

void ScreenshotRun::start()
{
    waited_.start();
    pollTimer_.start(timing_.pollMs);
}

QString ScreenshotRun::pageFileStem(const QTabWidget &tabs, int index)
{
    QString name = tabs.tabToolTip(index);
    if (name.isEmpty())
        name = tabs.tabText(index).remove(QLatin1Char('&'));
    if (name.isEmpty() && tabs.widget(index))
        name = tabs.widget(index)->objectName();
    // A translated tip keeps its letters without their accents: "Übersicht" -> "ubersicht".
    name = name.toLower().replace(QChar(0x00DF), QLatin1String("ss")).normalized(QString::NormalizationForm_KD);
    name.remove(QRegularExpression(QStringLiteral("\\p{Mn}")));
    name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    name.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
    return name.isEmpty() ? QStringLiteral("page-%1").arg(index + 1) : name;
}

void ScreenshotRun::checkReady()
{
    // A start-up prompt (changelog, consent) would hold the tool's polling; the pictures
    // are of the window, so it is dismissed as a user closing it would.
    if (QWidget *prompt = QApplication::activeModalWidget()) {
        qInfo().noquote() << "Closing the prompt" << prompt->windowTitle();
        prompt->close();
        return;
    }
    if (windowShowsReadyText()) {
        pollTimer_.stop();
        tabs_ = toolWindow_.findChild<QTabWidget *>();
        QTimer::singleShot(timing_.settleMs, this, [this] { capturePage(0); });
    } else if (waited_.elapsed() > timing_.timeoutMs) {
        pollTimer_.stop();
        fail(QStringLiteral("the tool window did not show \"%1\" within %2 ms; no pictures taken")
                 .arg(readyText_)
                 .arg(timing_.timeoutMs));
    }
}

bool ScreenshotRun::windowShowsReadyText() const
{
    const QList<QLabel *> labels = toolWindow_.findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(), [this](const QLabel *label) {
        return label->isVisible() && label->text() == readyText_;
    });
}

// Page by page in the event loop, so each page's own timers redraw it before the grab.
void ScreenshotRun::capturePage(int index)
{
    const int pages = tabs_ ? tabs_->count() : 0;
    if (index < pages) {
        tabs_->setCurrentIndex(index);
        QTimer::singleShot(timing_.pageSettleMs, this, [this, index] {
            if (!tabs_)
                fail(QStringLiteral("the tab widget went away"));
            else if (save(toolWindow_, pageFileStem(*tabs_, index)))
                capturePage(index + 1);
        });
        return;
    }
    // Without a tab widget the window is one picture.
    if (pages == 0 && !save(toolWindow_, QStringLiteral("main-window")))
        return;
    if (save(panel_, QStringLiteral("virtual-base")))
        emit finished(true);
}

bool ScreenshotRun::save(QWidget &widget, const QString &stem)
{
    if (!QDir().mkpath(folder_)) {
        fail(QStringLiteral("cannot create the folder %1").arg(folder_));
        return false;
    }
    const QString path = QDir(folder_).filePath(stem + QLatin1String(".png"));
    if (!widget.grab().save(path, "PNG")) {
        fail(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    savedFiles_ << path;
    qInfo().noquote() << "Saved" << path;
    return true;
}

void ScreenshotRun::fail(const QString &message)
{
    qWarning().noquote() << "Screenshots:" << message;
    emit finished(false);
}

} // namespace basesim
