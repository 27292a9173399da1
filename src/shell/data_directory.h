// Where the game's Data folder is.
#pragma once

#include <string>

// Makes the folder holding Data the working directory: `dataDir` when given;
// otherwise the working directory if it has Data, else the folder of the program
// (`programPath`, or /proc/self/exe) if that one has it. False with a message when
// `dataDir` cannot be used.
bool ChooseDataDirectory(const std::string& dataDir, std::string& error);
