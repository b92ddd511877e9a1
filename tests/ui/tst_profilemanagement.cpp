// Profile management driven through the window's own widgets against the virtual base:
// activation, delete, copy, rearranging, templates, export and import with the backup,
// the 256-profile limit, the status timer around import and rearranging, and a cable
// pulled in the middle of a change.

#include "session/basesession.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "settings/profileimportexport.h"
#include "settings/profilelist.h"
#include "ui/pages/profilemanagementgroup.h"
#include "settings/profilename.h"
#include "ui/dialogs/profilereorderdialog.h"
#include "ui/dialogs/profiletemplatedialog.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "basesim/virtualbase.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

constexpr std::uint8_t kActivate = 0x26;
constexpr std::uint8_t kProfileCount = 0x27;
constexpr std::uint8_t kDefault = 0x28;
constexpr std::uint8_t kProfileValues = 0x7D;
constexpr std::uint8_t kProfileName = 0x7E;
constexpr std::uint8_t kHardwareValues = 0x7A;

// The cable between the tool and the base. Once armed, it is pulled just before the n-th
// frame of one command reaches the base.
class CablePull final : public hid::Backend {
public:
    explicit CablePull(basesim::VirtualBase &base) : base_(base) {}

    void arm(std::uint8_t code, int n)
    {
        code_ = code;
        remaining_ = n;
    }
    void disarm() { remaining_ = 0; }

    int init() override { return base_.init(); }
    int exit() override { return base_.exit(); }
    hid::Device *open(std::uint16_t vendorId, std::uint16_t productId) override
    {
        return base_.open(vendorId, productId);
    }
    int setNonblocking(hid::Device *device, int nonblock) override { return base_.setNonblocking(device, nonblock); }
    int write(hid::Device *device, const std::uint8_t *data, std::size_t length) override
    {
        if (remaining_ > 0 && length > 1 && data[1] == code_ && --remaining_ == 0)
            base_.unplug();
        if (onWrite)
            onWrite();
        return base_.write(device, data, length);
    }
    int read(hid::Device *device, std::uint8_t *data, std::size_t length) override
    {
        return base_.read(device, data, length);
    }
    void close(hid::Device *device) override { base_.close(device); }

    // Runs before each frame goes out: what happens elsewhere while an operation talks.
    std::function<void()> onWrite;

private:
    basesim::VirtualBase &base_;
    std::uint8_t code_ = 0;
    int remaining_ = 0;
};

// Answers file choosers and notes whether the status timer ran while one was open.
class TimerWatchingPrompts final : public UserPrompts {
public:
    TimerWatchingPrompts(const QTimer *timer, QString answer) : timer_(timer), answer_(std::move(answer)) {}
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        timerRanWhileOpen = timer_->isActive();
        return answer_;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return answer_; }
    int exec(QDialog *dialog) override
    {
        dialog->accept();
        return QDialog::Accepted;
    }
    // Not asked here; a refusal if it ever were.
    AdministratorRun runAsAdministrator(const QString &) override { return {AdministratorRun::Outcome::Refused, 126}; }
    bool timerRanWhileOpen = true;

private:
    const QTimer *timer_;
    QString answer_;
};

basesim::BaseConfig baseWith(int count, int active, int defaultIndex)
{
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.profileCount = std::uint16_t(count);
    config.activeProfile = std::uint16_t(active);
    config.defaultProfile = std::uint16_t(defaultIndex);
    return config;
}

QString textOf(const std::array<char, 32> &text)
{
    return QString::fromUtf8(text.data(), int(strnlen(text.data(), text.size())));
}

// A connected window on a base whose profiles 1.. are named "P1", "P2", ... and carry
// their number in `overallstrength`, so each one can be followed wherever it moves.
// The session talks to the base through a cable a test can pull; its timers run as in
// the program, though no test turns the event loop far enough for them to fire.
class Session {
public:
    explicit Session(const basesim::BaseConfig &config,
                     const std::function<void(basesim::BaseState &)> &prepare = nullptr)
        : base_(std::make_unique<basesim::VirtualBase>(config)), cable(*base_),
          session(cable, SessionOptions{QStringLiteral("1.0.15"), 0}),
          window(session, prompts, "1.0.15", "2020.1")
    {
        // This version has run before: no changelog on the first tick.
        QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15");
        // Telemetry answered (declined): no consent question, nothing sent.
        QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsentVersion", 1);
        QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsent", 2);
        basesim::SettingsStore &ram = base_->state().ram;
        for (int i = 1; i < config.profileCount; ++i) {
            std::strcpy(ram.profiles[std::size_t(i)].name.data(), qPrintable(QStringLiteral("P%1").arg(i)));
            ram.profiles[std::size_t(i)].param[3] = std::uint32_t(i);
        }
        if (prepare)
            prepare(base_->state());
        session.start();
        session.statusTick(); // connects and reloads
        session.statusTick(); // the first connected tick enables the controls
        session.wheelTick();  // where the wheel stands, as the wheel timer would read it
        group()->fillProfileBox();
        base_->clearReceivedFrames();
    }

