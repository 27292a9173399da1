#include "map_binary.h"

#include <tuple>

#include "base/files.h"

namespace mapc {

bool CellRecord::operator<(const CellRecord& o) const {
  return std::tie(sprite, walk, shot, material) < std::tie(o.sprite, o.walk, o.shot, o.material);
}

namespace {

void PutU8(std::string& out, uint8_t v) { out.push_back(static_cast<char>(v)); }

void PutU16(std::string& out, uint16_t v) {
  PutU8(out, static_cast<uint8_t>(v & 0xff));
  PutU8(out, static_cast<uint8_t>(v >> 8));
}

void PutU32(std::string& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) PutU8(out, static_cast<uint8_t>((v >> shift) & 0xff));
}

void PutI32(std::string& out, int32_t v) { PutU32(out, static_cast<uint32_t>(v)); }
void PutI16(std::string& out, int16_t v) { PutU16(out, static_cast<uint16_t>(v)); }

const char* HeaderEndBytes(HeaderEnd end) {
  switch (end) {
    case HeaderEnd::CrLf: return "\r\n";
    case HeaderEnd::Lf: return "\n";
    case HeaderEnd::Cr: return "\r";
    case HeaderEnd::Nul: return "";
  }
  return "\r\n";
}

// The decoder's line end; a header line cut short by the end of the file is
// written back with the usual CR LF.
HeaderEnd EndOf(HeaderLineEnd end) {
  switch (end) {
    case HeaderLineEnd::kLf: return HeaderEnd::Lf;
    case HeaderLineEnd::kCr: return HeaderEnd::Cr;
    case HeaderLineEnd::kZero: return HeaderEnd::Nul;
    case HeaderLineEnd::kCrLf:
    case HeaderLineEnd::kEndOfFile: break;
  }
  return HeaderEnd::CrLf;
}

}  // namespace

std::string EncodeMap(const MapBinary& map) {
  std::string out;
  out.reserve(64 + map.cells.size() * kCellBytes + map.lights.size() * kLightBytes +
              map.doors.size() * kDoorBytes);
  PutU32(out, map.valueBits);
  out += map.headerText;
  out += HeaderEndBytes(map.headerEnd);
  if (map.headerEnd == HeaderEnd::Nul) out.push_back('\0');
  PutU8(out, map.tileSize);
  PutI32(out, map.lastColumn);
  PutI32(out, map.lastRow);
  PutU8(out, map.lastLayer);
  PutI32(out, map.startX);
  PutI32(out, map.startY);
  for (const CellRecord& c : map.cells) {
    PutI32(out, c.sprite);
    PutU8(out, static_cast<uint8_t>(c.walk));
    PutU8(out, static_cast<uint8_t>(c.shot));
    PutU8(out, c.material);
  }
  PutI32(out, static_cast<int32_t>(map.lights.size()));
  for (const LightRecord& l : map.lights) {
    PutI32(out, l.sprite);
    PutI32(out, l.x);
    PutI32(out, l.y);
    PutI16(out, l.width);
    PutI16(out, l.height);
    PutI16(out, l.angle);
    PutU8(out, l.on);
  }
  PutI32(out, static_cast<int32_t>(map.doors.size()));
  for (const DoorRecord& d : map.doors) {
    PutI32(out, d.animationId);
    PutI32(out, d.column);
    PutI32(out, d.row);
  }
  return out;
}

bool DecodeMap(std::string_view bytes, MapBinary& map, DecodeReport& report, std::string& error) {
  map = MapBinary{};
  report = DecodeReport{};
  FileReader file;
  file.OpenMemory(std::string(bytes));
  MapFileRecord record;
  if (!DecodeMapFile(file, record, error)) return false;
  map.valueBits = record.headerValueBits;
  map.headerText = std::move(record.headerText);
  map.headerEnd = EndOf(record.headerEnd);
  map.tileSize = record.tileSize;
  map.lastColumn = record.lastColumn;
  map.lastRow = record.lastRow;
  map.lastLayer = record.lastLayer;
  map.startX = record.startX;
  map.startY = record.startY;
  // The game keeps the row varying fastest; here the column does (file order).
  const size_t rows = static_cast<size_t>(map.Rows());
  const size_t columns = static_cast<size_t>(map.Columns());
  map.cells.resize(record.cells.size());
  for (int layer = 0; layer < map.Layers(); ++layer) {
    for (size_t column = 0; column < columns; ++column) {
      for (size_t row = 0; row < rows; ++row) {
        const MapCell& c = record.cells[(static_cast<size_t>(layer) * columns + column) * rows + row];
        map.cells[map.CellIndex(layer, static_cast<int32_t>(column), static_cast<int32_t>(row))] =
            CellRecord{c.sprite, c.walkFlag, c.shotFlag, c.material};
      }
    }
  }
  for (const Light& l : record.lights) map.lights.push_back({l.sprite, l.x, l.y, l.width, l.height, l.angle, l.on});
  for (const DoorPlacement& d : record.doors) map.doors.push_back({d.animationId, d.column, d.row});
  report.endedEarly = record.endedEarly;
  report.headerCut = record.headerTextCut;
  report.trailingBytes = static_cast<size_t>(record.trailingBytes);
  return true;
}

}  // namespace mapc
