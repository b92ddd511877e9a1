// The event-log download and the verbosity against the virtual base: the requests it
// makes, the ring it brings back, the link it holds, and how it ends when the base or the
// link misbehaves.

#include "basesim/eventcodes.h"
#include "basesim/ffbeffects.h"
#include "device/devicelink.h"
#include "eventlog/eventlogdownload.h"
#include "eventlog/verbosity.h"
#include "tests/support/linkfixture.h"
#include "tests/support/manualclock.h"

#include <optional>
#include <QtTest>

#include <functional>

using eventlog::EventLogDownload;
using eventlog::kEventLogSize;

namespace {

constexpr int kGetLogData = 0x4F;
constexpr int kEndEventLogRead = 0x52;
constexpr int kSetVerbosity = 0x53;

struct ClockFirst {
    ManualClock clock;
};

// A connected link to a base whose ring has wrapped: every position written, the newest
// at 500, each value telling its position.
struct Bench : ClockFirst, LinkFixture {
    Bench()
    {
        QVERIFY(connect());
        basesim::EventLog &ring = base->state().eventLog;
        for (std::size_t i = 0; i < kEventLogSize; ++i) {
            ring.codes[i] = std::uint16_t(1 + i % 450);   // codes with and without text, and past 399
            ring.values[i] = -std::int32_t(i);
        }
        ring.head = 500;
    }

    basesim::EventLog &ring() { return base->state().eventLog; }

    // Runs `action` as the base queues the reply to chunk request `n` (0-based).
    void atChunk(int n, std::function<void()> action)
    {
        base->faults().tamperReply = [this, n, action, seen = 0](wire::ReplyBuffer &reply) mutable {
            if (reply[1] == 0x50 && seen++ == n)
                action();
        };
    }

    QList<int> framesWithCode(int code) const
    {
        QList<int> arguments;
        for (const wire::CommandFrame &frame : base->receivedFrames())
            if (frame[1] == code)
                arguments << (frame[2] | frame[3] << 8);
        return arguments;
    }
};

bool sameRing(const eventlog::EventRing &downloaded, const basesim::EventLog &held)
{
    return downloaded.head == held.head && downloaded.codes == held.codes && downloaded.values == held.values;
}

} // namespace

class TestEventLogDownload : public QObject {
    Q_OBJECT

private slots:
    void readsTheWholeRing();
    void ringStandsStillUntilTheReadEnds();
    void refusedWhileTheLinkIsReserved_data();
    void refusedWhileTheLinkIsReserved();
    void failures_data();
    void failures();
    void verbosity_data();
    void verbosity();
};

void TestEventLogDownload::readsTheWholeRing()
{
    Bench b;
    bool heldThroughout = true;
    int chunks = 0;
    // The last chunk reaches eight positions past the ring; a base may put anything there.
    b.base->faults().tamperReply = [&](wire::ReplyBuffer &reply) {
        if (reply[1] != 0x50)
            return;
        heldThroughout = heldThroughout && b.link.gate().holder() == "reading the event log";
        if (++chunks == eventlog::kChunkRequests)
            for (std::size_t k = 1; k < wire::kEventLogChunkEntries; ++k)
                wire::putU16(reply.data(), reply.size(), wire::kEventLogCodesOffset + 2 * k, 57);
    };
    const linkclock::Milliseconds startedAt = b.clock.peek();

    const EventLogDownload download = eventlog::downloadEventLog(b.link);

    QVERIFY2(download.ok, qPrintable(download.error));
    QCOMPARE(download.error, QString());
    QList<int> starts;
    for (int start = 0; start < 1008; start += 9)
        starts << start;
    QCOMPARE(b.framesWithCode(kGetLogData), starts);
    QCOMPARE(b.base->receivedFrames().size(), std::size_t(starts.size()));   // nothing else, no end of read yet
    // The request is the base's newest entry, written before the ring stood still.
    QCOMPARE(int(b.ring().head), 501);
    QCOMPARE(int(b.ring().codes[501]), int(basesim::event::CmdEventLogDownload));
    QVERIFY(sameRing(download.ring, b.ring()));
    QVERIFY(heldThroughout);
    QVERIFY(!b.link.gate().busy());
    // The base is given its pause after every chunk.
    QVERIFY(b.clock.peek() - startedAt >= eventlog::kChunkRequests * eventlog::kChunkPauseMs);
}

void TestEventLogDownload::ringStandsStillUntilTheReadEnds()
{
    Bench b;
    basesim::BaseState &state = b.base->state();
    state.eventLogVerbosity = 1;
    // A game starts an effect half-way through the download.
    b.atChunk(50, [&] { basesim::startEffect(state, 2); });

    const EventLogDownload download = eventlog::downloadEventLog(b.link);
    QVERIFY2(download.ok, qPrintable(download.error));
    QVERIFY(state.effectsPlaying & (1u << 2));   // the effect plays, unrecorded
    QCOMPARE(int(state.eventLog.head), 501);
    QVERIFY(sameRing(download.ring, state.eventLog));

    basesim::startEffect(state, 3);   // still frozen: the host has not ended the read
    QCOMPARE(int(state.eventLog.head), 501);

    QVERIFY(b.link.endEventLogRead());
    b.base->update();
    basesim::startEffect(state, 4);
    QCOMPARE(int(state.eventLog.head), 505);
    const QList<int> newest{state.eventLog.codes[502], state.eventLog.codes[503], state.eventLog.codes[504],
                            state.eventLog.codes[505]};
    QCOMPARE(newest, (QList<int>{300, 301, 307, 303}));
    QCOMPARE(state.eventLog.values[505], basesim::effectId(4));
}

