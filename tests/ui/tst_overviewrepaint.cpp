// What a wheel tick may cost on the Overview page: an axis bar repaints only when its
// percentage or filled width changes, never inside the call that sets it; texts that
// change every tick never lay the page out again; button rows draw the symbols they hold;
// the turned wheel picture looks as a label showing the turned pixmap looked, and over the
// theme's plain background a turn repaints the picture alone. Under the theme a tick repaints
// the widgets whose reading changed and nothing behind them, and what reaches the window's
// image that way is what a whole repaint shows.

#include "ui/pages/overviewpage.h"
#include "common/widgets/buttonrowlabel.h"
#include "common/widgets/levelbar.h"
#include "common/widgets/readinglabel.h"
#include "common/widgets/theme.h"
#include "common/widgets/turningpicturelabel.h"
#include "wireless/wheelpicture.h"

#include <QHBoxLayout>
#include <QBackingStore>
#include <QPaintEvent>
#include <QLabel>
#include <QPainter>
#include <QtTest>

namespace {

// Counts the events of one type that reach the watched widgets.
class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type) : type_(type) {}
    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == type_)
            ++count;
        return false;
    }

private:
    QEvent::Type type_;
};

// Which widgets painted, and the region each painted.
class PaintRecorder : public QObject {
public:
    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    QMap<QString, QRegion> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted[watched->objectName()] += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// The program's theme on the whole application; false when its style sheet is missing.
bool wearTheme()
{
    const std::optional<QString> theme = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
    if (!theme)
        return false;
    qApp->setStyleSheet(*theme);
    return true;
}

} // namespace

class TestOverviewRepaint : public QObject {
    Q_OBJECT

private slots:
    void barRepaintsOnlyVisibleChanges_data();
    void barRepaintsOnlyVisibleChanges();
    void tickTextsKeepTheLayout();
    void buttonRowDrawsItsSymbols();
    void turnedPictureLooksAsBefore_data();
    void turnedPictureLooksAsBefore();
    void themedTickRepaintsOnlyWhatChanged();
    void readingsLookAsPlainLabels();
};

void TestOverviewRepaint::barRepaintsOnlyVisibleChanges_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("repaint");
    // 400 pixels for 65536 steps: one pixel is about 164 steps, one percent 655.
    QTest::newRow("less than a pixel") << "%p%" << 30000 << 30050 << false;
    QTest::newRow("a pixel, same percent") << "%p%" << 30000 << 30300 << true;
    QTest::newRow("a percent") << "%p%" << 32700 << 32800 << true;
    QTest::newRow("to the end") << "%p%" << 65000 << 65535 << true;
    QTest::newRow("same value") << "%p%" << 1234 << 1234 << false;
    QTest::newRow("shown value in the text") << "%v" << 30000 << 30001 << true;
}

void TestOverviewRepaint::barRepaintsOnlyVisibleChanges()
{
    QFETCH(QString, format);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, repaint);

    LevelBar bar;
    bar.setRange(0, 65535);
    bar.setFormat(format);
    bar.setStyleSheet(QStringLiteral("LevelBar { border: none; padding: 0px; }"));
    bar.setFixedSize(400, 20);
    bar.showLevel(from);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCoreApplication::processEvents();

    EventCounter paints(QEvent::Paint);
    paints.watch(&bar);
    bar.showLevel(to);
    QCOMPARE(bar.value(), to);
    QCOMPARE(paints.count, 0); // never inside the call
    QTRY_COMPARE_WITH_TIMEOUT(paints.count > 0, repaint, 200);
    QTest::qWait(50);
    QCOMPARE(paints.count > 0, repaint);
}

void TestOverviewRepaint::tickTextsKeepTheLayout()
{
    OverviewPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::qWait(50); // the first layout done

    EventCounter layouts(QEvent::LayoutRequest);
    layouts.watch(&page);
    const QString lit(32, QChar(0x25CF));
    const QString dark(32, QChar(0x25CB));
    const struct {
        QString degrees;
        QString axisText;
        QString buttons;
        int bar;
    } ticks[] = {{QStringLiteral("0.00 °"), QStringLiteral("00000"), dark, 0},
                 {QStringLiteral("-450.00 °"), QStringLiteral("disabled"), lit, 65535},
                 {QStringLiteral("- °"), QStringLiteral("12345"), QChar(0x25CF) + dark.left(31), 12345},
                 {QStringLiteral("1080.00 °"), QStringLiteral("65535"), dark, 40000}};
    for (const auto &tick : ticks) {
        page.showWheelDegrees(tick.degrees);
        page.showButtons({tick.buttons, tick.buttons, dark, lit});
        for (int axis = 0; axis < OverviewPage::kAnalogAxisCount; ++axis)
            page.showAnalogAxis(OverviewPage::AnalogAxis(axis), tick.bar, QStringLiteral("%p%"), tick.axisText);
        QCoreApplication::processEvents();
    }
    QCOMPARE(layouts.count, 0);
    // Every text still fits whole.
    for (QLabel *label : page.findChildren<QLabel *>()) {
        if (label->pixmap(Qt::ReturnByValue).isNull())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
    }
}

