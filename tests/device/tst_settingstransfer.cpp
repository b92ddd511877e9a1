// Profile, hardware and analog transfers against the virtual base: the exact frames each
// operation sends, what lands in the records, and how failures end an operation.

#include "device/devicelink.h"
#include "tests/support/linkfixture.h"
#include "tests/support/manualclock.h"
#include "device/wire/profilerecord.h"

#include <QtTest>

#include <cstring>
#include <functional>
#include <vector>

using Operation = std::function<bool(DeviceLink &)>;
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(QList<QByteArray>)
Q_DECLARE_METATYPE(std::vector<quint32>)

namespace {

// Frames written out by hand: ids at 4 + 2k, write values at 22 + 4k, texts at 6.
QByteArray indexedFrame(int code, int selector, int subSelector, const std::vector<int> &ids,
                        const std::vector<quint32> &values = {})
{
    QByteArray f(60, '\0');
    f[0] = 0x6B;
    f[1] = char(code);
    f[2] = char(selector);
    f[3] = char(subSelector);
    for (std::size_t k = 0; k < ids.size(); ++k) {
        f[int(4 + 2 * k)] = char(ids[k] & 0xFF);
        f[int(5 + 2 * k)] = char(ids[k] >> 8);
    }
    for (std::size_t k = 0; k < values.size(); ++k)
        for (int b = 0; b < 4; ++b)
            f[int(22 + 4 * k) + b] = char((values[k] >> (8 * b)) & 0xFF);
    return f;
}

QByteArray blockFrame(int code, int selector, const QByteArray &text = {})
{
    QByteArray f(60, '\0');
    f[0] = 0x6B;
    f[1] = char(code);
    f[2] = char(selector & 0xFF);
    f[3] = char(selector >> 8);
    f.replace(6, text.size(), text);
    return f;
}

std::vector<int> idsFrom(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last && ids.size() < 9; ++id)
        ids.push_back(id);
    return ids;
}

// Values the tool's records hold in the write rows: word i of each record is base + i.
std::vector<quint32> valuesOf(const std::vector<int> &ids, quint32 base)
{
    std::vector<quint32> values;
    for (int id : ids)
        values.push_back(base + quint32(id));
    return values;
}

QByteArray frameBytes(const wire::CommandFrame &f)
{
    return QByteArray(reinterpret_cast<const char *>(f.data()), int(f.size()));
}

template <std::size_t N>
void setText(std::array<char, N> &field, const char *text)
{
    field.fill('\0');
    std::strncpy(field.data(), text, N - 1);
}

constexpr quint32 kProfileBase = 1000;
constexpr quint32 kHardwareBase = 5000;
constexpr quint32 kAnalogBase = 70000;

profDataNew toolProfile()
{
    profDataNew p;
    for (std::size_t id = 0; id < p.param.size(); ++id)
        p.param[id] = kProfileBase + quint32(id);
    setText(p.name, "Drift");
    setText(p.reservedText, "rsv");
    return p;
}

AnalogSettings toolAnalogRecord()
{
    AnalogSettings record;
    for (std::size_t i = 0; i < record.word.size(); ++i)
        record.word[i] = kAnalogBase + quint32(i);
    setText(record.name, "Pedals");
    return record;
}

constexpr std::uint32_t kMarker = 0xA5A5A5A5;

// The tool's hardware record holds known words, so the write rows can name them.
struct TransferFixture : LinkFixture {
    TransferFixture()
    {
        HardwareSettings known = link.hardwareSettings();
        for (std::size_t i = 0; i < known.word.size(); ++i)
            known.word[i] = kHardwareBase + quint32(i);
        link.editHardwareSettings(known);
    }
};

} // namespace

class TestSettingsTransfer : public QObject {
    Q_OBJECT

private slots:
    void operationFrames_data();
    void operationFrames();
    void profileRoundTripKeepsUnnamedWords();
    void hardwareAndAnalogRoundTrip();
    void singleHardwareIdStoredByNamedId_data();
    void singleHardwareIdStoredByNamedId();
    void failureEndsReadAtOnce();
    void wrongPacketTypeClosesLink_data();
    void wrongPacketTypeClosesLink();
    void failedWriteEndsAtOnce();
    void nothingSentWhileDisconnected();
};

