#include "ui/pages/hardwarepage.h"
#include "ui_hardwarepage.h"
#include "ui/pages/parametertips.h"

HardwarePage::HardwarePage(QWidget *parent) : QWidget(parent), ui(new Ui::HardwarePage)
{
    ui->setupUi(this);
    parametertips::apply(*this);
    setUpEditors();
}

HardwarePage::~HardwarePage() = default;

void HardwarePage::showGeneralInformation(const QString &encoderCounts, const QString &peakCurrent)
{
    ui->encodercountslabel->setText(encoderCounts);
    ui->peakcurrentlabel->setText(peakCurrent);
}

void HardwarePage::setSettingsEnabled(bool enabled) { ui->hardwaresetupgroupBox->setEnabled(enabled); }
void HardwarePage::setAnalogConfigurationEnabled(bool enabled) { ui->configureanalogspushbutton->setEnabled(enabled); }

void HardwarePage::on_configureanalogspushbutton_clicked() { emit configureAnalogsRequested(); }
