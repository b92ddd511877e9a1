// The real window against the virtual base, cycle after cycle: one operation (reorder,
// delete, copy, add, import, apply an edit) with one fault at a random frame (unplug,
// failing write or read, another base plugged in, silence, a flood of foreign or game
// reports, late replies). After each cycle the base must hold the state before or the
// state meant, profile 0 and the flash untouched, and the window must show what the base
// holds.
//
// VT2_SOAK_SECONDS bounds the run (default 20), VT2_SOAK_SEED picks the sequence (default
// from the clock; printed), VT2_SOAK_CYCLE runs one cycle of that sequence alone.

#include "basesim/virtualbase.h"
#include "session/basesession.h"
#include "settings/profilename.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/dialogs/profilereorderdialog.h"
#include "ui/mw2.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <random>

namespace {

enum class Fault { Unplug, FailWrite, FailRead, OtherBase, Silence, ForeignFlood, GameFlood, LateReplies, Count };
enum class Operation { Reorder, Delete, Copy, Add, Import, Apply, Count };

const char *faultName(Fault fault)
{
    static const char *const names[] = {"unplug", "failing write", "failing read", "another base",
                                        "silence", "flood of foreign reports", "flood of game reports",
                                        "late replies"};
    return names[int(fault)];
}

const char *operationName(Operation operation)
{
    static const char *const names[] = {"reorder", "delete", "copy", "add", "import", "apply"};
    return names[int(operation)];
}

// Between the tool and the base: counts the frames written and, at the armed one, brings
// the fault about.
class FaultyCable final : public hid::Backend {
public:
    explicit FaultyCable(basesim::VirtualBase &base) : base_(&base) {}

    void arm(Fault fault, int frame)
    {
        fault_ = fault;
        armedAt_ = frame;
        written_ = 0;
    }
    // A read fault the operation never came to is not left for the next one.
    void disarm()
    {
        armedAt_ = 0;
        failNextRead_ = false;
    }
    bool fired() const { return fired_; }
    int written() const { return written_; }

    int init() override { return base_->init(); }
    int exit() override { return base_->exit(); }
    hid::Device *open(std::uint16_t vendorId, std::uint16_t productId) override
    {
        return base_->open(vendorId, productId);
    }
    int setNonblocking(hid::Device *device, int nonblock) override { return base_->setNonblocking(device, nonblock); }
    int write(hid::Device *device, const std::uint8_t *data, std::size_t length) override
    {
        ++written_;
        if (armedAt_ > 0 && written_ == armedAt_) {
            fired_ = true;
            if (fault_ == Fault::FailWrite)
                return -1;
            bringAbout();
        }
        return base_->write(device, data, length);
    }
    int read(hid::Device *device, std::uint8_t *data, std::size_t length) override
    {
        if (failNextRead_) {
            failNextRead_ = false;
            return -1;
        }
        return base_->read(device, data, length);
    }
    void close(hid::Device *device) override { base_->close(device); }

private:
    void bringAbout()
    {
        basesim::Faults &faults = base_->faults();
        switch (fault_) {
        case Fault::Unplug:
            base_->unplug();
            break;
        case Fault::FailRead:
            failNextRead_ = true;
            break;
        case Fault::OtherBase:
            base_->plugAs(ModelCendra);
            base_->state().ram.hardware.word[16] += 777;
            break;
        case Fault::Silence:
            faults.dropReplies = true;
            break;
        case Fault::ForeignFlood:
            faults.foreignFloodForever = true;
            faults.foreignReportId = 0x05;
            break;
        case Fault::GameFlood:
            faults.foreignFloodForever = true;
            faults.foreignReportId = 0x04;
            break;
        case Fault::LateReplies:
            faults.replyLatencyMs = 400;
            break;
        default:
            break;
        }
    }

