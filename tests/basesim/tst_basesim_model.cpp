// The base's behaviour as the status shows it: the boot sequence, the status record,
// what each command changes, flash save and reload, drive restart and the wheel centre.

#include "tests/basesim/basesimbench.h"
#include "basesim/eventcodes.h"
#include "basesim/inputmotion.h"

#include <QtTest>

using basesim::BaseConfig;
using namespace wire;

Q_DECLARE_METATYPE(DeviceModel)
Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

QByteArray bytes(const CommandFrame &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size()));
}
QByteArray bytes(DeviceCommand code) { return bytes(bareCommand(code)); }
QByteArray bytes(DeviceCommand code, std::uint16_t argument) { return bytes(u16Command(code, argument)); }

struct ModeVisit {
    std::uint32_t mode;
    linkclock::Milliseconds at;   // since the start of the watch
    DeviceStatus status;          // as first seen in this mode
};

// Asks for the status every `stepMs` until `durationMs` have passed; one entry per mode change.
std::vector<ModeVisit> watchModes(Bench &bench, linkclock::Milliseconds durationMs, linkclock::Milliseconds stepMs = 20)
{
    std::vector<ModeVisit> visits;
    const auto start = bench.clock.peek();
    while (bench.clock.peek() - start < durationMs) {
        const auto status = bench.status();
        if (!status)
            return visits;
        if (visits.empty() || visits.back().mode != status->operatingMode)
            visits.push_back({status->operatingMode, bench.clock.peek() - start, *status});
        bench.clock.advance(stepMs);
    }
    return visits;
}

QList<int> modesOf(const std::vector<ModeVisit> &visits)
{
    QList<int> modes;
    for (const auto &visit : visits)
        modes.append(int(visit.mode));
    return modes;
}

BaseConfig poweringOn()
{
    BaseConfig config;
    config.startOperational = false;
    return config;
}

} // namespace

class TestBaseSimModel : public QObject {
    Q_OBJECT

private slots:
    void bootSequenceReachesOperational();
    void bootWaitsForSafety_data();
    void bootWaitsForSafety();
    void statusRecordShowsState_data();
    void statusRecordShowsState();
    void commandEffects_data();
    void commandEffects();
    void saveToFlash();
    void saveDuringBootPausesIt();
    void powerCycleRunsFromFlash();
    void powerCycleResetsOnlyWhatIsInRam();
    void driveRestart();
    void estopCycleClearsFaults();
    void wheelCentre_data();
    void wheelCentre();
    void inputsHeldAtRestStayStill();
};

void TestBaseSimModel::bootSequenceReachesOperational()
{
    Bench bench(poweringOn());
    const auto visits = watchModes(bench, 5000);
    QCOMPARE(modesOf(visits), (QList<int>{0, 2, 3, 4, 10, 11}));

    const ModeVisit &operational = visits.back();
    QVERIFY2(operational.at >= 3000 && operational.at <= 4000, qPrintable(QString::number(operational.at)));
    const std::uint16_t bootFlags = IndexpointFound | InitSuccess | ForcesEnabled;
    QCOMPARE(operational.status.statusFlags, bootFlags);
    QCOMPARE(int(operational.status.driveFirmwareVersion), int(basesim::kDefaultDriveFirmwareVersion));

    // Nothing is known about the drive at first, and the index point is found in mode 4.
    QCOMPARE(int(visits[0].status.driveFirmwareVersion), 0);
    QCOMPARE(int(visits[0].status.statusFlags), 0);
    QVERIFY(!visits[3].status.hasFlag(IndexpointFound));
    QVERIFY(visits[4].status.hasFlag(IndexpointFound));
    QVERIFY(!visits[4].status.hasFlag(ForcesEnabled));
}

void TestBaseSimModel::bootWaitsForSafety_data()
{
    QTest::addColumn<bool>("estop");
    QTest::addColumn<quint32>("driveFaults");
    QTest::newRow("E-stop pressed") << true << 0u;
    QTest::newRow("drive fault") << false << 0x0004u;
}