    ProfileManagementGroup *group() { return window.findChild<ProfileManagementGroup *>(); }
    QComboBox *box() { return window.findChild<QComboBox *>("selectprofilecomboBox"); }
    QLabel *statusLine() { return window.findChild<QLabel *>("importexportstatuslabel"); }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(name); }
    QTimer *statusTimer() { return &session.statusTimer(); }
    basesim::VirtualBase &virtualBase() { return *base_; }
    basesim::BaseState &base() { return base_->state(); }

    QStringList baseNames()
    {
        QStringList names;
        for (int i = 1; i < base().ram.profileCount; ++i)
            names << textOf(base().ram.profiles[std::size_t(i)].name);
        return names;
    }
    QStringList listNames()
    {
        QStringList names;
        for (std::size_t i = 1; i < session.profiles().size(); ++i)
            names << profileName(*session.profiles()[i]);
        return names;
    }
    int frames(std::uint8_t code) const
    {
        int n = 0;
        for (const auto &frame : base_->receivedFrames())
            n += frame[1] == code;
        return n;
    }

private:
    ManualClock clock_;
    // Declared before the session: the session closes its handle on the base when it goes.
    std::unique_ptr<basesim::VirtualBase> base_;

public:
    CablePull cable;
    BaseSession session;
    ScriptedPrompts prompts;
    MW2 window;
};

void deleteLaterNow() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

class TestProfileManagement : public QObject {
    Q_OBJECT

private slots:
    void activationSendsEachChoiceOnce();
    void activationWaitsWhileTheLinkIsHeld_data();
    void activationWaitsWhileTheLinkIsHeld();
    void deleteMovesDefaultAndRewritesFollowers_data();
    void deleteMovesDefaultAndRewritesFollowers();
    void copyAppendsAndActivates();
    void reorderWritesNewOrderWithDefaultAndActive();
    void reorderDialogHoldsStatusTimer();
    void addFromTemplate();
    void exportImportRoundTripWithBackup();
    void listStopsAt256Profiles_data();
    void listStopsAt256Profiles();
    void importRestartsStatusTimerAtUsualPace_data();
    void importRestartsStatusTimerAtUsualPace();
    void cablePulledDuringChange_data();
    void cablePulledDuringChange();
    void interruptedListChangeLosesNoProfile_data();
    void interruptedListChangeLosesNoProfile();
    void interruptedApplyCompletesAfterReconnection_data();
    void interruptedApplyCompletesAfterReconnection();
};

void TestProfileManagement::activationSendsEachChoiceOnce()
{
    Session s(baseWith(5, 0, 0));
    QSignalSpy spy(&s.session, &BaseSession::activeProfileChanged);

    s.box()->setCurrentIndex(2);
    QCOMPARE(s.frames(kActivate), 1);
    QCOMPARE(int(s.base().activeProfile), 2);
    QCOMPARE(s.session.lastActivatedProfile(), 2);
    QCOMPARE(spy.last()[0].toInt(), 2);
    QCOMPARE(spy.last()[1].value<profDataNew *>(), s.session.profiles()[2].get());

    // The box announcing the same profile again (as after an unblocked refill) sends nothing.
    LogCapture log;
    s.box()->setCurrentIndex(-1);
    s.box()->setCurrentIndex(2);
    QVERIFY(log.contains("same profile selected, do nothing."));
    QCOMPARE(s.frames(kActivate), 1);

    s.box()->setCurrentIndex(3);
    QCOMPARE(s.frames(kActivate), 2);
    QCOMPARE(int(s.base().activeProfile), 3);
}

void TestProfileManagement::activationWaitsWhileTheLinkIsHeld_data()
{
    QTest::addColumn<QString>("holder");
    QTest::newRow("flash delay of a save") << "save";
    QTest::newRow("event-log read") << "event log";
    QTest::newRow("firmware wizard") << "wizard";
}

