// The built-in templates: they load, the first is the generic simple-mode profile, and
// every value lies where the editors and every model accept it.

#include "settings/profileimportexport.h"
#include "settings/profilename.h"
#include "settings/simplesettings.h"

#include <QRegularExpression>
#include <QtTest>

#include <cstring>

using namespace profiles;
using Id = ProfileParameterId;

class TestProfileTemplates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void firstIsGenericSimpleProfile();
    void everyTemplateIsUsable();
    void sameOnEveryModel();

private:
    ProfileList templates_;
    std::vector<ProfileDescription> descriptions_;
};

void TestProfileTemplates::initTestCase()
{
    // Templates are files too: none of their values may need moving into an editor's range.
    int valuesClamped = 0;
    QVERIFY(ImportExport(9500, true).importFile(QLatin1String(kTemplateResource), QLatin1String(kTemplatesGroup),
                                                templates_, &descriptions_, &valuesClamped));
    QCOMPARE(valuesClamped, 0);
    QVERIFY(templates_.size() >= 6);
    QCOMPARE(descriptions_.size(), templates_.size());
}

void TestProfileTemplates::firstIsGenericSimpleProfile()
{
    const profDataNew &first = *templates_[0];
    QVERIFY(first.isSimpleMode());
    // Adding it must not change anything once the simple levels are applied.
    profDataNew applied = first;
    applySimpleSettings(applied);
    QVERIFY(std::memcmp(&applied, &first, sizeof first) == 0);
    for (std::size_t i = 1; i < templates_.size(); ++i)
        QVERIFY2(!templates_[i]->isSimpleMode(), qPrintable(profileName(*templates_[i])));
}

void TestProfileTemplates::everyTemplateIsUsable()
{
    const QRegularExpression editorRule(QStringLiteral("^[A-Za-z0-9_()/\u00B0 -]+$"));
    QStringList names;
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        const profDataNew &p = *templates_[i];
        const ProfileDescription &d = descriptions_[i];
        const QString name = profileName(p);
        QVERIFY2(editorRule.match(name).hasMatch() && name.size() <= 24, qPrintable(name));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names << name;
        QVERIFY2(!d.longname.isEmpty() && !d.credits.isEmpty(), qPrintable(name));
        QVERIFY2(d.descriptiondata.startsWith(QLatin1String("<p>")) && d.descriptiondata.endsWith(QLatin1String("</p>")),
                 qPrintable(name));

        const std::uint32_t range = p[Id::steeringrange];
        QVERIFY2(range >= 40 && range <= 2160 && range % 10 == 0, qPrintable(name));
        QVERIFY(p[Id::overallstrength] >= 1 && p[Id::overallstrength] <= 100);
        QVERIFY(p[Id::servo_torquebandwidth] <= 11);
        QVERIFY(p[Id::servo_reconfilter1] <= 10);
        for (Id id : {Id::servo_damping, Id::servo_friction, Id::servo_inertia, Id::centerdamping})
            QVERIFY(p[id] <= 1000);
        for (Id id : {Id::dxsinegain, Id::dxsquaregain, Id::dxspringgain, Id::dxfrictiongain, Id::dxdampinggain,
                      Id::dxsawtoothgain, Id::dxtrianglegain})
            QVERIFY(p[id] <= 200);
        // Below the smallest model maximum, so no base clamps it.
        const std::uint32_t slew = p[Id::slewratelimit];
        QVERIFY2(slew == 0 || (slew >= 100 && slew < 4800 && slew % 10 == 0), qPrintable(name));
        QVERIFY(p[Id::bumbstoprange] == 0);
    }
}

void TestProfileTemplates::sameOnEveryModel()
{
    // Other models get the templates with only the Cendra parameters at their defaults.
    ProfileList ardex;
    QVERIFY(ImportExport(4800, false).importFile(QLatin1String(kTemplateResource), QLatin1String(kTemplatesGroup), ardex));
    QCOMPARE(ardex.size(), templates_.size());
    const std::vector<Id> cendraOnly = {Id::gamma, Id::staticforcereductionspeed, Id::centerdamping,
                                        Id::centerdampinganglespan};
    for (std::size_t i = 0; i < ardex.size(); ++i) {
        profDataNew expected = *templates_[i];
        for (Id id : cendraOnly)
            expected[id] = defaultProfile()[id];
        QVERIFY2(std::memcmp(ardex[i].get(), &expected, sizeof expected) == 0, qPrintable(profileName(*ardex[i])));
    }
}

QTEST_GUILESS_MAIN(TestProfileTemplates)
#include "tst_profiletemplates.moc"
