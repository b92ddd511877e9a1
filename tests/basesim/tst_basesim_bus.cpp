// The USB side of the virtual base: enumeration, handles, the frame record, game reports
// and the road into the bootloader.

#include "tests/basesim/basesimbench.h"

#include <QtTest>

#include <algorithm>

using basesim::BaseConfig;

Q_DECLARE_METATYPE(DeviceModel)

class TestBaseSimBus : public QObject {
    Q_OBJECT

private slots:
    void enumeration_data();
    void enumeration();
    void unplugMakesHandlesStale();
    void replugAsAnotherModel();
    void handlesAndInitExitAreCounted();
    void framesAreRecordedExactly();
    void readTruncatesToBuffer();
    void blockingReadWaitsForWhatIsScheduled();
    void gameReportsOnlyWhenOperational_data();
    void gameReportsOnlyWhenOperational();
    void gameReportsQueueOldestFirst();
    void streamsWhileAReplyIsPending();
    void everyHandleGetsItsOwnCopy();
    void inputsMoveOrHold();
    void rawAnalogModeShowsSensorRange();
    void calibratedReportFollowsRecordInUse();
    void bootloaderCommandReenumerates();
    void bootloaderAnswersOnlyItsOwnCommands_data();
    void bootloaderAnswersOnlyItsOwnCommands();
};

static std::optional<wire::WheelSample> readGameReport(Bench &bench)
{
    wire::ReplyBuffer buffer{};
    const int n = bench.readInto(buffer);
    if (n != 33 || buffer[0] != wire::kGameReportId)
        return std::nullopt;
    return wire::decodeWheelReport(buffer.data(), std::size_t(n));
}

// Reads everything waiting; the newest game report, if any.
static std::optional<wire::WheelSample> newestGameReport(Bench &bench)
{
    std::optional<wire::WheelSample> newest;
    wire::ReplyBuffer buffer{};
    for (int n = bench.readInto(buffer); n > 0; n = bench.readInto(buffer))
        if (buffer[0] == wire::kGameReportId)
            newest = wire::decodeWheelReport(buffer.data(), std::size_t(n));
    return newest;
}

// Collects the newest game report every 5 ms over `durationMs`.
static std::vector<wire::WheelSample> sampleFor(Bench &bench, int durationMs)
{
    newestGameReport(bench);
    std::vector<wire::WheelSample> samples;
    for (int t = 0; t < durationMs; t += 5) {
        bench.clock.advance(5);
        if (const auto sample = newestGameReport(bench))
            samples.push_back(*sample);
    }
    return samples;
}

void TestBaseSimBus::enumeration_data()
{
    QTest::addColumn<DeviceModel>("model");
    QTest::addColumn<bool>("inBootloader");
    QTest::addColumn<bool>("plugged");
    QTest::addColumn<int>("vendorId");
    QTest::addColumn<int>("productId");
    QTest::addColumn<bool>("opens");

    QTest::newRow("Cendra as Cendra") << ModelCendra << false << true << 5840 << 0x0D5F << true;
    QTest::newRow("Brivo as Brivo") << ModelBrivo << false << true << 5840 << 0x0D60 << true;
    QTest::newRow("Ardex as Ardex") << ModelArdex << false << true << 5840 << 0x0D61 << true;
    QTest::newRow("Cendra as Brivo") << ModelCendra << false << true << 5840 << 0x0D60 << false;
    QTest::newRow("Ardex as Cendra") << ModelArdex << false << true << 5840 << 0x0D5F << false;
    QTest::newRow("running base is no bootloader") << ModelBrivo << false << true << 5840 << 0x0D5E << false;
    QTest::newRow("other vendor") << ModelCendra << false << true << 0x16D1 << 0x0D5F << false;
    QTest::newRow("bootloader as update mode") << ModelArdex << true << true << 5840 << 0x0D5E << true;
    QTest::newRow("bootloader hides its model") << ModelArdex << true << true << 5840 << 0x0D61 << false;
    QTest::newRow("unplugged") << ModelCendra << false << false << 5840 << 0x0D5F << false;
}

