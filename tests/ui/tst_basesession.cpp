// The session of one base with no window at all: connection and reload, an edit of the
// active profile, the auto-apply's safety check and saving, driven by hand against the
// virtual base. The application is a bare QCoreApplication, so any widget the session
// tried to build would end the run.

#include "session/basesession.h"
#include "tests/support/manualclock.h"
#include "settings/profilelist.h"
#include "tests/support/sessionfixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <optional>

Q_DECLARE_OPAQUE_POINTER(profDataNew *)
Q_DECLARE_METATYPE(profDataNew *)

namespace {

constexpr int kActive = 2;
constexpr int kSaveToFlash = 0x04;
constexpr std::uint32_t kEditedSineGain = 150;

// A session over a base whose profiles carry their own names and strengths, so a reload
// that read nothing, or the wrong record, cannot pass for one that read them all.
struct Bench {
    ManualClock clock; // before the base, which takes its time from it
    SessionFixture fixture{config()};
    BaseSession &session = fixture.session;

    static basesim::BaseConfig config()
    {
        basesim::BaseConfig config = SessionFixture::operationalCendra();
        config.profileCount = 4;
        config.activeProfile = kActive;
        return config;
    }

    Bench()
    {
        basesim::SettingsStore &ram = base().ram;
        for (std::size_t i = 1; i < ram.profileCount; ++i) {
            std::strcpy(ram.profiles[i].name.data(), qPrintable(QStringLiteral("Base %1").arg(i)));
            ram.profiles[i].param[3] = std::uint32_t(60 + i);
        }
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    profDataNew &active() { return *session.profiles().at(kActive); }

    // The wheel held at `degrees` of the active profile's range, as the wheel tick reads it.
    void holdWheelAt(double degrees)
    {
        const double range = active().param[18];
        const auto raw = std::uint16_t(std::lround((degrees + range / 2) * 65535 / range));
        base().holdWheel(raw);
        clock.advance(BaseSession::kWheelIntervalMs);
        session.wheelTick();
        QCOMPARE(int(fixture.link().wheelSample().position), int(raw));
    }

    // What a control's handler does to the active profile.
    void editActiveProfile()
    {
        active().param[1] = kEditedSineGain;
        session.markActiveProfileChanged();
        session.applier().markSettingsChanged();
    }

    int framesWithCode(int code) const
    {
        int count = 0;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            count += frame[1] == code;
        return count;
    }
};

bool sameRecord(const profDataNew &read, const basesim::ProfileRecord &held)
{
    return read.param == held.param && read.name == held.name && read.reservedText == held.reservedText;
}

} // namespace

class TestBaseSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<profDataNew *>(); }
    void connectionReloadsEverything();
    void autoApplyFollowsWheel_data();
    void autoApplyFollowsWheel();
    void saveReportsOutcome_data();
    void saveReportsOutcome();
    void reservedLinkSilencesPolling_data();
    void reservedLinkSilencesPolling();
    void userActionsWaitForAFreeLink_data();
    void userActionsWaitForAFreeLink();
};

void TestBaseSession::connectionReloadsEverything()
{
    Bench b;
    QSignalSpy reloads(&b.session, &BaseSession::reloadFinished);
    QSignalSpy actives(&b.session, &BaseSession::activeProfileChanged);

    b.session.statusTick();

    QVERIFY(b.fixture.link().connected());
    QCOMPARE(reloads.size(), 1);
    QCOMPARE(reloads[0][0].toBool(), true);
    QCOMPARE(reloads[0][1].toString(), QString());
    const basesim::SettingsStore &ram = b.base().ram;
    QCOMPARE(int(b.session.profiles().size()), int(ram.profileCount));
    for (std::size_t i = 0; i < ram.profileCount; ++i)
        QVERIFY2(sameRecord(*b.session.profiles()[i], ram.profiles[i]), qPrintable(QString::number(i)));
    QVERIFY(!actives.isEmpty());
    QCOMPARE(actives.last()[0].toInt(), kActive);
    QCOMPARE(actives.last()[1].value<profDataNew *>(), &b.active());
}

