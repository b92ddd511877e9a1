// The version policy: the built-in image's version, the update and too-new answers.

#include "session/firmwarepolicy.h"
#include "session/includedfirmware.h"
#include "tests/support/logcapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FirmwareVersion)

namespace {
const FirmwareVersion included{1, 0, 15};
const QString toolVersion = QStringLiteral("1.0.15");

QString versionText(const FirmwareVersion &v)
{
    return QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.patch);
}
} // namespace

namespace QTest {
template <> char *toString(const FirmwareVersion &v) { return qstrdup(qPrintable(versionText(v))); }
} // namespace QTest

class TestFirmwarePolicy : public QObject {
    Q_OBJECT

private slots:
    void builtInImage();
    void loadIncludedVersion_data();
    void loadIncludedVersion();
    void updatePolicy_data();
    void updatePolicy();
    void tooNewComparesMajorAndMinorOnly_data();
    void tooNewComparesMajorAndMinorOnly();
};

void TestFirmwarePolicy::builtInImage()
{
    QFile image{QLatin1String(kIncludedFirmwareImage)};
    QVERIFY2(image.open(QIODevice::ReadOnly), qPrintable(image.errorString()));
    const QByteArray bytes = image.readAll();
    QCOMPARE(bytes.size(), 281560);
    QCOMPARE(int(quint8(bytes[416])), 15);
    QCOMPARE(int(quint8(bytes[417])), 0);
    QCOMPARE(int(quint8(bytes[418])), 1);

    LogCapture log;
    FirmwareVersion version;
    QVERIFY(loadIncludedFirmwareVersion(0, version));
    QCOMPARE(version, included);
    QCOMPARE(log.messages(), QStringList{"loadIncludedFirmwareVersion : included  1 . 0 . 15"});
}

void TestFirmwarePolicy::loadIncludedVersion_data()
{
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<FirmwareVersion>("version");
    QTest::addColumn<QString>("message");

    QByteArray versioned(419, '\xAA');
    versioned[416] = 3;
    versioned[417] = 2;
    versioned[418] = 1;
    QTest::newRow("version bytes at 416..418 are patch, minor, major")
        << 0 << true << versioned << true << FirmwareVersion{1, 2, 3}
        << "loadIncludedFirmwareVersion : included  1 . 2 . 3";
    QTest::newRow("bytes past the end read as 0")
        << 0 << true << versioned.left(417) << true << FirmwareVersion{0, 0, 3}
        << "loadIncludedFirmwareVersion : included  0 . 0 . 3";
    QTest::newRow("empty image") << 0 << true << QByteArray() << true << FirmwareVersion{}
                                 << "loadIncludedFirmwareVersion : included  0 . 0 . 0";
    QTest::newRow("missing image gives 0.0.0")
        << 0 << false << QByteArray() << false << FirmwareVersion{}
        << "loadIncludedFirmwareVersion : couldn't load included fw binary file";
    // The external file is flashed unexamined: nothing is read, the version stays.
    QTest::newRow("launch mode 3 skips reading")
        << 3 << false << QByteArray() << true << FirmwareVersion{9, 9, 9}
        << "loadIncludedFirmwareVersion : skipped loading included file";
    QTest::newRow("launch mode 4 reads the image")
        << 4 << true << versioned << true << FirmwareVersion{1, 2, 3}
        << "loadIncludedFirmwareVersion : included  1 . 2 . 3";
}

void TestFirmwarePolicy::loadIncludedVersion()
{
    QFETCH(int, launchMode);
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, image);
    QFETCH(bool, loaded);
    QFETCH(FirmwareVersion, version);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Veltrane-2-firmware.bootloadable");
    if (fileExists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(image);
    }

    LogCapture log;
    FirmwareVersion read{9, 9, 9};
    QCOMPARE(loadIncludedFirmwareVersion(launchMode, read, path), loaded);
    QCOMPARE(read, version);
    QCOMPARE(log.messages(), QStringList{message});
}

