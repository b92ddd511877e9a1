#include "common/widgets/theme.h"

#include "tests/support/logcapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <cmath>

class ThemeTest : public QObject {
    Q_OBJECT

private slots:
    void colourReplacement_data();
    void colourReplacement();
    void paletteCoversEveryGroup_data();
    void paletteCoversEveryGroup();
    void styleFileIsLatin1UpToFirstZero();
    void missingStyleFile();
    void builtInStyleSheetApplies();
    void windowIconHasSeveralSizes();
    void fontGrowsByTwoPoints();
    void progressBarTextReadsOnBothParts();
    void textOnOurFillsReads_data();
    void textOnOurFillsReads();
};

void ThemeTest::colourReplacement_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("expected");

    QTest::newRow("label") << "QLabel { color: @colorPowerage;}" << "QLabel { color: #af1d1f;}";
    QTest::newRow("all four")
        << "a:@colorMysticSerenity b:@colorRival c:@colorPowerage d:@colorStriker"
        << "a:#02232b b:#e84e0f c:#af1d1f d:#ff2400";
    QTest::newRow("repeated") << "@colorRival @colorRival" << "#e84e0f #e84e0f";
    QTest::newRow("letters follow") << "@colorRivalry;@colorStrikers" << "#e84e0fry;#ff2400s";
    QTest::newRow("case matters") << "@colorrival @COLORRIVAL" << "@colorrival @COLORRIVAL";
    QTest::newRow("unknown variable") << "@colorOther" << "@colorOther";
    QTest::newRow("no variable") << "QWidget {}" << "QWidget {}";
    QTest::newRow("empty") << "" << "";
}

void ThemeTest::colourReplacement()
{
    QFETCH(QString, sheet);
    QFETCH(QString, expected);
    QCOMPARE(applyThemeColours(sheet), expected);
}

void ThemeTest::paletteCoversEveryGroup_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");

    const QColor accent(232, 78, 15), bright(255, 36, 0), background(2, 35, 43);
    QTest::newRow("Text") << int(QPalette::Text) << accent;
    QTest::newRow("WindowText") << int(QPalette::WindowText) << accent;
    QTest::newRow("Highlight") << int(QPalette::Highlight) << accent;
    QTest::newRow("BrightText") << int(QPalette::BrightText) << bright;
    QTest::newRow("Window") << int(QPalette::Window) << background;
    QTest::newRow("Base") << int(QPalette::Base) << background;
    QTest::newRow("AlternateBase") << int(QPalette::AlternateBase) << background;
    QTest::newRow("Dark") << int(QPalette::Dark) << background;
    QTest::newRow("Shadow") << int(QPalette::Shadow) << background;
    QTest::newRow("HighlightedText") << int(QPalette::HighlightedText) << background;
}

void ThemeTest::paletteCoversEveryGroup()
{
    QFETCH(int, role);
    QFETCH(QColor, colour);
    const QPalette palette = darkPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QBrush brush = palette.brush(group, QPalette::ColorRole(role));
        QCOMPARE(brush.color(), colour);
        QCOMPARE(brush.style(), Qt::SolidPattern);
    }
}

void ThemeTest::styleFileIsLatin1UpToFirstZero()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("style.css")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray bytes("QLabel { color: @colorRival; } /* caf\xe9 */\n");
    bytes.append('\0');
    bytes.append("QWidget { color: red; }");
    file.write(bytes);
    file.close();

    LogCapture log;
    const std::optional<QString> sheet = loadStyleSheet(file.fileName());
    QVERIFY(sheet.has_value());
    QCOMPARE(*sheet, QString::fromUtf8("QLabel { color: #e84e0f; } /* caf\u00e9 */\n"));
    QCOMPARE(log.messages(), QStringList{"Opened style file"});
}

void ThemeTest::missingStyleFile()
{
    LogCapture log;
    QVERIFY(!loadStyleSheet(QStringLiteral(":/style_dark/missing.css")).has_value());
    QCOMPARE(log.messages(), QStringList{"Style file not open"});
}

void ThemeTest::builtInStyleSheetApplies()
{
    const std::optional<QString> sheet = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
    QVERIFY(sheet.has_value());
    QVERIFY(sheet->contains(QLatin1String("#e84e0f")));
    QVERIFY2(!sheet->contains(QLatin1String("@color")), "a colour variable outside the table");
    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    for (auto match = url.globalMatch(*sheet); match.hasNext();) {
        const QString image = match.next().captured(1);
        QVERIFY2(!QImage(image).isNull(), qPrintable(image));
    }

    // Qt reports a sheet it cannot parse only when a widget is polished with it.
    LogCapture log;
    qApp->setStyleSheet(*sheet);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *tabs = new QTabWidget;
    tabs->addTab(new QLabel(QStringLiteral("label")), QStringLiteral("tab"));
    layout->addWidget(tabs);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             new QPushButton(QStringLiteral("button")), new QCheckBox(QStringLiteral("check")),
             new QComboBox, new QSpinBox, new QSlider(Qt::Horizontal), new QGroupBox(QStringLiteral("group")),
             new QScrollArea})
        layout->addWidget(widget);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    qApp->setStyleSheet(QString());
    for (const QString &message : log.messages())
        QVERIFY2(!message.contains(QLatin1String("Could not parse")), qPrintable(message));
}

