// Checks of the content file loaders: each input is written to the scratch Data
// tree under the name the game would read it from, then loaded.
#include <algorithm>
#include <cstring>

#include "combat/enemies.h"
#include "content/animation_set.h"
#include "content/enemy_list.h"
#include "content/light_definitions.h"
#include "content/map_file.h"
#include "content/tile_set.h"
#include "fuzz_checks.h"
#include "fuzz_tree.h"
#include "render/recording_renderer.h"
#include "render/sprites.h"

namespace {

struct World {
  RecordingRenderer renderer;
  SpriteStore sprites{renderer};
};

size_t Count(std::string_view text, std::string_view word) {
  size_t n = 0;
  for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

// A 3 x 2 map with one wall and one light, the state a refused map must leave.
Map MapBeforeLoad() {
  Map map;
  map.headerValue = 2.5f;
  std::memcpy(map.headerText.data(), "before", 6);
  map.tileSize = 32;
  map.lastColumn = 2;
  map.lastRow = 1;
  map.pixelWidth = 64;
  map.pixelHeight = 32;
  map.startX = 40;
  map.startY = 20;
  map.cells.assign(6, MapCell{});
  map.cells[3] = MapCell{1001, 1, 1, 2};
  map.layerAlpha.assign(1, 255);
  map.walkGrid.assign(6, 0);
  map.walkGrid[3] = 1;
  map.shotGrid = map.walkGrid;
  map.materialGrid.assign(6, 0);
  map.materialGrid[3] = 2;
  return map;
}

bool SameMap(const Map& a, const Map& b) {
  return std::memcmp(&a.headerValue, &b.headerValue, sizeof a.headerValue) == 0 && a.headerText == b.headerText &&
         a.tileSize == b.tileSize && a.lastLayer == b.lastLayer && a.lastColumn == b.lastColumn &&
         a.lastRow == b.lastRow && a.pixelWidth == b.pixelWidth && a.pixelHeight == b.pixelHeight &&
         a.startX == b.startX && a.startY == b.startY && a.layerAlpha == b.layerAlpha &&
         a.walkGrid == b.walkGrid && a.shotGrid == b.shotGrid && a.materialGrid == b.materialGrid &&
         a.cells.size() == b.cells.size() &&
         std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), [](const MapCell& x, const MapCell& y) {
           return x.sprite == y.sprite && x.walkFlag == y.walkFlag && x.shotFlag == y.shotFlag &&
                  x.material == y.material;
         });
}

// Door animations as the game has them: IDs 2-5 with 19 frames, 6 with too few.
void AddDoorTables(Animations& animations) {
  for (int id = 2; id <= 6; ++id) {
    auto table = std::make_shared<FrameTable>();
    table->count = id == 6 ? 4 : 18;
    table->frameSprites.assign(static_cast<size_t>(table->count) + 1, 0);
    animations.table[static_cast<size_t>(id)] = table;
  }
}

// Every table holds count + 1 frames (none for a negative count), within bounds.
std::string CheckTables(const Animations& animations) {
  for (const auto& table : animations.table) {
    if (!table) continue;
    if (table->count > kMaxFrameCount) return "a frame count above its bound";
    const size_t expected = table->count >= 0 ? static_cast<size_t>(table->count) + 1 : 0;
    if (table->frameSprites.size() != expected) return "a frame table whose size is not count + 1";
    for (int32_t sprite : table->frameSprites) {
      if (sprite != 0 && sprite < kFrameSpriteBase) return "a frame sprite outside the frame images";
    }
  }
  return {};
}

}  // namespace

