// The launcher window (GTK 3): banner, display mode radio buttons, map drop-down,
// Launch and Cancel, laid out at fixed pixel positions.
#pragma once

#include <string>
#include <vector>

#include "base/image.h"

struct LauncherResult {
  bool launched = false;  // false: Cancel, the close box, or Launch with no map
  int displayMode = 0;    // 0 windowed, 1 full screen
  std::string mapName;    // the drop-down's text
  int mapIndex = -1;      // the chosen entry: its place in mapNames
  std::string error;      // set when the window could not be shown at all
};

// Shows the window and blocks until the player launches, cancels or closes it. The
// map names are shown as given, so they must be UTF-8.
// When no display can be opened: launched = false and error says why.
LauncherResult RunLauncherWindow(const std::string& title, const std::vector<std::string>& mapNames,
                                 const Image& banner);
