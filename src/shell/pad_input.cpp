#include "shell/pad_input.h"

#include "shell/key_bindings.h"
#include "shell/preferences.h"

#include "platform/gamepad.h"
#include "platform/window.h"
#include "player/pad_controls.h"

void ReadGamePad(Game& game, Runtime& runtime, KeyArray& keys, MouseReading& reading) {
  if (runtime.pads == nullptr || runtime.padControls == nullptr) return;
  const PadReading pad = runtime.pads->Read();
  const PadFrame frame{.soldierScreenX = game.player.x - static_cast<float>(game.map.camera.x),
                       .soldierScreenY = game.player.y - static_cast<float>(game.map.camera.y),
                       .displayMode = game.displayMode,
                       .now = game.now};
  // The controller holds, for each action, the first key bound to it, so a rebound
  // action still reaches the game (and a recording holds the keys it became).
  KeyArray padKeys{};
  const bool placed = ApplyPad(*runtime.padControls, pad, frame, padKeys, reading, game.frameEvent);
  for (size_t code = 0; code < padKeys.size(); ++code) {
    if (padKeys[code] == 0) continue;
    const int key = runtime.prefs != nullptr ? BoundKeyOf(runtime.prefs->bindings, static_cast<int>(code))
                                             : static_cast<int>(code);
    keys[static_cast<size_t>(key)] = 1;
  }
  if (placed && runtime.window != nullptr) {
    runtime.window->PlaceCursor(runtime.padControls->cursorX, runtime.padControls->cursorY);
  }
}

int Toughness(const Game& game) { return game.player.health + game.player.armour; }

void RumbleWhenHit(const Game& game, Runtime& runtime, int toughnessBefore) {
  if (runtime.pads != nullptr && Toughness(game) < toughnessBefore) {
    runtime.pads->Rumble(kHitRumbleStrength, kHitRumbleMs);
  }
}

void RaisePadActions(PadControls& pad, ShellActions& actions) {
  if (pad.startPressed) actions.togglePause = true;
  if (pad.backHeldSeconds <= 0.0f) pad.backRestartRaised = false;
  if (pad.backHeldSeconds >= 1.0f && !pad.backRestartRaised) {
    actions.restart = true;
    pad.backRestartRaised = true;
  }
}
