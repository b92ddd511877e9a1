// Naming and describing a wireless wheel: the catalogue, the MAC text, the battery and link
// lines with their colour thresholds, and which picture file a connected wheel gets, also
// when its reported name is hostile or its mapping was stored by an older run.

#include "wireless/wheelcatalogue.h"
#include "wireless/wheelimagemapping.h"
#include "wireless/wheelpicture.h"
#include "wireless/wirelessmonitor.h"

#include <QDir>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kFine = QStringLiteral("QLabel {color: #e84e0f;}");
const QString kLow = QStringLiteral("QLabel {color: #ff2400;}");

WirelessDeviceData record(std::uint8_t battery, std::uint8_t quality, const std::string &name = "AR-C28M")
{
    const wire::ReplyBuffer reply = wire::encodeWirelessDeviceData({1, 2, 3, 4, 5, 0xA6}, name, -40, battery, quality);
    return wire::decodeWirelessDeviceData(reply.data(), reply.size());
}

bool savePicture(const QString &path, int side, const QColor &colour)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path, "PNG");
}

QColor centre(const QPixmap &pixmap) { return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2); }

} // namespace

class TestWheelCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void batteryLine_data();
    void batteryLine();
    void connectionLine_data();
    void connectionLine();
    void displayNames_data();
    void displayNames();
    void macText_data();
    void macText();
    void plainFileNames_data();
    void plainFileNames();
    void pictureOfConnectedWheel();
    void hostileNameGetsTheDefaultPicture_data();
    void hostileNameGetsTheDefaultPicture();
    void mappingIsStoredAbsoluteAndOldRelativeValuesStillResolve();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};

void TestWheelCatalogue::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("program/wheels")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("elsewhere")));
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
    QSettings("Halvern Labs", "Veltrane2").remove("wheels");
}

void TestWheelCatalogue::cleanup()
{
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void TestWheelCatalogue::batteryLine_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");
    QTest::newRow("lowest") << 0 << "Battery: 2.00 V" << kLow;
    QTest::newRow("just below 2.70") << 69 << "Battery: 2.69 V" << kLow;
    QTest::newRow("2.70") << 70 << "Battery: 2.70 V" << kFine;
    QTest::newRow("3.05") << 105 << "Battery: 3.05 V" << kFine;
    QTest::newRow("highest") << 255 << "Battery: 4.55 V" << kFine;
}

void TestWheelCatalogue::batteryLine()
{
    QFETCH(int, raw);
    QFETCH(QString, text);
    QFETCH(QString, style);
    const WirelessWheelLines lines = wirelessWheelLines(record(std::uint8_t(raw), 50));
    QCOMPARE(lines.battery, text);
    QCOMPARE(lines.batteryStyle, style);
}

void TestWheelCatalogue::connectionLine_data()
{
    QTest::addColumn<int>("quality");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");
    QTest::newRow("none") << 0 << "Connection: 0%" << kLow;
    QTest::newRow("14") << 14 << "Connection: 14%" << kLow;
    QTest::newRow("15") << 15 << "Connection: 15%" << kFine;
    QTest::newRow("full") << 100 << "Connection: 100%" << kFine;
}

void TestWheelCatalogue::connectionLine()
{
    QFETCH(int, quality);
    QFETCH(QString, text);
    QFETCH(QString, style);
    const WirelessWheelLines lines = wirelessWheelLines(record(80, std::uint8_t(quality)));
    QCOMPARE(lines.connection, text);
    QCOMPARE(lines.connectionStyle, style);
}

void TestWheelCatalogue::displayNames_data()
{
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unnamed") << "BP" << "Unnamed BP";
    QTest::newRow("F28") << "AR-F28" << "Ascher Racing F28";
    QTest::newRow("C28M") << "AR-C28M" << "Ascher Racing C28M";
    QTest::newRow("B16XL") << "AR-B16XL" << "Ascher Racing B16XL";
    QTest::newRow("GT3 blanks") << "SRB GT3" << "SimRacingBay GT3 Wheel";
    QTest::newRow("GT3 hyphens") << "SRB-GT3" << "SimRacingBay GT3 Wheel";
    QTest::newRow("BB Pro blanks") << "SRB BB Pro" << "SimRacingBay BB Pro";
    QTest::newRow("BB Pro hyphens") << "SRB-BB-Pro" << "SimRacingBay BB Pro";
    QTest::newRow("case matters") << "ar-f28" << "ar-f28";
    QTest::newRow("prefix only") << "AR-C28" << "AR-C28";
    QTest::newRow("unknown") << "VT-W300" << "VT-W300";
    QTest::newRow("empty") << "" << "";
}

void TestWheelCatalogue::displayNames()
{
    QFETCH(QString, reported);
    QFETCH(QString, shown);
    QCOMPARE(wheelDisplayName(reported), shown);
    QCOMPARE(wirelessWheelLines(record(80, 50, reported.toStdString())).name, "Connected: " + shown);
}

void TestWheelCatalogue::macText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("last byte first") << QByteArray::fromHex("0102030405a6") << "a6:05:04:03:02:01";
    QTest::newRow("zeros") << QByteArray(6, 0) << "00:00:00:00:00:00";
    QTest::newRow("high bytes") << QByteArray::fromHex("ffee0d0c0b0a") << "0a:0b:0c:0d:ee:ff";
}

