#include "ui/mw2.h"
#include "ui_mw2.h"

#include "analog/analogconfigdialog.h"
#include "eventlog/eventlogviewer.h"
#include "eventlog/verbosity.h"
#include "session/basesession.h"
#include "device/linkgate.h"
#include "ui/dialogs/changelogdialog.h"
#include "common/editing/savestate.h"
#include "common/presentation/alarmband.h"
#include "common/widgets/theme.h"
#include "firmware/fwupdatewizard.h"
#include "firmware/toonewfirmwareprompt.h"
#include "common/widgets/userprompts.h"
#include "games/processtable.h"
#include "plots/plotmodel.h"

#include <QCoreApplication>
#include <QBoxLayout>
#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace {
constexpr int kTorqueBlinkIntervalMs = 2500;
} // namespace

MW2::MW2(BaseSession &session, UserPrompts &prompts, const QString &versionNumber, const QString &releaseName,
         QWidget *parent)
    : QMainWindow(parent), session_(session), prompts_(prompts), ui(new Ui::MW2), versionNumber_(versionNumber),
      releaseName_(releaseName)
{
    qRegisterMetaType<profDataNew *>("profDataNew*");
    ui->setupUi(this);
    ui->advancedtab->showToolVersion(versionNumber_, releaseName_);
    // The torque button comes and goes with the base's state; the status strip keeps its height.
    QSizePolicy keepPlace = ui->enabletorquepushButton->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->enabletorquepushButton->setSizePolicy(keepPlace);

    ui->ProfilesTab->setSession(&session_);
    ui->ProfilesTab->setPrompts(&prompts_);
    ui->hardwaresetuptab->setSession(&session_);
    torqueOffBlinkTimer = new QTimer(this);
    torqueOffBlinkTimer->setObjectName("torqueOffBlinkTimer");
    connect(torqueOffBlinkTimer, &QTimer::timeout, this, &MW2::torqueoffButtonBlink);
    connect(ui->hardwaresetuptab, &HardwarePage::configureAnalogsRequested, this, &MW2::openAnalogConfigDialog);
    connect(ui->advancedtab, &AdvancedPage::reloadFromFlashRequested, this, &MW2::reloadFromFlash);
    connect(ui->advancedtab, &AdvancedPage::resetForceFeedbackRequested, &session_,
            &BaseSession::resetForceFeedback);
    connect(ui->advancedtab, &AdvancedPage::restartFromScratchRequested, &session_,
            &BaseSession::restartFromScratch);
    connect(ui->advancedtab, &AdvancedPage::eventLogRequested, this,
            [this] { eventlog::showEventLog(session_.link(), prompts_, this); });
    connect(ui->advancedtab, &AdvancedPage::eventLogVerbosityRequested, this,
            [this](int level) { eventlog::setVerbosity(session_.link(), level); });
    installAlarmBand();
    keepStatusStripSteady();
    installAdvicePanel();
    connectSession();
    setUpEditing();
    setUpServiceTools();
    setUpWireless();
    setUpTelemetry();
    setUpCompare();
    setUpGames();
    setUpPlots();
    torqueOffBlinkTimer->start(kTorqueBlinkIntervalMs);

    setConnectedUi(false);
    updateWheelImage(false);
}

