// The wireless wheels in the window: the monitor's lines on the wireless tab, the wheel's
// own picture, the picture-mapping dialog and the embedded receiver pairing panel.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "session/basesession.h"
#include "session/settingsapplier.h"
#include "common/widgets/userprompts.h"
#include "wireless/wbpconfigurationdialog.h"
#include "wireless/wheelcatalogue.h"
#include "wireless/wheelimagemapping.h"
#include "wireless/wirelessmonitor.h"
#include "wireless/wirelesswheelimagedialog.h"

#include <QCoreApplication>

void MW2::setUpWireless()
{
    wirelessMonitor_ = new WirelessMonitor(session_.link(), this);
    WirelessPage *page = ui->wirelesswheelstab;
    connect(wirelessMonitor_, &WirelessMonitor::linesChanged, page, [page](const WirelessWheelLines &lines) {
        page->showWheelLines(lines.name, lines.battery, lines.batteryStyle, lines.connection, lines.connectionStyle);
    });
    connect(wirelessMonitor_, &WirelessMonitor::linesCleared, page, &WirelessPage::clearWheelLines);
    connect(wirelessMonitor_, &WirelessMonitor::wheelImageDue, this, &MW2::updateWheelImage);

    receiverPanel_ = new wbpconfigurationdialog(session_.link());
    page->setReceiverPanel(receiverPanel_);

    // Connected after the window's own status refresh, so these run after it.
    connect(&session_, &BaseSession::statusRefreshed, this, [this](const DeviceStatus &status) {
        wirelessMonitor_->checkWirelessWheel();
        receiverPanel_->setReceiverMissing(!status.hasFlag(wire::wirelessFound));
    });
    connect(&session_, &BaseSession::disconnected, this, [this] {
        wirelessMonitor_->reset();
        receiverPanel_->reset();
    });
    connect(ui->OverviewTab, &OverviewPage::wheelImageMappingRequested, this, &MW2::openWheelImageDialog);
}

void MW2::openWheelImageDialog()
{
    const DeviceLink &link = session_.link();
    WirelessWheelImageDialog dialog(link.connected() && link.status().hasFlag(wire::wirelessConn),
                                    link.currentWirelessDevice(), prompts_);
    prompts_.exec(&dialog);
    wirelessMonitor_->wirelessWheelStatusUpdate();
    updateWheelImage(wirelessMonitor_->wirelessImageShown());
}

void MW2::updateWheelImage(bool wirelessWheelConnected)
{
    ConnectedWheelPicture wheel;
    if (wirelessWheelConnected) {
        const WirelessDeviceData &record = session_.link().currentWirelessDevice();
        wheel.reportedName = reportedWheelName(record);
        wheel.mappedPath = mappedWheelImage(macAddressText(record.mac()));
        wheel.programDir = QCoreApplication::applicationDirPath();
    }
    const QString toolTip = wheelPicture_.updateWheelImage(wirelessWheelConnected ? &wheel : nullptr);
    ui->OverviewTab->setWheelToolTip(toolTip);
    ui->OverviewTab->setWheelPicture(wheelPicture_.wheelImage(), wheelPicture_.croppedSide(),
                                     wheelPicture_.shownSide());
    updateWheelGraphics(currentAngle_);
}
