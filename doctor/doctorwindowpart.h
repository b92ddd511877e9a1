#pragma once
// The connection doctor in the main window: after a failed connection attempt, why and
// how to fix it, under the alarm band so it shows whichever tab is in front.

#include <QObject>

#include <functional>

class BaseSession;
class ConnectionAdvicePanel;
class UserPrompts;
class WindowHost;
namespace doctor {
struct Diagnosis;
}

class DoctorWindowPart : public QObject {
    Q_OBJECT

public:
    DoctorWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    // Asked after every failed connection attempt. Unset (the virtual base), nothing is said.
    void setConnectionDoctor(std::function<doctor::Diagnosis()> doctor);

signals:
    // The base waits in its bootloader: the window runs the firmware update.
    void firmwareUpdateRequested();

private:
    void adviseOnConnection();
    void runConnectionFix();

    UserPrompts &prompts_;
    std::function<doctor::Diagnosis()> connectionDoctor_;
    ConnectionAdvicePanel *advicePanel_ = nullptr;
};
