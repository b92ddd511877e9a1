#include "operatingmodetext.h"

#include "operatingmode.h"

// The text alone, from the presentation's mode table; the whole view (colour, torque-off
// reasons, groups to enable) is presentation::operatingModeView.
QString operatingModeText(std::uint32_t mode, std::uint8_t driveUpdateProgress)
{
    return presentation::operatingModeView(mode, driveUpdateProgress, 0).text;
}
