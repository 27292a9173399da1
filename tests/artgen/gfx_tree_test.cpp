// The generated Data tree: every file the game and its maps load exists with the
// right size and storage, keyed images are keyed, tiles are solid, and the output
// is the same bytes every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "artgen/gfx_tree.h"
#include "base/image.h"
#include "support/temp_dir.h"

namespace art {
namespace {

enum class Kind { kAlpha, kKeyed, kSolid };

struct Expected {
  std::string path;
  int width;
  int height;
  Kind kind;
};

// Every image of the catalogue, written out independently of the generator's own list.
std::vector<Expected> Catalogue() {
  std::vector<Expected> e = {
      {"GFX/HUD/Health.png", 80, 64, Kind::kAlpha},
      {"GFX/HUD/Armor.png", 64, 48, Kind::kAlpha},
      {"GFX/HUD/MunitionBig.png", 64, 48, Kind::kAlpha},
      {"GFX/HUD/Munition.png", 6, 16, Kind::kAlpha},
      {"GFX/HUD/Pistol.png", 128, 48, Kind::kAlpha},
      {"GFX/HUD/PumpGun.png", 128, 48, Kind::kAlpha},
      {"GFX/HUD/Automatic.png", 128, 48, Kind::kAlpha},
      {"GFX/HUD/Granade.png", 128, 48, Kind::kAlpha},
      {"GFX/HUD/Granade2.png", 32, 32, Kind::kAlpha},
      {"GFX/HUD/TimeLine.png", 256, 16, Kind::kAlpha},
      {"GFX/HUD/TimeLineBar.png", 16, 16, Kind::kAlpha},
      {"GFX/HUD/EnemyHealthLine.png", 64, 8, Kind::kAlpha},
      {"GFX/HUD/EnemyHealthLineBar.png", 64, 8, Kind::kAlpha},
      {"GFX/HUD/Reloading.png", 128, 24, Kind::kAlpha},
      {"GFX/HUD/Ready.png", 72, 24, Kind::kAlpha},
      {"GFX/HUD/Open.png", 48, 48, Kind::kAlpha},
      {"GFX/HUD/Take.png", 48, 48, Kind::kAlpha},
      {"GFX/HUD/Korv.png", 256, 256, Kind::kAlpha},
      {"GFX/HUD/Korv small.png", 128, 128, Kind::kAlpha},
      {"GFX/HUD/Green.png", 64, 32, Kind::kAlpha},
      {"GFX/HUD/Cross.png", 32, 32, Kind::kAlpha},
      {"GFX/Player/Player Pistol.png", 96, 96, Kind::kKeyed},
      {"GFX/Player/Player PumpGun.png", 96, 96, Kind::kKeyed},
      {"GFX/Player/Player Granade.png", 96, 96, Kind::kKeyed},
      {"GFX/Enemy/Enemy 000.png", 80, 80, Kind::kKeyed},
      {"GFX/Enemy/Enemy 001.png", 96, 96, Kind::kKeyed},
      {"GFX/Particle/Bullet.png", 8, 8, Kind::kKeyed},
      {"GFX/Particle/Granade.png", 4, 4, Kind::kKeyed},
      {"GFX/Particle/Blood 001.png", 64, 64, Kind::kAlpha},
      {"GFX/Particle/SmokeBlack.png", 64, 64, Kind::kAlpha},
      {"GFX/Particle/Electronic.png", 32, 32, Kind::kKeyed},
      {"GFX/Particle/Leaf.png", 32, 32, Kind::kKeyed},
      {"GFX/Item/Pistol.png", 64, 32, Kind::kKeyed},
      {"GFX/Item/GranadeLuncher.png", 64, 32, Kind::kKeyed},
      {"GFX/Item/PumpGun.png", 64, 32, Kind::kKeyed},
      {"GFX/Item/Automatic.png", 64, 32, Kind::kKeyed},
      {"GFX/Light/Flashlight.png", 192, 192, Kind::kKeyed},
      {"GFX/Light/005.png", 256, 256, Kind::kKeyed},
      {"GFX/Light/006.png", 256, 256, Kind::kKeyed},
      {"GFX/Light/Wide.png", 512, 512, Kind::kKeyed},
      {"GFX/Light/Strip.png", 256, 64, Kind::kKeyed},
      {"GFX/Light/Spot.png", 256, 256, Kind::kKeyed},
  };
  for (const char* name : {"Smoke", "SmokeWithe", "SmokeBlue", "SmokeGreen", "SmokeRed", "Fire 001", "Fire 002"}) {
    e.push_back({std::string("GFX/Particle/") + name + ".png", 64, 64, Kind::kKeyed});
  }
  for (const char* name : {"Funk", "FunkYellow", "FunkBlue"}) {
    e.push_back({std::string("GFX/Particle/") + name + ".png", 16, 16, Kind::kKeyed});
  }
  for (const char* name : {"Warm", "Cold", "Red", "Green", "Blue"}) {
    e.push_back({std::string("GFX/Light/") + name + ".png", 256, 256, Kind::kKeyed});
  }
  for (int d = 0; d <= 9; ++d) e.push_back({"GFX/HUD/Numbers/" + std::to_string(d) + ".png", 28, 40, Kind::kAlpha});
  for (const char* name : {"Floor Concrete", "Floor Metal", "Floor Tiles", "Floor Grass", "Floor Dirt", "Floor Grate",
                           "Floor Carpet", "Wall Concrete", "Wall Brick", "Wall Metal", "Wall Crate", "Wall Computer",
                           "Wall Server", "Wall Hedge", "Wall Tree"}) {
    e.push_back({std::string("GFX/TileSet/") + name + ".png", 64, 64, Kind::kSolid});
  }
  for (const char* name : {"Deco Rubble", "Deco Stripes", "Deco Puddle", "Deco Cables", "Deco Leaves", "Deco Arrow"}) {
    e.push_back({std::string("GFX/TileSet/") + name + ".png", 64, 64, Kind::kKeyed});
  }
  for (int f = 0; f <= 8; ++f) {
    e.push_back({"GFX/Animation/Legs/Legs 0" + std::to_string(f) + ".png", 96, 96, Kind::kKeyed});
  }
  for (const char* style : {"Metal H", "Metal V", "Lab H", "Lab V"}) {
    for (int f = 0; f <= 9; ++f) {
      e.push_back({"GFX/Animation/Doors/" + std::string(style) + " 0" + std::to_string(f) + ".png", 64, 64,
                   Kind::kKeyed});
    }
  }
  return e;
}

std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The colour type byte of a PNG's header: 2 = RGB, 6 = RGBA.
int ColourType(const std::string& png) { return png.size() > 25 ? static_cast<unsigned char>(png[25]) : -1; }

bool IsBlack(const Image& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

int CountNonBlack(const Image& image) {
  int n = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) n += IsBlack(image, x, y) ? 0 : 1;
  }
  return n;
}

// One run of the generator, shared by the tests of this file.
class GfxTree : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    images_ = new ImageList(DrawGfxTree());
    std::string error;
    ASSERT_TRUE(WriteImages(*images_, dir_->path(), error)) << error;
  }
  static void TearDownTestSuite() {
    delete images_;
    delete dir_;
    images_ = nullptr;
    dir_ = nullptr;
  }
  static bool Load(const std::string& path, std::string& bytes, Image& image) {
    bytes = ReadBytes(dir_->File(path));
    return !bytes.empty() && DecodePng(bytes.data(), bytes.size(), image);
  }

  static TempDir* dir_;
  static ImageList* images_;
};

