// What the virtual base records about force-feedback effects, by verbosity level.

#include "basesim/eventcodes.h"
#include "basesim/ffbeffects.h"
#include "tests/support/linkfixture.h"
#include "tests/support/manualclock.h"

#include <QtTest>

#include <functional>

using Step = std::function<void(basesim::BaseState &, DeviceLink &)>;
Q_DECLARE_METATYPE(Step)

namespace {

struct ClockFirst {
    ManualClock clock;
};

struct Bench : ClockFirst, LinkFixture {
    // Code and value of every entry recorded since `head`.
    QList<QPair<int, int>> recordedSince(std::uint16_t head) const
    {
        const basesim::EventLog &ring = base->state().eventLog;
        QList<QPair<int, int>> entries;
        for (std::size_t p = (head + 1) % basesim::kEventLogSize; p != std::size_t((ring.head + 1) % basesim::kEventLogSize);
             p = (p + 1) % basesim::kEventLogSize)
            entries << qMakePair(int(ring.codes[p]), int(ring.values[p]));
        return entries;
    }
};

using Entries = QList<QPair<int, int>>;

} // namespace

class TestBaseEventLog : public QObject {
    Q_OBJECT

private slots:
    void effectActivity_data();
    void effectActivity();
};

void TestBaseEventLog::effectActivity_data()
{
    QTest::addColumn<int>("verbosity");
    QTest::addColumn<Step>("step");
    QTest::addColumn<Entries>("recorded");
    using namespace basesim;
    const Step loadSpring = [](BaseState &s, DeviceLink &) { loadEffect(s, 11); };
    const Step playSine = [](BaseState &s, DeviceLink &) { startEffect(s, 2); };
    const Step playThenUnload = [](BaseState &s, DeviceLink &) {
        startEffect(s, 2);
        unloadEffect(s, 2);
    };
    const Step reset = [](BaseState &s, DeviceLink &link) {
        startEffect(s, 2);
        loadEffect(s, 5);
        link.resetFfb();
    };
    const Entries created{{308, 10000}, {300, 0}, {301, 3}, {307, 2}};

    QTest::newRow("normal level: loading") << 0 << loadSpring << Entries{};
    QTest::newRow("normal level: reset") << 0 << reset << Entries{{237, 0}};
    QTest::newRow("loading the first effect")
        << 1 << loadSpring << Entries{{308, 10000}, {300, 0}, {301, 12}, {307, 11}};
    QTest::newRow("playing loads first") << 1 << playSine << created + Entries{{303, 3}};
    QTest::newRow("unloading stops first") << 1 << playThenUnload << created + Entries{{303, 3}, {304, 3}, {305, 3}};
    QTest::newRow("the second effect sets no gain")
        << 1 << reset
        << created + Entries{{303, 3}, {300, 0}, {301, 6}, {307, 5}, {237, 0}, {302, 0}, {306, 0}};
    QTest::newRow("value level records activity too") << 2 << playSine << created + Entries{{303, 3}};
}

void TestBaseEventLog::effectActivity()
{
    QFETCH(int, verbosity);
    QFETCH(Step, step);
    QFETCH(Entries, recorded);
    Bench b;
    QVERIFY(b.connect());
    basesim::BaseState &state = b.base->state();
    state.eventLogVerbosity = std::uint8_t(verbosity);
    const std::uint16_t head = state.eventLog.head;

    step(state, b.link);

    QCOMPARE(b.recordedSince(head), recorded);
}

QTEST_GUILESS_MAIN(TestBaseEventLog)
#include "tst_baseeventlog.moc"
