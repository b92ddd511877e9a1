// How long each setting stayed in effect: the ten longest periods, and what is reported.

#include "telemetry/activitytracker.h"

#include <QtTest>

namespace {
struct Bench {
    QDateTime now = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    ActivityTracker<int> tracker{[](const int &item) { return QJsonValue(item); }, [this] { return now; }};

    // A period of `seconds` with `item`, closed by the next start.
    void run(int item, int seconds)
    {
        tracker.closeCurrentPeriod();
        tracker.startPeriod(item);
        now = now.addSecs(seconds);
    }
};

QList<qint64> durations(const QJsonObject &json)
{
    QList<qint64> list;
    for (const QJsonValue &period : json["profiles"].toArray())
        list << qint64(period.toObject()["durationMillis"].toDouble());
    return list;
}
} // namespace

class TestActivityTracker : public QObject {
    Q_OBJECT

private slots:
    void keepsTheTenLongestLongestFirst();
    void tiesFavourTheNewPeriod();
    void beforeAnyPeriod();
    void restartAfterUpload();
};

void TestActivityTracker::keepsTheTenLongestLongestFirst()
{
    Bench bench;
    for (int s = 1; s <= 12; ++s)
        bench.run(s, s);
    bench.tracker.closeCurrentPeriod();
    const QJsonObject json = bench.tracker.toJson();
    QCOMPARE(durations(json), QList<qint64>({12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000}));
    QCOMPARE(json["profiles"].toArray()[0].toObject()["changedAsNth"].toInt(), 11);
    QCOMPARE(json["profiles"].toArray()[0].toObject()["item"].toInt(), 12);
    QCOMPARE(bench.tracker.changeCounter(), 12);
    QVERIFY(!json.contains("latest"));
}

void TestActivityTracker::tiesFavourTheNewPeriod()
{
    Bench bench;
    for (int s = 5; s < 15; ++s)
        bench.run(s, s);
    bench.run(100, 5); // closes the 14 s period
    bench.now = bench.now.addMSecs(-1);
    bench.tracker.closeCurrentPeriod(); // 4999 ms: dropped
    QCOMPARE(bench.tracker.changeCounter(), 11);
    QCOMPARE(durations(bench.tracker.toJson()).last(), qint64(5000));
    bench.tracker.startPeriod(200);
    bench.now = bench.now.addSecs(5);
    bench.tracker.closeCurrentPeriod(); // 5000 ms: replaces the old 5000 ms one
    const QJsonArray periods = bench.tracker.toJson()["profiles"].toArray();
    QCOMPARE(periods.size(), 10);
    QCOMPARE(periods.last().toObject()["item"].toInt(), 200);
}

void TestActivityTracker::beforeAnyPeriod()
{
    Bench bench;
    const QJsonObject json = bench.tracker.toJson();
    QCOMPARE(json["startedTrackingAt"].toString(), telemetry::isoWithOffset(bench.now));
    QVERIFY(json["profiles"].toArray().isEmpty());
    QVERIFY(!json.contains("latest"));
}

void TestActivityTracker::restartAfterUpload()
{
    Bench bench;
    bench.run(1, 10);
    bench.run(2, 20);
    bench.tracker.restartAfterUpload();
    const QDateTime uploadedAt = bench.now;
    bench.now = bench.now.addSecs(3);
    const QJsonObject json = bench.tracker.toJson();
    QVERIFY(json["profiles"].toArray().isEmpty());
    QCOMPARE(json["startedTrackingAt"].toString(), telemetry::isoWithOffset(uploadedAt));
    const QJsonObject latest = json["latest"].toObject();
    QCOMPARE(latest["durationMillis"].toInt(), 3000);
    QCOMPARE(latest["item"].toInt(), 2);
    QCOMPARE(latest["changedAsNth"].toInt(), 1);
}

QTEST_GUILESS_MAIN(TestActivityTracker)
#include "tst_activitytracker.moc"
