#include "userprompts.h"

#include <QDialog>
#include <QFileDialog>

namespace {

class DesktopPrompts final : public UserPrompts {
public:
    QString openFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                         const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, suggestedName, filter);
    }
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                         const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
    }
    int exec(QDialog *dialog) override { return dialog->exec(); }
};

DesktopPrompts desktopPrompts;
UserPrompts *current = &desktopPrompts;

} // namespace

UserPrompts &userPrompts() { return *current; }

void setUserPrompts(UserPrompts *prompts) { current = prompts ? prompts : &desktopPrompts; }
