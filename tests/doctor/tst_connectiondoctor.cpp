#include "doctor/connectiondoctor.h"

#include "doctor/connectionadvicepanel.h"
#include "doctor/doctorwindowpart.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A fake system root: sysfs hidraw entries, /dev nodes, /proc holders and udev rule folders.
class FakeSystem {
public:
    FakeSystem() { QVERIFY(root_.isValid()); }
    QString root() const { return root_.path(); }

    void hidraw(const QString &name, const QByteArray &uevent, bool node = true)
    {
        write("sys/class/hidraw/" + name + "/device/uevent", uevent);
        if (node)
            write("dev/" + name, QByteArray());
    }
    void ours(const QString &name, const char *product, bool node = true)
    {
        hidraw(name, QByteArray("DRIVER=hid-generic\nHID_ID=0003:000016D0:0000") + product
                         + "\nHID_NAME=Veltrane 2\n", node);
    }
    void holder(int pid, const QString &command, const QString &node)
    {
        write(QStringLiteral("proc/%1/comm").arg(pid), command.toUtf8() + '\n');
        QVERIFY(QDir().mkpath(path(QStringLiteral("proc/%1/fd").arg(pid))));
        QVERIFY(QFile::link("/dev/null", path(QStringLiteral("proc/%1/fd/0").arg(pid))));
        QVERIFY(QFile::link("/dev/" + node, path(QStringLiteral("proc/%1/fd/7").arg(pid))));
    }
    void rule(const QString &folder) { write(folder + "/70-veltrane2-tunemark.rules", "# rule\n"); }

    doctor::Environment environment(bool accessible) const
    {
        doctor::Environment environment;
        environment.root = root();
        environment.canReadWrite = [accessible](const QString &) { return accessible; };
        environment.ownPid = 1;
        environment.ruleBesideProgram = QStringLiteral("/opt/tune mark/70-veltrane2-tunemark.rules");
        return environment;
    }

private:
    QString path(const QString &relative) const { return root_.filePath(relative); }
    void write(const QString &relative, const QByteArray &data)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QTemporaryDir root_;
};

} // namespace

class ConnectionDoctorTest : public QObject {
    Q_OBJECT

private slots:
    void situations_data();
    void situations();
    void accessFixes();
    void ownProcessIsNoHolder();
    void panelOffersFixThroughPrompts_data();
    void panelOffersFixThroughPrompts();
};

using doctor::Situation;

void ConnectionDoctorTest::situations_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<bool>("accessible");
    QTest::addColumn<int>("situation");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("words"); // a piece of the text

    QTest::newRow("no sysfs at all") << "" << true << int(Situation::NoDevice) << "" << "No Veltrane 2 base";
    QTest::newRow("only other devices") << "other" << true << int(Situation::NoDevice) << "" << "plug its USB";
    QTest::newRow("unreadable and malformed entries skipped") << "broken" << true << int(Situation::NoDevice) << ""
                                                               << "No Veltrane";
    QTest::newRow("no access") << "cendra" << false << int(Situation::NoAccess) << "/dev/hidraw2"
                               << "may not read and write it";
    QTest::newRow("held by a game") << "cendra+holder" << true << int(Situation::HeldByProcess) << "/dev/hidraw2"
                                    << "Another program holds the base (/dev/hidraw2): racegame (pid 4242)";
    QTest::newRow("in the bootloader") << "bootloader" << true << int(Situation::Bootloader) << "/dev/hidraw5"
                                       << "bootloader";
    QTest::newRow("node vanished") << "cendra-no-node" << true << int(Situation::NodeVanished) << "/dev/hidraw2"
                                   << "went away";
    QTest::newRow("present, free, silent") << "cendra" << true << int(Situation::Unexplained) << "/dev/hidraw2"
                                           << "did not answer";
    QTest::newRow("application node before bootloader") << "cendra+bootloader" << true
                                                       << int(Situation::Unexplained) << "/dev/hidraw2" << "";
}

void ConnectionDoctorTest::situations()
{
    QFETCH(QString, tree);
    QFETCH(bool, accessible);
    QFETCH(int, situation);
    QFETCH(QString, node);
    QFETCH(QString, words);

    FakeSystem system;
    if (tree == "other" || tree == "broken")
        system.hidraw("hidraw0", "HID_ID=0003:0000046D:0000C52B\n");
    if (tree == "broken") {
        system.hidraw("hidraw1", "HID_ID=0003:16D0\n");            // too few parts
        system.hidraw("hidraw3", "HID_ID=0003:0016D0ZZ:00000D5F\n"); // not hexadecimal
        QVERIFY(QDir().mkpath(system.root() + "/sys/class/hidraw/hidraw4")); // no uevent
    }
    if (tree.startsWith("cendra"))
        system.ours("hidraw2", "0D5F", tree != "cendra-no-node");
    if (tree.contains("holder"))
        system.holder(4242, "racegame", "hidraw2");
    if (tree.contains("bootloader"))
        system.ours("hidraw5", "0D5E");

    const doctor::Diagnosis d = doctor::diagnose(system.environment(accessible));
    QCOMPARE(int(d.situation), situation);
    QCOMPARE(d.node, node);
    QVERIFY2(d.text.contains(words), qPrintable(d.text));
}

