// The main window's layout: every control the window's logic addresses by name exists
// once, with its type, text, tool tip and range, and the tabs, the disconnected look,
// the language choice and the safety note behave as the window's users expect.

#include "ui/pages/advancedpage.h"
#include "tests/support/manualclock.h"
#include "ui/mw2.h"
#include "ui/pages/profilespage.h"
#include "tests/support/sessionfixture.h"
#include "common/widgets/warningnotelabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QtTest>

#include <memory>

namespace {

const QString kNameRule = QStringLiteral("Only space, A-Z, a-z, 0-9, -_()/° are accepted. "
                                         "Maximum length of profile name is 24 characters.");

// Runs the tool as the version that ran last, so no changelog interrupts a tick.
void markVersionSeen(const QString &version)
{
    QSettings("Halvern Labs", "Veltrane2").setValue("Version", version);
    // Telemetry answered (declined): no consent question, nothing sent.
    QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsentVersion", 1);
    QSettings("Halvern Labs", "Veltrane2").setValue("TelemetryConsent", 2);
}

QString textOf(const QObject *object)
{
    if (auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    return object->property("text").toString();
}

QImage rgbImage(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// Types each character as a key press carrying its text; QTest::keyClicks only knows ASCII.
void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
    }
}

bool isThemeOrange(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 140 && qBlue(pixel) < 80; }

} // namespace

class TestMw2Layout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void namedWidgets_data();
    void namedWidgets();
    void objectNamesAreUnique();
    void ranges_data();
    void ranges();
    void choiceLists_data();
    void choiceLists();
    void styleSheets_data();
    void styleSheets();
    void tabsCarryIconAndToolTipOnly_data();
    void tabsCarryIconAndToolTipOnly();
    void startState();
    void disconnectedLookAndBack();
    void updatesLinkOpensReleaseNotes();
    void languageButtonStoresChosenCode_data();
    void languageButtonStoresChosenCode();
    void profileNameEditorsFilterInput_data();
    void profileNameEditorsFilterInput();
    void warningSignFollowsNote();
    void builtInWheelPicture();
    void everyParameterControlExplainsItself();

private:
    // One window for the checks that only read the layout; it never ticks.
    std::unique_ptr<SessionFixture> sharedFixture_;
    std::unique_ptr<MW2> window_;
};

void TestMw2Layout::initTestCase()
{
    sharedFixture_ = std::make_unique<SessionFixture>();
    window_ = std::make_unique<MW2>(sharedFixture_->session, sharedFixture_->prompts, "1.0.15", "2020.1");
    for (QTimer *timer : window_->findChildren<QTimer *>())
        timer->stop();
}

void TestMw2Layout::cleanupTestCase()
{
    window_.reset();
    sharedFixture_.reset();
}

void TestMw2Layout::init() { markVersionSeen("1.0.15"); }

