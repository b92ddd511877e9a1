// Profile INI files: missing keys and their fall-backs, the model rules, numbering, bad
// files, the replacement of an earlier export, and a round trip byte for byte.

#include "device/wire/devicemodel.h"
#include "settings/profileimportexport.h"
#include "settings/profileinikeys.h"
#include "settings/profilename.h"
#include "settings/profileranges.h"

#include <QSettings>
#include <QtTest>

#include <cstring>

#include <random>

#include <sys/stat.h>

using namespace profiles;
using Id = ProfileParameterId;

Q_DECLARE_METATYPE(Id)

class TestProfileImportExport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void forModel_data();
    void forModel();
    void importedValue_data();
    void importedValue();
    void importClampsToEditorRanges_data();
    void importClampsToEditorRanges();
    void importedName_data();
    void importedName();
    void fileShapes_data();
    void fileShapes();
    void unopenableFileIsEmpty();
    void descriptionsFollowProfiles();
    void exportWritesModelRules_data();
    void exportWritesModelRules();
    void exportReplacesEarlierExport();
    void exportOfSafeProfileOnlyImportsAsEmpty();
    void exportToUnwritablePathFails();
    void exportRefusesHostileTargets_data();
    void exportRefusesHostileTargets();
    void roundTripThroughFile();
    void profileToStringHoldsOneGroup();

private:
    QString fileWith(const QByteArray &bytes);
    QTemporaryDir folder_;
    int files_ = 0;
};

