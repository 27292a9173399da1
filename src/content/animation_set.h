// The animation set file ("Data\AnimationSet.xml") and the animation files it
// names. Every animation becomes a frame table in the animation table under its ID;
// frame images load as sprites 2500 + a running counter that is never rewound.
#pragma once

#include <cstdint>
#include <string_view>

#include "world/animation.h"

class SpriteStore;

// Loads the set: true when the file was read and its root is "AnimationSet". A
// missing file or another root changes nothing. Otherwise every animation is
// released first, then each "Animation" loads its "File" into entry ID, and a
// "Type" of exactly "Door" lists the animation in the door animation list.
bool LoadAnimationSet(Animations& animations, SpriteStore& sprites, std::string_view path);

// Loads one animation file (root "Animation") into entry `id`, replacing and
// freeing the table there. IDs outside 0-100 load nothing (false).
bool LoadAnimation(Animations& animations, SpriteStore& sprites, std::string_view path, int32_t id);

// Frees every frame image and table and empties the animation table. The frame
// counter is not rewound.
void ReleaseAnimations(Animations& animations, SpriteStore& sprites);