// Choosing a profile while another operation holds the link sends nothing, puts the box
// back on the profile the base runs and says why; once the link is free it goes through.
void TestProfileManagement::activationWaitsWhileTheLinkIsHeld()
{
    QFETCH(QString, holder);
    Session s(baseWith(5, 1, 0));
    int sentWhileHeld = -1;
    int boxWhileHeld = -1;
    QString lineWhileHeld;
    const auto choose = [&] {
        const int before = s.frames(kActivate);
        s.box()->setCurrentIndex(3);
        sentWhileHeld = s.frames(kActivate) - before;
        boxWhileHeld = s.box()->currentIndex();
        lineWhileHeld = s.statusLine()->text();
    };
    QTemporaryDir folder;
    s.session.applier().setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
    if (holder == "save") {
        s.session.profiles()[1]->changed = 1;
        s.session.applier().markSettingsChanged();
        s.session.applier().saveToFlash();
        QVERIFY(s.session.link().gate().flashDelayRunning());
        choose();
        s.session.flashDelayElapsed();
    } else if (holder == "event log") {
        s.cable.onWrite = [&] {
            if (s.session.gate().holder() == "reading the event log" && sentWhileHeld < 0)
                choose();
        };
        s.button("eventlogpushButton")->click();
        s.cable.onWrite = nullptr;
    } else {
        s.prompts.onDialog = [&](QDialog *dialog) {
            choose();
            dialog->reject();
            return int(QDialog::Rejected);
        };
        emit s.session.firmwareUpdateRequired(1);
        QVERIFY(!s.session.gate().busy());
    }
    QCOMPARE(sentWhileHeld, 0);
    QCOMPARE(boxWhileHeld, 1);
    QVERIFY2(lineWhileHeld.startsWith("Not switched: the base is "), qPrintable(lineWhileHeld));
    QCOMPARE(int(s.base().activeProfile), 1);

    s.box()->setCurrentIndex(3);
    QCOMPARE(int(s.base().activeProfile), 3);
}

void TestProfileManagement::deleteMovesDefaultAndRewritesFollowers_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("defaultIndex");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("expectedDefault");
    QTest::addColumn<int>("expectedActive");

    QTest::newRow("2 of 5, default 4") << 5 << 2 << 4 << true << QStringList{"P1", "P3", "P4"} << 3 << 0;
    QTest::newRow("the default itself") << 5 << 3 << 3 << true << QStringList{"P1", "P2", "P4"} << 0 << 0;
    QTest::newRow("after the default") << 5 << 4 << 1 << true << QStringList{"P1", "P2", "P3"} << 1 << 0;
    QTest::newRow("not confirmed") << 5 << 2 << 4 << false << QStringList{"P1", "P2", "P3", "P4"} << 4 << 2;
    QTest::newRow("safe profile active") << 5 << 0 << 4 << true << QStringList{"P1", "P2", "P3", "P4"} << 4 << 0;
    QTest::newRow("single profile") << 1 << 0 << 0 << true << QStringList{} << 0 << 0;
}

void TestProfileManagement::deleteMovesDefaultAndRewritesFollowers()
{
    QFETCH(int, count);
    QFETCH(int, active);
    QFETCH(int, defaultIndex);
    QFETCH(bool, confirmed);
    QFETCH(QStringList, names);
    QFETCH(int, expectedDefault);
    QFETCH(int, expectedActive);

    Session s(baseWith(count, active, defaultIndex));
    QString title, question;
    s.prompts.onDialog = [&](QDialog *dialog) {
        title = dialog->windowTitle();
        question = dialog->findChild<QLabel *>()->text();
        confirmed ? dialog->accept() : dialog->reject();
        return dialog->result();
    };
    s.button("deleteprofilepushbutton")->click();

    QCOMPARE(title, QString("Confirm profile deletion"));
    QCOMPARE(question, QString("Are you sure you want to delete the profile?"));
    QCOMPARE(s.baseNames(), names);
    QCOMPARE(s.listNames(), names);
    QCOMPARE(int(s.base().ram.defaultProfile), expectedDefault);
    QCOMPARE(int(s.base().activeProfile), expectedActive);
    const bool deleted = names.size() < count - 1;
    // Only the profiles from index 1 to the new end are rewritten.
    QCOMPARE(s.frames(kProfileName), deleted ? names.size() : 0);
    if (deleted) {
        QCOMPARE(s.session.lastActivatedProfile(), 0);
        QCOMPARE(s.box()->count(), count - 1);
        QCOMPARE(s.box()->itemData(expectedDefault, Qt::FontRole).value<QFont>().bold(), true);
    }
}

