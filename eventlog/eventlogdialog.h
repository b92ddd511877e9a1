#pragma once
// The decoded event log, read-only and unwrapped, one event per line, oldest first; the
// user can keep it as a text file.

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class EventLogDialog;
}

class UserPrompts;

class EventLogDialog : public QDialog {
    Q_OBJECT

public:
    // The file chooser runs through `prompts`.
    EventLogDialog(const QStringList &lines, UserPrompts &prompts, QWidget *parent = nullptr);
    ~EventLogDialog() override;

    QString text() const;
    // What the last save said ("" before any).
    QString saveStatus() const;

    // The lines as written to a file; false, with the reason in `error`, when the file
    // could not be written (a file that existed stays as it was).
    static bool saveLines(const QStringList &lines, const QString &path, QString &error);

private slots:
    void on_savetofilepushButton_clicked();

private:
    std::unique_ptr<Ui::EventLogDialog> ui;
    QStringList lines_;
    UserPrompts &prompts_;
};
