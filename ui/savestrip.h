#pragma once
// The save strip under the tabs: the save button with its blink, the line beside it that
// says what the base does with its flash, and the note about an edit held back.

#include "common/editing/savestate.h"

#include <QObject>

class BaseSession;
class QLabel;
class QPushButton;
class QTimer;

class SaveStrip : public QObject {
    Q_OBJECT

public:
    SaveStrip(BaseSession &session, QPushButton *save, QLabel *stateLine, QLabel *unsafeNote, QObject *parent);

    // The blink runs every 2.5 s from here on.
    void startBlinking();
    // One blink step; while disconnected, the button is off and the line empty.
    void blink();
    void stopBlinking();
    // The base reloads its flash until the flash delay ends.
    void showReloading();
    void showState();

private:
    void showUnsafeNote(bool unsafe);
    void showSaveResult(bool ok, const QString &error);

    BaseSession &session_;
    QPushButton *save_;
    QLabel *stateLine_;
    QLabel *unsafeNote_;
    QTimer *blinkTimer_;
    bool blinkLit_ = false;
    // The base writes or reloads its flash (from the click until the flash delay ends).
    editing::SaveActivity flashWork_ = editing::SaveActivity::None;
};
