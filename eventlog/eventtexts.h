#pragma once
// What each event code of the base's ring means, as one line of text per event.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace eventlog {

// Codes 0..399 have a place in the text table; codes from 400 on never have a text.
constexpr std::size_t kEventTextCount = 400;

// The code's text; empty for a code without one (also for 400 and above).
QString eventText(int code);
// "text : value", or "event <code> : <value>" when the code has no text.
QString eventLine(std::uint16_t code, std::int32_t value);

} // namespace eventlog
