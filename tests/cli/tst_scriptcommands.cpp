#include "cli/scriptcommands.h"

#include "common/identity/appinfo.h"
#include "common/identity/runguard.h"
#include "basesim/virtualbase.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace {

basesim::BaseConfig readyBase(int profiles = 5)
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.profileCount = std::uint16_t(profiles);
    return config;
}

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome runWords(basesim::VirtualBase &base, const QStringList &words)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.code = cli::run(cli::parseArguments(QStringList{"tunemark-cli"} + words), base, out, err);
    out.flush();
    err.flush();
    return outcome;
}

} // namespace

class ScriptCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QSettings("Halvern Labs", "Veltrane2").setValue("Version", "1.0.15"); }
    void words_data();
    void words();
    void statusTextAndJson();
    void exportImportRoundTrip();
    void fileTrouble_data();
    void fileTrouble();
    void activation();
    void saveWritesFlash();
    void noBaseSaysWhy();
    void refusedWhileWindowRuns();
};

void ScriptCommandsTest::words_data()
{
    using C = cli::Request::Command;
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("error"); // a piece of the message; empty: accepted

    QTest::newRow("status") << QStringList{"status"} << int(C::Status) << "";
    QTest::newRow("status json, option last") << QStringList{"status", "--json"} << int(C::Status) << "";
    QTest::newRow("list") << QStringList{"--json", "profiles", "list"} << int(C::ProfilesList) << "";
    QTest::newRow("export") << QStringList{"profiles", "export", "a.ini"} << int(C::ProfilesExport) << "";
    QTest::newRow("activate") << QStringList{"profiles", "activate", "3"} << int(C::ProfilesActivate) << "";
    QTest::newRow("simulated model") << QStringList{"--simulated-base=ardex", "save"} << int(C::Save) << "";
    QTest::newRow("nothing") << QStringList{} << int(C::None) << "Missing command";
    QTest::newRow("unknown word") << QStringList{"frobnicate"} << int(C::None) << "Unknown command 'frobnicate'";
    QTest::newRow("unknown option") << QStringList{"--force", "status"} << int(C::None) << "Unknown option '--force'";
    QTest::newRow("extra word") << QStringList{"status", "now"} << int(C::None) << "Unexpected word 'now'";
    QTest::newRow("export without file") << QStringList{"profiles", "export"} << int(C::None) << "needs one more word";
    QTest::newRow("export empty file") << QStringList{"profiles", "export", ""} << int(C::None) << "needs a file name";
    QTest::newRow("activate text") << QStringList{"profiles", "activate", "two"} << int(C::None) << "not a profile number";
    QTest::newRow("activate negative") << QStringList{"profiles", "activate", "-1"} << int(C::None) << "not a profile number";
    QTest::newRow("profiles alone") << QStringList{"profiles"} << int(C::None) << "needs list, export";
    QTest::newRow("json with save") << QStringList{"save", "--json"} << int(C::None) << "--json goes with";
    QTest::newRow("unknown model") << QStringList{"--simulated-base=zeta", "status"} << int(C::None) << "'zeta'";
}

void ScriptCommandsTest::words()
{
    QFETCH(QStringList, words);
    QFETCH(int, command);
    QFETCH(QString, error);
    const cli::Request request = cli::parseArguments(QStringList{"tunemark-cli"} + words);
    QCOMPARE(int(request.command), command);
    if (error.isEmpty()) {
        QVERIFY2(request.error.isEmpty(), qPrintable(request.error));
        return;
    }
    QVERIFY2(request.error.contains(error), qPrintable(request.error));
    // Wrong words never reach the base.
    basesim::VirtualBase base(readyBase());
    const Outcome outcome = runWords(base, words);
    QCOMPARE(outcome.code, int(cli::ExitUsage));
    QVERIFY(outcome.out.isEmpty());
    QVERIFY(base.receivedFrames().empty());
}

void ScriptCommandsTest::statusTextAndJson()
{
    basesim::BaseConfig config = readyBase();
    config.model = ModelBrivo;
    config.activeProfile = 2;
    basesim::VirtualBase base(config);

    const Outcome text = runWords(base, {"status"});
    QCOMPARE(text.code, int(cli::ExitOk));
    QVERIFY2(text.out.contains("Model: Veltrane 2 Brivo\n"), qPrintable(text.out));
    QVERIFY(text.out.contains("Firmware: 1.0.15\n"));
    QVERIFY(text.out.contains("Mode: Operational\n"));
    QVERIFY(text.out.contains("Active profile: 2 Profile 2\n"));

    const Outcome json = runWords(base, {"status", "--json"});
    QCOMPARE(json.code, int(cli::ExitOk));
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.value("model").toString(), QString("Veltrane 2 Brivo"));
    QCOMPARE(object.value("firmware").toString(), QString("1.0.15"));
    QCOMPARE(object.value("modeNumber").toInt(), 11);
    QCOMPARE(object.value("activeProfile").toInt(), 2);
    QCOMPARE(object.value("activeProfileName").toString(), QString("Profile 2"));
}

