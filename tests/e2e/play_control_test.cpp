// Pause, restart and the results panel, headless, checked through --state, the
// draw log and recordings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

// Runs a map headless for `frames` frames with a script; returns the final state.
std::string Play(const std::string& script, int frames, std::vector<std::string> extra = {},
                 const std::string& map = "Arena") {
  TempDir dir;
  dir.Write("input.txt", script);
  std::vector<std::string> args = {"--headless", "--map",  map,   "--frames", std::to_string(frames),
                                   "--input",    dir.File("input.txt"), "--state", "--seed", "5"};
  args.insert(args.end(), extra.begin(), extra.end());
  const ProcessResult run = RunGame(args);
  EXPECT_TRUE(run.Succeeded()) << run.err;
  EXPECT_TRUE(JsonCheck::Valid(run.out));
  return run.out;
}

// The state without its frame count (a pause or a restart runs frames the game does not see).
std::string WithoutFrame(const std::string& state) {
  return std::regex_replace(state, std::regex("\"frame\":[0-9]+,\"now\""), "\"now\"");
}

// The first frame of the fixed 1/60 s clock whose time is past `until`.
int FirstFramePast(double until) {
  for (int f = 1;; ++f) {
    const float now = static_cast<float>((1000.0 + static_cast<double>(f * 1000 / 60)) / 1000.0);
    if (now > static_cast<float>(until)) return f;
  }
}

}  // namespace

// One shot, R released in frame 11, P pressed in frame 60 and again 300 frames later:
// the reload ends exactly 2.5 s of unpaused time after it began, 300 frames late,
// and the whole game is where the unpaused game was 300 frames earlier.
TEST(PlayControl, APauseStopsTheClockInTheMiddleOfAReload) {
  const std::string shot = "1 mouse 1000 384\n1 button left down\n2 button left up\n10 key R down\n11 key R up\n";
  const std::string pause = "60 key P down\n61 key P up\n361 key P down\n362 key P up\n";
  const std::string plain = Play(shot, 100);
  const double start = JsonNumber(plain, "player.reloadStart");
  const double until = JsonNumber(plain, "player.busyUntil");
  EXPECT_FLOAT_EQ(static_cast<float>(until - start), 2.5f);
  const int done = FirstFramePast(until);
  const std::string before = Play(shot + pause, done + 300 - 1);
  const std::string after = Play(shot + pause, done + 300);
  EXPECT_EQ(JsonNumber(before, "player.weaponState"), JsonNumber(plain, "player.weaponState"));
  EXPECT_NE(JsonNumber(before, "player.weaponState"), 0);
  EXPECT_EQ(JsonNumber(after, "player.weaponState"), 0);
  EXPECT_EQ(JsonNumber(after, "player.weapons.magazine"), 30);
  EXPECT_EQ(WithoutFrame(after), WithoutFrame(Play(shot, done)));
}

// F5 in frame 50, after walking and shooting: the rest of the run is a fresh start.
TEST(PlayControl, ARestartLeavesTheStateOfAFreshStart) {
  const std::string before = "1 mouse 1000 300\n1 button left down\n1 key D down\n40 key D up\n41 button left up\n";
  auto after = [](int at) {
    auto f = [at](int n) { return std::to_string(at + n); };
    return f(10) + " key S down\n" + f(40) + " key S up\n" + f(20) + " button left down\n" + f(60) + " key 2 down\n" +
           f(61) + " key 2 up\n";
  };
  const std::string restarted = Play(before + "50 key F5 down\n51 key F5 up\n" + after(50), 150);
  const std::string fresh = Play("1 mouse 1000 300\n" + after(1), 101);
  EXPECT_EQ(WithoutFrame(restarted), WithoutFrame(fresh));
  EXPECT_EQ(JsonNumber(restarted, "frame"), 150);
}

