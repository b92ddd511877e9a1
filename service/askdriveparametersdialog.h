#pragma once
// Support staff ask a user for drive values by sending a line of addresses; the user
// pastes it here and copies back "address=value;" entries. Created per use, modal.

#include <QDialog>

#include <memory>

class DeviceLink;

namespace Ui {
class AskDriveParametersDialog;
}

class AskDriveParametersDialog : public QDialog {
    Q_OBJECT

public:
    explicit AskDriveParametersDialog(DeviceLink &link, QWidget *parent = nullptr);
    ~AskDriveParametersDialog() override;

private slots:
    void on_lineEdit_editingFinished();
    void on_copyToClipboardpushButton_clicked();

private:
    DeviceLink &link_;
    std::unique_ptr<Ui::AskDriveParametersDialog> ui;
};
