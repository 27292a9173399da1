// What the images show: bodies face +x and sit centred, the player and the enemy
// wear different colours, digits share a baseline, lights point the right way,
// tiles join seamlessly, and the embedding script keeps every byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "artgen/gfx_tree.h"
#include "artgen/sheets.h"
#include "artgen/weapon_shapes.h"
#include "support/temp_dir.h"

namespace art {
namespace {

struct Extent {
  int x0 = 1 << 20;
  int y0 = 1 << 20;
  int x1 = -1;
  int y1 = -1;
};

bool Solid(const GeneratedImage& g, int x, int y) {
  const uint8_t* p = g.image.Pixel(x, y);
  if (g.storage == Storage::kAlpha) return p[3] > 127;
  return p[0] != 0 || p[1] != 0 || p[2] != 0;
}

Extent InkExtent(const GeneratedImage& g) {
  Extent e;
  for (int y = 0; y < g.image.height; ++y) {
    for (int x = 0; x < g.image.width; ++x) {
      if (!Solid(g, x, y)) continue;
      e.x0 = std::min(e.x0, x);
      e.y0 = std::min(e.y0, y);
      e.x1 = std::max(e.x1, x);
      e.y1 = std::max(e.y1, y);
    }
  }
  return e;
}

// Mean colour of the solid pixels.
void MeanColour(const GeneratedImage& g, float& r, float& gr, float& b) {
  double sum[3] = {0, 0, 0};
  int n = 0;
  for (int y = 0; y < g.image.height; ++y) {
    for (int x = 0; x < g.image.width; ++x) {
      if (!Solid(g, x, y)) continue;
      const uint8_t* p = g.image.Pixel(x, y);
      for (int c = 0; c < 3; ++c) sum[c] += p[c];
      ++n;
    }
  }
  r = static_cast<float>(sum[0] / std::max(n, 1));
  gr = static_cast<float>(sum[1] / std::max(n, 1));
  b = static_cast<float>(sum[2] / std::max(n, 1));
}

class DrawnImages : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    images_ = new std::map<std::string, GeneratedImage>();
    for (GeneratedImage& g : DrawGfxTree()) (*images_)[g.path] = std::move(g);
  }
  static void TearDownTestSuite() {
    delete images_;
    images_ = nullptr;
  }
  static const GeneratedImage& Get(const std::string& path) {
    const auto found = images_->find(path);
    EXPECT_NE(found, images_->end()) << path;
    static const GeneratedImage kEmpty;
    return found == images_->end() ? kEmpty : found->second;
  }
  static std::map<std::string, GeneratedImage>* images_;
};

std::map<std::string, GeneratedImage>* DrawnImages::images_ = nullptr;

TEST_F(DrawnImages, BodiesAreCentredAndFacePlusX) {
  for (const char* path : {"GFX/Player/Player Pistol.png", "GFX/Player/Player PumpGun.png",
                           "GFX/Player/Player Granade.png", "GFX/Enemy/Enemy 001.png"}) {
    SCOPED_TRACE(path);
    const Extent e = InkExtent(Get(path));
    // Vertically centred on the middle row; the weapon reaches far to the right,
    // further from the centre than the back does to the left.
    EXPECT_NEAR((e.y0 + e.y1) * 0.5f, 47.5f, 3.0f);
    EXPECT_GE(e.x1, 78);
    EXPECT_GT(e.x1 - 48, 48 - e.x0);
    EXPECT_GT(e.x0, 8);
  }
  const Extent turret = InkExtent(Get("GFX/Enemy/Enemy 000.png"));
  EXPECT_NEAR((turret.y0 + turret.y1) * 0.5f, 39.5f, 1.5f);
  EXPECT_GE(turret.x1, 77);  // the barrels reach the right edge
  EXPECT_GT(turret.x1 - 40, 40 - turret.x0);
}

TEST_F(DrawnImages, PlayerIsGreenAndEnemyIsRed) {
  float r = 0;
  float g = 0;
  float b = 0;
  MeanColour(Get("GFX/Player/Player PumpGun.png"), r, g, b);
  EXPECT_GT(g, r);
  EXPECT_GT(g, b);
  MeanColour(Get("GFX/Enemy/Enemy 001.png"), r, g, b);
  EXPECT_GT(r, g * 1.2f);
  EXPECT_GT(r, b * 1.2f);
}

TEST_F(DrawnImages, DigitsShareABaselineAndDiffer) {
  const Extent zero = InkExtent(Get("GFX/HUD/Numbers/0.png"));
  for (int d = 1; d <= 9; ++d) {
    const std::string path = "GFX/HUD/Numbers/" + std::to_string(d) + ".png";
    SCOPED_TRACE(path);
    const Extent e = InkExtent(Get(path));
    EXPECT_NEAR(e.y1, zero.y1, 1);
    EXPECT_NEAR(e.y0, zero.y0, 1);
    EXPECT_NE(Get(path).image.rgba, Get("GFX/HUD/Numbers/0.png").image.rgba);
  }
  // Tall digits filling most of the 28 x 40 image.
  EXPECT_GE(zero.y1 - zero.y0, 30);
}

TEST_F(DrawnImages, StripIsBrightestAlongItsMiddleAndSpotOpensRight) {
  const Image& strip = Get("GFX/Light/Strip.png").image;
  int brightest = 0;
  int best = -1;
  for (int y = 0; y < strip.height; ++y) {
    if (strip.Pixel(128, y)[1] > best) {
      best = strip.Pixel(128, y)[1];
      brightest = y;
    }
  }
  EXPECT_NEAR(brightest, 31.5, 1.0);
  EXPECT_GT(strip.Pixel(128, 32)[1], strip.Pixel(8, 32)[1]);
  const Image& spot = Get("GFX/Light/Spot.png").image;
  EXPECT_GT(spot.Pixel(60, 128)[0], spot.Pixel(200, 128)[0]);
  EXPECT_GT(spot.Pixel(150, 128)[0], spot.Pixel(150, 30)[0]);
  EXPECT_EQ(spot.Pixel(0, 0)[0], 0);
}

