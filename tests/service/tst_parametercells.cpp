// What typed cells and support request lines become before anything reaches the drive.

#include "service/parametercells.h"

#include <QtTest>

using namespace service;

using Batches = std::vector<std::vector<std::uint16_t>>;
Q_DECLARE_METATYPE(Batches)

class TestParameterCells : public QObject {
    Q_OBJECT

private slots:
    void driveAddresses_data();
    void driveAddresses();
    void profileAddresses_data();
    void profileAddresses();
    void values_data();
    void values();
    void batches_data();
    void batches();
    void replyEntriesStopAtEmptySlotOrAskedCount();
};

void TestParameterCells::driveAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("address");
    QTest::newRow("plain") << "553" << 553;
    QTest::newRow("blanks around") << " 12 " << 12;
    QTest::newRow("highest") << "65535" << 65535;
    // Cut to 16 bits this would be 4464, a different parameter.
    QTest::newRow("above 16 bits") << "70000" << 0;
    QTest::newRow("65536 wraps to nothing") << "65536" << 0;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("text") << "abc" << 0;
    QTest::newRow("hexadecimal is text") << "0x10" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestParameterCells::driveAddresses()
{
    QFETCH(QString, text);
    QFETCH(int, address);
    QCOMPARE(int(driveAddressFromText(text)), address);
}

void TestParameterCells::profileAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("inRecord");
    QTest::newRow("first") << "1" << 1 << true;
    QTest::newRow("last") << "50" << 50 << true;
    QTest::newRow("past the record") << "51" << 51 << false;
    QTest::newRow("far past") << "100000" << 100000 << false;
    QTest::newRow("zero ends the rows") << "0" << 0 << false;
    QTest::newRow("negative") << "-3" << 0 << false;
    QTest::newRow("text") << "x" << 0 << false;
}

void TestParameterCells::profileAddresses()
{
    QFETCH(QString, text);
    QFETCH(int, address);
    QFETCH(bool, inRecord);
    QCOMPARE(profileAddressFromText(text), address);
    QCOMPARE(isProfileAddress(profileAddressFromText(text)), inRecord);
}

void TestParameterCells::values_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<int>("value");
    QTest::newRow("positive") << "2400" << true << 2400;
    QTest::newRow("negative") << "-17" << true << -17;
    QTest::newRow("zero is a value") << "0" << true << 0;
    QTest::newRow("lowest") << "-2147483648" << true << std::numeric_limits<int>::min();
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("text") << "ten" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("decimal fraction") << "1.5" << false << 0;
}

void TestParameterCells::values()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(int, value);
    const std::optional<std::int32_t> parsed = parameterValueFromText(text);
    QCOMPARE(parsed.has_value(), number);
    if (number)
        QCOMPARE(*parsed, value);
}

void TestParameterCells::batches_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Batches>("expected");
    QTest::newRow("every separator") << "150,151:152" << Batches{{150, 151, 152}};
    QTest::newRow("full stop and tab") << "150.151\t152" << Batches{{150, 151, 152}};
    QTest::newRow("twelve in nine and three")
        << "1,2,3,4,5,6,7,8,9,10,11,12" << Batches{{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12}};
    QTest::newRow("a zero ends the batch") << "150,0,151" << Batches{{150}, {151}};
    QTest::newRow("text ends the batch") << "150,abc,151" << Batches{{150}, {151}};
    QTest::newRow("trailing separator") << "150," << Batches{{150}};
    QTest::newRow("no address") << "hello" << Batches{};
    QTest::newRow("too large is no address") << "70000,553" << Batches{{553}};
}

void TestParameterCells::batches()
{
    QFETCH(QString, line);
    QFETCH(Batches, expected);
    QCOMPARE(requestBatches(requestTokens(line)), expected);
}

void TestParameterCells::replyEntriesStopAtEmptySlotOrAskedCount()
{
    const wire::DriveParameterFrame reply = [] {
        wire::DriveParameterFrame frame;
        frame.setAddress(0, 150);
        frame.setValue(0, 2400);
        frame.setAddress(1, 151);
        frame.setValue(1, -3);
        frame.setAddress(3, 153);   // behind an empty slot: the base stopped before it
        frame.setValue(3, 9);
        return frame;
    }();
    QCOMPARE(replyEntries(reply, 9), QString("150=2400;151=-3;"));
    QCOMPARE(replyEntries(reply, 1), QString("150=2400;"));
}


QTEST_APPLESS_MAIN(TestParameterCells)
#include "tst_parametercells.moc"
