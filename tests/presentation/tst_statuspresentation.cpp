// Status refresh texts: operating modes, torque-off reasons, E-stop and fault list,
// status bits, effect list and markers, torque lines, model line, endstop dialog.

#include "common/presentation/alarmband.h"
#include "common/presentation/effectlist.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/profilereadings.h"
#include "common/presentation/safetystatus.h"
#include "common/presentation/statuslines.h"
#include "common/presentation/torquelines.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace presentation;

namespace {

const QString rival = QStringLiteral("@colorRival");
const QString powerage = QStringLiteral("@colorPowerage");
const QString striker = QStringLiteral("@colorStriker");
const QString unknownMode = QStringLiteral("Unknown operating mode!");

QString link(int id)
{
    return QStringLiteral("<a href=\"https://veltrane.example/support/fault-location\">"
                          "<span style=\"color: @colorRival;\">Fault Location ID: %1</span></a>")
        .arg(id);
}

wire::DeviceStatus status(std::uint32_t mode, std::uint8_t safetyFlags, std::uint32_t driveFaults,
                          std::uint32_t faultLocation)
{
    wire::DeviceStatus s;
    s.operatingMode = mode;
    s.safetyFlags = safetyFlags;
    s.driveFaults = driveFaults;
    s.faultLocation = faultLocation;
    return s;
}

QStringList markerList(const EffectMarkers &m)
{
    return {m.sinewaveactivelabel,       m.dampingeffectactivelabel,  m.frictioneffectactivelabel,
            m.squarewaveactivelabel,     m.triangleeffectactivelabel, m.sawtootheffectactivelabel,
            m.springeffectactivelabel};
}

} // namespace

class TestStatusPresentation : public QObject {
    Q_OBJECT

private slots:
    void modeTable_data();
    void modeTable();
    void torqueOff_data();
    void torqueOff();
    void estopAndFaults_data();
    void estopAndFaults();
    void statusBits_data();
    void statusBits();
    void effectList_data();
    void effectList();
    void effectMarkers_data();
    void effectMarkers();
    void torqueLines_data();
    void torqueLines();
    void simpleStrengthFromProfile_data();
    void simpleStrengthFromProfile();
    void modelLine_data();
    void modelLine();
    void endstopDialog_data();
    void endstopDialog();
    void alarmBand_data();
    void alarmBand();
    void alarmBandReadable();
};

void TestStatusPresentation::modeTable_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("hardwareGroup"); // and bump-stop refresh
    QTest::addColumn<bool>("mainGroupsOff");
    QTest::addColumn<bool>("mainGroupsOn");

    const QString leave;
    struct Row { uint mode; QString text; QString colour; bool hw, off, on; };
    const Row rows[] = {
        {0, "Booting", powerage, false, false, false},
        {1, unknownMode, striker, false, false, false},
        {2, "Trying to initialize drive", powerage, false, false, false},
        {3, "Successfully initialized drive.", leave, false, false, false},
        {4, "Turn the wheel to find index point", powerage, true, false, false},
        {5, "Couldn't connect to Servo Drive, reconnecting..", striker, false, false, false},
        {6, "Waiting for faults to clear. Release E-stop?", powerage, false, false, false},
        {7, "Waiting for drive to get ready", powerage, false, false, false},
        {8, "Autoupdating Servo Drive Firmware. 42 %", powerage, false, true, false},
        {9, "Hardware settings not yet configured.", striker, true, false, false},
        {10, "Initializing parameters", powerage, true, false, false},
        {11, "Operational", rival, false, false, true},
        {12, "Saving settings to Veltrane flash memory", leave, false, false, false},
        {13, "Resetting all settings to default.", leave, false, false, false},
        {14, "Flash Memory Fault", striker, false, false, false},
        {15, unknownMode, striker, false, false, false},
        {16, unknownMode, striker, false, false, false},
        {17, unknownMode, striker, false, false, false},
        {18, "Applying DRC settings to drive", leave, false, false, false},
        {19, "Error applying DRC settings to drive", striker, false, false, false},
        {20, unknownMode, striker, false, false, false},
        {21, "Drive firmware update error. Turn system off and on again.", striker, false, false, false},
        {22, unknownMode, striker, false, false, false},
        {23, "Paused after drive init. Waiting for wizard.", powerage, false, false, false},
        {24, unknownMode, striker, false, false, false},
        {25, unknownMode, striker, false, false, false},
        {255, unknownMode, striker, false, false, false},
        {0x10000, unknownMode, striker, false, false, false},
    };
    for (const Row &r : rows)
        QTest::addRow("mode %u", r.mode) << r.mode << r.text << r.colour << r.hw << r.off << r.on;
}

