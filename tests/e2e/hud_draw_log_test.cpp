// The HUD of a whole headless run, read from its draw log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

struct Logged {
  bool text = false;
  int sprite = 0, x = 0, y = 0, width = 0, height = 0, alpha = 0, source = 0, destination = 0;
  std::string line;
};

std::vector<Logged> ReadDrawLog(const std::string& path) {
  std::vector<Logged> log;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    EXPECT_TRUE(JsonCheck::Valid(line)) << line;
    Logged entry;
    entry.text = line.find("\"kind\":\"text\"") != std::string::npos;
    auto number = [&](const char* key) { return static_cast<int>(JsonNumber(line, key)); };
    entry.x = number("x");
    entry.y = number("y");
    if (!entry.text) {
      EXPECT_NE(line.find("\"kind\":\"sprite\""), std::string::npos) << line;
      entry.sprite = number("sprite");
      entry.width = number("width");
      entry.height = number("height");
      entry.alpha = number("alpha");
      entry.source = number("blendSource");
      entry.destination = number("blendDestination");
    }
    entry.line = line;
    log.push_back(entry);
  }
  return log;
}

// The HUD of the first frames on Test: health 100, armour 50, the automatic with 300
// rounds in reserve and 30 in the magazine, ready to fire.
struct Expected {
  int sprite, x, y, alpha = 255;
};
std::vector<Expected> StartHud(int weaponIconX) {
  std::vector<Expected> hud = {{1, 20, 0},    {23, 110, 24}, {22, 142, 24},         {22, 174, 24},
                               {2, 280, 16},  {22, 350, 24}, {27, 382, 24},         {22, 414, 24},
                               {15, 500, 32}, {7, weaponIconX, 20}, {3, 580, 16},   {25, 650, 24},
                               {22, 682, 24}, {22, 714, 24}};
  for (int i = 1; i <= 30; ++i) hud.push_back({4, 996 - 8 * i, 80});
  hud.push_back({19, 860, 600});
  hud.push_back({32, 256, 700, 180});
  return hud;
}

// Index of the one darkness quad of the logged frame.
size_t DarknessIndex(const std::vector<Logged>& log) {
  size_t found = log.size();
  int count = 0;
  for (size_t i = 0; i < log.size(); ++i) {
    if (!log[i].text && log[i].sprite == 2000) {
      found = i;
      ++count;
    }
  }
  EXPECT_EQ(count, 1) << "the log holds one frame";
  return found;
}

}  // namespace

TEST(HudDrawLog, HudFollowsTheDarknessInItsOrderUnderNormalBlending) {
  TempDir dir;
  const ProcessResult run =
      RunGame({"--headless", "--map", "Test", "--frames", "3", "--draw-log", dir.File("draws.jsonl")});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  const std::vector<Logged> log = ReadDrawLog(dir.File("draws.jsonl"));
  const size_t dark = DarknessIndex(log);
  ASSERT_LT(dark, log.size());
  EXPECT_EQ(log[dark].source, 3);
  EXPECT_EQ(log[dark].destination, 9);

  std::vector<Logged> hud(log.begin() + static_cast<long>(dark) + 1, log.end());
  if (!hud.empty() && hud.front().sprite == 16) hud.erase(hud.begin());  // the door prompt, if faced
  const auto icon = std::find_if(hud.begin(), hud.end(), [](const Logged& l) { return l.sprite == 7; });
  ASSERT_NE(icon, hud.end());
  EXPECT_GT(icon->width, 0);
  const std::vector<Expected> expected = StartHud(1000 - icon->width);  // right-aligned to 1000
  ASSERT_EQ(hud.size(), expected.size());
  for (size_t i = 0; i < hud.size(); ++i) {
    EXPECT_FALSE(hud[i].text);
    EXPECT_EQ(hud[i].sprite, expected[i].sprite) << i;
    EXPECT_EQ(hud[i].x, expected[i].x) << hud[i].line;
    EXPECT_EQ(hud[i].y, expected[i].y) << hud[i].line;
    EXPECT_EQ(hud[i].alpha, expected[i].alpha) << hud[i].line;
    EXPECT_EQ(hud[i].source, 5) << hud[i].line;
    EXPECT_EQ(hud[i].destination, 6) << hud[i].line;
  }
  EXPECT_EQ(hud.back().width, 512);
  EXPECT_EQ(hud.back().height, 20);
}

