// The services a running game uses, chosen by main: the renderer and sprite store,
// the clock, random numbers, the window (none when headless) and scripted input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "services/clock.h"
#include "services/random.h"
#include "services/renderer.h"
#include "services/sprites.h"

class GameWindow;
class ScriptedInput;

struct Runtime {
  Runtime(Renderer& r, SpriteStore& s, Clock& c, Rng& g) : renderer(r), sprites(s), clock(c), rng(g) {}

  Renderer& renderer;
  SpriteStore& sprites;
  Clock& clock;
  Rng& rng;
  GameWindow* window = nullptr;      // none when headless
  ScriptedInput* script = nullptr;   // replaces keyboard and mouse when given
  bool headless = false;
  bool verbose = false;
  std::string programName = "vexmoor";  // names the program in --verbose reports
  std::optional<uint64_t> frames;    // stop after this many frames
  std::string screenshotPath;        // written from the last frame
  std::string screenshotError;       // set when it could not be written
};