void TestStatusPresentation::modeTable()
{
    QFETCH(uint, mode);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(bool, hardwareGroup);
    QFETCH(bool, mainGroupsOff);
    QFETCH(bool, mainGroupsOn);

    const OperatingModeView view = operatingModeView(mode, 42, 0);
    QCOMPARE(view.text, text);
    QCOMPARE(view.colour, colour);
    QCOMPARE(view.hardwareGroupEnabled, hardwareGroup);
    QCOMPARE(view.bumpStopRefresh, hardwareGroup);
    QCOMPARE(view.mainGroupsDisabled, mainGroupsOff);
    QCOMPARE(view.mainGroupsEnabled, mainGroupsOn);
    // Only the operational mode decides about the re-enable button.
    QCOMPARE(view.torqueButtonVisible.has_value(), mode == 11);
    QCOMPARE(analogConfigurationAllowed(mode), mode == 11);
}

void TestStatusPresentation::torqueOff_data()
{
    QTest::addColumn<uint>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("buttonVisible");

    const QString prefix = QStringLiteral("Operational - Torque Off due to: ");
    QTest::newRow("none") << 0u << "Operational" << rival << false;
    QTest::newRow("unrelated bits") << uint(wire::Unsaved | wire::ForcesEnabled | wire::highTorque
                                           | wire::stoActivated | wire::torqOffSaving)
                                    << "Operational" << rival << false;
    QTest::newRow("8") << 0x0100u << prefix + "Wheel Disconnection" << QString() << true;
    QTest::newRow("13") << 0x2000u << prefix + "Wheel Torque Off button" << QString() << false;
    QTest::newRow("14") << 0x4000u << prefix + "Standby Mode" << QString() << true;
    QTest::newRow("8+13") << 0x2100u << prefix + "Wheel Disconnection & Wheel Torque Off button" << QString()
                          << false;
    QTest::newRow("8+14") << 0x4100u << prefix + "Wheel Disconnection & Standby Mode" << QString() << true;
    QTest::newRow("13+14") << 0x6000u << prefix + "Wheel Torque Off button" << QString() << false;
    QTest::newRow("8+13+14") << 0x6100u << prefix + "Wheel Disconnection & Wheel Torque Off button"
                             << QString() << false;
}

void TestStatusPresentation::torqueOff()
{
    QFETCH(uint, flags);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(bool, buttonVisible);

    wire::DeviceStatus s;
    s.operatingMode = wire::ModeOperational;
    s.statusFlags = std::uint16_t(flags);
    const OperatingModeView view = operatingModeView(s);
    QCOMPARE(view.text, text);
    QCOMPARE(view.colour, colour);
    QVERIFY(view.torqueButtonVisible.has_value());
    QCOMPARE(*view.torqueButtonVisible, buttonVisible);
    QVERIFY(view.mainGroupsEnabled);
    QCOMPARE(torqueOffReasons(std::uint16_t(flags)).torqueButtonVisible, buttonVisible);
}

