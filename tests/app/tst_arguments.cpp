// The split both command lines share: which arguments are options, and where a name ends.

#include "common/commandline/arguments.h"

#include <QtTest>

class ArgumentsTest : public QObject {
    Q_OBJECT

private slots:
    void oneArgument_data();
    void oneArgument();
    void keepsTheOrderAndSkipsTheProgram();
};

void ArgumentsTest::oneArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("isOption");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<QString>("value");

    QTest::newRow("word") << "word" << false << "" << false << "";
    QTest::newRow("single dash is a word") << "-x" << false << "" << false << "";
    QTest::newRow("word with equals") << "a=b" << false << "" << false << "";
    QTest::newRow("flag") << "--flag" << true << "--flag" << false << "";
    QTest::newRow("split at the first equals") << "--a=b=c" << true << "--a" << true << "b=c";
    QTest::newRow("empty value") << "--a=" << true << "--a" << true << "";
    QTest::newRow("no name") << "--=x" << true << "--" << true << "x";
    QTest::newRow("dashes alone") << "--" << true << "--" << false << "";
}

void ArgumentsTest::oneArgument()
{
    QFETCH(QString, argument);
    QFETCH(bool, isOption);
    QFETCH(QString, name);
    QFETCH(bool, hasValue);
    QFETCH(QString, value);

    const commandline::SplitArguments split = commandline::splitArguments({"program", argument});
    if (!isOption) {
        QCOMPARE(split.words, QStringList{argument});
        QVERIFY(split.options.empty());
        return;
    }
    QVERIFY(split.words.isEmpty());
    QCOMPARE(split.options.size(), std::size_t(1));
    const commandline::Option &option = split.options.front();
    QCOMPARE(option.argument, argument);
    QCOMPARE(option.name, name);
    QCOMPARE(option.hasValue, hasValue);
    QCOMPARE(option.value, value);
}

void ArgumentsTest::keepsTheOrderAndSkipsTheProgram()
{
    const commandline::SplitArguments split =
        commandline::splitArguments({"--program-looks-like-an-option", "log", "--b=2", "x", "--a"});
    QCOMPARE(split.words, (QStringList{"log", "x"}));
    QCOMPARE(split.options.size(), std::size_t(2));
    QCOMPARE(split.options[0].name, QString("--b"));
    QCOMPARE(split.options[0].value, QString("2"));
    QCOMPARE(split.options[1].name, QString("--a"));
    QVERIFY(!split.options[1].hasValue);
    QVERIFY(commandline::splitArguments({}).words.isEmpty());
}

QTEST_MAIN(ArgumentsTest)
#include "tst_arguments.moc"