namespace {

QByteArray profilesSection(std::initializer_list<int> numbers, const QByteArray &profile1Lines = {})
{
    QByteArray text = "[Veltrane2_Profiles_V2]\n";
    for (int n : numbers)
        text += "Profile" + QByteArray::number(n) + "\\name=P" + QByteArray::number(n) + "\n";
    return text + profile1Lines;
}

// Safe profile plus `count` profiles whose carried values differ from each other and
// from the defaults; the unnamed words 27..49 are set too, to show they stay out of files.
ProfileList sampleList(int count)
{
    ProfileList list;
    list.push_back(std::make_unique<profDataNew>());
    setProfileName(*list[0], QStringLiteral("Read-only safe profile"));
    const QStringList names = {QStringLiteral("Lock 90\u00B0"), QStringLiteral("Rally (gravel)"),
                               QStringLiteral("Night_run-2/B"), QStringLiteral("Fourth"), QStringLiteral("Fifth")};
    for (int n = 1; n <= count; ++n) {
        auto p = std::make_unique<profDataNew>();
        setProfileName(*p, names.value(n - 1, QStringLiteral("Profile %1").arg(n)));
        // Inside each editor's range (files bring values into it), still all different.
        for (int id = 1; id < kProfileParameterCount; ++id) {
            std::uint32_t value = std::uint32_t(100 * n + id);
            if (const std::optional<ParameterRange> range = editorRange(Id(id)))
                value = range->minimum + std::uint32_t(13 * n + id) % (range->maximum - range->minimum + 1);
            p->param[std::size_t(id)] = value;
        }
        (*p)[Id::simplesettings] = std::uint32_t((n % 5) << 24 | (n % 5) << 16 | (n % 6) << 8 | (10 + n));
        (*p)[Id::gamma] = std::uint32_t(1200 + n);
        (*p)[Id::staticforcereductionspeed] = std::uint32_t(600 + n);
        (*p)[Id::slewratelimit] = std::uint32_t(4000 + 10 * n);
        list.push_back(std::move(p));
    }
    return list;
}

ImportExport cendra() { return ImportExport(9500, true); }

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString TestProfileImportExport::fileWith(const QByteArray &bytes)
{
    // A new name per file: QSettings caches parsed files by path.
    const QString path = folder_.filePath(QStringLiteral("file%1.ini").arg(++files_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void TestProfileImportExport::init() { QVERIFY(folder_.isValid()); }

void TestProfileImportExport::forModel_data()
{
    QTest::addColumn<quint32>("model");
    QTest::addColumn<int>("slewMax");
    QTest::addColumn<bool>("extended");
    QTest::newRow("Ardex") << quint32(ModelArdex) << 4800 << false;
    QTest::newRow("Brivo") << quint32(ModelBrivo) << 8000 << false;
    QTest::newRow("Cendra") << quint32(ModelCendra) << 9500 << true;
    QTest::newRow("unknown") << quint32(7) << 4800 << false;
}

void TestProfileImportExport::forModel()
{
    QFETCH(quint32, model);
    QFETCH(int, slewMax);
    QFETCH(bool, extended);
    const ImportExport io = ImportExport::forModel(model);
    QCOMPARE(io.slewRateLimitMax, slewMax);
    QCOMPARE(io.extendedParameters, extended);
}

void TestProfileImportExport::importedValue_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<quint32>("model");
    QTest::addColumn<Id>("id");
    QTest::addColumn<quint32>("expected");

    const quint32 A = ModelArdex, B = ModelBrivo, C = ModelCendra;
    // Missing keys: the default text where there is one, else the record default.
    QTest::newRow("missing friction gain is 100, not 15") << QByteArray() << C << Id::dxfrictiongain << 100u;
    QTest::newRow("missing damping gain is 100") << QByteArray() << C << Id::dxdampinggain << 100u;
    QTest::newRow("missing overallstrength is 60") << QByteArray() << C << Id::overallstrength << 60u;
    QTest::newRow("missing simplesettings is 10") << QByteArray() << C << Id::simplesettings << 10u;
    QTest::newRow("missing uibits is 0") << QByteArray() << C << Id::uibits << 0u;
    QTest::newRow("missing steeringrange is 900") << QByteArray() << C << Id::steeringrange << 900u;
    QTest::newRow("missing gamma is 1000") << QByteArray() << C << Id::gamma << 1000u;
    // Values that are not decimal integers take the record default, not the default text.
    QTest::newRow("word for friction gain is 15") << QByteArray("Profile1\\dxfrictiongain=lots\n") << C << Id::dxfrictiongain << 15u;
    QTest::newRow("empty value") << QByteArray("Profile1\\steeringrange=\n") << C << Id::steeringrange << 900u;
    QTest::newRow("hex") << QByteArray("Profile1\\steeringrange=0x10\n") << C << Id::steeringrange << 900u;
    QTest::newRow("list") << QByteArray("Profile1\\steeringrange=540, 900\n") << C << Id::steeringrange << 900u;
    QTest::newRow("fraction") << QByteArray("Profile1\\steeringrange=540.5\n") << C << Id::steeringrange << 900u;
    QTest::newRow("beyond 32 bits") << QByteArray("Profile1\\overallstrength=4294967296\n") << C << Id::overallstrength << 60u;
    QTest::newRow("largest word") << QByteArray("Profile1\\filteringModes=4294967295\n") << C << Id::filteringModes << 4294967295u;
    QTest::newRow("negative is below the range") << QByteArray("Profile1\\bumbstoprange=-1\n") << C << Id::bumbstoprange << 0u;
    QTest::newRow("negative word without an editor wraps") << QByteArray("Profile1\\filteringModes=-1\n") << C << Id::filteringModes << 4294967295u;
    QTest::newRow("spaces around") << QByteArray("Profile1\\overallstrength= 77 \n") << C << Id::overallstrength << 77u;
    QTest::newRow("out of range clamped") << QByteArray("Profile1\\steeringrange=5000\n") << A << Id::steeringrange << 2160u;
    // Slew rate: clamped to the model's maximum.
    QTest::newRow("slew 9500 on Ardex") << QByteArray("Profile1\\slewratelimit=9500\n") << A << Id::slewratelimit << 4800u;
    QTest::newRow("slew 9500 on Brivo") << QByteArray("Profile1\\slewratelimit=9500\n") << B << Id::slewratelimit << 8000u;
    QTest::newRow("slew 9500 on Cendra") << QByteArray("Profile1\\slewratelimit=9500\n") << C << Id::slewratelimit << 9500u;
    QTest::newRow("slew 0 stays off") << QByteArray("Profile1\\slewratelimit=0\n") << A << Id::slewratelimit << 0u;
    QTest::newRow("negative slew clamped") << QByteArray("Profile1\\slewratelimit=-5\n") << A << Id::slewratelimit << 4800u;
    // Range-gated: Cendra and 500..2000 only.
    QTest::newRow("gamma 1500 Cendra") << QByteArray("Profile1\\gamma=1500\n") << C << Id::gamma << 1500u;
    QTest::newRow("gamma 1500 Brivo") << QByteArray("Profile1\\gamma=1500\n") << B << Id::gamma << 1000u;
    QTest::newRow("gamma 1500 Ardex") << QByteArray("Profile1\\gamma=1500\n") << A << Id::gamma << 1000u;
    QTest::newRow("gamma 500 Cendra") << QByteArray("Profile1\\gamma=500\n") << C << Id::gamma << 500u;
    QTest::newRow("gamma 2000 Cendra") << QByteArray("Profile1\\gamma=2000\n") << C << Id::gamma << 2000u;
    QTest::newRow("gamma 499 Cendra") << QByteArray("Profile1\\gamma=499\n") << C << Id::gamma << 1000u;
    QTest::newRow("gamma 2001 Cendra") << QByteArray("Profile1\\gamma=2001\n") << C << Id::gamma << 1000u;
    QTest::newRow("speed 700 Cendra") << QByteArray("Profile1\\staticforcereductionspeed=700\n") << C << Id::staticforcereductionspeed << 700u;
    QTest::newRow("speed 700 Brivo") << QByteArray("Profile1\\staticforcereductionspeed=700\n") << B << Id::staticforcereductionspeed << 1000u;
    // Model-gated: Cendra only.
    QTest::newRow("centre damping Cendra") << QByteArray("Profile1\\centerdamping=300\n") << C << Id::centerdamping << 300u;
    QTest::newRow("centre damping Brivo") << QByteArray("Profile1\\centerdamping=300\n") << B << Id::centerdamping << 0u;
    QTest::newRow("centre span Cendra") << QByteArray("Profile1\\centerdampinganglespan=20\n") << C << Id::centerdampinganglespan << 20u;
    QTest::newRow("centre span Ardex") << QByteArray("Profile1\\centerdampinganglespan=20\n") << A << Id::centerdampinganglespan << 0u;
}

void TestProfileImportExport::importedValue()
{
    QFETCH(QByteArray, lines);
    QFETCH(quint32, model);
    QFETCH(Id, id);
    QFETCH(quint32, expected);
    const ImportExport io = ImportExport::forModel(model);

    ProfileList list;
    QVERIFY(io.importFile(fileWith(profilesSection({1}, lines)), QLatin1String(kProfilesGroup), list));
    QCOMPARE(list.size(), std::size_t(1));
    QCOMPARE((*list[0])[id], expected);
    QCOMPARE(list[0]->changed, std::uint8_t(0));
}

// Nothing out of an editor's range reaches the base from a file, and the import says how
// many values it had to move.
void TestProfileImportExport::importClampsToEditorRanges_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<quint32>("model");
    QTest::addColumn<Id>("id");
    QTest::addColumn<quint32>("expected");
    QTest::addColumn<int>("clamped");
    const quint32 A = ModelArdex, C = ModelCendra;
    const struct {
        const char *name;
        const char *line;
        quint32 model;
        Id id;
        quint32 expected;
        int clamped;
    } rows[] = {
        {"steering -1", "steeringrange=-1", C, Id::steeringrange, 40, 1},
        {"steering below", "steeringrange=39", C, Id::steeringrange, 40, 1},
        {"steering above", "steeringrange=2161", C, Id::steeringrange, 2160, 1},
        {"steering at top", "steeringrange=2160", C, Id::steeringrange, 2160, 0},
        {"steering at bottom", "steeringrange=40", C, Id::steeringrange, 40, 0},
        {"strength 0", "overallstrength=0", C, Id::overallstrength, 1, 1},
        {"strength 101", "overallstrength=101", C, Id::overallstrength, 100, 1},
        {"effect gain 201", "dxsinegain=201", C, Id::dxsinegain, 200, 1},
        {"inertia gain huge", "dxinertiagain=4294967295", C, Id::dxinertiagain, 200, 1},
        {"bump stop 1081", "bumbstoprange=1081", C, Id::bumbstoprange, 1080, 1},
        {"torque filter 12", "servo_torquebandwidth=12", C, Id::servo_torquebandwidth, 11, 1},
        {"reconstruction filter 11", "servo_reconfilter1=11", C, Id::servo_reconfilter1, 10, 1},
        {"drive damping 1001", "servo_damping=1001", C, Id::servo_damping, 1000, 1},
        {"drive inertia -3", "servo_inertia=-3", C, Id::servo_inertia, 0, 1},
        {"static reduction 7001", "staticforcereduction=7001", C, Id::staticforcereduction, 7000, 1},
        {"latency 21", "ultralowlatency=21", C, Id::ultralowlatency, 20, 1},
        {"centre damping 1001", "centerdamping=1001", C, Id::centerdamping, 1000, 1},
        {"centre span 101", "centerdampinganglespan=101", C, Id::centerdampinganglespan, 100, 1},
        {"slew 50", "slewratelimit=50", C, Id::slewratelimit, 100, 1},
        {"slew beyond the model", "slewratelimit=9500", A, Id::slewratelimit, 4800, 1},
        {"slew off", "slewratelimit=0", A, Id::slewratelimit, 0, 0},
        {"notch filter top bits", "servo_peakingnotchfilter=4027724886", C, Id::servo_peakingnotchfilter, 0x00123456, 1},
        {"notch filter as packed", "servo_peakingnotchfilter=268435455", C, Id::servo_peakingnotchfilter, 0x0FFFFFFF, 0},
        // Strength 40, range index 9, smoothness 7, damping 2.
        {"simple levels beyond sliders", "simplesettings=34015528", C, Id::simplesettings, 0x02040528, 1},
        {"simple levels never set", "simplesettings=0", C, Id::simplesettings, 0, 0},
        // Model rules are not range errors.
        {"gamma beyond on Cendra", "gamma=3000", C, Id::gamma, 1000, 0},
        {"gamma on Ardex", "gamma=1500", A, Id::gamma, 1000, 0},
        {"ui bits kept", "uibits=4294967295", C, Id::uibits, 4294967295u, 0},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QByteArray("Profile1\\") + r.line + "\n" << r.model << r.id << r.expected << r.clamped;
}

void TestProfileImportExport::importClampsToEditorRanges()
{
    QFETCH(QByteArray, lines);
    QFETCH(quint32, model);
    QFETCH(Id, id);
    QFETCH(quint32, expected);
    QFETCH(int, clamped);
    const QString path = fileWith(profilesSection({1, 2}, lines + "Profile2\\steeringrange=9000\n"));
    ProfileList list;
    int count = 0;
    QVERIFY(ImportExport::forModel(model).importFile(path, QLatin1String(kProfilesGroup), list, nullptr, &count));
    QCOMPARE(list.size(), std::size_t(2));
    QCOMPARE((*list[0])[id], expected);
    // Counted over the whole file: Profile2's range is one more.
    QCOMPARE(count, clamped + 1);
    QCOMPARE((*list[1])[Id::steeringrange], 2160u);
}

void TestProfileImportExport::importedName_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("name=Ardent") << "Ardent";
    QTest::newRow("empty") << QByteArray("name=") << "";
    QTest::newRow("31 bytes") << "name=" + QByteArray(31, 'n') << QString(31, 'n');
    QTest::newRow("32 bytes keeps default") << "name=" + QByteArray(32, 'n') << "New Profile";
    QTest::newRow("Windows-1252 degree") << QByteArray("name=Lock 90\xB0") << QString::fromUtf8("Lock 90\xC2\xB0");
    QTest::newRow("degree makes 32 UTF-8 bytes") << "name=" + QByteArray(30, 'd') + "\xB0" << "New Profile";
    QTest::newRow("euro sign") << QByteArray("name=5 \x80") << QString::fromUtf8("5 \xE2\x82\xAC");
    QTest::newRow("escaped NUL ends the name") << "name=ab\\0" + QByteArray(40, 'x') << "ab";
}

void TestProfileImportExport::importedName()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    ProfileList list;
    QVERIFY(cendra().importFile(fileWith("[Veltrane2_Profiles_V2]\nProfile1\\" + line + "\n"),
                                QLatin1String(kProfilesGroup), list));
    QCOMPARE(list.size(), std::size_t(1));
    QCOMPARE(profileName(*list[0]), expected);
    const std::size_t length = list[0]->nameBytes().size();
    QCOMPARE(QByteArray(list[0]->name.data() + length, kProfileTextSize - int(length)),
             QByteArray(kProfileTextSize - int(length), '\0'));
}

void TestProfileImportExport::fileShapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("count");