void TestBaseSimModel::bootWaitsForSafety()
{
    QFETCH(bool, estop);
    QFETCH(quint32, driveFaults);

    Bench bench(poweringOn());
    bench.base.state().estopPressed = estop;
    bench.base.state().driveFaults = driveFaults;
    const auto held = watchModes(bench, 10000, 100);
    QCOMPARE(modesOf(held), (QList<int>{0, 2, 6}));
    QCOMPARE(held.back().status.safetyFlags, std::uint8_t(estop ? SafetyEstopPressed : SafetyDriveFaults));

    bench.base.state().estopPressed = false;
    bench.base.state().driveFaults = 0;
    QList<int> resumed = modesOf(watchModes(bench, 3000));
    if (!resumed.isEmpty() && resumed.first() == 6)
        resumed.removeFirst(); // the next recheck may already have passed
    QCOMPARE(resumed, (QList<int>{3, 4, 10, 11}));
}

void TestBaseSimModel::statusRecordShowsState_data()
{
    QTest::addColumn<DeviceModel>("model");
    QTest::addColumn<QList<int>>("firmware");
    QTest::addColumn<int>("drive");
    QTest::addColumn<QList<int>>("profiles");   // count, active, default
    QTest::addColumn<bool>("estop");
    QTest::addColumn<quint32>("driveFaults");
    QTest::addColumn<int>("safetyFlags");

    QTest::newRow("defaults") << ModelCendra << QList<int>{1, 0, 15} << 4210 << QList<int>{5, 0, 0} << false << 0u
                              << 0x00;
    QTest::newRow("Ardex, E-stop") << ModelArdex << QList<int>{1, 2, 3} << 4300 << QList<int>{9, 4, 7} << true
                                   << 0u << 0x80;
    QTest::newRow("Brivo, drive faults") << ModelBrivo << QList<int>{2, 255, 0} << 0xFFFF << QList<int>{300, 299, 1}
                                         << false << 0x0000C0C2u << 0x20;
    QTest::newRow("both") << ModelCendra << QList<int>{0, 9, 99} << 1 << QList<int>{1, 0, 0} << true << 0x2u
                          << 0xA0;
}

void TestBaseSimModel::statusRecordShowsState()
{
    QFETCH(DeviceModel, model);
    QFETCH(QList<int>, firmware);
    QFETCH(int, drive);
    QFETCH(QList<int>, profiles);
    QFETCH(bool, estop);
    QFETCH(quint32, driveFaults);
    QFETCH(int, safetyFlags);

    BaseConfig config = operationalConfig(model);
    config.firmwareMajor = std::uint8_t(firmware[0]);
    config.firmwareMinor = std::uint8_t(firmware[1]);
    config.firmwarePatch = std::uint8_t(firmware[2]);
    config.driveFirmwareVersion = std::uint16_t(drive);
    config.profileCount = std::uint16_t(profiles[0]);
    config.activeProfile = std::uint16_t(profiles[1]);
    config.defaultProfile = std::uint16_t(profiles[2]);
    Bench bench(config);
    basesim::BaseState &state = bench.base.state();
    state.estopPressed = estop;
    state.driveFaults = driveFaults;
    state.faultLocation = 0x01020304;
    state.effectsAllocated = 0x0801;
    state.effectsPlaying = 0x0001;
    state.eventLogVerbosity = 2;
    state.modeValue = 77;
    state.debugValue = 0xDEADBEEF;
    state.setFlag(highTorque, true);

    QCOMPARE(bench.send(DeviceCommand::askVeltraneStatusNew), 60);
    wire::ReplyBuffer reply{};
    reply.fill(0xEE);
    QCOMPARE(bench.base.read(bench.handle, reply.data(), reply.size()), 61);
    for (std::size_t i = 57; i < reply.size(); ++i)
        QCOMPARE(int(reply[i]), 0);
    for (std::size_t unused : {5, 7, 12, 13, 14, 15, 24, 26, 27, 55, 56})
        QCOMPARE(int(reply[unused]), 0);

    const DeviceStatus s = decodeStatus(reply.data(), reply.size());
    QCOMPARE(int(s.reportId), 0x6C);
    QCOMPARE(int(s.packetType), 0x01);
    QCOMPARE((QList<int>{s.firmwareMajor, s.firmwareMinor, s.firmwarePatch}), firmware);
    QCOMPARE(int(s.driveFirmwareVersion), drive);
    QCOMPARE((QList<int>{s.profileCount, s.activeProfile, s.defaultProfile}), profiles);
    QCOMPARE(int(s.safetyFlags), safetyFlags);
    QCOMPARE(s.operatingMode, estop ? 6u : 11u); // the E-stop stops a running drive
    QCOMPARE(s.driveFaults, driveFaults);
    QCOMPARE(s.faultLocation, 0x01020304u);
    QCOMPARE(s.effectsAllocated, 0x0801u);
    QCOMPARE(s.effectsPlaying, 0x0001u);
    QCOMPARE(int(s.eventLogVerbosity), 2);
    QCOMPARE(s.modeValue, 77u);
    QCOMPARE(s.debugValue, 0xDEADBEEFu);
    const int running = estop ? 0 : (InitSuccess | ForcesEnabled);
    QCOMPARE(int(s.statusFlags), IndexpointFound | running | highTorque);
}

