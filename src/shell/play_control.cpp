#include "shell/play_control.h"

#include <cstdio>
#include <memory>

#include "replay/input_script.h"
#include "replay/recorder.h"
#include "shell/sound_stage.h"
#include "shell/startup.h"

namespace {

void Mark(Game& game, Runtime& runtime, const char* what) {
  if (runtime.recorder != nullptr) runtime.recorder->Mark(game.frame + 1, what);
}

void Resume(Game& game, Runtime& runtime) {
  runtime.clock.Resume();
  DropPausePicture(game.pauseScreen, runtime.sprites);
  Mark(game, runtime, "resume");
}

}  // namespace

void ApplyShellActions(Game& game, Runtime& runtime, const KeyArray& keys) {
  ShellActions& actions = game.actions;
  ReadShellKeys(actions, game.shellKeys, keys, game.frameEvent, game.displayMode);
  // A recording replays its own pauses and restarts, whatever its keys say.
  if (runtime.script != nullptr && runtime.script->IsRecording()) {
    const ShellMarks marks = runtime.script->Marks();
    const bool paused = runtime.clock.paused();
    actions.restart = marks.restart;
    actions.togglePause = (marks.pause && !paused) || (marks.resume && paused);
    actions.pause = false;
  }
  const bool quit = actions.quitIfPaused && runtime.clock.paused();
  if (actions.restart) {
    Mark(game, runtime, "restart");
    actions = ShellActions{};
    if (!RestartMap(game, runtime)) return;
  } else if (runtime.clock.paused() && actions.togglePause) {
    Resume(game, runtime);
    actions = ShellActions{};
  }
  if (quit) game.quitRequested = 1;
}

void BeginRequestedPause(Game& game, Runtime& runtime) {
  ShellActions& actions = game.actions;
  const bool pause = actions.togglePause || actions.pause;
  actions = ShellActions{};
  if (!pause || runtime.clock.paused() || game.quitRequested != 0) return;
  HoldPausePicture(game.pauseScreen, runtime.sprites);
  runtime.clock.Pause();
  Mark(game, runtime, "pause");
}

void RunPausedFrame(Game& game, Runtime& runtime, bool last) {
  game.actions = ShellActions{};
  DrawPauseScreen(game.pauseScreen, runtime.sprites);
  if (last || game.quitRequested != 0) WriteScreenshot(runtime);
  runtime.renderer.Present();
  ++game.frame;
}

bool RestartMap(Game& game, Runtime& runtime) {
  const std::string mapName = game.mapName;
  const uint8_t displayMode = game.displayMode;
  const uint64_t frame = game.frame;
  const ShellKeys shellKeys = game.shellKeys;
  std::destroy_at(&game);
  std::construct_at(&game);
  game.mapName = mapName;
  game.displayMode = displayMode;
  game.frame = frame;
  game.shellKeys = shellKeys;
  runtime.sprites.Clear();
  runtime.clock.Restart();
  runtime.rng.Seed(runtime.seed);
  if (runtime.sound != nullptr) {
    runtime.sound->cues = SoundCues{};
    if (runtime.sound->player != nullptr) runtime.sound->player->StopAll();
  }
  if (StartUp(game, runtime)) return true;
  std::fprintf(stderr, "%s: cannot play the map \"%s\" again: %s\n", runtime.programName.c_str(),
               game.mapName.c_str(), game.mapError.c_str());
  game.quitRequested = 1;
  return false;
}

void WriteScreenshot(Runtime& runtime) {
  if (runtime.screenshotPath.empty()) return;
  Image shot;
  if (!runtime.renderer.Capture(shot) || !WritePngFile(runtime.screenshotPath, shot, false)) {
    runtime.screenshotError = "cannot write the screenshot \"" + runtime.screenshotPath + "\"";
  }
}
