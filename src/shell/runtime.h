// The services a running game uses, chosen by main: the renderer and sprite store,
// the clock, random numbers, the window (none when headless) and scripted input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/random.h"
#include "render/renderer.h"
#include "render/sprites.h"

class GameWindow;
struct BestTimes;
class GamePads;
struct PadControls;
class Recorder;
class ScriptedInput;
class TimingRenderer;
struct FrameTiming;
struct Preferences;
struct SoundStage;

struct Runtime {
  Runtime(Renderer& r, SpriteStore& s, Clock& c, Rng& g) : renderer(r), sprites(s), clock(c), rng(g) {}

  Renderer& renderer;
  SpriteStore& sprites;
  Clock& clock;
  Rng& rng;
  GameWindow* window = nullptr;      // none when headless
  ScriptedInput* script = nullptr;   // replaces keyboard and mouse when given (and the clock, for a recording)
  Recorder* recorder = nullptr;      // --record: writes each frame's input and clock
  TimingRenderer* timing = nullptr;  // --timedemo: the renderer's time per frame ...
  std::vector<FrameTiming>* frameTimes = nullptr;  // ... and each frame's split
  GamePads* pads = nullptr;          // game controllers (none: headless, scripted or --no-gamepad)
  PadControls* padControls = nullptr;  // ... and what they did so far (with pads)
  SoundStage* sound = nullptr;       // the frame's sound cues, played and logged after it (none: no sound)
  FramePacer* pacer = nullptr;       // windowed and full-screen play: at most 60 frames a second
  Preferences* prefs = nullptr;      // settings: key bindings, volume, cursor (none: the defaults)
  bool noSleep = false;              // --timedemo: as fast as possible
  bool headless = false;
  bool verbose = false;
  std::string programName = "vexmoor";  // names the program in --verbose reports
  std::optional<uint64_t> frames;    // stop after this many frames
  std::string screenshotPath;        // written from the last frame
  std::string screenshotError;       // set when it could not be written
  uint64_t seed = 1;                 // the seed of rng: a restart starts it again
  BestTimes* bestTimes = nullptr;    // best clearing times (none: not kept)
  bool showResults = true;           // --no-results: the results panel is not drawn
};
