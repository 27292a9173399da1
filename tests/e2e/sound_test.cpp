// Sound, checked through the sound log without listening: which events sound, where
// (pan) and how loud (falling with distance, nothing beyond a screen away), on
// scripted fights; and that sound, muted or not, played or not, logged or not,
// changes nothing in the game's state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/program_runner.h"
#include "base/files.h"
#include "support/json_check.h"
#include "support/xvfb_server.h"

namespace {

// Every program the e2e tests start plays into SDL's dummy audio driver, unless the
// environment names another, so windowed runs exercise the sound player on machines
// without a sound card and the tests never make noise.
[[maybe_unused]] const int kDummyAudio = setenv("SDL_AUDIODRIVER", "dummy", 0);

// A long room for scripted fights: the player starts at (160, 288) with walls of
// every material around: concrete above (row 0), metal below (row 8), computers to
// the left (column 0), a hedge up and to the right (columns 5-7, rows 1-2), and
// open floor for more than a screen to the right.
std::string SoundsMapSource() {
  std::string rows = std::string(30, '#') + "\n";
  for (int row = 1; row <= 7; ++row) {
    rows += row <= 2 ? "C....HHH" + std::string(21, '.') + "#\n" : "C" + std::string(28, '.') + "#\n";
  }
  rows += std::string(30, 'M') + "\n" + std::string(30, 'M') + "\n";
  return "map Sounds\nheader \"Sounds\"\ntile 64\nstart at 160 288\n\nlegend\n"
         "#  wall  \"Wall Concrete.png\"\nM  wall  \"Wall Metal.png\"  material 1\n"
         "C  wall  \"Wall Computer.png\"  material 2\nH  wall  \"Wall Hedge.png\"  material 3\n"
         ".  floor \"Floor Concrete.png\"\n\nlayer 0\n" +
         rows;
}

// A Data tree in a temporary folder: the built images, XML files and sounds, and the
// Sounds map compiled into it.
struct SoundWorld {
  TempDir dir;
  bool ok = false;

  SoundWorld() {
    namespace fs = std::filesystem;
    const fs::path built = fs::path(BuildDir()) / "Data";
    fs::create_directories(dir.File("Data/Maps"));
    for (const char* entry : {"GFX", "AnimationSet.xml", "Light.xml", "Sound"}) {
      fs::create_symlink(built / entry, dir.File(std::string("Data/") + entry));
    }
    dir.Write("Sounds.vxmap", SoundsMapSource());
    ok = RunProcess({BuildDir() + "/mapc", "-o", dir.File("Data/Maps"), dir.File("Sounds.vxmap")}, {}, 60.0)
             .Succeeded();
  }
};

struct Heard {
  int frame = 0;
  std::string sound;
  double pan = 0;
  double volume = 0;
};

std::vector<Heard> ReadSoundLog(const std::string& path) {
  std::vector<Heard> log;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    Heard h;
    char name[64] = {};
    EXPECT_EQ(std::sscanf(line.c_str(), "{\"frame\":%d,\"sound\":\"%63[^\"]\",\"pan\":%lf,\"volume\":%lf}",
                          &h.frame, name, &h.pan, &h.volume),
              4)
        << line;
    EXPECT_TRUE(JsonCheck::Valid(line)) << line;
    EXPECT_GE(h.pan, -1.0);
    EXPECT_LE(h.pan, 1.0);
    EXPECT_GT(h.volume, 0.0);
    EXPECT_LE(h.volume, 1.0);
    h.sound = name;
    log.push_back(h);
  }
  return log;
}

std::string Text(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  return text;
}

std::vector<Heard> Only(const std::vector<Heard>& log, const std::string& sound) {
  std::vector<Heard> out;
  for (const Heard& h : log) {
    if (h.sound == sound) out.push_back(h);
  }
  return out;
}

// Plays a map headless with a script and a sound log; the log, and the run's state
// on stdout.
struct LoggedRun {
  ProcessResult result;
  std::vector<Heard> log;
};

LoggedRun Play(const TempDir& dir, const std::string& map, const std::string& script, int frames,
               std::vector<std::string> extra = {}) {
  dir.Write("input.txt", script);
  std::vector<std::string> args = {"--headless", "--map", map, "--frames", std::to_string(frames)};
  args.insert(args.end(),
              {"--input", dir.File("input.txt"), "--state", "--sound-log", dir.File("sound.jsonl")});
  args.insert(args.end(), extra.begin(), extra.end());
  LoggedRun run{RunGame(args), {}};
  EXPECT_TRUE(run.result.Succeeded()) << run.result.err;
  run.log = ReadSoundLog(dir.File("sound.jsonl"));
  return run;
}

