// The player's settings, kept between sessions in settings.ini:
//
//   [window]  scale = 0..8 (0: the largest that fits), integer_scale, confine_cursor
//   [sound]   mute, volume = 0..10
//   [pad]     deadzone = 0..0.95 (share of the stick's travel), aim_radius = 1..1000 (pixels)
//   [keys]    <action> = KEY [KEY ...]        (see key_bindings.h)
//   [best_times]  <map name> = seconds
//
// Yes/no values read true/false, yes/no, on/off or 1/0. Entries this program does
// not know are kept as they are and written back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "shell/key_bindings.h"

constexpr int kMaxVolume = 10;
constexpr size_t kMaxSettingsFileSize = 64 * 1024;  // a larger file is not a settings file
constexpr float kDefaultPadDeadzone = 0.25f;
constexpr float kDefaultPadAimRadius = 200.0f;

// An entry of the file this program does not know.
struct ExtraSetting {
  std::string section;
  std::string name;
  std::string value;
};

struct Settings {
  int scale = 0;
  bool integerScale = false;
  bool confineCursor = true;
  bool mute = false;
  int volume = kMaxVolume;
  float padDeadzone = kDefaultPadDeadzone;
  float padAimRadius = kDefaultPadAimRadius;
  KeyBindings bindings = DefaultBindings();
  std::vector<BindingEntry> bindingEntries;   // the [keys] entries as read
  std::map<std::string, float> bestTimes;     // seconds, by map name
  std::vector<ExtraSetting> extra;
};

// The settings folder: `configDir` when given, else $XDG_CONFIG_HOME/vexmoor, else
// $HOME/.config/vexmoor; empty when there is none.
std::string SettingsFolder(const std::string& configDir);

// Reads settings from the text of a settings file. False when the text is not a
// settings file at all (`problem` says why; `settings` is then the defaults);
// otherwise true, with one warning naming the line for each entry that could not
// be used (that entry keeps its default).
bool ParseSettings(const std::string& text, Settings& settings, std::string& problem,
                   std::vector<std::string>& warnings);

// The text of a settings file holding `settings`.
std::string SettingsText(const Settings& settings);

// Writes `text` to `path` through a temporary file beside it and a rename, so the
// file is always either the old one or the new one. False with `error` on failure.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);

// Whether a best time can be kept for this map name (a name the file can hold).
bool StorableMapName(const std::string& name);