MW2::~MW2()
{
    // The session outlives the window: nothing of it may call back in from here on.
    session_.disconnect(this);
    session_.applier().disconnect(this);
    ui->ProfilesTab->setSession(nullptr);
    ui->hardwaresetuptab->setSession(nullptr);
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
    connect(session, &BaseSession::disconnected, this, &MW2::showDisconnected);
    connect(session, &BaseSession::connectFailed, this, [this] { setConnectedUi(false); });
    connect(session, &BaseSession::firmwareUpdateRequired, this, &MW2::openFirmwareWizard);
    connect(session, &BaseSession::firmwareTooNew, this, &MW2::showFirmwareTooNew);
    connect(session, &BaseSession::shutdownRequested, this, [this] {
        QCoreApplication::quit();
        close();
    });
    connect(session, &BaseSession::wheelSampled, this, &MW2::presentWheelSample);
    connect(session, &BaseSession::listChangeRecovered, ui->ProfilesTab, &ProfilesPage::showListRecovery);
    connect(session, &BaseSession::flashDelayEnded, ui->advancedtab, [this] { ui->advancedtab->setReloadFlashEnabled(true); });

    SettingsApplier *applier = &session_.applier();
    ui->SaveToFlashButton->setEnabled(applier->saveEnabled());
    connect(applier, &SettingsApplier::saveEnabledChanged, ui->SaveToFlashButton, &QPushButton::setEnabled);
    connect(applier, &SettingsApplier::unsafeToApplyChanged, this, &MW2::showUnsafeNote);
    connect(applier, &SettingsApplier::disconnectedAtApply, this,
            [this] { setThemedStyleSheet(ui->SaveToFlashButton, editing::saveButtonBorderStyle(false)); });
    connect(applier, &SettingsApplier::savingStarted, this, [this] {
        ui->advancedtab->setReloadFlashEnabled(false, tr("The base is writing its flash; reloading is possible once it is done."));
    });
    connect(applier, &SettingsApplier::saveFinished, this, &MW2::showSaveResult);
    // The save line says what the base is doing with its flash until the delay is over.
    connect(applier, &SettingsApplier::savingStarted, this, [this] { flashWork_ = int(editing::SaveActivity::Saving); });
    connect(applier, &SettingsApplier::saveFinished, this, [this](bool ok) {
        if (!ok)
            flashWork_ = int(editing::SaveActivity::None);
        showSaveState();
    });
    connect(session, &BaseSession::flashDelayEnded, this, [this] {
        flashWork_ = int(editing::SaveActivity::None);
        showSaveState();
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
        flashWork_ = int(editing::SaveActivity::Reloading);
        // One reload at a time: the flash delay's end enables it again.
        advanced->setReloadFlashEnabled(false, tr("The base is reloading its flash."));
    }
    showSaveState();
}

void MW2::trackDialog(QWidget *dialog) { trackedDialogs_.append(QPointer<QWidget>(dialog)); }

void MW2::openAnalogConfigDialog()
{
    // One calibration at a time: a second click brings the open one to the front.
    if (analogConfigDialog_ && analogConfigDialog_->isVisible()) {
        analogConfigDialog_->raise();
        analogConfigDialog_->activateWindow();
        return;
    }
    AnalogConfigDialog *dialog = AnalogConfigDialog::open(session_.link(), prompts_, this);
    if (!dialog)
        return;
    analogConfigDialog_ = dialog;
    trackDialog(dialog);
}

void MW2::showDisconnected()
{
    closeTrackedDialogs();
    setConnectedUi(false);
}

void MW2::openFirmwareWizard(int mode)
{
    stopBlinkTimers();
    qDebug() << "firmware update wizard requested, mode" << mode;
    // The session stopped its polling; the wizard has the link to itself until it closes,
    // and whatever else runs meanwhile (its progress turns the event loop) stays silent.
    const LinkGate::Hold hold = session_.gate().acquire(QStringLiteral("updating the firmware"));
    auto *wizard = new fwupdatewizard(this, mode, session_.link());
    prompts_.exec(wizard);
}

void MW2::showFirmwareTooNew()
{
    stopBlinkTimers();
    auto *prompt = new toonewfirmwareprompt(this);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    prompts_.exec(prompt);
}

void MW2::stopBlinkTimers() { settingsChangedBlinkTimer->stop(); }

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
    askTelemetryConsentIfUndecided();
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

bool MW2::firstTabShown() const { return ui->tabWidget->currentIndex() == 0; }

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

void MW2::keepStatusStripSteady()
{
    // A long fault list scrolls inside two lines instead of pushing the tabs down; the
    // operating mode keeps two lines whether its text wraps or not.
    const int twoLines = ui->estopLabel->fontMetrics().lineSpacing() * 2 + 4;
    auto *faults = new QScrollArea(ui->centralwidget);
    faults->setObjectName(QStringLiteral("estopScrollArea"));
    faults->setFrameShape(QFrame::NoFrame);
    faults->setWidgetResizable(true);
    faults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    faults->setFixedHeight(twoLines);
    delete ui->statusstripLayout->replaceWidget(ui->estopLabel, faults);
    faults->setWidget(ui->estopLabel);
    ui->estopLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui->operationalLabel->setFixedHeight(twoLines);
}

void MW2::installAlarmBand()
{
    alarmBand_ = new QLabel(this);
    alarmBand_->setObjectName(QStringLiteral("alarmBand"));
    alarmBand_->setStyleSheet(QLatin1String(presentation::kAlarmBandStyle));
    alarmBand_->setAlignment(Qt::AlignCenter);
    alarmBand_->setTextFormat(Qt::PlainText);
    // One line of fixed height, so an alarm never moves the tabs by more than the band.
    alarmBand_->setFixedHeight(alarmBand_->fontMetrics().height() * 2);
    alarmBand_->setWordWrap(false);
    for (QBoxLayout *column : ui->tabWidget->parentWidget()->findChildren<QBoxLayout *>()) {
        const int at = column->indexOf(ui->tabWidget);
        if (at >= 0) {
            column->insertWidget(at, alarmBand_);
            break;
        }
    }
    showAlarmBand();
}

void MW2::showAlarmBand()
{
    const QString text =
        presentation::alarmBandText(session_.link().connected() ? &session_.status() : nullptr);
    alarmBand_->setText(text);
    alarmBand_->setVisible(!text.isEmpty());
}
