#include "ui/pages/wirelesspage.h"
#include "ui_wirelesspage.h"

WirelessPage::WirelessPage(QWidget *parent) : QWidget(parent), ui(new Ui::WirelessPage)
{
    ui->setupUi(this);
}

WirelessPage::~WirelessPage() = default;

void WirelessPage::setReceiverPanel(QWidget *panel)
{
    if (panel == receiverPanel_)
        return;
    delete receiverPanel_.data();
    receiverPanel_ = panel;
    if (!panel)
        return;
    // A dialog class embedded as a panel must not stay a window of its own.
    panel->setWindowFlags(Qt::Widget);
    ui->wirelessreceiverpanelLayout->addWidget(panel);
}

void WirelessPage::clearWheelLines()
{
    ui->wirelesswheellabel->clear();
    ui->wirelessbatterylabel->clear();
    ui->wirelessconnectionqualitylabel->clear();
}

