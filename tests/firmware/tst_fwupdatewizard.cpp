// The firmware update wizard offscreen against the virtual base on the manual clock:
// finding the bootloader, its timers, the flash behind Next, and the window opening it.

#include "firmware/fwupdatewizard.h"
#include "session/includedfirmware.h"
#include "session/launchmode.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "basesim/virtualbase.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

basesim::BaseConfig baseWith(int patch, bool inBootloader = false)
{
    basesim::BaseConfig config;
    config.startOperational = true;
    config.firmwarePatch = std::uint8_t(patch);
    config.inBootloader = inBootloader;
    return config;
}

struct WizardFixture {
    WizardFixture(int mode, basesim::BaseConfig config, const QString &imagePath = QString())
        : base(config), link(base)
    {
        if (config.inBootloader)
            link.openUpdateMode(); // the window's probe that found it
        base.clearReceivedFrames();
        wizard = new fwupdatewizard(nullptr, mode, link, imagePath);
        wizard->show();
    }
    ~WizardFixture() { delete wizard.data(); }

    fwupdatewizard_waitforupdatemode *searchPage() const
    {
        return qobject_cast<fwupdatewizard_waitforupdatemode *>(wizard->page(fwupdatewizard::WaitForUpdateModePage));
    }
    fwupdatewizard_updateconfirm *confirmPage() const
    {
        return qobject_cast<fwupdatewizard_updateconfirm *>(wizard->page(fwupdatewizard::UpdateConfirmPage));
    }
    QAbstractButton *button(QWizard::WizardButton which) const { return wizard->button(which); }
    bool shown(QWizard::WizardButton which) const { return button(which)->isVisible(); }
    void clickNext() { button(QWizard::NextButton)->click(); }

    // Polls as the search timer would, `ms` after the previous poll.
    void pollAfter(linkclock::Milliseconds ms)
    {
        clock.advance(ms);
        searchPage()->statusUpdate();
    }

    int applicationFrames(std::uint8_t code) const
    {
        int n = 0;
        for (const auto &frame : base.receivedFrames())
            n += frame[0] == wire::kCommandReportId && frame[1] == code;
        return n;
    }

    ManualClock clock;
    basesim::VirtualBase base;
    DeviceLink link;
    QPointer<fwupdatewizard> wizard;
};

// Takes a shown wizard from page 0 to a finished flash, as a user would.
bool runToSuccess(fwupdatewizard *wizard, ManualClock &clock)
{
    wizard->button(QWizard::NextButton)->click();
    auto *search = qobject_cast<fwupdatewizard_waitforupdatemode *>(wizard->currentPage());
    for (int poll = 0; search && poll < 12 && !search->isComplete(); ++poll) {
        clock.advance(fwupdatewizard_waitforupdatemode::kSearchIntervalMs);
        search->statusUpdate();
    }
    wizard->button(QWizard::NextButton)->click();
    if (wizard->currentId() != fwupdatewizard::UpdateConfirmPage)
        return false;
    wizard->button(QWizard::NextButton)->click();
    return wizard->currentId() == fwupdatewizard::SuccessPage;
}

} // namespace

class TestFwUpdateWizard : public QObject {
    Q_OBJECT

private slots:
    void windowAndPages();
    void reasonAndImageByMode_data();
    void reasonAndImageByMode();
    void forcedUpdateFindsTheInstalledImage();
    void modeOneFindsBootloaderAtFirstPoll();
    void backStopsBothTimersAndNextRepeats();
    void sendsBaseIntoBootloader();
    void slowBootloaderIsFoundAfterTimeout();
    void unusableImageStopsAtFirstPage();
    void updatesEndToEndWithCancelOutOfReach();
    void failedFlashLeavesOnlyCancel();
    void windowRunsWizardForOldFirmware_data();
    void windowRunsWizardForOldFirmware();
};

