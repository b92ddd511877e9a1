// Analog axes: calibrated output, dead zones and the analog INI file.

#include "analog/analogaxis.h"
#include "analog/analogini.h"

#include <QSettings>
#include <QtTest>

#include <cstring>

#include <sys/stat.h>

using namespace analog;
using wire::AnalogSettings;

class TestAnalog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void calibrated_data();
    void calibrated();
    void deadZones_data();
    void deadZones();
    void resetAxisKeepsOtherWords();
    void iniKeysInFileOrder();
    void iniRoundTrip();
    void exportClearsTheFile();
    void importRefusesBadFiles_data();
    void importRefusesBadFiles();
    void importTakesBoundaryValues();
    void exportRefusesNonRegularTargets();
    void importWithoutYpinChangesNothing_data();
    void importWithoutYpinChangesNothing();

private:
    QString fileWith(const QByteArray &bytes);
    QTemporaryDir folder_;
    int files_ = 0;
};

namespace {
// Every word and the name differ, so a field landing in the wrong place shows.
AnalogSettings patterned()
{
    AnalogSettings record;
    for (std::size_t i = 0; i < record.word.size(); ++i)
        record.word[i] = std::uint32_t(1000 + 37 * i);
    for (std::size_t i = 0; i < record.name.size(); ++i)
        record.name[i] = char('a' + i % 26);
    return record;
}

// The same with pins and invert flags a file may hold.
AnalogSettings patternedForFile()
{
    AnalogSettings record = patterned();
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        record.field(axis, wire::AnalogPin) = std::uint32_t(axis % 5);
        record.field(axis, wire::AnalogInvert) = std::uint32_t(axis % 2);
    }
    return record;
}

// A whole, valid file with one key's line replaced (or left out when `value` is null).
QByteArray analogFile(const QString &key = {}, const QByteArray &value = {})
{
    QByteArray text = "[VeltRANE_Analog_Axis_Settings_V1]\n";
    const AnalogSettings record = patternedForFile();
    const QStringList keys = analogIniKeys();
    for (int i = 0; i < keys.size(); ++i) {
        const int axis = i / 4;
        const int ids[] = {wire::AnalogPin, wire::AnalogInvert, wire::AnalogMin, wire::AnalogMax};
        QByteArray line = keys[i].toLatin1() + '=';
        if (keys[i] == key) {
            if (value.isNull())
                continue;
            line += value;
        } else {
            line += QByteArray::number(record.field(axis, ids[i % 4]));
        }
        text += line + '\n';
    }
    return text;
}
} // namespace

