#include "shell/launcher.h"

#include <algorithm>

#include "base/files.h"
#include "base/image.h"
#include "platform/launcher_window.h"
#include "shell/data_directory.h"
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

namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one
// (overlong forms, surrogates and code points above U+10FFFF are not).
size_t Utf8SequenceLength(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string MapNameForDisplay(const std::string& name) {
  if (IsUtf8(name)) return name;
  std::string shown;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      shown.push_back(c);
    } else {  // Latin-1 byte = code point U+0080-U+00FF, two bytes in UTF-8
      shown.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      shown.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return shown;
}

std::vector<std::string> ListMaps() {
  std::vector<std::string> entries;
  ListDirectory("Data\\Maps\\", "*.map", entries);
  // Maps the editor compiled into the user's folder, after the shipped ones.
  std::vector<std::string> user;
  ListDirectory(UserMapFolder() + "/", "*.map", user);
  for (std::string& entry : user) {
    if (std::find(entries.begin(), entries.end(), entry) == entries.end()) entries.push_back(std::move(entry));
  }
  return MapNamesFromEntries(entries);
}

bool RunLauncher(Game& game, bool softwareBuild, std::string& error) {
  Image banner;
  DecodePng(kBannerPng, kBannerPngSize, banner);  // a banner that fails to decode leaves the image empty
  const std::vector<std::string> names = ListMaps();
  std::vector<std::string> shown;
  shown.reserve(names.size());
  for (const std::string& name : names) shown.push_back(MapNameForDisplay(name));
  const LauncherResult result = RunLauncherWindow(LauncherTitle(softwareBuild), shown, banner);
  error = result.error;
  if (!result.launched || result.mapIndex < 0 || static_cast<size_t>(result.mapIndex) >= names.size()) return false;
  const std::string& chosen = names[static_cast<size_t>(result.mapIndex)];  // the file's own bytes
  if (chosen.empty()) return false;
  game.displayMode = static_cast<uint8_t>(result.displayMode);
  game.mapName = chosen;
  return true;
}
