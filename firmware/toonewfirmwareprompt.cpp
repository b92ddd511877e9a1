#include "firmware/toonewfirmwareprompt.h"
#include "ui_toonewfirmwareprompt.h"

toonewfirmwareprompt::toonewfirmwareprompt(QWidget *parent)
    : QDialog(parent), ui(new Ui::toonewfirmwareprompt)
{
    ui->setupUi(this);
    // Whichever way the user answers, there is only one way on: closing.
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

toonewfirmwareprompt::~toonewfirmwareprompt() = default;
