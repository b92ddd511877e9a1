#include "wireless/wirelesswheelimagedialog.h"
#include "ui_wirelesswheelimagedialog.h"

#include "common/widgets/userprompts.h"
#include "wireless/wheelcatalogue.h"
#include "wireless/wheelimagemapping.h"

WirelessWheelImageDialog::WirelessWheelImageDialog(bool connected, const WirelessDeviceData &wheel,
                                                   UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), ui(new Ui::WirelessWheelImageDialog), prompts_(prompts)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    if (!connected) {
        ui->wheelmaclabel->setText(tr("No wireless wheel connected."));
        ui->newfilepushButton->setEnabled(false);
        ui->removepushButton->setEnabled(false);
        return;
    }
    name_ = reportedWheelName(wheel);
    mac_ = macAddressText(wheel.mac());
    ui->wheelmaclabel->setText(tr("Connected: ") + name_ + QStringLiteral(" MAC: ") + mac_);
    const QString mapped = mappedWheelImage(mac_);
    if (!mapped.isEmpty()) {
        ui->wheelimagefilenamelabel->setText(mapped);
        ui->removepushButton->setEnabled(true);
    } else {
        ui->wheelimagefilenamelabel->setText(tr("Showing wheels/") + name_ + QStringLiteral(".png ") +
                                             tr("if it exists"));
        ui->removepushButton->setEnabled(false);
    }
}

WirelessWheelImageDialog::~WirelessWheelImageDialog() = default;

void WirelessWheelImageDialog::on_newfilepushButton_clicked()
{
    const QString chosen = prompts_.openFileName(this, tr("Open Wheel Image"), QStringLiteral("wheelimage.png"),
                                                 tr("Image Files (*.png)"));
    if (chosen.isEmpty())
        return;
    mapWheelImage(mac_, chosen);
    accept();
}

void WirelessWheelImageDialog::on_removepushButton_clicked()
{
    removeWheelImageMapping(mac_);
    ui->wheelimagefilenamelabel->setText(tr("Showing wheels/") + name_ + QStringLiteral(".png") +
                                         tr(" if it exists"));
    ui->removepushButton->setEnabled(false);
}
