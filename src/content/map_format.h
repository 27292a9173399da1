// The bytes of a map file ("NAME.map") decoded into plain records, touching no
// sprite, tile set or animation: the one reader of the format, used by the game's
// map loader and by mapc.
//
// Layout, little-endian, no padding:
//   f32 header value | header text + line end | u8 tile size | i32 last column |
//   i32 last row | u8 last layer | i32 start x | i32 start y |
//   cells (7 bytes each) layer by layer, row by row, column by column |
//   i32 light count | lights (19 bytes each) | i32 door count | doors (12 bytes each)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effects/lighting.h"
#include "world/map.h"

class FileReader;

// Sizes of the records after the header.
constexpr int kMapCellBytes = 7;
constexpr int kMapLightBytes = 19;
constexpr int kMapDoorBytes = 12;
// Bytes of the header line that are kept (the game itself keeps 64); the rest of a
// longer line is consumed and dropped.
constexpr size_t kMaxHeaderLine = 1u << 20;

// What ended the header line.
enum class HeaderLineEnd : uint8_t { kCrLf, kLf, kCr, kZero, kEndOfFile };

// A door placement as stored: its animation and its cell.
struct DoorPlacement {
  int32_t animationId = 0;
  int32_t column = 0;
  int32_t row = 0;
};

struct MapFileRecord {
  uint32_t headerValueBits = 0;     // the header value's IEEE-754 bits
  std::string headerText;           // the header line without its end mark
  HeaderLineEnd headerEnd = HeaderLineEnd::kCrLf;
  bool headerTextCut = false;       // the line was longer than kMaxHeaderLine
  uint8_t tileSize = 0;
  int32_t lastColumn = 0;
  int32_t lastRow = 0;
  uint8_t lastLayer = 0;
  int32_t startX = 0;
  int32_t startY = 0;
  std::vector<MapCell> cells;       // [layer][column][row], the row varying fastest, as Map keeps them
  std::vector<Light> lights;        // the 19-byte records, field for field
  std::vector<DoorPlacement> doors;
  bool endedEarly = false;          // a read went past the end (those bytes read as zeros)
  uint64_t trailingBytes = 0;       // bytes after the last door
};

// Empty when the dimensions describe a map the game can hold, else why not: a tile
// size of 0, a negative last column or row, or more than kMaxMapCells cells over
// all layers. Each factor is bounded before the cell count is multiplied out, so no
// header can wrap the product.
std::string CheckMapDimensions(uint8_t tileSize, int32_t lastColumn, int32_t lastRow, uint8_t lastLayer);

// Decodes a map file from the reader's position to its end. Reads past the end give
// zero bytes; the light and door counts are held to the whole records the file
// still holds (a negative count reads as 0). False, with `why`, when the header's
// dimensions are refused; nothing after the header is read then.
bool DecodeMapFile(FileReader& file, MapFileRecord& record, std::string& why);
