#pragma once
// Raw access to the servo drive's parameters for technicians: nine address and value
// rows, read or written in one frame, plus the drive's restart and the flash save.
// Lives for the whole run and keeps what the table holds between uses.

#include <QDialog>

#include <cstdint>
#include <memory>

class DeviceLink;

namespace Ui {
class driveDebugDialog;
}

class driveDebugDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr std::uint16_t kRestartDriveCommand = 107;

    explicit driveDebugDialog(DeviceLink &link, QWidget *parent = nullptr);
    ~driveDebugDialog() override;

private slots:
    void on_pushButton_3_clicked();   // read
    void on_pushButton_4_clicked();   // write
    void on_pushButton_clicked();     // restart the drive
    void on_pushButton_2_clicked();   // save settings

private:
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    bool linkAvailable();

    DeviceLink &link_;
    std::unique_ptr<Ui::driveDebugDialog> ui;
};
