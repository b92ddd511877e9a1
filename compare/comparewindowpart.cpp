#include "compare/comparewindowpart.h"

#include "compare/comparedialog.h"
#include "session/basesession.h"
#include "common/widgets/windowhost.h"

CompareWindowPart::CompareWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
}

void CompareWindowPart::openDialog()
{
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    if (!session_.link().connected() || session_.profiles().empty())
        return;
    auto *dialog = new CompareDialog(session_, prompts_, host_.frame());
    // Values copied into a base profile are edits like the editors' own: applied after
    // the safety check, and the Profiles tab shows them at once.
    connect(dialog, &CompareDialog::settingsEdited, &session_.applier(), &SettingsApplier::markSettingsChanged);
    connect(dialog, &CompareDialog::settingsEdited, this, [this] { host_.refreshEditors(); });
    connect(&session_, &BaseSession::controlsRefreshDue, dialog, &CompareDialog::refresh);
    dialog_ = dialog;
    host_.trackDialog(dialog);
    dialog->show();
}
