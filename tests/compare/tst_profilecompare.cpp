// Profile compare: values shown as the editors show them, only real differences
// highlighted, and copies into a base profile that wait for the auto-apply's safety check
// like any edit. Profiles also come from INI files, whatever those hold.

#include "compare/comparedialog.h"
#include "compare/profilecomparison.h"
#include "settings/profileimportexport.h"
#include "settings/profilename.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>

#include <unistd.h>

namespace {

using Id = ProfileParameterId;
constexpr int kRamp = 10; // the virtual base's bump-stop ramp range

// A window connected to a virtual base whose profiles 1 and 2 differ in a few values.
struct Window {
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};

    explicit Window(const QString &programFolder = QString()) : fixture(SessionFixture::threeProfiles())
    {
        if (!programFolder.isEmpty())
            fixture.session.applier().setProgramFolder(programFolder);
        basesim::SettingsStore &ram = fixture.base->state().ram;
        std::strcpy(ram.profiles[1].name.data(), "Road");
        std::strcpy(ram.profiles[2].name.data(), "GT3");
        ram.profiles[2].param[std::size_t(Id::dxsinegain)] = 150;
        ram.profiles[2].param[std::size_t(Id::servo_damping)] = 81;
        ram.profiles[2].param[std::size_t(Id::steeringrange)] = 540;
        ram.profiles[2].param[std::size_t(Id::bumbstoprange)] = 30;
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        fixture.session.statusTick(); // connects and reloads
        fixture.session.statusTick();
        holdWheelAt(0);
    }

    basesim::SettingsStore &ram() { return fixture.base->state().ram; }
    profDataNew &profile(std::size_t index) { return *fixture.session.profiles().at(index); }

    void holdWheelAt(double degrees)
    {
        const double range = profile(1).param[std::size_t(Id::steeringrange)];
        fixture.base->state().holdWheel(std::uint16_t(std::lround((degrees + range / 2) * 65535 / range)));
        clock.advance(40);
        fixture.session.wheelTick();
    }

    CompareDialog *openCompare()
    {
        window.findChild<QPushButton *>("compareprofilespushButton")->click();
        auto *dialog = window.findChild<CompareDialog *>();
        if (!dialog)
            qFatal("the compare dialog did not open");
        return dialog;
    }
};

// A program folder no file can be created in, as an installed program's: read-only, and
// for the administrator, whom permission bits do not stop, a name a regular file holds.
QString unwritableProgramFolder(const QTemporaryDir &scratch)
{
    const QString folder = scratch.filePath("bin");
    if (::geteuid() == 0) {
        QFile file(folder);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("no file in the program folder's place");
        return folder;
    }
    if (!QDir().mkdir(folder)
        || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                              | QFile::ReadOther | QFile::ExeOther))
        qFatal("no read-only program folder");
    return folder;
}

QTableWidget *tableOf(CompareDialog *dialog) { return dialog->findChild<QTableWidget *>("comparetableWidget"); }

int rowOf(QTableWidget *table, int id)
{
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->data(Qt::UserRole).toInt() == id)
            return r;
    return -1;
}

QStringList highlightedRows(QTableWidget *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 1)->font().bold())
            rows << QString::fromLatin1(profileParameterName(table->item(r, 0)->data(Qt::UserRole).toInt()));
    return rows;
}

} // namespace

class TestProfileCompare : public QObject {
    Q_OBJECT

private slots:
    void valuesInEditorUnits_data();
    void valuesInEditorUnits();
    void onlyStoredDifferencesCount();
    void copyKeepsEditorRules();
    void dialogHighlightsDifferences();
    void copyAllGoesThroughAutoApply();
    void copyWaitsForSafeWheel();
    void targetsThatTakeNoValues();
    void profilesFromFiles();
    void backupOfAnInstalledProgram();
};

