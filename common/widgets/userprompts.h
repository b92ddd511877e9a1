#pragma once
// Every question the tool asks the user in a blocking dialog goes through here: file
// choosers and modal dialogs. The window hands its prompts to the pages and dialogs;
// tests hand in scripted answers, so every dialog path runs offscreen.

#include <QString>

class QDialog;
class QWidget;

// How a command run as administrator ended.
struct AdministratorRun {
    enum class Outcome {
        Done,
        ToolMissing, // no pkexec on this system
        Refused,     // the password was not given or not accepted
        Failed,      // the command itself failed
    };
    Outcome outcome = Outcome::Failed;
    int exitCode = -1;
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Empty when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                 const QString &filter) = 0;
    // Runs a modal dialog to its end and returns its result (QDialog::Accepted or Rejected).
    virtual int exec(QDialog *dialog) = 0;
    // Runs a shell script as administrator after asking for the password (pkexec).
    virtual AdministratorRun runAsAdministrator(const QString &script) = 0;
};