// Mean absolute difference between two pixel columns.
float ColumnDifference(const Image& image, int a, int b) {
  float sum = 0.0f;
  for (int y = 0; y < image.height; ++y) {
    for (int c = 0; c < 3; ++c) sum += std::abs(image.Pixel(a, y)[c] - image.Pixel(b, y)[c]);
  }
  return sum / static_cast<float>(image.height * 3);
}

TEST_F(DrawnImages, NoiseTilesJoinWithoutASeam) {
  for (const char* path : {"GFX/TileSet/Floor Grass.png", "GFX/TileSet/Floor Dirt.png",
                           "GFX/TileSet/Floor Carpet.png", "GFX/TileSet/Wall Hedge.png"}) {
    SCOPED_TRACE(path);
    const Image& image = Get(path).image;
    // Across the tile edge (last column to first) the change is no larger than
    // between typical neighbouring columns inside the tile.
    float inside = 0.0f;
    for (int x = 8; x < 56; x += 8) inside += ColumnDifference(image, x, x + 1);
    inside /= 6.0f;
    EXPECT_LT(ColumnDifference(image, 63, 0), inside * 2.0f + 2.0f);
  }
}

TEST(WeaponShapes, FitTheirFrames) {
  for (WeaponKind kind : {WeaponKind::kPistol, WeaponKind::kPumpGun, WeaponKind::kAutomatic,
                          WeaponKind::kGrenadeLauncher}) {
    const auto parts = WeaponSideView(kind, 0.5f, 0.0f, 4.0f);
    ASSERT_FALSE(parts.empty());
    for (const WeaponPart& part : parts) {
      EXPECT_GE(part.shape.bounds.x0, 0.0f);
      EXPECT_LE(part.shape.bounds.x1, 64.0f);
      EXPECT_GE(part.shape.bounds.y0, 0.0f);
      EXPECT_LE(part.shape.bounds.y1, 32.0f);
    }
  }
}

TEST(ContactSheet, ShowsKeyedBlackAsTheCheckerboard) {
  ImageList list;
  Canvas c(8, 8);
  Draw(c, RoundRect({2, 2, 6, 6}, 0.0f), Rgb(200, 40, 40));
  AddImage(list, "GFX/Test/Dot.png", Storage::kCutout, c);
  AddImage(list, "GFX/Test/Other.png", Storage::kAlpha, c);
  const Image sheet = ContactSheet(list);
  EXPECT_EQ(sheet.width, 2 * 140);
  EXPECT_EQ(sheet.height, 160);
  // The 8 x 8 picture is enlarged 8 times and centred in its 140-wide cell, 4 from the top.
  const int left = (140 - 64) / 2;
  const uint8_t* corner = sheet.Pixel(left + 2, 4 + 32 + 2);
  EXPECT_TRUE(corner[0] == 150 || corner[0] == 105) << int(corner[0]);
  const uint8_t* inside = sheet.Pixel(left + 32, 4 + 32 + 32);
  EXPECT_EQ(inside[0], 200);
  EXPECT_EQ(inside[1], 40);
  // Filtering keeps only matching paths.
  EXPECT_EQ(ContactSheet(list, "Dot").width, 140);
}

std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads the bytes of one array back out of the generated source.
std::string ArrayBytes(const std::string& source, const std::string& name) {
  const size_t start = source.find(name + "[] = {");
  const size_t end = source.find("};", start);
  if (start == std::string::npos || end == std::string::npos) return "";
  const std::string body = source.substr(start, end - start);
  std::string bytes;
  static const std::regex kByte("0x([0-9a-f]{2}),");
  for (auto it = std::sregex_iterator(body.begin(), body.end(), kByte); it != std::sregex_iterator(); ++it) {
    bytes.push_back(static_cast<char>(std::stoi((*it)[1].str(), nullptr, 16)));
  }
  return bytes;
}

TEST(EmbedScript, KeepsEveryByteAndTheSizes) {
  if (std::system("cmake --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "cmake not on PATH";
  TempDir dir;
  std::string banner;
  for (int i = 0; i < 300; ++i) banner.push_back(static_cast<char>((i * 37 + 11) & 0xFF));  // 300: not a multiple of 16
  const std::string credits("\x89PNG\0\x01\xff", 7);
  dir.Write("b.png", banner);
  dir.Write("c.png", credits);
  const std::string command = "cmake -DBANNER=" + dir.File("b.png") + " -DCREDITS=" + dir.File("c.png") +
                              " -DOUTPUT=" + dir.File("out.cpp") + " -P " + SourceDir() +
                              "/tools/artgen/embed_images.cmake";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string source = ReadBytes(dir.File("out.cpp"));
  EXPECT_EQ(ArrayBytes(source, "kBannerPng"), banner);
  EXPECT_EQ(ArrayBytes(source, "kCreditsPng"), credits);
  EXPECT_NE(source.find("kBannerPngSize = 300;"), std::string::npos);
  EXPECT_NE(source.find("kCreditsPngSize = 7;"), std::string::npos);
  EXPECT_NE(source.find("#include \"shell/embedded_images.h\""), std::string::npos);
}

}  // namespace
}  // namespace art
