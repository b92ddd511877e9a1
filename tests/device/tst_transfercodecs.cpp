// The reply decoders of the settings transfers and auxiliary queries, byte by byte: where
// each value sits, which ids each frame carries, and that nothing lands outside a record.

#include "device/wire/driveparameterframe.h"
#include "device/wire/eventlogchunk.h"
#include "device/wire/hightorquechallenge.h"
#include "device/wire/indexedframes.h"
#include "device/wire/settingsids.h"
#include "device/wire/wirelessdevicedata.h"

#include <QtTest>

#include <cstring>
#include <vector>

using namespace wire;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

enum class RecordKind { Profile, Hardware, AnalogAxis };

struct Slot {
    int id;
    std::uint32_t value;
};

// An indexed reply written out by hand: ids at 2 + 2k, values at 20 + 4k.
ReplyBuffer replyWith(std::initializer_list<Slot> entries)
{
    ReplyBuffer reply{};
    reply[0] = 0x6C;
    reply[1] = 0x78;
    int k = 0;
    for (const Slot &slot : entries) {
        reply[std::size_t(2 + 2 * k)] = std::uint8_t(slot.id);
        reply[std::size_t(3 + 2 * k)] = std::uint8_t(slot.id >> 8);
        for (int b = 0; b < 4; ++b)
            reply[std::size_t(20 + 4 * k + b)] = std::uint8_t(slot.value >> (8 * b));
        ++k;
    }
    return reply;
}

constexpr std::uint32_t kUntouched = 0xA5A5A5A5;

QByteArray asBytes(const void *data, std::size_t size)
{
    return QByteArray(static_cast<const char *>(data), int(size));
}

} // namespace

class TestTransferCodecs : public QObject {
    Q_OBJECT

private slots:
    void valuesLandByNamedId_data();
    void valuesLandByNamedId();
    void idGroupsOfEachTransfer_data();
    void idGroupsOfEachTransfer();
    void blockReplyText();
    void wirelessNameIsTerminated_data();
    void wirelessNameIsTerminated();
    void eventLogChunkLayout();
    void driveParameterFrameSlots();
    void driveParameterReplyKeepsTail();
    void challengeResponseHas29Bits();
};

// Each record starts filled with a marker pattern; `changed` lists every word that must
// differ afterwards (word index in the record, expected value), all other words keep it.
void TestTransferCodecs::valuesLandByNamedId_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("axis");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<std::vector<int>>("changedWords");
    QTest::addColumn<std::vector<int>>("changedValues");

    const auto row = [](const char *name, RecordKind kind, int axis, const ReplyBuffer &reply,
                        std::vector<int> words, std::vector<int> values) {
        QTest::newRow(name) << int(kind) << axis << asBytes(reply.data(), reply.size()) << words << values;
    };
    row("profile: stored under the named id", RecordKind::Profile, 0,
        replyWith({{1, 11}, {2, 22}, {9, 99}}), {1, 2, 9}, {11, 22, 99});
    row("profile: id 0 slot skipped", RecordKind::Profile, 0, replyWith({{28, 1}, {0, 7}, {30, 3}}), {28, 30},
        {1, 3});
    row("profile: 50 kept, 51 and 65535 dropped", RecordKind::Profile, 0,
        replyWith({{50, 5}, {51, 6}, {65535, 7}}), {50}, {5});
    row("profile: reply names another id than asked", RecordKind::Profile, 0, replyWith({{40, 1234}}), {40},
        {1234});
    row("hardware: 63 kept, 64 dropped", RecordKind::Hardware, 0, replyWith({{63, 630}, {64, 640}, {1, 65536}}),
        {63, 1}, {630, 65536});
    row("hardware: id 0 skipped", RecordKind::Hardware, 0, replyWith({{0, 9}, {10, 25000}}), {10}, {25000});
    row("analog axis 0", RecordKind::AnalogAxis, 0, replyWith({{1, 4}, {3, 100}, {4, 65435}, {5, 1}}),
        {1, 3, 4, 5}, {4, 100, 65435, 1});
    row("analog axis 6 id 10 is word 76", RecordKind::AnalogAxis, 6, replyWith({{10, 0xCAFE}}), {76}, {0xCAFE});
    row("analog: id 11 dropped", RecordKind::AnalogAxis, 6, replyWith({{11, 1}, {9, 2}}), {75}, {2});
    row("analog: axis 7 stores nothing", RecordKind::AnalogAxis, 7, replyWith({{1, 1}, {10, 2}}), {}, {});
    row("analog: axis -1 stores nothing", RecordKind::AnalogAxis, -1, replyWith({{1, 1}}), {}, {});
}

