// The real window against the virtual base, cycle after cycle: one operation (reorder,
// delete, copy, add, import, apply an edit, save to flash, reload from flash) with one
// fault at a random frame (unplug, failing write or read, another base plugged in,
// silence, a flood of foreign or game reports, late replies), or an export with a fault
// of the target file. After each cycle the base must hold the state before or the state
// meant, profile 0 untouched, the flash as it was (after a save: as it was or as meant,
// never a mix), the window must show what the base holds, and nothing may have been sent
// nor saving offered while the flash delay ran. An export either wrote a whole file that
// imports back to the base's profiles or said it failed and left the target as it was.
//
// The flash delay's timer never fires here: the virtual base's clock is moved on by the
// delay and its expiry is run by hand, so a cycle costs no waiting.
//
// VT2_SOAK_SECONDS bounds the run (default 20), VT2_SOAK_SEED picks the sequence (default
// from the clock; printed), VT2_SOAK_CYCLE runs one cycle of that sequence alone.

#include "basesim/virtualbase.h"
#include "session/basesession.h"
#include "settings/profileimportexport.h"
#include "settings/profilename.h"
#include "settings/profilelist.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/dialogs/profilereorderdialog.h"
#include "ui/mw2.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

enum class Fault { Unplug, FailWrite, FailRead, OtherBase, Silence, ForeignFlood, GameFlood, LateReplies, Count };
enum class Operation { Reorder, Delete, Copy, Add, Import, Apply, Save, Reload, Export, Count };
// What stands where an export is to go.
enum class FileFault { None, EarlierFile, FolderGone, FileInFoldersPlace, FolderInFilesPlace, Device, ReadOnlyFolder, Count };

const char *faultName(Fault fault)
{
    static const char *const names[] = {"unplug", "failing write", "failing read", "another base",
                                        "silence", "flood of foreign reports", "flood of game reports",
                                        "late replies"};
    return names[int(fault)];
}

const char *operationName(Operation operation)
{
    static const char *const names[] = {"reorder", "delete", "copy", "add", "import", "apply",
                                        "save to flash", "reload from flash", "export"};
    return names[int(operation)];
}

const char *fileFaultName(FileFault fault)
{
    static const char *const names[] = {"a fresh file", "an earlier file", "a folder that is gone",
                                        "a file in the folder's place", "a folder in the file's place",
                                        "a device", "a read-only folder"};
    return names[int(fault)];
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
    bool applyBeforeSave = false; // else the save applies the pending edit itself
    FileFault fileFault = FileFault::None;
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
    plan.applyBeforeSave = std::uniform_int_distribution<int>(0, 1)(random) == 1;
    plan.fileFault = FileFault(std::uniform_int_distribution<int>(0, int(FileFault::Count) - 1)(random));
    return plan;
}

// Notes a button becoming clickable while the flash delay runs.
class OfferedDuringFlashDelay final : public QObject {
public:
    OfferedDuringFlashDelay(QPushButton *button, DeviceLink &link) : link_(link) { button->installEventFilter(this); }
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && static_cast<QWidget *>(watched)->isEnabled()
            && link_.gate().flashDelayRunning())
            seen = true;
        return false;
    }

private:
    DeviceLink &link_;
};

// Every file and folder below `root` with its content, to see what an export left behind.
QMap<QString, QByteArray> treeOf(const QString &root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        tree.insert(QDir(root).relativeFilePath(path),
                    it.fileInfo().isDir() ? QByteArray("<folder>")
                                          : (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>")));
    }
    return tree;
}

// Sets up what stands where the export goes and answers the path the user picks.
QString exportTarget(FileFault fault, const QString &folder)
{
    const auto writeFile = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    };
    switch (fault) {
    case FileFault::EarlierFile:
        writeFile(folder + "/export.ini", "[Notes]\nkept=1\n[Veltrane2_Profiles_V2]\nProfile1\\name=Old\n");
        return folder + "/export.ini";
    case FileFault::FolderGone:
        return folder + "/gone/export.ini";
    case FileFault::FileInFoldersPlace:
        writeFile(folder + "/profiles", "not a folder");
        return folder + "/profiles/export.ini";
    case FileFault::FolderInFilesPlace:
        QDir(folder).mkdir("export.ini");
        return folder + "/export.ini";
    case FileFault::Device:
        return QStringLiteral("/dev/full");
    case FileFault::ReadOnlyFolder:
        QDir(folder).mkdir("locked");
        QFile::setPermissions(folder + "/locked", QFile::ReadOwner | QFile::ExeOwner);
        return folder + "/locked/export.ini";
    default:
        return folder + "/export.ini";
    }
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
        // RAM holds names the flash lacks, and the base says so.
        base_->state().setFlag(wire::Unsaved, true);
        session.applier().setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
        session.start();
        session.statusTick();
        session.statusTick();
        session.wheelTick();
    }

    basesim::VirtualBase &base() { return *base_; }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(name); }
    QComboBox *box() { return window.findChild<QComboBox *>("selectprofilecomboBox"); }

    void run(const Plan &plan, const QString &importFile, const QString &exportFile = QString())
    {
        OfferedDuringFlashDelay saveWatch(button("SaveToFlashButton"), session.link());
        OfferedDuringFlashDelay reloadWatch(button("ReloadFlashButton"), session.link());
        operate(plan, importFile, exportFile);
        passFlashDelay();
        saveOfferedDuringFlashDelay |= saveWatch.seen;
        reloadOfferedDuringFlashDelay |= reloadWatch.seen;
    }

    QLabel *statusLine() { return window.findChild<QLabel *>("importexportstatuslabel"); }

    // What went wrong while the flash delay ran.
    int sentDuringFlashDelay = 0;
    bool saveOfferedDuringFlashDelay = false;
    bool reloadOfferedDuringFlashDelay = false;
    bool flashDelayRan = false;
    // Whether the button could be clicked when the operation began.
    bool offered = true;
    QString exportReport;