// A lit symbol is a filled circle where the font puts "●", a dark one an empty ring.
void TestOverviewRepaint::buttonRowDrawsItsSymbols()
{
    ButtonRowLabel row;
    row.setStyleSheet(QStringLiteral("QLabel { color: #ff0000; background-color: #000000; }"));
    row.setText(QString(QChar(0x25CF)) + QChar(0x25CB));
    row.resize(row.sizeHint());
    QImage image(row.size(), QImage::Format_ARGB32);
    image.fill(Qt::blue);
    row.render(&image);

    const QFontMetricsF metrics(row.font());
    const qreal baseline = (row.height() - metrics.height()) / 2 + metrics.ascent();
    const QPointF litCentre = metrics.boundingRect(QChar(0x25CF)).translated(0, baseline).center();
    const QPointF darkCentre = metrics.boundingRect(QChar(0x25CB))
                                   .translated(metrics.horizontalAdvance(QChar(0x25CF)), baseline)
                                   .center();
    QCOMPARE(image.pixelColor(litCentre.toPoint()), QColor(Qt::red));
    QCOMPARE(image.pixelColor(darkCentre.toPoint()), QColor(Qt::black));
    // The ring itself is drawn: some red on the dark symbol's middle row.
    bool ring = false;
    const int y = int(darkCentre.y());
    for (int x = int(metrics.horizontalAdvance(QChar(0x25CF))); x < image.width(); ++x)
        ring |= image.pixelColor(x, y).red() > 128;
    QVERIFY(ring);
}

void TestOverviewRepaint::turnedPictureLooksAsBefore_data()
{
    QTest::addColumn<QString>("styleSheet"); // on the window holding both labels
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("repaintStopsAtPicture");

    const std::optional<QString> theme = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
    QVERIFY(theme);
    QTest::newRow("theme") << *theme << true << true;
    QTest::newRow("theme, disabled") << *theme << false << false;
    // Nothing of its own behind the picture: the window's background shows through.
    QTest::newRow("no style sheet") << QString() << true << false;
    QTest::newRow("gradient behind") << QStringLiteral("QWidget { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                                                       "stop:0 #102030, stop:1 #a0b0c0); }")
                                     << true << false;
}

// Against what the window showed before: a QLabel holding the turned pixmap, over the same
// backgrounds, at angles where the picture's corners go outside the shown square.
void TestOverviewRepaint::turnedPictureLooksAsBefore()
{
    QFETCH(QString, styleSheet);
    QFETCH(bool, enabled);
    QFETCH(bool, repaintStopsAtPicture);

    WheelPicture picture; // the built-in picture, as without a wheels/wheelimage.png
    picture.updateWheelImage(nullptr);
    QVERIFY(!picture.wheelImage().isNull());

    QWidget window;
    window.setStyleSheet(styleSheet);
    auto *layout = new QHBoxLayout(&window);
    auto *before = new QLabel;
    auto *turning = new TurningPictureLabel;
    for (QLabel *label : std::initializer_list<QLabel *>{before, turning}) {
        label->setFixedSize(300, 300);
        label->setAlignment(Qt::AlignCenter);
        label->setEnabled(enabled);
        layout->addWidget(label);
    }
    turning->setPicture(picture.wheelImage(), picture.croppedSide(), picture.shownSide());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    EventCounter behind(QEvent::Paint);
    window.installEventFilter(&behind);
    for (float degrees : {0.0f, 12.34f, -30.0f, 45.0f, -97.5f, 225.0f}) {
        before->setPixmap(picture.updateWheelGraphics(degrees));
        turning->setAngle(degrees);
        QCoreApplication::processEvents();
        behind.count = 0;
        turning->repaint();
        QCOMPARE(behind.count == 0, repaintStopsAtPicture);
        const QImage shownBefore = window.grab(before->geometry()).toImage();
        const QImage shown = window.grab(turning->geometry()).toImage();
        QVERIFY2(shown == shownBefore, qPrintable(QStringLiteral("at %1 degrees").arg(double(degrees))));
    }
    QCOMPARE(turning->turnedPicture(), picture.updateWheelGraphics(225.0f).toImage());
}

// The page as the window shows it: the program's theme, a wheel picture, a tick's worth of
// readings. A next tick changes the angle, one pedal and one button; only their widgets
// repaint (the button row only around that button), and the window's own image, where
// the turned picture is written straight in and the row only partly repainted, shows
// exactly what painting the page whole shows.
void TestOverviewRepaint::themedTickRepaintsOnlyWhatChanged()
{
    QVERIFY(wearTheme());
    const auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });

    WheelPicture picture;
    picture.updateWheelImage(nullptr);
    OverviewPage page;
    page.setWheelPicture(picture.wheelImage(), picture.croppedSide(), picture.shownSide());
    const QString dark(32, QChar(0x25CB));
    const auto showTick = [&](float degrees, int brake, const QString &firstRow) {
        page.showWheelAngle(degrees);
        page.showWheelDegrees(QStringLiteral("%1 °").arg(double(degrees), 0, 'f', 2));
        page.showButtons({firstRow, dark, dark, dark});
        for (int axis = 0; axis < OverviewPage::kAnalogAxisCount; ++axis) {
            const int value = axis == OverviewPage::AxisBrake ? brake : 1000;
            page.showAnalogAxis(OverviewPage::AnalogAxis(axis), value, QStringLiteral("%p%"), QString::number(value));
        }
    };
    showTick(3.0f, 1000, dark);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::qWait(100); // polished, laid out, painted whole

    PaintRecorder recorder;
    recorder.watch(&page);
    QString oneLit = dark;
    oneLit[5] = QChar(0x25CF);
    showTick(17.5f, 40000, oneLit);
    QCoreApplication::processEvents();

    const QSet<QString> changed{QStringLiteral("wheelLabel"), QStringLiteral("WheelDegreesLabel"),
                                QStringLiteral("BrakeProgressBar"), QStringLiteral("BrakeLabel"),
                                QStringLiteral("buttonsLabel_1")};
    const QStringList paintedNames = recorder.painted.keys();
    QCOMPARE(QSet<QString>(paintedNames.cbegin(), paintedNames.cend()), changed);
    auto *row = page.findChild<QLabel *>(QStringLiteral("buttonsLabel_1"));
    QVERIFY(row);
    const QRect rowPainted = recorder.painted.value(row->objectName()).boundingRect();
    QVERIFY2(rowPainted.width() < row->width() / 4, qPrintable(QString::number(rowPainted.width())));

    QPaintDevice *device = page.backingStore()->paintDevice();
    QVERIFY(device && device->devType() == QInternal::Image);
    const QImage shown = static_cast<QImage *>(device)->copy(QRect(QPoint(), page.size()));
    const QImage whole = page.grab().toImage().convertToFormat(shown.format());
    QCOMPARE(shown, whole);
}

