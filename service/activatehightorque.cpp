#include "service/activatehightorque.h"
#include "ui_activatehightorque.h"

#include "device/devicelink.h"

#include <QPushButton>

activatehightorque::activatehightorque(DeviceLink &link, QWidget *parent)
    : QDialog(parent), link_(link), ui(new Ui::activatehightorque)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

activatehightorque::~activatehightorque() = default;

// Only the very end of the bar confirms; 99 is not agreement.
void activatehightorque::on_horizontalScrollBar_sliderMoved(int position)
{
    ui->pushButton->setEnabled(position == kConfirmPosition);
}

void activatehightorque::on_horizontalScrollBar_valueChanged(int value)
{
    ui->pushButton->setEnabled(value == kConfirmPosition);
}

void activatehightorque::on_pushButton_clicked()
{
    // Each step fails silently; the dialog closes either way and the status tells.
    link_.enterHighTorqueMode();
    close();
}

void activatehightorque::on_buttonBox_rejected() { close(); }