// Every row starts from the same operational base (5 profiles, profile 1 active and default,
// verbosity 1, effects loaded, torque off in standby, a game's steering angle in force).
void TestBaseSimModel::commandEffects_data()
{
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<bool>("startUnsaved");
    QTest::addColumn<QList<int>>("profiles");   // count, active, default
    QTest::addColumn<int>("verbosity");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("effectsLoaded");

    const int base = IndexpointFound | InitSuccess | tempSteeringAngle | standbyMode | wirelessTorqueOffButton
        | stoActivated;
    const QList<int> unchanged{5, 1, 1};
    using C = DeviceCommand;
    const auto row = [](const char *name) { return &QTest::newRow(name); };

    *row("activateProfile 3") << QList<QByteArray>{bytes(C::activateProfile, 3)} << false << false
                              << QList<int>{5, 3, 1} << 1 << base << true;
    *row("activateProfile past the count") << QList<QByteArray>{bytes(C::activateProfile, 5)} << false << false
                                           << unchanged << 1 << base << true;
    *row("setProfileCount 8") << QList<QByteArray>{bytes(C::setProfileCount, 8)} << false << false
                              << QList<int>{8, 1, 1} << 1 << (base | Unsaved) << true;
    *row("setProfileCount 1 pulls indices in") << QList<QByteArray>{bytes(C::setProfileCount, 1)} << false << false
                                               << QList<int>{1, 0, 0} << 1 << (base | Unsaved) << true;
    *row("setProfileCount 0 ignored") << QList<QByteArray>{bytes(C::setProfileCount, 0)} << false << false
                                      << unchanged << 1 << base << true;
    *row("setDefaultProfile 4") << QList<QByteArray>{bytes(C::setDefaultProfile, 4)} << false << false
                                << QList<int>{5, 1, 4} << 1 << (base | Unsaved) << true;
    *row("setDefaultProfile past the count") << QList<QByteArray>{bytes(C::setDefaultProfile, 5)} << false << false
                                             << unchanged << 1 << base << true;
    *row("reload undoes a count change") << QList<QByteArray>{bytes(C::setProfileCount, 8), bytes(C::reloadFromFlash)}
                                         << false << false << unchanged << 1 << base << true;
    *row("setSettingsNotChanged") << QList<QByteArray>{bytes(C::setSettingsNotChanged)} << false << true << unchanged
                                  << 1 << base << true;
    *row("resetFfb") << QList<QByteArray>{bytes(C::resetFfb)} << false << false << unchanged << 1 << base << false;
    *row("enableTorque") << QList<QByteArray>{bytes(C::enableTorque)} << false << false << unchanged << 1
                         << (IndexpointFound | InitSuccess | tempSteeringAngle | stoActivated | ForcesEnabled) << true;
    *row("unsetTemporarySteeringAngle") << QList<QByteArray>{bytes(C::unsetTemporarySteeringAngle)} << false << false
                                        << unchanged << 1 << (base & ~tempSteeringAngle) << true;
    *row("setEventLogVerbosity 2") << QList<QByteArray>{bytes(C::setEventLogVerbosity, 2)} << false << false
                                   << unchanged << 2 << base << true;
    *row("setEventLogVerbosity 3 ignored") << QList<QByteArray>{bytes(C::setEventLogVerbosity, 3)} << false << false
                                           << unchanged << 1 << base << true;
    *row("scan with receiver") << QList<QByteArray>{bytes(C::startWirelessScan)} << true << false << unchanged << 1
                               << (base | wirelessFound | receiverScanning) << true;
    *row("scan started and stopped") << QList<QByteArray>{bytes(C::startWirelessScan), bytes(C::stopWirelessScan)}
                                     << true << false << unchanged << 1 << (base | wirelessFound) << true;
    *row("scan without receiver") << QList<QByteArray>{bytes(C::startWirelessScan)} << false << false << unchanged
                                  << 1 << base << true;
    *row("hardware settings written")
        << QList<QByteArray>{bytes(indexedWriteCommand(C::setHardwareData, 0, 0, SlotIds{1}, SlotValues{4096}))}
        << false << false << unchanged << 1 << (base | Unsaved) << true;
    *row("profile name written") << QList<QByteArray>{bytes(blockCommand(C::setProfileDataReservedText, 1, {}))} << false
                                 << false << unchanged << 1 << (base | Unsaved) << true;
    *row("analog modes") << QList<QByteArray>{bytes(C::setRawAnalogMode), bytes(C::setCalibratedAnalogMode)} << false
                         << false << unchanged << 1 << base << true;
    *row("other drive system command") << QList<QByteArray>{bytes(C::driveSystemCommand, 106)} << false << false
                                       << unchanged << 1 << base << true;
    *row("WriteNOP") << QList<QByteArray>{bytes(C::WriteNOP)} << false << false << unchanged << 1 << base << true;
    *row("unknown code") << QList<QByteArray>{bytes(static_cast<C>(0xEE))} << false << false << unchanged << 1 << base
                         << true;
    // The telemetry store answers (tests/telemetry); closing the event log does not.
    *row("event log closed") << QList<QByteArray>{bytes(C::endEventLogRead)}
                             << false << false << unchanged << 1 << base << true;
}

