#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/world_fixture.h"
#include "world/map.h"

TEST(CellOf, TruncatesTowardZeroAndGuardsNoTileSize) {
  Map map = MakeMap(15, 11);
  EXPECT_EQ(CellOf(map, -10.0f, 5.0f).column, 0);  // -0.15 truncates to 0, not -1
  EXPECT_EQ(CellOf(map, -0.5f, 0.0f).column, 0);
  EXPECT_EQ(CellOf(map, 63.9f, 64.0f).column, 0);
  EXPECT_EQ(CellOf(map, 63.9f, 64.0f).row, 1);
  EXPECT_EQ(CellOf(map, -64.0f, 0.0f).column, -1);
  map.tileSize = 0;
  const Cell none = CellOf(map, 100.0f, 100.0f);
  EXPECT_TRUE(IsWalkBlocked(map, none.column, none.row));
}

TEST(CellQueries, OutsideTheGridIsBlockedWithNoMaterial) {
  Map map = MakeMap(3, 2);
  map.materialGrid[GridIndex(map, 3, 2)] = 5;
  EXPECT_FALSE(IsWalkBlocked(map, 3, 2));
  EXPECT_FALSE(IsShotBlocked(map, 0, 0));
  EXPECT_EQ(MaterialAt(map, 3, 2), 5);
  for (auto [column, row] : std::initializer_list<std::pair<int32_t, int32_t>>{{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT32_MAX, 0}, {INT32_MIN, 1}}) {
    EXPECT_TRUE(IsWalkBlocked(map, column, row)) << column << "," << row;
    EXPECT_TRUE(IsShotBlocked(map, column, row)) << column << "," << row;
    EXPECT_EQ(MaterialAt(map, column, row), 0);
  }
  SetCellBlocked(map, 7, 7, 1);  // outside: ignored, no write out of bounds
  SetCellBlocked(map, 1, 1, 1);
  EXPECT_TRUE(IsWalkBlocked(map, 1, 1));
  EXPECT_TRUE(IsShotBlocked(map, 1, 1));
  // A grid that is not square: rows vary fastest, so (1, 2) and (2, 1) are distinct.
  EXPECT_FALSE(IsWalkBlocked(map, 2, 1));
}

TEST(CenterCamera, RoundsHalvesToEven) {
  Map map = MakeMap(3, 3);
  CenterCamera(map, 100.0f, 100.0f);
  EXPECT_EQ(map.camera.x, -412);
  EXPECT_EQ(map.camera.y, -284);
  CenterCamera(map, 512.5f, 385.5f);  // 0.5 -> 0, 1.5 -> 2
  EXPECT_EQ(map.camera.x, 0);
  EXPECT_EQ(map.camera.y, 2);
}

TEST(CenterCamera, HeldToThe32BitRangeAtExtremePositions) {
  Map map = MakeMap(3, 3);
  CenterCamera(map, 2147483647.0f, -2147483648.0f);
  EXPECT_EQ(map.camera.x, 2147483136);  // 2^31 - 512: still in range
  EXPECT_EQ(map.camera.y, INT32_MIN);   // -2^31 - 384 is held, not wrapped
  CenterCamera(map, 3e9f, -3e9f);
  EXPECT_EQ(map.camera.x, INT32_MAX);
  EXPECT_EQ(map.camera.y, INT32_MIN);
}

TEST(ComputeVisibleRange, KeepsTheRuleForTheArgumentsGiven) {
  Map map = MakeMap(99, 99);
  map.prompt = 1;
  ComputeVisibleRange(map, 12, 12);
  EXPECT_EQ(map.prompt, 0);
  EXPECT_EQ(map.firstVisibleColumn, 0);
  EXPECT_EQ(map.lastVisibleColumn, 12);
  EXPECT_EQ(map.lastVisibleRow, 12);
  map.camera = {64 * 95, 64 * 40};
  ComputeVisibleRange(map, 12, 12);
  EXPECT_EQ(map.firstVisibleColumn, 95);
  EXPECT_EQ(map.lastVisibleColumn, 99);  // held to the map
  EXPECT_EQ(map.lastVisibleRow, 52);
  Map fine = MakeMap(99, 99, 1);
  fine.camera = {INT32_MIN, INT32_MIN};
  ComputeVisibleRange(fine, -5, -5);  // below the 32-bit range: held, not wrapped to a huge window
  EXPECT_EQ(fine.lastVisibleColumn, INT32_MIN);
  EXPECT_EQ(fine.lastVisibleRow, INT32_MIN);
}

