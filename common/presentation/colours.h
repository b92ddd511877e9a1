#pragma once
// Theme colour variables as views name them; the window turns them into colours with
// applyThemeColours, like every other style sheet text.

namespace presentation {

constexpr const char kColourNormal[] = "@colorRival";      // orange
constexpr const char kColourAttention[] = "@colorPowerage"; // dark red
constexpr const char kColourError[] = "@colorStriker";      // bright red

} // namespace presentation
