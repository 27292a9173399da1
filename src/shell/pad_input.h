// The game controller in the frame: its reading joins the keyboard and mouse before
// the recorder and the rules see them, and a hit on the player rumbles it.
#pragma once

#include <cstdint>

#include "base/input.h"
#include "player/mouse.h"
#include "shell/game.h"
#include "shell/runtime.h"
#include "shell/shell_actions.h"

// The rumble when the player is hit: strength (of 65535) and length.
constexpr uint16_t kHitRumbleStrength = 0xC000;
constexpr uint32_t kHitRumbleMs = 150;

// Reads the driving controller (when the runtime has controllers) into this frame's
// keys, mouse reading and window event, and places the system cursor where the
// right stick put it.
void ReadGamePad(Game& game, Runtime& runtime, KeyArray& keys, MouseReading& reading);

// The controller's requests to the shell: Start pauses and resumes; Back held one
// second restarts the map (once for each hold).
void RaisePadActions(PadControls& pad, ShellActions& actions);

// The player's health and armour together: a hit takes from one or both.
int Toughness(const Game& game);
// After the frame's rules: a short rumble when the player was hit (toughness went down).
void RumbleWhenHit(const Game& game, Runtime& runtime, int toughnessBefore);
