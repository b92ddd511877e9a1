#pragma once
// The prompts as a person at the desk answers them: Qt's file choosers and modal dialogs.

#include "common/widgets/userprompts.h"

class DesktopPrompts final : public UserPrompts {
public:
    QString openFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                         const QString &filter) override;
    int exec(QDialog *dialog) override;
    AdministratorRun runAsAdministrator(const QString &script) override;
};