void TestStatusPresentation::estopAndFaults_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<uint>("safetyFlags");
    QTest::addColumn<uint>("driveFaults");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("richText");

    const QString released = QStringLiteral("E-Stop is released. ");
    const QString header = QStringLiteral(" Motor Faults (cycle E-stop to clear): ");
    const QString threshold = QStringLiteral("Overvoltage threshold [FOV] must be > 102% of HV BUS voltage");

    QTest::newRow("pressed hides faults") << 11u << 0xA0u << 0x2u << "E-Stop is PRESSED. " << powerage << false;
    QTest::newRow("released, operational") << 11u << 0x00u << 0u << released << rival << false;
    QTest::newRow("released, not operational") << 9u << 0x00u << 0u << released << powerage << false;
    QTest::newRow("fault bits without the safety bit")
        << 11u << 0x00u << 0x6u << released << rival << false;
    QTest::newRow("tracking and encoder")
        << 11u << 0x20u << 0x12u << released + header + "Tracking Error! Encoder Fault " + link(4711) << powerage
        << true;
    QTest::newRow("undervoltage") << 11u << 0x20u << 0x40u << released + header + "Undervoltage " + link(4711)
                                  << powerage << true;
    QTest::newRow("overvoltage") << 6u << 0x20u << 0x80u << released + header + "Overvoltage " + link(4711)
                                 << powerage << true;
    QTest::newRow("both voltages drop the text before")
        << 11u << 0x20u << 0x1C2u << released + threshold + "Program Fault " + link(4711) << powerage << true;
    QTest::newRow("both voltages alone") << 11u << 0x20u << 0xC0u << released + threshold + link(4711)
                                         << powerage << true;
    QTest::newRow("bit 0 and high bits carry no text")
        << 11u << 0x20u << 0xFFFF0001u << released + header + link(4711) << powerage << true;
    QTest::newRow("every named fault in order")
        << 11u << 0x20u << 0xFF3Eu
        << released + header
               + "Tracking Error! Over Current! Communication Fault Encoder Fault Over Temperature "
                 "Program Fault Hardware Fault Overvelocity Initialization Fault Motion Fault "
                 "Motion Range Fault Power Stage Forced Off Error with Host Communication "
               + link(4711)
        << powerage << true;
}

void TestStatusPresentation::estopAndFaults()
{
    QFETCH(uint, mode);
    QFETCH(uint, safetyFlags);
    QFETCH(uint, driveFaults);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(bool, richText);

    const EstopView view = estopView(status(mode, std::uint8_t(safetyFlags), driveFaults, 4711));
    QCOMPARE(view.text, text);
    QCOMPARE(view.colour, colour);
    QCOMPARE(view.richText, richText);
}

void TestStatusPresentation::statusBits_data()
{
    QTest::addColumn<uint>("flags");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << 0u << QString();
    QTest::newRow("unsaved") << 0x0001u << "Unsaved ";
    QTest::newRow("scanning and standby are not listed") << 0x4080u << QString();
    QTest::newRow("all") << 0xFFFFu
                         << "Unsaved IndexpointFound InitSuccess tempSteeringAngle ForcesEnabled wirelessFound "
                            "wirelessConn wirelessTorqueOffEvent stoActivated highTorque torqOffSaving "
                            "smPermanentFault wirelessTorqueOffButton ";
}

void TestStatusPresentation::statusBits()
{
    QFETCH(uint, flags);
    QFETCH(QString, text);
    QCOMPARE(statusBitsText(std::uint16_t(flags)), text);
}

void TestStatusPresentation::effectList_data()
{
    QTest::addColumn<uint>("allocated");
    QTest::addColumn<uint>("playing");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty memory ignores playing bits") << 0u << 0xFFFFu << "(Effect memory is empty)";
    QTest::newRow("constant force starts without a blank") << 0x1u << 0u << "Constantforce";
    QTest::newRow("constant force playing") << 0x1u << 0x1u << "<b>Constantforce</b>";
    QTest::newRow("friction playing") << 0x22u << 0x20u << " PeriodicSineOffset <b>Friction</b>";
    QTest::newRow("unknown bits only") << 0x2000u << 0x2000u << QString();
    QTest::newRow("all") << 0x1FFFu << 0x1801u
                         << "<b>Constantforce</b> PeriodicSineOffset PeriodicSine Damping Inertia Friction Ramp "
                            "Squarewave Trianglewave SawtoothDn SawtoothUp <b>Spring</b> <b>CustomEffect</b>";
}

void TestStatusPresentation::effectList()
{
    QFETCH(uint, allocated);
    QFETCH(uint, playing);
    QFETCH(QString, text);
    QCOMPARE(effectListText(allocated, playing), text);
}

