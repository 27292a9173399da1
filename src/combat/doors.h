// Doors: map cells that open and close with an animation. A closed door blocks
// walking and shots in its cell; E released with the player's front point inside
// the cell opens or closes it.
#pragma once

#include <cstdint>
#include <vector>

#include "world/animation.h"
#include "world/map.h"

class SpriteStore;
struct Keyboard;
struct SoundCues;

enum DoorState : uint8_t { kDoorOpen = 1, kDoorClosed = 2, kDoorOpening = 3, kDoorClosing = 4 };

// Frames of a door animation: 0 closed, 1-9 opening, 9 open, 10-18 closing.
constexpr int16_t kDoorOpenFrame = 9;
constexpr int16_t kDoorClosedFrame = 18;
constexpr float kDoorFrameTime = 0.1f;

struct Door {
  int32_t column = 0;
  int32_t row = 0;
  int32_t x = 0;            // the cell's top-left corner in world pixels
  int32_t y = 0;
  uint8_t state = kDoorClosed;
  int32_t animationId = 0;  // entry of the animation table
  AnimationState animation;
};

// Appends a closed door bound to its animation and blocks its cell for walking and
// shots. A cell outside the map places no door.
void PlaceDoor(std::vector<Door>& doors, Map& map, const Animations& animations, int32_t animationId,
               int32_t column, int32_t row);

// Per frame, for every door in the visible window: draws it in its state (stepping
// an opening or closing animation and changing the grids when it ends), shows the
// prompt while the front point is strictly inside its cell, and turns a closed or
// open door around when E is released there (a cue at the door's centre for each
// turn, when `cues` is given).
void UpdateDoors(std::vector<Door>& doors, Map& map, const Animations& animations, SpriteStore& sprites,
                 const Keyboard& keyboard, SoundCues* cues = nullptr);
