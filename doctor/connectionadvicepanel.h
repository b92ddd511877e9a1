#pragma once
// Under the alarm band while no base opens: what the connection doctor found, the
// command that fixes it, and a button that runs the fix (or the firmware update).

#include "doctor/connectiondoctor.h"

#include <QFrame>

class QLabel;
class QPushButton;

class ConnectionAdvicePanel : public QFrame {
    Q_OBJECT

public:
    explicit ConnectionAdvicePanel(QWidget *parent = nullptr);

    void showDiagnosis(const doctor::Diagnosis &diagnosis);
    // How running the fix ended, below the advice.
    void showFixOutcome(const QString &text);
    const doctor::Diagnosis &diagnosis() const { return diagnosis_; }

signals:
    void fixRequested();
    void firmwareUpdateRequested();

private:
    doctor::Diagnosis diagnosis_;
    QLabel *text_;
    QLabel *command_;
    QPushButton *fixButton_;
    QPushButton *firmwareButton_;
    QLabel *outcome_;
};
