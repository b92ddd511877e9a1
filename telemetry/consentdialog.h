#pragma once
// Asks whether telemetry may leave the computer. While no answer is stored, "Yes" unlocks
// only after a five-second countdown, so it is not clicked away unread. The answer is
// stored when the dialog goes: yes allows, anything else (no, Escape) denies.

#include <QDialog>
#include <QString>

#include <memory>

class QTimer;
class TelemetryConsent;
class UserPrompts;

namespace Ui {
class ConsentDialog;
}

class ConsentDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCountdownSteps = 5;
    static constexpr int kCountdownIntervalMs = 1000;

    ConsentDialog(QWidget *parent, TelemetryConsent *consent);
    ~ConsentDialog() override;

    // At start-up: only while no answer is stored. Returns whether the dialog was shown.
    static bool askIfUndecided(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent);
    // The "Consent..." button: in any case.
    static void askAlways(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent);

public slots:
    void updateYesButton();

private:
    static void ask(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent);

    std::unique_ptr<Ui::ConsentDialog> ui;
    TelemetryConsent *consent_;
    QTimer *countdownTimer_;
    int countdown_ = kCountdownSteps;
    QString yesText_;
};