private:
    // The timers and an impatient user go on while the base writes or reloads its flash;
    // none of it may reach the base. Then the delay's end, as its timer would bring it.
    void passFlashDelay()
    {
        DeviceLink &link = session.link();
        if (!link.gate().flashDelayRunning())
            return;
        flashDelayRan = true;
        const int before = cable.written();
        for (int round = 0; round < 2; ++round) {
            clock_.advance(1000);
            base_->update();
            session.statusTick();
            session.wheelTick();
            session.applier().autoApplySettings();
            window.settingschangedblink();
            if (box()->count() > 1)
                box()->setCurrentIndex((box()->currentIndex() + 1) % box()->count());
            saveOfferedDuringFlashDelay |= button("SaveToFlashButton")->isEnabled();
            reloadOfferedDuringFlashDelay |= button("ReloadFlashButton")->isEnabled();
            button("SaveToFlashButton")->click();
            button("ReloadFlashButton")->click();
        }
        sentDuringFlashDelay = cable.written() - before;
        clock_.advance(kFlashSaveDelayMs);
        base_->update();
        session.flashDelayElapsed();
    }

    void operate(const Plan &plan, const QString &importFile, const QString &exportFile)
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
        case Operation::Save:
            window.findChild<QSlider *>("sinehorizontalSlider")->setValue(plan.sine);
            window.findChild<QSlider *>("bumbstopstrengthhorizontalSlider")->setValue(plan.bumpStop);
            if (plan.applyBeforeSave)
                session.applier().autoApplySettings();
            offered = button("SaveToFlashButton")->isEnabled();
            button("SaveToFlashButton")->click();
            break;
        case Operation::Reload:
            offered = button("ReloadFlashButton")->isEnabled();
            button("ReloadFlashButton")->click();
            break;
        case Operation::Export:
            prompts.fileNames << exportFile;
            button("exportprofilespushbutton")->click();
            exportReport = statusLine()->text();
            break;
        case Operation::Count:
            break;
        }
    }

public:

    // What the cable's fault left behind is cleared; the tool reconnects as its timers would.
    void settle()
    {
        basesim::Faults &faults = base_->faults();
        faults = basesim::Faults{};
        if (!base_->plugged())
            base_->plug();
        for (int tick = 0; tick < 4 && !(session.link().connected() && session.profiles().size() > 0); ++tick)
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
    static QString checkWindowInStep(Rig &rig);
    static QString checkExport(Rig &rig, FileFault fault, const QString &target,
                               const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after);
};

