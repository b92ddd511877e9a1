#include "mw2.h"
#include "ui_mw2.h"

#include "changelogdialog.h"
#include "devicecommands.h"
#include "devicelink.h"
#include "operatingmodetext.h"
#include "statusreport.h"
#include "theme.h"

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

    statusTimer = new QTimer(this);
    statusTimer->setObjectName("statusTimer");
    connect(statusTimer, &QTimer::timeout, this, &MW2::statusUpdate);
    wheelTimer = new QTimer(this);
    wheelTimer->setObjectName("wheelTimer");
    connect(wheelTimer, &QTimer::timeout, this, &MW2::wheelUpdate);
    connect(&flashDelayTimer(), &QTimer::timeout, this, &MW2::flash_delay_elapsed);
    statusTimer->start(kStatusIntervalMs);
    wheelTimer->start(kWheelIntervalMs);

    setConnectedUi(false);
}

MW2::~MW2() { statusTimer->stop(); }

void MW2::trackDialog(QWidget *dialog) { trackedDialogs_.append(QPointer<QWidget>(dialog)); }

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
        runModalDialog_(changelog);
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
}

void MW2::setConnectedUi(bool connected)
{
    // Everything that talks to the base is usable only while one is connected.
    const QList<QWidget *> deviceControls{ui->advancedtab->actionsGroup(), ui->OverviewTab,
                                          ui->ProfilesTab, ui->hardwaresetuptab->settingsGroup(),
                                          ui->activateHighTorquepushbutton, ui->wirelesswheelstab};
    for (QWidget *control : deviceControls)
        control->setEnabled(connected);
    if (connected)
        return;

    const QString attention = applyThemeColours("QLabel { color: @colorPowerage;}");
    ui->operationalLabel->setText(tr("Disconnected"));
    ui->operationalLabel->setStyleSheet(attention);
    ui->estopLabel->setText(tr("Unknown"));
    ui->estopLabel->setStyleSheet(attention);
    OverviewPage *overview = ui->OverviewTab;
    overview->showWheelDegrees(tr("???.?? °"));
    overview->wheelDegreesLabel()->setStyleSheet(attention);
    overview->wheelPositionArea()->setEnabled(false);
    overview->resetCenterButton()->setEnabled(false);
    ui->activeprofilestatusfieldlabel->setText(tr("Unknown"));
    ui->enabletorquepushButton->hide();
    ui->advancedtab->showDeviceVersions(tr("Unknown"), tr("Unknown"), tr("Unknown"));
}

void MW2::refreshStatusDisplay()
{
    const DeviceLink &link = deviceLink();
    const DeviceStatus &status = deviceStatus();
    const QString normal = applyThemeColours("QLabel { color: @colorRival;}");
    const QString model = QString::fromLatin1(modelName(link.modelIndex));
    ui->advancedtab->showDeviceVersions(
        model.isEmpty() ? tr("Unknown") : QStringLiteral("Veltrane 2 ") + model,
        QStringLiteral("%1.%2.%3")
            .arg(status.firmwareMajor)
            .arg(status.firmwareMinor)
            .arg(status.firmwarePatch),
        status.driveFirmwareVersion ? QString::number(status.driveFirmwareVersion) : tr("Unknown"));
    if (!firmwareStatus_.text.isEmpty())
        ui->advancedtab->showFirmwareStatus(firmwareStatus_.text, firmwareStatus_.styleSheet);
    ui->operationalLabel->setText(operatingModeText(status.operatingMode, status.driveUpdateProgress));
    ui->operationalLabel->setStyleSheet(normal);

    // What the disconnected state took away comes back with the first good status.
    ui->advancedtab->reloadFlashButton()->setEnabled(true);
    ui->advancedtab->restartEverythingButton()->setEnabled(true);
    OverviewPage *overview = ui->OverviewTab;
    overview->wheelPositionArea()->setEnabled(true);
    overview->resetCenterButton()->setEnabled(true);
    overview->wheelDegreesLabel()->setStyleSheet(normal);
}

void MW2::wheelUIUpdate()
{
    ui->OverviewTab->showWheelDegrees(QString::number(wheelSample().position));
}

void MW2::updateAllConfigValues(bool force_all_values)
{
    // Controls that mirror the base are filled here once editing exists; saving needs a live base.
    if (force_all_values)
        ui->SaveToFlashButton->setEnabled(deviceLink().connected);
}

bool MW2::firstTabShown() const { return ui->tabWidget->currentIndex() == 0; }
