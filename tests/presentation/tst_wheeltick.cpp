// The wheel tick: steering angle and its text, redraw threshold, button hold time,
// analog axis rows.

#include "common/presentation/wheeltick.h"

#include <QtTest>

using namespace presentation;

namespace {
const QString degreeSign = QString(QChar(0x00B0));
const std::array<bool, wire::kAnalogAxes> allEnabled = {true, true, true, true, true, true, true};

wire::WheelSample atPosition(std::uint16_t position)
{
    wire::WheelSample sample;
    sample.position = position;
    return sample;
}
} // namespace

class TestWheelTick : public QObject {
    Q_OBJECT

private slots:
    void angle_data();
    void angle();
    void emptyProfileListShowsCentre();
    void redrawFollowsLastDrawnAngle();
    void steeringWarning_data();
    void steeringWarning();
    void buttonHoldAfterRelease();
    void buttonRowsMapBitsToPlaces();
    void analogRow_data();
    void analogRow();
    void analogRowsInAxisOrder();
};

void TestWheelTick::angle_data()
{
    QTest::addColumn<uint>("range");
    QTest::addColumn<uint>("position");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("text");

    QTest::newRow("900 left end") << 900u << 0u << -450.0 << "-450.00 °";
    QTest::newRow("900 centre") << 900u << 32768u << 0.006866 << "0.00 °";
    QTest::newRow("900 right end") << 900u << 65535u << 450.0 << "450.00 °";
    // -269.9959: cut toward zero, not rounded to -270.00.
    QTest::newRow("truncates negative") << 1080u << 16384u << -269.9959 << "-269.99 °";
    QTest::newRow("truncates positive") << 1080u << 49151u << 269.99585 << "269.99 °";
    // Just left of centre: no "-0.00".
    QTest::newRow("tiny negative") << 360u << 32767u << -0.00275 << "0.00 °";
}

void TestWheelTick::angle()
{
    QFETCH(uint, range);
    QFETCH(uint, position);
    QFETCH(double, angle);
    QFETCH(QString, text);

    const float a = wheelAngle(range, std::uint16_t(position));
    QVERIFY2(qAbs(double(a) - angle) < 1e-3, qPrintable(QString::number(double(a), 'g', 9)));
    QCOMPARE(wheelDegreesText(a), text);
}

void TestWheelTick::emptyProfileListShowsCentre()
{
    WheelTick tick;
    const WheelView view = tick.update(atPosition(0), std::nullopt, allEnabled);
    QCOMPARE(view.angle, 0.0f);
    QCOMPARE(view.degreesText, "0.00 " + degreeSign);
    QVERIFY(!view.redrawWheel);
}

void TestWheelTick::redrawFollowsLastDrawnAngle()
{
    // One raw step is 900 / 65535 = 0.0137 degrees.
    WheelTick tick;
    QVERIFY(!tick.update(atPosition(32768), 900u, allEnabled).redrawWheel); // 0.007 from the initial 0
    const WheelView moved = tick.update(atPosition(32772), 900u, allEnabled); // 0.062
    QVERIFY(moved.redrawWheel);
    QCOMPARE(tick.lastDrawnAngle(), moved.angle);
    QVERIFY(!tick.update(atPosition(32774), 900u, allEnabled).redrawWheel); // 0.027 from the drawn one
    // Small steps add up against the drawn angle, not the previous sample.
    QVERIFY(tick.update(atPosition(32776), 900u, allEnabled).redrawWheel); // 0.055 from the drawn one
    QVERIFY(tick.update(atPosition(32000), 900u, allEnabled).redrawWheel);
}

void TestWheelTick::steeringWarning_data()
{
    QTest::addColumn<float>("angle");
    QTest::addColumn<bool>("mayClose");

    QTest::newRow("centre") << 0.0f << true;
    QTest::newRow("just inside") << -9.99f << true;
    QTest::newRow("at +10") << 10.0f << false;
    QTest::newRow("at -10") << -10.0f << false;
    QTest::newRow("far") << 200.0f << false;
}

