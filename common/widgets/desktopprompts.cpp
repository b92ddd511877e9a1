#include "common/widgets/desktopprompts.h"

#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>

QString DesktopPrompts::openFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, suggestedName, filter);
}

QString DesktopPrompts::saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                     const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
}

int DesktopPrompts::exec(QDialog *dialog) { return dialog->exec(); }

AdministratorRun DesktopPrompts::runAsAdministrator(const QString &script)
{
    // The script runs as given; no user text is ever part of it. The event loop waits
    // while the password dialog is up, as for any modal question.
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty())
        return {AdministratorRun::Outcome::ToolMissing, -1};
    QProcess process;
    process.setProgram(pkexec);
    process.setArguments({QStringLiteral("/bin/sh"), QStringLiteral("-c"), script});
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted())
        return {AdministratorRun::Outcome::ToolMissing, -1};
    QEventLoop wait;
    QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &wait, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    // pkexec: 126 when the dialog was dismissed, 127 when not authorised.
    if (code == 126 || code == 127)
        return {AdministratorRun::Outcome::Refused, code};
    return {code == 0 ? AdministratorRun::Outcome::Done : AdministratorRun::Outcome::Failed, code};
}