void ThemeTest::windowIconHasSeveralSizes()
{
    QImageReader reader(QStringLiteral(":/graphics2/veltrane2.ico"));
    QVERIFY(reader.canRead());
    QList<int> widths;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QCOMPARE(image.width(), image.height());
        widths << image.width();
    }
    for (int size : {16, 32, 48, 256})
        QVERIFY2(widths.contains(size), qPrintable(QString::number(size)));
}

void ThemeTest::fontGrowsByTwoPoints()
{
    QFont font(QStringLiteral("Sans"), 9);
    QCOMPARE(enlargedFont(font).pointSize(), 11);
    font.setPixelSize(12); // no point size to enlarge
    QCOMPARE(enlargedFont(font).pixelSize(), 12);
}


namespace {
// Relative luminance of "#rrggbb"; -1 for anything else.
double luminance(const QString &hex)
{
    bool ok = hex.size() == 7 && hex.startsWith(QLatin1Char('#'));
    const unsigned rgb = hex.mid(1).toUInt(&ok, 16);
    auto channel = [](unsigned byte) {
        const double v = byte / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return ok ? 0.2126 * channel(rgb >> 16) + 0.7152 * channel((rgb >> 8) & 0xff) + 0.0722 * channel(rgb & 0xff) : -1;
}

double contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// The value of `property` inside the first rule for exactly `selector`.
QString ruleValue(const QString &sheet, const QString &selector, const QString &property)
{
    const QRegularExpression rule(QLatin1String("(^|\\n)") + QRegularExpression::escape(selector)
                                  + QLatin1String("\\s*\\{([^}]*)\\}"));
    const QString body = rule.match(sheet).captured(2);
    const QRegularExpression value(QLatin1String("(^|[;\\s])") + QRegularExpression::escape(property)
                                   + QLatin1String("\\s*:\\s*([^;]+);"));
    return value.match(body).captured(2).trimmed();
}
} // namespace

void ThemeTest::progressBarTextReadsOnBothParts()
{
    // The percentage sits over the trough below the value and over the fill above it.
    const std::optional<QString> sheet = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
    QVERIFY(sheet.has_value());
    const double text = luminance(ruleValue(*sheet, QStringLiteral("QProgressBar"), QStringLiteral("color")));
    const double trough =
        luminance(ruleValue(*sheet, QStringLiteral("QProgressBar"), QStringLiteral("background-color")));
    const double fill =
        luminance(ruleValue(*sheet, QStringLiteral("QProgressBar::chunk"), QStringLiteral("background-color")));
    QVERIFY(text >= 0 && trough >= 0 && fill >= 0);
    QVERIFY2(contrast(text, trough) >= 4.5, qPrintable(QString::number(contrast(text, trough))));
    QVERIFY2(contrast(text, fill) >= 4.5, qPrintable(QString::number(contrast(text, fill))));
}

// Fills and text colours the sheet chooses itself (not the four theme colours) keep normal
// text at 4.5:1 or more. A rule without its own text colour shows the orange of QWidget.
void ThemeTest::textOnOurFillsReads_data()
{
    QTest::addColumn<QString>("textRule");
    QTest::addColumn<QString>("textProperty");
    QTest::addColumn<QString>("fillRule");
    QTest::addColumn<QString>("fillProperty");
    const QString widget = QStringLiteral("QWidget");
    const QString color = QStringLiteral("color");
    const QString background = QStringLiteral("background-color");
    for (const char *rule : {"QPushButton", "QPushButton:hover", "QToolButton", "QTabBar::tab", "QTabBar::tab:hover",
                             "QHeaderView::section", "QAbstractItemView", "QAbstractItemView::item:hover", "QMenu",
                             "QToolTip", "#titleBar"})
        QTest::newRow(rule) << widget << color << QString::fromLatin1(rule) << background;
    QTest::newRow("alternate rows") << widget << color << QStringLiteral("QAbstractItemView")
                                    << QStringLiteral("alternate-background-color");
    for (const char *rule : {"QAbstractItemView::item:selected", "QMenu::item:selected"})
        QTest::newRow(rule) << QString::fromLatin1(rule) << color << QString::fromLatin1(rule) << background;
    QTest::newRow("pressed button") << QStringLiteral("QPushButton:pressed,\nQPushButton:checked") << color
                                    << QStringLiteral("QPushButton:pressed,\nQPushButton:checked") << background;
}

void ThemeTest::textOnOurFillsReads()
{
    QFETCH(QString, textRule);
    QFETCH(QString, textProperty);
    QFETCH(QString, fillRule);
    QFETCH(QString, fillProperty);
    const std::optional<QString> sheet = loadStyleSheet(QStringLiteral(":/style_dark/darkorange.css"));
    QVERIFY(sheet.has_value());
    const double text = luminance(ruleValue(*sheet, textRule, textProperty));
    const double fill = luminance(ruleValue(*sheet, fillRule, fillProperty));
    QVERIFY2(text >= 0 && fill >= 0, "both colours are #rrggbb");
    QVERIFY2(contrast(text, fill) >= 4.5, qPrintable(QString::number(contrast(text, fill))));
}

QTEST_MAIN(ThemeTest)
#include "tst_theme.moc"
