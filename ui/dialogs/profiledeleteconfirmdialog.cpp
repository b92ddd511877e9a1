#include "ui/dialogs/profiledeleteconfirmdialog.h"
#include "ui_profiledeleteconfirmdialog.h"

profiledeleteconfirmdialog::profiledeleteconfirmdialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::profiledeleteconfirmdialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

profiledeleteconfirmdialog::~profiledeleteconfirmdialog() = default;
