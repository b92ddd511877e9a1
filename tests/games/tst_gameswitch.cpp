// Automatic profile per game against the virtual base, with a process table the test
// presents: a game's start activates its profile on the base, its end the one before;
// nothing is sent while an edit waits, the flash is busy, the wheel stands unsafe or a
// firmware update runs; and what the user sees of it is said in one line.

#include "device/wire/devicecommand.h"
#include "games/gamematch.h"
#include "games/gamesettings.h"
#include "games/gameswitcher.h"
#include "games/processtable.h"
#include "session/profilelistsync.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>

Q_DECLARE_OPAQUE_POINTER(profDataNew *)
Q_DECLARE_METATYPE(profDataNew *)

using games::ProcessInfo;

namespace {

class FakeProcessTable final : public games::ProcessTable {
public:
    std::vector<ProcessInfo> table;
    int reads = 0;
    std::vector<ProcessInfo> processes() override
    {
        ++reads;
        return table;
    }
    void start(const QString &name, const QStringList &arguments = {})
    {
        table.push_back({qint64(table.size() + 100), name, arguments});
    }
    void end(const QString &name)
    {
        table.erase(std::remove_if(table.begin(), table.end(),
                                   [&](const ProcessInfo &p) { return p.name == name; }),
                    table.end());
    }
};

// How Steam starts a Windows game through Proton: the loader's name, the .exe deep in the line.
const QStringList kProtonLine = {
    "/home/rider/.steam/steam/steamapps/common/Proton 8.0/dist/bin/wine64-preloader",
    "/home/rider/.steam/steam/steamapps/common/Proton 8.0/dist/bin/wine64",
    "c:\\windows\\system32\\steam.exe",
    "Z:\\home\\rider\\.steam\\steam\\steamapps\\common\\Assetto Corsa Competizione\\acc.exe"};

basesim::BaseConfig fourProfiles()
{
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.profileCount = 4;
    config.activeProfile = 1;
    return config;
}

struct Bench {
    ManualClock clock;
    SessionFixture fixture{fourProfiles()};
    BaseSession &session = fixture.session;
    FakeProcessTable processes;
    games::GameSwitcher switcher{session, processes};
    QSignalSpy reports{&switcher, &games::GameSwitcher::switchReported};

    Bench()
    {
        basesim::SettingsStore &ram = base().ram;
        std::strcpy(ram.profiles[1].name.data(), "Road");
        std::strcpy(ram.profiles[2].name.data(), "GT3");
        std::strcpy(ram.profiles[3].name.data(), "Rally");
        session.statusTick(); // connects and reloads
        holdWheelAt(0);
        switcher.setMappings({{"acc.exe", "GT3"}, {"dirtrally2.exe", "Rally"}});
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    int activeOnBase() { return int(base().activeProfile); }
    QString lastReport() const { return reports.isEmpty() ? QString() : reports.last()[0].toString(); }

    void holdWheelAt(double degrees)
    {
        const double range = session.editedProfile()->param[18];
        base().holdWheel(std::uint16_t(std::lround((degrees + range / 2) * 65535 / range)));
        clock.advance(40);
        session.wheelTick();
    }

    int activations() const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            count += frame[1] == int(DeviceCommand::activateProfile);
        return count;
    }
};

} // namespace

class TestGameSwitch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<profDataNew *>(); }
    void matching_data();
    void matching();
    void procTableToleratesVanishingProcesses();
    void startAndEndSwitchAndRestore();
    void lastStartedGameWins();
    void waitsWhileUnsafeOrBusy_data();
    void waitsWhileUnsafeOrBusy();
    void missingAndRenamedProfiles();
    void disconnectionDuringSwitch();
    void firmwareUpdateStopsSwitching();
    void settingsAndAutostartEntry();
};

void TestGameSwitch::matching_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("game");
    QTest::addColumn<bool>("matches");
    QTest::newRow("native name") << "rFactor2" << QStringList{"/opt/rf2/rFactor2"} << "rfactor2" << true;
    QTest::newRow("Proton .exe") << "wine64-preload" << kProtonLine << "ACC.exe" << true;
    QTest::newRow("Proton loader is no game") << "wine64-preload" << kProtonLine << "steam" << false;
    QTest::newRow("name cut by the kernel") << "AC2-Win64-Shipp" << QStringList{} << "AC2-Win64-Shipping.exe" << true;
    QTest::newRow("unreadable command line") << "acc.exe" << QStringList{} << "acc.exe" << true;
    QTest::newRow("part of a name") << "acc.exe.bak" << QStringList{"/tmp/acc.exe.bak"} << "acc.exe" << false;
    QTest::newRow("empty game") << "" << QStringList{} << "  " << false;
}

