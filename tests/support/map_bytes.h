// Builds map files byte by byte for tests of the map loader.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

class MapBytes {
 public:
  MapBytes& F32(float v) { return Raw(&v, 4); }
  MapBytes& I32(int32_t v) { return Raw(&v, 4); }
  MapBytes& I16(int16_t v) { return Raw(&v, 2); }
  MapBytes& U8(uint8_t v) { return Raw(&v, 1); }
  MapBytes& Text(const std::string& text) {
    bytes_ += text;
    return *this;
  }
  // The header up to the cells.
  MapBytes& Header(uint8_t tileSize, int32_t lastColumn, int32_t lastRow, uint8_t lastLayer, int32_t startX = 96,
                   int32_t startY = 96, const std::string& text = "Test map\r\n") {
    return F32(1.5f).Text(text).U8(tileSize).I32(lastColumn).I32(lastRow).U8(lastLayer).I32(startX).I32(startY);
  }
  MapBytes& Cell(int32_t sprite, int8_t walk = 0, int8_t shot = 0, uint8_t material = 0) {
    return I32(sprite).U8(static_cast<uint8_t>(walk)).U8(static_cast<uint8_t>(shot)).U8(material);
  }
  MapBytes& Light(int32_t sprite, int32_t x, int32_t y, int16_t w, int16_t h, int16_t angle, uint8_t on) {
    return I32(sprite).I32(x).I32(y).I16(w).I16(h).I16(angle).U8(on);
  }
  MapBytes& Door(int32_t id, int32_t column, int32_t row) { return I32(id).I32(column).I32(row); }
  const std::string& bytes() const { return bytes_; }

 private:
  MapBytes& Raw(const void* p, size_t n) {
    bytes_.append(static_cast<const char*>(p), n);
    return *this;
  }
  std::string bytes_;
};