void TestBaseSession::autoApplyFollowsWheel_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("applied");
    // Range 900, end stop 0, ramp 10: the bump stop begins 440 degrees out.
    QTest::newRow("centred") << 0.0 << true;
    QTest::newRow("near the positive end stop") << 436.0 << false;
    QTest::newRow("near the negative end stop") << -436.0 << false;
}

void TestBaseSession::autoApplyFollowsWheel()
{
    QFETCH(double, angle);
    QFETCH(bool, applied);
    Bench b;
    b.session.statusTick();
    b.holdWheelAt(angle);
    const std::uint32_t before = b.base().ram.profiles[kActive].param[1];
    QVERIFY(before != kEditedSineGain);
    b.editActiveProfile();
    QCOMPARE(int(b.active().changed), 1);
    QVERIFY(b.session.applier().settingsChanged());
    b.fixture.base->clearReceivedFrames();
    SettingsApplier &applier = b.session.applier();
    QSignalSpy saveEnabled(&applier, &SettingsApplier::saveEnabledChanged);
    QSignalSpy unsafe(&applier, &SettingsApplier::unsafeToApplyChanged);

    applier.autoApplySettings();
    b.fixture.base->update();

    QVERIFY(!saveEnabled.isEmpty());
    QCOMPARE(saveEnabled.last()[0].toBool(), applied);
    QCOMPARE(applier.saveEnabled(), applied);
    QVERIFY(!unsafe.isEmpty());
    QCOMPARE(unsafe.last()[0].toBool(), !applied);
    QCOMPARE(applier.unsafeToApply(), !applied);
    // The edit waits in the record until the wheel allows it.
    QCOMPARE(applier.settingsChanged(), !applied);
    QCOMPARE(int(b.active().changed), applied ? 0 : 1);
    if (applied) {
        QCOMPARE(b.base().ram.profiles[kActive].param[1], kEditedSineGain);
        QVERIFY(b.base().hasFlag(wire::Unsaved));
    } else {
        QVERIFY(b.fixture.base->receivedFrames().empty());
        QCOMPARE(b.base().ram.profiles[kActive].param[1], before);
    }
}

void TestBaseSession::saveReportsOutcome_data()
{
    QTest::addColumn<bool>("cablePulled");
    QTest::newRow("cable in") << false;
    QTest::newRow("cable pulled") << true;
}

void TestBaseSession::saveReportsOutcome()
{
    QFETCH(bool, cablePulled);
    Bench b;
    QTemporaryDir folder;
    SettingsApplier &applier = b.session.applier();
    applier.setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
    b.session.statusTick();
    b.holdWheelAt(0);
    b.editActiveProfile();
    applier.autoApplySettings();
    const std::uint32_t inFlash = b.base().flash.profiles[kActive].param[1];
    QVERIFY(inFlash != kEditedSineGain);
    b.fixture.base->clearReceivedFrames();
    if (cablePulled)
        b.fixture.base->unplug();
    QSignalSpy finished(&applier, &SettingsApplier::saveFinished);

    applier.saveToFlash();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].toBool(), !cablePulled);
    QCOMPARE(b.fixture.link().connected(), !cablePulled);

    if (cablePulled) {
        const QString error = finished[0][1].toString();
        const QString context = QStringLiteral("saving to flash: ");
        QVERIFY2(error.startsWith(context) && error.size() > context.size(), qPrintable(error));
        QCOMPARE(b.framesWithCode(kSaveToFlash), 0);
    } else {
        QCOMPARE(finished[0][1].toString(), QString());
        QCOMPARE(b.framesWithCode(kSaveToFlash), 1);
        b.fixture.base->update();
        QCOMPARE(b.base().flash.profiles[kActive].param[1], inFlash); // still being written
    }

    b.clock.advance(basesim::kFlashSaveMs + 100);
    b.fixture.base->update();
    QCOMPARE(b.base().flash.profiles[kActive].param[1], cablePulled ? inFlash : kEditedSineGain);
}

