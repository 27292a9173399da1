// PNG decoding and encoding through libpng's full API. Every colour type and bit
// depth is expanded to 8-bit RGBA with straight alpha; no gamma correction is
// applied, so the stored sample values come out unchanged (16-bit samples are
// scaled to 8 bits).
//
// libpng reports errors by longjmp. The functions that call setjmp hold only plain
// locals; every C++ object they touch lives in a caller's frame, so a jump never
// skips a destructor.
#include "base/image.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "base/files.h"

namespace {

// Ancillary chunks (text, profiles) larger than this are dropped, whatever libpng's
// own build default.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

void OnPngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->size - source->pos) png_error(png, "truncated");
  std::memcpy(out, source->data + source->pos, length);
  source->pos += length;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp /*png*/) {}

// Asks libpng for 8-bit RGBA whatever the file holds.
void RequestRgba8(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8 bits, tRNS to alpha
  png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTrns) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
}

// True when every chunk up to IEND lies inside the bytes. libpng refuses a file
// whose chunk runs past its end too, but only after allocating the length the
// chunk claims (up to 2 GB: an oversized chunk is a mere warning when reading).
bool ChunksFit(const uint8_t* data, size_t size) {
  size_t pos = 8;  // after the signature
  for (;;) {
    if (size - pos < 12) return false;
    const uint8_t* chunk = data + pos;
    const uint32_t length =
        (uint32_t{chunk[0]} << 24) | (uint32_t{chunk[1]} << 16) | (uint32_t{chunk[2]} << 8) | chunk[3];
    if (length > size - pos - 12) return false;
    pos += 12 + size_t{length};
    if (std::memcmp(chunk + 4, "IEND", 4) == 0) return true;
  }
}

bool HeaderFits(png_structp png, png_infop info) {
  const int64_t width = png_get_image_width(png, info);
  const int64_t height = png_get_image_height(png, info);
  return width > 0 && height > 0 && width * height <= kMaxImagePixels;
}

// Decodes with an already created read struct. out.rgba is only resized here; on
// an error the caller clears it.
bool DecodeRows(png_structp png, png_infop info, MemorySource* source, Image& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadFromMemory);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_read_info(png, info);
  if (!HeaderFits(png, info)) return false;
  RequestRgba8(png, info);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4) return false;
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) return false;
  out.Resize(width, height);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < height; ++y) png_read_row(png, out.Pixel(0, y), nullptr);
  }
  png_read_end(png, nullptr);
  return true;
}

bool EncodeRows(png_structp png, png_infop info, const Image& image, bool withAlpha,
                std::vector<uint8_t>* out, std::vector<uint8_t>* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, WriteToVector, FlushNothing);
  png_set_compression_level(png, 6);
  png_set_compression_strategy(png, 0);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB | PNG_FILTER_UP | PNG_FILTER_PAETH);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* src = image.Pixel(0, y);
    if (withAlpha) {
      png_write_row(png, src);
      continue;
    }
    for (int x = 0; x < image.width; ++x) std::memcpy(&(*row)[static_cast<size_t>(x) * 3], src + x * 4, 3);
    png_write_row(png, row->data());
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool DecodePng(const void* data, size_t size, Image& out) {
  out = Image{};
  if (data == nullptr || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) return false;
  if (!ChunksFit(static_cast<const uint8_t*>(data), size)) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemorySource source{static_cast<const uint8_t*>(data), size, 0};
  const bool ok = DecodeRows(png, info, &source, out);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) out = Image{};
  return ok;
}

bool LoadPngFile(std::string_view gamePath, Image& out) {
  out = Image{};
  std::string bytes;
  if (!ReadWholeFile(gamePath, bytes)) return false;
  return DecodePng(bytes.data(), bytes.size(), out);
}

void ApplyColourKey(Image& image, uint32_t colour) {
  const uint8_t r = colour & 0xFF;
  const uint8_t g = (colour >> 8) & 0xFF;
  const uint8_t b = (colour >> 16) & 0xFF;
  for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
    uint8_t* p = &image.rgba[i];
    p[3] = (p[0] == r && p[1] == g && p[2] == b) ? 0 : 255;
  }
}

bool EncodePng(const Image& image, bool withAlpha, std::vector<uint8_t>& out) {
  out.clear();
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<uint8_t> row(withAlpha ? 0 : static_cast<size_t>(image.width) * 3);
  const bool ok = EncodeRows(png, info, image, withAlpha, &out, &row);
  png_destroy_write_struct(&png, &info);
  if (!ok) out.clear();
  return ok;
}

bool WritePngFile(const std::string& hostPath, const Image& image, bool withAlpha) {
  std::vector<uint8_t> bytes;
  if (!EncodePng(image, withAlpha, bytes)) return false;
  std::FILE* file = std::fopen(hostPath.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}
