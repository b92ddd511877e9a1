#include "wireless/wbpconfigurationdialog.h"
#include "ui_wbpconfigurationdialog.h"

#include "device/hid/clock.h"
#include "device/linkgate.h"
#include "wireless/wheelcatalogue.h"

#include <QDebug>
#include <QSet>

namespace {

constexpr int kUpdateIntervalMs = 1000;
constexpr int kProgressIntervalMs = 100;
constexpr int kAfterDisconnectMs = 100;
constexpr int kBetweenDeviceQueriesMs = 2;
constexpr std::size_t kOptionsHardwareId = 14;
constexpr std::uint32_t kAutoConnectBit = 0x400;
constexpr int kIndexRole = Qt::UserRole;

enum Column { NameColumn, MacColumn, SignalColumn, ConnectionColumn, BatteryColumn };

} // namespace

wbpconfigurationdialog::wbpconfigurationdialog(DeviceLink &link, QWidget *parent)
    : QDialog(parent), ui(new Ui::wbpconfigurationdialog), link_(link)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->receivernotdetectedtextlabel->setTextFormat(Qt::PlainText);
    updateTimer_.setInterval(kUpdateIntervalMs);
    progressTimer_.setInterval(kProgressIntervalMs);
    connect(&updateTimer_, &QTimer::timeout, this, &wbpconfigurationdialog::update);
    connect(&progressTimer_, &QTimer::timeout, this, &wbpconfigurationdialog::progressbarUpdate);
    setScanIndicatorBusy(false);
    setEnabled(false);
}

wbpconfigurationdialog::~wbpconfigurationdialog() = default;

bool wbpconfigurationdialog::linkFree() { return link_.connected() && !link_.gate().busy(); }

bool wbpconfigurationdialog::linkFreeForClick()
{
    if (linkFree())
        return true;
    // The periodic update stays quiet; a refused click leaves a trace.
    if (link_.connected())
        qDebug().noquote() << "receiver panel: the link is busy:" << link_.gate().holder();
    return false;
}

void wbpconfigurationdialog::setScanIndicatorBusy(bool busy)
{
    ui->scanprogressBar->setRange(0, busy ? 0 : 100);
    ui->scanprogressBar->setValue(0);
    scanIndicatorBusy_ = busy;
}

void wbpconfigurationdialog::followScanningFlag()
{
    const bool scanning = link_.status().hasFlag(wire::receiverScanning);
    if (scanning != scanIndicatorBusy_)
        setScanIndicatorBusy(scanning);
}

void wbpconfigurationdialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->checkBox->setChecked(link_.hardwareSettings().word[kOptionsHardwareId] & kAutoConnectBit);
    updateTimer_.start(kUpdateIntervalMs);
    followScanningFlag();
}

void wbpconfigurationdialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    updateTimer_.stop();
    if (scanIndicatorBusy_)
        setScanIndicatorBusy(false);
    ui->treeWidget->clear();
}

void wbpconfigurationdialog::setReceiverMissing(bool missing)
{
    if (missing) {
        ui->receivernotdetectedtextlabel->setText(tr("Veltrane Wireless Wheel receiver not detected."));
        ui->receivernotdetectedtextlabel->setStyleSheet(QStringLiteral("QLabel {font-weight: bold;}"));
        setEnabled(false);
        if (scanIndicatorBusy_)
            setScanIndicatorBusy(false);
        return;
    }
    // Asked every second; clearing an empty label still lays the panel out again.
    if (!ui->receivernotdetectedtextlabel->text().isEmpty())
        ui->receivernotdetectedtextlabel->clear();
    setEnabled(true);
    if (link_.connected())
        followScanningFlag();
}

void wbpconfigurationdialog::reset()
{
    ui->treeWidget->clear();
    if (scanIndicatorBusy_)
        setScanIndicatorBusy(false);
    progressTimer_.stop();
    lastDeviceCount_ = 0;
    setEnabled(false);
}

void wbpconfigurationdialog::progressbarUpdate()
{
    if (link_.connected())
        followScanningFlag();
}

