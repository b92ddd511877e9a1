#include "firmware/firmwarewindowpart.h"

#include "device/linkgate.h"
#include "firmware/fwupdatewizard.h"
#include "firmware/toonewfirmwareprompt.h"
#include "session/basesession.h"
#include "common/widgets/userprompts.h"
#include "common/widgets/windowhost.h"

#include <QDebug>

FirmwareWindowPart::FirmwareWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
    connect(&session_, &BaseSession::firmwareUpdateRequired, this, &FirmwareWindowPart::openWizard);
    connect(&session_, &BaseSession::firmwareTooNew, this, &FirmwareWindowPart::showTooNew);
}

void FirmwareWindowPart::openWizard(int mode)
{
    emit promptOpening();
    qDebug() << "firmware update wizard requested, mode" << mode;
    // The session stopped its polling; the wizard has the link to itself until it closes,
    // and whatever else runs meanwhile (its progress turns the event loop) stays silent.
    const LinkGate::Hold hold = session_.gate().acquire(QStringLiteral("updating the firmware"));
    auto *wizard = new fwupdatewizard(host_.frame(), mode, session_.link());
    prompts_.exec(wizard);
}

void FirmwareWindowPart::showTooNew()
{
    emit promptOpening();
    auto *prompt = new toonewfirmwareprompt(host_.frame());
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    prompts_.exec(prompt);
}
