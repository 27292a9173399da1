#include "map_binary.h"

#include <tuple>

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

// Little-endian reader over a byte string; reads past the end give zero bytes.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  int Peek() const { return pos_ < bytes_.size() ? static_cast<uint8_t>(bytes_[pos_]) : -1; }
  uint8_t U8() {
    if (pos_ >= bytes_.size()) {
      endedEarly_ = true;
      return 0;
    }
    return static_cast<uint8_t>(bytes_[pos_++]);
  }
  uint16_t U16() {
    uint16_t lo = U8();
    return static_cast<uint16_t>(lo | (U8() << 8));
  }
  uint32_t U32() {
    uint32_t v = 0;
    for (int shift = 0; shift < 32; shift += 8) v |= static_cast<uint32_t>(U8()) << shift;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  size_t Remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }
  bool EndedEarly() const { return endedEarly_; }

  // The header line: up to CR, LF or a zero byte; a CR followed by LF ends as one.
  void HeaderLine(std::string& text, HeaderEnd& end) {
    text.clear();
    end = HeaderEnd::CrLf;
    while (pos_ < bytes_.size()) {
      char c = bytes_[pos_++];
      if (c == '\n') {
        end = HeaderEnd::Lf;
        return;
      }
      if (c == '\0') {
        end = HeaderEnd::Nul;
        return;
      }
      if (c == '\r') {
        end = HeaderEnd::Cr;
        if (Peek() == '\n') {
          ++pos_;
          end = HeaderEnd::CrLf;
        }
        return;
      }
      text.push_back(c);
    }
    endedEarly_ = true;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  bool endedEarly_ = false;
};

// A count field clipped to the whole records the rest of the file holds.
size_t ClippedCount(int32_t count, size_t remaining, size_t recordBytes) {
  if (count <= 0) return 0;
  size_t whole = remaining / recordBytes;
  return static_cast<size_t>(count) < whole ? static_cast<size_t>(count) : whole;
}

bool ReadHeader(ByteReader& in, MapBinary& map, std::string& error) {
  map.valueBits = in.U32();
  in.HeaderLine(map.headerText, map.headerEnd);
  map.tileSize = in.U8();
  map.lastColumn = in.I32();
  map.lastRow = in.I32();
  map.lastLayer = in.U8();
  map.startX = in.I32();
  map.startY = in.I32();
  if (map.tileSize == 0) {
    error = "tile size is 0";
    return false;
  }
  if (map.lastColumn < 0 || map.lastRow < 0) {
    error = "last column " + std::to_string(map.lastColumn) + " or last row " +
            std::to_string(map.lastRow) + " is negative";
    return false;
  }
  int64_t columns = int64_t{map.lastColumn} + 1;
  int64_t rows = int64_t{map.lastRow} + 1;
  // Each factor is at most kMaxCells first, so the product cannot overflow.
  int64_t cells = columns > kMaxCells || rows > kMaxCells ? kMaxCells + 1 : map.Layers() * columns * rows;
  if (cells > kMaxCells) {
    error = "the map holds " + std::to_string(cells) + " cells, more than " + std::to_string(kMaxCells);
    return false;
  }
  return true;
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
  ByteReader in(bytes);
  map = MapBinary{};
  report = DecodeReport{};
  if (!ReadHeader(in, map, error)) return false;
  size_t count = static_cast<size_t>(map.Layers()) * static_cast<size_t>(map.Columns()) *
                 static_cast<size_t>(map.Rows());
  map.cells.resize(count);
  for (CellRecord& c : map.cells) {
    c.sprite = in.I32();
    c.walk = static_cast<int8_t>(in.U8());
    c.shot = static_cast<int8_t>(in.U8());
    c.material = in.U8();
  }
  int32_t lightCount = in.I32();
  size_t lights = ClippedCount(lightCount, in.Remaining(), kLightBytes);
  for (size_t i = 0; i < lights; ++i) {
    LightRecord l;
    l.sprite = in.I32();
    l.x = in.I32();
    l.y = in.I32();
    l.width = in.I16();
    l.height = in.I16();
    l.angle = in.I16();
    l.on = in.U8();
    map.lights.push_back(l);
  }
  int32_t doorCount = in.I32();
  size_t doors = ClippedCount(doorCount, in.Remaining(), kDoorBytes);
  for (size_t i = 0; i < doors; ++i) {
    DoorRecord d;
    d.animationId = in.I32();
    d.column = in.I32();
    d.row = in.I32();
    map.doors.push_back(d);
  }
  report.endedEarly = in.EndedEarly();
  report.trailingBytes = in.Remaining();
  return true;
}

}  // namespace mapc