void TestMw2Layout::namedWidgets_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");    // null: not checked
    QTest::addColumn<QString>("toolTip"); // null: not checked

    auto row = [](const char *name, const char *type, const QString &text = QString(),
                  const QString &toolTip = QString()) {
        QTest::newRow(name) << QString::fromLatin1(type) << text << toolTip;
    };

    // Status strip and bottom row.
    row("hightorquemodeheadinglabel", "QLabel", "HIGH TORQUE MODE:");
    row("hightorquemodetextlabel", "QLabel");
    row("activeprofileheadinglabel", "QLabel", "ACTIVE PROFILE:");
    row("activeprofilestatusfieldlabel", "QLabel");
    row("estopheadinglabel", "QLabel", "E-STOP & MOTOR STATUS:");
    row("estopLabel", "QLabel", QString(), "Toggle E-stop to clear faults (if any).");
    row("operatingmodeheadinglabel", "QLabel", "OPERATING MODE:");
    row("operationalLabel", "QLabel");
    row("activateHighTorquepushbutton", "QPushButton");
    row("enabletorquepushButton", "QPushButton", "Re-enable Torque");
    row("tabWidget", "QTabWidget");
    row("unsafesettingsnote", "WarningNoteLabel");
    row("SaveToFlashButton", "QPushButton", "Save settings to Veltrane");

    // Overview.
    row("wheelLabel", "QLabel");
    row("wheelpositiontextlabel", "QLabel", "Wheel position");
    row("WheelDegreesLabel", "QLabel");
    row("resetWheelCenterpushButton", "QPushButton", "Reset center");
    row("analoginputsgroupBox", "QGroupBox", "Analog inputs");
    row("buttonsgroupBox", "QGroupBox", "Buttons 1-128");
    for (const char *bar : {"yProgressBar", "zProgressBar", "BrakeProgressBar", "ThrottleprogressBar",
                            "ClutchprogressBar", "RudderprogressBar", "HatprogressBar"})
        row(bar, "QProgressBar");
    for (const char *label : {"yLabel", "zLabel", "BrakeLabel", "Throttlelabel", "Clutchlabel",
                              "Rudderlabel", "hatlabel"})
        row(label, "QLabel");
    for (const char *buttons : {"buttonsLabel_1", "buttonsLabel_2", "buttonsLabel_3", "buttonsLabel_4"})
        row(buttons, "QLabel", QString(32, QChar(0x25CB)));

    // Wireless.
    row("wirelesswheellayout", "QVBoxLayout");
    row("wirelesswheellabel", "QLabel", "");
    row("wirelessbatterylabel", "QLabel", "");
    row("wirelessconnectionqualitylabel", "QLabel", "");

    // Profiles: management.
    row("profilemanagementgroupBox", "QGroupBox", "Management");
    row("selectprofilecomboBox", "QComboBox");
    row("addprofilespushButton", "QPushButton", "Add");
    row("exportprofilespushbutton", "QPushButton", "Export");
    row("importprofilespushbutton", "QPushButton", "Import");
    row("setdefaultprofilepushbutton", "QPushButton", "Set Default");
    row("copyprofilepushButton", "QPushButton", "Copy");
    row("reorderprofilespushbutton", "QPushButton", "Rearrange");
    row("deleteprofilepushbutton", "QPushButton", "Delete");
    row("defaultProfileLabel", "QLabel");
    row("importexportstatuslabel", "QLabel");

    // Profiles: simple view.
    row("simplegroupBox", "QGroupBox", "Simple mode");
    row("simpleprofilenamelineEdit", "QLineEdit", QString(), kNameRule);
    row("simpleoverallgainSlider", "QSlider");
    row("simplestrengthlabel", "QLabel");
    row("simplesteeringrangehorizontalSlider", "QSlider");
    row("simplesteeringrangelabel", "QLabel");
    row("simpleunsettemporarysteeringanglepushbutton", "QPushButton");
    row("simplesmoothnesshorizontalSlider", "QSlider");
    row("simplesmoothnesslabel", "QLabel");
    row("simpledampinghorizontalSlider", "QSlider");
    row("simpledampinglabel", "QLabel");
    row("advancedpushButton", "QPushButton", "Go to advanced mode");

    // Profiles: advanced view.
    row("advancedgroupBox", "QGroupBox", "Advanced mode");
    row("generalgroupBox", "QGroupBox", "General");
    row("constantfiltersgroupBox", "QGroupBox", "Constantly Operating Filters");
    row("otherfiltersgroupBox", "QGroupBox", "Other Filters");
    row("directinputgroupBox", "QGroupBox", "DirectInput Effect Fine Tuning");
    row("vt2cendrasettingsgroupbox", "QGroupBox", "Veltrane 2 Cendra and early access filters");
    row("profilenamelineEdit", "QLineEdit");
    row("OverallGainSlider", "QSlider");
    row("overallgainvaluelabel", "QLabel");
    row("actualcurrentlabel", "QLabel");
    row("SteeringAngleSpinBox", "QSpinBox");
    row("temporarysteeringanglelabel", "QLabel");
    row("unsetTemporarySteeringAnglepushButton", "QPushButton");
    row("endstopanglehorizontalSlider", "QSlider");
    row("endstoplocktolocklabel", "QLabel");
    row("simplemodepushButton", "QPushButton");
    row("torque_lpf_comboBox", "QComboBox");
    row("oskaFilterComboBox", "QComboBox");
    row("centerfreqDoubleSpinBox", "QDoubleSpinBox");
    row("qFactorDoubleSpinBox", "QDoubleSpinBox");
    row("attenuationDoubleSpinBox", "QDoubleSpinBox");
    const char *sliderAndLabel[][2] = {
        {"oskadampinghorizontalslider", "oskadampinglabel"},
        {"oskafrictionhorizontalslider", "oskafrictionlabel"},
        {"oskainertiahorizontalslider", "oskainertialabel"},
        {"centerdampingslider", "centerdampinglabel"},
        {"oskastaticforcereductionhorizontalslider", "oskastaticforcesaturationlabel"},
        {"staticforcereductionspeedhorizontalSlider", "staticforcereductionspeedlabel"},
        {"slewratehorizontalSlider", "slewratelabel"},
        {"gammahorizontalslider", "gammalabel"},
        {"centerdampinganglespanhorizontalslider", "centerdampinganglespanlabel"},
        {"ultralowlatencyhorizontalSlider", "ultralowlatencylabel"},
        {"sinehorizontalSlider", "sinestrengthlabel"},
        {"squarehorizontalSlider", "squarestrengthlabel"},
        {"springhorizontalSlider", "springlabel"},
        {"frictionSlider", "frictionvaluelabel"},
        {"dampingslider", "dampingeffectvaluelabel"},
        {"trianglehorizontalSlider", "trianglestrengthlabel"},
        {"sawtoothhorizontalSlider", "sawtoothstrengthlabel"},
    };
    for (const auto &pair : sliderAndLabel) {
        row(pair[0], "QSlider");
        row(pair[1], "QLabel");
    }
    for (const char *marker : {"sinewaveactivelabel", "dampingeffectactivelabel", "frictioneffectactivelabel",
                               "squarewaveactivelabel", "triangleeffectactivelabel",
                               "sawtootheffectactivelabel", "springeffectactivelabel"})
        row(marker, "QLabel", "-");

    // Hardware.
    row("hardwaresetupgroupBox", "QGroupBox");
    row("bumpstopgroupBox", "QGroupBox", "Bumpstop Effect");
    row("desktopcenteringgroupBox", "QGroupBox", "Desktop Centering Spring");
    row("safetyfeaturesgroupBox", "QGroupBox", "Safety features");
    row("beepsgroupBox", "QGroupBox", "Audible notification beeps");
    row("usbsettingsgroupBox", "QGroupBox", "USB Settings");
    row("generalinformationgroupBox", "QGroupBox", "General information");
    const char *hardwareSliders[][2] = {
        {"bumbstopstrengthhorizontalSlider", "bumbstopstrengthlabel"},
        {"bumbstopramprangehorizontalSlider", "bumbstopramprangelabel"},
        {"bumbstopdampinghorizonalSlider", "bumbstopdampinglabel"},
        {"desktopcenteringhorizontalSlider", "desktopcenteringstrengthlabel"},
        {"handsoffhorizontalSlider", "handsofflabel"},
    };
    for (const auto &pair : hardwareSliders) {
        row(pair[0], "QSlider");
        row(pair[1], "QLabel");
    }
    for (const char *box : {"torqueclippingcheckBox", "resonancereductioncheckBox", "audibleBeebsCheckBox",
                            "usbrecoverycheckbox", "usbsuspendcheckBox"})
        row(box, "QCheckBox");
    row("encodercountslabel", "QLabel");
    row("peakcurrentlabel", "QLabel");
    row("configureanalogspushbutton", "QPushButton", "Configure Analog Inputs");

    // Advanced information.
    row("advancedActionsGroupBox", "QGroupBox");
    for (const char *label : {"veltrane2versionlabel", "fwversionLabel", "firmwarestatuslabel",
                              "oskafwversionLabel", "conftoolversionLabel", "releaseversionlabel",
                              "clickhereforupdateslabel", "statusbitslabel", "ffbeffectslabel",
                              "debugvaluetext", "smbusfaultslabel"})
        row(label, "QLabel");
    row("resetffbstatepushButton", "QPushButton", "Reset FFB device state");
    row("ReloadFlashButton", "QPushButton", "Reload settings from Veltrane");
    row("RestartEverythingFromScratchButton", "QPushButton", "Start everything from scratch");
    row("languageselectcomboBox", "QComboBox");
    row("languagechangepushButton", "QPushButton", "Set this language (requires restart)");
    row("eventlogpushButton", "QPushButton", "Download debug event log");
    row("eventlogverbositycomboBox", "QComboBox");
    row("seteventlogverbositypushButton", "QPushButton", "Set this log verbosity level");
    row("telemetrygroupBox", "QGroupBox", "Telemetry Settings");
    row("telemetryConsentLabel", "QLabel");
    row("configureTelemetryConsentButton", "QPushButton", "Consent...");
    row("telemetryStatusLabel", "QLabel");
    row("checkTelemetryNowButton", "QPushButton", "Upload Telemetry Now");
    row("debuginformationgroupBox", "QGroupBox", "Debug Information");
    row("mousewheelfiltercheckBox", "QCheckBox", "Prevent mouse wheel from changing profile settings");
}

