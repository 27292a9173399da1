// The recipe of every sound of the game, by the game's sound id.
#pragma once

#include "effects/sound_cues.h"
#include "synth.h"

namespace sfx {

// The recipe of a sound; its name is the game's name of the sound.
Recipe SoundRecipe(SoundId id);

// The sound rendered: SoundRecipe(id) with the id as the noise seed.
Samples RenderSound(SoundId id);

}  // namespace sfx