void TestBaseSimModel::commandEffects()
{
    QFETCH(QList<QByteArray>, frames);
    QFETCH(bool, receiver);
    QFETCH(bool, startUnsaved);
    QFETCH(QList<int>, profiles);
    QFETCH(int, verbosity);
    QFETCH(int, flags);
    QFETCH(bool, effectsLoaded);

    BaseConfig config = operationalConfig();
    config.activeProfile = 1;
    config.defaultProfile = 1;
    Bench bench(config);
    basesim::BaseState &state = bench.base.state();
    state.eventLogVerbosity = 1;
    state.effectsAllocated = 0x0805;
    state.effectsPlaying = 0x0004;
    state.wirelessReceiverPresent = receiver;
    state.statusFlags = IndexpointFound | InitSuccess | tempSteeringAngle | standbyMode | wirelessTorqueOffButton
        | stoActivated;
    state.setFlag(Unsaved, startUnsaved);

    for (const QByteArray &frame : frames) {
        QCOMPARE(frame.size(), 60);
        QCOMPARE(bench.base.write(bench.handle, reinterpret_cast<const std::uint8_t *>(frame.constData()),
                                  std::size_t(frame.size())),
                 60);
    }
    QCOMPARE(int(bench.base.pendingReplies()), 0); // none of these commands answers

    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE((QList<int>{status->profileCount, status->activeProfile, status->defaultProfile}), profiles);
    QCOMPARE(int(status->eventLogVerbosity), verbosity);
    QCOMPARE(int(status->statusFlags), flags);
    QCOMPARE(status->effectsAllocated, effectsLoaded ? 0x0805u : 0u);
    QCOMPARE(status->effectsPlaying, effectsLoaded ? 0x0004u : 0u);
    QCOMPARE(status->operatingMode, 11u);
}