void TestWheelCatalogue::macText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    wire::MacAddress mac{};
    std::copy(bytes.begin(), bytes.end(), mac.begin());
    QCOMPARE(macAddressText(mac), text);
}

void TestWheelCatalogue::plainFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("catalogue name") << "AR-C28M" << true;
    QTest::newRow("blanks") << "SRB BB Pro" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("slash") << "../../etc/passwd" << false;
    QTest::newRow("absolute") << "/tmp/x" << false;
    QTest::newRow("backslash") << "..\\x" << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("drive") << "C:x" << false;
    QTest::newRow("control") << QString("a\x01b") << false;
    QTest::newRow("newline") << QString("a\nb") << false;
}

void TestWheelCatalogue::plainFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainWheelFileName(name), plain);
}

void TestWheelCatalogue::pictureOfConnectedWheel()
{
    const QString program = dir_->filePath("program");
    QVERIFY(savePicture(program + "/wheels/AR-C28M.png", 400, Qt::red));
    QVERIFY(savePicture(dir_->filePath("builtin.png"), 400, Qt::blue));
    const QString mapped = dir_->filePath("mine.png");
    QVERIFY(savePicture(mapped, 800, Qt::green));
    WheelPicture picture(dir_->filePath("builtin.png"));

    // No mapping: wheels/NAME(.png) in the program folder.
    ConnectedWheelPicture wheel{"AR-C28M", QString(), program};
    QString toolTip = picture.updateWheelImage(&wheel);
    QCOMPARE(toolTip, "Showing: wheels/AR-C28M.png (or internal file). Right click to map wireless wheel image file.");
    QCOMPARE(centre(picture.updateWheelGraphics(0)), QColor(Qt::red));

    // A mapping wins, and its tool tip names the stored path as it is.
    wheel.mappedPath = mapped;
    toolTip = picture.updateWheelImage(&wheel);
    QCOMPARE(toolTip, "Showing user-mapped image " + mapped + " for this wheel.. Right click to map wireless wheel image file.");
    QVERIFY(picture.wheelImageHighRes());
    QCOMPARE(picture.updateWheelGraphics(0).size(), QSize(600, 600));
    QCOMPARE(centre(picture.updateWheelGraphics(0)), QColor(Qt::green));

    // A mapped file that has gone: the built-in picture, the mapping's tool tip kept.
    QVERIFY(QFile::remove(mapped));
    picture.updateWheelImage(&wheel);
    QCOMPARE(centre(picture.updateWheelGraphics(0)), QColor(Qt::blue));

    // No wheel: the default picture path.
    QVERIFY(picture.updateWheelImage(nullptr).startsWith("Showing: wheels/wheelimage.png (or internal file)"));
}

void TestWheelCatalogue::hostileNameGetsTheDefaultPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("climbs out") << "../secret";
    QTest::newRow("absolute") << "/tmp/secret";
    QTest::newRow("backslash") << "..\\secret";
    QTest::newRow("control") << QString("sec\x02ret");
}

void TestWheelCatalogue::hostileNameGetsTheDefaultPicture()
{
    QFETCH(QString, name);
    // A picture the hostile name would reach from the program's wheels folder.
    QVERIFY(savePicture(dir_->filePath("program/secret.png"), 400, Qt::red));
    QVERIFY(savePicture(dir_->filePath("builtin.png"), 400, Qt::blue));
    WheelPicture picture(dir_->filePath("builtin.png"));
    const ConnectedWheelPicture wheel{name, QString(), dir_->filePath("program/wheels")};
    const QString toolTip = picture.updateWheelImage(&wheel);
    QVERIFY2(toolTip.startsWith("Showing: wheels/wheelimage.png (or internal file)"), qPrintable(toolTip));
    QCOMPARE(centre(picture.updateWheelGraphics(0)), QColor(Qt::blue));
}

void TestWheelCatalogue::mappingIsStoredAbsoluteAndOldRelativeValuesStillResolve()
{
    const QString mac = "a6:05:04:03:02:01";
    QCOMPARE(mappedWheelImage(mac), QString());

    // Mapped from one folder, read from another: still the same file.
    mapWheelImage(mac, "mine.png");
    const QString absolute = QDir(dir_->path()).absoluteFilePath("mine.png");
    QCOMPARE(QSettings("Halvern Labs", "Veltrane2").value("wheels/" + mac).toString(), absolute);
    QVERIFY(QDir::setCurrent(dir_->filePath("elsewhere")));
    QCOMPARE(mappedWheelImage(mac), absolute);

    // An older run stored it relative: it resolves against the current folder, as it did.
    QSettings("Halvern Labs", "Veltrane2").setValue("wheels/" + mac, "old.png");
    QCOMPARE(mappedWheelImage(mac), QDir(dir_->filePath("elsewhere")).absoluteFilePath("old.png"));

    // "unset" stands for no mapping; removing leaves none.
    QSettings("Halvern Labs", "Veltrane2").setValue("wheels/" + mac, "unset");
    QCOMPARE(mappedWheelImage(mac), QString());
    mapWheelImage(mac, "x.png");
    removeWheelImageMapping(mac);
    QCOMPARE(mappedWheelImage(mac), QString());
}

QTEST_MAIN(TestWheelCatalogue)
#include "tst_wheelcatalogue.moc"
