// Frame builders and the status and wheel codecs, byte by byte.

#include "device/wire/devicestatus.h"
#include "device/wire/frames.h"
#include "device/wire/wheelsample.h"

#include <QtTest>

using namespace wire;

class TestWire : public QObject {
    Q_OBJECT

private slots:
    void commandFrameLayouts_data();
    void commandFrameLayouts();
    void statusFieldOffsets_data();
    void statusFieldOffsets();
    void statusRoundTripKeepsUnusedBytes();
    void statusFromShortReply();
    void wheelReportLayout();
    void wheelReportShortOrEmpty();
};

static QByteArray bytes(const CommandFrame &f)
{
    return QByteArray(reinterpret_cast<const char *>(f.data()), int(f.size()));
}

static QByteArray frameWith(std::initializer_list<std::pair<int, int>> setBytes)
{
    QByteArray expected(int(kCommandFrameSize), '\0');
    for (auto [offset, value] : setBytes)
        expected[offset] = char(value);
    return expected;
}

void TestWire::commandFrameLayouts_data()
{
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("bare status") << bytes(bareCommand(DeviceCommand::askVeltraneStatusNew))
                                 << frameWith({{0, 0x6B}, {1, 0x00}});
    QTest::newRow("u16 activate 3") << bytes(u16Command(DeviceCommand::activateProfile, 3))
                                    << frameWith({{0, 0x6B}, {1, 0x26}, {2, 3}});
    QTest::newRow("u16 little-endian") << bytes(u16Command(DeviceCommand::driveSystemCommand, 0x1234))
                                       << frameWith({{0, 0x6B}, {1, 0x1E}, {2, 0x34}, {3, 0x12}});

    SlotIds ids{};
    ids[0] = 0x0102;
    ids[8] = 0x0A0B;
    QTest::newRow("indexed read")
        << bytes(indexedReadCommand(DeviceCommand::getHardwareDataNew, 7, 9, ids))
        << frameWith({{0, 0x6B}, {1, 0x6E}, {2, 7}, {3, 9}, {4, 0x02}, {5, 0x01}, {20, 0x0B}, {21, 0x0A}});

    SlotValues values{};
    values[0] = 0x11223344;
    values[8] = 0xA1B2C3D4;
    QTest::newRow("indexed write values at 22 + 4k")
        << bytes(indexedWriteCommand(DeviceCommand::setHardwareData, 1, 2, ids, values))
        << frameWith({{0, 0x6B}, {1, 0x7A}, {2, 1}, {3, 2}, {4, 0x02}, {5, 0x01}, {20, 0x0B}, {21, 0x0A},
                      {22, 0x44}, {23, 0x33}, {24, 0x22}, {25, 0x11},
                      {54, 0xD4}, {55, 0xC3}, {56, 0xB2}, {57, 0xA1}});

    std::array<std::uint8_t, kBlockDataSize> block{};
    block[0] = 'A';
    block[31] = 'Z';
    QTest::newRow("block data at 6")
        << bytes(blockCommand(DeviceCommand::setProfileDataReservedText, 0x0105, block))
        << frameWith({{0, 0x6B}, {1, 0x7F}, {2, 0x05}, {3, 0x01}, {6, 'A'}, {37, 'Z'}});
}

void TestWire::commandFrameLayouts()
{
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual.toHex(' '), expected.toHex(' '));
}

void TestWire::statusFieldOffsets_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("field");
    QTest::addColumn<quint32>("expected");

    auto row = [](const char *name, int offset, QByteArray value, quint32 expected) {
        QTest::newRow(name) << offset << value << QString(name) << expected;
    };
    row("firmwareMajor", 2, QByteArray::fromHex("01"), 1);
    row("firmwareMinor", 3, QByteArray::fromHex("02"), 2);
    row("firmwarePatch", 4, QByteArray::fromHex("0f"), 15);
    row("safetyFlags", 6, QByteArray::fromHex("a0"), 0xA0);
    row("operatingMode", 8, QByteArray::fromHex("0b000001"), 0x0100000B);
    row("driveFirmwareVersion", 16, QByteArray::fromHex("3412"), 0x1234);
    row("activeProfile", 18, QByteArray::fromHex("0300"), 3);
    row("defaultProfile", 20, QByteArray::fromHex("0401"), 0x104);
    row("profileCount", 22, QByteArray::fromHex("0500"), 5);
    row("driveUpdateProgress", 25, QByteArray::fromHex("63"), 99);
    row("modeValue", 28, QByteArray::fromHex("78563412"), 0x12345678);
    row("debugValue", 32, QByteArray::fromHex("ffffffff"), 0xFFFFFFFF);
    row("effectsAllocated", 36, QByteArray::fromHex("01100000"), 0x1001);
    row("effectsPlaying", 40, QByteArray::fromHex("08000000"), 8);
    row("driveFaults", 44, QByteArray::fromHex("c0000000"), 0xC0);
    row("faultLocation", 48, QByteArray::fromHex("2a000000"), 42);
    row("eventLogVerbosity", 52, QByteArray::fromHex("03"), 3);
    row("statusFlags unaligned at 53", 53, QByteArray::fromHex("0104"), 0x0401);
}

