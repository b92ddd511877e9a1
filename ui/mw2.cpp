#include "ui/mw2.h"
#include "ui_mw2.h"

#include "analog/analogwindowpart.h"
#include "ui/dialogs/changelogdialog.h"
#include "compare/comparewindowpart.h"
#include "doctor/doctorwindowpart.h"
#include "eventlog/eventlogwindowpart.h"
#include "firmware/firmwarewindowpart.h"
#include "games/gameswindowpart.h"
#include "plots/plotswindowpart.h"
#include "service/servicewindowpart.h"
#include "session/basesession.h"
#include "telemetry/telemetrywindowpart.h"
#include "ui/alarmbandlabel.h"
#include "ui/savestrip.h"
#include "ui/statusstrip.h"
#include "ui/wheeldisplay.h"
#include "common/widgets/userprompts.h"
#include "wireless/wirelessmonitor.h"
#include "wireless/wirelesswindowpart.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

namespace {
constexpr int kTorqueBlinkIntervalMs = 2500;
} // namespace

MW2::MW2(BaseSession &session, UserPrompts &prompts, const QString &versionNumber, const QString &releaseName,
         QWidget *parent)
    : QMainWindow(parent), session_(session), prompts_(prompts), ui(new Ui::MW2), versionNumber_(versionNumber)
{
    qRegisterMetaType<profDataNew *>("profDataNew*");
    ui->setupUi(this);
    ui->advancedtab->showToolVersion(versionNumber_, releaseName);
    statusStrip_ = std::make_unique<StatusStrip>(*ui);
    wheel_ = std::make_unique<WheelDisplay>(session_, *ui->OverviewTab);
    ui->ProfilesTab->setSession(&session_);
    ui->ProfilesTab->setPrompts(&prompts_);
    ui->hardwaresetuptab->setSession(&session_);
    torqueOffBlinkTimer = new QTimer(this);
    torqueOffBlinkTimer->setObjectName("torqueOffBlinkTimer");
    connect(torqueOffBlinkTimer, &QTimer::timeout, this, &MW2::torqueoffButtonBlink);
    connect(ui->advancedtab, &AdvancedPage::reloadFromFlashRequested, this, &MW2::reloadFromFlash);
    connect(ui->advancedtab, &AdvancedPage::resetForceFeedbackRequested, &session_, &BaseSession::resetForceFeedback);
    connect(ui->advancedtab, &AdvancedPage::restartFromScratchRequested, &session_, &BaseSession::restartFromScratch);
    alarmBand_ = new AlarmBandLabel(this);
    addPanel(Place::AboveTabs, alarmBand_);
    showAlarmBand();
    statusStrip_->keepSteady();
    // Before the window's own handlers: the advice comes before the alarm band changes.
    auto *doctor = new DoctorWindowPart(session_, prompts_, *this);
    connect(doctor, &DoctorWindowPart::firmwareUpdateRequested, this, [this] {
        // As when the status tick finds the bootloader: the wizard, then the program ends.
        session_.stopPolling();
        part<FirmwareWindowPart>().openWizard(1);
        QCoreApplication::quit();
        close();
    });
    connectSession();
    setUpEditing();
    createParts();
    torqueOffBlinkTimer->start(kTorqueBlinkIntervalMs);
    setConnectedUi(false);
}

MW2::~MW2()
{
    // The session outlives the window: nothing of it may call back in from here on, neither
    // into the window nor into the parts it made, which go only after the window's members.
    for (QObject *receiver : children() + QObjectList{this}) {
        session_.disconnect(receiver);
        session_.applier().disconnect(receiver);
    }
    ui->ProfilesTab->setSession(nullptr);
    ui->hardwaresetuptab->setSession(nullptr);
}

