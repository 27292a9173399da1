// Pause and restart, between the frames of the game. At the top of a frame the
// requests of ShellActions (or, replaying a recording, its marks) restart the map or
// resume; a pause asked for in a frame begins after that frame is drawn, so the
// pause screen shows it. While paused the game's clock stops and nothing of the
// game runs: each frame shows the pause screen only.
#pragma once

#include "shell/game.h"
#include "shell/runtime.h"

// Top of a frame, after the input was read: the requests of this frame (keys and the
// window event, plus whatever other sources set in game.actions) or a recording's
// marks. May restart the map, resume, or ask to quit (Escape while paused).
void ApplyShellActions(Game& game, Runtime& runtime, const KeyArray& keys);
// End of a drawn game frame, before it is presented: begins a pause asked for in it.
void BeginRequestedPause(Game& game, Runtime& runtime);
// A whole paused frame: the pause screen, the screenshot if asked for, presented.
void RunPausedFrame(Game& game, Runtime& runtime, bool last);
// The start-up of the map again, as a fresh run with the same map, display mode and
// seed: a new Game (only the frame count and the shell keys carry over), every
// sprite freed and loaded again, the clock and the random numbers from their start.
// False (and quitRequested set) when the map cannot be loaded any more.
bool RestartMap(Game& game, Runtime& runtime);
// Writes the screenshot of the frame on the screen, when one is asked for.
void WriteScreenshot(Runtime& runtime);
