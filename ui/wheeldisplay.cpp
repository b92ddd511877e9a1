#include "ui/wheeldisplay.h"

#include "analog/analogconfigdialog.h"
#include "session/basesession.h"
#include "ui/pages/overviewpage.h"
#include "common/presentation/profilereadings.h"

#include <QCoreApplication>

namespace {

constexpr int kWheelSkipTicks = 13; // refresh every 14th tick when the overview is not in front

// An axis is live when the analog record in use assigns it an input pin.
std::array<bool, wire::kAnalogAxes> enabledAxes(const DeviceLink &link)
{
    const wire::AnalogSettings &record =
        link.analogSettings()[std::size_t(analogRecordInUse(link.hardwareSettings()))];
    std::array<bool, wire::kAnalogAxes> enabled{};
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis)
        enabled[std::size_t(axis)] = record.field(axis, wire::AnalogPin) != 0;
    return enabled;
}

} // namespace

WheelDisplay::WheelDisplay(BaseSession &session, OverviewPage &page) : session_(session), page_(page) {}

bool WheelDisplay::readings(std::optional<std::uint32_t> &range, std::array<bool, wire::kAnalogAxes> &enabled) const
{
    // Until the reload has read every profile the active one may not be there yet.
    const DeviceLink &link = session_.link();
    if (session_.profiles().size() < link.status().profileCount)
        return false;
    range.reset();
    if (!session_.profiles().empty()) {
        const profDataNew *active = session_.profileAt(link.status().activeProfile);
        range = active ? presentation::steeringRangeDegrees(*active) : 0;
    }
    enabled = enabledAxes(link);
    return true;
}

bool WheelDisplay::present(bool overviewInFront)
{
    if (overviewInFront || ++skipped_ > kWheelSkipTicks) {
        skipped_ = 0;
        return update();
    }
    return false;
}

bool WheelDisplay::update()
{
    const DeviceLink &link = session_.link();
    std::optional<std::uint32_t> range;
    std::array<bool, wire::kAnalogAxes> enabled{};
    if (!readings(range, enabled))
        return false;
    presentation::WheelView view = tick_.update(link.wheelSample(), range, enabled);
    if (link.wheelSampleStale()) {
        // No report: the angle is unknown. A dash rather than a confident 0.00, the picture
        // and the angle the safety check uses stay where the wheel was last seen, and a
        // warning that asks to centre the wheel stays open.
        view.degreesText = QCoreApplication::translate("MW2", "- °");
        view.angle = angle_;
        view.redrawWheel = false;
        view.closeSteeringWarning = false;
    }
    angle_ = view.angle;
    page_.showWheel(view);
    return view.closeSteeringWarning;
}