// The automatic fired once at each wall, near and far at the metal, then a grenade
// rolled away along the room and another thrown at the computers. Screen = world +
// (352, 96) with the player at (160, 288).
constexpr const char* kFightScript = R"(1 mouse 512 96
1 button left down
2 button left up
10 mouse 512 696
10 button left down
11 button left up
20 mouse 352 384
20 button left down
21 button left up
30 mouse 768 192
30 button left down
31 button left up
40 mouse 972 656
40 button left down
41 button left up
50 key 2 down
51 key 2 up
52 mouse 1000 384
52 button left down
53 button left up
180 mouse 100 384
180 button left down
181 button left up
)";

}  // namespace

TEST(SoundLog, AScriptedFightIsHeardWhereItHappens) {
  SoundWorld world;
  ASSERT_TRUE(world.ok);
  const LoggedRun run = Play(world.dir, "Sounds", kFightScript, 500, {"--data", world.dir.path()});
  // Five automatic shots at the muzzle, 50 px from the player: near the centre, full gain.
  const std::vector<Heard> shots = Only(run.log, "automatic");
  ASSERT_EQ(shots.size(), 5u);
  for (size_t i = 0; i < shots.size(); ++i) {
    EXPECT_EQ(shots[i].frame, i == 0 ? 1 : 10 * static_cast<int>(i));
    EXPECT_LT(std::abs(shots[i].pan), 0.1);
    EXPECT_DOUBLE_EQ(shots[i].volume, 0.7);
  }
  // Each wall answers with its material, in the order it was shot at.
  std::vector<std::string> impacts;
  for (const Heard& h : run.log) {
    if (h.sound.rfind("impact_", 0) == 0) impacts.push_back(h.sound);
  }
  EXPECT_EQ(impacts, (std::vector<std::string>{"impact_dust", "impact_metal", "impact_electronics",
                                               "impact_vegetation", "impact_metal"}));
  // The metal below the player is louder than the metal 500 px down and to the right,
  // which sits at the right of the stereo field.
  const std::vector<Heard> metal = Only(run.log, "impact_metal");
  ASSERT_EQ(metal.size(), 2u);
  EXPECT_GT(metal[0].volume, metal[1].volume + 0.1);
  EXPECT_LT(std::abs(metal[0].pan), 0.1);
  EXPECT_GT(metal[1].pan, 0.7);
  EXPECT_LT(Only(run.log, "impact_electronics")[0].pan, 0.0);  // to the left

  // Two launches; the second grenade bounces off the computers and rolls right.
  const std::vector<Heard> launches = Only(run.log, "grenade_launcher");
  ASSERT_EQ(launches.size(), 2u);
  EXPECT_EQ(launches[0].frame, 52);
  EXPECT_EQ(launches[1].frame, 180);
  ASSERT_EQ(Only(run.log, "grenade_bounce").size(), 1u);
  EXPECT_LT(Only(run.log, "grenade_bounce")[0].pan, 0.0);
  // The first grenade lies more than a screen away when its fuse runs out (frame 352):
  // its explosion is not heard. The second goes off five seconds after its launch.
  const LoggedRun lying = Play(world.dir, "Sounds", kFightScript, 340, {"--data", world.dir.path()});
  const double gx = JsonNumber(lying.result.out, "grenades.x");
  const double gy = JsonNumber(lying.result.out, "grenades.y");
  EXPECT_GT(std::hypot(gx - 160.0, gy - 288.0), 1024.0);
  const std::vector<Heard> explosions = Only(run.log, "explosion");
  ASSERT_EQ(explosions.size(), 1u);
  EXPECT_EQ(explosions[0].frame, 181 + 300);
  EXPECT_GT(explosions[0].pan, 0.0);
  EXPECT_LT(explosions[0].volume, 1.0);
  EXPECT_EQ(run.log.size(), 5u + 5u + 2u + 1u + 1u);  // nothing else
}

