// The event-log and verbosity buttons of the window against the virtual base: the
// "Event Log" window and what it shows, the end of the read when it closes, nothing shown
// after a failed download, and saving the log to a file.

#include "eventlog/eventlogdialog.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

constexpr int kGetLogData = 0x4F;
constexpr int kEndEventLogRead = 0x52;
constexpr int kSetVerbosity = 0x53;

// A window on a connected session, driven tick by tick; no timer runs.
struct Window {
    ManualClock clock;
    SessionFixture fixture;
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};

    Window()
    {
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        fixture.session.statusTick();   // connects and reloads
        fixture.session.statusTick();   // shows the base connected
        // A short history, wrapped round the end of the ring, with an entry the window must
        // not take for markup.
        basesim::EventLog &ring = fixture.base->state().eventLog;
        ring = basesim::EventLog{};
        ring.head = 997;
        ring.record(100, 10015);
        ring.record(57, -3);
        ring.record(155, 11);
        ring.record(1, 12345);
        fixture.base->clearReceivedFrames();
    }

    template <typename T = QWidget>
    T *find(const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }

    QList<int> codesSent() const
    {
        QList<int> codes;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            codes << frame[1];
        return codes;
    }

    // Clicks the event-log button; `whileOpen` runs with the window open, then it closes.
    void openEventLog(std::function<void(EventLogDialog &)> whileOpen)
    {
        prompts.onDialog = [whileOpen](QDialog *dialog) {
            auto *log = qobject_cast<EventLogDialog *>(dialog);
            if (!log)
                qFatal("not the event log");
            whileOpen(*log);
            dialog->reject();
            return int(QDialog::Rejected);
        };
        find<QPushButton>("eventlogpushButton")->click();
    }
};

QList<int> chunkRequests()
{
    QList<int> codes;
    for (int i = 0; i < 112; ++i)
        codes << kGetLogData;
    return codes;
}

const QStringList kExpectedLines{"Veltrane Boot : 10015", "event 57 : -3", "State: Operational : 11",
                                 "Timestamp : 12345", "Command: Event log download request : 0"};

} // namespace

class TestEventLogViewer : public QObject {
    Q_OBJECT

private slots:
    void showsTheDecodedLog();
    void failedDownloadShowsNothing_data();
    void failedDownloadShowsNothing();
    void savesTheLog_data();
    void savesTheLog();
    void verbosityButtonSendsTheChosenRow();
};

void TestEventLogViewer::showsTheDecodedLog()
{
    Window w;
    QString title, text;
    bool readOnly = false, wraps = true, helpButton = true;
    QList<int> sentWhileOpen;
    w.openEventLog([&](EventLogDialog &dialog) {
        title = dialog.windowTitle();
        helpButton = dialog.windowFlags() & Qt::WindowContextHelpButtonHint;
        auto *view = dialog.findChild<QPlainTextEdit *>("eventlogtextEdit");
        readOnly = view->isReadOnly();
        wraps = view->lineWrapMode() != QPlainTextEdit::NoWrap;
        text = view->toPlainText();
        sentWhileOpen = w.codesSent();
    });

    QCOMPARE(w.prompts.dialogsRun, 1);
    QCOMPARE(title, QString("Event Log"));
    QVERIFY(readOnly);
    QVERIFY(!wraps);
    QVERIFY(!helpButton);
    QCOMPARE(text, kExpectedLines.join('\n'));
    QCOMPARE(sentWhileOpen, chunkRequests());
    // Closing ends the read: the base records again.
    QCOMPARE(w.codesSent(), chunkRequests() << kEndEventLogRead);
    QVERIFY(!w.fixture.base->state().eventLog.frozen);
    QVERIFY(w.window.findChildren<EventLogDialog *>().isEmpty());
    QVERIFY(!w.fixture.link().gate().busy());
}

void TestEventLogViewer::failedDownloadShowsNothing_data()
{
    QTest::addColumn<bool>("badHead");
    QTest::newRow("head index outside the ring") << true;
    QTest::newRow("link lost") << false;
}

void TestEventLogViewer::failedDownloadShowsNothing()
{
    QFETCH(bool, badHead);
    Window w;
    if (badHead)
        w.fixture.base->faults().eventLogHead = 1000;
    else
        w.fixture.base->faults().dropReplies = true;

    w.openEventLog([](EventLogDialog &) {});

    QCOMPARE(w.prompts.dialogsRun, 0);
    const QList<int> sent = w.codesSent();
    // The base still answers: it must not be left with a ring that stands still for good.
    QCOMPARE(sent.last(), badHead ? kEndEventLogRead : kGetLogData);
    QVERIFY(w.fixture.base->state().eventLog.frozen != badHead);
    QCOMPARE(w.fixture.link().connected(), badHead);
}

void TestEventLogViewer::savesTheLog_data()
{
    QTest::addColumn<QString>("fileName");   // in a fresh folder; "" cancels the chooser
    QTest::addColumn<bool>("written");
    QTest::newRow("chosen file") << "support/eventlog.txt" << true;
    QTest::newRow("folder missing") << "no such folder/eventlog.txt" << false;
    QTest::newRow("chooser cancelled") << "" << false;
}

void TestEventLogViewer::savesTheLog()
{
    QFETCH(QString, fileName);
    QFETCH(bool, written);
    Window w;
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath("support"));
    const QString path = fileName.isEmpty() ? QString() : folder.filePath(fileName);
    w.prompts.fileNames = QStringList{path};
    QString status;
    w.openEventLog([&](EventLogDialog &dialog) {
        dialog.findChild<QPushButton *>("savetofilepushButton")->click();
        status = dialog.findChild<QLabel *>("savestatuslabel")->text();
    });

    QCOMPARE(w.prompts.askedTitles, QStringList{"Save event log"});
    QFile file(path);
    QCOMPARE(file.exists(), written);
    if (written) {
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()), kExpectedLines.join('\n') + '\n');
        QVERIFY2(status.startsWith("Event log saved to "), qPrintable(status));
    } else if (!fileName.isEmpty()) {
        QVERIFY2(status.startsWith("Could not save the event log: ") && status.size() > 31, qPrintable(status));
    } else {
        QCOMPARE(status, QString());
    }
}

void TestEventLogViewer::verbosityButtonSendsTheChosenRow()
{
    Window w;
    w.find<QComboBox>("eventlogverbositycomboBox")->setCurrentIndex(2);
    w.find<QPushButton>("seteventlogverbositypushButton")->click();

    QCOMPARE(w.codesSent(), QList<int>{kSetVerbosity});
    const wire::CommandFrame &frame = w.fixture.base->receivedFrames().back();
    QCOMPARE(int(frame[2] | frame[3] << 8), 2);
    w.fixture.base->update();
    QCOMPARE(int(w.fixture.base->state().eventLogVerbosity), 2);
}

QTEST_MAIN(TestEventLogViewer)
#include "tst_eventlogviewer.moc"
