#include "content/map_format.h"

#include <algorithm>

#include "base/files.h"

namespace {

// Little-endian fields from a file; reads past the end give zero bytes and are noted.
struct FieldReader {
  FileReader& file;
  bool endedEarly = false;

  void Bytes(uint8_t* out, size_t n) {
    if (file.ReadBytes(out, n) < n) endedEarly = true;
  }
  uint8_t U8() {
    uint8_t b = 0;
    Bytes(&b, 1);
    return b;
  }
  uint32_t U32() {
    uint8_t b[4];
    Bytes(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int16_t I16() {
    uint8_t b[2];
    Bytes(b, 2);
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
  }
};

// The header line: bytes up to a carriage return, a line feed, a zero byte or the
// end of the file. A line feed right after a carriage return belongs to the line
// end; any other byte there is already the tile size, and is returned (else -1).
int ReadHeaderLine(FieldReader& in, MapFileRecord& record) {
  record.headerText.clear();
  uint8_t c = 0;
  while (in.file.ReadBytes(&c, 1) == 1) {
    if (c == '\n' || c == 0) {
      record.headerEnd = c == '\n' ? HeaderLineEnd::kLf : HeaderLineEnd::kZero;
      return -1;
    }
    if (c == '\r') {
      uint8_t next = 0;
      if (in.file.ReadBytes(&next, 1) == 1 && next != '\n') {
        record.headerEnd = HeaderLineEnd::kCr;
        return next;
      }
      record.headerEnd = next == '\n' ? HeaderLineEnd::kCrLf : HeaderLineEnd::kCr;
      return -1;
    }
    if (record.headerText.size() < kMaxHeaderLine) {
      record.headerText.push_back(static_cast<char>(c));
    } else {
      record.headerTextCut = true;
    }
  }
  record.headerEnd = HeaderLineEnd::kEndOfFile;
  in.endedEarly = true;
  return -1;
}

void ReadHeader(FieldReader& in, MapFileRecord& record) {
  record.headerValueBits = in.U32();
  const int ahead = ReadHeaderLine(in, record);
  record.tileSize = ahead >= 0 ? static_cast<uint8_t>(ahead) : in.U8();
  record.lastColumn = in.I32();
  record.lastRow = in.I32();
  record.lastLayer = in.U8();
  record.startX = in.I32();
  record.startY = in.I32();
}

// Cells come layer by layer, row by row, column by column; they are kept with the
// row varying fastest.
void ReadCells(FieldReader& in, MapFileRecord& record) {
  const size_t columns = static_cast<size_t>(record.lastColumn) + 1;
  const size_t rows = static_cast<size_t>(record.lastRow) + 1;
  const size_t layers = static_cast<size_t>(record.lastLayer) + 1;
  record.cells.assign(layers * columns * rows, MapCell{});
  for (size_t layer = 0; layer < layers; ++layer) {
    for (size_t row = 0; row < rows; ++row) {
      for (size_t column = 0; column < columns; ++column) {
        uint8_t b[kMapCellBytes];
        in.Bytes(b, kMapCellBytes);
        MapCell& cell = record.cells[(layer * columns + column) * rows + row];
        cell.sprite = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
        cell.walkFlag = static_cast<int8_t>(b[4]);
        cell.shotFlag = static_cast<int8_t>(b[5]);
        cell.material = b[6];
      }
    }
  }
}

// A record count held to the whole records left in the file (negative reads as 0).
uint64_t HeldCount(int32_t count, FileReader& file, int recordBytes) {
  if (count <= 0) return 0;
  return std::min<uint64_t>(static_cast<uint64_t>(count), file.Remaining() / static_cast<uint64_t>(recordBytes));
}

void ReadLights(FieldReader& in, std::vector<Light>& lights) {
  const uint64_t count = HeldCount(in.I32(), in.file, kMapLightBytes);
  lights.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    Light light;
    light.sprite = in.I32();
    light.x = in.I32();
    light.y = in.I32();
    light.width = in.I16();
    light.height = in.I16();
    light.angle = in.I16();
    light.on = in.U8();
    lights.push_back(light);
  }
}

void ReadDoors(FieldReader& in, std::vector<DoorPlacement>& doors) {
  const uint64_t count = HeldCount(in.I32(), in.file, kMapDoorBytes);
  doors.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    DoorPlacement door;
    door.animationId = in.I32();
    door.column = in.I32();
    door.row = in.I32();
    doors.push_back(door);
  }
}

}  // namespace

std::string CheckMapDimensions(uint8_t tileSize, int32_t lastColumn, int32_t lastRow, uint8_t lastLayer) {
  if (tileSize == 0) return "its tile size is 0";
  if (lastColumn < 0 || lastRow < 0) return "its last column or last row is negative";
  const std::string tooMany = "it has more than " + std::to_string(kMaxMapCells) + " cells";
  // Each factor is at most kMaxMapCells before they are multiplied, so the product
  // stays below 2^57 and cannot wrap.
  const int64_t columns = int64_t{lastColumn} + 1;
  const int64_t rows = int64_t{lastRow} + 1;
  if (columns > kMaxMapCells || rows > kMaxMapCells) return tooMany;
  if ((int64_t{lastLayer} + 1) * columns * rows > kMaxMapCells) return tooMany;
  return {};
}

bool DecodeMapFile(FileReader& file, MapFileRecord& record, std::string& why) {
  record = MapFileRecord{};
  FieldReader in{file};
  ReadHeader(in, record);
  why = CheckMapDimensions(record.tileSize, record.lastColumn, record.lastRow, record.lastLayer);
  if (!why.empty()) return false;
  ReadCells(in, record);
  ReadLights(in, record.lights);
  ReadDoors(in, record.doors);
  record.endedEarly = in.endedEarly;
  record.trailingBytes = file.Remaining();
  return true;
}
