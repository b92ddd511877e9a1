// The base's settings records, event ring, wireless receiver and drive parameters as a
// host sees them through raw frames: RAM against flash, profile count changes, the ring,
// the receiver's wheels and the drive's parameter frames.

#include "tests/basesim/basesimbench.h"

#include "device/wire/bytes.h"
#include "device/wire/driveparameterframe.h"
#include "device/wire/eventlogchunk.h"
#include "device/wire/indexedframes.h"
#include "device/wire/wirelessdevicedata.h"

#include <QtTest>

#include <cstring>

using namespace wire;

namespace {

QByteArray bytes(const CommandFrame &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size()));
}

CommandFrame frameOf(const QByteArray &bytes)
{
    CommandFrame frame{};
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    return frame;
}

SlotIds ids(std::initializer_list<std::uint16_t> list)
{
    SlotIds result{};
    std::copy(list.begin(), list.end(), result.begin());
    return result;
}

BlockText text(const char *s)
{
    BlockText t{};
    std::copy_n(s, std::strlen(s), t.begin());
    return t;
}

// Reply bytes of a request, or an empty array when the base stays silent.
QByteArray ask(Bench &bench, const CommandFrame &frame)
{
    if (bench.send(frame) < 0)
        return {};
    const auto reply = bench.awaitReply(50);
    return reply ? QByteArray(reinterpret_cast<const char *>(reply->data()), int(reply->size())) : QByteArray();
}

QByteArray profileName(Bench &bench, std::uint16_t index)
{
    return ask(bench, blockCommand(DeviceCommand::getProfileDataName, index, {})).mid(6, 32).split('\0').first();
}

QByteArray le32(std::uint32_t value)
{
    QByteArray b(4, '\0');
    wire::putU32(reinterpret_cast<std::uint8_t *>(b.data()), 4, 0, value);
    return b;
}

bool unsaved(Bench &bench)
{
    const auto status = bench.status();
    return status && status->hasFlag(Unsaved);
}

DriveParameterFrame driveFrame(DeviceCommand code, std::initializer_list<std::pair<int, int>> parameters,
                               bool interlock = false)
{
    DriveParameterFrame frame;
    std::size_t slot = 0;
    for (auto [address, value] : parameters) {
        frame.setAddress(slot, std::uint16_t(address));
        frame.setValue(slot++, value);
    }
    frame.setHighTorqueMarker(interlock);
    frame.setCommand(code);
    return frame;
}

} // namespace

class TestBaseSimTransfers : public QObject {
    Q_OBJECT

private slots:
    void writesLiveInRamUntilSaved_data();
    void writesLiveInRamUntilSaved();
    void readsNameTheRequestedIds();
    void profileCountChangesTheList();
    void eventRingRecordsBootAndCommands();
    void eventRingWraps();
    void wirelessReceiver();
    void driveParameterFrames();
};

// Each row writes one value or text, reads it back with `read`, and compares the reply
// bytes at `offset` with what the base held before (`before`) and after the write.
void TestBaseSimTransfers::writesLiveInRamUntilSaved_data()
{
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    using C = DeviceCommand;
    QTest::newRow("profile 2, dxfrictiongain")
        << bytes(indexedWriteCommand(C::setProfileDataValues, 2, 0, ids({5}), SlotValues{77}))
        << bytes(indexedReadCommand(C::getProfileDataValues, 2, 0, ids({5}))) << 20 << le32(15) << le32(77);
    QTest::newRow("profile 2, unnamed word 40")
        << bytes(indexedWriteCommand(C::setProfileDataValues, 2, 0, ids({40}), SlotValues{0xDEADBEEF}))
        << bytes(indexedReadCommand(C::getProfileDataValues, 2, 0, ids({40}))) << 20 << le32(0) << le32(0xDEADBEEF);
    QTest::newRow("profile 1 name")
        << bytes(blockCommand(C::setProfileDataName, 1, text("Rally")))
        << bytes(blockCommand(C::getProfileDataName, 1, {})) << 6 << QByteArray("Profile 1") << QByteArray("Rally");
    QTest::newRow("profile 1 second text")
        << bytes(blockCommand(C::setProfileDataReservedText, 1, text("opaque")))
        << bytes(blockCommand(C::getProfileDataReservedText, 1, {})) << 6 << QByteArray() << QByteArray("opaque");
    QTest::newRow("hardware bump-stop strength")
        << bytes(indexedWriteCommand(C::setHardwareData, 0, 0, ids({8}), SlotValues{0}))
        << bytes(indexedReadCommand(C::getHardwareDataNew, 0, 0, ids({8}))) << 20 << le32(60) << le32(0);
    QTest::newRow("analog 7, brake max")
        << bytes(indexedWriteCommand(C::setAnalogDataValues, 7, AxisBrake, ids({AnalogMax}), SlotValues{60000}))
        << bytes(indexedReadCommand(C::getAnalogDataNew, 7, AxisBrake, ids({AnalogMax}))) << 20 << le32(61600)
        << le32(60000);
    QTest::newRow("analog 20 name")
        << bytes(blockCommand(C::setAnalogDataName, 20, text("Load cell")))
        << bytes(blockCommand(C::getAnalogDataNewName, 20, {})) << 6 << QByteArray("Analog setup 20")
        << QByteArray("Load cell");
}