void TestProfileManagement::copyAppendsAndActivates()
{
    Session s(baseWith(5, 0, 0), [](basesim::BaseState &base) {
        std::strcpy(base.ram.profiles[2].reservedText.data(), "kept with the copy");
    });
    s.box()->setCurrentIndex(2);
    s.virtualBase().clearReceivedFrames();
    QSignalSpy spy(&s.session, &BaseSession::activeProfileChanged);

    s.button("copyprofilepushButton")->click();

    QCOMPARE(int(s.base().ram.profileCount), 6);
    const basesim::ProfileRecord &original = s.base().ram.profiles[2];
    const basesim::ProfileRecord &copy = s.base().ram.profiles[5];
    QCOMPARE(textOf(copy.name), QString("Copied profile"));
    QVERIFY(std::equal(copy.param.begin() + 1, copy.param.end(), original.param.begin() + 1));
    QCOMPARE(textOf(copy.reservedText), QString("kept with the copy"));
    QCOMPARE(int(s.base().activeProfile), 5);
    QCOMPARE(s.box()->count(), 6);
    QCOMPARE(s.box()->currentIndex(), 5);
    QCOMPARE(spy.first()[0].toInt(), 5);
    QCOMPARE(spy.first()[1].value<profDataNew *>(), s.session.profiles()[5].get());

    // The base runs the copy now, so choosing the profile chosen before must reach it.
    s.box()->setCurrentIndex(2);
    QCOMPARE(int(s.base().activeProfile), 2);
}

void TestProfileManagement::reorderWritesNewOrderWithDefaultAndActive()
{
    Session s(baseWith(5, 3, 1));
    s.button("reorderprofilespushbutton")->click();
    QPointer<profileReorderDialog> dialog = s.window.findChild<profileReorderDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Reorder profiles"));
    QListWidget *rows = dialog->profileListWidget();
    QCOMPARE(rows->count(), 4); // the safe profile is not offered
    QCOMPARE(rows->item(0)->text(), QString("P1"));
    QVERIFY(rows->item(0)->data(profileReorderDialog::DefaultRole).toBool());
    QVERIFY(rows->item(2)->data(profileReorderDialog::ActiveRole).toBool());

    // What a drop does: the dragged item, with its record, lands on another row.
    rows->insertItem(3, rows->takeItem(0)); // P2 P3 P4 P1
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    deleteLaterNow();

    QVERIFY(!dialog);
    QCOMPARE(s.baseNames(), (QStringList{"P2", "P3", "P4", "P1"}));
    QCOMPARE(s.listNames(), (QStringList{"P2", "P3", "P4", "P1"}));
    QCOMPARE(int(s.base().ram.defaultProfile), 4);
    QCOMPARE(int(s.base().activeProfile), 2);
    QCOMPARE(s.session.lastActivatedProfile(), 2);
    QCOMPARE(s.box()->currentIndex(), 2);
    QVERIFY(s.box()->itemData(4, Qt::FontRole).value<QFont>().bold());
    // One cycle of four: its first record goes to a spare slot first, then each slot once;
    // the spare is dropped again with the count.
    QCOMPARE(s.frames(kProfileName), 5);
    QCOMPARE(s.frames(kProfileCount), 2);
    QCOMPARE(int(s.base().ram.profileCount), 5);
    QVERIFY(!s.session.applier().listTorn());
}

void TestProfileManagement::reorderDialogHoldsStatusTimer()
{
    Session s(baseWith(5, 1, 0));
    QTimer *timer = s.statusTimer();
    timer->start(2500); // an interval of its own, to see that the dialog keeps it

    s.button("reorderprofilespushbutton")->click();
    QPointer<profileReorderDialog> dialog = s.window.findChild<profileReorderDialog *>();
    QVERIFY(!timer->isActive());
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    deleteLaterNow();
    QVERIFY(!dialog);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2500);
    QCOMPARE(s.baseNames(), (QStringList{"P1", "P2", "P3", "P4"}));

    // Losing the base closes it, and polling goes on.
    s.button("reorderprofilespushbutton")->click();
    dialog = s.window.findChild<profileReorderDialog *>();
    QVERIFY(!timer->isActive());
    s.virtualBase().unplug();
    s.session.statusTick(); // the status request fails
    s.session.statusTick(); // the disconnected path closes the tracked dialogs
    deleteLaterNow();
    QVERIFY(!dialog);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2500);
}

