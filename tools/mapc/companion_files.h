// The two files that go with NAME.map: the tile set (NAME_TileSet.xml) and the
// enemy list (NAME_Enemys.txt). Written by the compiler, read back by the dumper.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "map_checks.h"

namespace mapc {

// One Tile element: the image loaded as sprite 1000 + id, and the tile's record
// (layer, collision flags and material, which the game keeps but does not use).
struct TileEntry {
  int32_t id = 0;
  std::string image;
  uint8_t layer = 0;
  bool pColl = false;
  bool sColl = false;
  uint8_t material = 0;
};

inline constexpr int32_t kTileSpriteBase = 1000;

// The tile set document, tiles in the order given.
std::string WriteTileSet(const std::vector<TileEntry>& tiles);

// "type|x|y" lines ended by CR LF.
std::string WriteEnemyList(const std::vector<EnemyPlacement>& enemies);

// The image of every tile ID of a tile set document, as the game would load them:
// the last Image of the last Tile with that ID. Empty when the document is not a
// tile set.
std::map<int32_t, std::string> ReadTileImages(std::string_view xml);

// The enemies of an enemy list, read the way the game reads it (fields by the
// integer reading rule, empty lines skipped); at most maxEnemies.
std::vector<EnemyPlacement> ReadEnemyList(std::string_view text, size_t maxEnemies);

}  // namespace mapc
