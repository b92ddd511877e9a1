#include "app/quitonsignal.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <csignal>

class QuitOnSignalTest : public QObject {
    Q_OBJECT

private slots:
    void endsTheEventLoop_data();
    void endsTheEventLoop();
    void putsTheEarlierHandlersBack();
};

void QuitOnSignalTest::endsTheEventLoop_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void QuitOnSignalTest::endsTheEventLoop()
{
    QFETCH(int, signalNumber);
    QuitOnSignal quit;
    QVERIFY(quit.isInstalled());
    QSignalSpy received(&quit, &QuitOnSignal::received);

    // Raised from inside the loop, as a signal from outside arrives; the loop would
    // otherwise run until the watchdog ends it and the test fails.
    QTimer::singleShot(0, [signalNumber] { ::raise(signalNumber); });
    QTimer watchdog;
    bool timedOut = false;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!timedOut);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.first().first().toInt(), signalNumber);
}

void QuitOnSignalTest::putsTheEarlierHandlersBack()
{
    struct sigaction before = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        QuitOnSignal quit;
        QVERIFY(quit.isInstalled());
        QuitOnSignal second; // one route at a time
        QVERIFY(!second.isInstalled());
    }
    struct sigaction after = {};
    ::sigaction(SIGTERM, nullptr, &after);
    QCOMPARE(reinterpret_cast<void *>(after.sa_handler), reinterpret_cast<void *>(before.sa_handler));
    QuitOnSignal again;
    QVERIFY(again.isInstalled());
}

QTEST_GUILESS_MAIN(QuitOnSignalTest)
#include "tst_quitonsignal.moc"
