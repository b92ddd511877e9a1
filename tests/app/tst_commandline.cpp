#include "app/commandline.h"

#include <QtTest>

using Action = StartupOptions::Action;
Q_DECLARE_METATYPE(Action)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void firstWord_data();
    void firstWord();
    void printsAndFailures_data();
    void printsAndFailures();
    void screenshotsTakeAFolder();
    void measuringOptions_data();
    void measuringOptions();
};

void CommandLineTest::firstWord_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<bool>("serviceDialogs");
    QTest::addColumn<bool>("logToFile");
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<int>("model");

    QTest::newRow("none") << QStringList{} << 0 << false << false << false << 2;
    QTest::newRow("drivetuning") << QStringList{"drivetuning"} << 0 << true << false << false << 2;
    QTest::newRow("fwupdate") << QStringList{"fwupdate"} << 3 << false << false << false << 2;
    QTest::newRow("fwdowngrade") << QStringList{"fwdowngrade"} << 4 << false << false << false << 2;
    QTest::newRow("log") << QStringList{"log"} << 0 << false << true << false << 2;
    QTest::newRow("other case") << QStringList{"Fwupdate"} << 0 << false << false << false << 2;
    QTest::newRow("not whole") << QStringList{"fwupdate2"} << 0 << false << false << false << 2;
    QTest::newRow("empty word") << QStringList{""} << 0 << false << false << false << 2;
    QTest::newRow("log second") << QStringList{"foo", "log"} << 0 << false << false << false << 2;
    QTest::newRow("only first of two") << QStringList{"fwdowngrade", "log"} << 4 << false << false
                                       << false << 2;
    QTest::newRow("single dash is a word") << QStringList{"-log", "log"} << 0 << false << false
                                           << false << 2;
    QTest::newRow("simulated default") << QStringList{"--simulated-base"} << 0 << false << false
                                       << true << 2;
    QTest::newRow("simulated brivo, log") << QStringList{"--simulated-base=brivo", "log"} << 0
                                          << false << true << true << 1;
    QTest::newRow("option after word") << QStringList{"fwupdate", "--simulated-base=ardex"} << 3
                                       << false << false << true << 0;
    QTest::newRow("cendra") << QStringList{"--simulated-base=cendra"} << 0 << false << false
                            << true << 2;
}

void CommandLineTest::firstWord()
{
    QFETCH(QStringList, arguments);
    const StartupOptions options = parseCommandLine(QStringList{"/opt/vt2/veltrane2-tunemark"} + arguments);
    QCOMPARE(options.action, Action::Run);
    QFETCH(int, launchMode);
    QCOMPARE(options.launchMode, launchMode);
    QFETCH(bool, serviceDialogs);
    QCOMPARE(options.showServiceDialogs, serviceDialogs);
    QFETCH(bool, logToFile);
    QCOMPARE(options.logToFile, logToFile);
    QFETCH(bool, simulated);
    QCOMPARE(options.simulatedBase, simulated);
    QFETCH(int, model);
    QCOMPARE(options.simulatedModel, model);
}

void CommandLineTest::printsAndFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("messageStart");

    QTest::newRow("help") << QStringList{"--help"} << Action::Print
                          << "Usage: veltrane2-tunemark [options]";
    QTest::newRow("help wins over word") << QStringList{"fwupdate", "--help"} << Action::Print
                                         << "Usage: veltrane2-tunemark [options]";
    QTest::newRow("version") << QStringList{"--version"} << Action::Print
                             << "veltrane2-tunemark 1.0.15\n";
    QTest::newRow("version before help") << QStringList{"--help", "--version"} << Action::Print
                                         << "veltrane2-tunemark 1.0.15\n";
    QTest::newRow("unknown model") << QStringList{"--simulated-base=tesla"} << Action::Fail
                                   << "Unknown base model 'tesla'";
    QTest::newRow("empty model") << QStringList{"--simulated-base="} << Action::Fail
                                 << "Unknown base model ''";
    QTest::newRow("model names are lower case") << QStringList{"--simulated-base=Brivo"}
                                                << Action::Fail << "Unknown base model 'Brivo'";
    QTest::newRow("unknown option") << QStringList{"--verbose"} << Action::Fail
                                    << "Unknown option '--verbose'.";
    QTest::newRow("error beats help") << QStringList{"--help", "--bogus"} << Action::Fail
                                      << "Unknown option '--bogus'.";
    QTest::newRow("value on flag") << QStringList{"--version=2"} << Action::Fail
                                   << "Unexpected value after '--version'.";
    QTest::newRow("screenshots without base") << QStringList{"--screenshots=shots"} << Action::Fail
                                              << "--screenshots needs --simulated-base.";
    QTest::newRow("screenshots without folder") << QStringList{"--simulated-base", "--screenshots"}
                                                << Action::Fail << "Missing folder after '--screenshots'.";
    QTest::newRow("held inputs without base") << QStringList{"--hold-inputs"} << Action::Fail
                                              << "--hold-inputs needs --simulated-base.";
    QTest::newRow("hidden panel without base") << QStringList{"log", "--hide-base-panel"} << Action::Fail
                                               << "--hide-base-panel needs --simulated-base.";
    QTest::newRow("value on held inputs") << QStringList{"--simulated-base", "--hold-inputs=1"}
                                          << Action::Fail << "Unexpected value after '--hold-inputs'.";
}

void CommandLineTest::printsAndFailures()
{
    QFETCH(QStringList, arguments);
    const StartupOptions options = parseCommandLine(QStringList{"/opt/vt2/veltrane2-tunemark"} + arguments);
    QFETCH(Action, action);
    QCOMPARE(options.action, action);
    QFETCH(QString, messageStart);
    QVERIFY2(options.message.startsWith(messageStart), qPrintable(options.message));
    QVERIFY(options.message.endsWith(QLatin1Char('\n')));
}

void CommandLineTest::screenshotsTakeAFolder()
{
    const StartupOptions options = parseCommandLine(
        {"/opt/vt2/veltrane2-tunemark", "--screenshots=docs/screen shots", "--simulated-base=ardex"});
    QCOMPARE(options.action, Action::Run);
    QCOMPARE(options.screenshotFolder, QString("docs/screen shots"));
    QVERIFY(options.simulatedBase);
    QCOMPARE(options.simulatedModel, 0);
}

void CommandLineTest::measuringOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("neither") << QStringList{"--simulated-base"} << false << false;
    QTest::newRow("held") << QStringList{"--hold-inputs", "--simulated-base"} << true << false;
    QTest::newRow("hidden, log") << QStringList{"--simulated-base", "--hide-base-panel", "log"} << false << true;
    QTest::newRow("both") << QStringList{"--simulated-base=brivo", "--hide-base-panel", "--hold-inputs"} << true
                          << true;
}

void CommandLineTest::measuringOptions()
{
    QFETCH(QStringList, arguments);
    const StartupOptions options = parseCommandLine(QStringList{"/opt/vt2/veltrane2-tunemark"} + arguments);
    QCOMPARE(options.action, Action::Run);
    QVERIFY(options.simulatedBase);
    QTEST(options.holdSimulatedInputs, "held");
    QTEST(options.hideBasePanel, "hidden");
    QCOMPARE(options.logToFile, arguments.contains("log"));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
