// The profile record: defaults, the name rule, simple-mode levels and the session's list.

#include "settings/datastoredefs.h"
#include "settings/profilelist.h"
#include "settings/profilename.h"
#include "tests/support/sessionfixture.h"
#include "settings/simplesettings.h"

#include <QtTest>

#include <cstring>
#include <map>

using Id = ProfileParameterId;

class TestProfileRecord : public QObject {
    Q_OBJECT

private slots:
    void newRecordDefaults();
    void nameLengthRule_data();
    void nameLengthRule();
    void nameWithoutTerminatorReadsAll32Bytes();
    void simpleWorkedExample();
    void zeroSimpleSettingsBecomeDefaultPacking();
    void simpleLevelsOutsideTablesReadLastRow();
    void simpleRangeDegrees_data();
    void simpleRangeDegrees();
    void levelNames_data();
    void levelNames();
    void clearingTheListEmptiesIt();
    void markChangedIgnoresIndexOutsideList();
};

void TestProfileRecord::newRecordDefaults()
{
    const profDataNew p;
    QCOMPARE(profileName(p), QStringLiteral("New Profile"));
    QCOMPARE(p.changed, std::uint8_t(0));
    QCOMPARE(p[Id::uibits], 0u);
    QVERIFY(!p.isSimpleMode());
    const std::map<Id, std::uint32_t> expected = {
        {Id::dxsinegain, 100}, {Id::dxsquaregain, 100}, {Id::overallstrength, 60}, {Id::dxspringgain, 100},
        {Id::dxfrictiongain, 15}, {Id::dxdampinggain, 15}, {Id::dxinertiagain, 100},
        {Id::servo_torquebandwidth, 6}, {Id::servo_reconfilter1, 1}, {Id::dxsawtoothgain, 100},
        {Id::dxtrianglegain, 100}, {Id::steeringrange, 900}, {Id::staticforcereductionspeed, 1000},
        {Id::gamma, 1000}};
    for (int id = 0; id < kProfileParameterCount; ++id) {
        const auto it = expected.find(Id(id));
        QCOMPARE(p.param[std::size_t(id)], it == expected.end() ? 0u : it->second);
    }
    for (char c : p.reservedText)
        QCOMPARE(c, '\0');
    QCOMPARE(&defaultProfile(), &defaultProfile());
    QVERIFY(std::memcmp(&defaultProfile(), &p, sizeof p) == 0);
}

void TestProfileRecord::nameLengthRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");
    QTest::newRow("31 bytes") << QString(31, 'a') << true;
    QTest::newRow("32 bytes") << QString(32, 'a') << false;
    QTest::newRow("empty") << QString() << true;
    // "°" is two bytes in UTF-8: 29 + 2 fits, 30 + 2 does not.
    QTest::newRow("29 + degree = 31 bytes") << QString(29, 'b') + QChar(0xB0) << true;
    QTest::newRow("30 + degree = 32 bytes") << QString(30, 'b') + QChar(0xB0) << false;
}

void TestProfileRecord::nameLengthRule()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    profDataNew p;
    setProfileName(p, QStringLiteral("Previous"));
    p.name[20] = 'x'; // junk after the NUL must not survive a rename
    QCOMPARE(profileNameFits(text), stored);
    QCOMPARE(setProfileName(p, text), stored);
    QCOMPARE(profileName(p), stored ? text : QStringLiteral("Previous"));
    if (stored) {
        const QByteArray utf8 = text.toUtf8();
        QCOMPARE(QByteArray(p.name.data(), kProfileTextSize),
                 utf8 + QByteArray(kProfileTextSize - utf8.size(), '\0'));
    }
}

void TestProfileRecord::nameWithoutTerminatorReadsAll32Bytes()
{
    profDataNew p;
    p.name.fill('Z'); // as a base may send it
    QCOMPARE(profileName(p), QString(32, 'Z'));
}

void TestProfileRecord::simpleWorkedExample()
{
    profDataNew p;
    p[Id::simplesettings] = 33686309;
    p[Id::uibits] = 0x80; // other bits are kept
    applySimpleSettings(p);
    QCOMPARE(p[Id::overallstrength], 37u);
    QCOMPARE(p[Id::steeringrange], 900u);
    QCOMPARE(p[Id::servo_damping], 81u);
    QCOMPARE(p[Id::servo_friction], 59u);
    QCOMPARE(p[Id::servo_inertia], 99u);
    QCOMPARE(p[Id::servo_reconfilter1], 5u);
    QCOMPARE(p[Id::slewratelimit], 900u);
    QCOMPARE(p[Id::uibits], 0x81u);
    QCOMPARE(p[Id::simplesettings], 33686309u);

    const SimpleSettings levels = decodeSimpleSettings(33686309);
    QCOMPARE(int(levels.strength), 37);
    QCOMPARE(int(levels.rangeIndex), 3);
    QCOMPARE(int(levels.smoothness), 2);
    QCOMPARE(int(levels.damping), 2);
    QCOMPARE(encodeSimpleSettings(levels), 33686309u);
    QCOMPARE(encodeSimpleSettings({100, 5, 4, 1}), 100u | 5u << 8 | 4u << 16 | 1u << 24);
}

