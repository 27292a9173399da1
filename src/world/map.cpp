#include "world/map.h"

#include <algorithm>

#include "base/numbers.h"
#include "render/sprites.h"

void ResizeMapArrays(Map& map) {
  const size_t gridCells = (static_cast<size_t>(map.lastColumn) + 1) * (static_cast<size_t>(map.lastRow) + 1);
  const size_t layers = static_cast<size_t>(map.lastLayer) + 1;
  map.cells.assign(gridCells * layers, MapCell{});
  map.layerAlpha.assign(layers, 0);
  map.walkGrid.assign(gridCells, 0);
  map.shotGrid.assign(gridCells, 0);
  map.materialGrid.assign(gridCells, 0);
}

Cell CellOf(const Map& map, float x, float y) {
  if (map.tileSize == 0) return Cell{-1, -1};
  const float size = static_cast<float>(map.tileSize);
  return Cell{TruncInt(x / size), TruncInt(y / size)};
}

bool IsWalkBlocked(const Map& map, int32_t column, int32_t row) {
  return !InGrid(map, column, row) || map.walkGrid[GridIndex(map, column, row)] != 0;
}

bool IsShotBlocked(const Map& map, int32_t column, int32_t row) {
  return !InGrid(map, column, row) || map.shotGrid[GridIndex(map, column, row)] != 0;
}

uint8_t MaterialAt(const Map& map, int32_t column, int32_t row) {
  return InGrid(map, column, row) ? map.materialGrid[GridIndex(map, column, row)] : 0;
}

void SetCellBlocked(Map& map, int32_t column, int32_t row, uint8_t blocked) {
  if (!InGrid(map, column, row)) return;
  const size_t i = GridIndex(map, column, row);
  map.walkGrid[i] = blocked;
  map.shotGrid[i] = blocked;
}

namespace {

// Nearest integer, halves to even, held to the 32-bit range (a start position near
// its ends must not wrap the camera around).
int32_t RoundHeld(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483648.0f) return INT32_MAX;
  if (v < -2147483648.0f) return INT32_MIN;
  return RoundInt(v);
}

// Floor division by a positive divisor.
int64_t FloorDiv(int64_t value, int64_t divisor) {
  const int64_t q = value / divisor;
  return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

int16_t CellsToCover(int pixels, uint8_t tileSize) {
  return tileSize == 0 ? 0 : static_cast<int16_t>((pixels + tileSize - 1) / tileSize);
}

}  // namespace

void CenterCamera(Map& map, float x, float y) {
  map.camera.x = RoundHeld(x - static_cast<float>(kScreenHalfWidth));
  map.camera.y = RoundHeld(y - static_cast<float>(kScreenHalfHeight));
}

int32_t ScreenOffset(int64_t world, int32_t camera) {
  const int64_t screen = world - camera;
  return static_cast<int32_t>(std::clamp<int64_t>(screen, -kFarOffScreen, kFarOffScreen));
}

int16_t ScreenExtraColumns(uint8_t tileSize) { return CellsToCover(2 * kScreenHalfWidth, tileSize); }

int16_t ScreenExtraRows(uint8_t tileSize) { return CellsToCover(2 * kScreenHalfHeight, tileSize); }

void ComputeVisibleRange(Map& map, int16_t extraColumns, int16_t extraRows) {
  map.prompt = 0;
  if (map.tileSize == 0) {  // no map: an empty window
    map.firstVisibleColumn = map.firstVisibleRow = 0;
    map.lastVisibleColumn = map.lastVisibleRow = -1;
    return;
  }
  // 64-bit, so that a camera near the ends of the 32-bit range cannot wrap.
  const int64_t column = FloorDiv(map.camera.x, map.tileSize);
  const int64_t row = FloorDiv(map.camera.y, map.tileSize);
  map.firstVisibleColumn = static_cast<int32_t>(std::max<int64_t>(column, 0));
  map.firstVisibleRow = static_cast<int32_t>(std::max<int64_t>(row, 0));
  map.lastVisibleColumn = static_cast<int32_t>(std::clamp<int64_t>(column + extraColumns, INT32_MIN, map.lastColumn));
  map.lastVisibleRow = static_cast<int32_t>(std::clamp<int64_t>(row + extraRows, INT32_MIN, map.lastRow));
}

void DrawLayer(const Map& map, SpriteStore& sprites, uint8_t layer) {
  if (layer > map.lastLayer || map.tileSize == 0) return;
  const int64_t size = map.tileSize;
  for (int32_t row = map.firstVisibleRow; row <= map.lastVisibleRow; ++row) {
    for (int32_t column = map.firstVisibleColumn; column <= map.lastVisibleColumn; ++column) {
      if (!InGrid(map, column, row)) continue;
      const MapCell& cell = map.cells[CellIndex(map, layer, column, row)];
      if (cell.sprite == 0) continue;
      sprites.Display(cell.sprite, ScreenOffset(column * size, map.camera.x), ScreenOffset(row * size, map.camera.y),
                      map.layerAlpha[layer]);
    }
  }
}
