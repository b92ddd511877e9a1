// Profile compare: the dialog opens from the Profiles tab and closes with the connection.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "compare/comparedialog.h"
#include "session/basesession.h"

void MW2::setUpCompare()
{
    connect(ui->ProfilesTab, &ProfilesPage::compareRequested, this, &MW2::openCompareDialog);
}

void MW2::openCompareDialog()
{
    if (compareDialog_) {
        compareDialog_->raise();
        compareDialog_->activateWindow();
        return;
    }
    if (!session_.link().connected() || session_.profiles().empty())
        return;
    auto *dialog = new CompareDialog(session_, prompts_, this);
    // Values copied into a base profile are edits like the editors' own: applied after
    // the safety check, and the Profiles tab shows them at once.
    connect(dialog, &CompareDialog::settingsEdited, &session_.applier(), &SettingsApplier::markSettingsChanged);
    connect(dialog, &CompareDialog::settingsEdited, this, [this] { updateAllConfigValues(true); });
    connect(&session_, &BaseSession::controlsRefreshDue, dialog, &CompareDialog::refresh);
    compareDialog_ = dialog;
    trackDialog(dialog);
    dialog->show();
}