void TestBaseSimBus::enumeration()
{
    QFETCH(DeviceModel, model);
    QFETCH(bool, inBootloader);
    QFETCH(bool, plugged);
    QFETCH(int, vendorId);
    QFETCH(int, productId);
    QFETCH(bool, opens);

    BaseConfig config = operationalConfig(model);
    config.inBootloader = inBootloader;
    config.plugged = plugged;
    ManualClock clock;
    basesim::VirtualBase base(config);

    hid::Device *handle = base.open(std::uint16_t(vendorId), std::uint16_t(productId));
    QCOMPARE(handle != nullptr, opens);
    QCOMPARE(base.openHandleCount(), opens ? 1 : 0);
    const int expectedPid = !plugged ? 0 : inBootloader ? 0x0D5E : basesim::productIdOf(model);
    QCOMPARE(int(base.currentProductId()), expectedPid);
    if (handle)
        base.close(handle);
}

void TestBaseSimBus::unplugMakesHandlesStale()
{
    Bench bench;
    QVERIFY(bench.handle);
    bench.base.unplug();

    wire::ReplyBuffer buffer{};
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), -1);
    QCOMPARE(bench.readInto(buffer), -1);
    QCOMPARE(bench.base.currentProductId(), std::uint16_t(0));
    QVERIFY(!bench.base.open(kVeltraneVendorId, kProductIdCendra));
    QCOMPARE(bench.base.openHandleCount(), 1); // stale until closed

    // Plugged back, the old handle stays dead; a new one works.
    bench.base.plug();
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), -1);
    bench.reopen();
    QVERIFY(bench.handle);
    QCOMPARE(bench.base.openHandleCount(), 1);
    QVERIFY(bench.status());
}

void TestBaseSimBus::replugAsAnotherModel()
{
    Bench bench(operationalConfig(ModelBrivo));
    QVERIFY(bench.handle);
    bench.base.unplug();
    bench.base.plugAs(ModelCendra);

    QVERIFY(!bench.base.open(kVeltraneVendorId, kProductIdBrivo));
    QCOMPARE(bench.base.currentProductId(), kProductIdCendra);
    QCOMPARE(bench.base.state().model, ModelCendra);
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), -1);
    bench.reopen();
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, 11u); // a new base, started the way the config says
}

void TestBaseSimBus::handlesAndInitExitAreCounted()
{
    ManualClock clock;
    basesim::VirtualBase base(operationalConfig());
    QCOMPARE(base.init(), 0);
    QCOMPARE(base.init(), 0);
    QCOMPARE(base.exit(), 0);
    QCOMPARE(base.initCount(), 2);
    QCOMPARE(base.exitCount(), 1);

    hid::Device *first = base.open(kVeltraneVendorId, kProductIdCendra);
    hid::Device *second = base.open(kVeltraneVendorId, kProductIdCendra);
    QVERIFY(first && second && first != second);
    QCOMPARE(base.openHandleCount(), 2);
    base.close(first);
    base.close(first); // a second close of the same handle changes nothing
    QCOMPARE(base.openHandleCount(), 1);

    // A closed handle is not a handle any more.
    std::uint8_t byte = 0;
    QCOMPARE(base.read(first, &byte, 1), -1);
    QCOMPARE(base.setNonblocking(first, 1), -1);
    base.close(second);
    QCOMPARE(base.openHandleCount(), 0);
}

void TestBaseSimBus::framesAreRecordedExactly()
{
    Bench bench;
    const wire::CommandFrame activate = wire::u16Command(DeviceCommand::activateProfile, 3);
    QCOMPARE(bench.send(activate), 60);
    QCOMPARE(bench.send(DeviceCommand::WriteNOP), 60);
    // A short write reaches the base padded with zeros, like a fixed-size report.
    const std::uint8_t shortReport[3] = {0x6B, 0x28, 0x02};
    QCOMPARE(bench.base.write(bench.handle, shortReport, sizeof shortReport), 3);

    const auto &frames = bench.base.receivedFrames();
    QCOMPARE(int(frames.size()), 3);
    QVERIFY(frames[0] == activate);
    QVERIFY(frames[1] == wire::bareCommand(DeviceCommand::WriteNOP));
    QVERIFY(frames[2] == wire::u16Command(DeviceCommand::setDefaultProfile, 2));

    bench.base.clearReceivedFrames();
    QVERIFY(bench.base.receivedFrames().empty());
    QCOMPARE(bench.base.write(bench.handle, nullptr, 60), -1);
    QVERIFY(bench.base.receivedFrames().empty());
}

