// The binary map file (NAME.map) as plain records, and its byte encoding. Reading
// is the game's own decoder (content/map_format.h), so a format rule lives in one
// place; mapc only turns its records into these.
//
// Layout, little-endian, no padding:
//   f32 header value | header text + line end | u8 tile size | i32 last column |
//   i32 last row | u8 last layer | i32 start x | i32 start y |
//   cells (7 bytes each) layer by layer, row by row, column by column |
//   i32 light count | lights (19 bytes each) | i32 door count | doors (12 bytes each)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content/map_format.h"

namespace mapc {

// One cell of one layer: what is drawn and how it blocks.
struct CellRecord {
  int32_t sprite = 0;    // sprite number drawn, 0 = nothing (tiles are 1000 + tile ID)
  int8_t walk = 0;       // exactly 1 blocks walking
  int8_t shot = 0;       // exactly 1 blocks shots
  uint8_t material = 0;  // impact material, 0 = none

  bool operator==(const CellRecord&) const = default;
  bool operator<(const CellRecord& o) const;
};

// A placed light: top-left corner, drawn size, rotation about the centre, switch.
struct LightRecord {
  int32_t sprite = 0;  // light image, 2000 + light ID
  int32_t x = 0;
  int32_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  int16_t angle = 0;
  uint8_t on = 1;

  bool operator==(const LightRecord&) const = default;
};

// A placed door: its animation and its cell.
struct DoorRecord {
  int32_t animationId = 0;
  int32_t column = 0;
  int32_t row = 0;

  bool operator==(const DoorRecord&) const = default;
};

// How the header text line is ended in the file.
enum class HeaderEnd : uint8_t { CrLf, Lf, Cr, Nul };

constexpr int kCellBytes = kMapCellBytes;
constexpr int kLightBytes = kMapLightBytes;
constexpr int kDoorBytes = kMapDoorBytes;
// Maps larger than this many cells (all layers together) are refused.
constexpr int64_t kMaxCells = kMaxMapCells;

struct MapBinary {
  uint32_t valueBits = 0x3f800000;  // the header value's IEEE-754 bits (1.0)
  std::string headerText;           // no CR, LF or zero byte inside
  HeaderEnd headerEnd = HeaderEnd::CrLf;
  uint8_t tileSize = 64;
  int32_t lastColumn = 0;
  int32_t lastRow = 0;
  uint8_t lastLayer = 0;
  int32_t startX = 0;
  int32_t startY = 0;
  std::vector<CellRecord> cells;  // [layer][row][column], file order
  std::vector<LightRecord> lights;
  std::vector<DoorRecord> doors;

  int32_t Columns() const { return lastColumn + 1; }
  int32_t Rows() const { return lastRow + 1; }
  int Layers() const { return lastLayer + 1; }
  size_t CellIndex(int layer, int32_t column, int32_t row) const {
    return (static_cast<size_t>(layer) * static_cast<size_t>(Rows()) + static_cast<size_t>(row)) *
               static_cast<size_t>(Columns()) +
           static_cast<size_t>(column);
  }
  const CellRecord& Cell(int layer, int32_t column, int32_t row) const {
    return cells[CellIndex(layer, column, row)];
  }
  bool Inside(int32_t column, int32_t row) const {
    return column >= 0 && row >= 0 && column <= lastColumn && row <= lastRow;
  }
};

// The file's bytes. cells must hold Layers() x Rows() x Columns() records.
std::string EncodeMap(const MapBinary& map);

// What decoding found besides the records.
struct DecodeReport {
  bool endedEarly = false;   // reads went past the end (they read as zero bytes)
  bool headerCut = false;    // the header line was longer than the decoder keeps
  size_t trailingBytes = 0;  // bytes left after the last door
};

// Reads a map file with the game's decoder (reads past the end give zeros). Refuses,
// with the game's message, the dimensions the game refuses: tile size 0, a negative
// last column or row, or more than kMaxCells cells. Light and door counts are
// clipped to the whole records the file still holds.
bool DecodeMap(std::string_view bytes, MapBinary& map, DecodeReport& report, std::string& error);

}  // namespace mapc
