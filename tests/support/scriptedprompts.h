#pragma once
// Answers the tool's file choosers and modal dialogs from a script, for offscreen tests.
// Hand it to the window (or the dialog) the test builds.

#include "common/widgets/userprompts.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class ScriptedPrompts final : public UserPrompts {
public:
    // File names handed out in order; an exhausted list answers as a cancelled chooser.
    QStringList fileNames;
    // What a modal dialog does when run; it must end the dialog. By default it is accepted.
    std::function<int(QDialog *)> onDialog = [](QDialog *dialog) {
        dialog->accept();
        return int(QDialog::Accepted);
    };
    // While set, every question goes there instead (a test watching one question closely).
    UserPrompts *delegate = nullptr;

    QStringList askedTitles;
    // What each chooser suggested: "name | filter".
    QStringList suggestions;
    int dialogsRun = 0;
    // Scripts asked to run as administrator (never run: no test calls pkexec), and the answer.
    QStringList administratorScripts;
    AdministratorRun administratorAnswer{AdministratorRun::Outcome::Done, 0};

    QString openFileName(QWidget *parent, const QString &title, const QString &name, const QString &filter) override
    {
        if (delegate)
            return delegate->openFileName(parent, title, name, filter);
        return next(title, name, filter);
    }
    QString saveFileName(QWidget *parent, const QString &title, const QString &name, const QString &filter) override
    {
        if (delegate)
            return delegate->saveFileName(parent, title, name, filter);
        return next(title, name, filter);
    }
    int exec(QDialog *dialog) override
    {
        if (delegate)
            return delegate->exec(dialog);
        ++dialogsRun;
        return onDialog(dialog);
    }

    AdministratorRun runAsAdministrator(const QString &script) override
    {
        if (delegate)
            return delegate->runAsAdministrator(script);
        administratorScripts << script;
        return administratorAnswer;
    }

private:
    QString next(const QString &title, const QString &name, const QString &filter)
    {
        askedTitles << title;
        suggestions << name + " | " + filter;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};