void TestProfileManagement::addFromTemplate()
{
    Session s(baseWith(5, 1, 0));
    ProfileList templates;
    std::vector<profiles::ProfileDescription> descriptions;
    const auto forBase = profiles::ImportExport::forModel(s.session.link().modelIndex());
    QVERIFY(forBase.importFile(QLatin1String(profiles::kTemplateResource), QLatin1String(profiles::kTemplatesGroup),
                               templates, &descriptions));
    QVERIFY(templates.size() > 2);
    const int chosen = 2;

    s.prompts.onDialog = [&](QDialog *dialog) {
        auto *choice = dialog->findChild<QComboBox *>("templatecomboBox");
        for (int i = 0; i < int(templates.size()); ++i) {
            const QString longName = descriptions[std::size_t(i)].longname;
            if (choice->itemText(i) != (longName.isEmpty() ? profileName(*templates[std::size_t(i)]) : longName))
                return int(QDialog::Rejected);
        }
        choice->setCurrentIndex(chosen);
        if (dialog->findChild<QLabel *>("descriptionlabel")->text() != descriptions[chosen].descriptiondata
            || dialog->findChild<QLabel *>("creditslabel")->text() != descriptions[chosen].credits)
            return int(QDialog::Rejected);
        dialog->accept();
        return int(QDialog::Accepted);
    };
    s.button("addprofilespushButton")->click();

    QCOMPARE(s.prompts.dialogsRun, 1);
    QCOMPARE(int(s.base().ram.profileCount), 6); // accepted: the shown texts matched
    const basesim::ProfileRecord &added = s.base().ram.profiles[5];
    QCOMPARE(textOf(added.name), profileName(*templates[chosen]));
    QVERIFY(added.param == templates[chosen]->param);
    QCOMPARE(int(s.base().activeProfile), 5);
    QCOMPARE(s.box()->currentIndex(), 5);
    QCOMPARE(s.session.lastActivatedProfile(), 5);
    QVERIFY(s.window.findChildren<profiletemplateDialog *>().isEmpty());
}

void TestProfileManagement::exportImportRoundTripWithBackup()
{
    QTemporaryDir folder;
    Session s(baseWith(5, 1, 0));
    const QString backup = folder.filePath("profiles_autobackup.ini");
    const QString exported = folder.filePath("mine.ini");
    s.session.applier().setAutomaticBackupPath(backup);

    // A cancelled chooser writes nothing and says nothing.
    s.button("exportprofilespushbutton")->click();
    QCOMPARE(s.prompts.askedTitles, QStringList{"Save profiles to INI file"});
    QVERIFY(QDir(folder.path()).isEmpty());
    QVERIFY(s.statusLine()->text().isEmpty());

    // The backup before a flash save is silent.
    QVERIFY(s.session.applier().writeAutomaticBackup());
    QVERIFY(s.statusLine()->text().isEmpty());

    s.prompts.fileNames << exported;
    s.button("exportprofilespushbutton")->click();
    QCOMPARE(s.statusLine()->text(), QString("Profiles exported."));
    QFile backupFile(backup), exportedFile(exported);
    QVERIFY(backupFile.open(QIODevice::ReadOnly) && exportedFile.open(QIODevice::ReadOnly));
    QCOMPARE(backupFile.readAll(), exportedFile.readAll());

    s.prompts.fileNames << backup;
    s.button("importprofilespushbutton")->click();
    QCOMPARE(s.prompts.askedTitles.last(), QString("Open profiles INI file"));
    QCOMPARE(s.statusLine()->text(), QString("Profiles imported."));
    const QStringList twice{"P1", "P2", "P3", "P4", "P1", "P2", "P3", "P4"};
    QCOMPARE(s.baseNames(), twice);
    QCOMPARE(s.listNames(), twice);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(s.base().ram.profiles[std::size_t(i + 4)].param, s.base().ram.profiles[std::size_t(i)].param);
    QCOMPARE(s.box()->count(), 9);
}

void TestProfileManagement::listStopsAt256Profiles_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("startCount");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<bool>("refusalShown");

    QTest::newRow("copy at 256") << "copy" << 256 << 256 << true;
    QTest::newRow("copy at 255") << "copy" << 255 << 256 << false;
    QTest::newRow("add at 256") << "add" << 256 << 256 << true;
    QTest::newRow("import 3 at 254") << "import" << 254 << 256 << true;
    QTest::newRow("import 3 at 253") << "import" << 253 << 256 << false;
}

void TestProfileManagement::listStopsAt256Profiles()
{
    QFETCH(QString, operation);
    QFETCH(int, startCount);
    QFETCH(int, expectedCount);
    QFETCH(bool, refusalShown);

    QTemporaryDir folder;
    const QString file = folder.filePath("three.ini");
    {
        ProfileList three;
        for (const char *name : {"safe", "I1", "I2", "I3"}) {
            three.push_back(std::make_unique<profDataNew>());
            three.back()->setName(name);
        }
        QVERIFY(profiles::ImportExport(9500, true).exportFile(file, 4, three));
    }

    Session s(baseWith(startCount, 1, 0));
    const basesim::ProfileRecord safeProfile = s.base().ram.profiles[0];
    s.prompts.fileNames << file;
    if (operation == "copy")
        s.button("copyprofilepushButton")->click();
    else if (operation == "add")
        s.button("addprofilespushButton")->click();
    else
        s.button("importprofilespushbutton")->click();

    QCOMPARE(int(s.session.profiles().size()), expectedCount);
    QCOMPARE(int(s.base().ram.profileCount), expectedCount);
    QVERIFY(s.base().ram.profiles[0] == safeProfile);
    QCOMPARE(s.statusLine()->text().contains("at most 256 profiles"), refusalShown);
    if (operation == "add")
        QCOMPARE(s.prompts.dialogsRun, 0); // no templates offered without room for one
    if (operation == "import")
        QCOMPARE(textOf(s.base().ram.profiles[255].name), startCount == 254 ? QString("I2") : QString("I3"));
    if (startCount == 256)
        QCOMPARE(s.frames(kProfileValues) + s.frames(kProfileCount), 0);
}

