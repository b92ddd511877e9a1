#pragma once
// Telemetry in the main window: the consent and upload lines and buttons of the Advanced
// page, and the consent question at start-up, after the window's own start prompts.

#include <QObject>
#include <QString>

class BaseSession;
class SessionTelemetry;
class UserPrompts;
class WindowHost;

class TelemetryWindowPart : public QObject {
    Q_OBJECT

public:
    TelemetryWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host, const QString &toolVersion);

    SessionTelemetry &telemetry() const { return *telemetry_; }

    // Says the consent, the upload state and whether an upload may start, as they are now.
    void showState();
    void askConsent();
    void uploadNow();

signals:
    void consentShown(const QString &text);
    void stateShown(const QString &text);
    void uploadEnabledShown(bool enabled);

private:
    void showUploadButton();

    UserPrompts &prompts_;
    WindowHost &host_;
    SessionTelemetry *telemetry_ = nullptr;
};
