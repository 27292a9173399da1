#include "shell/pad_input.h"

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
  const bool placed = ApplyPad(*runtime.padControls, pad, frame, keys, reading, game.frameEvent);
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