void TestBaseSimBus::readTruncatesToBuffer()
{
    Bench bench;
    bench.base.faults().stopGameReports = true;
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    std::array<std::uint8_t, 10> small{};
    QCOMPARE(bench.base.read(bench.handle, small.data(), small.size()), 10);
    QCOMPARE(int(small[0]), 0x6C);
    QCOMPARE(int(small[1]), 0x01);
    QCOMPARE(int(small[8]), 11); // operating mode, low byte
    // The rest of that report is gone, as with hidapi.
    QCOMPARE(bench.base.read(bench.handle, small.data(), small.size()), 0);

    bench.base.faults().stopGameReports = false;
    std::array<std::uint8_t, wire::kGameReportReadSize> wheel{};
    QCOMPARE(bench.base.read(bench.handle, wheel.data(), wheel.size()), 33);
    QCOMPARE(int(wheel[0]), 0x04);
}

void TestBaseSimBus::blockingReadWaitsForWhatIsScheduled()
{
    Bench bench;
    bench.base.setNonblocking(bench.handle, 0);
    bench.base.faults().replyLatencyMs = 50;
    const auto sentAt = bench.clock.peek();
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    wire::ReplyBuffer buffer{};
    // Each read waits for the next report: game reports every 4 ms, then the reply.
    int reads = 0;
    while (reads < 20 && bench.readInto(buffer) == 33 && buffer[0] == wire::kGameReportId)
        ++reads;
    QCOMPARE(int(buffer[0]), 0x6C);
    QVERIFY(reads >= 10);
    QVERIFY(bench.clock.peek() - sentAt >= 50);

    // Nothing can come: once the backlog is read, the read returns instead of hanging the
    // only thread.
    bench.base.faults().stopGameReports = true;
    for (int i = 0; i < 100 && bench.readInto(buffer) > 0; ++i) {
    }
    QCOMPARE(bench.readInto(buffer), 0);
}

void TestBaseSimBus::gameReportsOnlyWhenOperational_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("streams");
    QTest::newRow("operational") << "operational" << true;
    QTest::newRow("booting") << "booting" << false;
    QTest::newRow("hardware not configured") << "mode 9" << false;
    QTest::newRow("saving to flash") << "saving" << false;
    QTest::newRow("bootloader") << "bootloader" << false;
}

void TestBaseSimBus::gameReportsOnlyWhenOperational()
{
    QFETCH(QString, situation);
    QFETCH(bool, streams);

    BaseConfig config = operationalConfig();
    config.startOperational = situation != "booting";
    config.inBootloader = situation == "bootloader";
    Bench bench(config);
    QVERIFY(bench.handle);
    if (situation == "mode 9")
        bench.base.state().operatingMode = wire::ModeHardwareNotConfigured;
    if (situation == "saving")
        QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);

    int reports = 0;
    wire::ReplyBuffer buffer{};
    for (int i = 0; i < 100; ++i) {
        const int n = bench.readInto(buffer);
        QVERIFY(n == 0 || (n == 33 && buffer[0] == wire::kGameReportId));
        reports += n > 0;
    }
    QCOMPARE(reports > 0, streams);
}

void TestBaseSimBus::gameReportsQueueOldestFirst()
{
    Bench bench;
    bench.clock.advance(4);
    QVERIFY(readGameReport(bench));
    QVERIFY(!readGameReport(bench)); // 1 ms later: nothing yet
    bench.clock.advance(3);
    QVERIFY(readGameReport(bench));  // 4 ms after the previous one

    // Nobody read for half a second: the backlog holds the newest reports, oldest first.
    bench.base.state().holdWheel(0x7000);
    bench.clock.advance(250);
    bench.base.update();
    bench.base.state().holdWheel(0x9000);
    bench.clock.advance(250);
    bench.base.update();
    bench.base.faults().stopGameReports = true; // nothing new while the backlog is read
    std::vector<std::uint16_t> positions;
    while (const auto sample = readGameReport(bench))
        positions.push_back(sample->position);
    QCOMPARE(positions.size(), basesim::InputBacklog::kCapacity);
    const auto firstNew = std::find(positions.begin(), positions.end(), 0x9000);
    QVERIFY(firstNew != positions.begin() && firstNew != positions.end());
    QVERIFY(std::all_of(positions.begin(), firstNew, [](std::uint16_t p) { return p == 0x7000; }));
    QVERIFY(std::all_of(firstNew, positions.end(), [](std::uint16_t p) { return p == 0x9000; }));
}

