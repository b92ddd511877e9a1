#pragma once
// Help on every force-feedback control of the Profiles and Hardware pages: a short tool
// tip (what it does, which way is stronger or smoother, the unit) and a longer
// "what's this" text, both written for the user.

class QWidget;

namespace parametertips {

// Gives each known control below `page` its texts; a tool tip the form already set stays.
void apply(QWidget &page);

} // namespace parametertips