void TestTransferCodecs::valuesLandByNamedId()
{
    QFETCH(int, kind);
    QFETCH(int, axis);
    QFETCH(QByteArray, reply);
    QFETCH(std::vector<int>, changedWords);
    QFETCH(std::vector<int>, changedValues);

    const IndexedSlots entries = decodeIndexedReply(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                                  std::size_t(reply.size()));
    std::vector<std::uint32_t> expected;
    std::vector<std::uint32_t> actual;
    QByteArray trailingText;   // what follows the words in the record must stay as it was
    switch (RecordKind(kind)) {
    case RecordKind::Profile: {
        profDataNew profile;
        profile.param.fill(kUntouched);
        profile.changed = 0x5A;
        profile.name.fill('n');
        profile.reservedText.fill('r');
        storeProfileValues(entries, profile);
        actual.assign(profile.param.begin(), profile.param.end());
        QCOMPARE(int(profile.changed), 0x5A);
        trailingText = QByteArray(profile.name.data(), 32) + QByteArray(profile.reservedText.data(), 32);
        QCOMPARE(trailingText, QByteArray(32, 'n') + QByteArray(32, 'r'));
        break;
    }
    case RecordKind::Hardware: {
        HardwareSettings hw;
        hw.word.fill(kUntouched);
        storeHardwareValues(entries, hw);
        actual.assign(hw.word.begin(), hw.word.end());
        break;
    }
    case RecordKind::AnalogAxis: {
        AnalogSettings record;
        record.word.fill(kUntouched);
        record.name.fill('a');
        storeAnalogValues(entries, record, axis);
        actual.assign(record.word.begin(), record.word.end());
        QCOMPARE(QByteArray(record.name.data(), 32), QByteArray(32, 'a'));
        break;
    }
    }
    expected.assign(actual.size(), kUntouched);
    for (std::size_t i = 0; i < changedWords.size(); ++i)
        expected[std::size_t(changedWords[i])] = std::uint32_t(changedValues[i]);
    QCOMPARE(actual, expected);
}

