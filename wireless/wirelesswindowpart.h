#pragma once
// The wireless wheels in the main window: the monitor behind the wireless tab's lines,
// the wheel's own picture on the Overview, the picture-mapping dialog and the embedded
// receiver pairing panel.

#include "wireless/wheelpicture.h"

#include <QObject>

class BaseSession;
class UserPrompts;
class WindowHost;
class WirelessMonitor;
class wbpconfigurationdialog;

class WirelessWindowPart : public QObject {
    Q_OBJECT

public:
    WirelessWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);

    WirelessMonitor &monitor() const { return *monitor_; }
    wbpconfigurationdialog &receiverPanel() const { return *receiverPanel_; }

    // A right click on the wheel picture: map a picture to the connected wheel.
    void openWheelImageDialog();

private:
    void updateWheelImage(bool wirelessWheelConnected);

    BaseSession &session_;
    UserPrompts &prompts_;
    WindowHost &host_;
    WirelessMonitor *monitor_ = nullptr;
    wbpconfigurationdialog *receiverPanel_ = nullptr;
    WheelPicture wheelPicture_;
};