TempDir* GfxTree::dir_ = nullptr;
ImageList* GfxTree::images_ = nullptr;

TEST_F(GfxTree, WritesEveryCatalogueFileWithItsSizeAndStorage) {
  for (const Expected& e : Catalogue()) {
    SCOPED_TRACE(e.path);
    std::string bytes;
    Image image;
    ASSERT_TRUE(Load(e.path, bytes, image));
    EXPECT_EQ(image.width, e.width);
    EXPECT_EQ(image.height, e.height);
    if (e.kind == Kind::kAlpha) {
      EXPECT_EQ(ColourType(bytes), 6);
      int covered = 0;
      for (size_t i = 3; i < image.rgba.size(); i += 4) covered += image.rgba[i] > 0 ? 1 : 0;
      EXPECT_GT(covered, 0);
    } else {
      EXPECT_TRUE(ColourType(bytes) == 2 || ColourType(bytes) == 6);
      for (size_t i = 3; i < image.rgba.size(); i += 4) ASSERT_EQ(image.rgba[i], 255);
    }
  }
}

TEST_F(GfxTree, WritesNothingBeyondTheCatalogue) {
  std::set<std::string> expected;
  for (const Expected& e : Catalogue()) expected.insert(e.path);
  expected.insert("GFX/Light/Black.png");
  std::set<std::string> written;
  for (const GeneratedImage& g : *images_) written.insert(g.path);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(images_->size(), written.size()) << "a path is generated twice";
}