TEST(SoundLog, AnEmptyMagazineClicksOncePerPressAndReloadsAreHeard) {
  SoundWorld world;
  ASSERT_TRUE(world.ok);
  // Thirty shots at the computers, two presses on the empty magazine, a reload.
  const LoggedRun run = Play(world.dir, "Sounds",
                             "1 mouse 352 384\n1 button left down\n230 button left up\n240 button left down\n"
                             "250 button left up\n260 button left down\n261 button left up\n270 key R down\n"
                             "271 key R up\n",
                             450, {"--data", world.dir.path()});
  EXPECT_EQ(Only(run.log, "automatic").size(), 30u);
  // The button still held after the last round gives no click; each later press one.
  const std::vector<Heard> clicks = Only(run.log, "empty_click");
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0].frame, 240);
  EXPECT_EQ(clicks[1].frame, 260);
  const std::vector<Heard> start = Only(run.log, "reload_start");
  const std::vector<Heard> end = Only(run.log, "reload_end");
  ASSERT_EQ(start.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(start[0].frame, 271);
  EXPECT_NEAR(end[0].frame - start[0].frame, 150, 2);  // 2.5 s
  EXPECT_EQ(JsonNumber(run.result.out, "player.weapons.magazine"), 30);
}

// The door walk of Test: footsteps while walking, the door heard opening and
// closing right of the player.
TEST(SoundLog, FootstepsAndDoors) {
  TempDir dir;
  const LoggedRun run = Play(dir, "Test",
                             "1 mouse 700 384\n1 key D down\n55 key D up\n56 key E down\n57 key E up\n"
                             "120 key E down\n121 key E up\n",
                             200);
  const std::vector<Heard> steps = Only(run.log, "footstep");
  EXPECT_GE(steps.size(), 3u);
  for (const Heard& h : steps) {
    EXPECT_LE(h.frame, 55);  // only while walking
    EXPECT_DOUBLE_EQ(h.pan, 0.0);
  }
  const std::vector<Heard> opened = Only(run.log, "door_open");
  const std::vector<Heard> closed = Only(run.log, "door_close");
  ASSERT_EQ(opened.size(), 1u);
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(opened[0].frame, 57);
  EXPECT_EQ(closed[0].frame, 121);
  EXPECT_GT(opened[0].pan, 0.05);
  EXPECT_DOUBLE_EQ(opened[0].volume, closed[0].volume);
}

// Arena: the soldiers gathered round the shelter fire at its metal walls; the turrets
// stand too far away to fire.
TEST(SoundLog, SoldiersAreHeardFiringAtTheShelter) {
  TempDir dir;
  const LoggedRun run = Play(dir, "Arena", "", 300);
  EXPECT_GE(Only(run.log, "soldier_shot").size(), 5u);
  EXPECT_GE(Only(run.log, "impact_metal").size(), 5u);
  EXPECT_TRUE(Only(run.log, "turret_shot").empty());
  EXPECT_EQ(Only(run.log, "soldier_shot").size() + Only(run.log, "impact_metal").size(), run.log.size());
}

// The same fight with the sound log or not, muted or not, M pressed or not: the same
// state, and the same log whatever else.
TEST(Sound, TheGameIsTheSameWithOrWithoutSound) {
  SoundWorld world;
  ASSERT_TRUE(world.ok);
  const std::vector<std::string> data = {"--data", world.dir.path(), "--seed", "9"};
  auto state = [&](std::vector<std::string> extra, const std::string& script = kFightScript) {
    world.dir.Write("input.txt", script);
    std::vector<std::string> args = {
        "--headless", "--map", "Sounds", "--frames", "400", "--input", world.dir.File("input.txt"),
        "--state"};
    args.insert(args.end(), data.begin(), data.end());
    args.insert(args.end(), extra.begin(), extra.end());
    const ProcessResult result = RunGame(args);
    EXPECT_TRUE(result.Succeeded()) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    return result.out;
  };
  const std::string plain = state({});
  ASSERT_TRUE(JsonCheck::Valid(plain));
  EXPECT_EQ(state({"--sound-log", world.dir.File("a.jsonl")}), plain);
  EXPECT_EQ(state({"--mute"}), plain);
  EXPECT_EQ(state({"--mute", "--sound-log", world.dir.File("b.jsonl")}), plain);
  // M released twice during the fight: muted, then heard again; the log goes on.
  const std::string withM =
      std::string(kFightScript) + "60 key M down\n61 key M up\n200 key M down\n201 key M up\n";
  EXPECT_EQ(state({"--sound-log", world.dir.File("c.jsonl")}, withM), plain);
  const std::string logA = Text(world.dir.File("a.jsonl"));
  EXPECT_FALSE(logA.empty());
  EXPECT_EQ(Text(world.dir.File("b.jsonl")), logA);
  EXPECT_EQ(Text(world.dir.File("c.jsonl")), logA);
}