void TestBaseSimBus::streamsWhileAReplyIsPending()
{
    Bench bench;
    newestGameReport(bench);
    bench.base.faults().replyLatencyMs = 20;
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    QVERIFY(bench.awaitReply(100));
    // A report every 4 ms while the base worked on the answer.
    QVERIFY2(bench.skippedIds.size() >= 4, qPrintable(QString::number(bench.skippedIds.size())));
    QVERIFY(std::all_of(bench.skippedIds.begin(), bench.skippedIds.end(),
                        [](std::uint8_t id) { return id == wire::kGameReportId; }));
}

void TestBaseSimBus::everyHandleGetsItsOwnCopy()
{
    Bench bench;
    hid::Device *second = bench.base.open(kVeltraneVendorId, bench.base.currentProductId());
    QVERIFY(second);
    bench.base.setNonblocking(second, 1);
    newestGameReport(bench);
    const auto drainSecond = [&] {
        QByteArray seen;
        wire::ReplyBuffer buffer{};
        for (int n = bench.base.read(second, buffer.data(), buffer.size()); n > 0;
             n = bench.base.read(second, buffer.data(), buffer.size()))
            seen.append(QByteArray(reinterpret_cast<const char *>(buffer.data()), n));
        return seen;
    };
    drainSecond();

    bench.base.faults().replyLatencyMs = 10;
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    bench.clock.advance(30);
    QByteArray first;
    QByteArray ids;
    wire::ReplyBuffer buffer{};
    for (int n = bench.readInto(buffer); n > 0; n = bench.readInto(buffer)) {
        first.append(QByteArray(reinterpret_cast<const char *>(buffer.data()), n));
        ids.append(char(buffer[0]));
    }
    // The reply to the first handle's request, and the game reports around it, reach both.
    QCOMPARE(ids.count(char(wire::kReplyReportId)), 1);
    QVERIFY(ids.count(char(wire::kGameReportId)) >= 5);
    // The second handle read later, so more may follow; in the same order.
    QVERIFY(drainSecond().startsWith(first));
    bench.base.close(second);
}

void TestBaseSimBus::inputsMoveOrHold()
{
    Bench bench;
    const auto sweep = sampleFor(bench, int(basesim::kWheelSweepPeriodMs));
    QVERIFY(sweep.size() > 1000);
    const auto [low, high] = std::minmax_element(sweep.begin(), sweep.end(), [](const auto &a, const auto &b) {
        return a.position < b.position;
    });
    // A slow sweep a few tens of degrees either side of the centre.
    QVERIFY(low->position < 0x8000 - basesim::kWheelSweepAmplitude / 2);
    QVERIFY(low->position >= 0x8000 - basesim::kWheelSweepAmplitude);
    QVERIFY(high->position > 0x8000 + basesim::kWheelSweepAmplitude / 2);
    QVERIFY(high->position <= 0x8000 + basesim::kWheelSweepAmplitude);
    for (std::size_t i = 1; i < sweep.size(); ++i)
        QVERIFY(std::abs(int(sweep[i].position) - int(sweep[i - 1].position)) < 100);
    const auto pressed = std::count_if(sweep.begin(), sweep.end(), [](const auto &s) { return s.button(0); });
    QVERIFY(pressed > 0 && pressed < long(sweep.size()));
    const auto [brakeLow, brakeHigh] = std::minmax_element(sweep.begin(), sweep.end(), [](const auto &a, const auto &b) {
        return a.axes[2] < b.axes[2];
    });
    QVERIFY(brakeHigh->axes[2] - brakeLow->axes[2] > 30000);

    bench.base.state().holdWheel(0x9123);
    bench.base.state().inputs.heldAxes = std::array<std::uint16_t, 7>{1, 2, 3, 4, 5, 6, 7};
    for (const auto &sample : sampleFor(bench, 100)) {
        QCOMPARE(int(sample.position), 0x9123);
        QCOMPARE(int(sample.axes[6]), 7);
    }
    bench.base.state().releaseWheel();
    QVERIFY(!bench.base.state().inputs.heldWheelPosition);
}