TEST_F(GfxTree, KeyedSpritesAreBlackAroundAndSolidInside) {
  for (const Expected& e : Catalogue()) {
    if (e.kind != Kind::kKeyed || e.width < 8) continue;
    SCOPED_TRACE(e.path);
    std::string bytes;
    Image image;
    ASSERT_TRUE(Load(e.path, bytes, image));
    EXPECT_TRUE(IsBlack(image, 0, 0));
    EXPECT_TRUE(IsBlack(image, e.width - 1, e.height - 1));
    EXPECT_GT(CountNonBlack(image), e.width * e.height / 40);
  }
  // The grenade is a 4 x 4 dot: solid at its centre.
  std::string bytes;
  Image grenade;
  ASSERT_TRUE(Load("GFX/Particle/Granade.png", bytes, grenade));
  EXPECT_FALSE(IsBlack(grenade, 1, 1));
  EXPECT_FALSE(IsBlack(grenade, 2, 2));
}

TEST_F(GfxTree, LightsAreBrightestInsideAndBlackAtTheRim) {
  std::string bytes;
  Image round;
  ASSERT_TRUE(Load("GFX/Light/Warm.png", bytes, round));
  const uint8_t* centre = round.Pixel(128, 128);
  EXPECT_GT(centre[0], 200);
  EXPECT_TRUE(IsBlack(round, 128, 0));
  EXPECT_GT(round.Pixel(128, 64)[0], round.Pixel(128, 16)[0]);
  // The flashlight's apex is at the middle of its left edge and it opens to the right.
  Image cone;
  ASSERT_TRUE(Load("GFX/Light/Flashlight.png", bytes, cone));
  EXPECT_GT(cone.Pixel(12, 96)[0], 150);
  EXPECT_GT(cone.Pixel(100, 96)[0], cone.Pixel(100, 40)[0]);
  EXPECT_GT(cone.Pixel(40, 96)[0], cone.Pixel(150, 96)[0]);
  EXPECT_TRUE(IsBlack(cone, 12, 10));
  EXPECT_TRUE(IsBlack(cone, 191, 96));
  Image black;
  ASSERT_TRUE(Load("GFX/Light/Black.png", bytes, black));
  EXPECT_EQ(CountNonBlack(black), 0);
}

TEST_F(GfxTree, FloorsAndWallsHaveNoPureBlack) {
  for (const Expected& e : Catalogue()) {
    if (e.kind != Kind::kSolid) continue;
    SCOPED_TRACE(e.path);
    std::string bytes;
    Image image;
    ASSERT_TRUE(Load(e.path, bytes, image));
    EXPECT_EQ(CountNonBlack(image), 64 * 64);
  }
}

TEST_F(GfxTree, ParticlesAreSquareAndBodiesAre96) {
  for (const GeneratedImage& g : *images_) {
    if (g.path.rfind("GFX/Particle/", 0) == 0) {
      EXPECT_EQ(g.image.width, g.image.height) << g.path;
    }
    if (g.path.rfind("GFX/Player/", 0) == 0) {
      EXPECT_EQ(g.image.width, 96) << g.path;
      EXPECT_EQ(g.image.height, 96) << g.path;
    }
  }
}

