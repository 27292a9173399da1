// Where the game's Data folder is.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The folders that may hold Data, in the order they are tried: the working
// directory, the program's folder, the share folder beside an installed program
// (programDir/../share/games/vexmoor, so a relocated or DESTDIR install finds its
// own data) and the share folder of the configured install prefix.
std::vector<std::filesystem::path> DataDirectoryCandidates(const std::filesystem::path& programDir);

// The first of the folders that holds a Data folder; empty when none does.
std::filesystem::path FirstWithData(const std::vector<std::filesystem::path>& folders);

// Makes the folder holding Data the working directory: `dataDir` when given;
// otherwise the first candidate above that has Data, the program's folder taken
// from /proc/self/exe. When none has it the working directory stays (the game then
// runs without its images). False with a message when `dataDir` cannot be used.
bool ChooseDataDirectory(const std::string& dataDir, std::string& error);

// The user's map folder, $XDG_DATA_HOME/vexmoor/Data/Maps (~/.local/share/... when
// XDG_DATA_HOME is not set): maps compiled by the editor where Data is read-only.
std::string UserMapFolder();
// The game path of a map's files without extension: Data\Maps\NAME, or the
// user's map folder when only that one holds NAME.map.
std::string MapBasePath(const std::string& name);
