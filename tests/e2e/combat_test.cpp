// Whole-game fights, headless on the Test map, checked through --state and
// screenshots.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

struct Outcome {
  ProcessResult result;
  Image shot;
};

// Plays Test for `frames` frames with a script and returns the state (and the last
// frame's picture).
Outcome Play(const std::string& script, int frames, std::vector<std::string> extra = {}) {
  TempDir dir;
  dir.Write("input.txt", script);
  std::vector<std::string> args = {"--headless", "--frames", std::to_string(frames), "--input", dir.File("input.txt"),
                                   "--state", "--screenshot", dir.File("shot.png")};
  args.insert(args.end(), extra.begin(), extra.end());
  if (std::find(args.begin(), args.end(), "--map") == args.end()) args.insert(args.end(), {"--map", "Test"});
  Outcome run{RunGame(args), {}};
  EXPECT_TRUE(run.result.Succeeded()) << run.result.err;
  EXPECT_TRUE(JsonCheck::Valid(run.result.out));
  EXPECT_TRUE(LoadPngFile(dir.File("shot.png"), run.shot));
  return run;
}

double Get(const Outcome& run, const std::string& path) { return JsonNumber(run.result.out, path); }

// Counts the objects of a top-level array in the state ("bullets":[{...},{...}]).
int Count(const Outcome& run, const std::string& key) {
  const std::string& out = run.result.out;
  size_t at = out.find("\"" + key + "\":[");
  if (at == std::string::npos) return -1;
  at += key.size() + 4;
  int depth = 0;
  int objects = 0;
  for (; at < out.size(); ++at) {
    if (out[at] == '{' && depth++ == 0) ++objects;
    if (out[at] == '}') --depth;
    if (out[at] == ']' && depth == 0) break;
  }
  return objects;
}

}  // namespace

// Holding the button with the automatic: one shot at the first frame past each
// 0.1 s interval on the 1/60 s clock (frames 1, 8, 15, ... 57), muzzle flashes, and
// dust where the bullets meet the door east of the start room.
TEST(Combat, TheAutomaticFiresAtItsCadenceAndBulletsHitTheWall) {
  const Outcome run = Play("1 mouse 1000 384\n1 button left down\n", 58);  // the last shot in frame 57
  EXPECT_EQ(Get(run, "player.weapons.magazine"), 30 - 9);
  EXPECT_GT(Get(run, "particles.additive"), 9);   // dust of the wall hits, the last flash's fire
  EXPECT_GE(Count(run, "timedLights"), 1);
  EXPECT_GE(Count(run, "bullets"), 1);
  EXPECT_NEAR(Get(run, "player.muzzleX"), 49.2, 0.1);  // 50 px at 10 degrees right of the aim
  // The lit room brightened by the last muzzle flash and the dust, right of the player.
  EXPECT_GT(MeanBrightness(run.shot, 560, 340, 700, 430), 60.0);
}

TEST(Combat, ASeedMakesEveryRandomDrawReproducible) {
  const std::string script = "1 mouse 1000 300\n1 button left down\n";
  const Outcome a = Play(script, 45, {"--seed", "5"});
  const Outcome b = Play(script, 45, {"--seed", "5"});
  const Outcome c = Play(script, 45, {"--seed", "6"});
  EXPECT_EQ(a.result.out, b.result.out);
  EXPECT_NE(a.result.out, c.result.out);
}

TEST(Combat, AGrenadeRollsBouncesAndGoesOffAfterFiveSeconds) {
  const std::string script = "1 mouse 700 384\n1 key 2 down\n2 key 2 up\n3 button left down\n4 button left up\n";
  const Outcome flying = Play(script, 200);
  EXPECT_EQ(Get(flying, "player.weapons.magazine"), 30);  // slot 0 untouched
  EXPECT_EQ(Count(flying, "grenades"), 1);
  EXPECT_LE(Get(flying, "grenades.speed"), 0.0);  // stopped after 100 frames
  const Outcome after = Play(script, 305);
  EXPECT_EQ(Count(after, "grenades"), 0);
  EXPECT_EQ(Count(after, "timedLights"), 2);       // the explosion's two flashes
  EXPECT_GE(Get(after, "particles.alpha"), 5);     // black smoke
}

// Arena: the player starts in a closed shelter. Out of sight the soldiers plan paths
// and gather round it, firing at its walls; the player is safe until the door opens.
// Then they shoot in, and the automatic, reloaded once, kills one of them.
TEST(Combat, EnemiesHuntAndFightThePlayer) {
  const std::string open = "1 mouse 512 100\n1 key W down\n25 key W up\n30 key E down\n31 key E up\n";
  const Outcome shut = Play("", 300, {"--map", "Arena"});
  EXPECT_EQ(Count(shut, "enemies"), 71);
  EXPECT_EQ(Get(shut, "player.health"), 100);
  EXPECT_EQ(Get(shut, "player.armour"), 50);
  EXPECT_GT(Get(shut, "particles.additive"), 9);  // impacts on the shelter's walls
  const Outcome fight = Play(open + "100 button left down\n300 key R down\n301 key R up\n", 700, {"--map", "Arena"});
  EXPECT_EQ(Get(fight, "player.armour"), 0);
  EXPECT_LT(Get(fight, "player.health"), 100);
  EXPECT_EQ(Get(fight, "player.weapons.reserve"), 270);
  EXPECT_EQ(Count(fight, "enemies"), 70);
}
