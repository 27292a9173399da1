#include "base/image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

// A small PNG writer of our own, independent of libpng's encoder, so the decoder
// meets every colour type, bit depth and chunk the tests need.
struct Chunk {
  std::string type;
  std::string data;
};

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string ChunkBytes(const Chunk& chunk) {
  const std::string body = chunk.type + chunk.data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return Be32(static_cast<uint32_t>(chunk.data.size())) + body + Be32(static_cast<uint32_t>(crc));
}

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(raw.size());
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  out.resize(size);
  return out;
}

// rows: the packed samples of each row, without the filter byte.
std::string MakePng(uint32_t w, uint32_t h, int depth, int colourType, const std::vector<std::string>& rows,
                    const std::vector<Chunk>& extra = {}, int interlace = 0) {
  std::string raw;
  for (const std::string& row : rows) raw += '\0' + row;
  std::string ihdr = Be32(w) + Be32(h);
  ihdr += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, static_cast<char>(interlace)};
  std::string png = "\x89PNG\r\n\x1a\n";
  png += ChunkBytes({"IHDR", ihdr});
  for (const Chunk& chunk : extra) png += ChunkBytes(chunk);
  png += ChunkBytes({"IDAT", Deflate(raw)});
  png += ChunkBytes({"IEND", ""});
  return png;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

using Rgba = std::array<int, 4>;

Rgba PixelAt(const Image& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

bool Decode(const std::string& png, Image& image) { return DecodePng(png.data(), png.size(), image); }

Image Gradient(int w, int h) {
  Image image;
  image.Resize(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.Pixel(x, y);
      p[0] = static_cast<uint8_t>(x * 255 / (w - 1));
      p[1] = static_cast<uint8_t>(y * 255 / (h - 1));
      p[2] = static_cast<uint8_t>((x + y) * 7);
      p[3] = static_cast<uint8_t>(255 - x * 3);
    }
  }
  return image;
}

const Chunk kLinearGamma{"gAMA", Be32(100000)};  // gamma 1.0: must not change the samples

}  // namespace

TEST(DecodePngTest, PaletteWithTransparencyEntries) {
  const Chunk plte{"PLTE", Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30})};
  const Chunk trns{"tRNS", Bytes({0, 0x80})};
  Image image;
  ASSERT_TRUE(Decode(MakePng(4, 1, 2, 3, {Bytes({0x1B})}, {plte, trns}), image));
  ASSERT_EQ(image.width, 4);
  ASSERT_EQ(image.height, 1);
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 0, 0}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0, 255, 0, 128}));
  EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(image, 3, 0), (Rgba{10, 20, 30, 255}));
}

TEST(DecodePngTest, GreyDepthsAndGreyTransparency) {
  Image image;
  ASSERT_TRUE(Decode(MakePng(3, 2, 1, 0, {Bytes({0xA0}), Bytes({0x40})}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(PixelAt(image, 1, 1), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 2, 1), (Rgba{0, 0, 0, 255}));

  ASSERT_TRUE(Decode(MakePng(2, 1, 16, 0, {Bytes({0x80, 0x80, 0xFF, 0xFF})}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{128, 128, 128, 255}));  // no gamma conversion
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 255, 255, 255}));

  ASSERT_TRUE(Decode(MakePng(1, 1, 8, 4, {Bytes({0x40, 0x80})}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{64, 64, 64, 128}));

  ASSERT_TRUE(Decode(MakePng(2, 1, 8, 0, {Bytes({5, 6})}, {{"tRNS", Bytes({0, 5})}}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{5, 5, 5, 0}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{6, 6, 6, 255}));
}

TEST(DecodePngTest, TrueColourDepthsTransparencyAndGamma) {
  Image image;
  const std::string rgb = Bytes({1, 2, 3, 128, 64, 32});
  ASSERT_TRUE(Decode(MakePng(2, 1, 8, 2, {rgb}, {kLinearGamma, {"tRNS", Bytes({0, 1, 0, 2, 0, 3})}}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{1, 2, 3, 0}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{128, 64, 32, 255}));

  const std::string rgba16 = Bytes({0x12, 0x12, 0x34, 0x34, 0x56, 0x56, 0x80, 0x80,  //
                                    0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF});
  ASSERT_TRUE(Decode(MakePng(2, 1, 16, 6, {rgba16}, {kLinearGamma}), image));
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0x12, 0x34, 0x56, 0x80}));  // straight, not premultiplied
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 0, 0, 255}));
}

