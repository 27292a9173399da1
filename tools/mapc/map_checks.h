// Playability checks on a compiled map: it is closed by blocking cells, the start
// and the enemies stand on free floor, doors lie inside the map, and no enemy can
// shoot at the start position.
#pragma once

#include <cstdint>
#include <vector>

#include "map_binary.h"
#include "map_source.h"

namespace mapc {

// An enemy of the enemy list, with the source line that placed it (0 if none).
struct EnemyPlacement {
  int32_t type = 0;
  int32_t x = 0;
  int32_t y = 0;
  int line = 0;
};

// Source lines for the messages; any vector may be empty (then no line is given).
struct CheckLines {
  int start = 0;
  std::vector<int> doors;    // per door of map.doors
  std::vector<int> rows;     // per row of the layer 0 grid
};

// Combined blocking of all layers, as the game builds it when it loads the map: a
// cell blocks walking (shots) when any layer's flag there is exactly 1, and a
// placed door blocks both.
struct BlockGrid {
  int32_t columns = 0;
  int32_t rows = 0;
  std::vector<uint8_t> walk;
  std::vector<uint8_t> shot;
  std::vector<uint8_t> door;

  bool Inside(int32_t c, int32_t r) const { return c >= 0 && r >= 0 && c < columns && r < rows; }
  size_t Index(int32_t c, int32_t r) const { return static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c); }
  // Outside the grid counts as blocked.
  bool WalkBlocked(int32_t c, int32_t r) const { return !Inside(c, r) || walk[Index(c, r)] != 0; }
};

BlockGrid BuildBlockGrid(const MapBinary& map);

// Adds the problems found to diags: as errors when strict, else as warnings.
// Enemies that would see the start position are always warnings.
void CheckMap(const MapBinary& map, const std::vector<EnemyPlacement>& enemies, const CheckLines& lines,
              bool strict, std::vector<Diagnostic>& diags);

}  // namespace mapc