void TestStatusPresentation::effectMarkers_data()
{
    QTest::addColumn<uint>("allocated");
    QTest::addColumn<uint>("playing");
    QTest::addColumn<QString>("markers"); // sine, damping, friction, square, triangle, sawtooth, spring

    QTest::newRow("empty") << 0u << 0xFFFFu << "-------";
    QTest::newRow("present and playing") << 0x0A2Cu << 0x0024u << "●○●--○○";
    QTest::newRow("playing without presence") << 0x0008u << 0x0800u << "-○-----";
    QTest::newRow("sawtooth down present") << 0x0200u << 0u << "-----○-";
    QTest::newRow("sawtooth up playing") << 0x0400u << 0x0400u << "-----●-";
    QTest::newRow("sawtooth either plays") << 0x0200u << 0x0400u << "-----●-";
    QTest::newRow("all playing") << 0x1FFFu << 0x1FFFu << "●●●●●●●";
}

void TestStatusPresentation::effectMarkers()
{
    QFETCH(uint, allocated);
    QFETCH(uint, playing);
    QFETCH(QString, markers);
    QCOMPARE(markerList(presentation::effectMarkers(allocated, playing)).join(QString()), markers);
}

void TestStatusPresentation::torqueLines_data()
{
    QTest::addColumn<uint>("peakCurrent");
    QTest::addColumn<uint>("strength");
    QTest::addColumn<uint>("simpleStrength");
    QTest::addColumn<bool>("highTorque");
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("simple");

    const QString limited = QStringLiteral(" - Limited to 4.4 Nm in safe torque mode");
    QTest::newRow("high torque") << 6000u << 100u << 40u << true << "6.6 Nm (6.0 A)" << "2.6 Nm";
    QTest::newRow("safe torque") << 6000u << 100u << 40u << false << "6.6 Nm (6.0 A)" + limited
                                 << "2.6 Nm" + limited;
    QTest::newRow("fractions") << 20000u << 37u << 100u << true << "8.1 Nm (7.4 A)" << "22.0 Nm";
    QTest::newRow("zero") << 0u << 60u << 40u << true << "0.0 Nm (0.0 A)" << "0.0 Nm";
}

void TestStatusPresentation::torqueLines()
{
    QFETCH(uint, peakCurrent);
    QFETCH(uint, strength);
    QFETCH(uint, simpleStrength);
    QFETCH(bool, highTorque);
    QFETCH(QString, actual);
    QFETCH(QString, simple);

    const TorqueLinesView view = torqueLinesView(peakCurrent, strength, simpleStrength, highTorque);
    QCOMPARE(view.actualCurrent, actual);
    QCOMPARE(view.simpleStrength, simple);
}

void TestStatusPresentation::simpleStrengthFromProfile_data()
{
    QTest::addColumn<uint>("simplesettings");
    QTest::addColumn<uint>("strength");

    QTest::newRow("never set") << 0u << 40u;
    QTest::newRow("packed 37") << 33686309u << 37u;
    QTest::newRow("other bytes ignored") << 0xFFFFFF01u << 1u;
}

void TestStatusPresentation::simpleStrengthFromProfile()
{
    QFETCH(uint, simplesettings);
    QFETCH(uint, strength);
    profDataNew profile;
    profile.param[26] = simplesettings;
    QCOMPARE(simpleStrengthPercent(profile), strength);
    QCOMPARE(profile.param[26], simplesettings); // reading leaves the record alone
}

void TestStatusPresentation::modelLine_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<uint>("modelIndex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cendraGroup");

    QTest::newRow("ardex") << true << 0u << "Veltrane 2 Ardex" << false;
    QTest::newRow("brivo") << true << 1u << "Veltrane 2 Brivo" << false;
    QTest::newRow("cendra") << true << 2u << "Veltrane 2 Cendra" << true;
    QTest::newRow("other index") << true << 3u << "Unknown" << false;
    QTest::newRow("not connected") << false << 2u << "Unknown" << false;
}

void TestStatusPresentation::modelLine()
{
    QFETCH(bool, connected);
    QFETCH(uint, modelIndex);
    QFETCH(QString, text);
    QFETCH(bool, cendraGroup);
    const ModelView view = modelView(connected, modelIndex);
    QCOMPARE(view.text, text);
    QCOMPARE(view.cendraSettingsShown, cendraGroup);
}