// The features' window parts, in the order their handlers of a status or wheel tick run.
void MW2::createParts()
{
    AdvancedPage *advanced = ui->advancedtab;
    auto *analog = new AnalogWindowPart(session_, prompts_, *this);
    connect(ui->hardwaresetuptab, &HardwarePage::configureAnalogsRequested, analog, &AnalogWindowPart::openDialog);
    auto *eventLog = new EventLogWindowPart(session_, prompts_, *this);
    connect(advanced, &AdvancedPage::eventLogRequested, eventLog, &EventLogWindowPart::showLog);
    connect(advanced, &AdvancedPage::eventLogVerbosityRequested, eventLog, &EventLogWindowPart::setVerbosity);
    auto *service = new ServiceWindowPart(session_, prompts_, *this);
    connect(ui->OverviewTab, &OverviewPage::resetCenterRequested, service, &ServiceWindowPart::openResetCenterDialog);
    connect(ui->activateHighTorquepushbutton, &QPushButton::clicked, service, &ServiceWindowPart::toggleHighTorque);
    connect(service, &ServiceWindowPart::highTorqueShown, this,
            [this](std::uint16_t flags) { statusStrip_->showHighTorque(flags); });
    auto *wireless = new WirelessWindowPart(session_, prompts_, *this);
    WirelessPage *wirelessPage = ui->wirelesswheelstab;
    connect(&wireless->monitor(), &WirelessMonitor::linesChanged, wirelessPage,
            qOverload<const WirelessWheelLines &>(&WirelessPage::showWheelLines));
    connect(&wireless->monitor(), &WirelessMonitor::linesCleared, wirelessPage, &WirelessPage::clearWheelLines);
    connect(ui->OverviewTab, &OverviewPage::wheelImageMappingRequested, wireless,
            &WirelessWindowPart::openWheelImageDialog);
    auto *telemetry = new TelemetryWindowPart(session_, prompts_, *this, versionNumber_);
    connect(telemetry, &TelemetryWindowPart::consentShown, advanced, &AdvancedPage::showTelemetryConsent);
    connect(telemetry, &TelemetryWindowPart::stateShown, advanced, &AdvancedPage::showTelemetryStatus);
    connect(telemetry, &TelemetryWindowPart::uploadEnabledShown, advanced, &AdvancedPage::setTelemetryUploadEnabled);
    connect(advanced, &AdvancedPage::telemetryConsentRequested, telemetry, &TelemetryWindowPart::askConsent);
    connect(advanced, &AdvancedPage::telemetryUploadRequested, telemetry, &TelemetryWindowPart::uploadNow);
    telemetry->showState();
    auto *compare = new CompareWindowPart(session_, prompts_, *this);
    connect(ui->ProfilesTab, &ProfilesPage::compareRequested, compare, &CompareWindowPart::openDialog);
    new games::GamesWindowPart(session_, *this);
    new plots::PlotsWindowPart(session_, prompts_, *this);
}

void MW2::addPanel(Place place, QWidget *panel, QAbstractButton *toggle)
{
    switch (place) {
    case Place::Overview:
        return ui->OverviewTab->addPanel(toggle, panel);
    case Place::Profiles:
        return ui->ProfilesTab->addPanel(panel);
    case Place::Wireless:
        return ui->wirelesswheelstab->setReceiverPanel(panel);
    case Place::StatusStrip:
        return statusStrip_->addItem(panel);
    case Place::AboveTabs:
        for (QBoxLayout *column : ui->tabWidget->parentWidget()->findChildren<QBoxLayout *>()) {
            if (const int at = column->indexOf(ui->tabWidget); at >= 0)
                return column->insertWidget(at, panel);
        }
    }
}

QShortcut *MW2::addShortcut(const QKeySequence &keys, const QString &objectName)
{
    auto *shortcut = new QShortcut(keys, this);
    shortcut->setObjectName(objectName);
    return shortcut;
}

void MW2::trackDialog(QWidget *dialog) { trackedDialogs_.append(QPointer<QWidget>(dialog)); }

void MW2::showWheelPicture(const QImage &picture, int side, int shown, const QString &toolTip)
{
    ui->OverviewTab->setWheelToolTip(toolTip);
    ui->OverviewTab->setWheelPicture(picture, side, shown);
    ui->OverviewTab->showWheelAngle(wheel_->angle());
}

