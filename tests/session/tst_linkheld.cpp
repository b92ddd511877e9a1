// While a save to flash holds the link (its flash delay running), every user action that
// would send to the base is answered busy, names what holds the link where its answer
// carries words, and sends nothing. Actions are driven where they live: the session and
// the feature logic below the window, or the window's own controls.

#include "basesim/virtualbase.h"
#include "doctor/connectionadvicepanel.h"
#include "eventlog/eventlogdownload.h"
#include "eventlog/verbosity.h"
#include "service/askdriveparametersdialog.h"
#include "service/drivedebugdialog.h"
#include "service/encoderrecalibrationdialog.h"
#include "service/resetcenterdialog.h"
#include "session/basesession.h"
#include "session/profilelistsync.h"
#include "settings/profileimportexport.h"
#include "settings/profilelistedits.h"
#include "telemetry/telemetryconsent.h"
#include "telemetry/telemetrycontroller.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"
#include "wireless/wbpconfigurationdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kHolder = QStringLiteral("saving to flash");
const QString kListRefusal =
    QStringLiteral("Not done: the base is writing or reloading its flash. Try again once it is done.");

// A connected window whose save to flash has just gone out: the flash delay holds the link.
class SavedWindow {
public:
    explicit SavedWindow(bool highTorque)
    {
        basesim::BaseState &base = fixture.base->state();
        base.setFlag(wire::wirelessFound, true);
        base.setFlag(wire::highTorque, highTorque);
        session().applier().setAutomaticBackupPath(folder.filePath("profiles_autobackup.ini"));
        session().start();
        session().statusTick(); // connects and reloads
        session().statusTick(); // the first connected tick enables the controls
        session().wheelTick();
        editActiveProfile(150);
        session().applier().saveToFlash();
        fixture.base->clearReceivedFrames();
    }

