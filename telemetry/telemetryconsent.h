#pragma once
// The user's answer to the telemetry question, kept in the settings store with the
// version of the question it answers. An answer to another version counts as none.

#include <QObject>
#include <QString>

class TelemetryConsent : public QObject {
    Q_OBJECT

public:
    enum Consent { Unset = 0, Allowed = 1, Denied = 2 };
    Q_ENUM(Consent)

    static constexpr int kConsentVersion = 1;

    explicit TelemetryConsent(QObject *parent = nullptr);

    Consent consent() const { return consent_; }
    bool isAllowed() const { return consent_ == Allowed; }
    bool isDecided() const { return consent_ == Allowed || consent_ == Denied; }
    // Stores and announces a new answer; the same answer again changes nothing.
    void setConsent(Consent consent);

    // What the Advanced page shows for an answer.
    static QString text(Consent consent);

signals:
    // Also once from the event loop after construction, with the loaded answer.
    void consentChanged(TelemetryConsent::Consent consent);

private:
    Consent consent_ = Unset;
};