QString TestAnalog::fileWith(const QByteArray &bytes)
{
    const QString path = folder_.filePath(QStringLiteral("analog%1.ini").arg(++files_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void TestAnalog::init() { QVERIFY(folder_.isValid()); }

void TestAnalog::calibrated_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<uint>("min");
    QTest::addColumn<uint>("max");
    QTest::addColumn<bool>("invert");
    QTest::addColumn<int>("expected");

    const struct {
        const char *name;
        int raw;
        uint min, max;
        bool invert;
        int expected;
    } rows[] = {
        {"low end", 100, 100, 65435, false, 0},
        {"high end", 65435, 100, 65435, false, 65535},
        {"middle drops fraction", 32767, 100, 65435, false, 32766},
        {"below low end", 50, 100, 65435, false, 0},
        {"above high end", 65535, 100, 65435, false, 65535},
        {"inverted low end", 100, 100, 65435, true, 65535},
        {"inverted high end", 65435, 100, 65435, true, 0},
        {"inverted middle", 32767, 100, 65435, true, 32769},
        {"inverted below low end", 50, 100, 65435, true, 65535},
        {"max equals min, below", 10, 500, 500, false, 0},
        {"max equals min, at", 500, 500, 500, false, 0},
        {"max equals min, above", 501, 500, 500, false, 65535},
        {"max equals min, above, inverted", 501, 500, 500, true, 0},
        {"max equals min, at, inverted", 500, 500, 500, true, 65535},
        {"max below min", 1000, 2000, 0, false, 32767},
        {"words beyond 16 bits", 65535, 0, 4294967295u, false, 0},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.raw << r.min << r.max << r.invert << r.expected;
}

void TestAnalog::calibrated()
{
    QFETCH(int, raw);
    QFETCH(uint, min);
    QFETCH(uint, max);
    QFETCH(bool, invert);
    QFETCH(int, expected);
    QCOMPARE(calibratedValue(raw, min, max, invert), expected);
}

void TestAnalog::deadZones_data()
{
    QTest::addColumn<bool>("invert");
    QTest::addColumn<bool>("low");
    QTest::addColumn<uint>("deadZone");
    QTest::addColumn<uint>("min");
    QTest::addColumn<uint>("max");
    // Start: min 100, max 65435.
    QTest::newRow("normal low") << false << true << 200u << 200u << 65435u;
    QTest::newRow("normal high") << false << false << 300u << 100u << 65235u;
    QTest::newRow("inverted low") << true << true << 200u << 100u << 65335u;
    QTest::newRow("inverted high") << true << false << 300u << 300u << 65435u;
}

void TestAnalog::deadZones()
{
    QFETCH(bool, invert);
    QFETCH(bool, low);
    QFETCH(uint, deadZone);
    QFETCH(uint, min);
    QFETCH(uint, max);
    AnalogSettings record;
    const int axis = wire::AxisBrake;
    resetAxis(record, axis);
    record.field(axis, wire::AnalogInvert) = invert ? 1 : 0;
    if (low)
        setLowDeadZone(record, axis, deadZone);
    else
        setHighDeadZone(record, axis, deadZone);
    QCOMPARE(record.field(axis, wire::AnalogMin), min);
    QCOMPARE(record.field(axis, wire::AnalogMax), max);
    const DeadZones shown = analog::deadZones(record, axis);
    QCOMPARE(low ? shown.low : shown.high, std::int64_t(deadZone));
}

void TestAnalog::resetAxisKeepsOtherWords()
{
    AnalogSettings record = patterned();
    const AnalogSettings before = record;
    resetAxis(record, wire::AxisHat);
    QCOMPARE(record.field(wire::AxisHat, wire::AnalogPin), 0u);
    QCOMPARE(record.field(wire::AxisHat, wire::AnalogInvert), 0u);
    QCOMPARE(record.field(wire::AxisHat, wire::AnalogMin), 100u);
    QCOMPARE(record.field(wire::AxisHat, wire::AnalogMax), 65435u);
    for (std::size_t i = 0; i < record.word.size(); ++i) {
        const int id = int(i % wire::kAnalogAxisWords);
        const bool edited = int(i / wire::kAnalogAxisWords) == wire::AxisHat
                         && (id == wire::AnalogPin || id == wire::AnalogInvert || id == wire::AnalogMin || id == wire::AnalogMax);
        if (!edited)
            QCOMPARE(record.word[i], before.word[i]);
    }
}

void TestAnalog::iniKeysInFileOrder()
{
    const QStringList expected = {
        "ypin", "yinvert", "ymin", "ymax", "zpin", "zinvert", "zmin", "zmax",
        "brakepin", "brakeinvert", "brakemin", "brakemax", "throttlepin", "throttleinvert", "throttlemin", "throttlemax",
        "clutchpin", "clutchinvert", "clutchmin", "clutchmax", "rudderpin", "rudderinvert", "ruddermin", "ruddermax",
        "hatpin", "hatinvert", "hatmin", "hatmax"};
    QCOMPARE(analogIniKeys(), expected);
}

void TestAnalog::iniRoundTrip()
{
    const AnalogSettings written = patternedForFile();
    const QString path = fileWith({});
    QVERIFY(exportAnalogFile(path, written));

    QSettings file(path, QSettings::IniFormat);
    QCOMPARE(file.childGroups(), QStringList{QLatin1String(kAnalogIniGroup)});
    file.beginGroup(QLatin1String(kAnalogIniGroup));
    QCOMPARE(file.childKeys().size(), kAnalogIniKeyCount);
    QCOMPARE(file.value(QStringLiteral("brakemax")).toString(),
             QString::number(written.field(wire::AxisBrake, wire::AnalogMax)));
    file.endGroup();

    AnalogSettings read; // all zero
    QVERIFY(importAnalogFile(path, read));
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        for (int id = 0; id < wire::kAnalogAxisWords; ++id) {
            const bool inFile = id == wire::AnalogPin || id == wire::AnalogInvert || id == wire::AnalogMin || id == wire::AnalogMax;
            QCOMPARE(read.field(axis, id), inFile ? written.field(axis, id) : 0u);
        }
    }
    QCOMPARE(read.name, AnalogSettings().name);
}

void TestAnalog::exportClearsTheFile()
{
    const QString path = fileWith("[Other]\nkey=1\n[VeltRANE_Analog_Axis_Settings_V1]\nstray=5\n");
    QVERIFY(exportAnalogFile(path, patterned()));
    QSettings file(path, QSettings::IniFormat);
    QCOMPARE(file.allKeys().size(), kAnalogIniKeyCount);
    QVERIFY(!file.contains(QStringLiteral("Other/key")));
}

// A file the editors could not have written is refused whole: sending it would
// unconfigure axes or put words beyond 16 bits into the base.
void TestAnalog::importRefusesBadFiles_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("value");
    const struct {
        const char *name;
        const char *key;
        const char *value; // nullptr: the key is missing
    } rows[] = {
        {"missing hatmax", "hatmax", nullptr},
        {"missing zpin", "zpin", nullptr},
        {"pin beyond the list", "brakepin", "5"},
        {"negative pin", "ypin", "-1"},
        {"pin as text", "brakepin", "pedal"},
        {"empty pin", "clutchpin", ""},
        {"invert 2", "yinvert", "2"},
        {"min beyond 16 bits", "zmin", "65536"},
        {"negative max", "brakemax", "-1"},
        {"largest word", "hatmin", "4294967295"},
        {"beyond 32 bits", "ruddermax", "4294967296"},
        {"hex", "throttlemin", "0x10"},
        {"plus sign", "throttlemax", "+5"},
        {"fraction", "ymin", "1.5"},
        {"list", "ymax", "1, 2"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.key) << (r.value ? QByteArray(r.value) : QByteArray());
}

void TestAnalog::importRefusesBadFiles()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, value);
    // The untouched file is accepted, so the refusal is the changed key's doing.
    AnalogSettings whole = patterned();
    QVERIFY(importAnalogFile(fileWith(analogFile()), whole));
    QCOMPARE(whole.field(wire::AxisHat, wire::AnalogMax), patternedForFile().field(wire::AxisHat, wire::AnalogMax));

    const AnalogSettings before = patterned();
    AnalogSettings record = before;
    QVERIFY(!importAnalogFile(fileWith(analogFile(key, value)), record));
    QVERIFY(std::memcmp(&record, &before, sizeof record) == 0);
}

