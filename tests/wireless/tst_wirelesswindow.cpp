// The wireless wheels in the window against the virtual base: the monitor's lines and the
// wheel's picture, the picture-mapping dialog, and the embedded pairing panel scanning,
// connecting, disconnecting and forgetting, also when the base misbehaves.

#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "wireless/wbpconfigurationdialog.h"
#include "wireless/wirelessmonitor.h"
#include "wireless/wirelesswindowpart.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int kConnectWireless = 0x87;
constexpr int kWriteHardware = 0x7A;

struct Window {
    ManualClock clock;
    SessionFixture fixture;
    ScriptedPrompts prompts;
    MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};

    Window()
    {
        QSettings("Halvern Labs", "Veltrane2").remove("wheels");
        base().wirelessReceiverPresent = true;
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        tick();
        tick();
    }

    basesim::BaseState &base() { return fixture.base->state(); }
    DeviceLink &link() { return fixture.link(); }
    WirelessMonitor &monitor() { return window.part<WirelessWindowPart>().monitor(); }
    wbpconfigurationdialog &panel() { return window.part<WirelessWindowPart>().receiverPanel(); }
    QTreeWidget *tree() { return panel().findChild<QTreeWidget *>("treeWidget"); }
    void tick() { fixture.session.statusTick(); }
    QString text(const QString &label) { return window.findChild<QLabel *>(label)->text(); }
    QString wheelToolTip() { return window.findChild<QLabel *>("wheelLabel")->toolTip(); }
    void click(const QString &button) { panel().findChild<QPushButton *>(button)->click(); }

    // Connects wheel `index` as the receiver would, and lets the status and monitor see it.
    void connectWheel(std::size_t index)
    {
        base().connectedWheel = index;
        base().setFlag(wire::wirelessConn, true);
        tick();
        monitor().wirelessWheelStatusUpdate();
    }

    QStringList column(int column)
    {
        QStringList texts;
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            texts << tree()->topLevelItem(row)->text(column);
        return texts;
    }

    QList<int> connectIndices() const
    {
        QList<int> indices;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            if (frame[1] == kConnectWireless)
                indices << (frame[2] | frame[3] << 8);
        return indices;
    }
};

} // namespace

class TestWirelessWindow : public QObject {
    Q_OBJECT

private slots:
    void monitorShowsTheConnectedWheel();
    void radioLossClearsTheLinesAndRestoresTheDefaultPicture();
    void flashDelaySkipsTheTicks();
    void markupInAWheelNameIsShownAsText();
    void imageDialogMapsAPictureToTheWheel();
    void panelListsConnectsDisconnectsAndForgets();
    void replacedWheelAtTheSameCountIsConnectedByItsOwnIndex();
    void onlyAnnouncingWheelsPair();
    void countAboveTheTableIsCut();
    void stuckScanningFlagKeepsTheBarBusy();
    void autoConnectSetsOnlyItsBit();
    void panelFollowsTheReceiverAndStaysEmbedded();
};

void TestWirelessWindow::monitorShowsTheConnectedWheel()
{
    Window w;
    w.base().receiver.wheels[0].name = "AR-C28M";
    w.base().receiver.wheels[0].batteryRaw = 69;
    w.base().receiver.wheels[0].connectionQuality = 15;
    w.base().connectedWheel = 0;
    w.base().setFlag(wire::wirelessConn, true);
    w.tick();
    QVERIFY(w.monitor().wirelessStatusTimer().isActive());
    QCOMPARE(w.text("wirelesswheellabel"), QString()); // filled by the first tick, not the poll

    w.monitor().wirelessWheelStatusUpdate();
    QCOMPARE(w.text("wirelesswheellabel"), "Connected: Ascher Racing C28M");
    QCOMPARE(w.text("wirelessbatterylabel"), "Battery: 2.69 V");
    QCOMPARE(w.window.findChild<QLabel *>("wirelessbatterylabel")->styleSheet(), "QLabel {color: #ff2400;}");
    QCOMPARE(w.text("wirelessconnectionqualitylabel"), "Connection: 15%");
    QCOMPARE(w.window.findChild<QLabel *>("wirelessconnectionqualitylabel")->styleSheet(), "QLabel {color: #e84e0f;}");
    QVERIFY(w.monitor().wirelessImageShown());
    QVERIFY(w.wheelToolTip().startsWith("Showing: wheels/AR-C28M.png (or internal file)"));

    // The battery recovers; the picture is not loaded again for the same connection.
    w.base().receiver.wheels[0].batteryRaw = 70;
    QSignalSpy pictures(&w.monitor(), &WirelessMonitor::wheelImageDue);
    w.monitor().wirelessWheelStatusUpdate();
    QCOMPARE(w.text("wirelessbatterylabel"), "Battery: 2.70 V");
    QCOMPARE(pictures.count(), 0);
}