TEST(HudDrawLog, DebugOverlayAfterTheHudAndTextLast) {
  TempDir dir;
  dir.Write("input.txt", "1 key F11 down\n2 key F11 up\n");
  const ProcessResult run = RunGame({"--headless", "--map", "Test", "--frames", "3", "--input", dir.File("input.txt"),
                                     "--draw-log", dir.File("draws.jsonl")});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  const std::vector<Logged> log = ReadDrawLog(dir.File("draws.jsonl"));
  const auto strip = std::find_if(log.begin(), log.end(), [](const Logged& l) { return l.sprite == 32; });
  ASSERT_NE(strip, log.end());
  ASSERT_GE(log.end() - strip, 5);  // the panel, then the three lines of text
  const Logged& panel = strip[1];
  EXPECT_EQ(panel.sprite, 20);
  EXPECT_EQ(panel.x, 0);
  EXPECT_EQ(panel.y, 200);
  EXPECT_EQ(panel.width, 256);
  EXPECT_EQ(panel.height, 128);
  EXPECT_TRUE(strip[2].text);
  EXPECT_NE(strip[2].line.find("\"text\":\"Debug\""), std::string::npos) << strip[2].line;
  EXPECT_EQ(strip[2].x, 20);
  EXPECT_EQ(strip[2].y, 200);
  for (auto it = strip + 2; it != log.end(); ++it) EXPECT_TRUE(it->text) << it->line;
}

std::vector<Logged> Sprites(const std::vector<Logged>& log, int sprite) {
  std::vector<Logged> found;
  for (const Logged& l : log) {
    if (!l.text && l.sprite == sprite) found.push_back(l);
  }
  return found;
}

// A shot in frame 1 (the automatic: 0.1 s between shots) and a reload started in
// frame 11 (2.5 s), logged at chosen frames.
TEST(HudDrawLog, ShotHidesTheReadySignAndTheReloadBarGrows) {
  TempDir dir;
  dir.Write("input.txt", "1 mouse 700 384\n1 button left down\n2 button left up\n10 key R down\n11 key R up\n");
  auto logAt = [&](int frames) {
    const ProcessResult run = RunGame({"--headless", "--map", "Test", "--frames", std::to_string(frames), "--input",
                                       dir.File("input.txt"), "--draw-log", dir.File("draws.jsonl")});
    EXPECT_TRUE(run.Succeeded()) << run.err;
    return ReadDrawLog(dir.File("draws.jsonl"));
  };
  for (const auto& [frames, ready] : {std::pair{2, false}, {7, false}, {8, true}}) {
    const std::vector<Logged> log = logAt(frames);
    EXPECT_EQ(Sprites(log, 15).size(), ready ? 1u : 0u) << "frame " << frames;
    EXPECT_EQ(Sprites(log, 4).size(), 29u) << "frame " << frames;
    EXPECT_TRUE(Sprites(log, 11).empty());
  }
  const std::vector<Logged> halfWay = logAt(11 + 75);  // 1.25 s into the reload
  const std::vector<Logged> bar = Sprites(halfWay, 11);
  ASSERT_EQ(bar.size(), 1u);
  EXPECT_EQ(bar[0].x, 384);
  EXPECT_EQ(bar[0].y, 468);
  EXPECT_EQ(bar[0].width, 128);
  EXPECT_EQ(bar[0].height, 16);
  EXPECT_EQ(Sprites(halfWay, 10).size(), 1u);
  EXPECT_EQ(Sprites(halfWay, 14).size(), 1u);
  EXPECT_TRUE(Sprites(halfWay, 15).empty());
}

