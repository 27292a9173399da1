// Whole-program runs of vexmoor-soft without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

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
    // The one line a headless run writes with --verbose: it plays no sound.
    EXPECT_EQ(run.err, "vexmoor-soft: no sound is played in a headless run\n")
        << map << " reported load failures: " << run.err;
    EXPECT_TRUE(JsonCheck::Valid(run.out));
  }
}

// Fully lit (F9), the floor and walls of every shipped map reach the screen's right
// and bottom edges from the start position: wherever the map lies on the screen,
// every pixel column of it is mostly drawn, not black.
TEST(Headless, F9LitMapCoversTheWholeScreen) {
  TempDir dir;
  const std::string script = Script(dir, "1 key F9 down\n2 key F9 up\n");
  for (const char* map : {"Test", "Bunker", "Arena"}) {
    SCOPED_TRACE(map);
    const ProcessResult run = RunGame({"--headless", "--map", map, "--frames", "5", "--input", script, "--state",
                                       "--screenshot", dir.File("lit.png")});
    ASSERT_TRUE(run.Succeeded()) << run.err;
    Image shot;
    ASSERT_TRUE(LoadPngFile(dir.File("lit.png"), shot));
    const int tile = static_cast<int>(JsonNumber(run.out, "map.tileSize"));
    const int cameraX = static_cast<int>(JsonNumber(run.out, "camera.x"));
    const int cameraY = static_cast<int>(JsonNumber(run.out, "camera.y"));
    const int columns = static_cast<int>(JsonNumber(run.out, "map.lastColumn")) + 1;
    const int rows = static_cast<int>(JsonNumber(run.out, "map.lastRow")) + 1;
    // The map's rectangle on the screen; outside it the background stays black.
    const int x0 = std::max(0, -cameraX), x1 = std::min(1024, columns * tile - cameraX);
    const int y0 = std::max(0, -cameraY), y1 = std::min(768, rows * tile - cameraY);
    ASSERT_GT(x1 - x0, 256);
    ASSERT_GT(y1 - y0, 256);
    EXPECT_EQ(x1, 1024);  // every shipped map goes on past the right edge from its start
    int blackColumns = 0;
    for (int x = x0; x < x1; ++x) {
      int black = 0;
      for (int y = y0; y < y1; ++y) {
        const uint8_t* p = shot.Pixel(x, y);
        if (p[0] + p[1] + p[2] < 12) ++black;
      }
      if (black * 2 > y1 - y0) ++blackColumns;
    }
    EXPECT_EQ(blackColumns, 0) << "columns of the map left black, from x " << x0 << " to " << x1;
  }
}

// A headless run always ends: without --frames, 60 frames after the script's last
// event (or after 60 frames without a script), with status 0.
TEST(Headless, WithoutFramesTheRunEndsSixtyFramesAfterTheLastEvent) {
  TempDir dir;
  const ProcessResult scripted = RunGame({"--headless", "--map", "Test", "--state", "--input",
                                          Script(dir, "3 key W down\n20 key W up\n")}, true, 60.0);
  ASSERT_TRUE(scripted.Succeeded()) << scripted.err;
  EXPECT_EQ(JsonNumber(scripted.out, "frame"), 80);
  EXPECT_EQ(JsonNumber(scripted.out, "quitRequested"), 0);
  const ProcessResult bare = RunGame({"--headless", "--map", "Test", "--state"}, true, 60.0);
  ASSERT_TRUE(bare.Succeeded()) << bare.err;
  EXPECT_EQ(JsonNumber(bare.out, "frame"), 60);
  // --frames still rules when it is given.
  const ProcessResult counted = RunGame({"--headless", "--map", "Test", "--state", "--frames", "7", "--input",
                                         Script(dir, "300 key W down\n")}, true, 60.0);
  ASSERT_TRUE(counted.Succeeded()) << counted.err;
  EXPECT_EQ(JsonNumber(counted.out, "frame"), 7);
}

// Start positions at the ends of the 32-bit range: the camera, the cursor's world
// position and the visible window are worked out without overflow (a sanitizer
// build stops at the first one), and the cursor's world position is held in range.
TEST(Headless, ExtremeStartPositionsPlayWithoutOverflow) {
  namespace fs = std::filesystem;
  TempDir dir;
  ShareBuiltData(dir);
  auto i32 = [](int32_t v) { return MapField32(static_cast<uint32_t>(v)); };
  const std::string script = Script(dir, "1 mouse 1000 700\n2 key F9 down\n3 key F9 up\n4 key D down\n");
  // {start x, start y, the cursor's world x after the run}
  for (const auto& [x, y, worldX] : std::initializer_list<std::tuple<int32_t, int32_t, double>>{
           {INT32_MAX, INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN + 700, INT32_MIN + 1000}}) {
    fs::copy_file(fs::path(BuildDir()) / "Data" / "Maps" / "Test_TileSet.xml", dir.File("Data/Maps/Far_TileSet.xml"),
                  fs::copy_options::overwrite_existing);
    std::string bytes = std::string(4, '\0') + "far\r\n" + '\x40' + i32(9) + i32(9) + '\0' + i32(x) + i32(y);
    for (int cell = 0; cell < 100; ++cell) bytes += i32(1001) + std::string(3, '\0');
    dir.Write("Data/Maps/Far.map", bytes + i32(0) + i32(0));
    const ProcessResult run = RunGame(
        {"--headless", "--data", dir.path(), "--map", "Far", "--frames", "10", "--input", script, "--state"});
    ASSERT_TRUE(run.Succeeded()) << x << ": " << run.err;
    EXPECT_EQ(JsonNumber(run.out, "mouse.worldX"), worldX) << x;
    EXPECT_GT(JsonNumber(run.out, "map.firstVisibleColumn"), JsonNumber(run.out, "map.lastVisibleColumn")) << x;
  }
}

TEST(Headless, HostileMapsAreRefusedWithAMessage) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("Data/Maps"));
  dir.Write("Data/Maps/Bad_TileSet.xml", "<TileSet/>");
  // Tile size 64, then {last column, last row, last layer}: 2^31 columns of 17 rows is
  // far more cells than a map may have; 2 x 2^31 x 2^31 = 2^63 and 256 x 2^28 x 2^28
  // = 2^64 wrap a 64-bit cell count.
  for (const auto& [column, row, layer] : std::initializer_list<std::tuple<uint32_t, uint32_t, uint8_t>>{
           {0x7fffffff, 16, 0}, {0x7fffffff, 0x7fffffff, 1}, {(1u << 28) - 1, (1u << 28) - 1, 255}}) {
    std::string bytes(4, '\0');
    bytes += "hostile\n";
    bytes += '\x40';
    bytes += MapField32(column) + MapField32(row) + static_cast<char>(layer) + MapField32(96) + MapField32(96);
    dir.Write("Data/Maps/Bad.map", bytes);
    const ProcessResult run = RunGame({"--headless", "--data", dir.path(), "--map", "Bad", "--frames", "2"});
    EXPECT_EQ(run.exitCode, 1) << column << " " << row << " " << int{layer} << ": " << run.err;
    EXPECT_EQ(run.signal, 0);
    EXPECT_NE(run.err.find("Bad"), std::string::npos);
    EXPECT_NE(run.err.find("refused"), std::string::npos) << run.err;
  }
}
