#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "content/map_file.h"
#include "support/data_dir.h"
#include "support/map_bytes.h"
#include "support/world_fixture.h"

namespace {

struct MapFiles : DataDir {
  RecordingWorld world;
  Map map;
  std::vector<TileDef> tiles;
  std::vector<Light> lights;
  std::vector<Door> doors;
  Animations animations;
  std::string why;

  MapFiles() {
    PutPng("Data\\GFX\\TileSet\\Floor.png");
    Put("Data\\Maps\\M_TileSet.xml", "<TileSet><Tile ID=\"1\"><Image File=\"Floor.png\"/></Tile></TileSet>");
  }
  bool Load(const MapBytes& bytes) {
    Put("Data\\Maps\\M.map", bytes.bytes());
    return LoadMap(MapTargets{map, tiles, lights, doors, animations, world.sprites}, "Data\\Maps\\M", &why);
  }
};

}  // namespace

TEST(LoadMap, ReadsHeaderCellsLightsAndDoors) {
  MapFiles f;
  f.animations.table[3] = std::make_shared<FrameTable>();
  MapBytes bytes;
  bytes.Header(64, 2, 1, 1, 160, 96);
  // Layer 0, rows 0-1, columns 0-2.
  bytes.Cell(1001, 1, 1, 3).Cell(1001).Cell(1001, 0, 0, 3);
  bytes.Cell(1001).Cell(1001, 2, -1, 0).Cell(1001);
  // Layer 1: blocks where layer 0 did not; materials of the higher layer win when not 0.
  bytes.Cell(0, 0, 0, 0).Cell(0, 1, 0, 0).Cell(0, 0, 0, 2);
  bytes.Cell(0).Cell(0).Cell(0, 0, 1, 0);
  bytes.I32(2).Light(2001, 10, 20, 256, 128, -30, 1).Light(2002, -5, 7, 64, 64, 0, 0);
  bytes.I32(1).Door(3, 1, 1);
  ASSERT_TRUE(f.Load(bytes)) << f.why;

  EXPECT_FLOAT_EQ(f.map.headerValue, 1.5f);
  EXPECT_STREQ(f.map.headerText.data(), "Test map");
  EXPECT_EQ(f.map.tileSize, 64);
  EXPECT_EQ(f.map.lastColumn, 2);
  EXPECT_EQ(f.map.lastRow, 1);
  EXPECT_EQ(f.map.lastLayer, 1);
  EXPECT_EQ(f.map.pixelWidth, 128);  // from the highest index, not the count
  EXPECT_EQ(f.map.pixelHeight, 64);
  EXPECT_EQ(f.map.startX, 160);
  EXPECT_EQ(f.map.layerAlpha, (std::vector<uint8_t>{255, 255}));
  EXPECT_EQ(f.map.cells[CellIndex(f.map, 0, 2, 0)].material, 3);
  EXPECT_EQ(f.map.cells[CellIndex(f.map, 0, 1, 1)].walkFlag, 2);
  // Grids combine the layers.
  EXPECT_TRUE(IsWalkBlocked(f.map, 0, 0));
  EXPECT_TRUE(IsWalkBlocked(f.map, 1, 0));   // layer 1 blocks
  EXPECT_FALSE(IsShotBlocked(f.map, 2, 0));
  EXPECT_TRUE(IsShotBlocked(f.map, 2, 1));
  EXPECT_EQ(MaterialAt(f.map, 0, 0), 3);
  EXPECT_EQ(MaterialAt(f.map, 2, 0), 2);     // 3 then 2: the higher layer wins
  ASSERT_EQ(f.lights.size(), 2u);
  EXPECT_EQ(f.lights[0].sprite, 2001);
  EXPECT_EQ(f.lights[0].x, 10);
  EXPECT_EQ(f.lights[0].height, 128);
  EXPECT_EQ(f.lights[0].angle, -30);
  EXPECT_EQ(f.lights[1].x, -5);
  EXPECT_EQ(f.lights[1].on, 0);
  ASSERT_EQ(f.doors.size(), 1u);
  EXPECT_EQ(f.doors[0].animationId, 3);
  EXPECT_EQ(f.doors[0].x, 64);
  EXPECT_EQ(f.doors[0].animation.frames, f.animations.table[3]);
  EXPECT_TRUE(IsShotBlocked(f.map, 1, 1));   // the door blocks its cell
}

TEST(LoadMap, FlagsOtherThanOneDoNotBlock) {
  MapFiles f;
  MapBytes bytes;
  bytes.Header(64, 1, 0, 0).Cell(1001, 2, -1, 0).Cell(1001, 1, 1, 0).I32(0).I32(0);
  ASSERT_TRUE(f.Load(bytes));
  EXPECT_FALSE(IsWalkBlocked(f.map, 0, 0));
  EXPECT_FALSE(IsShotBlocked(f.map, 0, 0));
  EXPECT_TRUE(IsWalkBlocked(f.map, 1, 0));
}

