#pragma once
// The force-feedback effects a game creates and plays: one effect per type, a bit of the
// loaded and playing masks each. At verbosity 1 and above the base records every step in
// its event ring, the way its firmware's effect manager reports them.

#include <cstdint>

namespace basesim {

struct BaseState;

constexpr int kEffectTypeCount = 13;
// What a game sets as it starts force feedback on an empty effect memory.
constexpr std::int32_t kFullDeviceGain = 10000;

constexpr std::int32_t effectId(int type) { return type + 1; }

// Each is a no-op for a type outside 0..12 or when the effect is already in that state.
void loadEffect(BaseState &state, int type);
// Stops it first.
void unloadEffect(BaseState &state, int type);
// Loads it first.
void startEffect(BaseState &state, int type);
void stopEffect(BaseState &state, int type);
// The reset-FFB command: every effect stopped and freed.
void freeAllEffects(BaseState &state);

} // namespace basesim
