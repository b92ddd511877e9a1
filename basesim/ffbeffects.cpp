#include "basesim/ffbeffects.h"

#include "basesim/basestate.h"
#include "basesim/eventcodes.h"

namespace basesim {
namespace {

constexpr std::uint8_t kEffectActivityLevel = 1;

void logEffect(BaseState &state, std::uint16_t code, std::int32_t value)
{
    if (state.eventLogVerbosity >= kEffectActivityLevel)
        state.eventLog.record(code, value);
}

bool validType(int type) { return type >= 0 && type < kEffectTypeCount; }
std::uint32_t maskOf(int type) { return 1u << type; }

} // namespace

void loadEffect(BaseState &state, int type)
{
    if (!validType(type) || (state.effectsAllocated & maskOf(type)))
        return;
    if (state.effectsAllocated == 0)
        logEffect(state, event::FfbSetDeviceGain, kFullDeviceGain);
    logEffect(state, event::FfbFindFreeSlot, 0);
    logEffect(state, event::FfbFoundFreeSlot, effectId(type));
    logEffect(state, event::FfbCreatedEffect, type);
    state.effectsAllocated |= maskOf(type);
}

void unloadEffect(BaseState &state, int type)
{
    if (!validType(type) || !(state.effectsAllocated & maskOf(type)))
        return;
    stopEffect(state, type);
    logEffect(state, event::FfbFreeEffect, effectId(type));
    state.effectsAllocated &= ~maskOf(type);
}

void startEffect(BaseState &state, int type)
{
    if (!validType(type) || (state.effectsPlaying & maskOf(type)))
        return;
    loadEffect(state, type);
    logEffect(state, event::FfbStartEffect, effectId(type));
    state.effectsPlaying |= maskOf(type);
}

void stopEffect(BaseState &state, int type)
{
    if (!validType(type) || !(state.effectsPlaying & maskOf(type)))
        return;
    logEffect(state, event::FfbStopEffect, effectId(type));
    state.effectsPlaying &= ~maskOf(type);
}

void freeAllEffects(BaseState &state)
{
    if (state.effectsPlaying != 0)
        logEffect(state, event::FfbStopAll, 0);
    if (state.effectsAllocated != 0)
        logEffect(state, event::FfbFreeAll, 0);
    state.effectsAllocated = 0;
    state.effectsPlaying = 0;
}

} // namespace basesim
