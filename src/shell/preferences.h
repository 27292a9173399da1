// The settings in a running game: read at start, the command line laid over them
// for the run, the player's own changes (M, the volume keys, a best time) saved at
// once and at exit. A value given on the command line holds for that run only and
// is never saved; it becomes the saved choice only when the player changes it in
// the game.
//
// Which runs read and write: live play (a window, no --input or --timedemo) reads
// and writes the player's settings. Headless and scripted runs (tests, timedemos,
// screenshots, replays) read and write only a folder --config names; without it
// they play with the defaults and write nothing, so what they do never depends on
// who runs them. --keys reads and never writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/input.h"
#include "shell/settings.h"

class GameWindow;
class Recorder;
class Renderer;
struct Options;
struct ScriptHeader;
struct SoundStage;

// How long the volume line stays on the screen after a volume key.
constexpr uint64_t kVolumeShownMs = 1000;

struct Preferences {
  Settings saved;               // the player's choices, as the file holds them
  std::string path;             // the settings file; empty when there is no settings folder
  bool writes = false;          // this run writes the file
  KeyBindings bindings;         // this run's (a recording's own when it carries them)
  int volume = kMaxVolume;      // this run's master volume, 0-10
  uint64_t volumeShownUntil = 0;  // clock milliseconds until which the volume line shows
  bool writeFailed = false;     // a write failed (warned about once)
  std::string program = "vexmoor";  // names the program in warnings
};

// Reads the settings file of `folder` (see SettingsFolder). Every problem becomes one
// line of `warnings`: a file that is not a settings file gives the defaults and, in
// a run that writes, is moved aside as settings.ini.bad; a file with entries that
// could not be used is copied there as it was before the game rewrites it.
void OpenPreferences(Preferences& prefs, const std::string& folder, bool writes, std::vector<std::string>& warnings);

// The settings of this run (warnings on stderr), laid under the command line: they
// give the window scale, integer scaling and mute where the command line does
// not. A script's bind lines replace the settings' bindings; a recording without
// any was made before bindings existed, with the defaults, and replays with them.
void StartPreferences(Preferences& prefs, Options& options, const ScriptHeader& header, bool recording,
                      const std::string& program);
// A recording keeps the bindings it was made with, so it replays the same anywhere.
void RecordBindings(Recorder& recorder, const KeyBindings& bindings);
// The master volume of the run, once the sound is open.
void StartVolume(const Preferences& prefs, SoundStage& sound);

// Writes the saved choices now (a run that does not write: nothing). False with
// `error` when the file could not be written.
bool SavePreferences(Preferences& prefs, std::string& error);

// At exit: the saved choices written once more (a warning when that fails, unless
// one was given already).
void ClosePreferences(Preferences& prefs);

// After the frame's sound keys: mute and the volume keys become the saved choices
// (written at once); a volume key also shows the volume line for a second.
// `muted` is the sound's state after the frame's mute key.
void RunPreferenceKeys(Preferences& prefs, SoundStage* sound, const Keyboard& keyboard, uint64_t millis);

// The volume line at the top of the screen, drawn after the game's frame while it
// shows.
void DrawVolumeLine(Renderer& renderer, const Preferences& prefs, bool muted, uint64_t millis);
// "Volume 70%", and the mute state when muted.
std::string VolumeText(int volume, bool muted);

// Keeps the cursor in the frame while `playing` (windowed play that is not paused;
// the pause screen and the editor pass false) and the settings allow it; the
// window lets it go whenever it loses the focus.
void HoldCursor(GameWindow* window, const Preferences* prefs, bool playing);

// Keeps a map's best time when `seconds` beats the saved one (or there is none);
// true when it did (and the file was written).
bool RecordBestTime(Preferences& prefs, const std::string& map, float seconds);
