#include "shell/frame.h"

#include <algorithm>
#include <chrono>

#include "combat/doors.h"
#include "combat/enemies.h"
#include "combat/firing.h"
#include "combat/flight.h"
#include "effects/bursts.h"
#include "effects/particles.h"
#include "effects/lighting.h"
#include "hud/hud.h"
#include "player/player.h"
#include "platform/window.h"
#include "shell/asset_table.h"
#include "shell/debug_overlay.h"
#include "shell/pad_input.h"
#include "shell/play_control.h"
#include "shell/key_bindings.h"
#include "shell/preferences.h"
#include "replay/input_script.h"
#include "replay/recorder.h"
#include "shell/sound_stage.h"
#include "replay/timedemo.h"
#include "world/map.h"

namespace {

// Steps 2, 4 and 5 of a frame: the window event, the mouse and the keyboard.
void ReadInput(Game& game, Runtime& runtime, KeyArray& keys, MouseReading& reading) {
  game.frameEvent = WindowEvent::kNone;
  GameWindow* window = runtime.window;
  // Both modes bring the keyboard and mouse state up to date before the snapshot:
  // windowed mode by taking its one window event, full screen by processing every
  // pending window-system message.
  if (window != nullptr && game.displayMode == 0) {
    game.frameEvent = window->TakeEvent();
    if (game.frameEvent == WindowEvent::kClose) game.quitRequested = 1;
  } else if (window != nullptr) {
    window->PumpEvents();
  }
  if (runtime.script != nullptr) {
    WindowEvent scripted = WindowEvent::kNone;
    runtime.script->BeginFrame(game.frame + 1, keys, reading, scripted);
    if (game.frameEvent != WindowEvent::kClose) game.frameEvent = scripted;
    if (scripted == WindowEvent::kClose) game.quitRequested = 1;
    return;
  }
  if (window == nullptr) return;
  window->ReadKeyboard(keys);
  if (game.displayMode == 1) {
    const MouseDeviceState device = window->ReadMouseDevice();
    reading.deviceX = device.x;
    reading.deviceY = device.y;
    reading.deviceLeft = device.left;
    reading.deviceRight = device.right;
  } else {
    window->CursorInClient(reading.clientX, reading.clientY);
  }
}

// Steps 6 to 8: walking, the flashlight switch, aim and slot keys, the flashlight's
// place, then the weapon.
void UpdatePlayer(Game& game, BurstTargets& fx) {
  Player& player = game.player;
  WalkPlayer(player, game.map, game.keyboard);
  SwitchFlashlight(player, game.lights, game.keyboard);
  AimPlayer(player, game.mouse, game.map);
  SelectWeaponSlot(player, game.weapons, game.keyboard, game.now);
  if (CurrentWeapon(player, game.weapons) != nullptr) PlaceFlashlight(player, game.lights);
  FiringTargets shots{game.bullets, game.grenades, fx};
  UpdateWeapon(player, game.weapons, game.mouse, game.keyboard, shots);
}

// Steps 13 to 15: enemies, grenades, bullets, both particle lists.
void RunCombat(Game& game, Runtime& runtime, BurstTargets& fx) {
  SpriteStore& sprites = runtime.sprites;
  EnemyWorld enemies{game.enemies, game.map,    game.player.x,   game.player.y, game.mouse,
                     game.bullets, fx,          game.pathFinder, sprites};
  UpdateEnemies(enemies);
  Battlefield field{game.map, game.player, game.enemies, fx, sprites, game.blastRadius, &game.results.tally.bulletHits};
  UpdateGrenades(game.grenades, field);
  UpdateBullets(game.bullets, field);
  RunParticles(game.particles, sprites);
}

void DrawWorld(Game& game, Runtime& runtime, BurstTargets& fx) {
  SpriteStore& sprites = runtime.sprites;
  ComputeVisibleRange(game.map, ScreenExtraColumns(game.map.tileSize), ScreenExtraRows(game.map.tileSize));
  DrawLayer(game.map, sprites, 0);
  DrawLayer(game.map, sprites, 1);
  UpdateDoors(game.doors, game.map, game.animations, sprites, game.keyboard, fx.cues);
  const int32_t legsFrame = game.player.legs.frame;
  DrawPlayer(game.player, game.map, game.animations, sprites);
  CueFootstep(game.player, legsFrame, fx.cues);
  RunCombat(game, runtime, fx);
  DrawLighting(game.timedLights, game.lights, sprites, game.map.camera, game.now, game.toggles.lightingOn != 0);
  DrawHud({.displayMode = game.displayMode, .mouse = game.mouse, .hoveredEnemy = HoveredEnemy(game.enemies),
           .map = game.map, .player = game.player, .weapon = CurrentWeapon(game.player, game.weapons),
           .now = game.now},
          sprites);
  if (game.toggles.debugOverlayOn != 0) {
    sprites.Zoom(kDebugPanelSprite, 256, 128);
    sprites.Display(kDebugPanelSprite, 0, 200);
  }
}

}  // namespace