    BaseSession &session() { return fixture.session; }
    DeviceLink &link() { return fixture.link(); }
    template <typename T> T *find(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    QString statusLine() { return find<QLabel>("importexportstatuslabel")->text(); }
    std::size_t framesReceived() const { return fixture.base->receivedFrames().size(); }

    void editActiveProfile(std::uint32_t value)
    {
        session().editedProfile()->param[1] = value;
        session().markActiveProfileChanged();
        session().applier().markSettingsChanged();
    }

    // A record the import or the list logic could append.
    std::unique_ptr<profDataNew> copyOfActive() { return profileedits::copiedProfile(*session().editedProfile()); }

private:
    ManualClock clock_;

public:
    QTemporaryDir folder;
    SessionFixture fixture{SessionFixture::threeProfiles()};
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
};

// Runs the action and returns its answer: the text it answers with, shows or logs.
QString answerTo(const QString &action, SavedWindow &w)
{
    BaseSession &session = w.session();
    LogCapture log;
    const auto logged = [&] { return log.messages().join(QLatin1Char('\n')); };
    if (action == "activate a profile") {
        w.find<QComboBox>("selectprofilecomboBox")->setCurrentIndex(2);
        // The box goes back to the profile the base runs.
        return w.find<QComboBox>("selectprofilecomboBox")->currentIndex() == 1 ? w.statusLine() : QString();
    }
    if (action == "switch the view")
        return session.sendEditedProfileNow().text();
    if (action == "auto-apply an edit") {
        w.editActiveProfile(170);
        session.applier().autoApplySettings();
        return QString();
    }
    if (action == "reload from flash")
        return session.applier().reloadFromFlash().text();
    if (action == "reload from flash (window)") {
        w.find<QPushButton>("ReloadFlashButton")->setEnabled(true);
        w.find<QPushButton>("ReloadFlashButton")->click();
        return w.find<QPushButton>("ReloadFlashButton")->isEnabled() ? QString()
                                                                   : w.find<QPushButton>("ReloadFlashButton")->toolTip();
    }
    if (action == "add from template")
        return profilesync::appendAndActivate(session, w.copyOfActive()).busyWith;
    if (action == "copy")
        return profilesync::copyActiveProfile(session).busyWith;
    if (action == "delete")
        return profilesync::deleteActiveProfile(session).busyWith;
    if (action == "reorder") {
        std::vector<const profDataNew *> rows{session.profileAt(2), session.profileAt(1)};
        return profilesync::reorder(session, rows).busyWith;
    }
    if (action == "set default")
        return profilesync::makeActiveDefault(session).text();
    if (action == "import") {
        ProfileList incoming;
        incoming.push_back(w.copyOfActive());
        return profilesync::appendImported(session, incoming).busyWith;
    }
    for (const char *button : {"addprofilespushButton", "copyprofilepushButton", "deleteprofilepushbutton",
                               "reorderprofilespushbutton", "setdefaultprofilepushbutton",
                               "importprofilespushbutton"}) {
        if (action == QLatin1String(button)) {
            w.find<QPushButton>(button)->setEnabled(true);
            w.find<QPushButton>(button)->click();
            // No template, confirmation, arrangement or file chooser opens.
            return w.fixture.prompts.dialogsRun == 0 ? w.statusLine() : QString();
        }
    }
    if (action == "high torque on" || action == "high torque off") {
        QPushButton *button = w.find<QPushButton>("activateHighTorquepushbutton");
        button->setEnabled(true);
        button->click();
        return w.fixture.prompts.dialogsRun == 0 ? logged() : QString();
    }
    if (action == "wheel centre for now" || action == "wheel centre permanent") {
        resetcenterdialog dialog(w.link());
        dialog.setAttribute(Qt::WA_DeleteOnClose, false);
        dialog.findChild<QPushButton *>(action.endsWith("now") ? "justnowpushButton" : "pushButton")->click();
        return dialog.findChild<QLabel *>("messagelabel")->text();
    }
    if (action == "event log download")
        return eventlog::downloadEventLog(w.link()).busyWith;
    if (action == "event log verbosity")
        return eventlog::setVerbosity(w.link(), 1) ? QString() : logged();
    if (action.startsWith("wireless ")) {
        wbpconfigurationdialog panel(w.link());
        const char *slot = action.endsWith("scan")        ? "on_startscanpushButton_clicked"
                           : action.endsWith("connect")   ? "on_connectDevicepushButton_clicked"
                           : action.endsWith("disconnect") ? "on_pushButton_clicked"
                                                          : "on_pushButton_2_clicked";
        QMetaObject::invokeMethod(&panel, slot, Qt::DirectConnection);
        return logged();
    }
    if (action == "drive parameter read") {
        AskDriveParametersDialog dialog(w.link());
        dialog.findChild<QLineEdit *>("lineEdit")->setText(QStringLiteral("6071"));
        emit dialog.findChild<QLineEdit *>("lineEdit")->editingFinished();
        return dialog.findChild<QLabel *>("messagelabel")->text();
    }
    if (action == "drive debug read") {
        driveDebugDialog dialog(w.link());
        dialog.findChild<QPushButton *>("pushButton_3")->click();
        return dialog.findChild<QLabel *>("messagelabel")->text();
    }
    if (action == "encoder recalibration") {
        const bool opened = EncoderRecalibrationDialog::run(w.link(), w.fixture.prompts, nullptr);
        return opened || w.fixture.prompts.dialogsRun != 0 ? QString() : logged();
    }
    if (action == "firmware update") {
        auto *panel = w.window.findChild<ConnectionAdvicePanel *>();
        emit panel->firmwareUpdateRequested();
        // The program goes on polling: no wizard, no shutdown.
        if (w.fixture.prompts.dialogsRun != 0 || !session.statusTimer().isActive())
            return QString();
        return panel->findChild<QLabel *>("connectionFixOutcomeLabel")->text();
    }
    if (action == "telemetry upload") {
        QSettings settings("Halvern Labs", "Veltrane2");
        settings.setValue("TelemetryConsent", int(TelemetryConsent::Allowed));
        TelemetryController controller(w.link());
        controller.configure(1234, 0);
        controller.fetchAndUploadOnButton();
        return logged();
    }
    return QStringLiteral("unknown action");
}

} // namespace