    QTest::newRow("gap after 2") << profilesSection({1, 2, 4}) << true << 2;
    QTest::newRow("no Profile1") << profilesSection({2, 3}) << false << 0;
    QByteArray many = profilesSection({});
    for (int n = 1; n <= 120; ++n)
        many += "Profile" + QByteArray::number(n) + "\\name=P" + QByteArray::number(n) + "\n";
    QTest::newRow("120 groups") << many << true << 100;
    QTest::newRow("Profile1 without name") << QByteArray("[Veltrane2_Profiles_V2]\nProfile1\\gamma=1000\n") << false << 0;
    QTest::newRow("other outer group") << QByteArray("[Veltrane2_Profiles_V2template]\nProfile1\\name=T\n") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << false << 0;
    std::mt19937 random(20240601);
    QByteArray binary;
    for (int i = 0; i < 65536; ++i)
        binary += char(random());
    QTest::newRow("binary") << binary << false << 0;
    QTest::newRow("binary after a valid profile") << profilesSection({1}) + binary << true << 1;
    QByteArray truncated = profilesSection({1, 2});
    truncated.chop(5); // "Profile2\na"
    QTest::newRow("truncated in a key") << truncated << true << 1;
    QTest::newRow("unterminated quote") << profilesSection({1}, "Profile1\\credits=\"Open") << true << 1;
    QTest::newRow("no line ends") << QByteArray("[Veltrane2_Profiles_V2]Profile1\\name=P1") << false << 0;
    QTest::newRow("CR LF") << QByteArray("[Veltrane2_Profiles_V2]\r\nProfile1\\name=P1\r\nProfile2\\name=P2\r\n") << true << 2;
    QByteArray huge = profilesSection({1});
    huge += QByteArray(int(kMaximumImportFileSize), ';');
    QTest::newRow("larger than any profile file") << huge << false << 0;
}

