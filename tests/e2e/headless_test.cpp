// Whole-program runs of vexmoor-soft without a window.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

std::string Script(const TempDir& dir, const std::string& text) {
  dir.Write("input.txt", text);
  return dir.File("input.txt");
}

Image Screenshot(const TempDir& dir, const std::vector<std::string>& extra) {
  std::vector<std::string> args = {"--headless", "--map", "Test", "--screenshot", dir.File("shot.png")};
  args.insert(args.end(), extra.begin(), extra.end());
  const ProcessResult run = RunGame(args);
  EXPECT_TRUE(run.Succeeded()) << run.err;
  Image image;
  EXPECT_TRUE(LoadPngFile(dir.File("shot.png"), image));
  return image;
}

}  // namespace

TEST(Headless, StatePrintsOneValidJsonObject) {
  const ProcessResult run = RunGame({"--headless", "--map", "Test", "--frames", "60", "--state"});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  EXPECT_TRUE(JsonCheck::Valid(run.out)) << run.out;
  EXPECT_EQ(JsonNumber(run.out, "frame"), 60);
  EXPECT_NEAR(JsonNumber(run.out, "now"), 2.0, 1e-6);
  EXPECT_EQ(JsonNumber(run.out, "toggles.lightingOn"), 1);
  EXPECT_EQ(JsonNumber(run.out, "map.tileSize"), 64);
  EXPECT_NE(run.out.find("\"doors\":[{"), std::string::npos);
  EXPECT_NE(run.out.find("\"lights\":[{"), std::string::npos);
  // The same seed and script give the same state.
  const ProcessResult again = RunGame({"--headless", "--map", "Test", "--frames", "60", "--state"});
  EXPECT_EQ(run.out, again.out);
}

TEST(Headless, UsageErrorsAndMissingMaps) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--bogus"}, {"--frames", "ten", "--headless", "--map", "Test"},
        {"--headless", "--frames", "3"}, {"--map"}}) {
    const ProcessResult run = RunGame(args);
    EXPECT_EQ(run.exitCode, 2) << args[0];
    EXPECT_NE(run.err.find("Usage:"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  const ProcessResult missing = RunGame({"--headless", "--map", "NoSuchMap", "--frames", "1"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("NoSuchMap"), std::string::npos);
  const ProcessResult help = RunGame({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--headless"), std::string::npos);
  TempDir dir;
  const ProcessResult script =
      RunGame({"--headless", "--map", "Test", "--frames", "3", "--input", Script(dir, "1 key W down\n2 key Q9 up\n")});
  EXPECT_EQ(script.exitCode, 2);
  EXPECT_NE(script.err.find("line 2"), std::string::npos) << script.err;
}

TEST(Headless, EscapeEndsTheGameAfterItsFrame) {
  TempDir dir;
  const ProcessResult run = RunGame({"--headless", "--map", "Test", "--frames", "500", "--state", "--input",
                                     Script(dir, "5 key ESCAPE down\n9 key escape up\n")});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  EXPECT_EQ(JsonNumber(run.out, "frame"), 9);
  EXPECT_EQ(JsonNumber(run.out, "quitRequested"), 1);
}

TEST(Headless, LightingPassDarkensAndF9LightsTheWholeScene) {
  TempDir dir;
  const Image dark = Screenshot(dir, {"--frames", "30"});
  ASSERT_EQ(dark.width, 1024);
  ASSERT_EQ(dark.height, 768);
  const Image lit = Screenshot(dir, {"--frames", "30", "--input", Script(dir, "1 key F9 down\n2 key F9 up\n")});
  const double darkMean = MeanBrightness(dark, 0, 0, 1024, 768);
  const double litMean = MeanBrightness(lit, 0, 0, 1024, 768);
  EXPECT_GT(darkMean, 3.0);              // not a black screen: lights show
  EXPECT_GT(litMean, darkMean * 1.5);    // fully lit is brighter
  EXPECT_GT(BrightShare(dark, 100), 0.01);  // lit pools
  EXPECT_LT(BrightShare(dark, 100), BrightShare(lit, 100));
}

TEST(Headless, F11ShowsTheDebugOverlay) {
  TempDir dir;
  const Image plain = Screenshot(dir, {"--frames", "6"});
  const Image overlay = Screenshot(dir, {"--frames", "6", "--input", Script(dir, "2 key F11 down\n3 key F11 up\n")});
  // The green panel at (0, 200), 256x128, drawn after the lighting pass.
  double greenPlain = 0, greenOverlay = 0;
  for (int y = 210; y < 320; ++y) {
    for (int x = 5; x < 250; ++x) {
      greenPlain += plain.Pixel(x, y)[1];
      greenOverlay += overlay.Pixel(x, y)[1];
    }
  }
  EXPECT_GT(greenOverlay, greenPlain * 1.5 + 1000);
}

TEST(Headless, EveryShippedMapLoadsAndRuns) {
  for (const char* map : {"Test", "Bunker", "Arena"}) {
    const ProcessResult run = RunGame({"--headless", "--map", map, "--frames", "3", "--state", "--verbose"});
    EXPECT_TRUE(run.Succeeded()) << map << ": " << run.err;
    EXPECT_TRUE(run.err.empty()) << map << " reported load failures: " << run.err;
    EXPECT_TRUE(JsonCheck::Valid(run.out));
  }
}

TEST(Headless, HostileMapIsRefusedWithAMessage) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("Data/Maps"));
  dir.Write("Data/Maps/Bad_TileSet.xml", "<TileSet/>");
  // Tile size 64, 2^31 - 1 columns: far more cells than a map may have.
  std::string bytes(4, '\0');
  bytes += "hostile\n";
  bytes += '\x40';
  bytes += std::string("\xff\xff\xff\x7f", 4) + std::string("\x10\0\0\0", 4) + '\0';
  dir.Write("Data/Maps/Bad.map", bytes);
  const ProcessResult run = RunGame({"--headless", "--data", dir.path(), "--map", "Bad", "--frames", "2"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Bad"), std::string::npos);
  EXPECT_NE(run.err.find("refused"), std::string::npos) << run.err;
}
