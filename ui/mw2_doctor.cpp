// The connection doctor's advice: after a failed connection attempt, why and how to fix
// it, under the alarm band so it shows whichever tab is in front.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "doctor/connectionadvicepanel.h"
#include "session/basesession.h"
#include "common/widgets/userprompts.h"

#include <QBoxLayout>
#include <QCoreApplication>

void MW2::setConnectionDoctor(std::function<doctor::Diagnosis()> doctor) { connectionDoctor_ = std::move(doctor); }

void MW2::installAdvicePanel()
{
    advicePanel_ = new ConnectionAdvicePanel(this);
    for (QBoxLayout *column : ui->tabWidget->parentWidget()->findChildren<QBoxLayout *>()) {
        const int at = column->indexOf(ui->tabWidget);
        if (at >= 0) {
            column->insertWidget(at, advicePanel_);
            break;
        }
    }
    connect(&session_, &BaseSession::connectFailed, this, &MW2::adviseOnConnection);
    connect(&session_, &BaseSession::statusRefreshed, advicePanel_, &QWidget::hide);
    connect(advicePanel_, &ConnectionAdvicePanel::fixRequested, this, &MW2::runConnectionFix);
    connect(advicePanel_, &ConnectionAdvicePanel::firmwareUpdateRequested, this, [this] {
        // The wizard needs the link alone: not while the base writes its flash or another
        // operation holds it.
        if (session_.gate().busy()) {
            advicePanel_->showFixOutcome(
                session_.gate().flashDelayRunning()
                    ? tr("Not started: the base is writing or reloading its flash. Try again once it is done.")
                    : tr("Not started: the base is busy with another operation. Try again once it is done."));
            return;
        }
        // As when the status tick finds the bootloader: the wizard, then the program ends.
        session_.stopPolling();
        openFirmwareWizard(1);
        QCoreApplication::quit();
        close();
    });
}

void MW2::adviseOnConnection()
{
    if (connectionDoctor_)
        advicePanel_->showDiagnosis(connectionDoctor_());
}

void MW2::runConnectionFix()
{
    const QString script = advicePanel_->diagnosis().privilegedScript;
    if (script.isEmpty())
        return;
    const AdministratorRun run = prompts_.runAsAdministrator(script);
    switch (run.outcome) {
    case AdministratorRun::Outcome::Done:
        advicePanel_->showFixOutcome(tr("Done. Unplug the base and plug it in again if it does not connect within "
                                        "a few seconds."));
        break;
    case AdministratorRun::Outcome::ToolMissing:
        advicePanel_->showFixOutcome(tr("pkexec is not installed here. Run the command above in a terminal."));
        break;
    case AdministratorRun::Outcome::Refused:
        advicePanel_->showFixOutcome(tr("Nothing was changed: the administrator password was not given."));
        break;
    case AdministratorRun::Outcome::Failed:
        advicePanel_->showFixOutcome(
            tr("The command failed (exit code %1). Run it in a terminal to see why.").arg(run.exitCode));
        break;
    }
}