// Arena: out of the shelter and through its door, the crosshair on a soldier that a
// burst has wounded. Its health line sits 8 px above its square, as wide as the
// enemy (the frame) with the bar cut to its health, both after the darkness.
TEST(HudDrawLog, HoveredEnemyShowsItsHealthAboveItsSquare) {
  TempDir dir;
  dir.Write("input.txt",
            "1 mouse 512 100\n1 key W down\n25 key W up\n30 key E down\n31 key E up\n100 button left down\n");
  const ProcessResult run = RunGame({"--headless", "--map", "Arena", "--frames", "300", "--input",
                                     dir.File("input.txt"), "--state", "--draw-log", dir.File("draws.jsonl")});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  const std::vector<Logged> log = ReadDrawLog(dir.File("draws.jsonl"));
  const int hovered = static_cast<int>(JsonNumber(run.out, "hoveredEnemy"));
  ASSERT_GE(hovered, 0) << "the crosshair rests on no enemy";
  const std::string enemies = run.out.substr(run.out.find("\"enemies\""));
  size_t at = 0;
  for (int i = 0; i <= hovered; ++i) at = enemies.find("{", at + 1);
  const std::string enemy = enemies.substr(at);
  const int health = static_cast<int>(JsonNumber(enemy, "health"));
  ASSERT_GT(health, 0);
  ASSERT_LT(health, 100) << "the soldier was meant to be wounded";

  const std::vector<Logged> bar = Sprites(log, 13), frame = Sprites(log, 12);
  ASSERT_EQ(bar.size(), 1u);
  ASSERT_EQ(frame.size(), 1u);
  const Logged& f = frame[0];
  EXPECT_EQ(f.height, 8);
  EXPECT_EQ(bar[0].height, 8);
  EXPECT_EQ(bar[0].width, f.width * health / 100);
  const double half = f.width / 2.0;
  EXPECT_EQ(f.x, std::lround(JsonNumber(enemy, "x") - half - JsonNumber(run.out, "camera.x")));
  EXPECT_EQ(f.y, std::lround(JsonNumber(enemy, "y") - half - JsonNumber(run.out, "camera.y") - 8));
  EXPECT_EQ(bar[0].x, f.x);
  EXPECT_EQ(bar[0].y, f.y);
  const size_t dark = DarknessIndex(log);
  const auto first = std::find_if(log.begin(), log.end(), [](const Logged& l) { return l.sprite == 13; });
  EXPECT_GT(first - log.begin(), static_cast<long>(dark));
  EXPECT_EQ(first[1].sprite, 12) << "the frame is drawn over the bar";
}

