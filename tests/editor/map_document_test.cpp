#include "editor/map_document.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/editor_commands.h"

namespace fs = std::filesystem;

namespace {

fs::path Scratch(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("vx_editor_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

// Open and save, nothing changed: the same bytes, for every shipped map.
TEST(MapDocument, OpenAndSaveKeepsTheBytes) {
  const fs::path dir = Scratch("same");
  for (const char* name : {"Test", "Bunker", "Arena"}) {
    const fs::path source = fs::path(VEXMOOR_SOURCE_DIR) / "data" / "maps" / (std::string(name) + ".vxmap");
    const fs::path copy = dir / source.filename();
    fs::copy_file(source, copy);
    editor::MapDocument doc;
    std::string error;
    ASSERT_TRUE(doc.Open(copy.string(), error)) << error;
    ASSERT_TRUE(doc.Save(error)) << error;
    EXPECT_EQ(ReadAll(copy), ReadAll(source)) << name;
  }
}

// A scripted session: paint, fill, place an enemy, a light and a door, undo and
// redo; the compiled map holds exactly those cells and placements.
TEST(MapDocument, EditsReachTheCompiledMap) {
  const fs::path dir = Scratch("edits");
  editor::MapDocument doc;
  doc.New((dir / "Room.vxmap").string(), 12, 10);
  std::string error;
  ASSERT_TRUE(editor::RunCommands(doc,
                                  "fill M 5 0 5 9\n"
                                  "paint | 5 4\n"
                                  "door MetalH 8 9\nundo\ndoor MetalV 5 6\n"
                                  "layer 1\npaint r 2 2\n"
                                  "soldier 9 7\nturret 9 1\nlight Warm 2 2\nlight Red 8 8\n"
                                  "undo\nundo\nredo\n"
                                  "start 1 4\nsave\n",
                                  error))
      << error;
  mapc::CompiledMap map;
  std::string message;
  ASSERT_TRUE(doc.Compile((dir / "out").string(), message, &map)) << message;
  const mapc::MapBinary& b = map.binary;
  EXPECT_EQ(b.Columns(), 12);
  EXPECT_EQ(b.Rows(), 10);
  EXPECT_EQ(b.Cell(0, 5, 3).walk, 1);          // the metal wall
  EXPECT_EQ(b.Cell(0, 5, 3).material, 1);
  EXPECT_EQ(b.Cell(0, 5, 4).walk, 0);          // the door cell's floor
  EXPECT_NE(b.Cell(1, 2, 2).sprite, 0);        // the rubble on layer 1
  ASSERT_EQ(b.doors.size(), 2u);  // the marked cell, then the door placed on the wall
  EXPECT_EQ(b.doors[0].row, 4);
  EXPECT_EQ(b.doors[1].row, 6);
  EXPECT_EQ(b.Cell(0, 5, 6).walk, 0);  // the wall gave way to the floor beside it
  EXPECT_EQ(b.Cell(0, 8, 9).walk, 1);  // the undone door took its floor with it
  ASSERT_EQ(b.lights.size(), 1u);              // Red was undone, Warm kept
  EXPECT_EQ(b.lights[0].sprite, 2001);
  ASSERT_EQ(map.enemies.size(), 2u);
  EXPECT_EQ(map.enemies[0].x, 9 * 64 + 32);
  EXPECT_EQ(b.startX, 94);
  EXPECT_EQ(b.startY, 4 * 64 + 30);
  EXPECT_TRUE(fs::exists(dir / "out" / "Room.map"));
  // Saved and read back, the source is the same text.
  editor::MapDocument again;
  ASSERT_TRUE(again.Open((dir / "Room.vxmap").string(), error));
  EXPECT_EQ(again.Text(), doc.Text());
}

TEST(MapDocument, UndoKeepsAtLeast200Steps) {
  editor::MapDocument doc;
  doc.New("Many.vxmap", 40, 30);
  const std::string before = doc.Text();
  for (int i = 0; i < 220; ++i) doc.Paint(0, 1 + i % 38, 1 + i / 38, i % 2 ? "M" : "X");
  for (int i = 0; i < 220; ++i) ASSERT_TRUE(doc.Undo()) << i;
  EXPECT_EQ(doc.Text(), before);
}

// A failing check writes no compiled file and names the line; a save that cannot
// write keeps the old file whole.
TEST(MapDocument, FailuresKeepFiles) {
  const fs::path dir = Scratch("fail");
  editor::MapDocument doc;
  doc.New((dir / "Open.vxmap").string(), 8, 6);
  std::string error;
  ASSERT_TRUE(doc.Save(error));
  const std::string saved = ReadAll(dir / "Open.vxmap");
  doc.Paint(0, 0, 2, ".");  // a hole in the west wall
  std::string message;
  EXPECT_FALSE(doc.Compile((dir / "out").string(), message));
  EXPECT_NE(message.find("Open.vxmap:"), std::string::npos) << message;
  EXPECT_NE(message.find("error"), std::string::npos) << message;
  EXPECT_FALSE(fs::exists(dir / "out" / "Open.map"));

  ::chmod(dir.c_str(), 0555);  // no temporary file can be made beside it
  const bool rootCanWrite = ::access(dir.c_str(), W_OK) == 0;
  if (!rootCanWrite) {
    EXPECT_FALSE(doc.Save(error));
    EXPECT_EQ(ReadAll(dir / "Open.vxmap"), saved);
  }
  ::chmod(dir.c_str(), 0755);
  // A path that is a directory cannot be replaced by the rename either way.
  fs::create_directories(dir / "Dir.vxmap" / "x");
  editor::MapDocument blocked;
  blocked.New((dir / "Dir.vxmap").string(), 8, 6);
  EXPECT_FALSE(blocked.Save(error));
  EXPECT_TRUE(fs::exists(dir / "Dir.vxmap" / "x"));
}