    basesim::VirtualBase *base_;
    Fault fault_ = Fault::Unplug;
    int armedAt_ = 0;
    int written_ = 0;
    bool fired_ = false;
    bool failNextRead_ = false;
};

QString textOf(const std::array<char, 32> &text)
{
    return QString::fromUtf8(text.data(), int(strnlen(text.data(), text.size())));
}

// Slots 1 .. count − 1 by name and values.
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

struct Snapshot {
    ListShape list;
    std::vector<std::uint32_t> hardware;
    bool operator==(const Snapshot &other) const { return list == other.list && hardware == other.hardware; }
};

Snapshot snapshotOf(const basesim::SettingsStore &store)
{
    return {shapeOf(store), std::vector<std::uint32_t>(store.hardware.word.begin(), store.hardware.word.end())};
}

// What one cycle does, drawn from its own generator so that a cycle replays alone.
struct Plan {
    basesim::BaseConfig config;
    Operation operation = Operation::Reorder;
    std::vector<int> order; // reorder: the new row of each row
    int sine = 0;
    int bumpStop = 0;
    Fault fault = Fault::Unplug;
    double where = 0; // the faulty frame, as a share of the frames the operation writes
};

Plan planFor(std::uint64_t seed, int cycle)
{
    std::mt19937_64 random(seed * 1000003u + std::uint64_t(cycle));
    Plan plan;
    plan.config = SessionFixture::operationalCendra();
    const int count = std::uniform_int_distribution<int>(3, 8)(random);
    plan.config.profileCount = std::uint16_t(count);
    plan.config.activeProfile = std::uint16_t(std::uniform_int_distribution<int>(1, count - 1)(random));
    plan.config.defaultProfile = std::uint16_t(std::uniform_int_distribution<int>(0, count - 1)(random));
    plan.operation = Operation(std::uniform_int_distribution<int>(0, int(Operation::Count) - 1)(random));
    for (int row = 0; row < count - 1; ++row)
        plan.order.push_back(row);
    std::shuffle(plan.order.begin(), plan.order.end(), random);
    plan.sine = std::uniform_int_distribution<int>(0, 200)(random);
    plan.bumpStop = std::uniform_int_distribution<int>(0, 100)(random);
    plan.fault = Fault(std::uniform_int_distribution<int>(0, int(Fault::Count) - 1)(random));
    plan.where = std::uniform_real_distribution<double>(0.0, 1.0)(random);
    return plan;
}

// One window on one virtual base, settings answered so no start-up question waits.
class Rig {
public:
    explicit Rig(const basesim::BaseConfig &config)
        : base_(std::make_unique<basesim::VirtualBase>(config)), cable(*base_),
          session(cable, SessionOptions{QStringLiteral("1.0.15"), 0}), window(session, prompts, "1.0.15", "2020.1")
    {
        QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15");
        QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsentVersion", 1);
        QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsent", 2);
        basesim::SettingsStore &ram = base_->state().ram;
        for (int i = 1; i < config.profileCount; ++i) {
            std::strcpy(ram.profiles[std::size_t(i)].name.data(), qPrintable(QStringLiteral("P%1").arg(i)));
            ram.profiles[std::size_t(i)].param[3] = std::uint32_t(i);
        }
        session.applier().setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
        session.start();
        session.statusTick();
        session.statusTick();
        session.wheelTick();
    }

    basesim::VirtualBase &base() { return *base_; }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(name); }
    QComboBox *box() { return window.findChild<QComboBox *>("selectprofilecomboBox"); }

    void run(const Plan &plan, const QString &importFile)
    {
        switch (plan.operation) {
        case Operation::Reorder: {
            button("reorderprofilespushbutton")->click();
            auto *dialog = window.findChild<profileReorderDialog *>();
            if (!dialog)
                return;
            QListWidget *rows = dialog->profileListWidget();
            std::vector<QListWidgetItem *> items;
            while (rows->count() > 0)
                items.push_back(rows->takeItem(0));
            std::vector<QListWidgetItem *> arranged(items.size());
            for (std::size_t row = 0; row < items.size() && row < plan.order.size(); ++row)
                arranged[std::size_t(plan.order[row])] = items[row];
            for (QListWidgetItem *item : arranged)
                rows->addItem(item);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            break;
        }
        case Operation::Delete:
            button("deleteprofilepushbutton")->click();
            break;
        case Operation::Copy:
            button("copyprofilepushButton")->click();
            break;
        case Operation::Add:
            button("addprofilespushButton")->click();
            break;
        case Operation::Import:
            prompts.fileNames << importFile;
            button("importprofilespushbutton")->click();
            break;
        case Operation::Apply:
            window.findChild<QSlider *>("sinehorizontalSlider")->setValue(plan.sine);
            window.findChild<QSlider *>("bumbstopstrengthhorizontalSlider")->setValue(plan.bumpStop);
            session.applier().autoApplySettings();
            break;
        case Operation::Count:
            break;
        }
    }

    // What the cable's fault left behind is cleared; the tool reconnects as its timers would.
    void settle()
    {
        basesim::Faults &faults = base_->faults();
        faults = basesim::Faults{};
        if (!base_->plugged())
            base_->plug();
        for (int tick = 0; tick < 4 && !(session.link().connected && session.profiles().size() > 0); ++tick)
            session.statusTick();
        session.statusTick();
        session.wheelTick();
        session.applier().autoApplySettings();
        base_->update();
    }