void TestWirelessWindow::radioLossClearsTheLinesAndRestoresTheDefaultPicture()
{
    Window w;
    w.connectWheel(0);
    QVERIFY(!w.text("wirelesswheellabel").isEmpty());

    basesim::loseWirelessWheel(w.base());
    QVERIFY(w.base().hasFlag(wire::wirelessTorqueOffEvent));
    w.tick();
    QCOMPARE(w.text("wirelesswheellabel"), QString());
    QCOMPARE(w.text("wirelessbatterylabel"), QString());
    QCOMPARE(w.text("wirelessconnectionqualitylabel"), QString());
    QVERIFY(!w.monitor().wirelessStatusTimer().isActive());
    QVERIFY(!w.monitor().wirelessImageShown());
    QVERIFY(w.wheelToolTip().startsWith("Showing: wheels/wheelimage.png (or internal file)"));

    // The base goes away altogether while a wheel is shown: the same clean slate.
    w.connectWheel(0);
    QVERIFY(w.monitor().wirelessImageShown());
    w.fixture.base->unplug();
    w.tick(); // the failed read
    w.tick(); // the window learns the base has gone
    QVERIFY(!w.monitor().wirelessStatusTimer().isActive());
    QCOMPARE(w.text("wirelesswheellabel"), QString());
}

void TestWirelessWindow::flashDelaySkipsTheTicks()
{
    Window w;
    w.base().connectedWheel = 0;
    w.base().setFlag(wire::wirelessConn, true);
    w.tick();
    const std::size_t before = w.fixture.base->receivedFrames().size();
    w.link().gate().startFlashDelay(LinkGate::FlashWork::Saving, 5000);
    QTest::ignoreMessage(QtDebugMsg, "no wireless wheel update due to flash timer");
    w.monitor().wirelessWheelStatusUpdate();
    w.panel().update();
    QCOMPARE(w.fixture.base->receivedFrames().size(), before);
    QCOMPARE(w.text("wirelesswheellabel"), QString());
    w.link().gate().endFlashDelay();

    // A hold by another operation silences both as well.
    {
        const LinkGate::Hold hold = w.link().gate().acquire(QStringLiteral("reading the event log"));
        QVERIFY(hold.granted());
        w.monitor().wirelessWheelStatusUpdate();
        w.panel().update();
        QCOMPARE(w.fixture.base->receivedFrames().size(), before);
    }

    // A save silences the panel until its flash delay ends.
    w.fixture.session.applier().saveToFlash();
    const std::size_t afterSave = w.fixture.base->receivedFrames().size();
    w.panel().update();
    QCOMPARE(w.fixture.base->receivedFrames().size(), afterSave);
    w.link().gate().endFlashDelay();
    w.panel().update();
    QVERIFY(w.fixture.base->receivedFrames().size() > afterSave);
}