// A recording holds the pause and the restart and replays to the same state.
TEST(PlayControl, ARecordingWithAPauseAndARestartReplaysExactly) {
  TempDir dir;
  dir.Write("input.txt",
            "1 mouse 900 200\n1 button left down\n20 key P down\n21 key P up\n80 key P down\n81 key P up\n"
            "100 key F5 down\n101 key F5 up\n120 key W down\n150 button left up\n160 key W up\n");
  const std::string rec = dir.File("play.rec");
  const ProcessResult live = RunGame({"--headless", "--map", "Arena", "--frames", "200", "--seed", "3", "--input",
                                      dir.File("input.txt"), "--record", rec, "--state"});
  ASSERT_TRUE(live.Succeeded()) << live.err;
  const std::string recording = ReadAll(rec);
  EXPECT_NE(recording.find("\n20 pause\n"), std::string::npos);
  EXPECT_NE(recording.find("\n80 resume\n"), std::string::npos);
  EXPECT_NE(recording.find("\n100 restart\n100 time 1.016\n"), std::string::npos);
  const ProcessResult replay = RunGame({"--headless", "--input", rec, "--state"});
  ASSERT_TRUE(replay.Succeeded()) << replay.err;
  EXPECT_EQ(replay.out, live.out);
}

// A crafted room with a soldier and a turret in the line of fire: holding the
// trigger (with a reload) kills both; the panel's figures agree with the state.
TEST(PlayControl, TheResultsPanelCountsAClearedMap) {
  TempDir dir;
  ShareBuiltData(dir);
  dir.Write("Duel.vxmap",
            "map Duel\nheader \"Duel\"\ntile 64\nstart at 96 160\n\nlegend\n#  wall  \"Wall Concrete.png\"\n"
            ".  floor \"Floor Concrete.png\"\n\nlayer 0\n############\n#..........#\n#..........#\n"
            "#..........#\n############\n\nsoldier cell 6 2\nturret cell 9 2\n");
  ASSERT_TRUE(RunProcess({BuildDir() + "/mapc", "-o", dir.File("Data/Maps"), dir.File("Duel.vxmap")}, {}, 60.0)
                  .Succeeded());
  const std::string script = "1 mouse 1000 384\n1 button left down\n300 key R down\n301 key R up\n";
  auto run = [&](int frames, std::vector<std::string> extra) {
    std::vector<std::string> args = {"--data", dir.path(), "--draw-log", dir.File("draw.log")};
    args.insert(args.end(), extra.begin(), extra.end());
    const std::string state = Play(script, frames, args, "Duel");
    return std::make_pair(state, ReadAll(dir.File("draw.log")));
  };
  auto shows = [](const std::string& log, const std::string& text) {
    return log.find("\"text\":\"" + text) != std::string::npos;
  };
  // The panel's figures stay as they were when it opened; the time it gives finds that frame.
  const auto [late, lateLog] = run(900, {});
  ASSERT_NE(late.find("\"enemies\":[]"), std::string::npos) << late;
  ASSERT_TRUE(shows(lateLog, "cleared"));
  double taken = 0;
  const size_t at = lateLog.find("\"text\":\"time ");
  ASSERT_NE(at, std::string::npos);
  ASSERT_EQ(std::sscanf(lateLog.c_str() + at, "\"text\":\"time %lf", &taken), 1);
  int opened = 0;
  for (int f = 2; f < 900 && opened == 0; ++f) {
    if (std::abs((f * 1000 / 60 - 1000 / 60) / 1000.0 - taken) < 0.006) opened = f;
  }
  ASSERT_GT(opened, 0);
  EXPECT_FALSE(shows(run(opened - 1, {}).second, "cleared"));
  const auto [state, log] = run(opened, {});
  EXPECT_TRUE(shows(log, "cleared"));
  // The heading is in a larger pen (20 to 39 points); the figures keep the debug pen.
  EXPECT_TRUE(std::regex_search(log, std::regex("\"text\":\"cleared\",\"colour\":[0-9]+,\"pointSize\":[23][0-9],")));
  EXPECT_TRUE(shows(log, "soldiers killed 1\",\"colour\":16777215}"));
  EXPECT_TRUE(shows(log, "turrets killed 1\""));
  EXPECT_TRUE(shows(log, "grenades thrown 0\""));
  EXPECT_TRUE(shows(log, "new best time"));
  const int fired = 30 + 300 - static_cast<int>(JsonNumber(state, "player.weapons.magazine") +
                                                JsonNumber(state, "player.weapons.reserve"));
  EXPECT_TRUE(shows(log, "shots fired " + std::to_string(fired) + ", hits ")) << fired << log;
  const int lost = 150 - static_cast<int>(JsonNumber(state, "player.health") + JsonNumber(state, "player.armour"));
  EXPECT_TRUE(shows(log, "damage taken " + std::to_string(lost) + "\"")) << lost;
  // --no-results draws none of it.
  EXPECT_FALSE(shows(run(900, {"--no-results"}).second, "cleared"));
}