void TestMw2Layout::namedWidgets()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QObject *> found = window_->findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *object = found.first();
    QVERIFY2(object->inherits(type.toLatin1().constData()), object->metaObject()->className());
    if (!text.isNull())
        QCOMPARE(textOf(object), text);
    if (!toolTip.isNull())
        QCOMPARE(object->property("toolTip").toString(), toolTip);
}

// The window's logic finds its widgets by name across all pages; a name used twice
// would silently bind to the wrong one.
void TestMw2Layout::objectNamesAreUnique()
{
    QMap<QString, int> uses;
    for (const QObject *object : window_->findChildren<QObject *>()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            ++uses[name];
    }
    QStringList twice;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        if (it.value() > 1)
            twice << it.key();
    }
    QVERIFY2(twice.isEmpty(), qPrintable(twice.join(' ')));
}

void TestMw2Layout::ranges_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step"); // 0: not checked

    auto row = [](const char *name, double minimum, double maximum, double step = 0) {
        QTest::newRow(name) << minimum << maximum << step;
    };
    row("OverallGainSlider", 10, 100);
    row("simpleoverallgainSlider", 1, 100);
    for (const char *gain : {"sinehorizontalSlider", "squarehorizontalSlider", "springhorizontalSlider",
                             "frictionSlider", "dampingslider", "trianglehorizontalSlider",
                             "sawtoothhorizontalSlider"})
        row(gain, 0, 200);
    for (const char *drive : {"oskadampinghorizontalslider", "oskafrictionhorizontalslider",
                              "oskainertiahorizontalslider", "centerdampingslider"})
        row(drive, 0, 100);
    row("simplesteeringrangehorizontalSlider", 0, 5);
    row("simplesmoothnesshorizontalSlider", 0, 4);
    row("simpledampinghorizontalSlider", 0, 4);
    row("SteeringAngleSpinBox", 40, 2160, 10);
    row("staticforcereductionspeedhorizontalSlider", 500, 2000);
    row("gammahorizontalslider", 500, 2000, 10);
    row("slewratehorizontalSlider", 100, 9500, 10);
    row("centerdampinganglespanhorizontalslider", 0, 100);
    row("ultralowlatencyhorizontalSlider", 0, 20);
    row("handsoffhorizontalSlider", 0, 3);
    row("centerfreqDoubleSpinBox", 1.0, 409.5, 0.1);
    row("qFactorDoubleSpinBox", 0.1, 25.5, 0.1);
    row("attenuationDoubleSpinBox", -25.5, -0.1, 0.1);
    for (const char *bar : {"yProgressBar", "zProgressBar", "BrakeProgressBar", "ThrottleprogressBar",
                            "ClutchprogressBar", "RudderprogressBar", "HatprogressBar"})
        row(bar, 0, 65535);
}

