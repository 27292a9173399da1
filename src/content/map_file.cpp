#include "content/map_file.h"

#include <algorithm>
#include <cstring>

#include "base/files.h"

namespace {

int32_t Extent(int32_t last, uint8_t tileSize) {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{last} * tileSize, INT32_MAX));
}

void ApplyHeader(Map& map, const MapFileRecord& record) {
  std::memcpy(&map.headerValue, &record.headerValueBits, sizeof map.headerValue);
  map.headerText.fill(0);
  std::memcpy(map.headerText.data(), record.headerText.data(),
              std::min(map.headerText.size(), record.headerText.size()));
  map.tileSize = record.tileSize;
  map.lastColumn = record.lastColumn;
  map.lastRow = record.lastRow;
  map.lastLayer = record.lastLayer;
  map.startX = record.startX;
  map.startY = record.startY;
  map.pixelWidth = Extent(map.lastColumn, map.tileSize);
  map.pixelHeight = Extent(map.lastRow, map.tileSize);
}

// Takes the decoded cells and re-creates the layer alphas and grids; the grids
// combine all layers: a flag of exactly 1 on any layer blocks, and the material of
// the highest layer with a non-zero material wins.
void TakeCells(Map& map, std::vector<MapCell>& cells) {
  const size_t gridCells = (static_cast<size_t>(map.lastColumn) + 1) * (static_cast<size_t>(map.lastRow) + 1);
  const size_t layers = static_cast<size_t>(map.lastLayer) + 1;
  map.cells = std::move(cells);
  map.layerAlpha.assign(layers, 255);
  map.walkGrid.assign(gridCells, 0);
  map.shotGrid.assign(gridCells, 0);
  map.materialGrid.assign(gridCells, 0);
  for (size_t layer = 0; layer < layers; ++layer) {
    const MapCell* cell = map.cells.data() + layer * gridCells;
    for (size_t i = 0; i < gridCells; ++i, ++cell) {
      if (cell->walkFlag == 1) map.walkGrid[i] = 1;
      if (cell->shotFlag == 1) map.shotGrid[i] = 1;
      if (cell->material != 0) map.materialGrid[i] = cell->material;
    }
  }
}

bool Fail(std::string* why, std::string text) {
  if (why) *why = std::move(text);
  return false;
}

}  // namespace

bool LoadMap(const MapTargets& targets, std::string_view basePath, std::string* why) {
  const std::string base(basePath);
  if (!LoadTileSet(targets.tiles, targets.map, targets.sprites, base + "_TileSet.xml")) {
    return Fail(why, "cannot read the tile set \"" + base + "_TileSet.xml\" (missing, or not a TileSet document)");
  }
  FileReader file;
  if (!file.Open(base + ".map")) return Fail(why, "cannot open \"" + base + ".map\"");
  MapFileRecord record;
  std::string problem;
  if (!DecodeMapFile(file, record, problem)) return Fail(why, "\"" + base + ".map\" is refused: " + problem);

  Map& map = targets.map;
  ApplyHeader(map, record);
  TakeCells(map, record.cells);
  targets.lights = std::move(record.lights);
  targets.doors.clear();
  for (const DoorPlacement& door : record.doors) {
    PlaceDoor(targets.doors, map, targets.animations, door.animationId, door.column, door.row);
  }
  return true;
}