void TestBaseSimTransfers::writesLiveInRamUntilSaved()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, read);
    QFETCH(int, offset);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    Bench bench;
    // A value is the four bytes at `offset`; a text runs from `offset` to its NUL.
    const bool isValue = offset == 20;
    const auto valueRead = [&] {
        const QByteArray reply = ask(bench, frameOf(read));
        return isValue ? reply.mid(offset, 4) : reply.mid(offset, 32).split('\0').first();
    };

    QCOMPARE(valueRead(), before);
    QCOMPARE(bench.send(frameOf(write)), 60);
    QCOMPARE(valueRead(), after);
    QVERIFY(unsaved(bench));

    QCOMPARE(bench.send(DeviceCommand::reloadFromFlash), 60);
    QCOMPARE(valueRead(), before);
    QVERIFY(!unsaved(bench));

    QCOMPARE(bench.send(frameOf(write)), 60);
    QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);
    bench.wait(basesim::kFlashSaveMs + 10);
    QVERIFY(!unsaved(bench));
    QCOMPARE(valueRead(), after);

    bench.base.powerCycle();
    bench.reopen();
    bench.wait(basesim::kBootToOperationalMs);
    QCOMPARE(valueRead(), after);
}

void TestBaseSimTransfers::readsNameTheRequestedIds()
{
    Bench bench;
    const QByteArray reply = ask(bench, indexedReadCommand(DeviceCommand::getProfileDataValues, 0, 0,
                                                           ids({3, 0, 51, 18})));
    const IndexedSlots answer = decodeIndexedReply(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                                   std::size_t(reply.size()));
    QCOMPARE(reply.left(2).toHex(), QByteArray("6c78"));
    QVERIFY(answer.ids == ids({3, 0, 51, 18}));
    QVERIFY(answer.values == (SlotValues{60, 0, 0, 900}));

    // An axis past the seventh knows no values; a write to it changes nothing.
    QCOMPARE(bench.send(indexedWriteCommand(DeviceCommand::setAnalogDataValues, 0, 7, ids({1}), SlotValues{4})), 60);
    QVERIFY(!unsaved(bench));
    const QByteArray axis7 = ask(bench, indexedReadCommand(DeviceCommand::getAnalogDataNew, 0, 7, ids({1})));
    QCOMPARE(axis7.mid(2, 2).toHex(), QByteArray("0100"));
    QCOMPARE(axis7.mid(20, 4).toHex(), QByteArray("00000000"));
}

// New slots hold defaults; slots written ahead of a count change keep what was written,
// as the host sends new profiles first and then raises the count.
void TestBaseSimTransfers::profileCountChangesTheList()
{
    Bench bench;
    QCOMPARE(bench.send(blockCommand(DeviceCommand::setProfileDataName, 6, text("Imported"))), 60);
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 8), 60);
    QCOMPARE(profileName(bench, 5), QByteArray("New Profile"));
    QCOMPARE(profileName(bench, 6), QByteArray("Imported"));
    QCOMPARE(profileName(bench, 7), QByteArray("New Profile"));
    const QByteArray strength = ask(bench, indexedReadCommand(DeviceCommand::getProfileDataValues, 7, 0, ids({3})));
    QCOMPARE(strength.mid(20, 4).toHex(), QByteArray("3c000000"));   // 60

    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 3), 60);
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 5), 60);
    QCOMPARE(profileName(bench, 2), QByteArray("Profile 2"));
    QCOMPARE(profileName(bench, 3), QByteArray("New Profile"));   // dropped, then created afresh
}

void TestBaseSimTransfers::eventRingRecordsBootAndCommands()
{
    basesim::BaseConfig config;
    config.startOperational = false;
    Bench bench(config);
    bench.wait(basesim::kBootToOperationalMs + 100);
    QCOMPARE(bench.send(DeviceCommand::activateProfile, 3), 60);

    QList<int> codes;
    QList<int> values;
    int head = -1;
    for (std::uint16_t start : {0, 9}) {
        const QByteArray reply = ask(bench, u16Command(DeviceCommand::getLogData, start));
        QCOMPARE(reply.left(2).toHex(), QByteArray("6c50"));
        const EventLogChunk chunk = decodeEventLogChunk(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                                        std::size_t(reply.size()));
        head = chunk.head();
        for (std::size_t k = 0; k < 9; ++k) {
            codes << chunk.code(k);
            values << chunk.value(k);
        }
    }
    // Boot, settings loaded, the drive's start-up states to operational, then the commands.
    QCOMPARE(codes.mid(0, 14), (QList<int>{100, 101, 105, 107, 153, 46, 44, 151, 152, 154, 155, 230, 200, 0}));
    QCOMPARE(values[0], 10015);                  // firmware 1.0.15
    QCOMPARE(values[5], int(basesim::kDefaultDriveFirmwareVersion));
    QCOMPARE(values[6], 65536);                  // encoder counts
    QCOMPARE(values[11], 3);
    QCOMPARE(head, 12);
}