void TestProfileCompare::valuesInEditorUnits_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("drive damping in tenths") << int(Id::servo_damping) << 81u << "8.1%";
    QTest::newRow("drive damping off") << int(Id::servo_damping) << 0u << "Off";
    QTest::newRow("slew rate 0 is off") << int(Id::slewratelimit) << 0u << "Off";
    QTest::newRow("slew rate") << int(Id::slewratelimit) << 900u << "0.90";
    QTest::newRow("bandwidth choice") << int(Id::servo_torquebandwidth) << 11u << "Unlimited";
    QTest::newRow("bandwidth beyond the choices") << int(Id::servo_torquebandwidth) << 40u << "40";
    QTest::newRow("gamma") << int(Id::gamma) << 1500u << "1.50";
    QTest::newRow("static force reduction") << int(Id::staticforcereduction) << 7000u << "70%";
    QTest::newRow("end stop as lock-to-lock") << int(Id::bumbstoprange) << 30u << QString::fromUtf8("840° (lock-to-lock)");
    QTest::newRow("simple view") << int(Id::uibits) << 1u << "Simple";
    QTest::newRow("simple levels never set") << int(Id::simplesettings) << 0u
                                             << QString::fromUtf8("40%, 900°, Neutral, Neutral");
}

void TestProfileCompare::valuesInEditorUnits()
{
    QFETCH(int, id);
    QFETCH(quint32, stored);
    QFETCH(QString, shown);
    profDataNew profile; // steering range 900
    profile.param[std::size_t(id)] = stored;
    QCOMPARE(compare::valueText(id, profile, 9500), shown);
}

void TestProfileCompare::onlyStoredDifferencesCount()
{
    profDataNew left;
    profDataNew right;
    // Zero simple levels read as the default packing; uibits bits beyond the view are the record's own.
    right[Id::simplesettings] = 33686312;
    right[Id::uibits] = 0x100;
    right[Id::slewratelimit] = 9500; // shown "9.50", not the "Off" of 0
    right.setName("Other");
    QStringList differing;
    for (const compare::ComparedRow &row : compare::compareProfiles(left, right, 9500))
        if (row.differs)
            differing << row.parameter;
    QCOMPARE(differing, QStringList({"Name", "Slew rate limit (slewratelimit)"}));
}

void TestProfileCompare::copyKeepsEditorRules()
{
    profDataNew from;
    from[Id::bumbstoprange] = 300;
    from[Id::steeringrange] = 1080;
    from[Id::uibits] = 1;
    from[Id::dxsinegain] = 10;
    from.setName("Source");
    profDataNew to; // range 900: the end stop may reach 450 − 10
    to[Id::uibits] = 0x100;

    compare::CopyRules held{kRamp, false};
    // The range waits for a centred wheel; the end stop is limited by the range the record keeps.
    QCOMPARE(compare::copyRow(int(Id::steeringrange), from, to, held), compare::CopyOutcome::SteeringRangeHeld);
    QCOMPARE(to[Id::steeringrange], 900u);
    profDataNew narrow = to;
    narrow[Id::steeringrange] = 540;
    QCOMPARE(compare::copyRow(int(Id::bumbstoprange), from, narrow, held), compare::CopyOutcome::Copied);
    QCOMPARE(narrow[Id::bumbstoprange], 260u);

    const compare::CopyAllResult all = compare::copyDiffering(from, to, {kRamp, true});
    QVERIFY(all.held.empty());
    QCOMPARE(to[Id::steeringrange], 1080u);
    QCOMPARE(to[Id::bumbstoprange], 300u); // the new range leaves room for it
    QCOMPARE(to[Id::dxsinegain], 10u);
    QCOMPARE(to[Id::uibits], 0x101u); // the view bit only
    QCOMPARE(profileName(to), QString("New Profile")); // copy-all never renames
    QCOMPARE(compare::copyRow(compare::kNameRow, from, to, {kRamp, true}), compare::CopyOutcome::Copied);
    QCOMPARE(profileName(to), QString("Source"));
    QCOMPARE(compare::copyRow(compare::kNameRow, from, to, {kRamp, true}), compare::CopyOutcome::Unchanged);
}

