// The command line of both programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct Options {
  std::string map;            // --map NAME: skip the launcher
  int displayMode = 0;        // --windowed (0, default) | --fullscreen (1)
  bool displayModeGiven = false;
  std::string dataDir;        // --data DIR
  bool headless = false;      // software renderer, no window, fixed 1/60 s steps
  std::optional<uint64_t> frames;  // --frames N: stop after N frames (headless without it: see HeadlessFrameLimit)
  std::optional<uint64_t> seed;    // --seed N
  std::string inputScript;    // --input FILE
  std::string screenshot;     // --screenshot FILE
  std::string drawLog;        // --draw-log FILE: the last frame's draw calls
  std::string soundLog;       // --sound-log FILE: every sound started in the run
  bool mute = false;          // --mute: start with the sound off (M turns it on and off)
  std::string record;         // --record FILE: write the session as a replayable recording
  std::string timedemo;       // --timedemo FILE: replay a recording as fast as possible, timed
  bool state = false;         // --state: final state as JSON on stdout
  bool verbose = false;       // report load failures on stderr
  int scale = 0;              // --scale N: the window at N x 1024x768 (0: the largest that fits the desktop)
  bool integerScale = false;  // --integer-scale: scale the frame by whole multiples only
  bool noResults = false;     // --no-results: no results panel when a map is cleared or the player is down
  int threads = 0;            // --threads N: software renderer threads (0: the number of cores)
  bool noGamepad = false;     // --no-gamepad: ignore game controllers
  float padDeadzone = 0.25f;  // --pad-deadzone F: the sticks' radial dead zone (share of full travel)
  float padAimRadius = 200.0f;  // --pad-aim-radius PX: the right stick's cursor circle around the soldier
  bool padDeadzoneGiven = false;   // ... given on the command line (else the settings file's)
  bool padAimRadiusGiven = false;
  std::string configDir;      // --config DIR: the settings folder instead of the XDG one
  bool keys = false;          // --keys: print the key bindings and stop
  std::string renderer = "auto";  // --renderer gl|soft|auto: the accelerated renderer, ours, or ours where OpenGL runs on the CPU
  std::string plot;           // --plot OUT.png: with --timedemo, the frame times drawn as a picture
  std::string edit;           // --edit FILE.vxmap: the map editor
  std::string editSize;       // --size COLUMNSxROWS: a new map's size
  std::string editCommands;   // --edit-commands FILE: editor commands run after opening
};

enum class ParseResult { kRun, kHelp, kVersion, kError };

// Parses argv; on kError, `error` says what was wrong.
ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error);

// The usage text (--help, and after a usage error).
std::string UsageText(const std::string& program);