// A live window plays the fight into the dummy driver, or finds no audio device at
// all: either way the same state and the same log as headless (the recorded clock
// makes the windowed runs exact), and a missing device is reported only with --verbose.
TEST(Sound, WindowedRunsPlayOrStaySilentWithoutChangingTheGame) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.ok()) << server.error();
  SoundWorld world;
  ASSERT_TRUE(world.ok);
  std::string script = "0 seed 4\n";
  for (int frame = 1; frame <= 120; ++frame) {
    script += std::to_string(frame) + " time " + std::to_string(1.0 + frame / 60.0) + "\n";
  }
  world.dir.Write("timed.txt", script + kFightScript);
  auto run = [&](const std::string& log, std::vector<std::string> extra, std::vector<std::string> env) {
    std::vector<std::string> args = {
        "--map",   "Sounds", "--frames",       "120",         "--input",          world.dir.File("timed.txt"),
        "--state", "--data", world.dir.path(), "--sound-log", world.dir.File(log)};
    args.insert(args.end(), extra.begin(), extra.end());
    if (extra.empty() || extra[0] != "--headless") env.push_back(server.displayEnv());
    const ProcessResult result = RunGame(args, true, 120.0, env);
    EXPECT_TRUE(result.Succeeded()) << result.err;
    return result;
  };
  const ProcessResult headless = run("headless.jsonl", {"--headless"}, {});
  const ProcessResult played = run("played.jsonl", {"--verbose"}, {"SDL_AUDIODRIVER=dummy"});
  const ProcessResult muted = run("muted.jsonl", {"--mute"}, {"SDL_AUDIODRIVER=dummy"});
  const ProcessResult none = run("none.jsonl", {}, {"SDL_AUDIODRIVER=no-such-driver"});
  const ProcessResult noneVerbose = run("none2.jsonl", {"--verbose"}, {"SDL_AUDIODRIVER=no-such-driver"});
  // The dummy device opened and every sound loaded: --verbose says only which renderer draws.
  const std::string playedErr = played.err.substr(played.err.find('\n') + 1);
  EXPECT_NE(played.err.find("drawing with"), std::string::npos) << played.err;
  EXPECT_TRUE(playedErr.empty()) << played.err;
  EXPECT_TRUE(none.err.empty()) << none.err;
  EXPECT_NE(noneVerbose.err.find("no sound is played"), std::string::npos) << noneVerbose.err;
  ASSERT_TRUE(JsonCheck::Valid(headless.out));
  EXPECT_GE(ReadSoundLog(world.dir.File("headless.jsonl")).size(), 10u);
  for (const ProcessResult* windowed : {&played, &muted, &none, &noneVerbose}) {
    EXPECT_EQ(windowed->out, headless.out);
  }
  for (const char* log : {"played.jsonl", "muted.jsonl", "none.jsonl"}) {
    EXPECT_EQ(Text(world.dir.File(log)), Text(world.dir.File("headless.jsonl"))) << log;
  }
}

TEST(Sound, AHeadlessRunSaysItPlaysNothingOnlyWhenVerbose) {
  const ProcessResult quiet = RunGame({"--headless", "--map", "Test", "--frames", "2"});
  const ProcessResult verbose = RunGame({"--headless", "--map", "Test", "--frames", "2", "--verbose"});
  ASSERT_TRUE(quiet.Succeeded());
  ASSERT_TRUE(verbose.Succeeded());
  EXPECT_TRUE(quiet.err.empty()) << quiet.err;
  EXPECT_NE(verbose.err.find("no sound is played in a headless run"), std::string::npos) << verbose.err;
  TempDir dir;
  const ProcessResult unwritable =
      RunGame({"--headless", "--map", "Test", "--frames", "2", "--sound-log", dir.File("no/such/dir/log")});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find("cannot write the sound log"), std::string::npos) << unwritable.err;
}