void TestProfileCompare::dialogHighlightsDifferences()
{
    Window w;
    CompareDialog *dialog = w.openCompare();
    QTableWidget *table = tableOf(dialog);
    // The active profile against the next one.
    QCOMPARE(table->item(0, 1)->text(), QString("Road"));
    QCOMPARE(table->item(0, 2)->text(), QString("GT3"));
    QCOMPARE(highlightedRows(table),
             QStringList({"", "steeringrange", "bumbstoprange", "servo_damping", "dxsinegain"}));
    QCOMPARE(table->item(rowOf(table, int(Id::servo_damping)), 2)->text(), QString("8.1%"));
    QVERIFY(table->item(rowOf(table, int(Id::servo_damping)), 2)->background() != table->item(
                rowOf(table, int(Id::gamma)), 2)->background());
    // Same profile on both sides: nothing stands out.
    dialog->chooseBaseProfile(CompareDialog::Side::Right, 1);
    QVERIFY(highlightedRows(table).isEmpty());
    QCOMPARE(dialog->findChild<QLabel *>("differencelabel")->text(), QString("The two profiles are the same."));
    // A second click brings the same dialog forward.
    w.openCompare();
    QCOMPARE(w.window.findChildren<CompareDialog *>().size(), 1);
}

void TestProfileCompare::copyAllGoesThroughAutoApply()
{
    Window w;
    CompareDialog *dialog = w.openCompare();
    const int sentBefore = int(w.fixture.base->receivedFrames().size());
    dialog->copyAllDiffering(CompareDialog::Side::Left);
    // Nothing leaves the copy itself: the record waits, marked, for the apply.
    QCOMPARE(int(w.fixture.base->receivedFrames().size()), sentBefore);
    QVERIFY(w.profile(1).changed);
    QVERIFY(w.fixture.session.applier().settingsChanged());
    QCOMPARE(highlightedRows(tableOf(dialog)), QStringList({""}));

    w.fixture.session.applier().autoApplySettings();
    const basesim::ProfileRecord &onBase = w.ram().profiles[1];
    QCOMPARE(onBase.param[std::size_t(Id::dxsinegain)], 150u);
    QCOMPARE(onBase.param[std::size_t(Id::servo_damping)], 81u);
    QCOMPARE(onBase.param[std::size_t(Id::steeringrange)], 540u);
    QCOMPARE(onBase.param[std::size_t(Id::bumbstoprange)], 30u);
    QCOMPARE(QByteArray(onBase.name.data()), QByteArray("Road"));
    QVERIFY(!w.profile(1).changed);
}

void TestProfileCompare::copyWaitsForSafeWheel()
{
    Window w;
    CompareDialog *dialog = w.openCompare();
    QTableWidget *table = tableOf(dialog);

    // Off centre the steering range stays; the other values are copied.
    w.holdWheelAt(200);
    dialog->copyAllDiffering(CompareDialog::Side::Left);
    QCOMPARE(w.profile(1)[Id::steeringrange], 900u);
    QCOMPARE(w.profile(1)[Id::dxsinegain], 150u);
    QVERIFY(dialog->findChild<QLabel *>("messagelabel")->text().contains("within 30"));

    // In the bump-stop zone the auto-apply holds every copied value back.
    w.holdWheelAt(436);
    w.fixture.session.applier().autoApplySettings();
    QVERIFY(w.fixture.session.applier().unsafeToApply());
    QCOMPARE(w.ram().profiles[1].param[std::size_t(Id::dxsinegain)], 100u);

    w.holdWheelAt(0);
    w.fixture.session.applier().autoApplySettings();
    QCOMPARE(w.ram().profiles[1].param[std::size_t(Id::dxsinegain)], 150u);
    // Now centred, the range follows as a single value.
    dialog->copyRow(rowOf(table, int(Id::steeringrange)), CompareDialog::Side::Left);
    w.fixture.session.applier().autoApplySettings();
    QCOMPARE(w.ram().profiles[1].param[std::size_t(Id::steeringrange)], 540u);
}

void TestProfileCompare::targetsThatTakeNoValues()
{
    Window w;
    CompareDialog *dialog = w.openCompare();
    auto *toLeft = dialog->findChild<QPushButton *>("copyalltoleftpushButton");
    dialog->chooseBaseProfile(CompareDialog::Side::Left, 0);
    QVERIFY(!toLeft->isEnabled());
    QVERIFY(toLeft->toolTip().contains("safe profile"));
    const profDataNew safeBefore = w.profile(0);
    dialog->copyAllDiffering(CompareDialog::Side::Left);
    QVERIFY(w.profile(0).param == safeBefore.param);
    QVERIFY(!w.fixture.session.applier().settingsChanged());
}

