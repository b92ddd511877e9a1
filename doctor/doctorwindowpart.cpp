#include "doctor/doctorwindowpart.h"

#include "doctor/connectionadvicepanel.h"
#include "doctor/connectionfix.h"
#include "session/basesession.h"
#include "common/widgets/windowhost.h"

#include <QCoreApplication>

DoctorWindowPart::DoctorWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), prompts_(prompts)
{
    advicePanel_ = new ConnectionAdvicePanel(host.frame());
    host.addPanel(WindowHost::Place::AboveTabs, advicePanel_);
    connect(&session, &BaseSession::connectFailed, this, &DoctorWindowPart::adviseOnConnection);
    connect(&session, &BaseSession::statusRefreshed, advicePanel_, &QWidget::hide);
    connect(advicePanel_, &ConnectionAdvicePanel::fixRequested, this, &DoctorWindowPart::runConnectionFix);
    connect(advicePanel_, &ConnectionAdvicePanel::firmwareUpdateRequested, this, [this, &session] {
        // The wizard needs the link alone: not while the base writes its flash or another
        // operation holds it.
        if (session.gate().busy()) {
            advicePanel_->showFixOutcome(
                session.gate().flashDelayRunning()
                    ? QCoreApplication::translate(
                          "MW2", "Not started: the base is writing or reloading its flash. Try again once it is done.")
                    : QCoreApplication::translate(
                          "MW2", "Not started: the base is busy with another operation. Try again once it is done."));
            return;
        }
        emit firmwareUpdateRequested();
    });
}

void DoctorWindowPart::setConnectionDoctor(std::function<doctor::Diagnosis()> doctor)
{
    connectionDoctor_ = std::move(doctor);
}

void DoctorWindowPart::adviseOnConnection()
{
    if (connectionDoctor_)
        advicePanel_->showDiagnosis(connectionDoctor_());
}

void DoctorWindowPart::runConnectionFix()
{
    if (const std::optional<QString> outcome = doctor::runConnectionFix(advicePanel_->diagnosis(), prompts_))
        advicePanel_->showFixOutcome(*outcome);
}