void MW2::connectSession()
{
    BaseSession *session = &session_;
    connect(session, &BaseSession::firstTick, this, &MW2::runStartPrompts);
    connect(session, &BaseSession::statusRefreshed, this, [this] {
        setConnectedUi(true);
        refreshStatusDisplay();
        showAlarmBand();
    });
    connect(session, &BaseSession::disconnected, this, &MW2::showAlarmBand);
    connect(session, &BaseSession::connectFailed, this, &MW2::showAlarmBand);
    connect(session, &BaseSession::controlsRefreshDue, this, &MW2::updateAllConfigValues);
    connect(session, &BaseSession::disconnected, this, [this] {
        closeTrackedDialogs();
        setConnectedUi(false);
    });
    connect(session, &BaseSession::connectFailed, this, [this] { setConnectedUi(false); });
    auto *firmware = new FirmwareWindowPart(session_, prompts_, *this);
    connect(session, &BaseSession::shutdownRequested, this, [this] {
        QCoreApplication::quit();
        close();
    });
    connect(session, &BaseSession::wheelSampled, this, &MW2::presentWheelSample);
    connect(session, &BaseSession::listChangeRecovered, ui->ProfilesTab, &ProfilesPage::showListRecovery);
    connect(session, &BaseSession::flashDelayEnded, ui->advancedtab, [this] { ui->advancedtab->setReloadFlashEnabled(true); });
    saveStrip_ = new SaveStrip(session_, ui->SaveToFlashButton, ui->savestatelabel, ui->unsafesettingsnote, this);
    connect(firmware, &FirmwareWindowPart::promptOpening, saveStrip_, &SaveStrip::stopBlinking);
    connect(&session_.applier(), &SettingsApplier::savingStarted, this, [this] {
        ui->advancedtab->setReloadFlashEnabled(false, tr("The base is writing its flash; reloading is possible once it is done."));
    });
}

void MW2::reloadFromFlash()
{
    AdvancedPage *advanced = ui->advancedtab;
    if (!session_.applier().reloadFromFlash()) {
        // The next status refresh, which only comes once the link is free, enables it again.
        advanced->setReloadFlashEnabled(
            false, session_.gate().flashDelayRunning()
                       ? tr("The base is writing or reloading its flash; reloading is possible once it is done.")
                       : tr("The base is busy with another operation; reloading is possible once it is done."));
        return;
    }
    if (session_.gate().flashDelayRunning()) {
        saveStrip_->showReloading();
        // One reload at a time: the flash delay's end enables it again.
        advanced->setReloadFlashEnabled(false, tr("The base is reloading its flash."));
    }
    saveStrip_->showState();
}

void MW2::runStartPrompts()
{
    // Remember which version last ran, so an update of the tool can be told apart from a restart.
    QSettings settings("Halvern Labs", "Veltrane2");
    if (changelogDue(settings.value("Version").toString(), versionNumber_)) {
        auto *changelog = new ChangelogDialog(this);
        changelog->setAttribute(Qt::WA_DeleteOnClose);
        prompts_.exec(changelog);
    }
    settings.setValue("Version", versionNumber_);
}

void MW2::closeTrackedDialogs()
{
    for (const QPointer<QWidget> &dialog : qAsConst(trackedDialogs_)) {
        if (dialog) {
            dialog->close();
            delete dialog.data();
        }
    }
    trackedDialogs_.clear();
}

bool MW2::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
    // A window's activation reaches every visible widget in it; one shown or moved into
    // another window since asks afresh.
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::ActivationChange:
    case QEvent::Show:
    case QEvent::ParentChange:
        inFront_ = isActiveWindow();
        break;
    default:
        break;
    }
    return handled;
}

void MW2::showAlarmBand()
{
    alarmBand_->showStatus(session_.link().connected() ? &session_.status() : nullptr);
}
