// The wheel picture: loading wheels/wheelimage.png from the working directory with its
// fallbacks to the built-in picture, and drawing it turned into 300 × 300 or 600 × 600.

#include "tests/support/logcapture.h"
#include "common/widgets/turnedsquare.h"
#include "wireless/wheelpicture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

const QColor userColour(200, 0, 0);
const QColor builtInColour(0, 0, 200);

bool savePicture(const QString &path, int width, int height, const QColor &colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path, "PNG");
}

// Transparent square with a red block at twelve o'clock, to see where the top went.
bool saveMarkedPicture(const QString &path, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(side / 2 - side / 20, side / 40, side / 10, side / 10, Qt::red);
    painter.end();
    return image.save(path, "PNG");
}

// Every pixel different, so any shift or resampling difference shows. `round` leaves the
// corners transparent outside the wheel's circle, as in a real wheel picture; otherwise
// the picture is partly transparent everywhere up to its edges.
bool saveDetailedPicture(const QString &path, int side, bool round)
{
    QImage image(side, side, QImage::Format_ARGB32);
    const double radius = side * 0.45;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool outside = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0) > radius;
            image.setPixel(x, y, round && outside ? qRgba(0, 0, 0, 0)
                                                  : qRgba(x * 255 / side, y * 255 / side, (x * 7 + y * 13) % 256,
                                                          64 + (x + y) % 192));
        }
    return image.save(path, "PNG");
}

// Distance in picture pixels from the picture's edge of the point a shown pixel comes from.
double distanceFromEdge(QPoint shownPixel, int shown, int side, double degrees)
{
    const double scale = double(side) / shown;
    const double qx = (shownPixel.x() + 0.5) * scale - side / 2.0;
    const double qy = (shownPixel.y() + 0.5) * scale - side / 2.0;
    const double a = qDegreesToRadians(degrees);
    const double px = std::cos(a) * qx + std::sin(a) * qy + side / 2.0;
    const double py = -std::sin(a) * qx + std::cos(a) * qy + side / 2.0;
    return qAbs(std::min({px, side - px, py, side - py}));
}

// The drawing done literally: turn the whole picture, cut the centred square, scale.
QImage drawnLiterally(const QPixmap &picture, float degrees, int side, int shown)
{
    const QPixmap turned = picture.transformed(QTransform().rotate(degrees), Qt::FastTransformation);
    return turned.copy((turned.width() - side) / 2, (turned.height() - side) / 2, side, side)
        .scaled(shown, shown, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .toImage();
}

QColor centreColour(const QPixmap &pixmap)
{
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

} // namespace

class TestWheelPicture : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadWithFallbacks_data();
    void loadWithFallbacks();
    void drawnSizes_data();
    void drawnSizes();
    void unrotatedIsTheScaledPicture();
    void sameAsTurningTheWholePicture_data();
    void sameAsTurningTheWholePicture();
    void eightAtOnceSameAsOneByOne_data();
    void eightAtOnceSameAsOneByOne();
    void positiveAngleTurnsClockwise_data();
    void positiveAngleTurnsClockwise();
    void missingBuiltInDrawsNothing();
    void realBuiltInPicture();

private:
    QString builtInPath() const { return dir_->filePath(QStringLiteral("builtin.png")); }
    QString userPath() const { return dir_->filePath(QStringLiteral("wheels/wheelimage.png")); }

    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};

void TestWheelPicture::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("wheels")));
    QVERIFY(savePicture(builtInPath(), 400, 400, builtInColour));
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path())); // the default picture path is relative to it
}

