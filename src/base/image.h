// Decoded images: 8-bit RGBA, straight (not premultiplied) alpha, rows top to
// bottom. PNG decoding and encoding through libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // width * height * 4 bytes

  void Resize(int w, int h) {
    width = w;
    height = h;
    rgba.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
  }
  uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Images larger than this many pixels are refused (a hostile header cannot make
// the decoder allocate without bound).
constexpr int64_t kMaxImagePixels = 16 * 1024 * 1024;

// Decodes a PNG held in memory into RGBA. A corrupt or truncated PNG returns false
// and leaves out empty.
bool DecodePng(const void* data, size_t size, Image& out);
// Decodes a PNG file (game path).
bool LoadPngFile(std::string_view gamePath, Image& out);

// Colour keying for images loaded without their own alpha: pixels whose RGB is
// exactly the colour (0x00BBGGRR) get alpha 0, every other pixel alpha 255.
void ApplyColourKey(Image& image, uint32_t colour);

// Encodes an image as PNG: 8-bit RGBA, or 8-bit RGB (alpha dropped) when withAlpha
// is false. Deterministic output for the same pixels.
bool EncodePng(const Image& image, bool withAlpha, std::vector<uint8_t>& out);
// Writes a PNG to a host path (not a game path).
bool WritePngFile(const std::string& hostPath, const Image& image, bool withAlpha);