TEST(ComputeVisibleRange, ScreenCountsCoverTheWholeScreenFromAnyCamera) {
  EXPECT_EQ(ScreenExtraColumns(64), 16);
  EXPECT_EQ(ScreenExtraRows(64), 12);
  EXPECT_EQ(ScreenExtraColumns(100), 11);  // ceil(10.24)
  EXPECT_EQ(ScreenExtraRows(100), 8);      // ceil(7.68)
  EXPECT_EQ(ScreenExtraColumns(1), 1024);
  EXPECT_EQ(ScreenExtraColumns(0), 0);
  // {tile, camera x, camera y, first column, last column, first row, last row} on a
  // 100 x 100 map.
  struct Case {
    int tile;
    int32_t cx, cy;
    int32_t firstColumn, lastColumn, firstRow, lastRow;
  };
  for (const Case& c : std::initializer_list<Case>{
           {64, 0, 0, 0, 16, 0, 12},
           {64, -412, -284, 0, 9, 0, 7},      // floor(-412 / 64) = -7, floor(-284 / 64) = -5
           {64, -64, -1, 0, 15, 0, 11},
           {64, 100, 70, 1, 17, 1, 13},
           {64, 64 * 95, 64 * 95, 95, 99, 95, 99},
           {64, 64 * 120, 64 * 120, 120, 99, 120, 99},   // beyond the map: first above last
           {64, -2000, -2000, 0, -16, 0, -20},            // left of and above it: nothing
           {100, -1, -1, 0, 10, 0, 7},
           {100, 99, 0, 0, 11, 0, 8},
           {255, 300, -300, 1, 6, 0, 2},     // floor(-300 / 255) = -2, + ceil(768 / 255) = 4
           {64, INT32_MIN, INT32_MAX, 0, -33554416, 33554431, 99},
       }) {
    Map map = MakeMap(99, 99, static_cast<uint8_t>(c.tile));
    map.camera = {c.cx, c.cy};
    ComputeVisibleRange(map, ScreenExtraColumns(map.tileSize), ScreenExtraRows(map.tileSize));
    const std::string at = std::to_string(c.tile) + " at " + std::to_string(c.cx) + "," + std::to_string(c.cy);
    EXPECT_EQ(map.firstVisibleColumn, c.firstColumn) << at;
    EXPECT_EQ(map.lastVisibleColumn, c.lastColumn) << at;
    EXPECT_EQ(map.firstVisibleRow, c.firstRow) << at;
    EXPECT_EQ(map.lastVisibleRow, c.lastRow) << at;
    // Every map cell under a screen corner lies inside the window.
    for (int64_t x : {int64_t{c.cx}, int64_t{c.cx} + 1023}) {
      for (int64_t y : {int64_t{c.cy}, int64_t{c.cy} + 767}) {
        if (x < 0 || y < 0 || x / c.tile > 99 || y / c.tile > 99) continue;
        EXPECT_LE(map.firstVisibleColumn, x / c.tile) << at;
        EXPECT_GE(map.lastVisibleColumn, x / c.tile) << at;
        EXPECT_LE(map.firstVisibleRow, y / c.tile) << at;
        EXPECT_GE(map.lastVisibleRow, y / c.tile) << at;
      }
    }
  }
}