std::string CheckMapFile(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\Maps\\F_TileSet.xml",
              "<TileSet><Tile ID=\"1\"><Image File=\"Floor Concrete.png\"/><Layer L=\"0\"/></Tile></TileSet>");
  PutFuzzFile("Data\\Maps\\F.map", input);
  World world;
  const Map before = MapBeforeLoad();
  Map map = before;
  std::vector<TileDef> tiles;
  std::vector<Light> lights(1);
  std::vector<Door> doors(1);
  Animations animations;
  AddDoorTables(animations);
  std::string why;
  if (!LoadMap(MapTargets{map, tiles, lights, doors, animations, world.sprites}, "Data\\Maps\\F", &why)) {
    if (why.empty()) return "a refused map without a reason";
    if (!SameMap(map, before) || lights.size() != 1 || doors.size() != 1) return "a refused map changed the map";
    return {};
  }
  const int64_t perLayer = (int64_t{map.lastColumn} + 1) * (int64_t{map.lastRow} + 1);
  if (map.tileSize == 0 || map.lastColumn < 0 || map.lastRow < 0) return "a map with impossible dimensions loaded";
  if (perLayer * (map.lastLayer + 1) > kMaxMapCells) return "a map above the cell bound loaded";
  if (map.cells.size() != static_cast<size_t>(perLayer * (map.lastLayer + 1))) return "cells do not fill the layers";
  if (map.walkGrid.size() != static_cast<size_t>(perLayer) || map.shotGrid.size() != map.walkGrid.size() ||
      map.materialGrid.size() != map.walkGrid.size() || map.layerAlpha.size() != size_t{map.lastLayer} + 1u) {
    return "grids that do not match the map's size";
  }
  if (lights.size() > input.size() / 19 || doors.size() > input.size() / 12) return "more records than bytes";
  for (const Door& door : doors) {
    if (!InGrid(map, door.column, door.row)) return "a door outside the map";
    if (map.walkGrid[GridIndex(map, door.column, door.row)] != 1) return "a door that does not block its cell";
  }
  return {};
}

std::string CheckTileSet(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\Maps\\F_TileSet.xml", input);
  World world;
  Map map;
  std::vector<TileDef> tiles(1);  // a previous set whose entry has no image
  if (!LoadTileSet(tiles, map, world.sprites, "Data\\Maps\\F_TileSet.xml")) {
    if (tiles.size() != 1 || !map.tileSetFile.empty()) return "a refused tile set changed the set";
    return {};
  }
  if (tiles.size() > Count(input, "Tile")) return "more tiles than Tile elements";
  for (const TileDef& tile : tiles) {
    if (tile.sprite != 0 && !world.sprites.HasSprite3D(tile.sprite)) return "a tile sprite without its image";
  }
  // Loading the set again frees the images of the first load before loading its own.
  const int live = world.renderer.liveTextures();
  LoadTileSet(tiles, map, world.sprites, "Data\\Maps\\F_TileSet.xml");
  if (world.renderer.liveTextures() != live) return "reloading a tile set changed the number of live images";
  return {};
}

std::string CheckAnimationSet(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\AnimationSet.xml", input);
  World world;
  Animations animations;
  AddDoorTables(animations);
  if (!LoadAnimationSet(animations, world.sprites, "Data\\AnimationSet.xml")) {
    if (!animations.table[2] || animations.table[2]->count != 18) return "a refused animation set changed the table";
    return {};
  }
  if (animations.doorAnimations.size() > Count(input, "Type")) return "more door animations than Type elements";
  return CheckTables(animations);
}

std::string CheckAnimation(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\F.xml", input);
  World world;
  Animations animations;
  AddDoorTables(animations);
  if (!LoadAnimation(animations, world.sprites, "Data\\F.xml", 3)) {
    if (!animations.table[3] || animations.table[3]->count != 18) return "a refused animation changed its entry";
    return {};
  }
  return CheckTables(animations);
}

std::string CheckLightDefinitions(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\Light.xml", input);
  World world;
  std::vector<int32_t> loaded{0};  // a previous load with nothing to free
  if (!LoadLightDefinitions(loaded, world.sprites, "Data\\Light.xml")) {
    if (loaded.size() != 1) return "a refused light file changed the list";
    return {};
  }
  if (loaded.size() > Count(input, "Light")) return "more lights than Light elements";
  for (int32_t number : loaded) {
    if (!world.sprites.HasSprite3D(number)) return "a listed light without its image";
  }
  const int live = world.renderer.liveTextures();
  LoadLightDefinitions(loaded, world.sprites, "Data\\Light.xml");
  if (world.renderer.liveTextures() != live) return "reloading the lights changed the number of live images";
  return {};
}

std::string CheckEnemyList(std::string_view input) {
  InFuzzTree tree;
  PutFuzzFile("Data\\Maps\\F_Enemys.txt", input);
  World world;
  EnemyTypeTable types{};
  FillEnemyTypes(types, world.sprites);
  EnemyList list;
  std::vector<std::string> refused;
  if (!LoadEnemyList(list, types, "Data\\Maps\\F_Enemys.txt", &refused)) return "an existing list could not be read";
  const size_t lineMarks = static_cast<size_t>(std::count_if(
      input.begin(), input.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; }));
  if (list.enemies.size() > lineMarks + 1) return "more enemies than lines";
  if (list.enemies.size() > 65536) return "more enemies than the list holds";
  if (refused.size() > 101) return "more notes than the list keeps";
  return {};
}
