#include "plots/wheelplot.h"

#include <limits>

namespace plots {

PlottedWheel plottedWheel(const wire::WheelSample &sample, std::optional<std::uint32_t> range,
                          const std::array<bool, wire::kAnalogAxes> &enabled)
{
    PlottedWheel plotted;
    plotted.angle = range ? wire::wheelAngle(*range, sample.position) : 0.0f;
    // Brake, throttle and clutch, in the sample's axis order.
    for (int pedal = 0; pedal < kPedalCount; ++pedal) {
        const std::size_t axis = std::size_t(2 + pedal);
        plotted.pedals[std::size_t(pedal)] = enabled[axis] ? float(sample.axes[axis]) * 100.0f / 65535.0f
                                                           : std::numeric_limits<float>::quiet_NaN();
    }
    return plotted;
}

} // namespace plots