TEST(DecodePngTest, InterlacedImage) {
  // Adam7 passes of a 3x3 RGB image whose pixel (x, y) is (x, y, 10 * x + y).
  const int starts[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
  const int steps[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
  std::vector<std::string> rows;
  for (int pass = 0; pass < 7; ++pass) {
    for (int y = starts[pass][1]; y < 3; y += steps[pass][1]) {
      std::string row;
      for (int x = starts[pass][0]; x < 3; x += steps[pass][0]) row += Bytes({x, y, 10 * x + y});
      if (!row.empty()) rows.push_back(row);
    }
  }
  Image image;
  ASSERT_TRUE(Decode(MakePng(3, 3, 8, 2, rows, {}, 1), image));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(image, x, y), (Rgba{x, y, 10 * x + y, 255})) << x << "," << y;
  }
}

TEST(DecodePngTest, EveryTruncationFailsCleanly) {
  const Chunk plte{"PLTE", Bytes({1, 2, 3, 4, 5, 6})};
  const std::string png = MakePng(5, 3, 8, 3, {Bytes({0, 1, 0, 1, 0}), Bytes({1, 1, 1, 1, 1}), Bytes({0, 0, 0, 0, 1})},
                                  {plte});
  Image image;
  for (size_t length = 0; length < png.size(); ++length) {
    ASSERT_FALSE(DecodePng(png.data(), length, image)) << length;
    ASSERT_EQ(image.width, 0);
    ASSERT_TRUE(image.rgba.empty());
  }
  ASSERT_TRUE(Decode(png, image));
  EXPECT_EQ(PixelAt(image, 4, 2), (Rgba{4, 5, 6, 255}));
  EXPECT_FALSE(DecodePng(nullptr, 0, image));
}

TEST(DecodePngTest, CorruptFilesFail) {
  const std::string good = MakePng(2, 2, 8, 2, {Bytes({1, 2, 3, 4, 5, 6}), Bytes({7, 8, 9, 10, 11, 12})});
  Image image;
  ASSERT_TRUE(Decode(good, image));

  std::string badCrc = good;
  const size_t idat = badCrc.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  badCrc[idat + 6] ^= 0x01;  // a byte of the compressed data, CRC left unchanged
  EXPECT_FALSE(Decode(badCrc, image));
  EXPECT_TRUE(image.rgba.empty());

  std::string badHeader = good;
  badHeader[8 + 8 + 3] ^= 0x40;  // width, in the IHDR data
  EXPECT_FALSE(Decode(badHeader, image));

  std::string badSignature = good;
  badSignature[1] = 'Q';
  EXPECT_FALSE(Decode(badSignature, image));

  std::string badZlib = "\x89PNG\r\n\x1a\n" + ChunkBytes({"IHDR", Be32(2) + Be32(2) + Bytes({8, 2, 0, 0, 0})});
  badZlib += ChunkBytes({"IDAT", "not a zlib stream at all"}) + ChunkBytes({"IEND", ""});
  EXPECT_FALSE(Decode(badZlib, image));

  EXPECT_FALSE(Decode(MakePng(2, 1, 3, 2, {Bytes({0})}), image));  // depth 3 does not exist
}

TEST(DecodePngTest, HugeHeadersAreRefused) {
  Image image;
  EXPECT_FALSE(Decode(MakePng(100000, 100000, 8, 6, {std::string(400000, '\0')}), image));
  EXPECT_TRUE(image.rgba.empty());
  EXPECT_FALSE(Decode(MakePng(4097, 4096, 8, 0, {std::string(4097, '\0')}), image));
  EXPECT_GT(static_cast<int64_t>(4097) * 4096, kMaxImagePixels);
}