void TestProfileRecord::zeroSimpleSettingsBecomeDefaultPacking()
{
    const SimpleSettings levels = decodeSimpleSettings(0);
    QCOMPARE(int(levels.strength), 40);
    QCOMPARE(int(levels.rangeIndex), 3);
    QCOMPARE(int(levels.smoothness), 2);
    QCOMPARE(int(levels.damping), 2);

    profDataNew p;
    applySimpleSettings(p);
    QCOMPARE(p[Id::simplesettings], 33686312u);
    QCOMPARE(p[Id::overallstrength], 40u);
    QCOMPARE(p[Id::servo_damping], 88u); // 220 × 40 / 100
    QVERIFY(p.isSimpleMode());
}

void TestProfileRecord::simpleLevelsOutsideTablesReadLastRow()
{
    profDataNew p;
    p[Id::simplesettings] = encodeSimpleSettings({50, 9, 200, 255});
    applySimpleSettings(p);
    QCOMPARE(p[Id::steeringrange], 900u);
    QCOMPARE(p[Id::servo_reconfilter1], 8u); // "Very smooth"
    QCOMPARE(p[Id::slewratelimit], 500u);
    QCOMPARE(p[Id::servo_damping], 200u); // "Very dampened": 400 × 50 / 100
    QCOMPARE(p[Id::servo_friction], 150u);
    QCOMPARE(p[Id::servo_inertia], 250u);
}

void TestProfileRecord::simpleRangeDegrees_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("degrees");
    const int table[][2] = {{0, 360}, {1, 540}, {2, 720}, {3, 900}, {4, 1080}, {5, 1440}, {6, 900}, {255, 900}, {-1, 900}};
    for (const auto &row : table)
        QTest::addRow("index %d", row[0]) << row[0] << row[1];
}

void TestProfileRecord::simpleRangeDegrees()
{
    QFETCH(int, index);
    QFETCH(int, degrees);
    QCOMPARE(::simpleRangeDegrees(index), degrees);
}

void TestProfileRecord::levelNames_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("smoothness");
    QTest::addColumn<QString>("damping");
    QTest::newRow("0") << 0 << "Raw" << "Raw";
    QTest::newRow("1") << 1 << "Minimal" << "Minimal damping";
    QTest::newRow("2") << 2 << "Neutral" << "Neutral";
    QTest::newRow("3") << 3 << "Smoother" << "More dampened";
    QTest::newRow("4") << 4 << "Very smooth" << "Very dampened";
    QTest::newRow("5") << 5 << "ERROR?" << "ERROR?";
    QTest::newRow("-1") << -1 << "ERROR?" << "ERROR?";
}

void TestProfileRecord::levelNames()
{
    QFETCH(int, level);
    QFETCH(QString, smoothness);
    QFETCH(QString, damping);
    QCOMPARE(smoothnessLevelName(level), smoothness);
    QCOMPARE(dampingLevelName(level), damping);
}

// The list is filled by hand; the session never connects.
void TestProfileRecord::clearingTheListEmptiesIt()
{
    SessionFixture fixture;
    BaseSession &session = fixture.session;
    for (int i = 0; i < 3; ++i)
        session.profiles().push_back(std::make_unique<profDataNew>());
    session.setActiveProfile(2);
    session.markActiveProfileChanged();
    QCOMPARE(session.profiles()[2]->changed, std::uint8_t(1));
    QCOMPARE(session.profiles()[1]->changed, std::uint8_t(0));
    QCOMPARE(session.editedProfileIndex(), 2);
    QCOMPARE(session.editedProfile(), session.profiles()[2].get());

    session.clearProfiles();
    QVERIFY(session.profiles().empty());
    QCOMPARE(session.editedProfile(), nullptr);
    QCOMPARE(session.profileAt(2), nullptr);
}

void TestProfileRecord::markChangedIgnoresIndexOutsideList()
{
    SessionFixture fixture;
    BaseSession &session = fixture.session;
    session.profiles().push_back(std::make_unique<profDataNew>());
    for (int index : {-1, 1, 7}) {
        QCOMPARE(session.profileAt(index), nullptr);
        session.setActiveProfile(index);
        session.markActiveProfileChanged();
        QCOMPARE(session.editedProfile(), nullptr);
    }
    QCOMPARE(session.profiles()[0]->changed, std::uint8_t(0));
}

QTEST_GUILESS_MAIN(TestProfileRecord)
#include "tst_profilerecord.moc"