void TestWheelTick::steeringWarning()
{
    QFETCH(float, angle);
    QFETCH(bool, mayClose);
    QCOMPARE(steeringWarningMayClose(angle), mayClose);
}

void TestWheelTick::buttonHoldAfterRelease()
{
    const QChar lit(0x25CF);
    const QChar dark(0x25CB);
    ButtonHoldCounters counters;
    wire::WheelSample sample;

    sample.setButton(37, true); // group 1, bit 5
    QCOMPARE(counters.rows(sample)[1].at(5), lit);

    sample.setButton(37, false);
    for (int refresh = 1; refresh <= 4; ++refresh)
        QVERIFY2(counters.rows(sample)[1].at(5) == lit, qPrintable(QString::number(refresh)));
    QCOMPARE(counters.rows(sample)[1].at(5), dark);
    QCOMPARE(counters.rows(sample)[1].at(5), dark);

    // Pressed again during the hold: the hold starts over.
    sample.setButton(37, true);
    counters.rows(sample);
    sample.setButton(37, false);
    counters.rows(sample);
    counters.rows(sample);
    sample.setButton(37, true);
    counters.rows(sample);
    sample.setButton(37, false);
    for (int refresh = 1; refresh <= 4; ++refresh)
        QCOMPARE(counters.rows(sample)[1].at(5), lit);
    QCOMPARE(counters.rows(sample)[1].at(5), dark);
}

void TestWheelTick::buttonRowsMapBitsToPlaces()
{
    ButtonHoldCounters counters;
    wire::WheelSample sample;
    sample.setButton(0, true);
    sample.setButton(63, true);
    sample.setButton(127, true);

    const std::array<QString, 4> rows = counters.rows(sample);
    const QString dark(32, QChar(0x25CB));
    QString row1 = dark, row2 = dark, row4 = dark;
    row1[0] = QChar(0x25CF);
    row2[31] = QChar(0x25CF);
    row4[31] = QChar(0x25CF);
    QCOMPARE(rows[0], row1);
    QCOMPARE(rows[1], row2);
    QCOMPARE(rows[2], dark);
    QCOMPARE(rows[3], row4);
}

void TestWheelTick::analogRow_data()
{
    QTest::addColumn<uint>("reading");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("label");

    QTest::newRow("zero") << 0u << true << 0 << "%p%" << "00000";
    QTest::newRow("small") << 42u << true << 42 << "%p%" << "00042";
    QTest::newRow("full") << 65535u << true << 65535 << "%p%" << "65535";
    QTest::newRow("disabled") << 1234u << false << 0 << QString() << "disabled";
}

void TestWheelTick::analogRow()
{
    QFETCH(uint, reading);
    QFETCH(bool, enabled);
    QFETCH(int, bar);
    QFETCH(QString, format);
    QFETCH(QString, label);
    const AnalogRowView view = analogRowView(std::uint16_t(reading), enabled);
    QCOMPARE(view.barValue, bar);
    QCOMPARE(view.barFormat, format);
    QCOMPARE(view.label, label);
}

void TestWheelTick::analogRowsInAxisOrder()
{
    wire::WheelSample sample;
    sample.axes = {1, 2, 3, 4, 5, 6, 7};
    const std::array<bool, wire::kAnalogAxes> enabled = {true, false, true, true, false, true, true};
    WheelTick tick;
    const WheelView view = tick.update(sample, 900u, enabled);
    const QStringList labels = {"00001", "disabled", "00003", "00004", "disabled", "00006", "00007"};
    for (std::size_t axis = 0; axis < wire::kAnalogAxes; ++axis)
        QCOMPARE(view.axes[axis].label, labels[int(axis)]);
}

QTEST_GUILESS_MAIN(TestWheelTick)
#include "tst_wheeltick.moc"