void TestSettingsTransfer::operationFrames_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("pausedMs");

    const std::vector<std::vector<int>> profileGroups{idsFrom(1, 9),   idsFrom(10, 18), idsFrom(19, 27),
                                                      idsFrom(28, 36), idsFrom(37, 45), idsFrom(46, 50)};
    std::vector<std::vector<int>> hardwareGroups;
    for (int first = 1; first <= 55; first += 9)
        hardwareGroups.push_back(idsFrom(first, first + 8));

    QList<QByteArray> frames;
    for (const auto &ids : profileGroups)
        frames << indexedFrame(0x71, 2, 0, ids);
    frames << blockFrame(0x72, 2) << blockFrame(0x73, 2);
    QTest::newRow("getProfileData(2)") << Operation([](DeviceLink &link) {
        profDataNew p;
        return link.getProfileData(2, p);
    }) << frames << 0;

    // Index 300: one byte (44) in value frames, 16 bits in text frames.
    frames.clear();
    for (const auto &ids : profileGroups)
        frames << indexedFrame(0x71, 300 & 0xFF, 0, ids);
    frames << blockFrame(0x72, 300) << blockFrame(0x73, 300);
    QTest::newRow("getProfileData(300)") << Operation([](DeviceLink &link) {
        profDataNew p;
        return link.getProfileData(300, p);
    }) << frames << 0;

    frames.clear();
    for (const auto &ids : profileGroups)
        frames << indexedFrame(0x7D, 2, 0, ids, valuesOf(ids, kProfileBase));
    frames << blockFrame(0x7E, 2, "Drift") << blockFrame(0x7F, 2, "rsv");
    QTest::newRow("setProfileData(2)")
        << Operation([](DeviceLink &link) { return link.setProfileData(2, toolProfile()); }) << frames << 14;

    frames.clear();
    for (const auto &ids : hardwareGroups)
        frames << indexedFrame(0x6E, 0, 0, ids);
    QTest::newRow("getHardwareDataNew") << Operation(&DeviceLink::getHardwareDataNew) << frames << 0;

    QTest::newRow("getHwData(16)") << Operation([](DeviceLink &link) { return link.getHwData(16); })
                                   << QList<QByteArray>{indexedFrame(0x6E, 0, 0, {16})} << 0;

    frames.clear();
    for (const auto &ids : hardwareGroups)
        frames << indexedFrame(0x7A, 0, 0, ids, valuesOf(ids, kHardwareBase));
    QTest::newRow("setHardwareData") << Operation(&DeviceLink::setHardwareData) << frames << 14;

    QTest::newRow("setHardwareValue(14, 0x432)")
        << Operation([](DeviceLink &link) { return link.setHardwareValue(14, 0x432); })
        << QList<QByteArray>{indexedFrame(0x7A, 0, 0, {14}, {0x432})} << 0;

    frames.clear();
    for (int axis = 0; axis < 7; ++axis)
        frames << indexedFrame(0x6F, 3, axis, idsFrom(1, 9)) << indexedFrame(0x6F, 3, axis, {10});
    frames << blockFrame(0x74, 3);
    QTest::newRow("getAnalogDataNew(3)") << Operation([](DeviceLink &link) {
        AnalogSettings record;
        return link.getAnalogDataNew(3, record);
    }) << frames << 0;

    // The name goes out after each axis: seven times.
    frames.clear();
    for (int axis = 0; axis < 7; ++axis) {
        const quint32 axisBase = kAnalogBase + quint32(11 * axis);
        frames << indexedFrame(0x7B, 3, axis, idsFrom(1, 9), valuesOf(idsFrom(1, 9), axisBase))
               << indexedFrame(0x7B, 3, axis, {10}, {axisBase + 10}) << blockFrame(0x80, 3, "Pedals");
    }
    QTest::newRow("setAnalogData(3)")
        << Operation([](DeviceLink &link) { return link.setAnalogData(3, toolAnalogRecord()); }) << frames << 28;
}

