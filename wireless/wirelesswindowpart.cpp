#include "wireless/wirelesswindowpart.h"

#include "session/basesession.h"
#include "session/settingsapplier.h"
#include "common/widgets/userprompts.h"
#include "common/widgets/windowhost.h"
#include "wireless/wbpconfigurationdialog.h"
#include "wireless/wheelcatalogue.h"
#include "wireless/wheelimagemapping.h"
#include "wireless/wirelessmonitor.h"
#include "wireless/wirelesswheelimagedialog.h"

#include <QCoreApplication>

WirelessWindowPart::WirelessWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
    monitor_ = new WirelessMonitor(session_.link(), host.frame());
    connect(monitor_, &WirelessMonitor::wheelImageDue, this, &WirelessWindowPart::updateWheelImage);

    receiverPanel_ = new wbpconfigurationdialog(session_.link());
    host.addPanel(WindowHost::Place::Wireless, receiverPanel_);

    // Connected after the window's own status refresh, so these run after it.
    connect(&session_, &BaseSession::statusRefreshed, this, [this](const DeviceStatus &status) {
        monitor_->checkWirelessWheel();
        receiverPanel_->setReceiverMissing(!status.hasFlag(wire::wirelessFound));
    });
    connect(&session_, &BaseSession::disconnected, this, [this] {
        monitor_->reset();
        receiverPanel_->reset();
    });
    updateWheelImage(false);
}

void WirelessWindowPart::openWheelImageDialog()
{
    const DeviceLink &link = session_.link();
    WirelessWheelImageDialog dialog(link.connected() && link.status().hasFlag(wire::wirelessConn),
                                    link.currentWirelessDevice(), prompts_);
    prompts_.exec(&dialog);
    monitor_->wirelessWheelStatusUpdate();
    updateWheelImage(monitor_->wirelessImageShown());
}

void WirelessWindowPart::updateWheelImage(bool wirelessWheelConnected)
{
    ConnectedWheelPicture wheel;
    if (wirelessWheelConnected) {
        const WirelessDeviceData &record = session_.link().currentWirelessDevice();
        wheel.reportedName = reportedWheelName(record);
        wheel.mappedPath = mappedWheelImage(macAddressText(record.mac()));
        wheel.programDir = QCoreApplication::applicationDirPath();
    }
    const QString toolTip = wheelPicture_.updateWheelImage(wirelessWheelConnected ? &wheel : nullptr);
    host_.showWheelPicture(wheelPicture_.wheelImage(), wheelPicture_.croppedSide(), wheelPicture_.shownSide(),
                           toolTip);
}
