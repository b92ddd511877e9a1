#pragma once
// The status strip above the tabs: operating mode, E-stop and faults, the torque button
// with its blink, high torque and the active profile, with room for a feature's line
// beside the profile's name.

#include "device/wire/devicestatus.h"

#include <cstdint>

class QWidget;
struct profDataNew;
namespace Ui {
class MW2;
}
namespace presentation {
struct DisconnectedView;
struct OperatingModeView;
} // namespace presentation

class StatusStrip {
public:
    explicit StatusStrip(Ui::MW2 &ui);
    // From here on a long fault list or a wrapped mode keeps the strip's height.
    void keepSteady();

    void addItem(QWidget *item);
    void showDisconnected(const presentation::DisconnectedView &view);
    // `active` is null until the reload has read the active profile.
    void showStatus(const wire::DeviceStatus &status, const profDataNew *active,
                    const presentation::OperatingModeView &mode);
    void showHighTorque(std::uint16_t statusFlags);
    // One blink step of the torque button.
    void blink(bool connected);

private:
    Ui::MW2 &ui_;
    bool torqueBlinkLit_ = false;
};
