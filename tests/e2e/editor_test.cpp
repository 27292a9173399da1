// The map editor as a program: a scripted session of paint, fill, an enemy and a
// light with undo and redo, saved with Ctrl+S; the compiled map then plays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

// Screen point of a cell's centre in a new 12 x 10 map: the view opens centred on
// the start (94, 94).
std::string At(int column, int row) {
  return std::to_string(column * 64 + 32 - 94 + 512) + " " + std::to_string(row * 64 + 32 - 94 + 384);
}

// The compiled cell record's walk flag and material (header "Room" CR LF).
std::pair<int, int> CellFlags(const std::string& map, int layer, int column, int row) {
  const size_t offset = 4 + 6 + 18 + (static_cast<size_t>(layer) * 10 * 12 + row * 12 + column) * 7;
  return {static_cast<signed char>(map.at(offset + 4)), static_cast<unsigned char>(map.at(offset + 6))};
}

}  // namespace

TEST(Editor, ScriptedSessionCompilesAMapThatPlays) {
  TempDir dir;
  ShareBuiltData(dir);
  // No Data/Maps to write to: the compiled map goes to the user's folder.
  std::filesystem::remove_all(dir.File("Data/Maps"));
  const std::string xdg = "XDG_DATA_HOME=" + dir.File("share");
  dir.Write("edit.txt",
            "1 mouse " + At(3, 3) + "\n2 button left down\n3 button left up\n"  // paint '#'
            "4 key ] down\n5 key ] up\n6 key ] down\n7 key ] up\n"                // entry 'M'
            "8 key SHIFT down\n9 mouse " + At(2, 5) + "\n10 button left down\n"
            "11 mouse " + At(4, 6) + "\n12 button left up\n13 key SHIFT up\n"   // fill
            "14 key 4 down\n15 key 4 up\n16 mouse " + At(5, 2) + "\n17 button left down\n18 button left up\n"
            "19 key 2 down\n20 key 2 up\n21 mouse " + At(1, 2) + "\n22 button left down\n23 button left up\n"
            "24 key CTRL down\n25 key Z down\n26 key Z up\n27 key Y down\n28 key Y up\n"
            "29 key S down\n30 key S up\n31 key CTRL up\n"
            // K twice: N adds walls; J once: of metal; then save again.
            "32 key K down\n33 key K up\n34 key K down\n35 key K up\n36 key J down\n37 key J up\n"
            "38 key N down\n39 key N up\n40 key CTRL down\n41 key S down\n42 key S up\n43 key CTRL up\n");
  const ProcessResult edit =
      RunGame({"--data", dir.path(), "--headless", "--edit", dir.File("Room.vxmap"), "--size", "12x10", "--input",
               dir.File("edit.txt"), "--screenshot", dir.File("editor.png")},
              true, 120.0, {xdg});
  ASSERT_TRUE(edit.Succeeded()) << edit.err;
  const std::string source = ReadAll(dir.File("Room.vxmap"));
  EXPECT_NE(source.find("soldier cell 5 2"), std::string::npos) << source;
  EXPECT_NE(source.find("light Warm cell 1 2"), std::string::npos) << source;
  // The entry N added: a wall of metal (the editor writes one space before "material").
  EXPECT_TRUE(std::regex_search(source, std::regex("\n\\S+  wall  \"[^\"]+\\.png\" material 1\r?\n"))) << source;

  const std::string compiled = ReadAll(dir.File("share/vexmoor/Data/Maps/Room.map"));
  ASSERT_FALSE(compiled.empty());
  EXPECT_EQ(CellFlags(compiled, 0, 3, 3).first, 1);                     // painted wall
  EXPECT_EQ(CellFlags(compiled, 0, 3, 4).first, 0);                     // floor beside it
  EXPECT_EQ(CellFlags(compiled, 0, 4, 6), std::make_pair(1, 1));       // filled metal wall
  EXPECT_EQ(CellFlags(compiled, 0, 5, 6).first, 0);                     // outside the rectangle

  const ProcessResult play =
      RunGame({"--data", dir.path(), "--headless", "--map", "Room", "--frames", "2", "--state"}, true, 120.0, {xdg});
  ASSERT_TRUE(play.Succeeded()) << play.err;
  EXPECT_EQ(JsonNumber(play.out, "map.lastColumn"), 11);
  EXPECT_EQ(JsonNumber(play.out, "map.lastRow"), 9);
  EXPECT_EQ(JsonNumber(play.out, "lights.sprite"), 2001);  // the light, redone
  EXPECT_EQ(JsonNumber(play.out, "lights.x"), 96 - 128);
  EXPECT_EQ(JsonNumber(play.out, "enemies.type"), 1);
  EXPECT_NEAR(JsonNumber(play.out, "enemies.x"), 5 * 64 + 32, 8.0);
}

// Open and play-test: F5 plays the map, Escape comes back to the editor, and the
// source opened and saved unchanged keeps its bytes.
TEST(Editor, PlayTestAndBack) {
  TempDir dir;
  const std::string shipped = SourceDir() + "/data/maps/Test.vxmap";
  std::filesystem::copy_file(shipped, dir.File("Test.vxmap"));
  dir.Write("play.txt", "1 mouse 400 300\n2 key F5 down\n3 key F5 up\n10 key ESCAPE down\n11 key ESCAPE up\n"
                        "20 key F9 down\n21 key F9 up\n");
  const ProcessResult run = RunGame({"--headless", "--edit", dir.File("Test.vxmap"), "--input", dir.File("play.txt"),
                                     "--frames", "30", "--screenshot", dir.File("back.png")});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  EXPECT_NE(run.err.find("saved and compiled Test"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll(dir.File("Test.vxmap")), ReadAll(shipped));
  Image shot;
  ASSERT_TRUE(LoadPngFile(dir.File("back.png"), shot));
  // The editor's frame: its palette panel on the right, not the game's picture.
  EXPECT_LT(MeanBrightness(shot, 880, 740, 1020, 766), 60.0);
  EXPECT_GT(MeanBrightness(shot, 880, 20, 1020, 740), 20.0);
}