void TestStatusPresentation::endstopDialog_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("forcesEnabled");
    QTest::addColumn<bool>("dialogOpen");
    QTest::addColumn<int>("action");

    QTest::newRow("forces off while operational") << 11u << false << false << int(EndstopDialogAction::Open);
    QTest::newRow("already open") << 11u << false << true << int(EndstopDialogAction::None);
    QTest::newRow("forces off, not operational") << 9u << false << false << int(EndstopDialogAction::None);
    QTest::newRow("forces back") << 11u << true << true << int(EndstopDialogAction::Close);
    QTest::newRow("forces back, other mode") << 12u << true << true << int(EndstopDialogAction::Close);
    QTest::newRow("forces on, none open") << 11u << true << false << int(EndstopDialogAction::None);
}

void TestStatusPresentation::endstopDialog()
{
    QFETCH(uint, mode);
    QFETCH(bool, forcesEnabled);
    QFETCH(bool, dialogOpen);
    QFETCH(int, action);
    wire::DeviceStatus s;
    s.operatingMode = mode;
    s.statusFlags = forcesEnabled ? wire::ForcesEnabled : 0;
    QCOMPARE(int(endstopDialogAction(s, dialogOpen)), action);
}

void TestStatusPresentation::alarmBand_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<std::uint32_t>("mode");
    QTest::addColumn<int>("safetyFlags");
    QTest::addColumn<int>("statusFlags");
    QTest::addColumn<QString>("text");

    const std::uint32_t operational = wire::ModeOperational;
    const int estop = wire::SafetyEstopPressed;
    const int faults = wire::SafetyDriveFaults;
    QTest::newRow("running") << true << operational << 0 << int(wire::ForcesEnabled) << QString();
    QTest::newRow("disconnected") << false << operational << 0 << 0 << "Disconnected - no force feedback";
    QTest::newRow("E-stop") << true << std::uint32_t(wire::ModeWaitingForFaults) << estop << 0 << "E-Stop pressed";
    QTest::newRow("E-stop and faults")
        << true << std::uint32_t(wire::ModeWaitingForFaults) << (estop | faults) << 0
        << "E-Stop pressed  |  Drive faults - cycle the E-Stop to clear them";
    QTest::newRow("standby") << true << operational << 0 << int(wire::standbyMode) << "Torque off: Standby Mode";
    QTest::newRow("wheel gone and its button")
        << true << operational << 0 << int(wire::wirelessTorqueOffEvent | wire::wirelessTorqueOffButton)
        << "Torque off: Wheel Disconnection & Wheel Torque Off button";
    // Outside operation the mode line says why; standby bits alone raise no alarm there.
    QTest::newRow("standby bit while starting")
        << true << std::uint32_t(wire::ModeDriveInitialized) << 0 << int(wire::standbyMode) << QString();
}

void TestStatusPresentation::alarmBand()
{
    QFETCH(bool, connected);
    QFETCH(std::uint32_t, mode);
    QFETCH(int, safetyFlags);
    QFETCH(int, statusFlags);
    QFETCH(QString, text);
    wire::DeviceStatus s = status(mode, std::uint8_t(safetyFlags), 0, 0);
    s.statusFlags = std::uint16_t(statusFlags);
    QCOMPARE(alarmBandText(connected ? &s : nullptr), text);
}

void TestStatusPresentation::alarmBandReadable()
{
    // WCAG contrast of the band's text on its background, read from the style sheet.
    const QString style = QLatin1String(kAlarmBandStyle);
    auto luminanceAfter = [&](const QString &key) {
        const int at = style.indexOf(key + QLatin1String(": #"));
        bool ok = at >= 0;
        const unsigned rgb = style.mid(at + key.size() + 3, 6).toUInt(&ok, 16);
        auto channel = [](unsigned byte) {
            const double v = byte / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return ok ? 0.2126 * channel(rgb >> 16) + 0.7152 * channel((rgb >> 8) & 0xff) + 0.0722 * channel(rgb & 0xff)
                  : -1.0;
    };
    const double a = luminanceAfter(QStringLiteral("color"));
    const double b = luminanceAfter(QStringLiteral("background-color"));
    QVERIFY(a >= 0 && b >= 0);
    const double ratio = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
}

QTEST_GUILESS_MAIN(TestStatusPresentation)
#include "tst_statuspresentation.moc"
