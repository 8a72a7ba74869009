#pragma once

#include <cstdint>
#include <span>

#include "effects/effect_context.h"
#include "formats/sound_buffer.h"

namespace marvolin::effects {

// Applies the effect of the matrix entry (category, clickedEffectButton) as a click on that
// effect button does: the sound enters the float working buffer, the entry's routines run in
// order, and the result becomes the new sound while the old sound becomes the undo buffer
// (its block changes owner, nothing is copied; the previous undo block is freed).
// When the working buffer or the new sound block cannot be allocated, the memory message is
// shown and both buffers stay exactly as they were. False then, and for an unknown entry.
bool ApplyEffect(formats::SoundBuffer& sound, formats::SoundBuffer& undo, std::uint16_t category,
                 std::uint16_t clickedEffectButton, EffectHost& host, RoutineMemory& memory);

// The same frame around any list of routines.
bool ApplyRoutines(formats::SoundBuffer& sound, formats::SoundBuffer& undo,
                   std::span<const Routine> routines, EffectHost& host);

// Undo: swaps the two sounds' blocks and sample rates. The channel count stays with the sound.
void ExchangeSoundAndUndo(formats::SoundBuffer& sound, formats::SoundBuffer& undo);

}  // namespace marvolin::effects