void TestBaseSimTransfers::eventRingWraps()
{
    Bench bench;
    // A thousand frames take a second: the game reports of that second are not the point.
    bench.base.faults().stopGameReports = true;
    const int first = bench.base.state().eventLog.head;
    for (int i = 0; i < 1005; ++i)
        QCOMPARE(bench.send(DeviceCommand::setEventLogVerbosity, std::uint16_t(i % 3)), 60);
    const QByteArray reply = ask(bench, u16Command(DeviceCommand::getLogData, 999));
    const EventLogChunk chunk = decodeEventLogChunk(reinterpret_cast<const std::uint8_t *>(reply.constData()),
                                                    std::size_t(reply.size()));
    QCOMPARE(int(chunk.head()), (first + 1005) % 1000);   // only a download from position 0 logs itself
    QCOMPARE(int(chunk.code(0)), 238);
    QCOMPARE(int(chunk.code(1)), 0);   // past the ring
}

void TestBaseSimTransfers::wirelessReceiver()
{
    Bench bench;
    basesim::BaseState &state = bench.base.state();
    QCOMPARE(ask(bench, bareCommand(DeviceCommand::getNumWirelessDevices)).mid(0, 4).toHex(),
             QByteArray("6c840000"));   // no receiver, no wheels

    state.wirelessReceiverPresent = true;
    QCOMPARE(ask(bench, bareCommand(DeviceCommand::getNumWirelessDevices)).mid(0, 4).toHex(),
             QByteArray("6c840300"));
    QCOMPARE(bench.send(DeviceCommand::connectWirelessDevice, 1), 60);
    auto status = bench.status();
    QVERIFY(status && status->hasFlag(wirelessConn));
    const QByteArray current = ask(bench, bareCommand(DeviceCommand::getCurrentWirelessDeviceData));
    const WirelessDeviceData record = decodeWirelessDeviceData(reinterpret_cast<const std::uint8_t *>(current.constData()),
                                                               std::size_t(current.size()));
    QCOMPARE(record.name(), state.receiver.wheels[1].name);
    QCOMPARE(int(record.nameLength()), int(state.receiver.wheels[1].name.size()));

    // Forgetting unpairs: after a power-on nothing reconnects by itself; a paired wheel does.
    QCOMPARE(bench.send(DeviceCommand::forgetWirelessDevice), 60);
    status = bench.status();
    QVERIFY(status && !status->hasFlag(wirelessConn));
    QVERIFY(!state.receiver.wheels[1].paired);
    const QByteArray none = ask(bench, bareCommand(DeviceCommand::getCurrentWirelessDeviceData));
    QCOMPARE(none.left(2).toHex(), QByteArray("6c86"));
    QCOMPARE(none.mid(2).count('\0'), none.size() - 2);

    bench.base.powerCycle();
    bench.reopen();
    status = bench.status();
    QVERIFY(status && status->hasFlag(wirelessConn));   // wheel 0 is paired and id 14 bit 10 is set
}

void TestBaseSimTransfers::driveParameterFrames()
{
    Bench bench;
    const auto fetch = [&bench] {
        const QByteArray reply = ask(bench, bareCommand(DeviceCommand::requestReadDriveParameters));
        DriveParameterFrame frame;
        storeDriveParameterReply(reinterpret_cast<const std::uint8_t *>(reply.constData()), std::size_t(reply.size()),
                                 frame);
        return frame;
    };

    // Addresses after the first zero are not read.
    QCOMPARE(bench.send(driveFrame(DeviceCommand::requestDriveParameters, {{553, 0}, {6002, 0}, {0, 0}, {411, 0}}).bytes),
             60);
    bench.base.state().estopPressed = true;
    DriveParameterFrame reply = fetch();
    QCOMPARE(int(reply.bytes[1]), 0x99);
    QCOMPARE(reply.value(0), 0x80);      // status word shows the E-stop
    QCOMPARE(reply.value(1), 2104417);
    QCOMPARE(int(reply.address(3)), 0);
    QCOMPARE(reply.value(3), 0);

    // 6071 is writable only inside the interlock's frames, and only with the right answer.
    QCOMPARE(bench.send(driveFrame(DeviceCommand::writeDriveParameters, {{6071, 1}}).bytes), 60);
    QVERIFY(!bench.base.state().hasFlag(highTorque));
    QCOMPARE(bench.send(driveFrame(DeviceCommand::writeDriveParameters, {{6071, 1}}, true).bytes), 60);
    QVERIFY(!bench.base.state().hasFlag(highTorque));   // no challenge issued

    // Saving drive settings restarts the drive.
    QCOMPARE(bench.send(driveFrame(DeviceCommand::writeDriveParameters, {{484, 0}, {554, 1}}).bytes), 60);
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, std::uint32_t(ModeInitializingDrive));
}

QTEST_GUILESS_MAIN(TestBaseSimTransfers)
#include "tst_basesim_transfers.moc"
