// Map files: "NAME.map" (binary: header, cell layers, placed lights, placed doors)
// with its tile set "NAME_TileSet.xml" beside it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "combat/doors.h"
#include "content/map_format.h"
#include "content/tile_set.h"
#include "effects/lighting.h"
#include "world/animation.h"
#include "world/map.h"

class SpriteStore;

// Everything a map load fills.
struct MapTargets {
  Map& map;
  std::vector<TileDef>& tiles;
  std::vector<Light>& lights;
  std::vector<Door>& doors;
  const Animations& animations;
  SpriteStore& sprites;
};

// Loads basePath + "_TileSet.xml", then basePath + ".map". True when both were read.
// A missing or wrong tile set stops before the map file; a missing map file leaves
// the map as it was. The bytes are decoded by DecodeMapFile: a header that cannot
// describe a playable map (tile size 0, a negative last column or row, more than
// 16,777,216 cells over all layers) is refused and leaves the map as it was. A file that ends early reads as zeros; the
// light and door counts are held to the whole records the file still holds. On
// false, `why` (when given) says what went wrong.
bool LoadMap(const MapTargets& targets, std::string_view basePath, std::string* why = nullptr);