void TestBaseSimModel::saveToFlash()
{
    Bench bench;
    // Mode timing, polled without the game reports that would queue between polls.
    bench.base.faults().stopGameReports = true;
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 8), 60);
    QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);
    QCOMPARE(bench.send(DeviceCommand::WriteNOP), 60);

    const auto visits = watchModes(bench, 2500, 50);
    QCOMPARE(modesOf(visits), (QList<int>{12, 11}));
    QVERIFY(visits[0].status.hasFlag(Unsaved));
    QVERIFY(visits[0].status.hasFlag(torqOffSaving));
    QVERIFY(visits[1].at >= basesim::kFlashSaveMs - 60 && visits[1].at <= basesim::kFlashSaveMs + 60);
    QVERIFY(!visits[1].status.hasFlag(Unsaved));
    QVERIFY(!visits[1].status.hasFlag(torqOffSaving));
    QCOMPARE(int(visits[1].status.profileCount), 8);
    QCOMPARE(int(bench.base.state().flash.profileCount), 8);

    // Reload now brings back the saved count, not the one before the save.
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 3), 60);
    QCOMPARE(bench.send(DeviceCommand::reloadFromFlash), 60);
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(int(status->profileCount), 8);
    QVERIFY(!status->hasFlag(Unsaved));
}

void TestBaseSimModel::saveDuringBootPausesIt()
{
    Bench bench(poweringOn());
    bench.wait(2500); // in mode 4, about 100 ms before the index point
    QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);
    const auto visits = watchModes(bench, 4000);
    QCOMPARE(modesOf(visits), (QList<int>{12, 4, 10, 11}));
    QVERIFY(visits[1].at >= basesim::kFlashSaveMs - 20 && visits[1].at <= basesim::kFlashSaveMs + 20);
    // The search goes on with the time it had left.
    QVERIFY(visits[2].at - visits[1].at <= 120);
}

void TestBaseSimModel::powerCycleRunsFromFlash()
{
    BaseConfig config = operationalConfig();
    config.activeProfile = 3;
    config.defaultProfile = 2;
    Bench bench(config);
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 7), 60);
    QCOMPARE(bench.send(DeviceCommand::setEventLogVerbosity, 2), 60);
    bench.base.state().effectsAllocated = 1;
    bench.base.powerCycle();
    bench.reopen();
    bench.wait(basesim::kBootToOperationalMs);

    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, 11u);
    QCOMPARE(int(status->profileCount), 5);   // never saved
    QCOMPARE(int(status->activeProfile), 2);  // starts with the default
    QCOMPARE(int(status->eventLogVerbosity), 0);
    QCOMPARE(status->effectsAllocated, 0u);
    QVERIFY(!status->hasFlag(Unsaved));
}

