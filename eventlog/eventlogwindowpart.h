#pragma once
// The event log in the main window: the Advanced page's button opens the window, and its
// verbosity box sets how much the base records.

#include <QObject>

class BaseSession;
class UserPrompts;
class WindowHost;

class EventLogWindowPart : public QObject {
    Q_OBJECT

public:
    EventLogWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    void showLog();
    void setVerbosity(int level);

private:
    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
};