// Arena, lighting off (F9) and the trigger held for a minute: the flashes whose time
// ran out in the dark are gone, and the first lit frame draws only those still running.
TEST(HudDrawLog, FlashesInTheDarkEndOnTimeAndTheFirstLitFrameShowsOnlyTheLiveOnes) {
  TempDir dir;
  const std::string fire = "1 mouse 512 100\n2 key F9 down\n3 key F9 up\n5 button left down\n";
  dir.Write("dark.txt", fire);
  dir.Write("lit.txt", fire + "3600 key F9 down\n3601 key F9 up\n");
  auto count = [](const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  const ProcessResult dark = RunGame(
      {"--headless", "--map", "Arena", "--frames", "3600", "--input", dir.File("dark.txt"), "--state"}, true, 300.0);
  ASSERT_TRUE(dark.Succeeded()) << dark.err;
  EXPECT_EQ(JsonNumber(dark.out, "toggles.lightingOn"), 0);
  const std::string timed = dark.out.substr(dark.out.find("\"timedLights\""));
  const std::string list = timed.substr(0, timed.find(']'));
  const size_t running = count(list, "expiresAt");
  EXPECT_LT(running, 60u) << "a minute of flashes is about 2,000";
  const double now = JsonNumber(dark.out, "now");
  for (size_t at = list.find("expiresAt"); at != std::string::npos; at = list.find("expiresAt", at + 1)) {
    EXPECT_GE(JsonNumber(list.substr(at - 1), "expiresAt"), now) << "an ended flash kept";
  }

  // F9 takes effect after the frame it is released in: frame 3602 is the first lit one.
  const ProcessResult lit = RunGame({"--headless", "--map", "Arena", "--frames", "3602", "--input",
                                     dir.File("lit.txt"), "--draw-log", dir.File("draws.jsonl")},
                                    true, 300.0);
  ASSERT_TRUE(lit.Succeeded()) << lit.err;
  const std::vector<Logged> log = ReadDrawLog(dir.File("draws.jsonl"));
  const size_t darkness = DarknessIndex(log);
  size_t flashes = 0;
  for (size_t i = 0; i < darkness && i < log.size(); ++i) {
    if (log[i].source == 9 && (log[i].sprite == 59 || log[i].sprite == 60)) ++flashes;
  }
  EXPECT_GT(flashes, 0u) << "the trigger is held: some flash is running";
  EXPECT_LT(flashes, 60u);
}

// A corridor 530 cells of 64 px long (33,920 px): a turret near its east end, past x
// 32767, is hovered like any other and shows its health line.
TEST(HudDrawLog, EnemyBeyondSixteenBitCoordinatesIsHovered) {
  TempDir dir;
  ShareBuiltData(dir);
  const std::string wall(530, '#'), hall = "#" + std::string(528, '.') + "#\n";
  std::string rows = wall + "\n";
  for (int row = 1; row <= 5; ++row) rows += hall;
  dir.Write("Far.vxmap", "map Far\nheader \"Far\"\ntile 64\nstart at 32992 224\n\nlegend\n"
                         "#  wall  \"Wall Concrete.png\"\n.  floor \"Floor Concrete.png\"\n\nlayer 0\n" +
                             rows + wall + "\n\nturret cell 521 3\n");
  ASSERT_TRUE(RunProcess({BuildDir() + "/mapc", "-o", dir.File("Data/Maps"), dir.File("Far.vxmap")}, {}, 60.0)
                  .Succeeded());
  auto run = [&](const std::string& script) {
    dir.Write("input.txt", script);
    const ProcessResult result = RunGame({"--headless", "--data", dir.path(), "--map", "Far", "--frames", "3",
                                          "--input", dir.File("input.txt"), "--state", "--draw-log",
                                          dir.File("draws.jsonl")});
    EXPECT_TRUE(result.Succeeded()) << result.err;
    return result.out;
  };
  const std::string before = run("1 mouse 10 10\n");
  const std::string enemy = before.substr(before.find("\"enemies\""));
  const double x = JsonNumber(enemy, "x"), y = JsonNumber(enemy, "y");
  ASSERT_GT(x, 32767);
  EXPECT_EQ(JsonNumber(before, "hoveredEnemy"), -1);
  const long sx = std::lround(x - JsonNumber(before, "camera.x"));
  const long sy = std::lround(y - JsonNumber(before, "camera.y"));
  ASSERT_TRUE(sx > 0 && sx < 1024 && sy > 0 && sy < 768) << sx << " " << sy;
  const std::string after = run("1 mouse " + std::to_string(sx) + " " + std::to_string(sy) + "\n");
  EXPECT_EQ(JsonNumber(after, "hoveredEnemy"), 0);
  const std::vector<Logged> log = ReadDrawLog(dir.File("draws.jsonl"));
  const std::vector<Logged> frame = Sprites(log, 12);
  ASSERT_EQ(frame.size(), 1u) << "no health line";
  EXPECT_EQ(frame[0].x, std::lround(x - frame[0].width / 2.0 - JsonNumber(after, "camera.x")));
}

TEST(HudDrawLog, UnwritableLogIsAnError) {
  TempDir dir;
  const ProcessResult run = RunGame(
      {"--headless", "--map", "Test", "--frames", "1", "--draw-log", dir.File("no/such/folder/draws.jsonl")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("draw log"), std::string::npos) << run.err;
}
