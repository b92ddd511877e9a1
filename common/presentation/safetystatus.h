#pragma once
// The E-stop and motor status line (`estopLabel`): E-stop state, the drive's fault list
// with a link to our fault-location help page, and the line's colour.

#include "device/wire/devicestatus.h"

#include <QString>

#include <cstdint>

namespace presentation {

// Help page that explains the drive's fault location ids.
constexpr const char kFaultLocationHelpUrl[] = "https://veltrane.example/support/fault-location";

// Orange link to the help page, text "Fault Location ID: " + id. The orange is the colour
// variable "@colorRival" inside the markup, so the label text goes through applyThemeColours.
QString faultLocationLink(std::uint32_t faultLocation);

// " Motor Faults (cycle E-stop to clear): " and each fault name followed by a blank, in bit
// order, closed by the fault-location link. Under- and overvoltage together drop everything
// before them for the one text about the threshold.
QString motorFaultText(std::uint32_t driveFaults, std::uint32_t faultLocation);

struct EstopView {
    QString text;
    QString colour;        // colour variable
    bool richText = false; // true when the text carries the fault-location link
};

// Pressed: attention colour, no fault list. Released: the fault list when the drive reports
// faults (attention colour); without faults normal colour while operational, attention otherwise.
EstopView estopView(const wire::DeviceStatus &status);

} // namespace presentation