void TestMw2Layout::ranges()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, step);
    QWidget *control = window_->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->property("minimum").toDouble(), minimum);
    QCOMPARE(control->property("maximum").toDouble(), maximum);
    if (step != 0)
        QCOMPARE(control->property("singleStep").toDouble(), step);
}

void TestMw2Layout::choiceLists_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::newRow("torque_lpf_comboBox")
        << QStringList{"100 Hz",  "150 Hz",  "220 Hz",  "330 Hz",  "470 Hz",  "680 Hz",
                       "1000 Hz", "1500 Hz", "2200 Hz", "3300 Hz", "4700 Hz", "Unlimited"};
    QTest::newRow("oskaFilterComboBox") << QStringList{"Off", "1 Minimum, \"fast\"", "2", "3", "4", "5",
                                                       "6", "7", "8", "9", "10 Maximum, \"slow\""};
    QTest::newRow("eventlogverbositycomboBox")
        << QStringList{"Normal events and state changes", "FFB effect creation, deletion and activation",
                       "FFB effect value data (warning: fills log very fast)"};
}

void TestMw2Layout::choiceLists()
{
    QFETCH(QStringList, items);
    auto *box = window_->findChild<QComboBox *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    QCOMPARE(shown, items);
}

void TestMw2Layout::styleSheets_data()
{
    QTest::addColumn<QString>("styleSheet");
    QTest::newRow("tabWidget") << "QTabWidget::tab-bar{alignment:center; }";
    QTest::newRow("simplegroupBox") << "QGroupBox {border:none;}";
    QTest::newRow("advancedgroupBox") << "QGroupBox {border:none;}";
}