void TestTransferCodecs::idGroupsOfEachTransfer_data()
{
    QTest::addColumn<std::vector<int>>("ids");       // all groups, slot by slot
    QTest::addColumn<std::vector<int>>("expected");

    const auto flatten = [](const auto &groups) {
        std::vector<int> ids;
        for (const SlotIds &g : groups)
            ids.insert(ids.end(), g.begin(), g.end());
        return ids;
    };
    const auto counting = [](int from, int to) {
        std::vector<int> ids;
        for (int id = from; id <= to; ++id)
            ids.push_back(id);
        return ids;
    };
    std::vector<int> profile = counting(1, 50);
    profile.insert(profile.end(), 4, 0);   // the last frame: 46..50 and four empty slots
    QTest::newRow("profile 1..50") << flatten(profileIdGroups()) << profile;
    QTest::newRow("hardware 1..63") << flatten(hardwareIdGroups()) << counting(1, 63);
    QTest::newRow("analog 1..9, 10") << flatten(analogIdGroups())
                                     << std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TestTransferCodecs::idGroupsOfEachTransfer()
{
    QFETCH(std::vector<int>, ids);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(ids, expected);
}

void TestTransferCodecs::blockReplyText()
{
    ReplyBuffer reply{};
    for (std::size_t i = 0; i < reply.size(); ++i)
        reply[i] = std::uint8_t(i);
    const BlockText text = decodeBlockText(reply.data(), reply.size());
    QCOMPARE(int(text.front()), 6);
    QCOMPARE(int(text.back()), 37);
    // A short report reads as zeros past its end, never past the buffer.
    const BlockText shortText = decodeBlockText(reply.data(), 10);
    QCOMPARE(int(shortText[3]), 9);
    QCOMPARE(int(shortText[4]), 0);
}

void TestTransferCodecs::wirelessNameIsTerminated_data()
{
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("nulOffset");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("length 5") << 5 << 19 << QByteArray(5, 'W');
    QTest::newRow("length 0") << 0 << 14 << QByteArray();
    QTest::newRow("length 31") << 31 << 45 << QByteArray(31, 'W');
    QTest::newRow("length 32 clamped") << 32 << 45 << QByteArray(31, 'W');
    QTest::newRow("length 255 clamped") << 255 << 45 << QByteArray(31, 'W');
}

void TestTransferCodecs::wirelessNameIsTerminated()
{
    QFETCH(int, nameLength);
    QFETCH(int, nulOffset);
    QFETCH(QByteArray, name);

    ReplyBuffer reply{};
    reply.fill('W');
    reply[0] = 0x6C;
    reply[1] = 0x86;
    reply[46] = 0xC4;   // -60
    reply[48] = std::uint8_t(nameLength);
    reply[49] = 70;
    reply[50] = 15;
    const WirelessDeviceData record = decodeWirelessDeviceData(reply.data(), reply.size());

    for (std::size_t i = 0; i < record.bytes.size(); ++i) {
        if (int(i) == nulOffset)
            QCOMPARE(int(record.bytes[i]), 0);
        else
            QCOMPARE(int(record.bytes[i]), int(reply[i]));
    }
    QCOMPARE(QByteArray::fromStdString(record.name()), name);
    QCOMPARE(int(record.signalStrength()), -60);
    QCOMPARE(int(record.nameLength()), nameLength);
    QCOMPARE(int(record.batteryRaw()), 70);
    QCOMPARE(int(record.connectionQuality()), 15);
}

void TestTransferCodecs::eventLogChunkLayout()
{
    EventCodes codes{};
    EventValues values{};
    for (std::size_t k = 0; k < kEventLogChunkEntries; ++k) {
        codes[k] = std::uint16_t(200 + k);
        values[k] = -int(k) * 100000;
    }
    const ReplyBuffer reply = encodeEventLogChunk(999, codes, values);
    QCOMPARE(asBytes(reply.data(), 4).toHex(' '), QByteArray("6c 50 e7 03"));
    QCOMPARE(asBytes(reply.data() + 4, 2).toHex(' '), QByteArray("c8 00"));       // first code at 4
    QCOMPARE(asBytes(reply.data() + 20, 2).toHex(' '), QByteArray("d0 00"));      // ninth code at 20
    QCOMPARE(asBytes(reply.data() + 54, 4).toHex(' '), QByteArray("00 cb f3 ff")); // ninth value at 54

    const EventLogChunk chunk = decodeEventLogChunk(reply.data(), reply.size());
    QCOMPARE(int(chunk.head()), 999);
    for (std::size_t k = 0; k < kEventLogChunkEntries; ++k) {
        QCOMPARE(int(chunk.code(k)), int(codes[k]));
        QCOMPARE(chunk.value(k), values[k]);
    }
    QCOMPARE(int(chunk.code(9)), 0);
}

void TestTransferCodecs::driveParameterFrameSlots()
{
    DriveAddresses addresses{};
    addresses[0] = 484;
    addresses[1] = 485;
    DriveParameterFrame frame = driveParameterRequest(addresses);
    frame.setValue(1, -2);
    frame.setValue(9, 7);       // outside the frame: ignored
    frame.setAddress(9, 7);
    frame.setCommand(DeviceCommand::writeDriveParameters);

    QByteArray expected(60, '\0');
    expected[0] = 0x6B;
    expected[1] = char(0x96);
    expected[4] = char(0xE4);   // 484
    expected[5] = 0x01;
    expected[6] = char(0xE5);   // 485
    expected[7] = 0x01;
    expected.replace(26, 4, QByteArray("\xFE\xFF\xFF\xFF", 4));   // value slot 1 at 22 + 4
    QCOMPARE(asBytes(frame.bytes.data(), frame.bytes.size()).toHex(' '), expected.toHex(' '));
    QCOMPARE(int(frame.usedSlots()), 2);
}

void TestTransferCodecs::driveParameterReplyKeepsTail()
{
    DriveParameterFrame frame;
    frame.bytes.fill(0xEE);
    ReplyBuffer reply{};
    reply.fill(0x11);
    storeDriveParameterReply(reply.data(), reply.size(), frame);
    QCOMPARE(int(frame.bytes[57]), 0x11);
    QCOMPARE(int(frame.bytes[58]), 0xEE);   // only reply bytes 0..57 travel into the frame
    QCOMPARE(int(frame.bytes[59]), 0xEE);
}

void TestTransferCodecs::challengeResponseHas29Bits()
{
    // A spread of challenges: the answer is 1 or fits in 29 bits, and depends on the challenge.
    // (Only the low 29 bits of a challenge can matter: every step carries bits upwards only.)
    QSet<std::uint32_t> responses;
    for (std::uint32_t c : {0u, 1u, 2u, 0x17B7u, 0x00400000u, 0xFFFFFFFFu, 0x12345678u, 0x9ABCDEF0u}) {
        const std::uint32_t response = highTorqueResponse(c);
        QVERIFY(response == 1 || response < (1u << 29));
        responses.insert(response);
    }
    QCOMPARE(responses.size(), 8);
}

QTEST_GUILESS_MAIN(TestTransferCodecs)
#include "tst_transfercodecs.moc"