void TestBaseSession::reservedLinkSilencesPolling_data()
{
    QTest::addColumn<QString>("reservedBy");
    QTest::addColumn<QString>("sender");
    for (const char *reservedBy : {"an operation", "the flash delay", "both"})
        for (const char *sender : {"status tick", "wheel tick", "auto-apply"})
            QTest::addRow("%s, %s", reservedBy, sender) << QString(reservedBy) << QString(sender);
}

// Nothing but the holder talks to the base while the link is reserved; once it is free,
// each of them sends again.
void TestBaseSession::reservedLinkSilencesPolling()
{
    QFETCH(QString, reservedBy);
    QFETCH(QString, sender);
    Bench b;
    b.session.statusTick();
    b.holdWheelAt(0);
    DeviceLink &link = b.fixture.link();
    const auto send = [&] {
        if (sender == "status tick")
            b.session.statusTick();
        else if (sender == "wheel tick")
            b.session.wheelTick();
        else
            b.session.applier().autoApplySettings();
    };
    b.editActiveProfile();
    std::optional<LinkGate::Hold> hold;
    if (reservedBy != "the flash delay")
        hold.emplace(link.gate().acquire(QStringLiteral("recalibrating the encoder")));
    if (reservedBy != "an operation")
        link.gate().startFlashDelay(LinkGate::FlashWork::Saving, 5000);
    b.fixture.base->clearReceivedFrames();
    QSignalSpy wheelReads(&b.session, &BaseSession::wheelSampled);
    // The wheel tick only reads the reports the base streams.
    const auto talked = [&] { return !b.fixture.base->receivedFrames().empty() || !wheelReads.isEmpty(); };

    b.clock.advance(BaseSession::kWheelIntervalMs);
    send();
    QVERIFY(!talked());
    QVERIFY(b.session.applier().settingsChanged());   // the edit waits

    // The holders let go.
    hold.reset();
    b.session.flashDelayElapsed();
    b.clock.advance(BaseSession::kWheelIntervalMs);
    send();
    QVERIFY(talked());
}

void TestBaseSession::userActionsWaitForAFreeLink_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("reserved");
    for (const char *action : {"reset force feedback", "start from scratch"})
        for (const bool reserved : {false, true})
            QTest::addRow("%s, link %s", action, reserved ? "reserved" : "free") << QString(action) << reserved;
}

// The Advanced page's device actions: the reset reaches the base as its command; a start
// from scratch reads everything again, so what changed on the base behind the tool's back
// shows; neither sends anything while another operation holds the link.
void TestBaseSession::userActionsWaitForAFreeLink()
{
    QFETCH(QString, action);
    QFETCH(bool, reserved);
    Bench b;
    b.session.statusTick();
    std::strcpy(b.base().ram.profiles[1].name.data(), "Renamed on the base");
    DeviceLink &link = b.fixture.link();
    std::optional<LinkGate::Hold> hold;
    if (reserved)
        hold.emplace(link.gate().acquire(QStringLiteral("recalibrating the encoder")));
    b.fixture.base->clearReceivedFrames();
    QSignalSpy reloads(&b.session, &BaseSession::reloadFinished);

    const bool done = action == "reset force feedback" ? b.session.resetForceFeedback()
                                                       : b.session.restartFromScratch();
    QCOMPARE(done, !reserved);
    if (reserved) {
        QVERIFY(b.fixture.base->receivedFrames().empty());
        QVERIFY(link.connected());
        return;
    }
    if (action == "reset force feedback") {
        QCOMPARE(b.framesWithCode(0x29), 1);
        QVERIFY(reloads.isEmpty());
        return;
    }
    QCOMPARE(reloads.size(), 1);
    QCOMPARE(reloads.first().at(0).toBool(), true);
    QCOMPARE(QString::fromUtf8(b.session.profiles().at(1)->name.data()), QString("Renamed on the base"));
}

QTEST_GUILESS_MAIN(TestBaseSession)
#include "tst_basesession.moc"
