// The event texts and the walk round the ring, without a base.

#include "eventlog/eventlogdecoder.h"
#include "eventlog/eventtexts.h"

#include <QtTest>

#include <initializer_list>
#include <utility>

using eventlog::EventRing;
using eventlog::kEventLogSize;

namespace {

using Entry = std::pair<std::uint16_t, std::int32_t>;   // code, value

// A ring with `entries` written at consecutive positions from `first` on (wrapping), and
// `head` as the base reports it.
EventRing ringWith(std::size_t first, std::initializer_list<Entry> entries, std::uint16_t head)
{
    EventRing ring;
    std::size_t position = first;
    for (const Entry &entry : entries) {
        ring.codes[position % kEventLogSize] = entry.first;
        ring.values[position % kEventLogSize] = entry.second;
        ++position;
    }
    ring.head = head;
    return ring;
}

// Every position holds code 1 with its own position as the value.
EventRing fullRing(std::uint16_t head)
{
    EventRing ring;
    for (std::size_t i = 0; i < kEventLogSize; ++i) {
        ring.codes[i] = 1;
        ring.values[i] = std::int32_t(i);
    }
    ring.head = head;
    return ring;
}

// "Timestamp : p" for the positions `from` .. `to` in ring order.
QStringList timestamps(std::size_t from, std::size_t to)
{
    QStringList lines;
    for (std::size_t p = from;; p = (p + 1) % kEventLogSize) {
        lines << QStringLiteral("Timestamp : %1").arg(p);
        if (p == to)
            return lines;
    }
}

} // namespace

Q_DECLARE_METATYPE(EventRing)

class TestEventLogDecoder : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void walk_data();
    void walk();
    void everyListedCodeHasItsOwnText();
};

void TestEventLogDecoder::lines_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("text") << 1 << 12345 << "Timestamp : 12345";
    QTest::newRow("no text") << 57 << -3 << "event 57 : -3";
    QTest::newRow("trailing blank kept") << 150 << 9 << "State: System not configured  : 9";
    QTest::newRow("trailing blank of a command") << 238 << 2 << "Command: Set eventlog verbosity to level  : 2";
    QTest::newRow("spelling kept") << 33 << 0 << "Default SMBusbaudrate initializd successfully : 0";
    QTest::newRow("254 and 255 share a text") << 255 << 4 << "Command: Set profile bytedata for profile : 4";
    QTest::newRow("state out of sequence") << 266 << 1 << "State: Set baudrate : 1";
    QTest::newRow("last FFB text") << 349 << 77 << "FFB: Invalid effect ID : 77";
    QTest::newRow("last place of the table") << 399 << 1 << "event 399 : 1";
    QTest::newRow("first code past the table") << 400 << 1 << "event 400 : 1";
    QTest::newRow("largest code") << 65535 << -2147483647 - 1 << "event 65535 : -2147483648";
}

void TestEventLogDecoder::lines()
{
    QFETCH(int, code);
    QFETCH(int, value);
    QFETCH(QString, line);
    QCOMPARE(eventlog::eventLine(std::uint16_t(code), value), line);
}

void TestEventLogDecoder::walk_data()
{
    QTest::addColumn<EventRing>("ring");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("freshly cleared") << EventRing{} << QStringList();
    QTest::newRow("head 5, all filled: 6 first, 5 last") << fullRing(5) << timestamps(6, 5);
    QTest::newRow("head 999: 0 first, 999 last") << fullRing(999) << timestamps(0, 999);
    QTest::newRow("head 0") << fullRing(0) << timestamps(1, 0);
    // Written 997, 998, 999, 0, 1 with an empty slot between; the rest of the ring empty.
    QTest::newRow("wrapped, with empty slots")
        << ringWith(997, {{100, 1}, {0, 0}, {57, -3}, {155, 11}, {400, 2}}, 1)
        << QStringList{"Veltrane Boot : 1", "event 57 : -3", "State: Operational : 11", "event 400 : 2"};
    QTest::newRow("head at 1000") << ringWith(0, {{100, 1}}, 1000) << QStringList();
    QTest::newRow("head at 65535") << fullRing(65535) << QStringList();
}

void TestEventLogDecoder::walk()
{
    QFETCH(EventRing, ring);
    QFETCH(QStringList, lines);
    QCOMPARE(eventlog::decodeEventLog(ring), lines);
}

void TestEventLogDecoder::everyListedCodeHasItsOwnText()
{
    // The groups of the table: where each begins and ends, and codes just outside.
    const QList<std::pair<int, QString>> samples{
        {10, "Error in Disable SM Watchdog"},
        {46, "Read Drive Version ID from drive"},
        {95, "Drive init complete, offset from startup position is"},
        {106, "Converting 0.8 compatible Flash data to 0.11 format"},
        {132, "USB stack was resumed"},
        {172, "State: Paused after successfull drive initialization"},
        {174, "State: Test Mode "},
        {189, "Wireless: no response"},
        {193, "Autosetup Commutation still busy"},
        {200, "Command: Event log download request"},
        {240, "Command: Request profile name for profile"},
        {254, "Command: Set profile bytedata for profile"},
        {258, "Command: Request bytedata for analog profile"},
        {300, "FFB: Find first free effect slot"},
        {308, "FFB: Set device gain to"},
        {348, "FFB: Effect memory is full"},
        {0, ""}, {2, ""}, {186, ""}, {241, ""}, {257, ""}, {259, ""}, {309, ""}, {347, ""}, {-1, ""}};
    for (const auto &sample : samples)
        QVERIFY2(eventlog::eventText(sample.first) == sample.second, qPrintable(QString::number(sample.first)));
    int listed = 0;
    for (int code = 0; code < int(eventlog::kEventTextCount); ++code)
        listed += !eventlog::eventText(code).isEmpty();
    QCOMPARE(listed, 152);
}

QTEST_GUILESS_MAIN(TestEventLogDecoder)
#include "tst_eventlogdecoder.moc"