void TestProfileImportExport::fileShapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, found);
    QFETCH(int, count);
    ProfileList list;
    list.push_back(std::make_unique<profDataNew>()); // import appends to what is there
    QCOMPARE(cendra().importFile(fileWith(bytes), QLatin1String(kProfilesGroup), list), found);
    QCOMPARE(int(list.size()) - 1, count);
    for (int n = 1; n <= count; ++n)
        QCOMPARE(profileName(*list[std::size_t(n)]), QStringLiteral("P%1").arg(n));
}

void TestProfileImportExport::unopenableFileIsEmpty()
{
    ProfileList list;
    std::vector<ProfileDescription> descriptions;
    const ImportExport io = cendra();
    QVERIFY(!io.importFile(folder_.filePath(QStringLiteral("missing.ini")), QLatin1String(kProfilesGroup), list, &descriptions));
    QVERIFY(!io.importFile(folder_.path(), QLatin1String(kProfilesGroup), list, &descriptions));
    QVERIFY(!io.importFile(QString(), QLatin1String(kProfilesGroup), list, &descriptions));
    QVERIFY(!io.importFile(QStringLiteral("/dev/zero"), QLatin1String(kProfilesGroup), list, &descriptions));
    QVERIFY(list.empty());
    QVERIFY(descriptions.empty());
}

