// vexmoor --edit: the map editor in the game's window, with play-test (F5) running
// the game on the edited map and Escape coming back.
#pragma once

#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/runtime.h"

// Runs the editor on options.edit; the exit status of the program.
int RunEditMode(const Options& options, Game& game, Runtime& runtime);
