// The world of one map: the map record (dimensions, camera, visible window), the
// cell layers with their alphas, and the three per-cell grids the game queries:
// where one may walk, where shots stop, and what a cell is made of.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class SpriteStore;

// Half the 1024x768 screen: the camera keeps a point at the screen centre.
constexpr int kScreenHalfWidth = 512;
constexpr int kScreenHalfHeight = 384;

// Bounds a map must respect to be loaded: more cells than this (over all layers)
// would let a 4-byte field make the game allocate without bound.
constexpr int64_t kMaxMapCells = 16777216;

struct MapCell {
  int32_t sprite = 0;    // sprite drawn for the cell (1000 + tile ID); 0 = nothing
  int8_t walkFlag = 0;   // exactly 1 blocks walking
  int8_t shotFlag = 0;   // exactly 1 blocks shots
  uint8_t material = 0;  // 0 = none
};

// World position of the screen's top-left corner.
struct Camera {
  int32_t x = 0;
  int32_t y = 0;
};

struct Cell {
  int32_t column = 0;
  int32_t row = 0;
};

struct Map {
  float headerValue = 0.0f;               // first field of the map file, not interpreted
  std::array<char, 64> headerText{};      // zero-padded, not interpreted
  std::string tileSetFile;                // the tile set file that was loaded
  uint8_t tileSize = 0;                   // cell edge in pixels; 0 until a map is loaded
  uint8_t lastLayer = 0;                  // layers 0..lastLayer
  int32_t lastColumn = 0;                 // columns 0..lastColumn
  int32_t lastRow = 0;                    // rows 0..lastRow
  int32_t pixelWidth = 0;                 // lastColumn * tileSize (from the highest index)
  int32_t pixelHeight = 0;                // lastRow * tileSize
  Camera camera;                          // world x, y of the screen's top-left corner
  int32_t firstVisibleColumn = 0;         // visible window, recomputed every frame
  int32_t firstVisibleRow = 0;
  int32_t lastVisibleColumn = 0;          // inclusive
  int32_t lastVisibleRow = 0;
  int32_t startX = 0;                     // player start, world pixels
  int32_t startY = 0;
  const float* frontX = nullptr;          // the player's front point (set at start-up)
  const float* frontY = nullptr;
  uint8_t prompt = 0;                     // 0 none, 1 the door prompt (this frame)

  // [layer][column][row], the row index varying fastest.
  std::vector<MapCell> cells = std::vector<MapCell>(1);
  std::vector<uint8_t> layerAlpha = std::vector<uint8_t>(1, 0);
  // [column][row], the row index varying fastest; 1x1 before a map is loaded.
  std::vector<uint8_t> walkGrid = std::vector<uint8_t>(1, 0);
  std::vector<uint8_t> shotGrid = std::vector<uint8_t>(1, 0);
  std::vector<uint8_t> materialGrid = std::vector<uint8_t>(1, 0);
};

// True when (column, row) lies inside the grids.
inline bool InGrid(const Map& map, int32_t column, int32_t row) {
  return column >= 0 && row >= 0 && column <= map.lastColumn && row <= map.lastRow;
}
// Index into a grid; only for cells inside it.
inline size_t GridIndex(const Map& map, int32_t column, int32_t row) {
  return static_cast<size_t>(column) * (static_cast<size_t>(map.lastRow) + 1) + static_cast<size_t>(row);
}
// Index into cells; only for cells inside the grid and layers up to lastLayer.
inline size_t CellIndex(const Map& map, int layer, int32_t column, int32_t row) {
  const size_t perLayer = (static_cast<size_t>(map.lastColumn) + 1) * (static_cast<size_t>(map.lastRow) + 1);
  return static_cast<size_t>(layer) * perLayer + GridIndex(map, column, row);
}

// Re-creates cells, layer alphas and grids zero-filled for the map's current
// lastLayer, lastColumn and lastRow (which must be within bounds).
void ResizeMapArrays(Map& map);

// The cell of a world position: each coordinate divided by the tile size as reals
// and truncated toward zero (-10 lies in column 0). With no tile size the cell is
// (-1, -1), outside every grid.
Cell CellOf(const Map& map, float x, float y);

// Cells outside the grids read as blocked, and as material 0.
bool IsWalkBlocked(const Map& map, int32_t column, int32_t row);
bool IsShotBlocked(const Map& map, int32_t column, int32_t row);
uint8_t MaterialAt(const Map& map, int32_t column, int32_t row);
// Sets both blocking grids at a cell (doors); cells outside the grids are ignored.
void SetCellBlocked(Map& map, int32_t column, int32_t row, uint8_t blocked);

// Puts (x, y) at the screen centre: camera = (round(x - 512), round(y - 384)), held
// to the 32-bit range.
void CenterCamera(Map& map, float x, float y);

// Screen positions further off the screen than this are drawn at this distance:
// still off the screen, with room for the sprite's size inside 32 bits.
constexpr int64_t kFarOffScreen = 1 << 30;

// world - camera, computed in 64 bits and held to +-kFarOffScreen (positions near the
// ends of the 32-bit range would otherwise overflow).
int32_t ScreenOffset(int64_t world, int32_t camera);

// The extra columns and rows of the visible window that cover the whole 1024x768
// screen from any camera: ceil(1024 / tileSize) and ceil(768 / tileSize) (16 and 12
// for 64-pixel tiles); 0 without a tile size.
int16_t ScreenExtraColumns(uint8_t tileSize);
int16_t ScreenExtraRows(uint8_t tileSize);

// The window of cells drawn this frame: first = floor(camera / tileSize), the cell
// under the screen's top-left pixel, last = first + extra; negative firsts become 0
// and lasts are held to the map; the lasts come from the unclamped firsts, so a
// camera left of or above the map does not shrink the window. Also clears the
// prompt.
void ComputeVisibleRange(Map& map, int16_t extraColumns, int16_t extraRows);

// Draws the visible cells of one layer, rows top to bottom, columns left to right,
// each cell's sprite at its own size, unrotated, with the layer's alpha.
void DrawLayer(const Map& map, SpriteStore& sprites, uint8_t layer);