void TestProfileCompare::profilesFromFiles()
{
    Window w;
    QTemporaryDir dir;
    const QString good = dir.filePath("good.ini");
    ProfileList written;
    written.push_back(std::make_unique<profDataNew>()); // the safe profile is never written
    written.push_back(std::make_unique<profDataNew>());
    written.back()->setName("From file");
    (*written.back())[Id::gamma] = 1500;
    QVERIFY(profiles::ImportExport::forModel(ModelCendra).exportFile(good, 2, written));

    const QString junk = dir.filePath("junk.ini");
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Veltrane2_Profiles_V2]\nProfile1\\gamma=@Variant(\\0\\0\\0\x7f\\0\\0)\n\xff\xfe\x00garbage");
    file.close();

    CompareDialog *dialog = w.openCompare();
    auto *message = dialog->findChild<QLabel *>("messagelabel");
    QVERIFY(!dialog->addProfilesFromFile(junk, "junk.ini"));
    QVERIFY(message->text().startsWith("No profiles could be read"));
    QVERIFY(!dialog->addProfilesFromFile(dir.filePath("missing.ini"), "missing.ini"));

    w.fixture.prompts.fileNames << good;
    dialog->findChild<QPushButton *>("openfilepushButton")->click();
    QTableWidget *table = tableOf(dialog);
    QCOMPARE(table->item(0, 2)->text(), QString("From file"));
    QCOMPARE(table->item(rowOf(table, int(Id::gamma)), 2)->text(), QString("1.50"));
    QVERIFY(table->item(rowOf(table, int(Id::gamma)), 2)->font().bold());
    // A file's profile is only a source.
    QVERIFY(!dialog->findChild<QPushButton *>("copyalltorightpushButton")->isEnabled());
    dialog->copyRow(rowOf(table, int(Id::gamma)), CompareDialog::Side::Left);
    QCOMPARE(w.profile(1)[Id::gamma], 1500u);

    // No backup before the first save.
    w.fixture.session.applier().setAutomaticBackupPath(dir.filePath("profiles_autobackup.ini"));
    dialog->findChild<QPushButton *>("backuppushButton")->click();
    QVERIFY(message->text().contains("no automatic backup"));
    QVERIFY(w.fixture.session.applier().writeAutomaticBackup());
    dialog->findChild<QPushButton *>("backuppushButton")->click();
    QVERIFY(message->text().contains("read from"));
}

void TestProfileCompare::backupOfAnInstalledProgram()
{
    // The save writes the backup to the per-user data folder, and the compare reads it there.
    QTemporaryDir scratch;
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath("share")));
    const QString program = unwritableProgramFolder(scratch);
    Window w(program);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(dataFolder.startsWith(scratch.filePath("share")));
    const QString backup = dataFolder + "/profiles_autobackup.ini";
    QCOMPARE(w.fixture.session.applier().automaticBackupPath(), backup);

    std::strcpy(w.profile(1).name.data(), "Saved");
    w.profile(1).changed = 1;
    w.fixture.session.applier().markSettingsChanged();
    w.fixture.session.applier().autoApplySettings();
    QPushButton *save = w.window.findChild<QPushButton *>("SaveToFlashButton");
    QVERIFY(save->isEnabled());
    save->click();
    QVERIFY(QFileInfo(backup).isFile());

    CompareDialog *dialog = w.openCompare();
    dialog->findChild<QPushButton *>("backuppushButton")->click();
    QCOMPARE(dialog->findChild<QLabel *>("messagelabel")->text(), QString("2 profile(s) read from %1.").arg(backup));
    // What was saved, as it was saved.
    auto *right = dialog->findChild<QComboBox *>("rightcomboBox");
    QVERIFY(right->findText("Backup: Saved") >= 0);
    QVERIFY(right->findText("Backup: GT3") >= 0);
}

QTEST_MAIN(TestProfileCompare)
#include "tst_profilecompare.moc"
