#pragma once
// Maps a picture file of the user's to the connected wireless wheel, keyed by its MAC.

#include "device/devicelink.h"

#include <QDialog>

#include <memory>

class UserPrompts;

namespace Ui {
class WirelessWheelImageDialog;
}

class WirelessWheelImageDialog : public QDialog {
    Q_OBJECT

public:
    // `connected`: the status says a wireless wheel is connected; `wheel` is its latest record.
    WirelessWheelImageDialog(bool connected, const WirelessDeviceData &wheel, UserPrompts &prompts,
                             QWidget *parent = nullptr);
    ~WirelessWheelImageDialog() override;

private slots:
    void on_newfilepushButton_clicked();
    void on_removepushButton_clicked();

private:
    std::unique_ptr<Ui::WirelessWheelImageDialog> ui;
    UserPrompts &prompts_;
    QString name_;
    QString mac_;
};
