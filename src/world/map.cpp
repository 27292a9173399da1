#include "world/map.h"

#include "services/numbers.h"
#include "services/sprites.h"

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

void CenterCamera(Map& map, float x, float y) {
  map.camera.x = RoundInt(x - static_cast<float>(kScreenHalfWidth));
  map.camera.y = RoundInt(y - static_cast<float>(kScreenHalfHeight));
}

void ComputeVisibleRange(Map& map, int16_t extraColumns, int16_t extraRows) {
  map.prompt = 0;
  if (map.tileSize == 0) {  // no map: an empty window
    map.firstVisibleColumn = map.firstVisibleRow = 0;
    map.lastVisibleColumn = map.lastVisibleRow = -1;
    return;
  }
  const int32_t column = map.camera.x / map.tileSize;
  const int32_t row = map.camera.y / map.tileSize;
  map.firstVisibleColumn = column < 0 ? 0 : column;
  map.firstVisibleRow = row < 0 ? 0 : row;
  const int64_t lastColumn = static_cast<int64_t>(column) + extraColumns;
  const int64_t lastRow = static_cast<int64_t>(row) + extraRows;
  map.lastVisibleColumn = static_cast<int32_t>(lastColumn > map.lastColumn ? map.lastColumn : lastColumn);
  map.lastVisibleRow = static_cast<int32_t>(lastRow > map.lastRow ? map.lastRow : lastRow);
}

void DrawLayer(const Map& map, SpriteStore& sprites, uint8_t layer) {
  if (layer > map.lastLayer || map.tileSize == 0) return;
  const int32_t size = map.tileSize;
  for (int32_t row = map.firstVisibleRow; row <= map.lastVisibleRow; ++row) {
    for (int32_t column = map.firstVisibleColumn; column <= map.lastVisibleColumn; ++column) {
      if (!InGrid(map, column, row)) continue;
      const MapCell& cell = map.cells[CellIndex(map, layer, column, row)];
      if (cell.sprite == 0) continue;
      sprites.Display(cell.sprite, column * size - map.camera.x, row * size - map.camera.y,
                      map.layerAlpha[layer]);
    }
  }
}
