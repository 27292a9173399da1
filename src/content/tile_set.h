// Tile set files ("Data\Maps\" + map name + "_TileSet.xml"): each "Tile" gives an
// image that loads as sprite 1000 + ID, plus a layer, two collision flags and a
// material that are kept but not used (the map file's cells carry their own).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class SpriteStore;
struct Map;

constexpr int32_t kTileSpriteBase = 1000;

struct TileDef {
  int32_t sprite = 0;    // 1000 + ID when the tile's image loaded, else 0
  uint8_t pColl = 0;     // 1 when "PColl" was exactly "True"
  uint8_t sColl = 0;     // 1 when "SColl" was exactly "True"
  uint8_t layer = 0;     // low 8 bits of "L"
  uint8_t material = 0;  // low 8 bits of "M"
};

// Loads a tile set: true when the file was read and its root is "TileSet". Then the
// map's tileSetFile becomes `path`, the images of the previous set are freed and the
// list is rebuilt in file order. A missing file or another root changes nothing.
bool LoadTileSet(std::vector<TileDef>& tiles, Map& map, SpriteStore& sprites, std::string_view path);