QString TestSoak::runCycle(std::uint64_t seed, int cycle)
{
    const Plan plan = planFor(seed, cycle);
    QTemporaryDir files;
    const QString importFile = files.filePath("import.ini");

    // The state meant: the same operation without a fault.
    Snapshot meant;
    Snapshot meantFlash;
    int frames = 0;
    {
        Rig twin(plan.config);
        if (!twin.session.applier().exportProfiles(importFile))
            return QStringLiteral("the import file was not written");
        twin.base().clearReceivedFrames();
        twin.cable.arm(Fault::Unplug, 0);
        QDir(twin.folder.path()).mkdir("exports");
        twin.run(plan, importFile, exportTarget(FileFault::None, twin.folder.filePath("exports")));
        twin.base().update();
        frames = twin.cable.written();
        meant = snapshotOf(twin.base().state().ram);
        meantFlash = snapshotOf(twin.base().state().flash);
        if (!twin.offered)
            return QStringLiteral("the operation was not offered on a sound cable");
        if ((plan.operation == Operation::Save || plan.operation == Operation::Reload) && !twin.flashDelayRan)
            return QStringLiteral("no flash delay ran on a sound cable");
        // The base saves what it runs, edit included, and a reload runs what the flash holds.
        if ((plan.operation == Operation::Save || plan.operation == Operation::Reload) && !(meant == meantFlash))
            return QStringLiteral("after a %1 on a sound cable the base runs other settings than its flash holds")
                .arg(QLatin1String(operationName(plan.operation)));
    }

    Rig rig(plan.config);
    const Snapshot before = snapshotOf(rig.base().state().ram);
    const basesim::ProfileRecord safeProfile = rig.base().state().ram.profiles[0];
    const basesim::ProfileRecord safeProfileInFlash = rig.base().state().flash.profiles[0];
    const Snapshot flash = snapshotOf(rig.base().state().flash);
    const int at = 1 + int(plan.where * std::max(frames, 1));
    const QString exports = rig.folder.filePath("exports");
    QDir(rig.folder.path()).mkdir("exports");
    const QString exportFile = exportTarget(plan.fileFault, exports);
    const QMap<QString, QByteArray> exportsBefore = treeOf(exports);
    rig.cable.arm(plan.fault, at);
    rig.run(plan, importFile, exportFile);
    rig.cable.disarm();
    const bool otherBase = plan.fault == Fault::OtherBase && rig.cable.fired();
    const Snapshot pluggedIn = snapshotOf(rig.base().state().ram);
    const Snapshot flashPluggedIn = snapshotOf(rig.base().state().flash);

    if (rig.sentDuringFlashDelay > 0)
        return QStringLiteral("%1 frame(s) went out while the flash delay ran").arg(rig.sentDuringFlashDelay);
    if (rig.saveOfferedDuringFlashDelay)
        return QStringLiteral("saving was offered while the flash delay ran");
    if (rig.reloadOfferedDuringFlashDelay)
        return QStringLiteral("reloading was offered while the flash delay ran");
    if (plan.operation == Operation::Export) {
        const QString failure = checkExport(rig, plan.fileFault, exportFile, exportsBefore, treeOf(exports));
        if (!failure.isEmpty())
            return failure;
    }
    rig.settle();

    const basesim::BaseState &state = rig.base().state();
    const Snapshot after = snapshotOf(state.ram);
    const Snapshot flashAfter = snapshotOf(state.flash);
    if (!rig.session.link().connected())
        return QStringLiteral("not connected again");
    if (otherBase) {
        // The base plugged in mid-way hears nothing meant for the one that went.
        if (!(after == pluggedIn))
            return QStringLiteral("the other base was changed");
        if (!(flashAfter == flashPluggedIn))
            return QStringLiteral("the other base's flash was changed");
    } else {
        if (!(after == before) && !(after == meant))
            return QStringLiteral("the base holds neither the state before nor the state meant");
        // Only a save writes the flash, and then all of what was meant or nothing.
        if (!(flashAfter == flash) && !(plan.operation == Operation::Save && flashAfter == meantFlash))
            return plan.operation == Operation::Save
                ? QStringLiteral("the flash holds neither the state before nor the state meant")
                : QStringLiteral("the flash changed");
        if (state.ram.profiles[0].param != safeProfile.param || state.ram.profiles[0].name != safeProfile.name)
            return QStringLiteral("profile 0 changed");
        if (state.flash.profiles[0].param != safeProfileInFlash.param
            || state.flash.profiles[0].name != safeProfileInFlash.name)
            return QStringLiteral("profile 0 changed in the flash");
    }
    return checkWindowInStep(rig);
}