void TestMw2Layout::styleSheets()
{
    QFETCH(QString, styleSheet);
    auto *widget = window_->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(widget->styleSheet(), styleSheet);
}

void TestMw2Layout::tabsCarryIconAndToolTipOnly_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pageClass");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("OverviewTab") << 0 << "OverviewPage" << ":/graphics2/icons/overview.png" << "Overview";
    QTest::newRow("wirelesswheelstab") << 1 << "WirelessPage" << ":/graphics2/icons/wireless.png"
                                       << "Veltrane Wireless Wheels";
    QTest::newRow("ProfilesTab") << 2 << "ProfilesPage" << ":/graphics2/icons/profiles.png" << "Profiles";
    QTest::newRow("hardwaresetuptab") << 3 << "HardwarePage" << ":/graphics2/icons/hardware.png"
                                      << "Hardware Settings";
    QTest::newRow("advancedtab") << 4 << "AdvancedPage" << ":/graphics2/icons/advanced.png"
                                 << "Advanced information";
}

void TestMw2Layout::tabsCarryIconAndToolTipOnly()
{
    QFETCH(int, index);
    QFETCH(QString, pageClass);
    QFETCH(QString, icon);
    QFETCH(QString, toolTip);
    auto *tabs = window_->findChild<QTabWidget *>("tabWidget");
    QCOMPARE(tabs->count(), 5);

    QWidget *page = tabs->widget(index);
    QCOMPARE(page->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(QString::fromLatin1(page->metaObject()->className()), pageClass);
    QVERIFY(tabs->tabText(index).isEmpty());
    QCOMPARE(tabs->tabToolTip(index), toolTip);

    // The tab shows the very picture of the resource, not merely some icon.
    const QImage expected = QImage(icon).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!expected.isNull());
    QCOMPARE(rgbImage(tabs->tabIcon(index).pixmap(expected.size())), expected);
}

void TestMw2Layout::startState()
{
    markVersionSeen("9.8.7");
    SessionFixture fixture(SessionFixture::operationalCendra(), 0, "9.8.7");
    MW2 window{fixture.session, fixture.prompts, "9.8.7", "2031.4"};
    QCOMPARE(window.findChild<QLabel *>("conftoolversionLabel")->text(), QString("9.8.7"));
    QCOMPARE(window.findChild<QLabel *>("releaseversionlabel")->text(), QString("2031.4"));
    QVERIFY(window.findChild<QCheckBox *>("mousewheelfiltercheckBox")->isChecked());
    QVERIFY(!window.findChild<QPushButton *>("SaveToFlashButton")->isEnabled());
    QCOMPARE(window.findChild<QTabWidget *>("tabWidget")->currentIndex(), 0);
    // Exactly one of the two profile views is shown at a time.
    QVERIFY(window.findChild<QGroupBox *>("simplegroupBox")->isHidden()
            != window.findChild<QGroupBox *>("advancedgroupBox")->isHidden());
}

