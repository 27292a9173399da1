// The settings file in whole runs: a rebound key walks the soldier (and a recording
// carries its bindings to the replay), the volume keys show and save the volume.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

// Test starts at (158, 222) with free floor to its right.
ProcessResult WalkRight(const TempDir& dir, const std::string& key, std::vector<std::string> extra) {
  dir.Write("walk.txt", "1 mouse 700 384\n1 key " + key + " down\n");
  std::vector<std::string> args = {"--headless", "--map", "Test", "--frames", "20", "--state", "--input",
                                   dir.File("walk.txt")};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunGame(args);
}

}  // namespace

TEST(SettingsFile, AReboundKeyWalksTheSoldierAndTheRecordingKeepsIt) {
  TempDir dir;
  dir.Write("config/settings.ini", "[keys]\nwalk_right = RIGHT\n");
  const std::string config = dir.File("config");

  const ProcessResult keys = RunGame({"--keys", "--config", config});
  ASSERT_TRUE(keys.Succeeded()) << keys.err;
  EXPECT_NE(keys.out.find("walk_right  = RIGHT\n"), std::string::npos) << keys.out;

  const ProcessResult bound = WalkRight(dir, "RIGHT", {"--config", config, "--record", dir.File("rec.txt")});
  ASSERT_TRUE(bound.Succeeded()) << bound.err;
  EXPECT_GT(JsonNumber(bound.out, "player.x"), 158.0);
  const ProcessResult oldKey = WalkRight(dir, "D", {"--config", config});
  EXPECT_EQ(JsonNumber(oldKey.out, "player.x"), 158.0);  // D walks no more
  const ProcessResult unbound = WalkRight(dir, "RIGHT", {});
  EXPECT_EQ(JsonNumber(unbound.out, "player.x"), 158.0);  // without the settings RIGHT does nothing

  // The recording holds its bindings: it replays the same without the settings.
  EXPECT_NE(ReadAll(dir.File("rec.txt")).find("0 bind walk_right RIGHT\n"), std::string::npos);
  const ProcessResult replay = RunGame({"--headless", "--input", dir.File("rec.txt"), "--state"});
  ASSERT_TRUE(replay.Succeeded()) << replay.err;
  EXPECT_EQ(replay.out, bound.out);
}

TEST(SettingsFile, TheVolumeKeysShowTheVolumeForASecondAndSaveIt) {
  TempDir dir;
  dir.Write("keys.txt", "1 key MINUS down\n2 key MINUS up\n3 key KP_MINUS down\n4 key KP_MINUS up\n");
  auto run = [&](int frames, std::vector<std::string> extra, std::vector<std::string> env) {
    std::vector<std::string> args = {"--headless", "--map", "Test", "--frames", std::to_string(frames),
                                     "--input", dir.File("keys.txt"), "--draw-log", dir.File("draw.jsonl")};
    args.insert(args.end(), extra.begin(), extra.end());
    const ProcessResult result = RunGame(args, true, 120.0, env);
    EXPECT_TRUE(result.Succeeded()) << result.err;
    return ReadAll(dir.File("draw.jsonl"));
  };
  const std::string shown = run(10, {"--config", dir.File("config")}, {});
  EXPECT_NE(shown.find("\"text\":\"Volume 80%\""), std::string::npos) << shown;
  EXPECT_NE(ReadAll(dir.File("config/settings.ini")).find("\nvolume = 8\n"), std::string::npos);
  EXPECT_EQ(run(70, {"--config", dir.File("config")}, {}).find("Volume"), std::string::npos);  // gone after a second
  // Without --config a headless run neither reads nor writes the player's settings.
  run(10, {}, {"XDG_CONFIG_HOME=" + dir.File("xdg")});
  EXPECT_FALSE(std::filesystem::exists(dir.File("xdg")));
}
