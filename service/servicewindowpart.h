#pragma once
// The service tools in the main window: the high-torque interlock behind the status
// strip's button, the wheel centre from the Overview, and the shortcuts for drive values
// (Ctrl+Q) and the encoder recalibration (Ctrl+E).

#include <QObject>
#include <QPointer>

#include <cstdint>

class BaseSession;
class QDialog;
class UserPrompts;
class WindowHost;

class ServiceWindowPart : public QObject {
    Q_OBJECT

public:
    ServiceWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    // On with a confirmation, off at once.
    void toggleHighTorque();
    void openResetCenterDialog();

signals:
    // High torque was left: the status flags to show until the next status arrives.
    void highTorqueShown(std::uint16_t statusFlags);

private:
    void openAskDriveParameters();
    void openEncoderRecalibration();

    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
    QPointer<QDialog> resetCenterDialog_;
};