void wbpconfigurationdialog::update()
{
    if (!linkFree())
        return;
    std::uint16_t reported = 0;
    if (!link_.getNumWirelessDevices(reported))
        return;
    std::uint32_t count = reported;
    if (count > kMaxDevices) {
        qWarning() << "wireless: base reports" << count << "devices; listing the first" << kMaxDevices;
        count = kMaxDevices;
    }
    QTreeWidget *tree = ui->treeWidget;
    if (count != lastDeviceCount_) {
        lastDeviceCount_ = count;
        tree->clear();
    }
    for (std::uint32_t index = 0; index < count; ++index) {
        if (!link_.getWirelessDeviceData(std::uint16_t(index), wirelessDeviceList_[index]))
            return;
        if (index + 1 < count)
            linkclock::sleepMs(kBetweenDeviceQueriesMs);
    }

    // Rows are identified by MAC; a wheel that left the list takes its row with it, and each
    // row keeps the index the receiver lists its wheel under now.
    QSet<QString> macs;
    for (std::uint32_t index = 0; index < count; ++index)
        macs.insert(macAddressText(wirelessDeviceList_[index].mac()));
    for (int row = tree->topLevelItemCount() - 1; row >= 0; --row)
        if (!macs.contains(tree->topLevelItem(row)->text(MacColumn)))
            delete tree->takeTopLevelItem(row);
    for (std::uint32_t index = 0; index < count; ++index) {
        const WirelessDeviceData &device = wirelessDeviceList_[index];
        const QString mac = macAddressText(device.mac());
        const QList<QTreeWidgetItem *> found = tree->findItems(mac, Qt::MatchExactly, MacColumn);
        QTreeWidgetItem *item = found.isEmpty() ? new QTreeWidgetItem(tree) : found.first();
        item->setText(NameColumn, wheelDisplayName(reportedWheelName(device)));
        item->setText(MacColumn, mac);
        item->setText(SignalColumn, QString::number(device.signalStrength()));
        item->setData(NameColumn, kIndexRole, index);
    }

    link_.getCurrentWirelessDeviceData();
    const QString currentMac = macAddressText(link_.currentWirelessDevice().mac());
    const QString battery = batteryVoltageText(link_.currentWirelessDevice().batteryRaw());
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = tree->topLevelItem(row);
        const bool current = item->text(MacColumn) == currentMac;
        item->setText(ConnectionColumn, current ? tr("Connected") : QString());
        item->setText(BatteryColumn, current ? battery : QString());
    }
}

void wbpconfigurationdialog::on_checkBox_clicked(bool checked)
{
    if (!linkFreeForClick())
        return;
    const std::uint32_t word = link_.hardwareSettings().word[kOptionsHardwareId];
    link_.setHardwareValue(std::uint16_t(kOptionsHardwareId),
                           checked ? (word | kAutoConnectBit) : (word & ~kAutoConnectBit));
}

void wbpconfigurationdialog::on_startscanpushButton_clicked()
{
    if (!linkFreeForClick())
        return;
    link_.startWirelessScan();
    progressTimer_.start(kProgressIntervalMs);
    if (!scanIndicatorBusy_)
        setScanIndicatorBusy(true);
}

void wbpconfigurationdialog::on_stopscanpushButton_clicked()
{
    if (!linkFreeForClick())
        return;
    link_.stopWirelessScan();
    if (scanIndicatorBusy_)
        setScanIndicatorBusy(false);
}

void wbpconfigurationdialog::afterDisconnect()
{
    linkclock::sleepMs(kAfterDisconnectMs);
    link_.forgetCurrentWirelessDevice();
    ui->treeWidget->clear();
}

void wbpconfigurationdialog::on_pushButton_clicked()
{
    if (!linkFreeForClick())
        return;
    link_.disconnectWirelessDevice();
    afterDisconnect();
}

void wbpconfigurationdialog::on_pushButton_2_clicked()
{
    if (!linkFreeForClick())
        return;
    link_.forgetWirelessDevice();
    afterDisconnect();
}

void wbpconfigurationdialog::connectRow(const QTreeWidgetItem *item)
{
    if (!linkFreeForClick() || !item)
        return;
    link_.connectWirelessDevice(std::uint16_t(item->data(NameColumn, kIndexRole).toUInt()));
}

void wbpconfigurationdialog::on_treeWidget_itemDoubleClicked(QTreeWidgetItem *item, int) { connectRow(item); }

void wbpconfigurationdialog::on_connectDevicepushButton_clicked() { connectRow(ui->treeWidget->currentItem()); }