void TestSettingsTransfer::operationFrames()
{
    QFETCH(Operation, operation);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, pausedMs);

    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    const auto sleptBefore = clock.slept();
    QVERIFY(operation(fixture.link));
    QVERIFY(fixture.link.connected());
    QCOMPARE(int(clock.slept() - sleptBefore), pausedMs);

    const auto &received = fixture.base->receivedFrames();
    QCOMPARE(int(received.size()), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(frameBytes(received[std::size_t(i)]).toHex(' '), expected[i].toHex(' '));
}

void TestSettingsTransfer::profileRoundTripKeepsUnnamedWords()
{
    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    basesim::ProfileRecord &source = fixture.base->state().ram.profiles[1];
    for (std::size_t id = 27; id <= 49; ++id)
        source.param[id] = 0xBEEF0000u + quint32(id);
    source.param[50] = 1;
    setText(source.name, "Endurance");
    setText(source.reservedText, "base-only text");

    profDataNew profile;
    profile.changed = 1;
    QVERIFY(fixture.link.getProfileData(1, profile));
    for (std::size_t id = 1; id <= 50; ++id)
        QCOMPARE(profile.param[id], source.param[id]);
    QCOMPARE(QByteArray(profile.name.data()), QByteArray("Endurance"));
    QCOMPARE(QByteArray(profile.reservedText.data()), QByteArray("base-only text"));
    QCOMPARE(int(profile.changed), 1);   // never travels

    QVERIFY(!fixture.base->state().hasFlag(wire::Unsaved));
    QVERIFY(fixture.link.setProfileData(3, profile));
    const basesim::ProfileRecord &written = fixture.base->state().ram.profiles[3];
    QVERIFY(written == source);
    QVERIFY(fixture.base->state().hasFlag(wire::Unsaved));
    QVERIFY(fixture.base->state().flash.profiles[3] != source);
}

void TestSettingsTransfer::hardwareAndAnalogRoundTrip()
{
    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    basesim::SettingsStore &ram = fixture.base->state().ram;
    ram.analog[4].field(wire::AxisHat, 10) = 0xCAFE;
    ram.hardware.word[63] = 6363;

    HardwareSettings marked = fixture.link.hardwareSettings();
    marked.word[0] = kMarker;
    fixture.link.editHardwareSettings(marked);
    QVERIFY(fixture.link.getHardwareDataNew());
    QCOMPARE(fixture.link.hardwareSettings().word[0], kMarker);   // word 0 never travels
    for (std::size_t id = 1; id < 64; ++id)
        QCOMPARE(fixture.link.hardwareSettings().word[id], ram.hardware.word[id]);
    QCOMPARE(fixture.link.hardwareSettings().word[1], 65536u);

    AnalogSettings record;
    QVERIFY(fixture.link.getAnalogDataNew(4, record));
    QCOMPARE(record.word[76], 0xCAFEu);
    QVERIFY(std::memcmp(&record, &ram.analog[4], sizeof record) == 0);

    HardwareSettings edited = fixture.link.hardwareSettings();
    edited.word[3] = 33;
    fixture.link.editHardwareSettings(edited);
    QVERIFY(fixture.link.setHardwareData());
    QCOMPARE(ram.hardware.word[3], 33u);
    QCOMPARE(ram.hardware.word[63], 6363u);
    QVERIFY(fixture.link.setAnalogData(20, record));
    QVERIFY(std::memcmp(&ram.analog[20], &record, sizeof record) == 0);
}

void TestSettingsTransfer::singleHardwareIdStoredByNamedId_data()
{
    QTest::addColumn<int>("namedId");      // what reply slot 0 names; 16 was asked for
    QTest::addColumn<int>("extraSlotId");  // slot 1 of the reply, which nobody asked for
    QTest::addColumn<int>("storedAt");     // -1: nothing stored

    QTest::newRow("as asked") << 16 << 0 << 16;
    QTest::newRow("another id named") << 20 << 0 << 20;
    QTest::newRow("id 0 named") << 0 << 0 << -1;
    QTest::newRow("id 64 named") << 64 << 0 << -1;
    QTest::newRow("extra slot ignored") << 16 << 17 << 16;
}

