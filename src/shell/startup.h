// Start-up: everything between the launcher and the first frame.
#pragma once

#include "shell/game.h"
#include "shell/runtime.h"

// Loads the asset table and the content files, fills the tables, places the player
// and the camera. Returns false (with game.mapError) when the chosen map cannot be
// loaded; the game must not be played then.
bool StartUp(Game& game, Runtime& runtime);

// The content without a map (images, animations, lights): what the map editor draws with.
void StartUpContent(Game& game, Runtime& runtime);