TEST(LoadMap, LongHeaderTextIsCutAndItsLineConsumed) {
  MapFiles f;
  const std::string text(100, 'x');
  MapBytes bytes;
  bytes.Header(32, 0, 0, 0, 7, 9, text + "\n").Cell(1001, 0, 0, 1);
  ASSERT_TRUE(f.Load(bytes));
  EXPECT_EQ(std::string(f.map.headerText.data(), 64), std::string(64, 'x'));
  EXPECT_EQ(f.map.tileSize, 32);
  EXPECT_EQ(f.map.startY, 9);
  EXPECT_EQ(MaterialAt(f.map, 0, 0), 1);
  // A header line ended by a zero byte.
  MapBytes zero;
  zero.Header(16, 0, 0, 0, 1, 2, std::string("abc") + '\0');
  ASSERT_TRUE(f.Load(zero));
  EXPECT_EQ(f.map.tileSize, 16);
  EXPECT_STREQ(f.map.headerText.data(), "abc");
}

TEST(LoadMap, FileEndingEarlyReadsAsZeros) {
  MapFiles f;
  MapBytes bytes;
  bytes.Header(64, 3, 3, 0).Cell(1001, 1, 1, 4).Cell(1001);  // 2 of 16 cells, no counts
  ASSERT_TRUE(f.Load(bytes));
  EXPECT_TRUE(IsWalkBlocked(f.map, 0, 0));
  EXPECT_FALSE(IsWalkBlocked(f.map, 3, 3));
  EXPECT_EQ(f.map.cells[CellIndex(f.map, 0, 2, 0)].sprite, 0);
  EXPECT_TRUE(f.lights.empty());
  EXPECT_TRUE(f.doors.empty());
}

TEST(LoadMap, HostileHeadersAreRefusedAndCountsBounded) {
  MapFiles f;
  MapBytes good;
  good.Header(64, 1, 1, 0).Cell(1001).Cell(1001).Cell(1001).Cell(1001).I32(0).I32(0);
  ASSERT_TRUE(f.Load(good));
  for (auto [tile, columns, rows, layers] :
       std::initializer_list<std::tuple<int, int32_t, int32_t, int>>{{0, 3, 3, 0}, {64, -1, 3, 0}, {64, 3, -7, 0}, {64, INT32_MAX, 0, 0},
        {64, 1 << 30, 1 << 30, 0}, {64, 4095, 4095, 1}, {64, INT32_MIN, INT32_MIN, 255},
        // Products that wrap 64 bits: 2 x 2^31 x 2^31 = 2^63, and 256 x 2^28 x 2^28 = 2^64.
        {64, INT32_MAX, INT32_MAX, 1}, {64, (1 << 28) - 1, (1 << 28) - 1, 255}}) {
    MapBytes bad;
    bad.Header(static_cast<uint8_t>(tile), columns, rows, static_cast<uint8_t>(layers));
    EXPECT_FALSE(f.Load(bad)) << columns << "x" << rows;
    EXPECT_FALSE(f.why.empty());
    EXPECT_EQ(f.map.lastColumn, 1);  // the map is left as it was
    EXPECT_EQ(f.map.walkGrid.size(), 4u);
  }
  // A light count of 2^31 - 1 in a short file: only the whole records present.
  MapBytes lights;
  lights.Header(64, 0, 0, 0).Cell(1001).I32(INT32_MAX).Light(2001, 1, 2, 3, 4, 5, 1).I32(7);
  ASSERT_TRUE(f.Load(lights));
  EXPECT_EQ(f.lights.size(), 1u);
  EXPECT_TRUE(f.doors.empty());
  MapBytes negative;
  negative.Header(64, 0, 0, 0).Cell(1001).I32(-5).I32(-1);
  ASSERT_TRUE(f.Load(negative));
  EXPECT_TRUE(f.lights.empty());
  // Doors placed outside the grid are not placed.
  MapBytes doors;
  doors.Header(64, 1, 1, 0).Cell(0).Cell(0).Cell(0).Cell(0).I32(0).I32(2).Door(2, 5, 0).Door(2, 1, 1);
  ASSERT_TRUE(f.Load(doors));
  ASSERT_EQ(f.doors.size(), 1u);
  EXPECT_EQ(f.doors[0].column, 1);
}

TEST(LoadMap, MissingFilesLeaveTheMapAsItWas) {
  MapFiles f;
  EXPECT_FALSE(LoadMap(MapTargets{f.map, f.tiles, f.lights, f.doors, f.animations, f.world.sprites},
                       "Data\\Maps\\M", &f.why));  // the tile set loads, the map file is missing
  EXPECT_EQ(f.map.tileSize, 0);
  EXPECT_EQ(f.map.tileSetFile, "Data\\Maps\\M_TileSet.xml");
  f.Put("Data\\Maps\\M_TileSet.xml", "<NotATileSet/>");
  MapBytes bytes;
  bytes.Header(64, 0, 0, 0).Cell(1001);
  EXPECT_FALSE(f.Load(bytes));  // the tile set fails first: the map file is not read
  EXPECT_EQ(f.map.tileSize, 0);
}

TEST(LoadMap, SecondMapReplacesLightsAndDoors) {
  MapFiles f;
  MapBytes first;
  first.Header(64, 1, 0, 0).Cell(0).Cell(0).I32(1).Light(2001, 0, 0, 8, 8, 0, 1).I32(1).Door(2, 1, 0);
  ASSERT_TRUE(f.Load(first));
  MapBytes second;
  second.Header(64, 2, 0, 0).Cell(0).Cell(0).Cell(0).I32(0).I32(0);
  ASSERT_TRUE(f.Load(second));
  EXPECT_TRUE(f.lights.empty());
  EXPECT_TRUE(f.doors.empty());
  EXPECT_FALSE(IsWalkBlocked(f.map, 1, 0));  // the grids were re-created
}
