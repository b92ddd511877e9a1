#pragma once
// The force-feedback effects a game has loaded: the list in `ffbeffectslabel` (playing
// effects in bold) and the seven marker labels beside the gain controls.

#include <QString>

#include <cstdint>

namespace presentation {

// "(Effect memory is empty)" when nothing is allocated; otherwise the allocated effects in
// bit order, each as " " + name or " <b>" + name + "</b>" while playing. Constantforce (bit 0)
// replaces what came before it rather than appending.
QString effectListText(std::uint32_t effectsAllocated, std::uint32_t effectsPlaying);

// "-" absent, "○" present, "●" playing.
struct EffectMarkers {
    QString sinewaveactivelabel;        // bit 2
    QString dampingeffectactivelabel;   // bit 3
    QString frictioneffectactivelabel;  // bit 5
    QString squarewaveactivelabel;      // bit 7
    QString triangleeffectactivelabel;  // bit 8
    QString sawtootheffectactivelabel;  // bits 9 and 10: present if either is, playing if either plays
    QString springeffectactivelabel;    // bit 11
};
EffectMarkers effectMarkers(std::uint32_t effectsAllocated, std::uint32_t effectsPlaying);

// The effect type of bit `type` (0..12) as the base names it, untranslated (windowText
// translates it); null outside that range.
const char *effectTypeName(int type);

} // namespace presentation