void TestProfileImportExport::descriptionsFollowProfiles()
{
    const QByteArray text = "[Veltrane2_Profiles_V2template]\n"
                            "Profile1\\name=First\n"
                            "Profile1\\longname=\"Long, first\"\n"
                            "Profile1\\descriptiondata=\"<p>Hello; world</p>\"\n"
                            "Profile1\\credits=Us\n"
                            "Profile2\\name=Second\n";
    ProfileList list;
    std::vector<ProfileDescription> descriptions;
    QVERIFY(cendra().importFile(fileWith(text), QLatin1String(kTemplatesGroup), list, &descriptions));
    QCOMPARE(list.size(), std::size_t(2));
    QCOMPARE(descriptions.size(), std::size_t(2));
    QCOMPARE(descriptions[0].longname, QStringLiteral("Long, first"));
    QCOMPARE(descriptions[0].descriptiondata, QStringLiteral("<p>Hello; world</p>"));
    QCOMPARE(descriptions[0].credits, QStringLiteral("Us"));
    QVERIFY(descriptions[1].longname.isEmpty() && descriptions[1].descriptiondata.isEmpty()
            && descriptions[1].credits.isEmpty());
}

void TestProfileImportExport::exportWritesModelRules_data()
{
    QTest::addColumn<int>("slewMax");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Ardex") << 4800 << false
                           << QStringList{"Profile1\\gamma=1000", "Profile1\\staticforcereductionspeed=1000",
                                          "Profile1\\centerdamping=0", "Profile1\\centerdampinganglespan=0",
                                          "Profile1\\slewratelimit=4800"};
    QTest::newRow("Brivo") << 8000 << false
                           << QStringList{"Profile1\\gamma=1000", "Profile1\\staticforcereductionspeed=1000",
                                          "Profile1\\centerdamping=0", "Profile1\\centerdampinganglespan=0",
                                          "Profile1\\slewratelimit=8000"};
    QTest::newRow("Cendra") << 9500 << true
                            << QStringList{"Profile1\\gamma=1500", "Profile1\\staticforcereductionspeed=700",
                                           "Profile1\\centerdamping=300", "Profile1\\centerdampinganglespan=20",
                                           "Profile1\\slewratelimit=9000"};
}