void TestGameSwitch::matching()
{
    QFETCH(QString, name);
    QFETCH(QStringList, arguments);
    QFETCH(QString, game);
    QFETCH(bool, matches);
    QCOMPARE(games::matchesGame({1, name, arguments}, game), matches);
}

void TestGameSwitch::procTableToleratesVanishingProcesses()
{
    QTemporaryDir root;
    const auto write = [&](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(root.filePath(path)).absolutePath());
        QFile file(root.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("12/comm", "wine64-preload\n");
    write("12/cmdline", QByteArray("wine64\0Z:\\games\\acc.exe\0", 25));
    write("13/comm", "kworker\n"); // no command line to read
    QDir().mkpath(root.filePath("14"));  // ended between the listing and the read
    write("self/comm", "tunemark\n");    // not a process number

    games::ProcProcessTable table(root.path());
    const std::vector<ProcessInfo> read = table.processes();
    QCOMPARE(int(read.size()), 2);
    QCOMPARE(read[0].pid, qint64(12));
    QCOMPARE(read[0].arguments, QStringList({"wine64", "Z:\\games\\acc.exe"}));
    QVERIFY(read[1].arguments.isEmpty());
    QCOMPARE(games::choosableNames(read), QStringList({"acc.exe", "kworker"}));
    QVERIFY(games::ProcProcessTable(root.filePath("missing")).processes().empty());
}

void TestGameSwitch::startAndEndSwitchAndRestore()
{
    Bench b;
    b.switcher.scan();
    QCOMPARE(b.activations(), 0);

    b.processes.start("wine64-preload", kProtonLine);
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);
    QCOMPARE(b.session.editedProfileIndex(), 2);
    QCOMPARE(b.lastReport(), QString("Switched to 'GT3' for acc.exe"));
    // While it runs, nothing more is sent.
    const int sent = b.activations();
    b.switcher.scan();
    QCOMPARE(b.activations(), sent);

    b.processes.end("wine64-preload");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 1);
    QCOMPARE(b.lastReport(), QString("Switched back to 'Road' after acc.exe ended"));

    // A profile chosen by hand while the game runs stays when it ends.
    b.processes.start("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);
    profilesync::activateAsChosen(b.session, 3);
    b.processes.end("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 3);
}

void TestGameSwitch::lastStartedGameWins()
{
    Bench b;
    b.processes.start("acc.exe");
    b.switcher.scan();
    b.processes.start("dirtrally2.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 3);
    b.processes.end("dirtrally2.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);
    b.processes.end("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 1); // the profile from before the first game

    // Both found in one scan: the table's order does not decide, the mapping order does.
    b.processes.start("dirtrally2.exe");
    b.processes.start("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 3);
}

void TestGameSwitch::waitsWhileUnsafeOrBusy_data()
{
    QTest::addColumn<QString>("hold");
    QTest::addColumn<QString>("reason");
    QTest::newRow("edit pending") << "edit" << "an edit is waiting to be applied";
    QTest::newRow("flash delay") << "flash" << "the base is writing or reloading its flash";
    QTest::newRow("link reserved") << "reserved" << "the base is busy with another operation";
    QTest::newRow("wheel off centre") << "wheel" << "";
}

void TestGameSwitch::waitsWhileUnsafeOrBusy()
{
    QFETCH(QString, hold);
    QFETCH(QString, reason);
    Bench b;
    DeviceLink &link = b.fixture.link();
    std::optional<LinkGate::Hold> held;
    const auto holdBack = [&] {
        if (hold == "edit") {
            b.session.editedProfile()->param[1] = 150;
            b.session.markActiveProfileChanged();
            b.session.applier().markSettingsChanged();
        } else if (hold == "flash") {
            link.gate().startFlashDelay(LinkGate::FlashWork::Saving, 5000);
        } else if (hold == "reserved") {
            held.emplace(link.gate().acquire(QStringLiteral("recalibrating the encoder")));
        } else {
            // The other profile runs a 540° range: it must not become active with the wheel at 200°.
            for (int index : {1, 2})
                if (index != b.session.editedProfileIndex())
                    b.session.profileAt(index)->param[18] = 540;
            b.holdWheelAt(200);
        }
    };
    const auto release = [&] {
        link.gate().endFlashDelay();
        held.reset();
        b.holdWheelAt(0);
        b.session.applier().autoApplySettings();
    };
    holdBack();
    b.processes.start("acc.exe");
    b.switcher.scan();
    b.switcher.scan();
    QCOMPARE(b.activations(), 0);
    QCOMPARE(b.activeOnBase(), 1);
    if (!reason.isEmpty())
        QCOMPARE(b.lastReport(), "Waiting to switch to 'GT3' for acc.exe: " + reason);
    else
        QVERIFY(b.lastReport().startsWith("Not switched to 'GT3' for acc.exe"));
    QCOMPARE(b.reports.size(), 1); // said once, not every 2 s

    // Once free, the switch follows.
    release();
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);

    // Going back waits the same way.
    holdBack();
    b.processes.end("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);
    release();
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 1);
}

void TestGameSwitch::missingAndRenamedProfiles()
{
    Bench b;
    b.switcher.setMappings({{"acc.exe", "Gone"}, {"dirtrally2.exe", "Rally"}});
    b.processes.start("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activations(), 0);
    // A running game with a profile wins over a later one without.
    b.processes.start("dirtrally2.exe");
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 3);

    // The profile to go back to was renamed meanwhile: the game's profile stays.
    std::strcpy(b.session.profileAt(1)->name.data(), "Street");
    b.processes.table.clear();
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 3);
    QCOMPARE(b.lastReport(), QString("dirtrally2.exe ended; 'Rally' stays active: no profile is named 'Road' any more"));
}

void TestGameSwitch::disconnectionDuringSwitch()
{
    Bench b;
    b.processes.start("acc.exe");
    b.fixture.base->faults().failWrites = true;
    b.switcher.scan();
    QVERIFY(!b.fixture.link().connected());
    QVERIFY(b.lastReport().startsWith("Switching to 'GT3' for acc.exe failed: "));
    b.switcher.scan(); // no base: nothing happens, nothing breaks

    b.fixture.base->faults().failWrites = false;
    b.session.statusTick(); // reconnects and reloads
    QVERIFY(b.fixture.link().connected());
    b.holdWheelAt(0);
    b.switcher.scan();
    QCOMPARE(b.activeOnBase(), 2);
}

void TestGameSwitch::firmwareUpdateStopsSwitching()
{
    Bench b;
    b.switcher.start();
    emit b.session.firmwareUpdateRequired(3);
    QVERIFY(!b.switcher.timer().isActive());
    b.processes.start("acc.exe");
    b.switcher.scan();
    QCOMPARE(b.activations(), 0);
    QCOMPARE(b.processes.reads, 0);
}

void TestGameSwitch::settingsAndAutostartEntry()
{
    // Tests run with XDG_CONFIG_HOME in their own temporary home.
    QVERIFY(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
    QSettings store("Halvern Labs", "Veltrane2");
    games::GameSettings kept;
    QVERIFY(games::setMapping(kept.mappings, " acc.exe ", "GT3"));
    QVERIFY(games::setMapping(kept.mappings, "ACC.EXE", "Rally")); // one profile per game
    QVERIFY(!games::setMapping(kept.mappings, "", "GT3"));
    kept.trayIcon = true;
    kept.startMinimised = true;
    games::saveGameSettings(store, kept);
    const games::GameSettings read = games::loadGameSettings(store);
    QCOMPARE(int(read.mappings.size()), 1);
    QCOMPARE(read.mappings[0].game, QString("ACC.EXE"));
    QCOMPARE(read.mappings[0].profileName, QString("Rally"));
    QVERIFY(read.trayIcon && read.startMinimised && !read.startAtLogin);

    QString error;
    const QString path = games::autostartEntryPath();
    QVERIFY(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/"));
    QVERIFY2(games::writeAutostartEntry("/opt/My Tools/100%/veltrane2-tunemark", error), qPrintable(error));
    QFile entry(path);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nExec=\"/opt/My Tools/100%%/veltrane2-tunemark\"\n"));
    // The icon the package installs, as the launcher names it.
    QVERIFY(text.contains("\nIcon=example.veltrane.Tunemark\n"));
    QVERIFY(!games::writeAutostartEntry("/opt/a\nExec=rm", error));
    QVERIFY(games::removeAutostartEntry(error));
    QVERIFY(!QFile::exists(path));
    QVERIFY(games::removeAutostartEntry(error)); // nothing there is fine
}

QTEST_MAIN(TestGameSwitch)
#include "tst_gameswitch.moc"