void ConnectionDoctorTest::accessFixes()
{
    // Rule missing: the command installs it from beside the program, quoted for the shell.
    FakeSystem missing;
    missing.ours("hidraw2", "0D61");
    doctor::Diagnosis d = doctor::diagnose(missing.environment(false));
    QCOMPARE(d.ruleInstalled, false);
    QVERIFY2(d.text.contains("not installed"), qPrintable(d.text));
    QCOMPARE(d.privilegedScript,
             QString("install -m 0644 '/opt/tune mark/70-veltrane2-tunemark.rules' "
                     "/etc/udev/rules.d/70-veltrane2-tunemark.rules && udevadm control --reload-rules && "
                     "udevadm trigger --subsystem-match=hidraw --action=change"));
    QVERIFY(d.fixCommand.startsWith("sudo sh -c 'install -m 0644 '\\''/opt/tune mark/"));

    // Rule installed by the package: only the reload is needed.
    for (const char *folder : {"usr/lib/udev/rules.d", "etc/udev/rules.d"}) {
        FakeSystem installed;
        installed.ours("hidraw2", "0D61");
        installed.rule(QString::fromLatin1(folder));
        d = doctor::diagnose(installed.environment(false));
        QVERIFY2(d.ruleInstalled, qPrintable(folder));
        QCOMPARE(d.privilegedScript,
                 QString("udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw --action=change"));
        QVERIFY(d.text.contains("installed but has not reached the device"));
    }

    // Nowhere to install the rule from: the text says what is wrong, no command is made up.
    doctor::Environment bare = missing.environment(false);
    bare.ruleBesideProgram.clear();
    d = doctor::diagnose(bare);
    QCOMPARE(int(d.situation), int(Situation::NoAccess));
    QVERIFY(d.privilegedScript.isEmpty());
    QVERIFY(d.fixCommand.isEmpty());
}

void ConnectionDoctorTest::ownProcessIsNoHolder()
{
    FakeSystem system;
    system.ours("hidraw2", "0D60");
    system.holder(1, "veltrane2-tunemark", "hidraw2"); // ownPid in the fake environment
    system.holder(77, "editor", "hidraw9");            // holds something else
    const doctor::Diagnosis d = doctor::diagnose(system.environment(true));
    QCOMPARE(int(d.situation), int(Situation::Unexplained));
    QVERIFY(d.holder.isEmpty());
}

void ConnectionDoctorTest::panelOffersFixThroughPrompts_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("said");
    QTest::newRow("done") << int(AdministratorRun::Outcome::Done) << "Done. Unplug the base";
    QTest::newRow("no pkexec") << int(AdministratorRun::Outcome::ToolMissing) << "pkexec is not installed";
    QTest::newRow("refused") << int(AdministratorRun::Outcome::Refused) << "Nothing was changed";
    QTest::newRow("failed") << int(AdministratorRun::Outcome::Failed) << "exit code 3";
}

void ConnectionDoctorTest::panelOffersFixThroughPrompts()
{
    QFETCH(int, outcome);
    QFETCH(QString, said);
    basesim::BaseConfig config = SessionFixture::operationalCendra();
    config.plugged = false;
    SessionFixture fixture(config);
    FakeSystem system;
    system.ours("hidraw2", "0D5F");
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    window.part<DoctorWindowPart>().setConnectionDoctor(
        [&system] { return doctor::diagnose(system.environment(false)); });
    auto *panel = window.findChild<ConnectionAdvicePanel *>("connectionAdvicePanel");
    QVERIFY(panel);
    QVERIFY(panel->isHidden());

    fixture.session.statusTick(); // no base opens
    QVERIFY(!panel->isHidden());
    QVERIFY(panel->findChild<QLabel *>("connectionAdviceLabel")->text().contains("/dev/hidraw2"));
    QCOMPARE(panel->findChild<QLabel *>("connectionAdviceLabel")->textFormat(), Qt::PlainText);
    QVERIFY(panel->findChild<QLabel *>("connectionFixCommandLabel")->text().startsWith("sudo sh -c"));
    QVERIFY(panel->findChild<QPushButton *>("connectionFirmwareButton")->isHidden());

    fixture.prompts.administratorAnswer = {AdministratorRun::Outcome(outcome), outcome == 3 ? 3 : 0};
    panel->findChild<QPushButton *>("connectionFixButton")->click();
    QCOMPARE(fixture.prompts.administratorScripts, QStringList{panel->diagnosis().privilegedScript});
    QVERIFY2(panel->findChild<QLabel *>("connectionFixOutcomeLabel")->text().contains(said),
             qPrintable(panel->findChild<QLabel *>("connectionFixOutcomeLabel")->text()));

    // The base arrives: the advice goes.
    fixture.base->plug();
    fixture.session.statusTick();
    fixture.session.statusTick();
    QVERIFY(fixture.link().connected());
    QVERIFY(panel->isHidden());
}

QTEST_MAIN(ConnectionDoctorTest)
#include "tst_connectiondoctor.moc"
