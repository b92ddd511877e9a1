#include "wireless/wirelessmonitor.h"

#include "device/linkgate.h"
#include "wireless/wheelcatalogue.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

constexpr int kWirelessStatusIntervalMs = 1000;

QString monitorText(const char *text) { return QCoreApplication::translate("MW2", text); }

} // namespace

WirelessWheelLines wirelessWheelLines(const WirelessDeviceData &wheel)
{
    WirelessWheelLines lines;
    lines.name = monitorText(QT_TRANSLATE_NOOP("MW2", "Connected: ")) + wheelDisplayName(reportedWheelName(wheel));
    lines.battery = monitorText(QT_TRANSLATE_NOOP("MW2", "Battery: %1 V")).arg(batteryVoltageText(wheel.batteryRaw()));
    lines.batteryStyle = batteryStyleSheet(wheel.batteryRaw());
    lines.connection = monitorText(QT_TRANSLATE_NOOP("MW2", "Connection: %1%")).arg(wheel.connectionQuality());
    lines.connectionStyle = connectionQualityStyleSheet(wheel.connectionQuality());
    return lines;
}

WirelessMonitor::WirelessMonitor(DeviceLink &link, QObject *parent) : QObject(parent), link_(link)
{
    wirelessStatusTimer_.setObjectName(QStringLiteral("wirelessStatusTimer"));
    wirelessStatusTimer_.setInterval(kWirelessStatusIntervalMs);
    connect(&wirelessStatusTimer_, &QTimer::timeout, this, &WirelessMonitor::wirelessWheelStatusUpdate);
}

void WirelessMonitor::checkWirelessWheel()
{
    if (link_.status().hasFlag(wire::wirelessConn)) {
        if (!wirelessStatusTimer_.isActive())
            wirelessStatusTimer_.start(kWirelessStatusIntervalMs);
        return;
    }
    reset();
}

void WirelessMonitor::reset()
{
    emit linesCleared();
    if (wirelessImageShown_) {
        wirelessImageShown_ = false;
        emit wheelImageDue(false);
    }
    wirelessStatusTimer_.stop();
}

void WirelessMonitor::wirelessWheelStatusUpdate()
{
    if (link_.gate().flashDelayRunning()) {
        qDebug() << "no wireless wheel update due to flash timer";
        return;
    }
    // Another operation holds the link; the next tick tries again.
    if (link_.gate().busy())
        return;
    if (!link_.getCurrentWirelessDeviceData())
        return;
    if (!wirelessImageShown_) {
        wirelessImageShown_ = true;
        emit wheelImageDue(true);
    }
    emit linesChanged(wirelessWheelLines(link_.currentWirelessDevice()));
}
