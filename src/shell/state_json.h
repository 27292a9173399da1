// The game state as one JSON object (--state): frame, clock, toggles and every
// subsystem's records under the names the code gives them.
#pragma once

#include <string>

#include "shell/game.h"

std::string StateJson(const Game& game);
