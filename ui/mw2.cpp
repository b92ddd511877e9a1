#include "mw2.h"
#include "ui_mw2.h"

#include "devicecommands.h"
#include "devicelink.h"
#include "operatingmodetext.h"
#include "statusreport.h"
#include "theme.h"

#include <QCoreApplication>
#include <QDebug>
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
    ui->setupUi(this);

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
    ui->ReloadFlashButton->setEnabled(true);
    deviceLink().updatesPaused = false;
}

void MW2::runStartPrompts()
{
    // Remember which version last ran, so an update of the tool can be told apart from a restart.
    QSettings settings("Halvern Labs", "Veltrane2");
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
    const DeviceLink &link = deviceLink();
    if (!connected) {
        const QString attention = applyThemeColours("QLabel { color: @colorPowerage;}");
        ui->operationalLabel->setText(tr("Disconnected"));
        ui->operationalLabel->setStyleSheet(attention);
        ui->modelLabel->setText(tr("Unknown"));
        ui->modelLabel->setStyleSheet(attention);
        ui->fwversionLabel->setText(tr("Unknown"));
        ui->WheelDegreesLabel->clear();
        return;
    }
    const QString normal = applyThemeColours("QLabel { color: @colorRival;}");
    ui->modelLabel->setText(QString::fromLatin1(modelName(link.modelIndex)));
    ui->modelLabel->setStyleSheet(normal);
    ui->operationalLabel->setStyleSheet(normal);
}

void MW2::refreshStatusDisplay()
{
    const DeviceStatus &status = deviceStatus();
    ui->operationalLabel->setText(operatingModeText(status.operatingMode, status.driveUpdateProgress));
    ui->fwversionLabel->setText(QStringLiteral("%1.%2.%3")
                                    .arg(status.firmwareMajor)
                                    .arg(status.firmwareMinor)
                                    .arg(status.firmwarePatch));
}

void MW2::wheelUIUpdate()
{
    ui->WheelDegreesLabel->setText(QString::number(wheelSample().position));
}

void MW2::updateAllConfigValues(bool force_all_values)
{
    // Controls that mirror the base are filled here once editing exists; saving needs a live base.
    if (force_all_values)
        ui->SaveToFlashButton->setEnabled(deviceLink().connected);
}

bool MW2::firstTabShown() const { return true; }