void TestBaseSimBus::rawAnalogModeShowsSensorRange()
{
    Bench bench;
    const auto pedalRange = [&bench] {
        const auto samples = sampleFor(bench, 7000);
        std::uint16_t low = 0xFFFF, high = 0;
        for (const auto &s : samples) {
            for (std::size_t axis : {2, 3, 4}) {
                low = std::min(low, s.axes[axis]);
                high = std::max(high, s.axes[axis]);
            }
        }
        return std::make_pair(low, high);
    };
    const auto calibrated = pedalRange();
    QVERIFY(calibrated.first < 500 && calibrated.second > 65000);

    QCOMPARE(bench.send(DeviceCommand::setRawAnalogMode), 60);
    const auto raw = pedalRange();
    QVERIFY(raw.first > 1000 && raw.second < 64000);
    QVERIFY(raw.second - raw.first > 50000);

    QCOMPARE(bench.send(DeviceCommand::setCalibratedAnalogMode), 60);
    QVERIFY(pedalRange().second > 65000);
}

void TestBaseSimBus::calibratedReportFollowsRecordInUse()
{
    Bench bench;
    basesim::BaseState &state = bench.base.state();
    // Record 4 is in use and scales differently from the factory records.
    state.ram.hardware.word[basesim::kAnalogRecordInUseId] = 4;
    wire::AnalogSettings &record = state.ram.analog[4];
    for (int axis : {wire::AxisBrake, wire::AxisThrottle, wire::AxisClutch}) {
        record.field(axis, wire::AnalogMin) = 1000;
        record.field(axis, wire::AnalogMax) = 11000;
    }
    record.field(wire::AxisThrottle, wire::AnalogInvert) = 1;
    const std::array<std::uint16_t, 7> sensors{0x8000, 0x8000, 6000, 6000, 500, 0x8000, 20000};
    state.inputs.heldSensors = sensors;

    const auto lastReport = [&bench] {
        const auto samples = sampleFor(bench, 100);
        return samples.empty() ? wire::WheelSample{} : samples.back();
    };
    const wire::WheelSample calibrated = lastReport();
    QCOMPARE(int(calibrated.axes[wire::AxisBrake]), 32767);    // 32767.5, fraction dropped
    QCOMPARE(int(calibrated.axes[wire::AxisThrottle]), 32768); // the same, mirrored
    QCOMPARE(int(calibrated.axes[wire::AxisClutch]), 0);       // below the range
    QCOMPARE(int(calibrated.axes[wire::AxisHat]), 19960);      // factory range 100..65435

    QCOMPARE(bench.send(DeviceCommand::setRawAnalogMode), 60);
    const wire::WheelSample raw = lastReport();
    for (std::size_t axis = 0; axis < sensors.size(); ++axis)
        QCOMPARE(raw.axes[axis], sensors[axis]);

    QCOMPARE(bench.send(DeviceCommand::setCalibratedAnalogMode), 60);
    QCOMPARE(lastReport().axes, calibrated.axes);
}

void TestBaseSimBus::bootloaderCommandReenumerates()
{
    Bench bench;
    // The wizard's pair of frames both reach the base before it leaves.
    QCOMPARE(bench.send(DeviceCommand::startBootloader), 60);
    QCOMPARE(bench.send(DeviceCommand::WriteNOP), 60);

    bench.wait(basesim::kBootloaderJumpMs);
    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), -1);
    QVERIFY(!bench.base.open(kVeltraneVendorId, kProductIdCendra));
    QVERIFY(!bench.base.open(kVeltraneVendorId, kProductIdUpdateMode));

    bench.wait(basesim::kBootloaderEnumerationMs);
    QVERIFY(!bench.base.open(kVeltraneVendorId, kProductIdCendra));
    bench.reopen();
    QVERIFY(bench.handle);
    QCOMPARE(bench.base.currentProductId(), kProductIdUpdateMode);
    QVERIFY(bench.base.state().inBootloader);

    // The bootloader speaks no normal protocol: frames arrive, nothing answers.
    bench.base.clearReceivedFrames();
    QVERIFY(!bench.status());
    QCOMPARE(int(bench.base.receivedFrames().size()), 1);

    // Power-cycled, the application boots again under the model's id.
    bench.base.powerCycle();
    QCOMPARE(bench.base.currentProductId(), kProductIdCendra);
    bench.reopen();
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, 0u);
}