bool HandleShellKeys(Game& game, SpriteStore& sprites) {
  const Keyboard& keys = game.keyboard;
  if (keys.Released(scan::kEscape)) game.quitRequested = 1;
  Toggles& toggles = game.toggles;
  if (keys.Released(scan::kF9)) {
    toggles.lightingOn ^= 1;
  } else if (keys.Released(scan::kF10)) {
    toggles.filteringOn ^= 1;
    sprites.SetQuality(toggles.filteringOn != 0 ? 1 : 0);
    return true;
  } else if (keys.Released(scan::kF11)) {
    toggles.debugOverlayOn ^= 1;
  }
  return false;
}

void RunFrame(Game& game, Runtime& runtime, bool last) {
  if (!runtime.headless && !runtime.noSleep) SleepMs(1);
  if (runtime.pacer != nullptr) runtime.pacer->Wait();
  KeyArray keys{};
  MouseReading reading;
  ReadInput(game, runtime, keys, reading);
  if (runtime.script == nullptr) ReadGamePad(game, runtime, keys, reading);
  if (runtime.padControls != nullptr) RaisePadActions(*runtime.padControls, game.actions);
  // The key bindings feed the snapshot entries the game (and the shell's keys) read.
  const KeyArray bound = runtime.prefs != nullptr ? ApplyBindings(runtime.prefs->bindings, keys) : keys;
  ApplyShellActions(game, runtime, bound);
  const int toughness = Toughness(game);
  HoldCursor(runtime.window, runtime.prefs, game.displayMode == 0 && !runtime.clock.paused());
  runtime.clock.Advance();
  game.now = runtime.clock.Now();
  // A recording's clock replaces the clock of this run.
  if (runtime.script != nullptr && runtime.script->Time()) game.now = *runtime.script->Time();
  if (runtime.recorder != nullptr) {
    runtime.recorder->Frame(game.frame + 1, game.now, keys, reading, game.frameEvent, game.displayMode);
  }
  if (runtime.clock.paused()) {
    FollowMouseButtons(game.mouse, game.frameEvent);
    return RunPausedFrame(game, runtime, last);
  }
  UpdateMouse(game.mouse, reading, game.frameEvent);
  game.keyboard.Snapshot(bound);
  BurstTargets fx{game.particles, game.timedLights, runtime.rng, game.now};
  if (runtime.sound != nullptr) fx.cues = &runtime.sound->cues;
  LookBeforePlayer(game.results, game);
  UpdatePlayer(game, fx);
  LookAfterPlayer(game.results, game);

  Renderer& renderer = runtime.renderer;
  renderer.Clear(0);
  renderer.BeginScene();
  DrawWorld(game, runtime, fx);
  renderer.EndScene();
  BestTimes noBestTimes;
  const bool hadNewBest = game.results.newBest;
  LookAfterFrame(game.results, game, runtime.bestTimes != nullptr ? *runtime.bestTimes : noBestTimes);
  if (!hadNewBest && game.results.newBest && game.results.bestTime && runtime.prefs != nullptr) {
    RecordBestTime(*runtime.prefs, game.mapName, *game.results.bestTime);
  }
  if (runtime.showResults) DrawResultsPanel(game.results, game.now, runtime.sprites);
  RumbleWhenHit(game, runtime, toughness);

  if (HandleShellKeys(game, runtime.sprites) && runtime.window != nullptr) {
    SleepMs(5);
    if (game.displayMode == 0) runtime.window->Activate();
  }
  // The frame's sounds: M mutes or unmutes, then its cues are played and logged.
  if (runtime.sound != nullptr) {
    HandleSoundKeys(*runtime.sound, game.keyboard);
    PlaySoundCues(*runtime.sound, game.frame + 1, game.player.x, game.player.y, game.map.camera);
  }
  if (runtime.prefs != nullptr) RunPreferenceKeys(*runtime.prefs, runtime.sound, game.keyboard, runtime.clock.Millis());
  if (game.toggles.debugOverlayOn != 0) {
    DrawDebugText(renderer, CountFps(game.fps, runtime.clock.Millis()), game.player);
  }
  BeginRequestedPause(game, runtime);
  if (runtime.prefs != nullptr) {
    const bool muted = runtime.sound != nullptr && runtime.sound->muted;
    DrawVolumeLine(renderer, *runtime.prefs, muted, runtime.clock.Millis());
  }
  if ((last || game.quitRequested != 0) && !runtime.screenshotPath.empty()) {
    Image shot;
    if (!renderer.Capture(shot) || !WritePngFile(runtime.screenshotPath, shot, false)) {
      runtime.screenshotError = "cannot write the screenshot \"" + runtime.screenshotPath + "\"";
    }
  }
  renderer.Present();
  ++game.frame;
}

void RunGame(Game& game, Runtime& runtime) {
  while (true) {
    const bool last = runtime.frames && game.frame + 1 >= *runtime.frames;
    if (runtime.frames && *runtime.frames == 0) break;
    if (runtime.timing != nullptr && runtime.frameTimes != nullptr) {
      runtime.timing->Reset();
      const auto start = std::chrono::steady_clock::now();
      RunFrame(game, runtime, last);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      const double draw = runtime.timing->drawMs();
      const double present = runtime.timing->presentMs();
      runtime.frameTimes->push_back({std::max(0.0, ms - draw - present), draw, present});
    } else {
      RunFrame(game, runtime, last);
    }
    if (game.quitRequested != 0 || last) break;
  }
}
