#include "shell/launcher.h"

#include "services/files.h"
#include "services/image.h"
#include "services/launcher_window.h"
#include "shell/embedded_images.h"

std::string LauncherTitle(bool softwareBuild) {
  return std::string(kGameTitle) + (softwareBuild ? " SW" : " GL");
}

std::vector<std::string> MapNamesFromEntries(const std::vector<std::string>& entries) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const std::string& entry : entries) names.push_back(entry.size() > 4 ? entry.substr(0, entry.size() - 4) : "");
  return names;
}

std::vector<std::string> ListMaps() {
  std::vector<std::string> entries;
  ListDirectory("Data\\Maps\\", "*.map", entries);
  return MapNamesFromEntries(entries);
}

bool RunLauncher(Game& game, bool softwareBuild, std::string& error) {
  Image banner;
  DecodePng(kBannerPng, kBannerPngSize, banner);  // a banner that fails to decode leaves the image empty
  const LauncherResult result = RunLauncherWindow(LauncherTitle(softwareBuild), ListMaps(), banner);
  error = result.error;
  if (!result.launched || result.mapName.empty()) return false;
  game.displayMode = static_cast<uint8_t>(result.displayMode);
  game.mapName = result.mapName;
  return true;
}