void TestProfileManagement::importRestartsStatusTimerAtUsualPace_data()
{
    QTest::addColumn<QString>("content"); // null: the chooser is cancelled
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("written");

    QTest::newRow("cancelled") << QString() << QString() << 0;
    QTest::newRow("no profiles") << QString("[Veltrane2_Profiles_V2]\nProfile2\\name=gap\n") << "File is empty." << 0;
    QTest::newRow("two profiles")
        << QString("[Veltrane2_Profiles_V2]\nProfile1\\name=A\nProfile2\\name=B\n") << "Profiles imported." << 2;
}

void TestProfileManagement::importRestartsStatusTimerAtUsualPace()
{
    QFETCH(QString, content);
    QFETCH(QString, message);
    QFETCH(int, written);

    QTemporaryDir folder;
    QString path;
    if (!content.isNull()) {
        path = folder.filePath("import.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toLatin1());
    }
    Session s(baseWith(5, 1, 0));
    QTimer *timer = s.statusTimer();
    timer->start(2500); // any other pace: the import must bring back the usual one
    TimerWatchingPrompts watching(timer, path);
    s.prompts.delegate = &watching;
    s.button("importprofilespushbutton")->click();
    s.prompts.delegate = nullptr;

    QVERIFY(!watching.timerRanWhileOpen);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), BaseSession::kStatusIntervalMs);
    QCOMPARE(s.statusLine()->text(), message);
    QVERIFY(s.group()->loadSaveIndicatorRunning());
    QCOMPARE(s.frames(kProfileName), written);
    QCOMPARE(int(s.base().ram.profileCount), 5 + written);

    // The indicator's time-out clears the line.
    s.group()->loadSaveIndicatorTimeout();
    QVERIFY(s.statusLine()->text().isEmpty());
    QVERIFY(!s.group()->loadSaveIndicatorRunning());
}

void TestProfileManagement::cablePulledDuringChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("frameCode");
    QTest::addColumn<int>("nth");

    QTest::newRow("copy") << "copy" << int(kProfileValues) << 2;
    QTest::newRow("delete") << "delete" << int(kProfileValues) << 8;
    QTest::newRow("delete, at the count") << "delete" << int(kProfileCount) << 1;
    QTest::newRow("reorder") << "reorder" << int(kProfileValues) << 8;
    QTest::newRow("reorder, at the default") << "reorder" << int(kDefault) << 1;
    QTest::newRow("import") << "import" << int(kProfileValues) << 8;
}

void TestProfileManagement::cablePulledDuringChange()
{
    QFETCH(QString, operation);
    QFETCH(int, frameCode);
    QFETCH(int, nth);

    QTemporaryDir folder;
    Session s(baseWith(5, 2, 3));
    const QString file = folder.filePath("all.ini");
    QVERIFY(s.session.applier().exportProfiles(file));
    QByteArray before;
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        before = f.readAll();
    }
    s.prompts.fileNames << file;

    {
        s.cable.arm(std::uint8_t(frameCode), nth);
        if (operation == "copy") {
            s.button("copyprofilepushButton")->click();
        } else if (operation == "delete") {
            s.button("deleteprofilepushbutton")->click();
        } else if (operation == "import") {
            s.button("importprofilespushbutton")->click();
        } else {
            s.button("reorderprofilespushbutton")->click();
            auto *dialog = s.window.findChild<profileReorderDialog *>();
            dialog->profileListWidget()->insertItem(0, dialog->profileListWidget()->takeItem(3));
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            deleteLaterNow();
        }
        QVERIFY(!s.session.link().connected());
        s.cable.disarm();
    }
    QVERIFY(s.window.findChildren<profileReorderDialog *>().isEmpty());
    QVERIFY(s.statusTimer()->isActive());

    // Plugged in again, the tool takes the list from the base, whatever it heard.
    s.virtualBase().plug();
    s.session.statusTick();
    s.session.statusTick();
    QVERIFY(s.session.link().connected());
    QCOMPARE(int(s.session.profiles().size()), int(s.base().ram.profileCount));
    QCOMPARE(s.listNames(), s.baseNames());

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before); // the user's file is only ever read
}