void TestWheelPicture::cleanup()
{
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void TestWheelPicture::loadWithFallbacks_data()
{
    QTest::addColumn<QString>("file"); // "WxH", "corrupt" or "missing"
    QTest::addColumn<bool>("userPictureShown");
    QTest::addColumn<bool>("highRes");
    QTest::addColumn<QString>("fallbackLine");

    const QString notFound = QStringLiteral("wheel image: internal file was loaded due to not found.");
    const QString wrongSize = QStringLiteral("wheel image: internal file was loaded due to wrong resolution.");
    QTest::newRow("400") << "400x400" << true << false << QString();
    QTest::newRow("800") << "800x800" << true << true << QString();
    QTest::newRow("512") << "512x512" << false << false << wrongSize;
    QTest::newRow("not square") << "400x800" << false << false << wrongSize;
    QTest::newRow("corrupt") << "corrupt" << false << false << notFound;
    QTest::newRow("missing") << "missing" << false << false << notFound;
}

void TestWheelPicture::loadWithFallbacks()
{
    QFETCH(QString, file);
    QFETCH(bool, userPictureShown);
    QFETCH(bool, highRes);
    QFETCH(QString, fallbackLine);

    if (file == QLatin1String("corrupt")) {
        QFile garbage(userPath());
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x89PNG\r\n\x1a\n this is not a picture");
    } else if (file != QLatin1String("missing")) {
        const QStringList size = file.split(QLatin1Char('x'));
        QVERIFY(savePicture(userPath(), size[0].toInt(), size[1].toInt(), userColour));
    }

    WheelPicture picture(builtInPath());
    LogCapture log;
    const QString toolTip = picture.updateWheelImage(nullptr);

    QCOMPARE(toolTip, QStringLiteral("Showing: wheels/wheelimage.png (or internal file). "
                                     "Right click to map wireless wheel image file."));
    QCOMPARE(picture.wheelImageHighRes(), highRes);
    QCOMPARE(centreColour(picture.wheelPixmap()), userPictureShown ? userColour : builtInColour);
    const int side = highRes ? 800 : 400;
    QCOMPARE(picture.wheelPixmap().size(), QSize(side, side));

    QVERIFY(log.contains(QStringLiteral("wheel image: attempting to load:  wheels/wheelimage.png")));
    const QStringList fallbacks = log.messages().filter(QStringLiteral("internal file was loaded"));
    QCOMPARE(fallbacks, fallbackLine.isEmpty() ? QStringList() : QStringList(fallbackLine));

    const int shown = highRes ? 600 : 300;
    QCOMPARE(picture.updateWheelGraphics(12.5f).size(), QSize(shown, shown));
}

void TestWheelPicture::drawnSizes_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<int>("shown");

    for (float degrees : {0.0f, 0.3f, 45.0f, -30.0f, 90.0f, 179.9f, -450.0f}) {
        QTest::addRow("400 at %g", double(degrees)) << 400 << degrees << 300;
        QTest::addRow("800 at %g", double(degrees)) << 800 << degrees << 600;
    }
}

void TestWheelPicture::drawnSizes()
{
    QFETCH(int, side);
    QFETCH(float, degrees);
    QFETCH(int, shown);
    QVERIFY(savePicture(userPath(), side, side, userColour));
    WheelPicture picture(builtInPath());
    picture.updateWheelImage(nullptr);

    const QPixmap drawn = picture.updateWheelGraphics(degrees);
    QCOMPARE(drawn.size(), QSize(shown, shown));
    QCOMPARE(centreColour(drawn), userColour);
}

void TestWheelPicture::unrotatedIsTheScaledPicture()
{
    QVERIFY(saveMarkedPicture(userPath(), 400));
    WheelPicture picture(builtInPath());
    picture.updateWheelImage(nullptr);

    const QImage expected = picture.wheelPixmap()
                                .scaled(300, 300, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                .toImage();
    QCOMPARE(picture.updateWheelGraphics(0.0f).toImage(), expected);
}

void TestWheelPicture::sameAsTurningTheWholePicture_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("round");
    for (int side : {400, 800}) {
        QTest::addRow("%d round", side) << side << true;
        QTest::addRow("%d square", side) << side << false;
    }
}

// One pass over the shown pixels against doing the three steps with Qt: a wheel picture
// comes out identical; a picture drawn up to its edges may differ on the turned outline only.
void TestWheelPicture::sameAsTurningTheWholePicture()
{
    QFETCH(int, side);
    QFETCH(bool, round);
    QVERIFY(saveDetailedPicture(userPath(), side, round));
    WheelPicture picture(builtInPath());
    picture.updateWheelImage(nullptr);
    QCOMPARE(picture.wheelPixmap().width(), side);

    const int shown = side == 800 ? 600 : 300;
    QList<float> angles = {0.0f, 0.01f, -0.01f, 0.05f, 1.0f, 30.0f, 45.0f, 89.99f, 90.0f, 135.0f, 180.0f,
                           -90.0f, 270.0f, 359.97f, -450.0f, 719.5f};
    for (float a = -540.0f; a <= 540.0f; a += 13.37f)
        angles << a;
    int differing = 0;
    for (float degrees : qAsConst(angles)) {
        const QImage drawn = picture.updateWheelGraphics(degrees).toImage();
        const QImage literal = drawnLiterally(picture.wheelPixmap(), degrees, side, shown);
        QCOMPARE(drawn.size(), literal.size());
        for (int y = 0; y < shown; ++y)
            for (int x = 0; x < shown; ++x) {
                if (drawn.pixel(x, y) == literal.pixel(x, y))
                    continue;
                ++differing;
                QVERIFY2(!round && distanceFromEdge({x, y}, shown, side, double(degrees)) < 2.0,
                         qPrintable(QStringLiteral("(%1, %2) at %3 degrees").arg(x).arg(y).arg(double(degrees))));
            }
    }
    qInfo() << differing << "outline pixels differ over" << angles.size() << "angles";
}

void TestWheelPicture::eightAtOnceSameAsOneByOne_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("shown");
    QTest::newRow("wheel picture") << QSize(400, 400) << 400 << 300;
    QTest::newRow("high resolution") << QSize(800, 800) << 800 << 600;
    QTest::newRow("not square, rows of 13") << QSize(37, 53) << 37 << 13;
    QTest::newRow("shown larger than the picture") << QSize(20, 20) << 20 << 61;
    QTest::newRow("fewer than eight shown") << QSize(53, 37) << 53 << 7;
    QTest::newRow("one pixel") << QSize(1, 1) << 1 << 9;
}