    QTemporaryDir folder;

private:
    ManualClock clock_;
    std::unique_ptr<basesim::VirtualBase> base_;

public:
    FaultyCable cable;
    BaseSession session;
    ScriptedPrompts prompts;
    MW2 window;
};

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void everyOperationSurvivesAFaultAtAnyFrame();

private:
    // Empty when the cycle ended as it must; else what went wrong.
    QString runCycle(std::uint64_t seed, int cycle);
};

QString TestSoak::runCycle(std::uint64_t seed, int cycle)
{
    const Plan plan = planFor(seed, cycle);
    QTemporaryDir files;
    const QString importFile = files.filePath("import.ini");

    // The state meant: the same operation without a fault.
    Snapshot meant;
    int frames = 0;
    {
        Rig twin(plan.config);
        if (!twin.session.applier().exportProfiles(importFile))
            return QStringLiteral("the import file was not written");
        twin.base().clearReceivedFrames();
        twin.cable.arm(Fault::Unplug, 0);
        twin.run(plan, importFile);
        twin.base().update();
        frames = twin.cable.written();
        meant = snapshotOf(twin.base().state().ram);
    }

    Rig rig(plan.config);
    const Snapshot before = snapshotOf(rig.base().state().ram);
    const basesim::ProfileRecord safeProfile = rig.base().state().ram.profiles[0];
    const Snapshot flash = snapshotOf(rig.base().state().flash);
    const int at = 1 + int(plan.where * std::max(frames, 1));
    rig.cable.arm(plan.fault, at);
    rig.run(plan, importFile);
    rig.cable.disarm();
    const bool otherBase = plan.fault == Fault::OtherBase && rig.cable.fired();
    const Snapshot pluggedIn = snapshotOf(rig.base().state().ram);
    rig.settle();

    const basesim::BaseState &state = rig.base().state();
    const Snapshot after = snapshotOf(state.ram);
    if (!rig.session.link().connected)
        return QStringLiteral("not connected again");
    if (otherBase) {
        // The base plugged in mid-way hears nothing meant for the one that went.
        if (!(after == pluggedIn))
            return QStringLiteral("the other base was changed");
    } else {
        if (!(after == before) && !(after == meant))
            return QStringLiteral("the base holds neither the state before nor the state meant");
        if (!(snapshotOf(state.flash) == flash))
            return QStringLiteral("the flash changed");
        if (state.ram.profiles[0].param != safeProfile.param || state.ram.profiles[0].name != safeProfile.name)
            return QStringLiteral("profile 0 changed");
    }
    // The window in step with the base.
    QStringList shown, held;
    for (int i = 0; i < rig.box()->count(); ++i)
        shown << rig.box()->itemText(i);
    for (std::size_t slot = 0; slot < state.ram.profileCount; ++slot)
        held << textOf(state.ram.profiles[slot].name);
    if (shown != held)
        return QStringLiteral("the profile box shows %1, the base holds %2").arg(shown.join(' '), held.join(' '));
    if (rig.box()->currentIndex() != int(state.activeProfile))
        return QStringLiteral("the box selects %1, the base runs %2").arg(rig.box()->currentIndex()).arg(state.activeProfile);
    if (rig.session.applier().listTorn())
        return QStringLiteral("the list is still marked torn");
    return QString();
}

void TestSoak::everyOperationSurvivesAFaultAtAnyFrame()
{
    const int seconds = envInt("VT2_SOAK_SECONDS", 20);
    const std::uint64_t seed = qEnvironmentVariableIsSet("VT2_SOAK_SEED")
                                   ? qEnvironmentVariable("VT2_SOAK_SEED").toULongLong()
                                   : std::uint64_t(QDateTime::currentMSecsSinceEpoch());
    const int only = envInt("VT2_SOAK_CYCLE", -1);
    qInfo("soak seed %llu (VT2_SOAK_SEED=%llu VT2_SOAK_CYCLE=<n> replays a cycle)",
          static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));

    QElapsedTimer clock;
    clock.start();
    int cycles = 0;
    for (int cycle = only >= 0 ? only : 0; only >= 0 ? cycle == only : clock.elapsed() < seconds * 1000; ++cycle) {
        const Plan plan = planFor(seed, cycle);
        const QString failure = runCycle(seed, cycle);
        ++cycles;
        if (!failure.isEmpty())
            QFAIL(qPrintable(QStringLiteral("cycle %1 (%2 with %3): %4 -- VT2_SOAK_SEED=%5 VT2_SOAK_CYCLE=%1")
                                 .arg(cycle)
                                 .arg(QLatin1String(operationName(plan.operation)),
                                      QLatin1String(faultName(plan.fault)), failure)
                                 .arg(seed)));
    }
    qInfo("%d cycles clean", cycles);
    QVERIFY(cycles > 0);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
