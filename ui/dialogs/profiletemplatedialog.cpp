#include "ui/dialogs/profiletemplatedialog.h"
#include "ui_profiletemplatedialog.h"

#include "settings/profilename.h"

#include <QPushButton>

profiletemplateDialog::profiletemplateDialog(const profiles::ImportExport &format, QWidget *parent)
    : QDialog(parent), ui(new Ui::profiletemplateDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    format.importFile(QLatin1String(profiles::kTemplateResource), QLatin1String(profiles::kTemplatesGroup),
                      templates_, &descriptions_);

    // Filled before the selection signal is wired up, then shown once for the first entry.
    const QSignalBlocker blocker(ui->templatecomboBox);
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        const QString longName = descriptions_[i].longname;
        ui->templatecomboBox->addItem(longName.isEmpty() ? profileName(*templates_[i]) : longName);
    }
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!templates_.empty());
    on_templatecomboBox_currentIndexChanged(ui->templatecomboBox->currentIndex());
}

profiletemplateDialog::~profiletemplateDialog() = default;

void profiletemplateDialog::on_templatecomboBox_currentIndexChanged(int index)
{
    const bool known = index >= 0 && std::size_t(index) < descriptions_.size();
    ui->descriptionlabel->setText(known ? descriptions_[std::size_t(index)].descriptiondata : QString());
    ui->creditslabel->setText(known ? descriptions_[std::size_t(index)].credits : QString());
}

std::unique_ptr<profDataNew> profiletemplateDialog::takeChosenTemplate()
{
    const int index = ui->templatecomboBox->currentIndex();
    if (index < 0 || std::size_t(index) >= templates_.size())
        return nullptr;
    return std::move(templates_[std::size_t(index)]);
}
