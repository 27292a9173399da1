// Twin-stick play on Test with a virtual controller: the stick walks to the door,
// A opens it, the trigger fires, X reloads, the stick walks through and the right
// shoulder takes the second weapon, all aimed with the right stick, in full screen.
// The session runs through the shell's own frame loop with the controller attached
// and is recorded; the recording then replays in the real program, headless and
// without a controller, to the same state.
#include <gtest/gtest.h>

#include "e2e/program_runner.h"
#include "platform/gamepad.h"
#include "player/pad_controls.h"
#include "render/software_renderer.h"
#include "replay/recorder.h"
#include "shell/frame.h"
#include "shell/startup.h"
#include "shell/state_json.h"
#include "support/json_check.h"
#include "support/virtual_pad.h"

namespace {

constexpr uint64_t kFrames = 260;

// The controller in each frame of the session.
void Drive(VirtualPad& pad, uint64_t frame) {
  const auto during = [frame](uint64_t first, uint64_t last) { return frame >= first && frame <= last; };
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 1.0f);  // aim right, 200 px ahead of the soldier
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTY, during(100, 110) ? -0.5f : 0.0f);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, during(1, 55) || during(130, 175) ? 0.9f : 0.0f);
  pad.Button(SDL_CONTROLLER_BUTTON_A, during(56, 56));
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, during(60, 75) ? 1.0f : 0.0f);
  pad.Button(SDL_CONTROLLER_BUTTON_X, during(80, 80));
  pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, during(240, 242));  // once the 2.5 s reload is over
}

}  // namespace

TEST(PadPlay, AVirtualControllerPlaysTestAndItsRecordingReplaysToTheSameState) {
  TempDir dir;
  const std::string recording = dir.File("pad.rec");
  std::string state;
  {
    SoftwareRenderer renderer(1);
    SpriteStore sprites(renderer);
    Clock clock = Clock::Fixed();
    Rng rng(7);
    Runtime runtime{renderer, sprites, clock, rng};
    runtime.headless = true;
    Game game;
    game.mapName = "Test";
    game.displayMode = 1;
    ASSERT_TRUE(StartUp(game, runtime)) << game.mapError;
    const double magazine = JsonNumber(StateJson(game), "weapons.magazine");
    const double reserve = JsonNumber(StateJson(game), "weapons.reserve");
    GamePads pads;
    std::string error;
    ASSERT_TRUE(pads.Open("", error)) << error;
    PadControls controls;
    runtime.pads = &pads;
    runtime.padControls = &controls;
    Recorder recorder;
    ASSERT_TRUE(recorder.Open(recording, 7, "Test", 1, error)) << error;
    runtime.recorder = &recorder;
    VirtualPad pad;
    ASSERT_TRUE(pad.ok()) << SDL_GetError();
    for (uint64_t frame = 1; frame <= kFrames; ++frame) {
      Drive(pad, frame);
      RunFrame(game, runtime, frame == kFrames);
    }
    ASSERT_TRUE(recorder.End(game.frame));
    state = StateJson(game);
    EXPECT_GT(JsonNumber(state, "player.x"), 7 * 64.0);   // walked through the door's column
    EXPECT_EQ(JsonNumber(state, "doors.state"), 1);       // open
    EXPECT_EQ(JsonNumber(state, "player.slot"), 1);       // the second weapon
    EXPECT_NEAR(JsonNumber(state, "player.aim"), 0.0, 1.0);  // aimed right
    EXPECT_EQ(JsonNumber(state, "mouse.screenX"), 712);   // 200 px right of the centred soldier
    // Fired, then reloaded: the first weapon's magazine is full again, its reserve less.
    EXPECT_EQ(JsonNumber(state, "weapons.magazine"), magazine);
    EXPECT_LT(JsonNumber(state, "weapons.reserve"), reserve);
  }
  const ProcessResult replay = RunGame({"--headless", "--input", recording, "--state"});
  ASSERT_TRUE(replay.Succeeded()) << replay.err;
  EXPECT_EQ(replay.out, state);
}
