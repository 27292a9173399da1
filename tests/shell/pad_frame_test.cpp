// A virtual controller in the frame: what the keyboard snapshot and the mouse see,
// controllers plugged and pulled mid-run, and the rumble of a hit.
#include <gtest/gtest.h>

#include <memory>

#include "platform/gamepad.h"
#include "player/pad_controls.h"
#include "render/recording_renderer.h"
#include "shell/frame.h"
#include "shell/pad_input.h"
#include "shell/startup.h"
#include "support/data_dir.h"
#include "support/map_bytes.h"
#include "support/virtual_pad.h"

namespace {

struct PadWorld : DataDir {
  RecordingRenderer renderer;
  SpriteStore sprites{renderer};
  Clock clock = Clock::Fixed();
  Rng rng{1};
  Runtime runtime{renderer, sprites, clock, rng};
  Game game;
  GamePads pads;
  PadControls controls;

  PadWorld() {
    MapBytes map;  // 8x8 open cells, the soldier in the middle
    map.Header(64, 7, 7, 0, 256, 256);
    for (int i = 0; i < 64; ++i) map.Cell(0);
    Put("Data\\Maps\\M.map", map.I32(0).I32(0).bytes());
    Put("Data\\Maps\\M_TileSet.xml", "<TileSet/>");
    game.mapName = "M";
    std::string error;
    EXPECT_TRUE(StartUp(game, runtime)) << game.mapError;
    EXPECT_TRUE(pads.Open("", error)) << error;
    runtime.pads = &pads;
    runtime.padControls = &controls;
  }
  void Frame() { RunFrame(game, runtime, false); }
  bool Held(int code) const { return game.keyboard.Pushed(code); }
};

TEST(PadFrame, SticksTriggerAndButtonsBecomeTheFramesKeysAndMouse) {
  PadWorld w;
  VirtualPad pad;
  ASSERT_TRUE(pad.ok()) << SDL_GetError();
  w.Frame();  // plugged in at rest (SDL reads a trigger as let go in its first frame)
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -0.7f);  // up and left
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -0.7f);
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 1.0f);  // aim right
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  const int soldierX = static_cast<int>(w.game.player.x) - w.game.map.camera.x;
  w.Frame();
  EXPECT_TRUE(w.Held(scan::kW) && w.Held(scan::kA));
  EXPECT_FALSE(w.Held(scan::kEscape));  // Start pauses; it does not quit
  EXPECT_FALSE(w.Held(scan::kS) || w.Held(scan::kD));
  EXPECT_EQ(w.game.mouse.screenX, soldierX + 200);
  EXPECT_EQ(w.game.mouse.leftDown, 1);
  EXPECT_LT(w.game.player.x, 256.0f);  // walked as the keys walk
  EXPECT_TRUE(w.controls.startPressed);
  const int toughness = Toughness(w.game);  // a hit on the armour rumbles the driving controller
  w.game.player.armour -= 10;
  RumbleWhenHit(w.game, w.runtime, toughness);
  EXPECT_EQ(pad.rumbles, 1);
  EXPECT_TRUE(w.runtime.clock.paused());  // Start pauses at the end of its frame ...
  pad.Button(SDL_CONTROLLER_BUTTON_START, false);
  w.Frame();
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  w.Frame();
  EXPECT_FALSE(w.runtime.clock.paused());  // ... and resumes when pressed again
}

TEST(PadFrame, BackHeldOneSecondRestartsTheMapOnce) {
  PadWorld w;
  VirtualPad pad;
  ASSERT_TRUE(pad.ok()) << SDL_GetError();
  w.Frame();
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -1.0f);
  for (int i = 0; i < 20; ++i) w.Frame();
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0.0f);
  const float walkedTo = w.game.player.x;
  ASSERT_LT(walkedTo, 256.0f);
  pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
  for (int i = 0; i < 30; ++i) w.Frame();  // half a second: not yet
  EXPECT_EQ(w.game.player.x, walkedTo);
  for (int i = 0; i < 40; ++i) w.Frame();
  EXPECT_EQ(w.game.player.x, 256.0f);  // started again at the map's start
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -1.0f);
  for (int i = 0; i < 90; ++i) w.Frame();  // still held: no second restart
  EXPECT_LT(w.game.player.x, 256.0f);
}

TEST(PadFrame, ControllersPluggedAndPulledMidRunTheFirstConnectedDrives) {
  PadWorld w;
  w.Frame();
  auto first = std::make_unique<VirtualPad>();
  first->Button(SDL_CONTROLLER_BUTTON_A, true);
  w.Frame();
  EXPECT_TRUE(w.Held(scan::kE));
  VirtualPad second;
  second.Button(SDL_CONTROLLER_BUTTON_Y, true);
  w.Frame();
  EXPECT_EQ(w.pads.count(), 2u);
  EXPECT_TRUE(w.Held(scan::kE));
  EXPECT_FALSE(w.Held(scan::kV));  // the second does not drive while the first is there

  first.reset();  // pulled mid-press: the key comes up, the second drives
  w.Frame();
  EXPECT_EQ(w.pads.count(), 1u);
  EXPECT_TRUE(w.game.keyboard.Released(scan::kE));
  EXPECT_TRUE(w.Held(scan::kV));
  second.Unplug();
  for (int i = 0; i < 3; ++i) w.Frame();
  EXPECT_EQ(w.pads.count(), 0u);
  VirtualPad again;  // plugged back in
  again.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  w.Frame();
  EXPECT_TRUE(w.Held(scan::k1));
}

}  // namespace
