#include "ui/dialogs/wheeltoonearendstopdialog.h"
#include "ui_wheeltoonearendstopdialog.h"

wheelTooNearEndstopDialog::wheelTooNearEndstopDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::wheelTooNearEndstopDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

wheelTooNearEndstopDialog::~wheelTooNearEndstopDialog() = default;