TEST(ScreenOffset, WideArithmeticHeldFarOffTheScreen) {
  EXPECT_EQ(ScreenOffset(640, 10), 630);
  EXPECT_EQ(ScreenOffset(0, -412), 412);
  EXPECT_EQ(ScreenOffset(int64_t{16777215} * 255, -2147483647), kFarOffScreen);
  EXPECT_EQ(ScreenOffset(0, INT32_MAX), -kFarOffScreen);
}

TEST(DrawLayer, DrawsVisibleCellsInRowOrderWithLayerAlpha) {
  RecordingWorld world;
  Map map = MakeMap(19, 19, 64, 1);
  for (int n : {1001, 1002, 1003}) PutSprite3D(world.sprites, n);
  map.cells[CellIndex(map, 0, 1, 0)].sprite = 1001;
  map.cells[CellIndex(map, 0, 0, 1)].sprite = 1002;
  map.cells[CellIndex(map, 0, 13, 0)].sprite = 1003;  // column 13: outside a 13x13 window
  map.cells[CellIndex(map, 1, 2, 2)].sprite = 1003;
  map.cells[CellIndex(map, 0, 5, 5)].sprite = 4242;   // no such sprite: draws nothing
  map.layerAlpha[1] = 90;
  map.camera = {10, -20};
  ComputeVisibleRange(map, 12, 12);
  DrawLayer(map, world.sprites, 0);
  DrawLayer(map, world.sprites, 1);
  DrawLayer(map, world.sprites, 2);  // above lastLayer: nothing

  const auto& draws = world.renderer.draws;
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].quad.sprite, 1001);  // row 0 before row 1
  EXPECT_EQ(draws[0].quad.x, 64 - 10);
  EXPECT_EQ(draws[0].quad.y, 0 + 20);
  EXPECT_EQ(draws[0].quad.alpha, 255);
  EXPECT_EQ(draws[1].quad.sprite, 1002);
  EXPECT_EQ(draws[1].quad.x, -10);
  EXPECT_EQ(draws[1].quad.y, 84);
  EXPECT_EQ(draws[2].quad.sprite, 1003);
  EXPECT_EQ(draws[2].quad.alpha, 90);
  EXPECT_EQ(draws[2].quad.angle, 0.0f);
}

TEST(DrawLayer, NothingWhenTheCameraIsPastTheMap) {
  RecordingWorld world;
  Map map = MakeMap(4, 4);
  PutSprite3D(world.sprites, 1001);
  for (auto& cell : map.cells) cell.sprite = 1001;
  map.camera = {64 * 6, 0};
  ComputeVisibleRange(map, 12, 12);
  DrawLayer(map, world.sprites, 0);
  EXPECT_TRUE(world.renderer.draws.empty());
  map.camera = {-100, -100};  // a 5x5 map is drawn whole while its top-left cell shows
  ComputeVisibleRange(map, 12, 12);
  DrawLayer(map, world.sprites, 0);
  EXPECT_EQ(world.renderer.draws.size(), 25u);
}

// Near the map's left edge (camera x negative) the floor reaches the screen's right
// edge: the last column drawn is the one under screen x 1023.
TEST(DrawLayer, ScreenWindowReachesTheRightEdgeNearTheMapsLeftEdge) {
  RecordingWorld world;
  Map map = MakeMap(19, 14);
  PutSprite3D(world.sprites, 1001);
  for (auto& cell : map.cells) cell.sprite = 1001;
  map.camera = {-352, -224};  // the player at (160, 160)
  ComputeVisibleRange(map, ScreenExtraColumns(map.tileSize), ScreenExtraRows(map.tileSize));
  DrawLayer(map, world.sprites, 0);
  int right = 0, bottom = 0;
  for (const RecordedDraw& draw : world.renderer.draws) {
    right = std::max(right, draw.quad.x + draw.quad.width);
    bottom = std::max(bottom, draw.quad.y + draw.quad.height);
  }
  EXPECT_GE(right, 1024);
  EXPECT_GE(bottom, 768);
  EXPECT_EQ(world.renderer.draws.size(), 11u * 9u);  // columns 0-10, rows 0-8
}
