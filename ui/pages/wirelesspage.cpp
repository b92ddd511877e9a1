#include "ui/pages/wirelesspage.h"
#include "ui_wirelesspage.h"

#include "common/widgets/theme.h"

WirelessPage::WirelessPage(QWidget *parent) : QWidget(parent), ui(new Ui::WirelessPage)
{
    ui->setupUi(this);
    // The wheel's name arrives over the radio: never render it as markup.
    ui->wirelesswheellabel->setTextFormat(Qt::PlainText);
    ui->wirelessbatterylabel->setTextFormat(Qt::PlainText);
    ui->wirelessconnectionqualitylabel->setTextFormat(Qt::PlainText);
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


void WirelessPage::showWheelLines(const QString &name, const QString &battery, const QString &batteryStyle,
                                  const QString &connection, const QString &connectionStyle)
{
    ui->wirelesswheellabel->setText(name);
    ui->wirelessbatterylabel->setText(battery);
    // Once a second with mostly the same sheets: only a new one polishes the label again.
    setThemedStyleSheet(ui->wirelessbatterylabel, batteryStyle);
    ui->wirelessconnectionqualitylabel->setText(connection);
    setThemedStyleSheet(ui->wirelessconnectionqualitylabel, connectionStyle);
}