void TestAnalog::importTakesBoundaryValues()
{
    QByteArray text = analogFile(QStringLiteral("brakepin"), "4");
    text.replace("ymin=", "ymin=0\nignored=");
    text.replace("hatmax=", "hatmax=65535\nignored2=");
    AnalogSettings record = patterned();
    QVERIFY(importAnalogFile(fileWith(text), record));
    QCOMPARE(record.field(wire::AxisBrake, wire::AnalogPin), 4u);
    QCOMPARE(record.field(wire::AxisY, wire::AnalogMin), 0u);
    QCOMPARE(record.field(wire::AxisHat, wire::AnalogMax), 65535u);
    QCOMPARE(record.field(wire::AxisZ, 2), patterned().field(wire::AxisZ, 2)); // not in files
}

void TestAnalog::exportRefusesNonRegularTargets()
{
    // A pipe must not be opened at all: opening it for writing waits for a reader.
    const QString fifo = folder_.filePath(QStringLiteral("pipe.ini"));
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QString error;
    QVERIFY(!exportAnalogFile(fifo, patterned(), &error));
    QVERIFY2(error.contains(QStringLiteral("not a regular file")), qPrintable(error));
    QVERIFY(!exportAnalogFile(folder_.path(), patterned()));
    QVERIFY(!exportAnalogFile(QStringLiteral("/dev/full"), patterned()));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}

void TestAnalog::importWithoutYpinChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no ypin") << QByteArray("[VeltRANE_Analog_Axis_Settings_V1]\nzpin=2\n");
    QTest::newRow("ypin in another group") << QByteArray("[General]\nypin=2\n");
    static const char binary[] = "\x00\xff[\x01]\n\x7f=\x80";
    QTest::newRow("binary") << QByteArray(binary, int(sizeof binary) - 1);
    QTest::newRow("huge") << "[VeltRANE_Analog_Axis_Settings_V1]\nypin=2\n" + QByteArray(2 * 1024 * 1024, ';');
}

void TestAnalog::importWithoutYpinChangesNothing()
{
    QFETCH(QByteArray, bytes);
    const AnalogSettings before = patterned();
    AnalogSettings record = before;
    QVERIFY(!importAnalogFile(fileWith(bytes), record));
    QVERIFY(std::memcmp(&record, &before, sizeof record) == 0);
    QVERIFY(!importAnalogFile(folder_.filePath(QStringLiteral("missing.ini")), record));
    QVERIFY(!importAnalogFile(folder_.path(), record));
}

QTEST_GUILESS_MAIN(TestAnalog)
#include "tst_analog.moc"