TEST_F(GfxTree, DoorsMoveBetweenClosedAndOpen) {
  for (const char* style : {"Metal H", "Metal V", "Lab H", "Lab V"}) {
    SCOPED_TRACE(style);
    std::string bytes;
    Image closed;
    Image half;
    Image open;
    ASSERT_TRUE(Load("GFX/Animation/Doors/" + std::string(style) + " 00.png", bytes, closed));
    ASSERT_TRUE(Load("GFX/Animation/Doors/" + std::string(style) + " 05.png", bytes, half));
    ASSERT_TRUE(Load("GFX/Animation/Doors/" + std::string(style) + " 09.png", bytes, open));
    EXPECT_NE(closed.rgba, open.rgba);
    // The doorway's middle is covered when closed and clear once open.
    EXPECT_FALSE(IsBlack(closed, 32, 24));
    EXPECT_FALSE(IsBlack(closed, 24, 32));
    EXPECT_GT(CountNonBlack(closed), CountNonBlack(half));
    EXPECT_GT(CountNonBlack(half), CountNonBlack(open));
  }
  // The vertical doors are the horizontal ones turned: the H leaves span x, the V leaves span y.
  std::string bytes;
  Image h;
  Image v;
  ASSERT_TRUE(Load("GFX/Animation/Doors/Metal H 00.png", bytes, h));
  ASSERT_TRUE(Load("GFX/Animation/Doors/Metal V 00.png", bytes, v));
  EXPECT_FALSE(IsBlack(h, 20, 32));
  EXPECT_TRUE(IsBlack(h, 32, 4));
  EXPECT_FALSE(IsBlack(v, 32, 20));
  EXPECT_TRUE(IsBlack(v, 4, 32));
}

TEST_F(GfxTree, LegsStepThroughACycleAndFrameOneStandsStill) {
  std::vector<Image> frames(9);
  for (int f = 0; f <= 8; ++f) {
    std::string bytes;
    ASSERT_TRUE(Load("GFX/Animation/Legs/Legs 0" + std::to_string(f) + ".png", bytes, frames[f]));
  }
  // Standing: the feet together, so the legs reach the least far along x.
  auto reach = [](const Image& image) {
    int minX = image.width;
    int maxX = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (IsBlack(image, x, y)) continue;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
      }
    }
    return maxX - minX;
  };
  for (int f = 0; f <= 8; ++f) {
    if (f != 1) {
      EXPECT_GT(reach(frames[f]), reach(frames[1])) << "frame " << f;
    }
    if (f > 0) {
      EXPECT_NE(frames[f].rgba, frames[f - 1].rgba) << "frame " << f;
    }
  }
}

TEST_F(GfxTree, TwoRunsWriteTheSameBytes) {
  TempDir second;
  std::string error;
  ASSERT_TRUE(WriteImages(DrawGfxTree(), second.path(), error)) << error;
  for (const GeneratedImage& g : *images_) {
    EXPECT_EQ(ReadBytes(dir_->File(g.path)), ReadBytes(second.File(g.path))) << g.path;
  }
}

TEST(EmbeddedImages, BannerAndCreditsAreRgbOfTheirSizes) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteImages(DrawEmbeddedImages(), dir.path(), error)) << error;
  const struct {
    const char* name;
    int width;
    int height;
  } expected[] = {{"banner.png", 512, 128}, {"credits.png", 512, 20}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    const std::string bytes = ReadBytes(dir.File(e.name));
    Image image;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, e.width);
    EXPECT_EQ(image.height, e.height);
    EXPECT_EQ(ColourType(bytes), 2);
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8);  // bit depth
    // Drawn, not blank: the credits strip is mostly non-black (it is keyed in the game).
    EXPECT_GT(CountNonBlack(image), e.width * e.height / 2);
  }
  EXPECT_NE(ReadBytes(dir.File("banner.png")), ReadBytes(dir.File("credits.png")));
}

TEST(WriteImages, ReportsAFolderThatCannotBeCreated) {
  TempDir dir;
  dir.Write("blocker", "a file where a folder should go");
  ImageList list;
  AddImage(list, "blocker/inside.png", Storage::kAlpha, Canvas(2, 2));
  std::string error;
  EXPECT_FALSE(WriteImages(list, dir.path(), error));
  EXPECT_NE(error.find("blocker"), std::string::npos);
}

}  // namespace
}  // namespace art