void TestWirelessWindow::markupInAWheelNameIsShownAsText()
{
    Window w;
    basesim::addHostileWheels(w.base(), linkclock::nowMs());
    w.connectWheel(3);
    auto *label = w.window.findChild<QLabel *>("wirelesswheellabel");
    QCOMPARE(label->text(), "Connected: <b>Rim</b><img src=x>");
    QCOMPARE(label->textFormat(), Qt::PlainText);
    // Its picture is the default one: the name is no plain file name.
    QVERIFY(w.wheelToolTip().startsWith("Showing: wheels/wheelimage.png"));

    // The wheel named by a path: listed as reported, shown with the default picture.
    basesim::loseWirelessWheel(w.base());
    w.tick();
    w.panel().update();
    QCOMPARE(w.column(0).last(), "../../etc/wheel");
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(4), 0);
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(4));
    w.tick();
    w.monitor().wirelessWheelStatusUpdate();
    QCOMPARE(w.text("wirelesswheellabel"), "Connected: ../../etc/wheel");
    QVERIFY(w.wheelToolTip().startsWith("Showing: wheels/wheelimage.png"));
}

void TestWirelessWindow::imageDialogMapsAPictureToTheWheel()
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("mine.png");
    QImage image(400, 400, QImage::Format_ARGB32);
    image.fill(Qt::green);
    QVERIFY(image.save(picture));

    Window w;
    w.connectWheel(0);
    w.prompts.onDialog = [](QDialog *dialog) {
        auto *label = dialog->findChild<QLabel *>("wheelmaclabel");
        if (label->text() != "Connected: VT-W300 MAC: a1:55:44:33:22:11")
            qWarning() << "unexpected wheel line" << label->text();
        dialog->findChild<QPushButton *>("newfilepushButton")->click();
        return dialog->result();
    };
    w.prompts.fileNames << picture;
    emit w.window.findChild<QLabel *>("wheelLabel")->customContextMenuRequested(QPoint());
    QCOMPARE(w.prompts.askedTitles, QStringList{"Open Wheel Image"});
    QCOMPARE(w.prompts.suggestions, QStringList{"wheelimage.png | Image Files (*.png)"});
    QCOMPARE(QSettings("Halvern Labs", "Veltrane2").value("wheels/a1:55:44:33:22:11").toString(), picture);
    QCOMPARE(w.wheelToolTip(), "Showing user-mapped image " + picture +
                                   " for this wheel.. Right click to map wireless wheel image file.");

    // Removing the mapping in the dialog: the label changes at once, the picture on close.
    w.prompts.onDialog = [](QDialog *dialog) {
        auto *remove = dialog->findChild<QPushButton *>("removepushButton");
        if (!remove->isEnabled())
            qWarning() << "remove disabled although mapped";
        remove->click();
        const QString shown = dialog->findChild<QLabel *>("wheelimagefilenamelabel")->text();
        dialog->reject();
        return shown == "Showing wheels/VT-W300.png if it exists" && !remove->isEnabled() ? 1 : 0;
    };
    emit w.window.findChild<QLabel *>("wheelpositiontextlabel")->customContextMenuRequested(QPoint());
    QVERIFY(!QSettings("Halvern Labs", "Veltrane2").contains("wheels/a1:55:44:33:22:11"));
    QVERIFY(w.wheelToolTip().startsWith("Showing: wheels/VT-W300.png (or internal file)"));

    // Without a wheel the dialog offers nothing to map.
    basesim::loseWirelessWheel(w.base());
    w.tick();
    bool bothDisabled = false;
    w.prompts.onDialog = [&bothDisabled](QDialog *dialog) {
        bothDisabled = !dialog->findChild<QPushButton *>("newfilepushButton")->isEnabled() &&
                       !dialog->findChild<QPushButton *>("removepushButton")->isEnabled() &&
                       dialog->findChild<QLabel *>("wheelmaclabel")->text() == "No wireless wheel connected.";
        dialog->reject();
        return 0;
    };
    emit w.window.findChild<QLabel *>("wheelLabel")->customContextMenuRequested(QPoint());
    QVERIFY(bothDisabled);
}

