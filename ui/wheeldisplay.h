#pragma once
// The wheel on the Overview: each wheel tick's sample under the active profile's range and
// the analog settings in use; every tick while the Overview is in front, every 14th behind.

#include "common/presentation/wheeltick.h"

#include <array>
#include <cstdint>
#include <optional>

class BaseSession;
class OverviewPage;

class WheelDisplay {
public:
    WheelDisplay(BaseSession &session, OverviewPage &page);

    // The range the angle is computed under (none with an empty profile list) and the axes
    // the analog settings in use enable; false until the reload has read the active profile.
    bool readings(std::optional<std::uint32_t> &range, std::array<bool, wire::kAnalogAxes> &enabled) const;
    // One wheel tick; true when a notice asking to centre the wheel may close.
    bool present(bool overviewInFront);
    // Where the wheel was last seen, in degrees.
    float angle() const { return angle_; }

private:
    bool update();

    BaseSession &session_;
    OverviewPage &page_;
    presentation::WheelTick tick_;
    float angle_ = 0.0f;
    int skipped_ = 0;
};