QString TestSoak::checkWindowInStep(Rig &rig)
{
    const basesim::BaseState &state = rig.base().state();
    QStringList shown, held;
    for (int i = 0; i < rig.box()->count(); ++i)
        shown << rig.box()->itemText(i);
    for (std::size_t slot = 0; slot < state.ram.profileCount; ++slot)
        held << textOf(state.ram.profiles[slot].name);
    if (shown != held)
        return QStringLiteral("the profile box shows %1, the base holds %2").arg(shown.join(' '), held.join(' '));
    if (rig.box()->currentIndex() != int(state.activeProfile))
        return QStringLiteral("the box selects %1, the base runs %2").arg(rig.box()->currentIndex()).arg(state.activeProfile);
    // The records behind the controls, not only the names in the box.
    const ProfileList &records = rig.session.profiles();
    for (std::size_t slot = 1; slot < state.ram.profileCount && slot < records.size(); ++slot)
        if (!std::equal(records[slot]->param.begin() + 1, records[slot]->param.end(),
                        state.ram.profiles[slot].param.begin() + 1))
            return QStringLiteral("the tool's profile %1 differs from the base's").arg(slot);
    if (rig.session.applier().listTorn())
        return QStringLiteral("the list is still marked torn");
    const bool saveShown = rig.button("SaveToFlashButton")->isEnabled();
    if (saveShown != state.hasFlag(wire::Unsaved))
        return saveShown ? QStringLiteral("saving is offered with nothing unsaved")
                         : QStringLiteral("saving is not offered with settings unsaved");
    return QString();
}

QString TestSoak::checkExport(Rig &rig, FileFault fault, const QString &target,
                              const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    const QString report = rig.exportReport;
    const bool exported = report == QLatin1String("Profiles exported.");
    if (!exported && !report.startsWith(QLatin1String("Profiles could not be exported: ")))
        return QStringLiteral("the export reported \"%1\"").arg(report);
    const bool mustWork = fault == FileFault::None || fault == FileFault::EarlierFile;
    const bool mustFail = !mustWork && fault != FileFault::ReadOnlyFolder;
    if (exported && mustFail)
        return QStringLiteral("an export to %1 claimed success").arg(QLatin1String(fileFaultName(fault)));
    if (!exported && mustWork)
        return QStringLiteral("an export to %1 failed: %2").arg(QLatin1String(fileFaultName(fault)), report);
    if (!exported) {
        if (after != before)
            return QStringLiteral("a failed export changed what was there");
        return QString();
    }
    // Whole: every profile of the base comes back, word for word, and nothing else.
    ProfileList read;
    const basesim::BaseState &state = rig.base().state();
    if (!profiles::ImportExport::forModel(rig.session.link().modelIndex())
             .importFile(target, QLatin1String(profiles::kProfilesGroup), read))
        return QStringLiteral("the exported file does not import");
    ListShape imported;
    for (const auto &record : read)
        imported.emplace_back(profileName(*record),
                              std::vector<std::uint32_t>(record->param.begin() + 1, record->param.end()));
    ListShape held;
    for (std::size_t slot = 1; slot < state.ram.profileCount; ++slot)
        held.emplace_back(textOf(state.ram.profiles[slot].name),
                          std::vector<std::uint32_t>(state.ram.profiles[slot].param.begin() + 1,
                                                     state.ram.profiles[slot].param.end()));
    if (imported != held)
        return QStringLiteral("the exported file imports back as %1 profile(s) that differ from the base's %2")
            .arg(imported.size())
            .arg(held.size());
    // Beside the file nothing is left over (no half-written temporary).
    const QString written = QDir(rig.folder.filePath("exports")).relativeFilePath(target);
    QMap<QString, QByteArray> others = after;
    QMap<QString, QByteArray> earlier = before;
    others.remove(written);
    earlier.remove(written);
    if (others != earlier)
        return QStringLiteral("the export left other files behind");
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
    std::array<int, std::size_t(Operation::Count)> perOperation{};
    for (int cycle = only >= 0 ? only : 0; only >= 0 ? cycle == only : clock.elapsed() < seconds * 1000; ++cycle) {
        const Plan plan = planFor(seed, cycle);
        const QString failure = runCycle(seed, cycle);
        ++cycles;
        ++perOperation[std::size_t(plan.operation)];
        if (!failure.isEmpty())
            QFAIL(qPrintable(QStringLiteral("cycle %1 (%2 with %3): %4 -- VT2_SOAK_SEED=%5 VT2_SOAK_CYCLE=%1")
                                 .arg(cycle)
                                 .arg(QLatin1String(operationName(plan.operation)),
                                      QLatin1String(plan.operation == Operation::Export ? fileFaultName(plan.fileFault)
                                                                                        : faultName(plan.fault)),
                                      failure)
                                 .arg(seed)));
    }
    QStringList tally;
    for (int operation = 0; operation < int(Operation::Count); ++operation)
        tally << QStringLiteral("%1 %2").arg(perOperation[std::size_t(operation)]).arg(QLatin1String(operationName(Operation(operation))));
    // Past the test's message limit (the session logs a lot), so straight to the output.
    std::printf("soak: %d cycles clean (%s)\n", cycles, qPrintable(tally.join(", ")));
    QVERIFY(cycles > 0);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
