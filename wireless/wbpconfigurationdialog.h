#pragma once
// The receiver pairing panel ("Manage Wireless Devices"): scans for announcing wheels,
// lists what the receiver sees once a second while shown, connects, disconnects and
// forgets wheels, and sets whether paired wheels reconnect on their own. It lives
// embedded in the wireless tab for the whole run, so it has no buttons that close it.

#include "device/devicelink.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <memory>

class QTreeWidgetItem;

namespace Ui {
class wbpconfigurationdialog;
}

class wbpconfigurationdialog : public QDialog {
    Q_OBJECT

public:
    // The receiver's device table holds 20 records; a larger reported count is cut to this.
    static constexpr std::uint32_t kMaxDevices = 20;

    explicit wbpconfigurationdialog(DeviceLink &link, QWidget *parent = nullptr);
    ~wbpconfigurationdialog() override;

    void setReceiverMissing(bool missing);
    // The base has gone: empty list, normal bar, nothing left running.
    void reset();

    bool scanIndicatorBusy() const { return scanIndicatorBusy_; }
    std::uint32_t lastDeviceCount() const { return lastDeviceCount_; }
    QTimer &updateTimer() { return updateTimer_; }
    QTimer &progressTimer() { return progressTimer_; }

    // Embedded for good: closing would hide it for the rest of the run.
    void done(int) override {}

public slots:
    void update();
    void progressbarUpdate();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void on_checkBox_clicked(bool checked);
    void on_startscanpushButton_clicked();
    void on_stopscanpushButton_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_treeWidget_itemDoubleClicked(QTreeWidgetItem *item, int column);
    void on_connectDevicepushButton_clicked();

private:
    bool linkFree();
    bool linkFreeForClick();
    void setScanIndicatorBusy(bool busy);
    void followScanningFlag();
    void connectRow(const QTreeWidgetItem *item);
    void afterDisconnect();

    std::unique_ptr<Ui::wbpconfigurationdialog> ui;
    DeviceLink &link_;
    QTimer updateTimer_;
    QTimer progressTimer_;
    std::uint32_t lastDeviceCount_ = 0;
    bool scanIndicatorBusy_ = false;
    std::array<WirelessDeviceData, kMaxDevices> wirelessDeviceList_{};
};