void TestProfileImportExport::exportWritesModelRules()
{
    QFETCH(int, slewMax);
    QFETCH(bool, extended);
    QFETCH(QStringList, lines);
    ProfileList list = sampleList(1);
    profDataNew &p = *list[1];
    p[Id::gamma] = 1500;
    p[Id::staticforcereductionspeed] = 700;
    p[Id::centerdamping] = 300;
    p[Id::centerdampinganglespan] = 20;
    p[Id::slewratelimit] = 9000;
    const QStringList written = ImportExport(slewMax, extended).allProfilesToString(2, list).split('\n');
    for (const QString &line : lines)
        QVERIFY2(written.contains(line), qPrintable(line));
}

void TestProfileImportExport::exportReplacesEarlierExport()
{
    const ImportExport io = cendra();
    const QString path = fileWith("[UserNotes]\nnote=keep me\n");
    QVERIFY(io.exportFile(path, 6, sampleList(5)));
    ProfileList five;
    QVERIFY(io.importFile(path, QLatin1String(kProfilesGroup), five));
    QCOMPARE(five.size(), std::size_t(5));

    ProfileList three = sampleList(3);
    setProfileName(*three[1], QStringLiteral("Renamed"));
    QVERIFY(io.exportFile(path, 4, three));
    ProfileList imported;
    QVERIFY(io.importFile(path, QLatin1String(kProfilesGroup), imported));
    QCOMPARE(imported.size(), std::size_t(3));
    QCOMPARE(profileName(*imported[0]), QStringLiteral("Renamed"));
    QVERIFY(!readAll(path).contains("Profile4"));

    QSettings other(path, QSettings::IniFormat);
    QCOMPARE(other.value(QStringLiteral("UserNotes/note")).toString(), QStringLiteral("keep me"));
}

void TestProfileImportExport::exportOfSafeProfileOnlyImportsAsEmpty()
{
    const ImportExport io = cendra();
    const ProfileList safeOnly = sampleList(0);
    QVERIFY(!io.allProfilesToString(1, safeOnly).contains("Profile"));

    const QString path = fileWith({});
    QVERIFY(io.exportFile(path, 6, sampleList(5)));
    QVERIFY(io.exportFile(path, 1, safeOnly));
    ProfileList list;
    QVERIFY(!io.importFile(path, QLatin1String(kProfilesGroup), list));
    QVERIFY(list.empty());

    // A profile count larger than the list writes what the list holds.
    QVERIFY(io.exportFile(path, 50, sampleList(2)));
    QVERIFY(io.importFile(path, QLatin1String(kProfilesGroup), list));
    QCOMPARE(list.size(), std::size_t(2));
}

void TestProfileImportExport::exportToUnwritablePathFails()
{
    // A folder in the file's place, and a file in its folder's place.
    const ImportExport io = cendra();
    QVERIFY(!io.exportFile(folder_.path(), 3, sampleList(2)));
    const QString file = fileWith("keep");
    QVERIFY(!io.exportFile(file + QStringLiteral("/profiles.ini"), 3, sampleList(2)));
    QCOMPARE(readAll(file), QByteArray("keep"));
}

