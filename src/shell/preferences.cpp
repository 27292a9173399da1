#include "shell/preferences.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/files.h"
#include "platform/window.h"
#include "render/renderer.h"
#include "replay/input_script.h"
#include "replay/recorder.h"
#include "shell/command_line.h"
#include "shell/sound_stage.h"

namespace {

constexpr uint32_t kVolumeColour = 0xFFFFFF;
constexpr uint32_t kVolumeShadowColour = 0x000000;  // one pixel down and right, so it reads on light floors
constexpr int kVolumeLineY = 8;
constexpr int kVolumeLineX = 466;
constexpr size_t kMaxWarningsShown = 20;  // a file full of mistakes does not flood the terminal

void WarnOnceAboutWrite(Preferences& prefs, const std::string& error) {
  if (prefs.writeFailed) return;
  prefs.writeFailed = true;
  std::fprintf(stderr, "%s: %s; the settings are not saved\n", prefs.program.c_str(), error.c_str());
}

void SaveNow(Preferences& prefs) {
  std::string error;
  if (!SavePreferences(prefs, error)) WarnOnceAboutWrite(prefs, error);
}

void ChangeVolume(Preferences& prefs, SoundStage* sound, int step, uint64_t millis) {
  prefs.volume = std::clamp(prefs.volume + step, 0, kMaxVolume);
  prefs.volumeShownUntil = millis + kVolumeShownMs;
  if (sound != nullptr && sound->player != nullptr) {
    sound->player->SetMasterVolume(static_cast<float>(prefs.volume) / kMaxVolume);
  }
  prefs.saved.volume = prefs.volume;
  SaveNow(prefs);
}

}  // namespace

void OpenPreferences(Preferences& prefs, const std::string& folder, bool writes, std::vector<std::string>& warnings) {
  prefs.saved = Settings{};
  prefs.path = folder.empty() ? std::string() : folder + "/settings.ini";
  prefs.writes = writes && !folder.empty();
  std::error_code failed;
  if (!prefs.path.empty() && std::filesystem::exists(prefs.path, failed)) {
    std::string text, problem;
    std::vector<std::string> entryWarnings;
    const std::string aside = prefs.path + ".bad";
    const auto size = std::filesystem::file_size(prefs.path, failed);
    if (!failed && size > kMaxSettingsFileSize) {
      problem = "it is larger than " + std::to_string(kMaxSettingsFileSize / 1024) + " KiB";
    } else if (!ReadWholeFile(prefs.path, text)) {
      problem = "it cannot be read";
    } else if (!ParseSettings(text, prefs.saved, problem, entryWarnings)) {
      prefs.saved = Settings{};
    }
    if (!problem.empty()) {
      std::string warning = prefs.path + " is not a settings file (" + problem + "); the defaults are used";
      if (prefs.writes) {
        if (std::rename(prefs.path.c_str(), aside.c_str()) == 0) {
          warning += " and the file is kept as " + aside;
        } else {
          warning += " and the file is left as it is";
          prefs.writes = false;
        }
      }
      warnings.push_back(warning);
    } else if (!entryWarnings.empty()) {
      warnings.insert(warnings.end(), entryWarnings.begin(), entryWarnings.end());
      std::string ignored;
      if (prefs.writes && !WriteFileAtomically(aside, text, ignored)) prefs.writes = false;
    }
  }
  prefs.bindings = prefs.saved.bindings;
  prefs.volume = prefs.saved.volume;
}

void StartPreferences(Preferences& prefs, Options& options, const ScriptHeader& header, bool recording,
                      const std::string& program) {
  prefs.program = program;
  // Live play reads and writes the player's settings; a headless or scripted run
  // only those of a folder --config names, so what it does never depends on who runs it.
  const bool named = !options.configDir.empty();
  const bool live = !options.headless && options.inputScript.empty();
  const bool reads = named || live || options.keys;
  std::vector<std::string> warnings;
  OpenPreferences(prefs, reads ? SettingsFolder(options.configDir) : std::string(), !options.keys && (named || live),
                  warnings);
  if (!header.bindings.empty()) {
    std::vector<BindingEntry> entries;
    for (const ScriptBinding& b : header.bindings) entries.push_back({b.action, b.keys, b.line});
    prefs.bindings = ResolveBindings(entries, warnings, "the input script");
  } else if (recording) {
    prefs.bindings = DefaultBindings();
  }
  for (size_t i = 0; i < warnings.size() && i < kMaxWarningsShown; ++i) {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), warnings[i].c_str());
  }
  if (warnings.size() > kMaxWarningsShown) {
    std::fprintf(stderr, "%s: and %zu more warnings about the settings\n", program.c_str(),
                 warnings.size() - kMaxWarningsShown);
  }
  if (options.scale == 0) options.scale = prefs.saved.scale;
  options.integerScale = options.integerScale || prefs.saved.integerScale;
  options.mute = options.mute || prefs.saved.mute;
}

void RecordBindings(Recorder& recorder, const KeyBindings& bindings) {
  for (size_t i = 0; i < kActionCount; ++i) {
    const auto action = static_cast<Action>(i);
    recorder.HeaderLine(std::string("bind ") + ActionName(action) + " " + BoundKeysText(bindings, action));
  }
}

void StartVolume(const Preferences& prefs, SoundStage& sound) {
  if (sound.player != nullptr) sound.player->SetMasterVolume(static_cast<float>(prefs.volume) / kMaxVolume);
}

bool SavePreferences(Preferences& prefs, std::string& error) {
  if (!prefs.writes) return true;
  std::error_code failed;
  std::filesystem::create_directories(std::filesystem::path(prefs.path).parent_path(), failed);
  return WriteFileAtomically(prefs.path, SettingsText(prefs.saved), error);
}

void ClosePreferences(Preferences& prefs) { SaveNow(prefs); }

void RunPreferenceKeys(Preferences& prefs, SoundStage* sound, const Keyboard& keyboard, uint64_t millis) {
  if (keyboard.Released(ActionKey(Action::kMute)) && sound != nullptr) {
    prefs.saved.mute = sound->muted;
    SaveNow(prefs);
  }
  if (keyboard.Released(ActionKey(Action::kVolumeUp))) ChangeVolume(prefs, sound, 1, millis);
  if (keyboard.Released(ActionKey(Action::kVolumeDown))) ChangeVolume(prefs, sound, -1, millis);
}

std::string VolumeText(int volume, bool muted) {
  std::string text = "Volume " + std::to_string(volume * 100 / kMaxVolume) + "%";
  return muted ? text + " (muted: M)" : text;
}

void DrawVolumeLine(Renderer& renderer, const Preferences& prefs, bool muted, uint64_t millis) {
  if (millis >= prefs.volumeShownUntil) return;
  const std::string text = VolumeText(prefs.volume, muted);
  renderer.DrawText(kVolumeLineX + 1, kVolumeLineY + 1, text, kVolumeShadowColour);
  renderer.DrawText(kVolumeLineX, kVolumeLineY, text, kVolumeColour);
}

void HoldCursor(GameWindow* window, const Preferences* prefs, bool playing) {
  if (window == nullptr) return;
  window->ConfineCursor(playing && prefs != nullptr && prefs->saved.confineCursor);
}

bool RecordBestTime(Preferences& prefs, const std::string& map, float seconds) {
  if (!StorableMapName(map) || !(seconds > 0.0f)) return false;
  const auto known = prefs.saved.bestTimes.find(map);
  if (known != prefs.saved.bestTimes.end() && known->second <= seconds) return false;
  prefs.saved.bestTimes[map] = seconds;
  SaveNow(prefs);
  return true;
}
