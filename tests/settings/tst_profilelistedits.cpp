// The profile list's structural edits on their own: the default index after a delete,
// the copy, the 256-profile limit and the reorder mapping, which refuses rows that no
// longer match the list.

#include "settings/profilelistedits.h"
#include "settings/profilename.h"

#include <QtTest>

#include <cstring>

using namespace profileedits;

namespace {

// Entry i is named "P<i>".
ProfileList namedList(int size)
{
    ProfileList list;
    for (int i = 0; i < size; ++i) {
        list.push_back(std::make_unique<profDataNew>());
        list.back()->setName(QStringLiteral("P%1").arg(i).toStdString());
    }
    return list;
}

QStringList names(const ProfileList &list)
{
    QStringList result;
    for (const auto &profile : list)
        result << profileName(*profile);
    return result;
}

} // namespace

class TestProfileListEdits : public QObject {
    Q_OBJECT

private slots:
    void defaultAfterDelete_data();
    void defaultAfterDelete();
    void removeKeepsSafeProfile();
    void copyTakesParametersAndSecondText();
    void appendStopsAtLimit_data();
    void appendStopsAtLimit();
    void reorderMapsRowsToSlots();
    void reorderRefusesRowsThatDoNotMatch_data();
    void reorderRefusesRowsThatDoNotMatch();
};

void TestProfileListEdits::defaultAfterDelete_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("defaultIndex");
    QTest::addColumn<int>("expected");
    QTest::newRow("default itself") << 3 << 3 << 0;
    QTest::newRow("before the default") << 2 << 4 << 3;
    QTest::newRow("after the default") << 4 << 2 << 2;
    QTest::newRow("safe profile default") << 2 << 0 << 0;
}

void TestProfileListEdits::defaultAfterDelete()
{
    QFETCH(int, deleted);
    QFETCH(int, defaultIndex);
    QFETCH(int, expected);
    QCOMPARE(profileedits::defaultAfterDelete(deleted, defaultIndex), expected);
}

void TestProfileListEdits::removeKeepsSafeProfile()
{
    ProfileList list = namedList(4);
    QVERIFY(!removeProfile(list, 0));
    QVERIFY(!removeProfile(list, 4));
    QVERIFY(!removeProfile(list, -1));
    QCOMPARE(list.size(), std::size_t(4));
    QVERIFY(removeProfile(list, 2));
    QCOMPARE(names(list), (QStringList{"P0", "P1", "P3"}));
}

void TestProfileListEdits::copyTakesParametersAndSecondText()
{
    profDataNew source;
    for (int id = 1; id < kProfileParameterCount; ++id)
        source.param[std::size_t(id)] = std::uint32_t(1000 + id);
    source.setName("Rally night");
    std::strcpy(source.reservedText.data(), "second text");
    source.changed = 1;

    const std::unique_ptr<profDataNew> copy = copiedProfile(source);
    QVERIFY(copy->param == source.param);
    QVERIFY(copy->reservedText == source.reservedText);
    QCOMPARE(profileName(*copy), QString("Copied profile"));
    QCOMPARE(int(copy->changed), 0);
}

void TestProfileListEdits::appendStopsAtLimit_data()
{
    QTest::addColumn<int>("listSize");
    QTest::addColumn<int>("incoming");
    QTest::addColumn<int>("appended");
    QTest::newRow("room for all") << 5 << 3 << 3;
    QTest::newRow("fills to 256") << 250 << 10 << 6;
    QTest::newRow("already full") << 256 << 2 << 0;
}

void TestProfileListEdits::appendStopsAtLimit()
{
    QFETCH(int, listSize);
    QFETCH(int, incoming);
    QFETCH(int, appended);
    ProfileList list = namedList(listSize);
    ProfileList more = namedList(incoming);
    const profDataNew *firstIncoming = more.front().get();

    QCOMPARE(appendWithinLimit(list, more), appended);
    QCOMPARE(int(list.size()), listSize + appended);
    QVERIFY(int(list.size()) <= kAddressableProfiles);
    QCOMPARE(int(more.size()), incoming - appended);
    QCOMPARE(freeSlots(list), kAddressableProfiles - int(list.size()));
    if (appended > 0)
        QCOMPARE(list[std::size_t(listSize)].get(), firstIncoming); // in file order
}

void TestProfileListEdits::reorderMapsRowsToSlots()
{
    ProfileList list = namedList(5);
    const profDataNew *safe = list[0].get();
    const std::vector<const profDataNew *> rows{list[3].get(), list[1].get(), list[4].get(), list[2].get()};
    QVERIFY(reorder(list, rows));
    QCOMPARE(names(list), (QStringList{"P0", "P3", "P1", "P4", "P2"}));
    QCOMPARE(list[0].get(), safe);
    QCOMPARE(indexOf(list, rows[2]), 3);
}

void TestProfileListEdits::reorderRefusesRowsThatDoNotMatch_data()
{
    QTest::addColumn<QString>("rows");
    QTest::newRow("a row missing") << "1 2 3";
    QTest::newRow("a row too many") << "1 2 3 4 4";
    QTest::newRow("a record twice") << "1 2 2 4";
    QTest::newRow("the safe profile") << "0 2 3 4";
    QTest::newRow("a record of another list") << "1 2 3 x";
}

void TestProfileListEdits::reorderRefusesRowsThatDoNotMatch()
{
    QFETCH(QString, rows);
    ProfileList list = namedList(5);
    profDataNew stranger;
    std::vector<const profDataNew *> records;
    for (const QString &row : rows.split(' '))
        records.push_back(row == "x" ? &stranger : list[std::size_t(row.toInt())].get());
    QVERIFY(!reorder(list, records));
    QCOMPARE(names(list), (QStringList{"P0", "P1", "P2", "P3", "P4"}));
}

QTEST_GUILESS_MAIN(TestProfileListEdits)
#include "tst_profilelistedits.moc"
