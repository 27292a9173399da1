#include <gtest/gtest.h>

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

TEST(ComputeVisibleRange, WindowOfThirteenCellsClampedToTheMap) {
  Map map = MakeMap(99, 99);
  map.prompt = 1;
  ComputeVisibleRange(map, 12, 12);
  EXPECT_EQ(map.prompt, 0);
  EXPECT_EQ(map.firstVisibleColumn, 0);
  EXPECT_EQ(map.lastVisibleColumn, 12);
  EXPECT_EQ(map.lastVisibleRow, 12);

  map.camera = {-412, -284};  // -412 / 64 = -6 (truncating), -284 / 64 = -4
  ComputeVisibleRange(map, 12, 12);
  EXPECT_EQ(map.firstVisibleColumn, 0);
  EXPECT_EQ(map.lastVisibleColumn, 6);
  EXPECT_EQ(map.firstVisibleRow, 0);
  EXPECT_EQ(map.lastVisibleRow, 8);

  map.camera = {64 * 95, 64 * 40};
  ComputeVisibleRange(map, 12, 12);
  EXPECT_EQ(map.firstVisibleColumn, 95);
  EXPECT_EQ(map.lastVisibleColumn, 99);
  EXPECT_EQ(map.lastVisibleRow, 52);

  map.camera = {64 * 120, 0};  // beyond the right edge: first above last
  ComputeVisibleRange(map, 12, 12);
  EXPECT_GT(map.firstVisibleColumn, map.lastVisibleColumn);
}

TEST(DrawLayer, DrawsVisibleCellsInRowOrderWithLayerAlpha) {
  RecordingWorld world;
  Map map = MakeMap(19, 19, 64, 1);
  for (int n : {1001, 1002, 1003}) PutSprite3D(world.sprites, n);
  map.cells[CellIndex(map, 0, 1, 0)].sprite = 1001;
  map.cells[CellIndex(map, 0, 0, 1)].sprite = 1002;
  map.cells[CellIndex(map, 0, 13, 0)].sprite = 1003;  // column 13: outside the 13x13 window
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