static quint32 fieldValue(const DeviceStatus &s, const QString &field)
{
    if (field == "firmwareMajor") return s.firmwareMajor;
    if (field == "firmwareMinor") return s.firmwareMinor;
    if (field == "firmwarePatch") return s.firmwarePatch;
    if (field == "safetyFlags") return s.safetyFlags;
    if (field == "operatingMode") return s.operatingMode;
    if (field == "driveFirmwareVersion") return s.driveFirmwareVersion;
    if (field == "activeProfile") return s.activeProfile;
    if (field == "defaultProfile") return s.defaultProfile;
    if (field == "profileCount") return s.profileCount;
    if (field == "driveUpdateProgress") return s.driveUpdateProgress;
    if (field == "modeValue") return s.modeValue;
    if (field == "debugValue") return s.debugValue;
    if (field == "effectsAllocated") return s.effectsAllocated;
    if (field == "effectsPlaying") return s.effectsPlaying;
    if (field == "driveFaults") return s.driveFaults;
    if (field == "faultLocation") return s.faultLocation;
    if (field == "eventLogVerbosity") return s.eventLogVerbosity;
    return s.statusFlags;
}

void TestWire::statusFieldOffsets()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, value);
    QFETCH(QString, field);
    QFETCH(quint32, expected);

    ReplyBuffer reply{};
    reply[0] = kReplyReportId;
    reply[1] = 0x01;
    std::copy(value.begin(), value.end(), reply.begin() + offset);
    const DeviceStatus s = decodeStatus(reply.data(), reply.size());
    QCOMPARE(fieldValue(s, field), expected);

    // Encoding the decoded record reproduces the reply's first 57 bytes.
    const auto encoded = encodeStatus(s);
    QVERIFY(std::equal(encoded.begin(), encoded.end(), reply.begin()));
}

void TestWire::statusRoundTripKeepsUnusedBytes()
{
    ReplyBuffer reply{};
    for (std::size_t i = 0; i < reply.size(); ++i)
        reply[i] = std::uint8_t(i * 37 + 11);
    DeviceStatus s = decodeStatus(reply.data(), reply.size());
    s.operatingMode = ModeNoBase;
    const auto encoded = encodeStatus(s);
    for (int unused : {5, 7, 12, 13, 14, 15, 24, 26, 27, 55, 56})
        QCOMPARE(int(encoded[unused]), int(reply[unused]));
    QCOMPARE(int(encoded[8]), int(ModeNoBase));
    QCOMPARE(s.hasFlag(Unsaved), bool(reply[53] & 1));
}

void TestWire::statusFromShortReply()
{
    const std::uint8_t shortReply[] = {0x6C, 0x01, 1, 0, 15};
    const DeviceStatus s = decodeStatus(shortReply, sizeof shortReply);
    QCOMPARE(int(s.firmwarePatch), 15);
    QCOMPARE(s.operatingMode, 0u);
    QCOMPARE(s.statusFlags, std::uint16_t(0));
}

void TestWire::wheelReportLayout()
{
    WheelSample in;
    in.position = 0x8123;
    for (std::size_t i = 0; i < kAnalogAxes; ++i)
        in.axes[i] = std::uint16_t(1000 * (i + 1));
    in.setButton(0, true);
    in.setButton(33, true);
    in.setButton(127, true);
    const auto report = encodeWheelReport(in);
    QCOMPARE(int(report[0]), 0x04);
    QCOMPARE(int(report[1]), 0x23);
    QCOMPARE(int(report[2]), 0x81);
    QCOMPARE(int(report[3]), 1000 & 0xFF);
    QCOMPARE(int(report[17]), 0x01);     // button 0: word 0 bit 0
    QCOMPARE(int(report[21]), 0x02);     // button 33: word 1 bit 1
    QCOMPARE(int(report[32]), 0x80);     // button 127: word 3 bit 31

    const WheelSample out = decodeWheelReport(report.data(), report.size());
    QCOMPARE(out.position, in.position);
    QVERIFY(out.axes == in.axes);
    QVERIFY(out.button(0) && out.button(33) && out.button(127));
    QVERIFY(!out.button(1) && !out.button(32) && !out.button(128));
}

void TestWire::wheelReportShortOrEmpty()
{
    const std::uint8_t shortReport[] = {0x04, 0x00, 0x80, 0x10};
    const WheelSample s = decodeWheelReport(shortReport, sizeof shortReport);
    QCOMPARE(s.position, std::uint16_t(0x8000));
    QCOMPARE(s.axes[0], std::uint16_t(0x10));
    QCOMPARE(s.buttons[3], 0u);
    const WheelSample empty = decodeWheelReport(nullptr, 0);
    QCOMPARE(empty.position, std::uint16_t(0));
}

QTEST_APPLESS_MAIN(TestWire)
#include "tst_wire.moc"
