#include "ui/dialogs/confirmbacktosimpleprofiledialog.h"
#include "ui_confirmbacktosimpleprofiledialog.h"

ConfirmBackToSimpleProfileDialog::ConfirmBackToSimpleProfileDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::ConfirmBackToSimpleProfileDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

ConfirmBackToSimpleProfileDialog::~ConfirmBackToSimpleProfileDialog() = default;