void TestWirelessWindow::panelListsConnectsDisconnectsAndForgets()
{
    Window w;
    w.panel().update();
    QCOMPARE(w.column(0), (QStringList{"VT-W300", "GT Formula R", "Rally Rim 11"}));
    QCOMPARE(w.column(1), (QStringList{"a1:55:44:33:22:11", "b2:55:44:33:22:11", "c3:55:44:33:22:11"}));
    QCOMPARE(w.column(2), (QStringList{"-48", "-63", "-81"}));
    QCOMPARE(w.column(3), (QStringList{"", "", ""}));

    // Double-clicking the third row connects index 2; its row then shows the battery.
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(2), 0);
    QCOMPARE(w.connectIndices(), QList<int>{2});
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(2));
    w.panel().update();
    QCOMPARE(w.column(3), (QStringList{"", "", "Connected"}));
    QCOMPARE(w.column(4), (QStringList{"", "", "2.55"}));

    w.click("pushButton");
    QVERIFY(!w.base().connectedWheel);
    QVERIFY(w.base().receiver.wheels[2].paired);
    QCOMPARE(w.tree()->topLevelItemCount(), 0);
    QCOMPARE(w.link().currentWirelessDevice().bytes, WirelessDeviceData{}.bytes);

    w.panel().update();
    w.tree()->setCurrentItem(w.tree()->topLevelItem(1));
    w.click("connectDevicepushButton");
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(1));
    w.click("pushButton_2");
    QVERIFY(!w.base().connectedWheel);
    QVERIFY(!w.base().receiver.wheels[1].paired);

    // Nothing selected: nothing sent.
    w.panel().update();
    w.tree()->setCurrentItem(nullptr);
    w.click("connectDevicepushButton");
    QCOMPARE(w.connectIndices(), (QList<int>{2, 1}));

    // Scanning: the bar goes busy and follows the base's flag.
    w.click("startscanpushButton");
    QVERIFY(w.base().hasFlag(wire::receiverScanning));
    QVERIFY(w.panel().scanIndicatorBusy());
    QVERIFY(w.panel().progressTimer().isActive());
    w.click("stopscanpushButton");
    QVERIFY(!w.base().hasFlag(wire::receiverScanning));
    QVERIFY(!w.panel().scanIndicatorBusy());
}

void TestWirelessWindow::replacedWheelAtTheSameCountIsConnectedByItsOwnIndex()
{
    Window w;
    w.panel().update();
    // The first wheel leaves and a new one takes its place in the receiver's list: still three.
    auto &wheels = w.base().receiver.wheels;
    wheels[0].mac[5] = 0xD4;
    wheels[0].name = "AR-F28";
    w.panel().update();
    // The rows that stayed keep their places; the newcomer's row comes last.
    QCOMPARE(w.column(1), (QStringList{"b2:55:44:33:22:11", "c3:55:44:33:22:11", "d4:55:44:33:22:11"}));
    QCOMPARE(w.column(0).last(), "Ascher Racing F28");

    // Each row connects the wheel it shows, whatever its place in the tree.
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(0), 0);
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(1));
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(2), 0);
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(0));
    QCOMPARE(w.connectIndices(), (QList<int>{1, 0}));
}

void TestWirelessWindow::onlyAnnouncingWheelsPair()
{
    Window w;
    w.panel().update();
    // Past the announcing time after power-on, an unpaired wheel does not pair.
    w.clock.advance(basesim::kWheelAnnouncingMs + 1000);
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(1), 0);
    QVERIFY(!w.base().connectedWheel);
    // The paired one still connects.
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(0), 0);
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(0));
    // Paddles held: the other announces again and pairs.
    basesim::holdPaddles(w.base(), 1, linkclock::nowMs());
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(1), 0);
    QCOMPARE(w.base().connectedWheel, std::optional<std::size_t>(1));
    QVERIFY(w.base().receiver.wheels[1].paired);
}