// A power cycle starts everything the base holds in RAM afresh; what it keeps when switched
// off (flash, the drive's parameters, pairing, firmware) and what the world around it sets
// (faults, held inputs, a receiver) stay as they were.
void TestBaseSimModel::powerCycleResetsOnlyWhatIsInRam()
{
    Bench bench;
    basesim::BaseState &state = bench.base.state();
    state.wirelessReceiverPresent = true;

    // Kept: a saved default profile, the pairing (wheel 0 forgotten, wheel 2 paired), the
    // drive's parameters and the firmware.
    QCOMPARE(bench.send(DeviceCommand::setDefaultProfile, 2), 60);
    QCOMPARE(bench.send(DeviceCommand::saveToFlash), 60);
    bench.wait(basesim::kFlashSaveMs);
    QCOMPARE(bench.send(DeviceCommand::connectWirelessDevice, 0), 60);
    QCOMPARE(bench.send(DeviceCommand::forgetWirelessDevice), 60);
    QCOMPARE(bench.send(DeviceCommand::connectWirelessDevice, 2), 60);
    state.drive.parameters[411] = 30000;
    state.firmwarePatch = 16;
    // Set from outside.
    state.faultLocation = 3;
    state.driveUpdateProgress = 25;
    state.modeValue = 77;
    state.debugValue = 5;
    state.holdWheel(0x9000);
    state.inputs.heldButtons = std::array<std::uint32_t, 4>{0x5u, 0, 0, 0};
    // In RAM only.
    QCOMPARE(bench.send(DeviceCommand::setProfileCount, 7), 60);
    QCOMPARE(bench.send(DeviceCommand::activateProfile, 6), 60);
    QCOMPARE(bench.send(DeviceCommand::setRawAnalogMode), 60);
    QCOMPARE(bench.send(DeviceCommand::setWheelCenterTemporary), 60);
    QCOMPARE(bench.send(DeviceCommand::setEventLogVerbosity, 2), 60);
    QCOMPARE(bench.send(DeviceCommand::startWirelessScan), 60);
    QCOMPARE(bench.send(DeviceCommand::startBootloader), 60);
    state.effectsAllocated = 3;
    state.effectsPlaying = 1;
    state.setFlag(highTorque, true);
    state.driveRead.latched[0] = 411;
    state.driveRead.challenge = 1234;
    QVERIFY(state.ram != state.flash);
    const basesim::SettingsStore flash = state.flash;
    const auto parameters = state.drive.parameters;

    const linkclock::Milliseconds cycledAt = bench.clock.peek();
    bench.base.powerCycle();

    QCOMPARE(state.operatingMode, 0u);
    QCOMPARE(state.poweredOnAt, cycledAt);
    QVERIFY(!state.driveVersionKnown);
    QVERIFY(!state.inBootloader);
    QVERIFY(!state.bootloaderJumpAt);
    QVERIFY(!bench.base.model().saving());
    QVERIFY(state.ram == state.flash);
    QCOMPARE(int(state.activeProfile), 2);
    QVERIFY(!state.inputs.rawAnalogMode);
    QCOMPARE(state.inputs.centreOffset, 0);
    QVERIFY(!state.centreChangePending);
    QCOMPARE(int(state.eventLogVerbosity), 0);
    QCOMPARE(state.effectsAllocated, 0u);
    QCOMPARE(state.effectsPlaying, 0u);
    QVERIFY(state.driveRead.latched == wire::DriveAddresses{});
    QVERIFY(!state.driveRead.latchedHighTorque);
    QVERIFY(!state.driveRead.challenge);
    // The ring starts over with the boot entries; the receiver takes the wheel still paired.
    QCOMPARE(int(state.eventLog.head), 4);
    QCOMPARE(int(state.eventLog.codes[0]), int(basesim::event::Boot));
    QCOMPARE(int(state.eventLog.codes[4]), int(basesim::event::WirelessStateChange));
    QCOMPARE(state.connectedWheel, std::optional<std::size_t>(2));
    QCOMPARE(int(state.statusFlags), int(wirelessConn));

    QVERIFY(state.flash == flash);
    QVERIFY(state.drive.parameters == parameters);
    QCOMPARE(int(state.firmwarePatch), 16);
    QCOMPARE(state.receiver.wheels.size(), std::size_t(3));
    QVERIFY(!state.receiver.wheels[0].paired && !state.receiver.wheels[1].paired && state.receiver.wheels[2].paired);

    QVERIFY(state.wirelessReceiverPresent);
    QCOMPARE(state.faultLocation, 3u);
    QCOMPARE(int(state.driveUpdateProgress), 25);
    QCOMPARE(state.modeValue, 77u);
    QCOMPARE(state.debugValue, 5u);
    QCOMPARE(state.inputs.heldWheelPosition, std::optional<std::uint16_t>(0x9000));
    QVERIFY(state.inputs.heldButtons && (*state.inputs.heldButtons)[0] == 0x5u);

    // The boot runs from there, and the jump asked for before is forgotten.
    bench.reopen();
    bench.wait(basesim::kBootToOperationalMs);
    const auto status = bench.status();
    QVERIFY(status);
    QCOMPARE(status->operatingMode, 11u);
    QCOMPARE(int(status->firmwarePatch), 16);
    QCOMPARE(bench.base.currentProductId(), kProductIdCendra);
}

void TestBaseSimModel::driveRestart()
{
    Bench bench;
    // Mode timing, polled without the game reports that would queue between polls.
    bench.base.faults().stopGameReports = true;
    QCOMPARE(bench.send(DeviceCommand::driveSystemCommand, kDriveSystemRestart), 60);
    const auto visits = watchModes(bench, 1500);
    QCOMPARE(modesOf(visits), (QList<int>{2, 3, 11}));
    QVERIFY(!visits[0].status.hasFlag(InitSuccess) && !visits[0].status.hasFlag(ForcesEnabled));
    QVERIFY(visits[1].status.hasFlag(InitSuccess));
    QCOMPARE(int(visits[2].status.statusFlags), IndexpointFound | InitSuccess | ForcesEnabled);
    QVERIFY(visits[2].at <= basesim::kDriveRestartInitMs + basesim::kDriveRestartInitializedMs + 40);
}