void TestMw2Layout::disconnectedLookAndBack()
{
    ManualClock clock;
    SessionFixture fixture;
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    const QStringList deviceControls{"advancedActionsGroupBox", "OverviewTab",  "ProfilesTab",
                                     "hardwaresetupgroupBox",   "activateHighTorquepushbutton",
                                     "wirelesswheelstab",       "resetWheelCenterpushButton",
                                     "wheelpositionarea"};
    auto widget = [&](const QString &name) { return window.findChild<QWidget *>(name); };
    auto label = [&](const char *name) { return window.findChild<QLabel *>(name); };

    auto verifyDisconnectedLook = [&] {
        for (const QString &name : deviceControls)
            QVERIFY2(!widget(name)->isEnabled(), qPrintable(name));
        QCOMPARE(label("operationalLabel")->text(), QString("Disconnected"));
        QCOMPARE(label("estopLabel")->text(), QString("Unknown"));
        QCOMPARE(label("WheelDegreesLabel")->text(), QString("???.?? °"));
        QCOMPARE(label("activeprofilestatusfieldlabel")->text(), QString("Unknown"));
        for (const char *name : {"operationalLabel", "estopLabel", "WheelDegreesLabel"})
            QVERIFY2(label(name)->styleSheet().contains("#af1d1f"), name);
        QVERIFY(widget("enabletorquepushButton")->isHidden());
    };

    verifyDisconnectedLook(); // as built, before any tick

    fixture.session.statusTick(); // connects and reloads
    fixture.session.statusTick(); // first connected refresh
    QVERIFY(fixture.link().connected());
    for (const QString &name : deviceControls)
        QVERIFY2(widget(name)->isEnabled(), qPrintable(name));
    QCOMPARE(label("operationalLabel")->text(), QString("Operational"));
    QVERIFY(!label("WheelDegreesLabel")->styleSheet().contains("#af1d1f"));
    // The firmware check of the connection speaks through the versions box.
    QCOMPARE(label("firmwarestatuslabel")->text(), QString("Correct firmware is installed!"));
    QVERIFY(label("firmwarestatuslabel")->styleSheet().contains("#e84e0f"));

    fixture.base->unplug();
    fixture.session.statusTick(); // the status request fails
    fixture.session.statusTick(); // the disconnected path
    verifyDisconnectedLook();
}

void TestMw2Layout::updatesLinkOpensReleaseNotes()
{
    AdvancedPage page;
    auto *link = page.findChild<QLabel *>("clickhereforupdateslabel");
    QCOMPARE(link->text(), QString("<a style=\"color:#e84e0f;\" href=\"https://veltrane.example/tunemark/"
                                   "releases\"> Click here for updates </a>"));
    QCOMPARE(link->textFormat(), Qt::RichText);
    QVERIFY(link->openExternalLinks());
    QVERIFY(link->textInteractionFlags() & Qt::LinksAccessibleByMouse);
}

void TestMw2Layout::languageButtonStoresChosenCode_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("stored"); // null: nothing stored

    const QStringList shipped{"veltranetuner_de.qm", "veltranetuner_fi.qm", "veltranetuner_pt_BR.qm"};
    QTest::newRow("second of three") << shipped << 1 << QStringList{"German", "Finnish", "Portuguese"}
                                     << "fi";
    QTest::newRow("code with territory") << shipped << 2 << QStringList{"German", "Finnish", "Portuguese"}
                                         << "pt_BR";
    QTest::newRow("nothing shipped") << QStringList{} << -1 << QStringList{} << QString();
}

void TestMw2Layout::languageButtonStoresChosenCode()
{
    QFETCH(QStringList, files);
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    QFETCH(QString, stored);
    QTemporaryDir folder;
    for (const QString &file : files) {
        QFile qm(folder.filePath(file));
        QVERIFY(qm.open(QIODevice::WriteOnly));
    }
    QSettings languageSettings("Halvern Labs", "VeltRANE");
    languageSettings.remove("Langselection");

    AdvancedPage page;
    page.listLanguages(folder.path());
    auto *box = page.findChild<QComboBox *>("languageselectcomboBox");
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    QCOMPARE(listed, shown);

    box->setCurrentIndex(row);
    page.findChild<QPushButton *>("languagechangepushButton")->click();
    languageSettings.sync();
    QCOMPARE(languageSettings.value("Langselection").toString(), stored);
    QCOMPARE(languageSettings.contains("Langselection"), !stored.isNull());
}

