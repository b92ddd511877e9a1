#include "service/askdriveparametersdialog.h"
#include "ui_askdriveparametersdialog.h"

#include "device/devicelink.h"
#include "device/linkgate.h"
#include "service/parametercells.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

using namespace service;

AskDriveParametersDialog::AskDriveParametersDialog(DeviceLink &link, QWidget *parent)
    : QDialog(parent), link_(link), ui(new Ui::AskDriveParametersDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Return in the input line runs the query; it must not also close the dialog.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

AskDriveParametersDialog::~AskDriveParametersDialog() = default;

void AskDriveParametersDialog::on_lineEdit_editingFinished()
{
    ui->messagelabel->clear();
    if (link_.gate().busy()) {
        ui->messagelabel->setText(tr("The base is busy (saving settings). Nothing was asked; try again in a few seconds."));
        return;
    }
    // The reply line is never cleared: answers of several queries add up.
    for (const std::vector<std::uint16_t> &batch : requestBatches(requestTokens(ui->lineEdit->text()))) {
        DriveAddresses addresses{};
        std::copy(batch.begin(), batch.end(), addresses.begin());
        DriveParameterFrame reply;
        // A failed request closes the link; the batches after it would find it closed.
        if (!link_.readDriveParameters(addresses, reply))
            return;
        ui->replylineEdit->setText(ui->replylineEdit->text() + replyEntries(reply, batch.size()));
    }
}

void AskDriveParametersDialog::on_copyToClipboardpushButton_clicked()
{
    QGuiApplication::clipboard()->setText(ui->replylineEdit->text());
}
