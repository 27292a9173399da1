#include "shell/frame.h"

#include "combat/doors.h"
#include "effects/lighting.h"
#include "player/player.h"
#include "services/window.h"
#include "shell/asset_table.h"
#include "shell/debug_overlay.h"
#include "shell/input_script.h"
#include "world/map.h"

namespace {

// Steps 2, 4 and 5 of a frame: the window event, the mouse and the keyboard.
void ReadInput(Game& game, Runtime& runtime, KeyArray& keys, MouseReading& reading) {
  game.frameEvent = WindowEvent::kNone;
  GameWindow* window = runtime.window;
  if (window != nullptr && game.displayMode == 0) {
    game.frameEvent = window->TakeEvent();
    if (game.frameEvent == WindowEvent::kClose) game.quitRequested = 1;
  }
  if (runtime.script != nullptr) {
    WindowEvent scripted = WindowEvent::kNone;
    runtime.script->BeginFrame(game.frame + 1, keys, reading, scripted);
    if (game.frameEvent != WindowEvent::kClose) game.frameEvent = scripted;
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

void UpdatePlayer(Game& game) {
  Player& player = game.player;
  WalkPlayer(player, game.map, game.keyboard);
  SwitchFlashlight(player, game.lights, game.keyboard);
  AimPlayer(player, game.mouse, game.map);
  SelectWeaponSlot(player, game.weapons, game.keyboard, game.now);
  if (CurrentWeapon(player, game.weapons) != nullptr) PlaceFlashlight(player, game.lights);
}

void DrawWorld(Game& game, Runtime& runtime) {
  SpriteStore& sprites = runtime.sprites;
  ComputeVisibleRange(game.map, 12, 12);
  DrawLayer(game.map, sprites, 0);
  DrawLayer(game.map, sprites, 1);
  UpdateDoors(game.doors, game.map, game.animations, sprites, game.keyboard);
  DrawPlayer(game.player, game.map, game.animations, sprites);
  DrawLighting(game.timedLights, game.lights, sprites, game.map.camera, game.now, game.toggles.lightingOn != 0);
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
  if (!runtime.headless) SleepMs(1);
  KeyArray keys{};
  MouseReading reading;
  ReadInput(game, runtime, keys, reading);
  runtime.clock.Advance();
  game.now = runtime.clock.Now();
  UpdateMouse(game.mouse, reading, game.frameEvent);
  game.keyboard.Snapshot(keys);
  UpdatePlayer(game);

  Renderer& renderer = runtime.renderer;
  renderer.Clear(0);
  renderer.BeginScene();
  DrawWorld(game, runtime);
  renderer.EndScene();

  if (HandleShellKeys(game, runtime.sprites) && runtime.window != nullptr) {
    SleepMs(5);
    if (game.displayMode == 0) runtime.window->Activate();
  }
  if (game.toggles.debugOverlayOn != 0) {
    DrawDebugText(renderer, CountFps(game.fps, runtime.clock.Millis()), game.player);
  }
  if ((last || game.quitRequested != 0) && !runtime.screenshotPath.empty()) {
    Image shot;
    if (!renderer.Capture(shot) || !WritePngFile(runtime.screenshotPath, shot, false)) {
      runtime.screenshotError = "cannot write the screenshot \"" + runtime.screenshotPath + "\"";
    }
  }
  if (runtime.window != nullptr && game.displayMode == 1) runtime.window->PumpEvents();
  renderer.Present();
  ++game.frame;
}

void RunGame(Game& game, Runtime& runtime) {
  while (true) {
    const bool last = runtime.frames && game.frame + 1 >= *runtime.frames;
    if (runtime.frames && *runtime.frames == 0) break;
    RunFrame(game, runtime, last);
    if (game.quitRequested != 0 || last) break;
  }
}