void TestEventLogDownload::refusedWhileTheLinkIsReserved_data()
{
    QTest::addColumn<bool>("flashDelay");
    QTest::newRow("another operation holds the link") << false;
    QTest::newRow("the flash delay runs") << true;
}

void TestEventLogDownload::refusedWhileTheLinkIsReserved()
{
    QFETCH(bool, flashDelay);
    Bench b;
    std::optional<LinkGate::Hold> hold;
    if (flashDelay)
        b.link.gate().startFlashDelay(LinkGate::FlashWork::Saving, 5000);
    else
        hold.emplace(b.link.gate().acquire(QStringLiteral("recalibrating the encoder")));

    const EventLogDownload download = eventlog::downloadEventLog(b.link);

    QVERIFY(!download.ok);
    QVERIFY(!download.readStarted);
    QVERIFY2(download.error.contains("busy"), qPrintable(download.error));
    QCOMPARE(download.busyWith, flashDelay ? QStringLiteral("saving to flash") : QStringLiteral("recalibrating the encoder"));
    QVERIFY(b.base->receivedFrames().empty());
    QVERIFY(!b.ring().frozen);
    // Whoever reserved it keeps it.
    QCOMPARE(b.link.gate().holder(),
             flashDelay ? QStringLiteral("saving to flash") : QStringLiteral("recalibrating the encoder"));
    QVERIFY(b.link.connected());
}

void TestEventLogDownload::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("linkStaysUp");
    QTest::addColumn<QString>("errorNames");
    QTest::newRow("head 1000") << "head 1000" << true << "entry 1000";
    QTest::newRow("head 65535") << "head 65535" << true << "entry 65535";
    QTest::newRow("wrong packet type") << "wrong packet type" << false << "position 450";
    QTest::newRow("no reply") << "no reply" << false << "position 450";
    QTest::newRow("unplugged") << "unplugged" << false << "position 450";
}

void TestEventLogDownload::failures()
{
    QFETCH(QString, fault);
    QFETCH(bool, linkStaysUp);
    QFETCH(QString, errorNames);
    Bench b;
    basesim::Faults &faults = b.base->faults();
    if (fault.startsWith("head"))
        faults.eventLogHead = std::uint16_t(fault.mid(5).toUInt());
    else if (fault == "wrong packet type")
        b.atChunk(49, [&] { faults.wrongPacketTypeReplies = 1; });   // the reply to chunk 50, at 450
    else if (fault == "no reply")
        b.atChunk(49, [&] { faults.dropReplies = true; });
    else
        b.atChunk(50, [&] { b.base->unplug(); });   // before the reply to chunk 50 can be read

    const EventLogDownload download = eventlog::downloadEventLog(b.link);

    QVERIFY(!download.ok);
    QVERIFY(download.readStarted);
    QVERIFY2(download.error.startsWith("downloading the event log: ") && download.error.contains(errorNames),
             qPrintable(download.error));
    QCOMPARE(b.link.connected(), linkStaysUp);
    QVERIFY(!b.link.gate().busy());
    // A bad head is only known once every chunk has come; a failed request ends it at once.
    QCOMPARE(b.framesWithCode(kGetLogData).size(), linkStaysUp ? eventlog::kChunkRequests : 51);
}

void TestEventLogDownload::verbosity_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("reserved");
    QTest::addColumn<bool>("sent");
    QTest::newRow("normal") << 0 << "" << true;
    QTest::newRow("effect activity") << 1 << "" << true;
    QTest::newRow("effect values") << 2 << "" << true;
    QTest::newRow("past the list") << 3 << "" << false;
    QTest::newRow("no row chosen") << -1 << "" << false;
    QTest::newRow("link held") << 1 << "paused" << false;
    QTest::newRow("flash delay") << 1 << "flash" << false;
}

void TestEventLogDownload::verbosity()
{
    QFETCH(int, level);
    QFETCH(QString, reserved);
    QFETCH(bool, sent);
    Bench b;
    std::optional<LinkGate::Hold> hold;
    if (reserved == "paused")
        hold.emplace(b.link.gate().acquire(QStringLiteral("recalibrating the encoder")));
    if (reserved == "flash")
        b.link.gate().startFlashDelay(LinkGate::FlashWork::Saving, 5000);

    QCOMPARE(eventlog::setVerbosity(b.link, level), sent);
    QCOMPARE(b.framesWithCode(kSetVerbosity), sent ? QList<int>{level} : QList<int>{});
    b.base->update();
    QCOMPARE(int(b.base->state().eventLogVerbosity), sent ? level : 0);
}

QTEST_GUILESS_MAIN(TestEventLogDownload)
#include "tst_eventlogdownload.moc"
