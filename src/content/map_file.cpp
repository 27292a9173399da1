#include "content/map_file.h"

#include <algorithm>
#include <cstring>

#include "services/files.h"

namespace {

struct MapHeader {
  float headerValue = 0.0f;
  std::string headerText;
  uint8_t tileSize = 0;
  int32_t lastColumn = 0;
  int32_t lastRow = 0;
  uint8_t lastLayer = 0;
  int32_t startX = 0;
  int32_t startY = 0;
};

MapHeader ReadHeader(FileReader& file) {
  MapHeader header;
  header.headerValue = file.ReadFloat();
  header.headerText = file.ReadLine(64);
  header.tileSize = file.ReadUint8();
  header.lastColumn = file.ReadInt32();
  header.lastRow = file.ReadInt32();
  header.lastLayer = file.ReadUint8();
  header.startX = file.ReadInt32();
  header.startY = file.ReadInt32();
  return header;
}

// Empty when the header describes a map the game can hold, else why not.
std::string CheckHeader(const MapHeader& header) {
  if (header.tileSize == 0) return "its tile size is 0";
  if (header.lastColumn < 0 || header.lastRow < 0) return "its last column or last row is negative";
  const int64_t cells = (int64_t{header.lastLayer} + 1) * (int64_t{header.lastColumn} + 1) *
                        (int64_t{header.lastRow} + 1);
  if (cells > kMaxMapCells) return "it has more than 16777216 cells";
  return {};
}

int32_t Extent(int32_t last, uint8_t tileSize) {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{last} * tileSize, INT32_MAX));
}

void ApplyHeader(Map& map, const MapHeader& header) {
  map.headerValue = header.headerValue;
  map.headerText.fill(0);
  std::memcpy(map.headerText.data(), header.headerText.data(), std::min<size_t>(64, header.headerText.size()));
  map.tileSize = header.tileSize;
  map.lastColumn = header.lastColumn;
  map.lastRow = header.lastRow;
  map.lastLayer = header.lastLayer;
  map.startX = header.startX;
  map.startY = header.startY;
  map.pixelWidth = Extent(map.lastColumn, map.tileSize);
  map.pixelHeight = Extent(map.lastRow, map.tileSize);
}

// Cells layer by layer, row by row, column by column; the grids combine all layers.
void ReadCells(FileReader& file, Map& map) {
  for (int layer = 0; layer <= map.lastLayer; ++layer) {
    map.layerAlpha[static_cast<size_t>(layer)] = 255;
    for (int32_t row = 0; row <= map.lastRow; ++row) {
      for (int32_t column = 0; column <= map.lastColumn; ++column) {
        MapCell& cell = map.cells[CellIndex(map, layer, column, row)];
        cell.sprite = file.ReadInt32();
        cell.walkFlag = file.ReadInt8();
        cell.shotFlag = file.ReadInt8();
        cell.material = file.ReadUint8();
        const size_t i = GridIndex(map, column, row);
        if (cell.walkFlag == 1) map.walkGrid[i] = 1;
        if (cell.shotFlag == 1) map.shotGrid[i] = 1;
        if (cell.material != 0) map.materialGrid[i] = cell.material;
      }
    }
  }
}

// A record count held to the whole records left in the file (negative reads as 0).
int64_t HeldCount(int32_t count, FileReader& file, int recordBytes) {
  if (count <= 0) return 0;
  return std::min<int64_t>(count, static_cast<int64_t>(file.Remaining() / static_cast<uint64_t>(recordBytes)));
}

void ReadLights(FileReader& file, std::vector<Light>& lights) {
  const int64_t count = HeldCount(file.ReadInt32(), file, kMapLightBytes);
  for (int64_t i = 0; i < count; ++i) {
    Light light;
    light.sprite = file.ReadInt32();
    light.x = file.ReadInt32();
    light.y = file.ReadInt32();
    light.width = file.ReadInt16();
    light.height = file.ReadInt16();
    light.angle = file.ReadInt16();
    light.on = file.ReadUint8();
    lights.push_back(light);
  }
}

void ReadDoors(FileReader& file, const MapTargets& targets) {
  const int64_t count = HeldCount(file.ReadInt32(), file, kMapDoorBytes);
  for (int64_t i = 0; i < count; ++i) {
    const int32_t animationId = file.ReadInt32();
    const int32_t column = file.ReadInt32();
    const int32_t row = file.ReadInt32();
    PlaceDoor(targets.doors, targets.map, targets.animations, animationId, column, row);
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
  const MapHeader header = ReadHeader(file);
  const std::string problem = CheckHeader(header);
  if (!problem.empty()) return Fail(why, "\"" + base + ".map\" is refused: " + problem);

  Map& map = targets.map;
  ApplyHeader(map, header);
  ResizeMapArrays(map);
  targets.doors.clear();
  targets.lights.clear();
  ReadCells(file, map);
  ReadLights(file, targets.lights);
  ReadDoors(file, targets);
  return true;
}
