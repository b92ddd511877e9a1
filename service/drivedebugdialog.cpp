#include "service/drivedebugdialog.h"
#include "ui_drivedebugdialog.h"

#include "device/devicelink.h"
#include "device/linkgate.h"
#include "service/parametercells.h"

#include <QTableWidgetItem>

using namespace service;

namespace {
constexpr int kAddressColumn = 0;
constexpr int kValueColumn = 1;
} // namespace

driveDebugDialog::driveDebugDialog(DeviceLink &link, QWidget *parent)
    : QDialog(parent), link_(link), ui(new Ui::driveDebugDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

driveDebugDialog::~driveDebugDialog() = default;

QString driveDebugDialog::cell(int row, int column) const
{
    const QTableWidgetItem *item = ui->tableWidget->item(row, column);
    return item ? item->text() : QString();
}

void driveDebugDialog::setCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = ui->tableWidget->item(row, column))
        item->setText(text);
    else
        ui->tableWidget->setItem(row, column, new QTableWidgetItem(text));
}

bool driveDebugDialog::linkAvailable()
{
    if (!link_.gate().busy())
        return true;
    ui->messagelabel->setText(tr("The base is busy (saving settings or running a service procedure). "
                                 "Nothing was sent; try again in a few seconds."));
    return false;
}

void driveDebugDialog::on_pushButton_3_clicked()
{
    ui->messagelabel->clear();
    if (!linkAvailable())
        return;
    DriveAddresses addresses{};
    for (int row = 0; row < kTableRows; ++row)
        addresses[std::size_t(row)] = driveAddressFromText(cell(row, kAddressColumn));
    DriveParameterFrame reply;
    // A failed read leaves the table as it was; the link closes itself and reconnects.
    if (!link_.readDriveParameters(addresses, reply))
        return;
    for (int row = 0; row < kTableRows; ++row)
        setCell(row, kValueColumn, QString::number(reply.value(std::size_t(row))));
}

void driveDebugDialog::on_pushButton_4_clicked()
{
    ui->messagelabel->clear();
    if (!linkAvailable())
        return;
    DriveParameterFrame frame;
    std::size_t slot = 0;
    QStringList refused;
    for (int row = 0; row < kTableRows; ++row) {
        const std::uint16_t address = driveAddressFromText(cell(row, kAddressColumn));
        if (address < 1)
            break;
        // A value that is no number would otherwise write 0 into the drive.
        const std::optional<std::int32_t> value = parameterValueFromText(cell(row, kValueColumn));
        if (!value) {
            refused << tr("row %1 (address %2)").arg(row + 1).arg(address);
            continue;
        }
        frame.setAddress(slot, address);
        frame.setValue(slot, *value);
        ++slot;
    }
    if (!refused.isEmpty())
        ui->messagelabel->setText(tr("Not written, the value is not a whole number: %1.").arg(refused.join(", ")));
    if (slot > 0)
        link_.writeDriveParameters(frame);
}

void driveDebugDialog::on_pushButton_clicked()
{
    ui->messagelabel->clear();
    if (linkAvailable())
        link_.driveSystemCommand(kRestartDriveCommand);
}

void driveDebugDialog::on_pushButton_2_clicked()
{
    ui->messagelabel->clear();
    if (linkAvailable())
        link_.saveToFlash();
}
