#include <gtest/gtest.h>

#include "editor/editor_commands.h"
#include "editor/map_document.h"
#include "support/temp_dir.h"

namespace {

// A 10 x 8 map with distinct codes in columns 1-3, rows 1-2 on both layers, a
// light and a soldier in that rectangle and a turret where the pastes land.
void Prepare(editor::MapDocument& doc) {
  doc.New("Clip.vxmap", 10, 8);
  std::string error;
  ASSERT_TRUE(editor::RunCommands(doc,
                                  "paint M 1 1\npaint X 2 1\npaint c 3 1\npaint , 1 2\npaint t 2 2\npaint g 3 2\n"
                                  "layer 1\npaint r 2 1\npaint p 3 2\n"
                                  "light Red 2 1\nsoldier 3 2\nturret 8 6\n",
                                  error))
      << error;
}

// Pasting the rectangle (1..3, 1..2) at a cell: every layer's codes land with their
// top-left there, clipped to the map; what was placed there gives way to the
// clip's placements that land inside; the whole paste is one undo step.
TEST(MapClip, PasteClipsAtTheEdgesInOneStep) {
  struct Case {
    int column, row;
    bool changes;
  };
  const Case cases[] = {{8, 6, true}, {-1, -1, true}, {4, 3, true}, {10, 8, false}, {-3, 1, false}};
  for (const Case& c : cases) {
    editor::MapDocument doc;
    Prepare(doc);
    const editor::CellClip clip = doc.Copy(1, 1, 3, 2);
    ASSERT_EQ(clip.columns, 3);
    ASSERT_EQ(clip.placed.size(), 2u);
    editor::MapDocument before;
    before.SetText(doc.Text());
    const size_t steps = doc.UndoCount();
    EXPECT_EQ(doc.Paste(clip, c.column, c.row), c.changes) << c.column << "," << c.row;
    EXPECT_EQ(doc.UndoCount(), steps + (c.changes ? 1 : 0));
    for (int layer = 0; layer < 2; ++layer) {
      for (int r = 0; r < 8; ++r) {
        for (int col = 0; col < 10; ++col) {
          const bool inside = col >= c.column && col < c.column + 3 && r >= c.row && r < c.row + 2;
          const std::string expected = inside ? before.CodeAt(layer, col - c.column + 1, r - c.row + 1)
                                              : before.CodeAt(layer, col, r);
          EXPECT_EQ(doc.CodeAt(layer, col, r), expected) << "paste at " << c.column << "," << c.row << " layer "
                                                         << layer << " cell " << col << "," << r;
        }
      }
    }
    // Placements: the light (2,1) and soldier (3,2) move with the cells when they land inside.
    editor::LightLook look;
    const bool lightInside = c.changes && 2 - 1 + c.column >= 0 && 2 - 1 + c.column < 10 && c.row >= 0 && c.row < 8;
    EXPECT_EQ(doc.LightLookAt(c.column + 1, c.row, look), lightInside) << c.column << "," << c.row;
    const size_t enemies = doc.source().enemies.size();
    if (c.column == 8) {
      EXPECT_EQ(enemies, 1u);  // the turret gave way; the soldier fell off the map
    } else if (c.column == 4) {
      EXPECT_EQ(enemies, 3u);
    }
    if (c.changes) {
      ASSERT_TRUE(doc.Undo());
      EXPECT_EQ(doc.Text(), before.Text());
    }
  }
}

// Light verbs of a command script reach the compiled map: angle, size and switch.
TEST(MapClip, LightCommandsReachTheCompiledMap) {
  TempDir dir;
  editor::MapDocument doc;
  doc.New(dir.File("Lamps.vxmap"), 12, 10);
  std::string error;
  ASSERT_TRUE(editor::RunCommands(doc,
                                  "light Spot 3 3\nturn 3 3 -30\ngrow 3 3 1\nswitch 3 3 off\n"
                                  "light Strip 6 5\ngrow 6 5 -1 height\nturn 6 5 375\n"
                                  "copy 3 3 1 1\npaste 8 7\nswitch 8 7 on\nsave\n",
                                  error))
      << error;
  for (const char* bad : {"turn 1 1 15", "grow 6 5 40", "switch 3 3 dim", "paste 2 2 2"}) {
    editor::CommandState state;
    EXPECT_FALSE(editor::RunCommand(doc, state, bad, error)) << bad;
  }
  mapc::CompiledMap map;
  std::string message;
  ASSERT_TRUE(doc.Compile(dir.File("out"), message, &map)) << message;
  ASSERT_EQ(map.binary.lights.size(), 3u);
  const mapc::LightRecord& spot = map.binary.lights[0];
  EXPECT_EQ(spot.angle, 330);
  EXPECT_EQ(spot.width, 320);
  EXPECT_EQ(spot.height, 320);
  EXPECT_EQ(spot.on, 0);
  EXPECT_EQ(spot.x, 3 * 64 + 32 - 160);
  const mapc::LightRecord& strip = map.binary.lights[1];
  EXPECT_EQ(strip.angle, 15);
  EXPECT_EQ(strip.width, 256);
  EXPECT_EQ(strip.height, 51);
  EXPECT_EQ(strip.on, 1);
  const mapc::LightRecord& copy = map.binary.lights[2];  // the pasted spot, switched on again
  EXPECT_EQ(copy.angle, 330);
  EXPECT_EQ(copy.width, 320);
  EXPECT_EQ(copy.on, 1);
  EXPECT_EQ(copy.x, 8 * 64 + 32 - 160);
}

}  // namespace