void TestSettingsTransfer::singleHardwareIdStoredByNamedId()
{
    QFETCH(int, namedId);
    QFETCH(int, extraSlotId);
    QFETCH(int, storedAt);

    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->state().ram.setPermanentCentreOffset(-1234);
    fixture.base->faults().tamperReply = [=](wire::ReplyBuffer &reply) {
        reply[2] = std::uint8_t(namedId);
        reply[3] = std::uint8_t(namedId >> 8);
        reply[4] = std::uint8_t(extraSlotId);
        reply[24] = 0x77;
    };
    HardwareSettings marked = fixture.link.hardwareSettings();
    marked.word.fill(kMarker);
    fixture.link.editHardwareSettings(marked);
    QVERIFY(fixture.link.getHwData(16));

    wire::HardwareSettings expected;
    expected.word.fill(kMarker);
    if (storedAt >= 0)
        expected.word[std::size_t(storedAt)] = std::uint32_t(-1234);
    QVERIFY(fixture.link.hardwareSettings().word == expected.word);
}

// The third value frame of a profile read comes back as a text reply: the read stops there,
// with the values of the first two frames stored and nothing after them.
void TestSettingsTransfer::failureEndsReadAtOnce()
{
    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    int replies = 0;
    fixture.base->faults().tamperReply = [&replies](wire::ReplyBuffer &reply) {
        if (++replies == 3)
            reply[1] = 0x79;
    };
    profDataNew profile;
    profile.param.fill(kMarker);
    QVERIFY(!fixture.link.getProfileData(0, profile));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(int(fixture.base->receivedFrames().size()), 3);
    const basesim::ProfileRecord &source = fixture.base->state().ram.profiles[0];
    for (std::size_t id = 1; id <= 18; ++id)
        QCOMPARE(profile.param[id], source.param[id]);
    for (std::size_t id = 19; id <= 50; ++id)
        QCOMPARE(profile.param[id], kMarker);
}

void TestSettingsTransfer::wrongPacketTypeClosesLink_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("wrongType");

    QTest::newRow("profile values as text") << Operation([](DeviceLink &link) {
        profDataNew p;
        return link.getProfileData(0, p);
    }) << 0x79;
    QTest::newRow("hardware values as text") << Operation(&DeviceLink::getHardwareDataNew) << 0x79;
    QTest::newRow("one hardware id as status")
        << Operation([](DeviceLink &link) { return link.getHwData(1); }) << 0x01;
    QTest::newRow("analog values as text") << Operation([](DeviceLink &link) {
        AnalogSettings record;
        return link.getAnalogDataNew(0, record);
    }) << 0x79;
}

void TestSettingsTransfer::wrongPacketTypeClosesLink()
{
    QFETCH(Operation, operation);
    QFETCH(int, wrongType);

    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().wrongPacketTypeReplies = 1;
    fixture.base->faults().wrongPacketType = std::uint8_t(wrongType);
    QVERIFY(!operation(fixture.link));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);
    QCOMPARE(int(fixture.base->receivedFrames().size()), 1);
}

void TestSettingsTransfer::failedWriteEndsAtOnce()
{
    ManualClock clock;
    TransferFixture fixture;
    QVERIFY(fixture.connect());
    fixture.base->faults().failWrites = true;
    QVERIFY(!fixture.link.setAnalogData(0, toolAnalogRecord()));
    QVERIFY(!fixture.link.connected());
    QCOMPARE(fixture.base->openHandleCount(), 0);
    QCOMPARE(int(clock.slept()), 0);   // no pause after the failed frame
}

void TestSettingsTransfer::nothingSentWhileDisconnected()
{
    ManualClock clock;
    TransferFixture fixture;
    profDataNew profile;
    AnalogSettings record;
    QVERIFY(!fixture.link.getProfileData(0, profile));
    QVERIFY(!fixture.link.setProfileData(0, profile));
    QVERIFY(!fixture.link.getHardwareDataNew());
    QVERIFY(!fixture.link.setHardwareData());
    QVERIFY(!fixture.link.setHardwareValue(14, 0));
    QVERIFY(!fixture.link.getAnalogDataNew(0, record));
    QVERIFY(!fixture.link.setAnalogData(0, record));
    QVERIFY(fixture.base->receivedFrames().empty());
    QCOMPARE(int(clock.slept()), 0);
}

QTEST_GUILESS_MAIN(TestSettingsTransfer)
#include "tst_settingstransfer.moc"