// The gathered rows against the pixel-by-pixel ones: the same pixels and the same `outside`
// wherever a shown pixel falls off the picture, at any turn, also into a wider target whose
// pixels beyond each row stay untouched. (Where the processor cannot gather, both are one by one.)
void TestWheelPicture::eightAtOnceSameAsOneByOne()
{
    QFETCH(QSize, pictureSize);
    QFETCH(int, side);
    QFETCH(int, shown);
    std::mt19937 random(7);
    QImage picture(pictureSize, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qPremultiply(QRgb(random())));
    const QRgb outside = qRgb(1, 2, 3);
    constexpr quint32 kUntouched = 0xDEADBEEF;
    const int stride = shown + 5;

    TurnedSquare gathered;
    TurnedSquare oneByOne;
    oneByOne.setSampling(TurnedSquare::Sampling::OneByOne);
    for (float degrees = -400.0f; degrees <= 400.0f; degrees += 7.77f) {
        QImage expected;
        QImage drawn;
        oneByOne.draw(picture, side, shown, degrees, outside, QImage::Format_ARGB32_Premultiplied, expected);
        gathered.draw(picture, side, shown, degrees, outside, QImage::Format_ARGB32_Premultiplied, drawn);
        QVERIFY2(drawn == expected, qPrintable(QStringLiteral("at %1 degrees").arg(double(degrees))));

        std::vector<quint32> target(std::size_t(stride * shown), kUntouched);
        gathered.draw(picture, side, shown, degrees, outside, target.data(), stride);
        for (int y = 0; y < shown; ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(expected.constScanLine(y));
            QVERIFY(std::equal(line, line + shown, target.begin() + y * stride));
            QVERIFY(std::all_of(target.begin() + y * stride + shown, target.begin() + (y + 1) * stride,
                                [](quint32 pixel) { return pixel == kUntouched; }));
        }
    }
}

void TestWheelPicture::positiveAngleTurnsClockwise_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<QPointF>("marker"); // where the twelve o'clock block lands, as a fraction

    for (int side : {400, 800}) {
        QTest::addRow("%d at 0", side) << side << 0.0f << QPointF(0.5, 0.075);
        QTest::addRow("%d at +90", side) << side << 90.0f << QPointF(0.925, 0.5);
        QTest::addRow("%d at -90", side) << side << -90.0f << QPointF(0.075, 0.5);
        QTest::addRow("%d at 180", side) << side << 180.0f << QPointF(0.5, 0.925);
        // The turned picture is larger than the square; the cut must stay centred.
        QTest::addRow("%d at +45", side) << side << 45.0f << QPointF(0.8, 0.2);
        QTest::addRow("%d at -45", side) << side << -45.0f << QPointF(0.2, 0.2);
    }
}

void TestWheelPicture::positiveAngleTurnsClockwise()
{
    QFETCH(int, side);
    QFETCH(float, degrees);
    QFETCH(QPointF, marker);
    QVERIFY(saveMarkedPicture(userPath(), side));
    WheelPicture picture(builtInPath());
    picture.updateWheelImage(nullptr);

    const QImage drawn = picture.updateWheelGraphics(degrees).toImage();
    const int shown = drawn.width();
    const QPoint at(int(marker.x() * shown), int(marker.y() * shown));
    QCOMPARE(drawn.pixelColor(at), QColor(Qt::red));
    // The opposite side stays empty: the picture turned, it was not mirrored or shifted.
    const QPoint opposite(shown - 1 - at.x(), shown - 1 - at.y());
    QCOMPARE(drawn.pixelColor(opposite).alpha(), 0);
}

void TestWheelPicture::missingBuiltInDrawsNothing()
{
    WheelPicture picture(dir_->filePath(QStringLiteral("no-such-builtin.png")));
    LogCapture log;
    picture.updateWheelImage(nullptr);
    QVERIFY(picture.wheelPixmap().isNull());
    QVERIFY(!picture.wheelImageHighRes());
    QVERIFY(picture.updateWheelGraphics(30.0f).isNull());
}

// The picture shipped in the resources: the fallback without a wheels/wheelimage.png, drawn
// exactly as turning the whole picture with Qt would draw it.
void TestWheelPicture::realBuiltInPicture()
{
    WheelPicture picture;
    LogCapture log;
    picture.updateWheelImage(nullptr);
    QVERIFY(log.contains(QStringLiteral("wheel image: internal file was loaded due to not found.")));
    QCOMPARE(picture.wheelPixmap().size(), QSize(400, 400));
    QVERIFY(!picture.wheelImageHighRes());
    for (float degrees : {0.0f, 12.34f, -97.5f, 225.0f})
        QCOMPARE(picture.updateWheelGraphics(degrees).toImage(), drawnLiterally(picture.wheelPixmap(), degrees, 400, 300));
}

QTEST_MAIN(TestWheelPicture)
#include "tst_wheelpicture.moc"
