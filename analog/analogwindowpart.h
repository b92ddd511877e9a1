#pragma once
// Pedal calibration in the main window: one dialog at a time from the Hardware page,
// closed when the base leaves operational mode or the connection is lost.

#include <QObject>
#include <QPointer>

class BaseSession;
class QDialog;
class UserPrompts;
class WindowHost;

class AnalogWindowPart : public QObject {
    Q_OBJECT

public:
    AnalogWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    // A second click brings the open dialog to the front.
    void openDialog();

private:
    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
    QPointer<QDialog> dialog_;
};
