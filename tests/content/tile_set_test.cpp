#include <gtest/gtest.h>

#include "content/light_definitions.h"
#include "content/tile_set.h"
#include "support/data_dir.h"
#include "support/world_fixture.h"

namespace {

struct TileFiles : DataDir {
  RecordingWorld world;
  Map map;
  std::vector<TileDef> tiles;
  TileFiles() {
    PutPng("Data\\GFX\\TileSet\\Floor.png", 64, 64, 10);
    PutPng("Data\\GFX\\TileSet\\Wall.png", 32, 32, 20);
    PutPng("Data\\Other\\Grass.png", 16, 16, 30);
  }
  bool Load(const std::string& xml) {
    Put("Data\\Maps\\T_TileSet.xml", xml);
    return LoadTileSet(tiles, map, world.sprites, "Data\\Maps\\T_TileSet.xml");
  }
};

}  // namespace

TEST(LoadTileSet, RecordsEveryTileInFileOrder) {
  TileFiles f;
  ASSERT_TRUE(f.Load(
      "<?xml version=\"1.0\"?><TileSet>"
      "<Tile ID=\"1\"><Image File=\"Floor.png\"/><Layer L=\"300\"/><PCollision PColl=\"True\"/>"
      "<SCollision SColl=\"true\"/><Material M=\"$103\"/></Tile>"
      "<!-- a comment --><Tile ID=\"2\"><Material M=\"2\"/><Image File=\"Missing.png\"/></Tile>"
      "<Path>Data\\Other</Path>"
      "<Tile ID=\"3\"><PCollision PColl=\"1\"/><Image File=\"Grass.png\"/></Tile>"
      "<Tile><Image File=\"Floor.png\"/></Tile>"  // no ID: 0, sprite 1000; Path still Other
      "</TileSet>"));
  EXPECT_EQ(f.map.tileSetFile, "Data\\Maps\\T_TileSet.xml");
  ASSERT_EQ(f.tiles.size(), 4u);
  EXPECT_EQ(f.tiles[0].sprite, 1001);
  EXPECT_EQ(f.tiles[0].layer, 44);  // 300 keeps its low 8 bits
  EXPECT_EQ(f.tiles[0].pColl, 1);
  EXPECT_EQ(f.tiles[0].sColl, 0);   // only exactly "True"
  EXPECT_EQ(f.tiles[0].material, 3);
  EXPECT_EQ(f.tiles[1].sprite, 0);  // image missing
  EXPECT_EQ(f.tiles[1].material, 2);
  EXPECT_EQ(f.tiles[2].sprite, 1003);
  EXPECT_EQ(f.tiles[2].pColl, 0);
  EXPECT_EQ(f.world.sprites.SpriteWidth(1003), 16);
  EXPECT_EQ(f.tiles[3].sprite, 0);  // Floor.png is not in Data\Other
}

TEST(LoadTileSet, SecondSetFreesTheFirstAndDuplicatesShareOneNumber) {
  TileFiles f;
  ASSERT_TRUE(f.Load("<TileSet><Tile ID=\"5\"><Image File=\"Floor.png\"/></Tile>"
                     "<Tile ID=\"5\"><Image File=\"Wall.png\"/><Image File=\"Floor.png\"/>"
                     "<Image File=\"Wall.png\"/></Tile></TileSet>"));
  ASSERT_EQ(f.tiles.size(), 2u);
  EXPECT_EQ(f.tiles[1].sprite, 1005);
  EXPECT_EQ(f.world.sprites.SpriteWidth(1005), 32);  // the last image loaded wins
  ASSERT_TRUE(f.Load("<TileSet><Tile ID=\"9\"><Image File=\"Floor.png\"/></Tile></TileSet>"));
  EXPECT_FALSE(f.world.sprites.HasSprite(1005));
  EXPECT_FALSE(f.world.sprites.HasSprite3D(1005));
  EXPECT_TRUE(f.world.sprites.HasSprite3D(1009));
  ASSERT_EQ(f.tiles.size(), 1u);
  // Another root, an empty file or no file: false and nothing changes.
  EXPECT_FALSE(f.Load("<Tiles><Tile ID=\"1\"><Image File=\"Floor.png\"/></Tile></Tiles>"));
  EXPECT_FALSE(f.Load(""));
  EXPECT_FALSE(LoadTileSet(f.tiles, f.map, f.world.sprites, "Data\\Maps\\None.xml"));
  EXPECT_EQ(f.tiles.size(), 1u);
  EXPECT_TRUE(f.world.sprites.HasSprite3D(1009));
}

TEST(LoadLightDefinitions, ImagesCarryOverAndReplaceByNumber) {
  DataDir f;
  RecordingWorld world;
  f.PutPng("Data\\GFX\\Light\\Warm.png", 8, 8);
  f.PutPng("Data\\GFX\\Light\\Cold.png", 16, 16);
  f.PutPng("Data\\GFX\\Light\\Black.png", 2, 2, 0);
  std::vector<int32_t> loaded;
  f.Put("Data\\Light.xml",
        "<Lights><Light ID=\"1\"><Image File=\"Cold.png\"/><Image File=\"Warm.png\"/></Light>"
        "<Light ID=\"2\"/>"                                  // carries Warm.png over
        "<Light ID=\"3\"><Image File=\"Nope.png\"/></Light>"  // fails: not listed
        "<Light ID=\"2\"><Image File=\"Cold.png\"/></Light>"  // same number again
        "</Lights>");
  ASSERT_TRUE(LoadLightDefinitions(loaded, world.sprites, "Data\\Light.xml"));
  EXPECT_EQ(loaded, (std::vector<int32_t>{2001, 2002, 2002}));
  EXPECT_EQ(world.sprites.SpriteWidth(2001), 8);
  EXPECT_EQ(world.sprites.SpriteWidth(2002), 16);
  EXPECT_FALSE(world.sprites.HasSprite(2003));

  // A light without ID loads over the darkness image, 2000.
  PutSprite3D(world.sprites, 2000, 2, 2);
  f.Put("Data\\Light2.xml", "<Lights><Light><Image File=\"Warm.png\"/></Light></Lights>");
  ASSERT_TRUE(LoadLightDefinitions(loaded, world.sprites, "Data\\Light2.xml"));
  EXPECT_EQ(loaded, (std::vector<int32_t>{2000}));
  EXPECT_EQ(world.sprites.SpriteWidth(2000), 8);
  EXPECT_FALSE(world.sprites.HasSprite(2001));  // the previous images were released
  EXPECT_FALSE(world.sprites.HasSprite(2002));

  // No image ever named: the bare directory does not load.
  f.Put("Data\\Light3.xml", "<Lights><Light ID=\"4\"/></Lights>");
  ASSERT_TRUE(LoadLightDefinitions(loaded, world.sprites, "Data\\Light3.xml"));
  EXPECT_TRUE(loaded.empty());
  f.Put("Data\\Light4.xml", "<Light/>");
  EXPECT_FALSE(LoadLightDefinitions(loaded, world.sprites, "Data\\Light4.xml"));
}