void TestMw2Layout::profileNameEditorsFilterInput_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    for (const char *editor : {"profilenamelineEdit", "simpleprofilenamelineEdit"}) {
        QTest::addRow("%s allowed", editor) << editor << "Rally 2 (gravel)/900° my_set-A"
                                            << "Rally 2 (gravel)/900° my";
        QTest::addRow("%s foreign", editor) << editor << "Fahrt: Nürburg!" << "Fahrt Nrburg";
    }
}

void TestMw2Layout::profileNameEditorsFilterInput()
{
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ProfilesPage page;
    auto *line = page.findChild<QLineEdit *>(editor);
    typeText(line, typed);
    QCOMPARE(line->text(), kept);
}

void TestMw2Layout::warningSignFollowsNote()
{
    QWidget host;
    host.setStyleSheet("QWidget { background-color: #02232b; }");
    auto *note = new WarningNoteLabel(&host);
    note->resize(500, 40);

    QVERIFY(note->signRect().isEmpty());
    const QRect signArea(0, 0, note->contentsMargins().left(), note->height());
    QImage empty = note->grab().toImage();
    for (int x = 0; x < signArea.width(); ++x)
        QVERIFY2(!isThemeOrange(empty.pixel(x, signArea.center().y())), "sign drawn without a note");

    note->setText("Unsafe to apply or save settings - would cause immediate torque!");
    const QRect sign = note->signRect();
    QVERIFY(!sign.isEmpty());
    QVERIFY(signArea.contains(sign)); // the sign never covers the text
    const QImage shown = note->grab().toImage();
    // Lower middle of the triangle, beside the exclamation mark: the sign's orange.
    const QPoint body(sign.left() + sign.width() / 4, sign.top() + sign.height() * 3 / 4);
    QVERIFY(isThemeOrange(shown.pixel(body)));

    note->clear();
    QVERIFY(note->signRect().isEmpty());
}

void TestMw2Layout::builtInWheelPicture()
{
    const QImage wheel(":/graphics2/veltrane2_gui_wheel_1_400px.png");
    QCOMPARE(wheel.size(), QSize(400, 400));
    // Transparent around the rim, so the turned picture shows no square.
    for (const QPoint corner : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 399), QPoint(399, 399)})
        QCOMPARE(qAlpha(wheel.pixel(corner)), 0);
    // The marker at twelve o'clock is orange; six o'clock is not, so turning shows.
    QVERIFY(isThemeOrange(wheel.pixel(200, 30)));
    QVERIFY(!isThemeOrange(wheel.pixel(200, 370)));
    QVERIFY(!isThemeOrange(wheel.pixel(30, 200)));
}

void TestMw2Layout::everyParameterControlExplainsItself()
{
    // A control added to either page without help shows up here by name.
    for (const char *page : {"ProfilesTab", "hardwaresetuptab"}) {
        QWidget *tab = window_->findChild<QWidget *>(page);
        QVERIFY(tab);
        QList<QWidget *> controls;
        for (QWidget *widget : tab->findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractSlider *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
                || qobject_cast<QComboBox *>(widget) || qobject_cast<QCheckBox *>(widget)
                || (qobject_cast<QLineEdit *>(widget) && !qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
                    && !qobject_cast<QComboBox *>(widget->parentWidget())))
                controls << widget;
        }
        QVERIFY(controls.size() > 0);
        for (QWidget *control : qAsConst(controls)) {
            // The profile box and the reorder list belong to profile management, not to a parameter.
            if (control->objectName().isEmpty() || control->objectName() == QLatin1String("selectprofilecomboBox"))
                continue;
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(!control->whatsThis().isEmpty(), qPrintable(control->objectName()));
        }
    }
}

QTEST_MAIN(TestMw2Layout)
#include "tst_mw2layout.moc"