void TestBaseSimBus::bootloaderAnswersOnlyItsOwnCommands_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("started there") << "config";
    QTest::newRow("jumped by command") << "command";
    QTest::newRow("entered while saving") << "saving";
}

// However the base got into its bootloader, no application command reaches it: no code, with
// any of a few arguments, is answered unless the bootloader's own table holds it, and none
// changes what the application would act on, even once its time would have come.
void TestBaseSimBus::bootloaderAnswersOnlyItsOwnCommands()
{
    QFETCH(QString, way);

    BaseConfig config = operationalConfig();
    config.inBootloader = way == "config";
    Bench bench(config);
    basesim::BaseState &state = bench.base.state();
    state.wirelessReceiverPresent = true;
    if (way == "command") {
        QCOMPARE(bench.send(DeviceCommand::startBootloader), 60);
        bench.wait(basesim::kBootloaderJumpMs + basesim::kBootloaderEnumerationMs);
    } else if (way == "saving") {
        QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);
        bench.base.enterBootloader();
    }
    bench.reopen();
    QVERIFY(bench.handle);
    QVERIFY(state.inBootloader);
    const basesim::BaseState before = state;

    const basesim::CommandTable &bootloader = basesim::BaseModel::bootloaderCommands();
    for (int code = 0; code < 256; ++code) {
        for (const std::uint16_t argument : {0, 1, 3, int(kDriveSystemRestart)}) {
            QCOMPARE(bench.send(wire::u16Command(DeviceCommand(code), argument)), 60);
            bench.clock.advance(1);
            wire::ReplyBuffer reply{};
            const int n = bench.readInto(reply);
            if (!bootloader.handles(std::uint8_t(code)))
                QVERIFY2(n == 0, qPrintable(QString("code 0x%1 answered").arg(code, 2, 16, QChar('0'))));
        }
    }
    bench.wait(basesim::kFlashSaveMs + basesim::kBootToOperationalMs);

    QVERIFY(state.inBootloader);
    QCOMPARE(bench.base.currentProductId(), kProductIdUpdateMode);
    QVERIFY(!state.bootloaderJumpAt);
    QCOMPARE(state.operatingMode, before.operatingMode);
    QCOMPARE(state.statusFlags, before.statusFlags);
    QCOMPARE(state.activeProfile, before.activeProfile);
    QVERIFY(state.ram == before.ram);
    QVERIFY(state.flash == before.flash);
    QCOMPARE(state.eventLog.head, before.eventLog.head);
    QVERIFY(state.eventLog.codes == before.eventLog.codes);
    QCOMPARE(state.eventLogVerbosity, before.eventLogVerbosity);
    QCOMPARE(state.effectsAllocated, before.effectsAllocated);
    QCOMPARE(state.inputs.rawAnalogMode, before.inputs.rawAnalogMode);
    QCOMPARE(state.inputs.centreOffset, before.inputs.centreOffset);
    QCOMPARE(state.centreChangePending, before.centreChangePending);
    QVERIFY(state.drive.parameters == before.drive.parameters);
    QVERIFY(state.driveRead.latched == before.driveRead.latched);
    QVERIFY(!state.driveRead.challenge);
    QCOMPARE(state.connectedWheel, before.connectedWheel);
    for (std::size_t i = 0; i < state.receiver.wheels.size(); ++i)
        QCOMPARE(state.receiver.wheels[i].paired, before.receiver.wheels[i].paired);

    // Back in the application, its own table answers again.
    bench.base.powerCycle();
    bench.reopen();
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, 0u);
}

QTEST_GUILESS_MAIN(TestBaseSimBus)
#include "tst_basesim_bus.moc"
