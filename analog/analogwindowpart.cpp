#include "analog/analogwindowpart.h"

#include "analog/analogconfigdialog.h"
#include "session/basesession.h"
#include "common/presentation/operatingmode.h"
#include "common/widgets/windowhost.h"

AnalogWindowPart::AnalogWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
    // Calibration needs an operational base.
    connect(&session_, &BaseSession::statusRefreshed, this, [this](const DeviceStatus &status) {
        if (!presentation::analogConfigurationAllowed(status.operatingMode) && dialog_)
            dialog_->close();
    });
}

void AnalogWindowPart::openDialog()
{
    // One calibration at a time: a second click brings the open one to the front.
    if (dialog_ && dialog_->isVisible()) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    AnalogConfigDialog *dialog = AnalogConfigDialog::open(session_.link(), prompts_, host_.frame());
    if (!dialog)
        return;
    dialog_ = dialog;
    host_.trackDialog(dialog);
}
