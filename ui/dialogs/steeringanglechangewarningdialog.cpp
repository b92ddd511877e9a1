#include "ui/dialogs/steeringanglechangewarningdialog.h"
#include "ui_steeringanglechangewarningdialog.h"

steeringangle_changewarning_dialog::steeringangle_changewarning_dialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::steeringangle_changewarning_dialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

steeringangle_changewarning_dialog::~steeringangle_changewarning_dialog() = default;
