#pragma once
// The wireless wheel monitor: told after every good status read whether a wheel is
// connected, it fetches the wheel's details once a second and hands the window the three
// lines to show and when to switch the picture.

#include "device/devicelink.h"

#include <QObject>
#include <QString>
#include <QTimer>

struct WirelessWheelLines {
    QString name;               // "Connected: " + display name
    QString battery;            // "Battery: 2.70 V"
    QString batteryStyle;
    QString connection;         // "Connection: 15%"
    QString connectionStyle;
};

// The lines for one wheel record, as the monitor shows them.
WirelessWheelLines wirelessWheelLines(const WirelessDeviceData &wheel);

class WirelessMonitor : public QObject {
    Q_OBJECT

public:
    explicit WirelessMonitor(DeviceLink &link, QObject *parent = nullptr);

    // After each successful status read: starts the 1 s timer while `wirelessConn` is set;
    // otherwise clears the lines, returns to the default picture and stops.
    void checkWirelessWheel();

    // The base has gone: as for a wheel seen disconnected.
    void reset();

    bool wirelessImageShown() const { return wirelessImageShown_; }
    QTimer &wirelessStatusTimer() { return wirelessStatusTimer_; }

public slots:
    void wirelessWheelStatusUpdate();

signals:
    void linesChanged(const WirelessWheelLines &lines);
    void linesCleared();
    // The picture to show: the connected wheel's (true) or the default (false).
    void wheelImageDue(bool wirelessWheelConnected);

private:
    DeviceLink &link_;
    QTimer wirelessStatusTimer_;
    bool wirelessImageShown_ = false;
};
