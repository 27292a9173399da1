// The launcher: lists the maps, shows the launcher window and hands its choice to
// start-up.
#pragma once

#include <string>
#include <vector>

#include "shell/game.h"

constexpr const char* kGameTitle = "Vexmoor V0.1 (Build 07 03 2009)";

// "Vexmoor V0.1 (Build 07 03 2009) GL", or "... SW" for the software build.
std::string LauncherTitle(bool softwareBuild);

// The drop-down's entries: each directory entry with its last four characters cut,
// in the order given.
std::vector<std::string> MapNamesFromEntries(const std::vector<std::string>& entries);

// A map name as the drop-down shows it: a name that is valid UTF-8 as it is, any
// other read as Latin-1 (ISO-8859-1, the maps' own 8-bit names) and converted to
// UTF-8, so "Caf\xe9" shows as "Caf\xc3\xa9". Only the display changes: the chosen
// entry still names its file by its own bytes.
std::string MapNameForDisplay(const std::string& name);

// Every "*.map" in "Data\Maps\" (an empty list when the folder cannot be listed).
std::vector<std::string> ListMaps();

// Runs the launcher window. True with displayMode and mapName set when the player
// launched a map; false for Cancel, the close box or Launch with no map (the
// program then ends with status 0), and false with error set when the window could
// not be shown (status 1).
bool RunLauncher(Game& game, bool softwareBuild, std::string& error);
