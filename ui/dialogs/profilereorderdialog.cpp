#include "ui/dialogs/profilereorderdialog.h"
#include "ui_profilereorderdialog.h"

#include "session/basesession.h"
#include "settings/profilename.h"

#include <QListWidgetItem>

profileReorderDialog::profileReorderDialog(BaseSession &session, QWidget *parent)
    : QDialog(parent), ui(new Ui::profileReorderDialog), session_(session)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const ProfileList &profiles = session.profiles();
    const DeviceStatus &status = session.status();
    for (std::size_t slot = 1; slot < profiles.size(); ++slot) {
        auto *item = new QListWidgetItem(profileName(*profiles[slot]), ui->profileslistWidget);
        item->setData(RecordRole, QVariant::fromValue(quintptr(profiles[slot].get())));
        item->setData(DefaultRole, slot == status.defaultProfile);
        item->setData(ActiveRole, slot == status.activeProfile);
        if (slot == status.defaultProfile) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        if (slot == status.activeProfile)
            ui->profileslistWidget->setCurrentItem(item);
    }
}

profileReorderDialog::~profileReorderDialog() = default;

QListWidget *profileReorderDialog::profileListWidget() const { return ui->profileslistWidget; }

std::vector<const profDataNew *> profileReorderDialog::arrangedRecords() const
{
    std::vector<const profDataNew *> records;
    for (int row = 0; row < ui->profileslistWidget->count(); ++row) {
        const quintptr record = ui->profileslistWidget->item(row)->data(RecordRole).value<quintptr>();
        records.push_back(reinterpret_cast<const profDataNew *>(record));
    }
    return records;
}

void profileReorderDialog::accept()
{
    ui->processinglabel->setText(tr("Processing..."));
    ui->processinglabel->repaint();
    ui->buttonBox->setEnabled(false);
    // The records are only compared with the list's, never followed: the list may have
    // been rebuilt while the dialog was open.
    result_ = profilesync::reorder(session_, arrangedRecords());
    QDialog::accept();
}