TEST(ColourKeyTest, ExactColourBecomesTransparent) {
  Image image;
  image.Resize(4, 1);
  const std::array<Rgba, 4> pixels = {Rgba{0x10, 0x20, 0x30, 200}, Rgba{0x30, 0x20, 0x10, 0},
                                      Rgba{0x10, 0x20, 0x31, 7}, Rgba{0, 0, 0, 255}};
  for (int x = 0; x < 4; ++x) {
    for (int c = 0; c < 4; ++c) image.Pixel(x, 0)[c] = static_cast<uint8_t>(pixels[x][c]);
  }
  ApplyColourKey(image, 0x00302010);  // 0x00BBGGRR
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0x10, 0x20, 0x30, 0}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0x30, 0x20, 0x10, 255}));
  EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{0x10, 0x20, 0x31, 255}));
  EXPECT_EQ(PixelAt(image, 3, 0), (Rgba{0, 0, 0, 255}));
  ApplyColourKey(image, 0);  // black, the default transparent colour
  EXPECT_EQ(PixelAt(image, 0, 0)[3], 255);
  EXPECT_EQ(PixelAt(image, 3, 0)[3], 0);
}

TEST(EncodePngTest, RoundTripWithAndWithoutAlpha) {
  const Image source = Gradient(37, 23);
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(EncodePng(source, true, rgba));
  Image back;
  ASSERT_TRUE(DecodePng(rgba.data(), rgba.size(), back));
  EXPECT_EQ(back.width, 37);
  EXPECT_EQ(back.height, 23);
  EXPECT_EQ(back.rgba, source.rgba);

  std::vector<uint8_t> rgb;
  ASSERT_TRUE(EncodePng(source, false, rgb));
  EXPECT_EQ(rgb[25], 2);  // IHDR colour type: RGB
  ASSERT_TRUE(DecodePng(rgb.data(), rgb.size(), back));
  Image opaque = source;
  for (size_t i = 3; i < opaque.rgba.size(); i += 4) opaque.rgba[i] = 255;
  EXPECT_EQ(back.rgba, opaque.rgba);
}

TEST(EncodePngTest, DeterministicWithoutTimeAndRefusesEmptyImages) {
  const Image source = Gradient(16, 16);
  std::vector<uint8_t> first;
  std::vector<uint8_t> second;
  ASSERT_TRUE(EncodePng(source, true, first));
  ASSERT_TRUE(EncodePng(source, true, second));
  EXPECT_EQ(first, second);
  const std::string text(first.begin(), first.end());
  EXPECT_EQ(text.find("tIME"), std::string::npos);
  EXPECT_FALSE(EncodePng(Image{}, true, first));
  EXPECT_TRUE(first.empty());
  Image inconsistent;
  inconsistent.width = 4;
  inconsistent.height = 4;
  EXPECT_FALSE(EncodePng(inconsistent, false, first));
}

TEST(PngFileTest, WriteThenLoadThroughAGamePath) {
  TempDir dir;
  dir.Write("Data/GFX/keep", "");
  const Image source = Gradient(8, 5);
  ASSERT_TRUE(WritePngFile(dir.File("Data/GFX/Shot.png"), source, true));
  Image loaded;
  ASSERT_TRUE(LoadPngFile(dir.path() + "\\data\\gfx\\SHOT.PNG", loaded));
  EXPECT_EQ(loaded.rgba, source.rgba);
  EXPECT_FALSE(LoadPngFile(dir.path() + "\\data\\gfx\\keep", loaded));
  EXPECT_FALSE(LoadPngFile(dir.path() + "\\data\\gfx\\none.png", loaded));
  EXPECT_FALSE(WritePngFile(dir.File("no/such/dir/x.png"), source, true));
}
