#include "doctor/connectionfix.h"

#include "common/widgets/userprompts.h"

#include <QCoreApplication>

namespace doctor {

namespace {

// The window's own words: the translation keeps them where the window said them.
QString windowText(const char *text) { return QCoreApplication::translate("MW2", text); }

} // namespace

std::optional<QString> runConnectionFix(const Diagnosis &diagnosis, UserPrompts &prompts)
{
    const QString script = diagnosis.privilegedScript;
    if (script.isEmpty())
        return std::nullopt;
    const AdministratorRun run = prompts.runAsAdministrator(script);
    switch (run.outcome) {
    case AdministratorRun::Outcome::Done:
        return windowText(QT_TRANSLATE_NOOP("MW2", "Done. Unplug the base and plug it in again if it does not "
                                                   "connect within a few seconds."));
    case AdministratorRun::Outcome::ToolMissing:
        return windowText(QT_TRANSLATE_NOOP("MW2", "pkexec is not installed here. Run the command above in a terminal."));
    case AdministratorRun::Outcome::Refused:
        return windowText(QT_TRANSLATE_NOOP("MW2", "Nothing was changed: the administrator password was not given."));
    case AdministratorRun::Outcome::Failed:
        break;
    }
    return windowText(QT_TRANSLATE_NOOP("MW2", "The command failed (exit code %1). Run it in a terminal to see why."))
        .arg(run.exitCode);
}

} // namespace doctor
