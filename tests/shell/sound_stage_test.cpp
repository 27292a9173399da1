// The shell's side of sound: a frame's cues placed around the player and logged
// (also with nothing to play them on, and while muted), M, and the footsteps.
#include "shell/sound_stage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "player/player.h"
#include "base/input.h"
#include "world/map.h"

namespace {

// The log text written so far.
std::string LogText(std::FILE* log) {
  std::fflush(log);
  std::rewind(log);
  std::string text;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, log) != nullptr) text += buffer;
  return text;
}

}  // namespace

TEST(SoundStage, CuesArePlacedAroundThePlayerAndLogged) {
  SoundStage stage;
  stage.log = std::tmpfile();
  ASSERT_NE(stage.log, nullptr);
  const Camera camera{1000 - 512, 2000 - 384};                   // the player at (1000, 2000), mid-screen
  CueSound(&stage.cues, SoundId::kAutomatic, 1000.0f, 2000.0f);  // at the player
  CueSound(&stage.cues, SoundId::kExplosion, 1300.0f, 2400.0f);  // 500 px away, right of centre
  CueSound(&stage.cues, SoundId::kImpactDust, 400.0f, 2000.0f);  // 600 px left, off the screen
  CueSound(&stage.cues, SoundId::kExplosion, 1000.0f, 3100.0f);  // 1100 px below: too far
  PlaySoundCues(stage, 12, 1000.0f, 2000.0f, camera);
  EXPECT_TRUE(stage.cues.list.empty());
  EXPECT_EQ(LogText(stage.log),
            "{\"frame\":12,\"sound\":\"automatic\",\"pan\":0,\"volume\":0.7}\n"
            "{\"frame\":12,\"sound\":\"explosion\",\"pan\":0.5859,\"volume\":0.342}\n"
            "{\"frame\":12,\"sound\":\"impact_dust\",\"pan\":-1,\"volume\":0.1008}\n");
  EXPECT_TRUE(CloseSoundStage(stage));
  EXPECT_EQ(stage.log, nullptr);
}

TEST(SoundStage, MIsReleasedToMuteAndUnmuteAndLoggingGoesOn) {
  SoundStage stage;
  stage.log = std::tmpfile();
  Keyboard keyboard;
  KeyArray keys{};
  for (bool expected : {true, false}) {
    keys[kMuteKey] = 1;
    keyboard.Snapshot(keys);
    HandleSoundKeys(stage, keyboard);  // held: nothing yet
    EXPECT_EQ(stage.muted, !expected);
    keys[kMuteKey] = 0;
    keyboard.Snapshot(keys);
    HandleSoundKeys(stage, keyboard);
    EXPECT_EQ(stage.muted, expected);
  }
  keys[scan::kE] = 1;
  keyboard.Snapshot(keys);
  keyboard.Snapshot(KeyArray{});
  HandleSoundKeys(stage, keyboard);
  EXPECT_FALSE(stage.muted);
  stage.muted = true;
  CueSound(&stage.cues, SoundId::kFootstep, 0.0f, 0.0f);
  PlaySoundCues(stage, 3, 0.0f, 0.0f, Camera{-512, -384});
  EXPECT_NE(LogText(stage.log).find("\"footstep\""), std::string::npos);
  CloseSoundStage(stage);
}

TEST(SoundStage, AFootFallsOnLegsFramesThreeAndEight) {
  struct Case {
    float walkCode;
    int32_t before, after;
    bool heard;
  };
  const Case cases[] = {{1.0f, 2, 3, true},
                        {3.5f, 7, 8, true},
                        {1.0f, 3, 4, false},
                        {1.0f, 3, 3, false},   // no step of the legs this frame
                        {0.0f, 2, 3, false}};  // standing
  for (const Case& c : cases) {
    Player player;
    player.walkCode = c.walkCode;
    player.legs.frame = c.after;
    SoundCues cues;
    CueFootstep(player, c.before, &cues);
    EXPECT_EQ(cues.list.size(), c.heard ? 1u : 0u) << c.before << "->" << c.after;
  }
}
