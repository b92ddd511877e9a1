#include "ui/widgets/desktopprompts.h"

#include <QDialog>
#include <QFileDialog>

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