void TestProfileManagement::interruptedListChangeLosesNoProfile_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("frameCode");
    QTest::addColumn<int>("nth");
    QTest::addColumn<bool>("changedMeanwhile");

    // On P1..P5 (P2 active): P5 moved to the top, P2 deleted, P2 copied, a template added,
    // or P1..P5 imported; the cable goes before each frame.
    const std::pair<const char *, int> codes[] = {{"values", kProfileValues}, {"name", kProfileName},
                                                  {"count", kProfileCount}, {"default", kDefault},
                                                  {"activate", kActivate}};
    for (const char *operation : {"reorder", "delete", "copy", "add", "import"}) {
        for (const auto &[name, code] : codes) {
            const int frames = code == kProfileValues ? 36 : code == kProfileName ? 6 : 2;
            for (int nth = 1; nth <= frames; ++nth)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2 frame %3").arg(operation, name).arg(nth)))
                    << QString(operation) << code << nth << false;
        }
    }
    // While the cable is out the base's own list changes: the change is not completed on
    // top of what the tool never saw; the list goes back to the backup's.
    QTest::newRow("reorder, changed meanwhile") << "reorder" << int(kProfileName) << 3 << true;
    QTest::newRow("delete, changed meanwhile") << "delete" << int(kProfileValues) << 8 << true;
    QTest::newRow("import, changed meanwhile") << "import" << int(kProfileName) << 2 << true;
}

namespace {

// Slots 1 .. count − 1 as name and values, to compare one list with another.
using ListShape = std::vector<std::pair<QString, std::vector<std::uint32_t>>>;

ListShape shapeOf(const basesim::SettingsStore &store)
{
    ListShape shape;
    for (std::size_t slot = 1; slot < store.profileCount; ++slot)
        shape.emplace_back(textOf(store.profiles[slot].name),
                           std::vector<std::uint32_t>(store.profiles[slot].param.begin(),
                                                      store.profiles[slot].param.end()));
    return shape;
}

// Runs one list operation through the window's buttons and dialogs.
void runListOperation(Session &s, const QString &operation, const QString &importFile)
{
    if (operation == "delete") {
        s.button("deleteprofilepushbutton")->click();
    } else if (operation == "copy") {
        s.button("copyprofilepushButton")->click();
    } else if (operation == "add") {
        s.button("addprofilespushButton")->click(); // the first template, accepted
    } else if (operation == "import") {
        s.prompts.fileNames << importFile;
        s.button("importprofilespushbutton")->click();
    } else {
        s.button("reorderprofilespushbutton")->click();
        auto *dialog = s.window.findChild<profileReorderDialog *>();
        dialog->profileListWidget()->insertItem(0, dialog->profileListWidget()->takeItem(4));
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        deleteLaterNow();
    }
}

} // namespace

void TestProfileManagement::interruptedListChangeLosesNoProfile()
{
    QFETCH(QString, operation);
    QFETCH(int, frameCode);
    QFETCH(int, nth);
    QFETCH(bool, changedMeanwhile);
    QTemporaryDir folder;
    const QString importFile = folder.filePath("five.ini");

    // The state meant: the same operation on a twin base, nothing cut.
    ListShape meant;
    {
        Session twin(baseWith(6, 2, 3));
        twin.session.applier().setAutomaticBackupPath(folder.filePath("twin_backup.ini"));
        QVERIFY(twin.session.applier().exportProfiles(importFile));
        runListOperation(twin, operation, importFile);
        meant = shapeOf(twin.base().ram);
    }

    Session s(baseWith(6, 2, 3));
    s.session.applier().setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
    const ListShape before = shapeOf(s.base().ram);
    QVERIFY(before != meant);
    const basesim::ProfileRecord safeProfile = s.base().ram.profiles[0];
    const ListShape flash = shapeOf(s.base().flash);

    s.cable.arm(std::uint8_t(frameCode), nth);
    runListOperation(s, operation, importFile);
    const bool cut = !s.session.link().connected();
    s.cable.disarm();
    // The list as it stood went to the backup before the base heard anything.
    QVERIFY(QFile::exists(folder.filePath("profiles_autobackup.ini")));
    if (cut) {
        // Known to be torn: saving it to flash is not offered.
        QVERIFY(!s.session.applier().saveEnabled());
        QVERIFY(s.session.applier().listTorn());
        if (changedMeanwhile)
            std::strcpy(s.base().ram.profiles[4].name.data(), "Elsewhere");
        s.virtualBase().plug();
        s.session.statusTick();
        s.session.statusTick();
        QVERIFY(s.session.link().connected());
        QVERIFY(!s.session.applier().listTorn());
        QCOMPARE(s.statusLine()->text(),
                 changedMeanwhile
                     ? QString("The profile change cut off by the lost connection could not be completed; "
                               "the profile list was restored from the automatic backup.")
                     : QString("The profile change cut off by the lost connection has been completed."));
    }
    const ListShape after = shapeOf(s.base().ram);
    if (!cut || !changedMeanwhile)
        QVERIFY2(after == meant, qPrintable(QStringList(s.baseNames()).join(' ')));
    else
        QVERIFY2(after == before, qPrintable(QStringList(s.baseNames()).join(' ')));
    QVERIFY(s.base().ram.profiles[0].param == safeProfile.param);
    QVERIFY(s.base().ram.profiles[0].name == safeProfile.name);
    QVERIFY(shapeOf(s.base().flash) == flash);
    QCOMPARE(s.listNames(), s.baseNames());
    QCOMPARE(int(s.session.status().activeProfile), int(s.base().activeProfile));
    QCOMPARE(int(s.session.status().defaultProfile), int(s.base().ram.defaultProfile));
}