void TestWirelessWindow::countAboveTheTableIsCut()
{
    Window w;
    w.base().receiver.wheels.resize(25, w.base().receiver.wheels[0]);
    for (std::size_t i = 0; i < 25; ++i)
        w.base().receiver.wheels[i].mac[0] = std::uint8_t(i);
    QTest::ignoreMessage(QtWarningMsg, "wireless: base reports 25 devices; listing the first 20");
    w.panel().update();
    QCOMPARE(w.tree()->topLevelItemCount(), 20);
    QCOMPARE(w.panel().lastDeviceCount(), 20u);
    // A count only the 16-bit field can hold, from a receiver that knows far fewer wheels.
    w.base().receiver.wheels.resize(3);
    w.base().wirelessCountOverride = 0xFFFF;
    QTest::ignoreMessage(QtWarningMsg, "wireless: base reports 65535 devices; listing the first 20");
    w.panel().update();
    QCOMPARE(w.tree()->topLevelItemCount(), 4); // three wheels and the empty record they all share
    QCOMPARE(w.panel().lastDeviceCount(), 20u);
}

void TestWirelessWindow::stuckScanningFlagKeepsTheBarBusy()
{
    Window w;
    w.base().wirelessScanStuck = true;
    w.click("startscanpushButton");
    w.click("stopscanpushButton");
    QVERIFY(!w.panel().scanIndicatorBusy());
    // The base still says it scans: the bar shows what the base says.
    w.tick();
    w.panel().progressbarUpdate();
    QVERIFY(w.panel().scanIndicatorBusy());
    // Without a receiver nothing scans.
    w.base().wirelessReceiverPresent = false;
    w.tick();
    QVERIFY(!w.panel().scanIndicatorBusy());
}

void TestWirelessWindow::autoConnectSetsOnlyItsBit()
{
    Window w;
    wire::HardwareSettings hardware = w.link().hardwareSettings();
    hardware.word[14] = 0x0003;
    w.fixture.session.editHardwareSettings(hardware);
    auto *box = w.panel().findChild<QCheckBox *>("checkBox");
    box->click();
    QCOMPARE(w.link().hardwareSettings().word[14], 0x0403u);
    QCOMPARE(w.base().ram.hardware.word[14], 0x0403u);
    box->click();
    QCOMPARE(w.base().ram.hardware.word[14], 0x0003u);
    int writes = 0;
    for (const wire::CommandFrame &frame : w.fixture.base->receivedFrames())
        writes += frame[1] == kWriteHardware;
    QVERIFY(writes >= 2);
}

void TestWirelessWindow::panelFollowsTheReceiverAndStaysEmbedded()
{
    Window w;
    auto *notice = w.panel().findChild<QLabel *>("receivernotdetectedtextlabel");
    QVERIFY(w.panel().isEnabled());
    QCOMPARE(notice->text(), QString());

    w.base().wirelessReceiverPresent = false;
    w.tick();
    QVERIFY(!w.panel().isEnabled());
    QCOMPARE(notice->text(), "Veltrane Wireless Wheel receiver not detected.");
    QCOMPARE(notice->styleSheet(), "QLabel {font-weight: bold;}");

    // Closing keys do not take the panel out of the tab for the rest of the run.
    w.window.show();
    QTabWidget *tabs = w.window.findChild<QTabWidget *>();
    QWidget *page = w.window.findChild<QWidget *>("wirelesswheelstab");
    tabs->setCurrentWidget(page);
    QVERIFY(w.panel().isVisible());
    w.panel().reject();
    w.panel().accept();
    QVERIFY(w.panel().isVisible());
    QVERIFY(w.panel().updateTimer().isActive());
    tabs->setCurrentIndex(0);
    QVERIFY(!w.panel().updateTimer().isActive());
}

QTEST_MAIN(TestWirelessWindow)
#include "tst_wirelesswindow.moc"
