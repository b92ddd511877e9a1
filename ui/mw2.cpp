#include "mw2.h"
#include "ui_mw2.h"

#include "analogconfigdialog.h"
#include "changelogdialog.h"
#include "devicecommands.h"
#include "devicelink.h"
#include "includedfirmware.h"
#include "profilemanagementgroup.h"
#include "statusreport.h"
#include "theme.h"
#include "userprompts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

bool forceFullRefresh = true;

namespace {
constexpr int kStatusIntervalMs = 1000;
constexpr int kWheelIntervalMs = 40;
constexpr int kTorqueBlinkIntervalMs = 2500;
constexpr int kWheelSkipTicks = 13; // refresh every 14th tick when the overview is not in front
} // namespace

MW2::MW2(const QString &versionNumber, const QString &releaseName, int launchMode, QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MW2), versionNumber_(versionNumber),
      releaseName_(releaseName), launchMode_(launchMode)
{
    qRegisterMetaType<profDataNew *>("profDataNew*");
    ui->setupUi(this);
    ui->advancedtab->showToolVersion(versionNumber_, releaseName_);
    // The torque button comes and goes with the base's state; the status strip keeps its height.
    QSizePolicy keepPlace = ui->enabletorquepushButton->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->enabletorquepushButton->setSizePolicy(keepPlace);
    loadIncludedFirmwareVersion(launchMode_, includedFirmwareVersion_);

    statusTimer = new QTimer(this);
    statusTimer->setObjectName("statusTimer");
    connect(statusTimer, &QTimer::timeout, this, &MW2::statusUpdate);
    wheelTimer = new QTimer(this);
    wheelTimer->setObjectName("wheelTimer");
    connect(wheelTimer, &QTimer::timeout, this, &MW2::wheelUpdate);
    connect(&flashDelayTimer(), &QTimer::timeout, this, &MW2::flash_delay_elapsed);
    torqueOffBlinkTimer = new QTimer(this);
    torqueOffBlinkTimer->setObjectName("torqueOffBlinkTimer");
    connect(torqueOffBlinkTimer, &QTimer::timeout, this, &MW2::torqueoffButtonBlink);
    connect(ui->hardwaresetuptab, &HardwarePage::configureAnalogsRequested, this, &MW2::openAnalogConfigDialog);
    ui->ProfilesTab->managementGroup()->setHost(this);
    setUpEditing();
    statusTimer->start(kStatusIntervalMs);
    wheelTimer->start(kWheelIntervalMs);
    torqueOffBlinkTimer->start(kTorqueBlinkIntervalMs);

    setConnectedUi(false);
    updateWheelImage(false);
}

MW2::~MW2()
{
    statusTimer->stop();
    // The children, the group among them, go after this body: none may call back in then.
    ui->ProfilesTab->managementGroup()->setHost(nullptr);
}

void MW2::trackDialog(QWidget *dialog) { trackedDialogs_.append(QPointer<QWidget>(dialog)); }

void MW2::pauseStatusPolling() { statusTimer->stop(); }

// The interval stays what it was, also after an import slowed polling down.
void MW2::resumeStatusPolling() { statusTimer->start(); }

void MW2::restartStatusPolling(int intervalMs) { statusTimer->start(intervalMs); }

void MW2::openAnalogConfigDialog()
{
    // One calibration at a time: a second click brings the open one to the front.
    if (analogConfigDialog_ && analogConfigDialog_->isVisible()) {
        analogConfigDialog_->raise();
        analogConfigDialog_->activateWindow();
        return;
    }
    AnalogConfigDialog *dialog = AnalogConfigDialog::open(analogRecordInUse(), this);
    if (!dialog)
        return;
    analogConfigDialog_ = dialog;
    trackDialog(dialog);
}

void MW2::statusUpdate()
{
    if (startPromptsPending_) {
        startPromptsPending_ = false;
        runStartPrompts();
    }
    if (flashDelayTimer().isActive()) {
        qDebug() << "no statusupdate due to flash timer";
        return;
    }
    DeviceLink &link = deviceLink();
    if (link.updatesPaused) {
        qDebug() << "updates paused";
        wheelTimer->stop();
        return;
    }
    wheelTimer->start(kWheelIntervalMs);

    if (link.connected) {
        bool valid = false;
        link.connected = askVeltraneStatusNew(valid);
        if (!link.connected) {
            qDebug() << "disconnection due to status update read failure.";
            return;
        }
        setConnectedUi(true);
        refreshStatusDisplay();
        if (forceFullRefresh) {
            if (link.connected) {
                updateAllConfigValues(true);
                forceFullRefresh = false;
            }
        } else if (link.connected) {
            updateAllConfigValues(false);
        }
        return;
    }

    if (openUpdateMode()) {
        qDebug() << "bootloader detected";
        openFirmwareWizard(1);
        qDebug() << "fw update dialog finished, shutting down";
        QCoreApplication::quit();
        close();
        return;
    }
    enterDisconnectedState();
    if (!connectDevice()) {
        setConnectedUi(false);
        return;
    }
    reloadAfterConnection();
}

void MW2::enterDisconnectedState()
{
    lastSelectedProfileIndex_ = -1;
    wheelTimer->stop();
    emit activeProfileChanged(-1, nullptr);
    qDebug() << "Disconnected state";
    firstConnectionDone_ = false;
    closeTrackedDialogs();
    setConnectedUi(false);
    clearProfileList();
    flashDelayTimer().stop();
    ui->SaveToFlashButton->setEnabled(false);
    forceFullRefresh = true;
}

void MW2::wheelUpdate()
{
    DeviceLink &link = deviceLink();
    if (!link.connected || link.updatesPaused) {
        wheelSampleValid_ = false;
        return;
    }
    const std::uint16_t before = wheelSample().position;
    if (!readWheelReport()) {
        // The link closed itself; make sure nothing is left open before the next connect.
        closeLinkAfterFailure();
        return;
    }
    if (isActiveWindow() && firstTabShown()) {
        wheelUIUpdate();
        wheelUiSkipCount_ = 0;
    } else if (++wheelUiSkipCount_ > kWheelSkipTicks) {
        wheelUIUpdate();
        wheelUiSkipCount_ = 0;
    }
    wheelSampleValid_ = true;
    previousWheelSample_ = before;
}

void MW2::flash_delay_elapsed()
{
    flashDelayTimer().stop();
    ui->advancedtab->reloadFlashButton()->setEnabled(true);
    deviceLink().updatesPaused = false;
}

void MW2::runStartPrompts()
{
    // Remember which version last ran, so an update of the tool can be told apart from a restart.
    QSettings settings("Halvern Labs", "Veltrane2");
    if (changelogDue(settings.value("Version").toString(), versionNumber_)) {
        auto *changelog = new ChangelogDialog(this);
        changelog->setAttribute(Qt::WA_DeleteOnClose);
        userPrompts().exec(changelog);
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

void MW2::stopPollingTimers()
{
    statusTimer->stop();
    wheelTimer->stop();
    settingsChangedBlinkTimer->stop();
    autoApplyTimer->stop();
}

bool MW2::firstTabShown() const { return ui->tabWidget->currentIndex() == 0; }
