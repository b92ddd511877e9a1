// The editing rules that need no window: when applying settings would throw the wheel
// into its bump stop, and how the three notch-filter boxes share one parameter.

#include "common/editing/notchfilter.h"
#include "session/safetycheck.h"

#include <QtTest>

#include <cmath>

using namespace editing;

Q_DECLARE_METATYPE(editing::ApplySafety)

namespace {
// The raw position at which the wheel reads `degrees` under `range`.
std::uint16_t rawPositionAt(double degrees, double range)
{
    return std::uint16_t(std::lround((degrees + range / 2.0) * 65535.0 / range));
}
} // namespace

class TestEditingRules : public QObject {
    Q_OBJECT

private slots:
    void safetyCheck_data();
    void safetyCheck();
    void notchBoxesPackOneParameter_data();
    void notchBoxesPackOneParameter();
    void notchPartsStayInTheirBits();
};

void TestEditingRules::safetyCheck_data()
{
    QTest::addColumn<quint32>("running"); // the range the wheel was measured under
    QTest::addColumn<quint32>("range");   // the range about to be applied
    QTest::addColumn<double>("angle");    // the wheel's real angle
    QTest::addColumn<quint32>("endStop");
    QTest::addColumn<quint32>("ramp");
    QTest::addColumn<ApplySafety>("verdict");

    // Range 900, no end stop, ramp 10: the bump stop begins at ±440, 5 degrees of margin.
    QTest::newRow("+434 applies") << 900u << 900u << 434.0 << 0u << 10u << ApplySafety::Safe;
    QTest::newRow("+436 case 1") << 900u << 900u << 436.0 << 0u << 10u << ApplySafety::NearPositiveEnd;
    QTest::newRow("-434 applies") << 900u << 900u << -434.0 << 0u << 10u << ApplySafety::Safe;
    QTest::newRow("-436 case 2") << 900u << 900u << -436.0 << 0u << 10u << ApplySafety::NearNegativeEnd;
    QTest::newRow("centre") << 900u << 900u << 0.0 << 0u << 10u << ApplySafety::Safe;
    // An end stop of 50 moves the bump stop in to ±390.
    QTest::newRow("end stop, right") << 900u << 900u << 386.0 << 50u << 10u << ApplySafety::NearPositiveEnd;
    QTest::newRow("end stop, inside") << 900u << 900u << 384.0 << 50u << 10u << ApplySafety::Safe;
    QTest::newRow("end stop stored negative") << 900u << 900u << -386.0 << quint32(-50) << 10u
                                              << ApplySafety::NearNegativeEnd;
    // A range far smaller than where the wheel stands.
    QTest::newRow("small range, wheel far out") << 360u << 360u << 175.0 << 0u << 10u
                                                << ApplySafety::NearPositiveEnd;
    // The wheel measured under the running range, judged against the new range's end stop:
    // read under the new range, +29 degrees of 1440 would pass for +0.8 of 40.
    QTest::newRow("1440 to 40 at +29") << 1440u << 40u << 29.0 << 0u << 10u << ApplySafety::NearPositiveEnd;
    QTest::newRow("1440 to 360 at +440") << 1440u << 360u << 440.0 << 0u << 10u << ApplySafety::NearPositiveEnd;
    QTest::newRow("1440 to 360 at -200") << 1440u << 360u << -200.0 << 0u << 10u << ApplySafety::NearNegativeEnd;
    QTest::newRow("1440 to 360 at +100") << 1440u << 360u << 100.0 << 0u << 10u << ApplySafety::Safe;
    QTest::newRow("360 to 1440 at +170") << 360u << 1440u << 170.0 << 0u << 10u << ApplySafety::Safe;
}

void TestEditingRules::safetyCheck()
{
    QFETCH(quint32, running);
    QFETCH(quint32, range);
    QFETCH(double, angle);
    QFETCH(quint32, endStop);
    QFETCH(quint32, ramp);
    QFETCH(ApplySafety, verdict);
    const SafetyCheck check = checkApplySafety(running, rawPositionAt(angle, running), range, endStop, ramp);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(check.unsafe(), verdict != ApplySafety::Safe);
    QVERIFY(std::fabs(check.angle - angle) < 0.05);
    const float endStopDegrees = float(std::abs(std::int32_t(endStop)));
    QCOMPARE(check.bumpStopLocation, float(range) / 2 - endStopDegrees - float(ramp));
}

void TestEditingRules::notchBoxesPackOneParameter_data()
{
    QTest::addColumn<double>("hertz");
    QTest::addColumn<double>("q");
    QTest::addColumn<double>("decibels");
    QTest::addColumn<quint32>("packed");
    QTest::addColumn<bool>("shapeEditable");

    QTest::newRow("50 Hz") << 50.0 << 2.5 << -3.0 << quint32((500 << 16) | (25 << 8) | 225) << true;
    QTest::newRow("upper ends") << 409.5 << 25.5 << -25.5 << quint32((4095 << 16) | (255 << 8) | 0) << true;
    // Tenths that binary fractions hold a hair below the value (4.6 × 10 = 45.99…).
    QTest::newRow("inexact tenths") << 4.6 << 2.3 << -0.7 << quint32((46 << 16) | (23 << 8) | 248) << true;
    QTest::newRow("1.1 Hz") << 1.1 << 0.1 << -0.1 << quint32((11 << 16) | (1 << 8) | 254) << true;
    QTest::newRow("1.0 Hz") << 1.0 << 0.1 << -0.1 << quint32((10 << 16) | (1 << 8) | 254) << false;
}

void TestEditingRules::notchBoxesPackOneParameter()
{
    QFETCH(double, hertz);
    QFETCH(double, q);
    QFETCH(double, decibels);
    QFETCH(quint32, packed);
    QFETCH(bool, shapeEditable);

    NotchCodes codes;
    codes.centre = centreCode(hertz);
    codes.q = qCode(q);
    codes.attenuation = attenuationCode(decibels);
    QCOMPARE(packNotchFilter(codes), packed);
    QCOMPARE(notchShapeEditable(codes.centre), shapeEditable);

    // Back to what the boxes show.
    const NotchCodes unpacked = unpackNotchFilter(packed);
    QCOMPARE(centreHertz(unpacked.centre), hertz);
    QCOMPARE(qFactor(unpacked.q), q);
    QCOMPARE(attenuationDecibels(unpacked.attenuation), decibels);
}

void TestEditingRules::notchPartsStayInTheirBits()
{
    NotchCodes oversized;
    oversized.centre = 0x1ABC;
    oversized.q = 0x1FF;
    oversized.attenuation = 0x1FF;
    QCOMPARE(packNotchFilter(oversized), quint32(0x0ABCFFFF));
    QCOMPARE(unpackNotchFilter(0xF0000000u).centre, 0u); // bits 28..31 belong to no part
}

QTEST_APPLESS_MAIN(TestEditingRules)
#include "tst_editingrules.moc"
