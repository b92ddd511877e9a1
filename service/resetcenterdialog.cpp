#include "service/resetcenterdialog.h"
#include "ui_resetcenterdialog.h"

#include "device/devicelink.h"
#include "device/hid/clock.h"
#include "device/linkgate.h"

namespace {
// The base needs this long between the steps of a centre change.
constexpr int kCentreSettleMs = 10;
} // namespace

resetcenterdialog::resetcenterdialog(DeviceLink &link, QWidget *parent)
    : QDialog(parent), link_(link), ui(new Ui::resetcenterdialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
}

resetcenterdialog::~resetcenterdialog() = default;

bool resetcenterdialog::linkAvailable()
{
    if (!link_.gate().busy())
        return true;
    ui->messagelabel->setText(tr("The base is busy saving settings. Nothing was sent; try again in a few seconds."));
    return false;
}

void resetcenterdialog::on_justnowpushButton_clicked()
{
    if (!linkAvailable())
        return;
    // The base holds torque off until the change is finished.
    if (link_.setWheelCenterTemporary())
        link_.finishCenterChange();
    close();
}

void resetcenterdialog::on_pushButton_clicked()
{
    if (!linkAvailable())
        return;
    // A failed step closes the link; the steps after it would only start a pointless
    // flash pause.
    if (link_.setWheelCenterPermanent()) {
        linkclock::sleepMs(kCentreSettleMs);
        if (link_.finishCenterChange()) {
            linkclock::sleepMs(kCentreSettleMs);
            if (link_.getHwData(kCentreOffsetId))
                link_.saveToFlash();
        }
    }
    close();
}

void resetcenterdialog::on_cancelpushButton_3_clicked() { close(); }
