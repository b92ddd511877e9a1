#include "service/profiledebugdialog.h"
#include "ui_profiledebugdialog.h"

#include "device/linkgate.h"
#include "service/parametercells.h"
#include "session/basesession.h"

#include <QTableWidgetItem>

using namespace service;

namespace {
constexpr int kAddressColumn = 0;
constexpr int kValueColumn = 1;
} // namespace

profileDebugDialog::profileDebugDialog(BaseSession &session, QWidget *parent)
    : QDialog(parent), session_(session), ui(new Ui::profileDebugDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

profileDebugDialog::~profileDebugDialog() = default;

QString profileDebugDialog::cell(int row, int column) const
{
    const QTableWidgetItem *item = ui->tableWidget->item(row, column);
    return item ? item->text() : QString();
}

void profileDebugDialog::setCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = ui->tableWidget->item(row, column))
        item->setText(text);
    else
        ui->tableWidget->setItem(row, column, new QTableWidgetItem(text));
}

bool profileDebugDialog::linkAvailable()
{
    if (!session_.gate().busy())
        return true;
    ui->messagelabel->setText(tr("The base is busy (saving settings or running a service procedure). "
                                 "Nothing was sent; try again in a few seconds."));
    return false;
}

profDataNew *profileDebugDialog::activeProfile(int &index)
{
    // The index travels as one byte.
    index = int(std::uint8_t(session_.status().activeProfile));
    profDataNew *profile = session_.profileAt(index);
    if (!profile)
        ui->messagelabel->setText(tr("The active profile %1 is not in the tool's profile list (no base connected, "
                                     "or its profiles are not read yet). Nothing was done.")
                                      .arg(index));
    return profile;
}

void profileDebugDialog::on_pushButton_3_clicked()
{
    ui->messagelabel->clear();
    int index = 0;
    profDataNew *profile = activeProfile(index);
    if (!profile || !linkAvailable())
        return;
    // A failed read leaves the table as it was; the link closes itself and reconnects.
    if (!session_.link().getProfileData(std::uint16_t(index), *profile))
        return;
    for (int row = 0; row < kTableRows; ++row) {
        const int address = profileAddressFromText(cell(row, kAddressColumn));
        // Only the record's 50 parameter words can be shown.
        setCell(row, kValueColumn, isProfileAddress(address) ? QString::number(profile->param[std::size_t(address)])
                                                             : QString());
    }
}

void profileDebugDialog::on_pushButton_4_clicked()
{
    ui->messagelabel->clear();
    int index = 0;
    profDataNew *profile = activeProfile(index);
    if (!profile || !linkAvailable())
        return;
    QStringList refused;
    int taken = 0;
    for (int row = 0; row < kTableRows; ++row) {
        const int address = profileAddressFromText(cell(row, kAddressColumn));
        if (address < 1)
            break;
        if (!isProfileAddress(address)) {
            refused << tr("row %1 (no parameter %2)").arg(row + 1).arg(address);
            continue;
        }
        const std::optional<std::int32_t> value = parameterValueFromText(cell(row, kValueColumn));
        if (!value) {
            refused << tr("row %1 (value is not a whole number)").arg(row + 1);
            continue;
        }
        profile->param[std::size_t(address)] = static_cast<std::uint32_t>(*value);
        ++taken;
    }
    if (!refused.isEmpty())
        ui->messagelabel->setText(tr("Not written: %1.").arg(refused.join(", ")));
    if (taken > 0)
        session_.link().setProfileData(std::uint16_t(index), *profile);
}