// Targets an export must neither open nor cut down; each fails and leaves what was there.
void TestProfileImportExport::exportRefusesHostileTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("pipe") << "fifo" << "not a regular file";
    QTest::newRow("device") << "/dev/full" << "not a regular file";
    QTest::newRow("link to a pipe") << "link-to-fifo" << "not a regular file";
    QTest::newRow("dangling link") << "dangling" << "not a regular file";
    QTest::newRow("file larger than any profile file") << "huge" << "larger than any profile file";
}

void TestProfileImportExport::exportRefusesHostileTargets()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QString path = folder_.filePath(kind + QStringLiteral(".ini"));
    const QString fifo = folder_.filePath(QStringLiteral("pipe%1").arg(++files_));
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QByteArray before;
    if (kind == QLatin1String("fifo"))
        path = fifo;
    else if (kind.startsWith(QLatin1Char('/')))
        path = kind;
    else if (kind == QLatin1String("link-to-fifo"))
        QVERIFY(QFile::link(fifo, path));
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(folder_.filePath(QStringLiteral("nowhere")), path));
    else if (kind == QLatin1String("huge"))
        path = fileWith(before = profilesSection({1}) + QByteArray(int(kMaximumImportFileSize), ';'));

    // A pipe opened for reading or writing would wait here for ever.
    QString error;
    QVERIFY(!cendra().exportFile(path, 3, sampleList(2), &error));
    QVERIFY2(error.contains(why), qPrintable(error));
    QVERIFY(!QFileInfo(fifo).isFile());
    if (!before.isEmpty())
        QCOMPARE(readAll(path), before);
    else if (kind == QLatin1String("dangling"))
        QVERIFY(!QFileInfo::exists(folder_.filePath(QStringLiteral("nowhere"))));
}

void TestProfileImportExport::roundTripThroughFile()
{
    const ImportExport io = cendra();
    const ProfileList original = sampleList(5);
    const QString first = fileWith({});
    QVERIFY(io.exportFile(first, 6, original));
    // The degree sign leaves as one Windows-1252 byte.
    QVERIFY(readAll(first).contains("Profile1\\name=Lock 90\xB0\n"));

    ProfileList imported;
    imported.push_back(std::make_unique<profDataNew>(*original[0]));
    QVERIFY(io.importFile(first, QLatin1String(kProfilesGroup), imported));
    QCOMPARE(imported.size(), original.size());
    for (std::size_t n = 1; n < original.size(); ++n) {
        const profDataNew &a = *original[n];
        const profDataNew &b = *imported[n];
        QCOMPARE(profileName(b), profileName(a));
        QCOMPARE(QByteArray(b.name.data(), kProfileTextSize), QByteArray(a.name.data(), kProfileTextSize));
        for (const ProfileIniKey &key : profileIniKeys())
            QCOMPARE(b[key.id], a[key.id]);
        // Files carry no unnamed words, no reserved text and no changed flag.
        for (int id = kFirstUnnamedParameter; id <= kLastUnnamedParameter; ++id)
            QCOMPARE(b.param[std::size_t(id)], 0u);
        QCOMPARE(b.reservedText, profDataNew().reservedText);
        QCOMPARE(b.changed, std::uint8_t(0));
    }

    const QString second = fileWith({});
    QVERIFY(io.exportFile(second, 6, imported));
    QCOMPARE(readAll(second), readAll(first));

    const QString text = io.allProfilesToString(6, imported);
    QCOMPARE(text, io.allProfilesToString(6, original));
    QVERIFY(text.contains(QStringLiteral("Profile1\\name=Lock 90\u00B0\n")));
    QVERIFY(text.startsWith(QStringLiteral("[Veltrane2_Profiles_V2]\n")));
}

void TestProfileImportExport::profileToStringHoldsOneGroup()
{
    const ProfileList list = sampleList(1);
    const QString text = cendra().profileToString(7, *list[1]);
    QVERIFY(text.startsWith(QStringLiteral("[Veltrane2_Profiles_V2]\n")));
    QVERIFY(text.contains(QStringLiteral("Profile7\\name=Lock 90\u00B0\n")));
    QVERIFY(text.contains(QStringLiteral("Profile7\\uibits=150\n")));
    QVERIFY(!text.contains(QStringLiteral("Profile1")));
    QCOMPARE(text.count(QStringLiteral("Profile7\\")), 1 + kProfileIniKeyCount);
}

QTEST_GUILESS_MAIN(TestProfileImportExport)
#include "tst_profileimportexport.moc"
