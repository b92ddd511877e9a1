#pragma once
// Profile compare in the main window: the dialog opens from the Profiles tab, one at a
// time, and closes with the connection.

#include <QObject>
#include <QPointer>

class BaseSession;
class QDialog;
class UserPrompts;
class WindowHost;

class CompareWindowPart : public QObject {
    Q_OBJECT

public:
    CompareWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    void openDialog();

private:
    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
    QPointer<QDialog> dialog_;
};
