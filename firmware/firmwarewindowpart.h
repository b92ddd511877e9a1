#pragma once
// Firmware in the main window: the update wizard when the base needs (or waits in) its
// bootloader, and the prompt for firmware newer than this tool.

#include <QObject>

class BaseSession;
class UserPrompts;
class WindowHost;

class FirmwareWindowPart : public QObject {
    Q_OBJECT

public:
    FirmwareWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    // `mode` as the session's firmware check gives it.
    void openWizard(int mode);

signals:
    // A wizard or prompt is about to take over the window.
    void promptOpening();

private:
    void showTooNew();

    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
};
