// The frame loop: one frame from the clock and input to the flip, in the game's
// fixed order, and the loop that runs frames until the player quits.
#pragma once

#include "shell/game.h"
#include "shell/runtime.h"

// Runs one frame. `last` marks the final frame of a limited run; the picture of the
// final frame (last, or quitting) is captured for --screenshot before the flip.
void RunFrame(Game& game, Runtime& runtime, bool last);

// Runs frames until quitRequested is set after a frame (or the frame limit of the
// runtime is reached).
void RunGame(Game& game, Runtime& runtime);

// The shell keys at the end of a frame: Escape quits; of F9, F10 and F11 released in
// the same frame only the first in that order acts (F10 also sets the quality).
// Returns true when F10 acted (the caller then gives the window the focus).
bool HandleShellKeys(Game& game, SpriteStore& sprites);