class TestLinkHeld : public QObject {
    Q_OBJECT

private slots:
    void everyActionIsAnsweredBusy_data();
    void everyActionIsAnsweredBusy();
};

void TestLinkHeld::everyActionIsAnsweredBusy_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");   // what the answer says; empty: it waits for the link, silently
    const QString flashNote = QStringLiteral("the base is writing or reloading its flash");
    const QString serviceBusy = QStringLiteral("The base is busy (saving settings or running a service procedure). "
                                               "Nothing was sent; try again in a few seconds.");
    const struct {
        const char *action;
        QString answer;
    } rows[] = {
        {"activate a profile", "Not switched: " + flashNote + ". Choose the profile again once it is done."},
        {"switch the view", "switching the view: the link is busy: " + kHolder},
        {"auto-apply an edit", QString()},
        {"reload from flash", "reloading from flash: the link is busy: " + kHolder},
        {"reload from flash (window)",
         "The base is writing or reloading its flash; reloading is possible once it is done."},
        {"add from template", kHolder},
        {"copy", kHolder},
        {"delete", kHolder},
        {"reorder", kHolder},
        {"set default", "setting the default profile: the link is busy: " + kHolder},
        {"import", kHolder},
        {"addprofilespushButton", kListRefusal},
        {"copyprofilepushButton", kListRefusal},
        {"deleteprofilepushbutton", kListRefusal},
        {"reorderprofilespushbutton", kListRefusal},
        {"setdefaultprofilepushbutton", kListRefusal},
        {"importprofilespushbutton", kListRefusal},
        {"high torque on", "high torque button: the link is busy: " + kHolder},
        {"high torque off", "high torque button: the link is busy: " + kHolder},
        {"wheel centre for now", "The base is busy saving settings. Nothing was sent; try again in a few seconds."},
        {"wheel centre permanent", "The base is busy saving settings. Nothing was sent; try again in a few seconds."},
        {"event log download", kHolder},
        {"event log verbosity", "event log verbosity not sent: the link is busy: " + kHolder},
        {"wireless scan", "receiver panel: the link is busy: " + kHolder},
        {"wireless connect", "receiver panel: the link is busy: " + kHolder},
        {"wireless disconnect", "receiver panel: the link is busy: " + kHolder},
        {"wireless forget", "receiver panel: the link is busy: " + kHolder},
        {"drive parameter read",
         "The base is busy (saving settings). Nothing was asked; try again in a few seconds."},
        {"drive debug read", serviceBusy},
        {"encoder recalibration", "encoder recalibration not opened: the link is busy: " + kHolder},
        {"firmware update", "Not started: " + flashNote + ". Try again once it is done."},
        {"telemetry upload", "telemetry: the link is busy or down, not fetching: " + kHolder},
    };
    for (const auto &row : rows)
        QTest::newRow(row.action) << QString::fromLatin1(row.action) << row.answer;
}

void TestLinkHeld::everyActionIsAnsweredBusy()
{
    QFETCH(QString, action);
    QFETCH(QString, answer);
    SavedWindow w(action == "high torque off");
    QCOMPARE(w.session().gate().holder(), kHolder);

    QCOMPARE(answerTo(action, w), answer);

    QCOMPARE(w.framesReceived(), std::size_t(0));
    // Still the save's delay: the refusal was not a lapse of the hold.
    QCOMPARE(w.session().gate().holder(), kHolder);
    if (!answer.isEmpty())
        return;
    // A waiting edit reaches the base once the flash delay is over.
    QVERIFY(w.session().applier().settingsChanged());
    w.session().flashDelayElapsed();
    w.session().statusTick();
    w.session().applier().autoApplySettings();
    QVERIFY(!w.session().applier().settingsChanged());
    QVERIFY(w.framesReceived() > 0);
}

QTEST_MAIN(TestLinkHeld)
#include "tst_linkheld.moc"