void TestFirmwarePolicy::updatePolicy_data()
{
    QTest::addColumn<FirmwareVersion>("device");
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("tooNew");

    QTest::newRow("1.0.14: older patch, update") << FirmwareVersion{1, 0, 14} << 0 << true << false;
    QTest::newRow("0.9.99: older major, update") << FirmwareVersion{0, 9, 99} << 0 << true << false;
    QTest::newRow("1.0.15: equal, correct") << FirmwareVersion{1, 0, 15} << 0 << false << false;
    QTest::newRow("1.0.16: newer patch, kept") << FirmwareVersion{1, 0, 16} << 0 << false << false;
    QTest::newRow("1.1.0: newer minor, too new") << FirmwareVersion{1, 1, 0} << 0 << false << true;
    QTest::newRow("2.0.0: newer major, too new") << FirmwareVersion{2, 0, 0} << 0 << false << true;
    QTest::newRow("launch mode 4 forces 1.0.15") << FirmwareVersion{1, 0, 15} << 4 << true << false;
    QTest::newRow("launch mode 3 forces 1.0.16") << FirmwareVersion{1, 0, 16} << 3 << true << false;
    QTest::newRow("launch mode 2 does not force") << FirmwareVersion{1, 0, 15} << 2 << false << false;
}

void TestFirmwarePolicy::updatePolicy()
{
    QFETCH(FirmwareVersion, device);
    QFETCH(int, launchMode);
    QFETCH(bool, update);
    QFETCH(bool, tooNew);

    LogCapture log;
    const FirmwareUpdatePromptAnswer answer = shouldShowFirmwareUpdatePrompt(device, included, launchMode);
    QCOMPARE(answer.showPrompt, update);
    QCOMPARE(firmwareTooNew(device, toolVersion), tooNew);

    QStringList expected{QStringLiteral("shouldShowFirmwareUpdatePrompt : device reported  %1 . %2 . %3")
                             .arg(device.major)
                             .arg(device.minor)
                             .arg(device.patch)};
    if (launchMode == 3 || launchMode == 4)
        expected << "shouldShowFirmwareUpdatePrompt forced fw update";
    QCOMPARE(log.messages(), expected);

    // Only a base that keeps its firmware is told it is the right one.
    QCOMPARE(answer.firmwareStatus.text, update ? QString() : QString("Correct firmware is installed!"));
    QCOMPARE(answer.firmwareStatus.styleSheet, update ? QString() : QString("QLabel {color:@colorRival;}"));
}

void TestFirmwarePolicy::tooNewComparesMajorAndMinorOnly_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<FirmwareVersion>("device");
    QTest::addColumn<bool>("tooNew");

    QTest::newRow("patch far ahead") << "1.0.15" << FirmwareVersion{1, 0, 99} << false;
    QTest::newRow("higher minor under a lower major") << "1.0.15" << FirmwareVersion{0, 5, 0} << false;
    QTest::newRow("lower minor under a higher major") << "1.2.0" << FirmwareVersion{2, 0, 0} << true;
    QTest::newRow("lower minor, same major") << "1.2.0" << FirmwareVersion{1, 1, 9} << false;
    QTest::newRow("higher minor, same major") << "1.2.0" << FirmwareVersion{1, 3, 0} << true;
    QTest::newRow("missing minor counts as 0, same") << "1" << FirmwareVersion{1, 0, 5} << false;
    QTest::newRow("missing minor counts as 0, higher") << "1" << FirmwareVersion{1, 1, 0} << true;
}

void TestFirmwarePolicy::tooNewComparesMajorAndMinorOnly()
{
    QFETCH(QString, tool);
    QFETCH(FirmwareVersion, device);
    QFETCH(bool, tooNew);
    QCOMPARE(firmwareTooNew(device, tool), tooNew);
}

QTEST_GUILESS_MAIN(TestFirmwarePolicy)
#include "tst_firmwarepolicy.moc"