QTEST_MAIN(TestOverviewRepaint)
#include "tst_overviewrepaint.moc"

// A reading label draws its text itself; under the theme each reading must look exactly as
// a plain label of the same name, style, font and text would.
void TestOverviewRepaint::readingsLookAsPlainLabels()
{
    QVERIFY(wearTheme());
    const auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });

    OverviewPage page;
    page.showWheelDegrees(QStringLiteral("-450.25 °"));
    page.showAnalogAxis(OverviewPage::AxisBrake, 40000, QStringLiteral("%p%"), QStringLiteral("40000"));
    page.showAnalogAxis(OverviewPage::AxisThrottle, 0, QStringLiteral("%p%"), QStringLiteral("0"));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::qWait(50);

    const QList<ReadingLabel *> readings = page.findChildren<ReadingLabel *>();
    int compared = 0;
    for (ReadingLabel *reading : readings) {
        if (qobject_cast<TurningPictureLabel *>(reading) || qobject_cast<ButtonRowLabel *>(reading))
            continue;
        for (const bool enabled : {true, false}) {
            reading->setEnabled(enabled);
            QLabel twin(reading->parentWidget());
            twin.setObjectName(reading->objectName());
            twin.setStyleSheet(reading->styleSheet());
            twin.setFont(reading->font());
            twin.setAlignment(reading->alignment());
            twin.setTextFormat(Qt::PlainText);
            twin.setText(reading->text());
            twin.setEnabled(enabled);
            twin.setGeometry(reading->geometry());
            twin.show();
            QCoreApplication::processEvents();
            QVERIFY2(reading->testAttribute(Qt::WA_OpaquePaintEvent), qPrintable(reading->objectName()));
            const QImage::Format format = QImage::Format_ARGB32_Premultiplied;
            QCOMPARE(reading->grab().toImage().convertToFormat(format), twin.grab().toImage().convertToFormat(format));
            ++compared;
        }
        reading->setEnabled(true);
    }
    QCOMPARE(compared, 16); // the angle and seven axis readings, enabled and disabled
}
