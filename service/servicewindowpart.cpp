#include "service/servicewindowpart.h"

#include "device/linkgate.h"
#include "service/activatehightorque.h"
#include "service/askdriveparametersdialog.h"
#include "service/encoderrecalibrationdialog.h"
#include "service/hightorque.h"
#include "service/resetcenterdialog.h"
#include "session/basesession.h"
#include "common/widgets/userprompts.h"
#include "common/widgets/windowhost.h"

#include <QDebug>
#include <QKeySequence>
#include <QShortcut>

ServiceWindowPart::ServiceWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
    QShortcut *askParamsShortcut = host.addShortcut(QKeySequence(Qt::CTRL + Qt::Key_Q), "askParamsShortcut");
    connect(askParamsShortcut, &QShortcut::activated, this, &ServiceWindowPart::openAskDriveParameters);

    QShortcut *recalibrateEncoderShortcut =
        host.addShortcut(QKeySequence(Qt::CTRL + Qt::Key_E), "recalibrateEncoderShortcut");
    connect(recalibrateEncoderShortcut, &QShortcut::activated, this, &ServiceWindowPart::openEncoderRecalibration);
}

void ServiceWindowPart::toggleHighTorque()
{
    DeviceLink &link = session_.link();
    if (session_.gate().busy()) {
        qDebug().noquote() << "high torque button: the link is busy:" << session_.gate().holder();
        return;
    }
    if (session_.status().hasFlag(wire::highTorque)) {
        emit highTorqueShown(service::leaveHighTorque(link, session_.status().statusFlags));
        return;
    }
    // Tracked like the other auxiliary dialogs: a disconnection while it is open deletes
    // it, so it is held through a guarded pointer.
    QPointer<activatehightorque> dialog = new activatehightorque(link, host_.frame());
    host_.trackDialog(dialog);
    prompts_.exec(dialog);
    // The next status tells whether the base took the answer; the refresh shows it.
    session_.statusTick();
    delete dialog.data();
}

void ServiceWindowPart::openResetCenterDialog()
{
    if (resetCenterDialog_) {
        resetCenterDialog_->raise();
        resetCenterDialog_->activateWindow();
        return;
    }
    auto *dialog = new resetcenterdialog(session_.link(), host_.frame());
    resetCenterDialog_ = dialog;
    host_.trackDialog(dialog);
    dialog->show();
}

void ServiceWindowPart::openAskDriveParameters()
{
    AskDriveParametersDialog dialog(session_.link(), host_.frame());
    prompts_.exec(&dialog);
}

void ServiceWindowPart::openEncoderRecalibration()
{
    EncoderRecalibrationDialog::run(session_.link(), prompts_, host_.frame());
}