void ScriptCommandsTest::exportImportRoundTrip()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("profiles.ini");
    {
        basesim::VirtualBase source(readyBase(4));
        const Outcome exported = runWords(source, {"profiles", "export", file});
        QCOMPARE(exported.code, int(cli::ExitOk));
        QVERIFY(exported.out.contains("Exported 3 profiles"));
    }
    basesim::VirtualBase target(readyBase(2));
    const Outcome imported = runWords(target, {"profiles", "import", file});
    QCOMPARE(imported.code, int(cli::ExitOk));
    QVERIFY2(imported.out.contains("Imported 3 profiles."), qPrintable(imported.out));

    // The base now holds its own two and the three from the file, as a fresh reading shows.
    const Outcome listed = runWords(target, {"profiles", "list", "--json"});
    QCOMPARE(listed.code, int(cli::ExitOk));
    const QJsonArray list = QJsonDocument::fromJson(listed.out.toUtf8()).array();
    QStringList names;
    for (const QJsonValue &entry : list)
        names << entry.toObject().value("name").toString();
    QCOMPARE(names, (QStringList{"Read-only safe profile", "Profile 1", "Profile 1", "Profile 2", "Profile 3"}));
}

void ScriptCommandsTest::fileTrouble_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("message");
    // %1: a temporary folder holding "plain.txt" (a file), "empty.ini" and "folder/".
    QTest::newRow("export below a file") << QStringList{"profiles", "export", "%1/plain.txt/x.ini"} << "Cannot write";
    QTest::newRow("export onto a folder") << QStringList{"profiles", "export", "%1/folder"} << "is a folder";
    QTest::newRow("import missing") << QStringList{"profiles", "import", "%1/missing.ini"} << "Cannot read";
    QTest::newRow("import without profiles") << QStringList{"profiles", "import", "%1/empty.ini"} << "holds no profiles";
}

void ScriptCommandsTest::fileTrouble()
{
    QFETCH(QStringList, words);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QFile plain(folder.filePath("plain.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("keep me") == 7);
    plain.close();
    QFile empty(folder.filePath("empty.ini"));
    QVERIFY(empty.open(QIODevice::WriteOnly) && empty.write("[Other]\nx=1\n") > 0);
    empty.close();
    QVERIFY(QDir(folder.path()).mkdir("folder"));
    for (QString &word : words)
        word = word.arg(folder.path());

    basesim::VirtualBase base(readyBase(3));
    const Outcome outcome = runWords(base, words);
    QCOMPARE(outcome.code, int(cli::ExitFailed));
    QVERIFY2(outcome.err.contains(message), qPrintable(outcome.err));
    QVERIFY(outcome.out.isEmpty());
    // Nothing changed on the base and nothing half-written beside the files.
    QCOMPARE(int(base.state().ram.profileCount), 3);
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"empty.ini", "folder", "plain.txt"}));
}

void ScriptCommandsTest::activation()
{
    basesim::VirtualBase base(readyBase(4));
    const Outcome done = runWords(base, {"profiles", "activate", "3"});
    QCOMPARE(done.code, int(cli::ExitOk));
    QCOMPARE(done.out, QString("Profile 3 (Profile 3) is active.\n"));
    QCOMPARE(int(base.state().activeProfile), 3);
    QVERIFY(runWords(base, {"status"}).out.contains("Active profile: 3 Profile 3\n"));

    const Outcome beyond = runWords(base, {"profiles", "activate", "4"});
    QCOMPARE(beyond.code, int(cli::ExitFailed));
    QCOMPARE(beyond.err, QString("The base has no profile 4 (it has 0 to 3).\n"));
    QCOMPARE(int(base.state().activeProfile), 3);
}

void ScriptCommandsTest::saveWritesFlash()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("two.ini");
    basesim::VirtualBase base(readyBase(3));
    QCOMPARE(runWords(base, {"profiles", "export", file}).code, int(cli::ExitOk));
    QCOMPARE(runWords(base, {"profiles", "import", file}).code, int(cli::ExitOk));
    QCOMPARE(int(base.state().ram.profileCount), 5);
    QCOMPARE(int(base.state().flash.profileCount), 3); // imported profiles run from RAM only

    const Outcome saved = runWords(base, {"save"});
    QCOMPARE(saved.code, int(cli::ExitOk));
    QCOMPARE(saved.out, QString("Saved to the base's flash.\n"));
    base.update();
    QCOMPARE(int(base.state().flash.profileCount), 5);
}

void ScriptCommandsTest::noBaseSaysWhy()
{
    basesim::BaseConfig config = readyBase();
    config.plugged = false;
    basesim::VirtualBase base(config);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = cli::run(cli::parseArguments({"tunemark-cli", "status"}), base, outStream, errStream,
                              [] { return QStringLiteral("the doctor's words\n"); });
    errStream.flush();
    QCOMPARE(code, int(cli::ExitFailed));
    QVERIFY(out.isEmpty());
    QVERIFY2(err.startsWith("No Veltrane 2 base could be opened"), qPrintable(err));
    QVERIFY(err.endsWith("the doctor's words\n"));
}

void ScriptCommandsTest::refusedWhileWindowRuns()
{
    // The program itself, while this process holds the window's run guard.
    RunGuard window(QString::fromLatin1(appinfo::runGuardKey));
    // The guard is machine-wide: a copy of the tool running beside the tests holds it.
    if (!window.tryToRun())
        QSKIP("another copy of the tool runs on this machine and holds the run guard");
    QProcess cli;
    cli.start(QStringLiteral(TUNEMARK_CLI), {"--simulated-base", "status"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), int(cli::ExitWindowRunning));
    QVERIFY(cli.readAllStandardOutput().isEmpty());
    QVERIFY(cli.readAllStandardError().contains("window is running"));

    // Once the window is gone, the same command answers on standard output, and only there.
    window.release();
    cli.start(QStringLiteral(TUNEMARK_CLI), {"--simulated-base", "status", "--json"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), int(cli::ExitOk));
    QJsonParseError error;
    QJsonDocument::fromJson(cli.readAllStandardOutput(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
}

QTEST_GUILESS_MAIN(ScriptCommandsTest)
#include "tst_scriptcommands.moc"
