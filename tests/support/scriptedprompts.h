#pragma once
// Answers the tool's file choosers and modal dialogs from a script, for offscreen tests.

#include "userprompts.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class ScriptedPrompts final : public UserPrompts {
public:
    ScriptedPrompts() { setUserPrompts(this); }
    ~ScriptedPrompts() override { setUserPrompts(nullptr); }

    // File names handed out in order; an exhausted list answers as a cancelled chooser.
    QStringList fileNames;
    // What a modal dialog does when run; it must end the dialog. By default it is accepted.
    std::function<int(QDialog *)> onDialog = [](QDialog *dialog) {
        dialog->accept();
        return int(QDialog::Accepted);
    };

    QStringList askedTitles;
    int dialogsRun = 0;

    QString openFileName(QWidget *, const QString &title, const QString &, const QString &) override
    {
        return next(title);
    }
    QString saveFileName(QWidget *, const QString &title, const QString &, const QString &) override
    {
        return next(title);
    }
    int exec(QDialog *dialog) override
    {
        ++dialogsRun;
        return onDialog(dialog);
    }

private:
    QString next(const QString &title)
    {
        askedTitles << title;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};
