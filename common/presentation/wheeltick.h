#pragma once
// The wheel tick (40 ms): steering angle, the 128 buttons with their hold time, and the
// seven analog axis rows, formatted for the Overview page.

#include "device/wire/wheelsample.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace presentation {

using wire::wheelAngle;

// `WheelDegreesLabel`: truncated toward zero to two decimals, e.g. "-450.00 °".
QString wheelDegreesText(float angle);

// The picture is redrawn only when the angle moved by more than 0.05 degrees.
bool wheelNeedsRedraw(float angle, float lastDrawnAngle);

// The steering-angle change warning closes once the wheel is within ±10 degrees of centre.
bool steeringWarningMayClose(float angle);

// A button shows "●" while pressed and for four more refreshes after release, then "○",
// so a short press stays visible at a 40 ms refresh.
class ButtonHoldCounters {
public:
    static constexpr int kHoldRefreshes = 5;

    // One row of 32 symbols for button group `group` (0..3, `buttonsLabel_1` .. `_4`).
    QString rowText(int group, std::uint32_t bits);
    std::array<QString, 4> rows(const wire::WheelSample &sample);
    void clear() { counters_.fill(0); }

private:
    std::array<int, wire::kButtonCount> counters_{};
};

struct AnalogRowView {
    int barValue = 0;
    QString barFormat; // "%p%" for an enabled axis; empty leaves the bar's format
    QString label;     // reading with five digits, leading zeros; "disabled"
};
AnalogRowView analogRowView(std::uint16_t reading, bool enabled);

struct WheelView {
    std::array<QString, 4> buttonRows;
    float angle = 0.0f;
    QString degreesText;
    bool redrawWheel = false;           // call updateWheelGraphics(angle)
    bool closeSteeringWarning = false;  // when the warning is open
    std::array<AnalogRowView, wire::kAnalogAxes> axes; // y, z, brake, throttle, clutch, rudder, hat
};

// The presentation state of the wheel tick: button hold counters and the last drawn angle.
class WheelTick {
public:
    // `steeringRange` is the active profile's range; none with an empty profile list (angle 0).
    // `axisEnabled` in axis order, as the analog settings in use enable them.
    WheelView update(const wire::WheelSample &sample, std::optional<std::uint32_t> steeringRange,
                     const std::array<bool, wire::kAnalogAxes> &axisEnabled);

    float lastDrawnAngle() const { return lastDrawnAngle_; }

private:
    ButtonHoldCounters buttons_;
    float lastDrawnAngle_ = 0.0f;
};

} // namespace presentation