void TestProfileManagement::interruptedApplyCompletesAfterReconnection_data()
{
    QTest::addColumn<int>("frameCode");
    QTest::addColumn<int>("nth");
    QTest::addColumn<bool>("sameBase");

    // The bump-stop strength (frame 1) arrives, its enable bit (frame 2) does not.
    QTest::newRow("hardware, second frame") << int(kHardwareValues) << 2 << true;
    QTest::newRow("profile, second value frame") << int(kProfileValues) << 2 << true;
    QTest::newRow("profile, name frame") << int(kProfileName) << 1 << true;
    QTest::newRow("another base plugged in") << int(kHardwareValues) << 2 << false;
}

void TestProfileManagement::interruptedApplyCompletesAfterReconnection()
{
    QFETCH(int, frameCode);
    QFETCH(int, nth);
    QFETCH(bool, sameBase);
    Session s(baseWith(4, 2, 0));
    SettingsApplier &applier = s.session.applier();
    s.window.findChild<QSlider *>("bumbstopstrengthhorizontalSlider")->setValue(0);
    applier.autoApplySettings();
    QVERIFY(!applier.settingsChanged());
    QCOMPARE(s.base().ram.hardware.word[14] & 2u, 0u);

    s.window.findChild<QSlider *>("bumbstopstrengthhorizontalSlider")->setValue(50);
    s.window.findChild<QSlider *>("sinehorizontalSlider")->setValue(150);
    s.window.findChild<QSlider *>("simplesmoothnesshorizontalSlider")->setValue(4);
    const profDataNew meant = *s.session.profiles()[2];
    s.cable.arm(std::uint8_t(frameCode), nth);
    applier.autoApplySettings();
    s.cable.disarm();
    QVERIFY(!s.session.link().connected());
    // Not all of it reached the base: still pending.
    QVERIFY(applier.settingsChanged());
    QVERIFY(!applier.saveEnabled());

    if (sameBase)
        s.virtualBase().plug();
    else {
        // Of the same model; its own wheel centre tells it apart.
        s.virtualBase().plugAs(ModelCendra);
        s.base().ram.hardware.word[16] += 1234;
    }
    const basesim::SettingsStore pluggedIn = s.base().ram;
    s.session.statusTick(); // no base yet: told twice that it is gone
    s.session.statusTick();
    s.session.wheelTick();
    QVERIFY(s.session.link().connected());
    applier.autoApplySettings();
    s.virtualBase().update();

    const basesim::SettingsStore &ram = s.base().ram;
    if (!sameBase) {
        // Meant for the base that went: nothing of it reaches this one.
        QVERIFY(!applier.settingsChanged());
        QVERIFY(ram.hardware.word == pluggedIn.hardware.word);
        QVERIFY(ram.profiles[2].param == pluggedIn.profiles[2].param);
        return;
    }
    QVERIFY(!applier.settingsChanged());
    QCOMPARE(ram.hardware.word[8], 50u);
    QCOMPARE(ram.hardware.word[14] & 2u, 2u);
    QVERIFY(ram.profiles[2].param == meant.param);
    QCOMPARE(textOf(ram.profiles[2].name), profileName(meant));
    QVERIFY(s.session.profiles()[2]->param == meant.param);
}

QTEST_MAIN(TestProfileManagement)
#include "tst_profilemanagement.moc"
