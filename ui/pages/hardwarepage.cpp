#include "hardwarepage.h"
#include "ui_hardwarepage.h"

HardwarePage::HardwarePage(QWidget *parent) : QWidget(parent), ui(new Ui::HardwarePage)
{
    ui->setupUi(this);
    setUpEditors();
}

HardwarePage::~HardwarePage() = default;

void HardwarePage::showGeneralInformation(const QString &encoderCounts, const QString &peakCurrent)
{
    ui->encodercountslabel->setText(encoderCounts);
    ui->peakcurrentlabel->setText(peakCurrent);
}

QGroupBox *HardwarePage::settingsGroup() const { return ui->hardwaresetupgroupBox; }
QPushButton *HardwarePage::configureAnalogsButton() const { return ui->configureanalogspushbutton; }

void HardwarePage::on_configureanalogspushbutton_clicked() { emit configureAnalogsRequested(); }