void TestBaseSimModel::estopCycleClearsFaults()
{
    Bench bench;
    bench.base.state().driveFaults = 0x04; // over current
    bench.base.state().estopPressed = true;
    auto visits = watchModes(bench, 1000);
    QCOMPARE(modesOf(visits), (QList<int>{6}));
    QVERIFY(!visits[0].status.hasFlag(ForcesEnabled));
    QCOMPARE(visits[0].status.driveFaults, 0x04u);

    bench.base.state().estopPressed = false;
    visits = watchModes(bench, 2000);
    QCOMPARE(modesOf(visits).last(), 11);
    QCOMPARE(visits.back().status.driveFaults, 0u);
    QVERIFY(visits.back().status.hasFlag(ForcesEnabled));
}

void TestBaseSimModel::wheelCentre_data()
{
    QTest::addColumn<bool>("permanent");
    QTest::addColumn<int>("afterPowerCycle");
    QTest::newRow("temporary") << false << 0x9000;
    QTest::newRow("permanent") << true << 0x8000;
}

void TestBaseSimModel::wheelCentre()
{
    QFETCH(bool, permanent);
    QFETCH(int, afterPowerCycle);

    Bench bench;
    bench.base.state().holdWheel(0x9000);
    const auto position = [&bench] {
        bench.clock.advance(10);
        wire::ReplyBuffer buffer{};
        const int n = bench.readInto(buffer);
        return n == 33 ? int(decodeWheelReport(buffer.data(), 33).position) : -1;
    };
    QCOMPARE(position(), 0x9000);

    QCOMPARE(bench.send(permanent ? DeviceCommand::setWheelCenterPermanent : DeviceCommand::setWheelCenterTemporary),
             60);
    auto status = bench.status();
    QVERIFY(status);
    QVERIFY(!status->hasFlag(ForcesEnabled)); // torque held off until the change is finished
    QCOMPARE(bench.send(DeviceCommand::finishCenterChange), 60);
    status = bench.status();
    QVERIFY(status);
    QVERIFY(status->hasFlag(ForcesEnabled));
    QVERIFY(!status->hasFlag(Unsaved));
    QCOMPARE(position(), 0x8000);

    bench.base.powerCycle();
    bench.reopen();
    bench.wait(basesim::kBootToOperationalMs);
    QCOMPARE(position(), afterPowerCycle);
}

// Left alone the wheel sweeps and the pedals work; held at rest nothing moves over a sweep.
void TestBaseSimModel::inputsHeldAtRestStayStill()
{
    Bench bench;
    const auto sample = [&bench] {
        // Reports queue up oldest first: the newest of them.
        wire::ReplyBuffer buffer{};
        WheelSample newest{};
        for (int n = bench.readInto(buffer); n > 0; n = bench.readInto(buffer))
            if (n == 33)
                newest = decodeWheelReport(buffer.data(), 33);
        return newest;
    };
    const auto moves = [&](const auto &field) {
        bench.clock.advance(250); // past any report made before the inputs changed
        const auto first = field(sample());
        for (int step = 0; step < 40; ++step) {
            bench.clock.advance(250);
            if (field(sample()) != first)
                return true;
        }
        return false;
    };
    const auto position = [](const WheelSample &s) { return s.position; };
    const auto pedals = [](const WheelSample &s) { return std::array{s.axes[2], s.axes[3], s.axes[4]}; };
    const auto buttons = [](const WheelSample &s) { return s.buttons; };
    QVERIFY(moves(position));
    QVERIFY(moves(pedals));
    QVERIFY(moves(buttons));

    basesim::holdInputsAtRest(bench.base.state());
    QVERIFY(!moves(position));
    QVERIFY(!moves(pedals));
    QVERIFY(!moves(buttons));
    bench.clock.advance(250);
    const WheelSample still = sample();
    QCOMPARE(int(still.position), int(wire::kWheelCentre));
    QCOMPARE(still.buttons, (std::array<std::uint32_t, 4>{}));
}

QTEST_GUILESS_MAIN(TestBaseSimModel)
#include "tst_basesim_model.moc"