void TestFwUpdateWizard::windowAndPages()
{
    WizardFixture fixture(LaunchFirmwareTooOld, baseWith(14));
    fwupdatewizard *wizard = fixture.wizard;
    QCOMPARE(wizard->pageIds(), QList<int>({0, 1, 2, 5}));
    QCOMPARE(wizard->currentId(), 0);
    QCOMPARE(wizard->wizardStyle(), QWizard::ClassicStyle);
    QVERIFY(wizard->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(wizard->windowModality(), Qt::WindowModal);
    QVERIFY(!(wizard->windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(!(wizard->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(wizard->width() >= 600 && wizard->height() >= 600);
    QVERIFY(fixture.shown(QWizard::NextButton));
    QVERIFY(fixture.shown(QWizard::CancelButton));
    QVERIFY(!fixture.shown(QWizard::BackButton));
    QVERIFY(wizard->currentPage()->isComplete());
    const QStringList titles{wizard->page(0)->title(), wizard->page(1)->title(), wizard->page(2)->title(),
                             wizard->page(5)->title()};
    QCOMPARE(titles, QStringList({"Firmware update Wizard", "Searching for Veltrane", "Update firmware?",
                                  "Firmware update complete"}));
    // The picture is our own and must load.
    bool pictureShown = false;
    for (QLabel *label : wizard->page(0)->findChildren<QLabel *>())
        pictureShown |= !label->pixmap(Qt::ReturnByValue).isNull();
    QVERIFY(pictureShown);
}

void TestFwUpdateWizard::reasonAndImageByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("external");
    QTest::newRow("1") << 1 << "<b> Veltrane 2 has been detected in Firmware Update Mode. </b>" << false;
    QTest::newRow("2") << 2 << "Firmware must be updated. Reason: <b>Too old version</b> for the firmware was detected for this version of the Tunemark." << false;
    QTest::newRow("3") << 3 << "Firmware update forced via command line. Veltrane-2-firmware.bootloadable file will be installed." << true;
    QTest::newRow("4") << 4 << "Firmware update forced via command line. Firmware installed inside the Tunemark.exe will be installed.." << false;
}

void TestFwUpdateWizard::reasonAndImageByMode()
{
    QFETCH(int, mode);
    QFETCH(QString, reason);
    QFETCH(bool, external);
    QCOMPARE(fwupdatewizard_intropage::reasonText(mode), reason);
    const QString path = fwupdatewizard::defaultImagePath(mode);
    QCOMPARE(path, external ? QCoreApplication::applicationDirPath() + "/Veltrane-2-firmware.bootloadable"
                            : QString(kIncludedFirmwareImage));
}

void TestFwUpdateWizard::forcedUpdateFindsTheInstalledImage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString programFolder = dir.filePath("prefix/bin");
    const QString beside = programFolder + "/Veltrane-2-firmware.bootloadable";
    const QString installed = fwupdatewizard::installedImagePath(programFolder);
    QVERIFY(!installed.startsWith(programFolder + "/"));
    const auto place = [](const QString &path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("image") == 5;
    };
    // Neither there: the file beside the program is named, as in a build.
    QCOMPARE(fwupdatewizard::defaultImagePath(LaunchForcedUpdate, programFolder), beside);
    QVERIFY(place(installed));
    QCOMPARE(fwupdatewizard::defaultImagePath(LaunchForcedUpdate, programFolder), installed);
    // One beside the program wins.
    QVERIFY(place(beside));
    QCOMPARE(fwupdatewizard::defaultImagePath(LaunchForcedUpdate, programFolder), beside);
    // The other modes flash the built-in image wherever files lie.
    QCOMPARE(fwupdatewizard::defaultImagePath(LaunchForcedDowngrade, programFolder), QString(kIncludedFirmwareImage));
}

void TestFwUpdateWizard::modeOneFindsBootloaderAtFirstPoll()
{
    WizardFixture fixture(LaunchBootloaderFound, baseWith(15, true));
    const linkclock::Milliseconds start = fixture.clock.peek();
    fixture.clickNext();
    fwupdatewizard_waitforupdatemode *page = fixture.searchPage();
    QCOMPARE(fixture.wizard->currentPage(), page);
    // No attempt to reach the application, and no 5 s pause.
    QVERIFY(fixture.base.receivedFrames().empty());
    QVERIFY(fixture.clock.peek() - start < 1000);
    QVERIFY(page->searchTimer().isActive());
    QCOMPARE(page->searchTimer().interval(), 5000);
    QVERIFY(page->timeoutTimer().isActive());
    QCOMPARE(page->timeoutTimer().interval(), 30000);
    QVERIFY(!fixture.button(QWizard::NextButton)->isEnabled());

    fixture.pollAfter(5000);
    QVERIFY(page->isComplete());
    QCOMPARE(page->label()->text(), QString("Found Veltrane in Firmware Upgrade Mode. Press <b> Next </b> to continue."));
    QCOMPARE(page->label()->styleSheet(), QString("QLabel {color: #e84e0f; font: 14pt;}"));
    QVERIFY(fixture.button(QWizard::NextButton)->isEnabled());
    QVERIFY(!page->searchTimer().isActive());
}

void TestFwUpdateWizard::backStopsBothTimersAndNextRepeats()
{
    WizardFixture fixture(LaunchFirmwareTooOld, baseWith(14));
    fixture.clickNext();
    fwupdatewizard_waitforupdatemode *page = fixture.searchPage();
    QCOMPARE(fixture.applicationFrames(0x63), 1);
    fixture.wizard->back();
    QCOMPARE(fixture.wizard->currentId(), 0);
    QVERIFY(!page->searchTimer().isActive());
    QVERIFY(!page->timeoutTimer().isActive());

    fixture.clickNext();
    QVERIFY(page->searchTimer().isActive());
    QVERIFY(page->timeoutTimer().isActive());
    QVERIFY(!page->isComplete());
}

void TestFwUpdateWizard::sendsBaseIntoBootloader()
{
    WizardFixture fixture(LaunchFirmwareTooOld, baseWith(14));
    LogCapture log(&fixture.link);
    const linkclock::Milliseconds start = fixture.clock.peek();
    fixture.clickNext();
    // 0x63, its no-operation, and one more.
    QCOMPARE(fixture.applicationFrames(0x63), 1);
    QCOMPARE(fixture.applicationFrames(0xC8), 2);
    QVERIFY(log.contains("WriteNOP Success"));
    QVERIFY(fixture.clock.peek() - start >= 5000);
    QVERIFY(!fixture.link.connected());
    fixture.pollAfter(5000);
    QVERIFY(fixture.searchPage()->isComplete());
}

void TestFwUpdateWizard::slowBootloaderIsFoundAfterTimeout()
{
    WizardFixture fixture(LaunchFirmwareTooOld, baseWith(14));
    fixture.base.faults().bootloaderEnumerationMs = 40000;
    fixture.clickNext();
    fwupdatewizard_waitforupdatemode *page = fixture.searchPage();
    const QString error = "Error: Veltrane did not boot in Firmware Upgrade Mode in 30 seconds. Cause might be Windows driver install that takes long time. Please see if there is a Veltrane in Firmware Upgrade mode -device visible in Device manager. If there is, you can retry. In case there is no device visible, unplugging and replugging Veltrane might help to force Windows to enumerate the device. Power cycling the Veltrane and trying update again can also be succesful as Windows will already know the device on the 2nd try.";
    // The page opened 5 s after the command; polls every 5 s, the time-out at 30 s.
    for (int second = 5; second <= 45; second += 5) {
        if (second == 35)
            page->initTimeout();
        fixture.pollAfter(5000);
        const bool there = second + 5 >= 40 + 1;
        QCOMPARE(page->isComplete(), there);
        if (!there && second < 35) {
            QCOMPARE(page->label()->text(), QString("Searching for Veltrane in Firmware Upgrade Mode."));
            QCOMPARE(page->label()->styleSheet(), QString("QLabel {color: #e84e0f; font: 14pt;}"));
        } else if (!there) {
            QCOMPARE(page->label()->text(), error);
            QCOMPARE(page->label()->styleSheet(), QString("QLabel {color: #ff2400; font: 12pt;}"));
        }
        if (there)
            break;
    }
    QVERIFY(page->isComplete());
    QVERIFY(fixture.button(QWizard::NextButton)->isEnabled());
}

// An external image that is missing is found before the base is sent anywhere.
void TestFwUpdateWizard::unusableImageStopsAtFirstPage()
{
    QTemporaryDir dir;
    WizardFixture fixture(LaunchForcedUpdate, baseWith(15), dir.filePath("Veltrane-2-firmware.bootloadable"));
    QVERIFY(!fixture.wizard->currentPage()->isComplete());
    QVERIFY(!fixture.button(QWizard::NextButton)->isEnabled());
    auto *reason = fixture.wizard->page(0)->findChild<QLabel *>("reasonLabel");
    QCOMPARE(reason->text(), QString("Unable to open Veltrane flash file."));
    fixture.clickNext();
    QCOMPARE(fixture.wizard->currentId(), 0);
    QVERIFY(fixture.base.receivedFrames().empty());
    QVERIFY(!fixture.base.state().inBootloader);
}

void TestFwUpdateWizard::updatesEndToEndWithCancelOutOfReach()
{
    WizardFixture fixture(LaunchFirmwareTooOld, baseWith(14));
    QList<bool> cancelEnabled;
    bool stillOpen = false;
    // Escape and Cancel while the flash runs; the flash serves events, so this runs then.
    int attempts = 0;
    QMetaObject::Connection watch = connect(fixture.confirmPage(), &QWizardPage::completeChanged, this, [&] {
        if (!fixture.wizard->flashing() || attempts++)
            return;
        QTimer::singleShot(0, fixture.wizard, [&] {
            cancelEnabled << fixture.button(QWizard::CancelButton)->isEnabled()
                          << fixture.button(QWizard::BackButton)->isEnabled();
            fixture.wizard->reject();
            QTest::keyClick(fixture.wizard, Qt::Key_Escape);
            stillOpen = fixture.wizard && fixture.wizard->isVisible();
        });
    });

    QVERIFY(runToSuccess(fixture.wizard, fixture.clock));
    disconnect(watch);
    QCOMPARE(cancelEnabled, QList<bool>({false, false}));
    QVERIFY(stillOpen);
    QVERIFY(fixture.shown(QWizard::FinishButton));
    QVERIFY(!fixture.shown(QWizard::CancelButton));

    fixture.button(QWizard::FinishButton)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!fixture.wizard);

    fixture.clock.advance(10000);
    QVERIFY(fixture.link.connectDevice());
    bool valid = false;
    QVERIFY(fixture.link.askVeltraneStatusNew(valid));
    QCOMPARE(int(fixture.link.status().firmwarePatch), 15);
}

void TestFwUpdateWizard::failedFlashLeavesOnlyCancel()
{
    WizardFixture fixture(LaunchBootloaderFound, baseWith(15, true));
    fixture.base.faults().bootloaderCrcNeverComputed = true;
    QVERIFY(!runToSuccess(fixture.wizard, fixture.clock));
    QCOMPARE(fixture.wizard->currentId(), int(fwupdatewizard::UpdateConfirmPage));
    QCOMPARE(fixture.confirmPage()->mainLabel()->text(), QString("Firmware update failed."));
    QVERIFY(!fixture.shown(QWizard::NextButton));
    QVERIFY(fixture.shown(QWizard::CancelButton));
    QVERIFY(fixture.button(QWizard::CancelButton)->isEnabled());
    fixture.button(QWizard::CancelButton)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!fixture.wizard);
}

void TestFwUpdateWizard::windowRunsWizardForOldFirmware_data()
{
    QTest::addColumn<bool>("inBootloader");
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<int>("wizardMode");
    QTest::newRow("older firmware") << false << 0 << 2;
    QTest::newRow("found in its bootloader") << true << 0 << 1;
    QTest::newRow("fwdowngrade") << false << 4 << 4;
}

// From the window's first status tick to a base that runs the built-in version.
void TestFwUpdateWizard::windowRunsWizardForOldFirmware()
{
    QFETCH(bool, inBootloader);
    QFETCH(int, launchMode);
    QFETCH(int, wizardMode);
    ManualClock clock;
    SessionFixture fixture(baseWith(launchMode == 4 ? 15 : 14, inBootloader), launchMode);
    if (launchMode == 4)
        fixture.base->state().firmwarePatch = 16;
    int modeSeen = -1;
    bool succeeded = false;
    fixture.prompts.onDialog = [&](QDialog *dialog) {
        auto *wizard = qobject_cast<fwupdatewizard *>(dialog);
        if (!wizard)
            return int(QDialog::Rejected);
        modeSeen = wizard->mode();
        wizard->show();
        succeeded = runToSuccess(wizard, clock);
        wizard->button(QWizard::FinishButton)->click();
        return wizard->result();
    };
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    window.show();
    fixture.session.start();
    LogCapture log(&fixture.link());
    fixture.session.statusTick();

    QCOMPARE(modeSeen, wizardMode);
    QVERIFY(succeeded);
    QVERIFY(log.contains("fw update dialog finished, shutting down"));
    QVERIFY(!fixture.session.statusTimer().isActive());

    clock.advance(10000);
    fixture.base->update();
    QVERIFY(!fixture.base->state().inBootloader);
    QCOMPARE(int(fixture.base->state().firmwarePatch), 15);
    QCOMPARE(int(fixture.base->model().status().firmwarePatch), 15);
}

QTEST_MAIN(TestFwUpdateWizard)
#include "tst_fwupdatewizard.moc"
