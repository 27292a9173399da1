// The sprite store in front of the recording and software renderers.
#include <gtest/gtest.h>

#include <vector>

#include "render/render_test_util.h"
#include "base/image.h"
#include "render/recording_renderer.h"
#include "render/sprites.h"
#include "support/temp_dir.h"

namespace {

struct Store : ::testing::Test {
  RecordingRenderer r;
  SpriteStore store{r};
  void SetUp() override {
    store.PutSprite(7, SolidImage(24, 16, {1, 2, 3, 255}));
    ASSERT_TRUE(store.CreateSprite3D(7, 7));
  }
};

TEST_F(Store, NewSpriteHasTheImageSizeAndNoAngle) {
  const Sprite3D* s = store.FindSprite3D(7);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->width, 24);
  EXPECT_EQ(s->height, 16);
  EXPECT_EQ(s->angle, 0.0f);
  store.Display(7, 5, 6);
  ASSERT_EQ(r.draws.size(), 1u);
  const QuadDraw& q = r.draws[0].quad;
  EXPECT_EQ(q.sprite, 7);
  EXPECT_EQ(q.texture, s->texture);
  EXPECT_EQ(q.x, 5);
  EXPECT_EQ(q.y, 6);
  EXPECT_EQ(q.width, 24);
  EXPECT_EQ(q.height, 16);
  EXPECT_EQ(q.alpha, 255);
  EXPECT_EQ(r.TextureSizeOf(q.texture).width, 24);
}

TEST_F(Store, ZoomAndAnglePersistAcrossDraws) {
  store.Zoom(7, 100, 50);
  store.Rotate(7, 30.0f, 0);
  store.Display(7, 0, 0);
  store.Display(7, 10, 10, 128);
  store.Rotate(7, 15.0f, 1);  // any mode other than 0 adds
  store.Display(7, 0, 0);
  store.Rotate(7, -5.0f, 0);
  store.Display(7, 0, 0);
  ASSERT_EQ(r.draws.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.draws[i].quad.width, 100);
    EXPECT_EQ(r.draws[i].quad.height, 50);
  }
  EXPECT_EQ(r.draws[0].quad.angle, 30.0f);
  EXPECT_EQ(r.draws[1].quad.angle, 30.0f);
  EXPECT_EQ(r.draws[1].quad.alpha, 128);
  EXPECT_EQ(r.draws[2].quad.angle, 45.0f);
  EXPECT_EQ(r.draws[3].quad.angle, -5.0f);
}

TEST_F(Store, NeverCreatedNumbersDoNothing) {
  store.Zoom(8, 10, 10);
  store.Rotate(8, 90.0f, 0);
  store.Display(8, 0, 0);
  EXPECT_TRUE(r.draws.empty());
  EXPECT_FALSE(store.HasSprite3D(8));
  EXPECT_EQ(store.FindSprite3D(8), nullptr);
  // The existing sprite is untouched by them.
  EXPECT_EQ(store.FindSprite3D(7)->width, 24);
  EXPECT_EQ(store.FindSprite3D(7)->angle, 0.0f);
}

TEST_F(Store, CreatingWithoutAnImageFails) {
  EXPECT_FALSE(store.CreateSprite3D(9, 9));
  EXPECT_FALSE(store.HasSprite3D(9));
  EXPECT_EQ(r.liveTextures(), 1);
}

TEST_F(Store, RecreatingResetsSizeAndAngleAndFreesTheOldTexture) {
  const int old = store.FindSprite3D(7)->texture;
  store.Zoom(7, 5, 5);
  store.Rotate(7, 12.0f, 0);
  store.PutSprite(3, SolidImage(8, 9, {}));
  ASSERT_TRUE(store.CreateSprite3D(7, 3));
  const Sprite3D* s = store.FindSprite3D(7);
  EXPECT_NE(s->texture, old);
  EXPECT_EQ(s->width, 8);
  EXPECT_EQ(s->height, 9);
  EXPECT_EQ(s->angle, 0.0f);
  EXPECT_FALSE(r.HasTexture(old));
  EXPECT_EQ(r.freedTextures, std::vector<int>{old});
  EXPECT_EQ(r.liveTextures(), 1);
}

TEST_F(Store, FreeSprite3DReleasesTheTextureAndStopsDrawing) {
  const int texture = store.FindSprite3D(7)->texture;
  store.FreeSprite3D(7);
  EXPECT_FALSE(r.HasTexture(texture));
  store.Display(7, 0, 0);
  EXPECT_TRUE(r.draws.empty());
  EXPECT_TRUE(store.HasSprite(7));  // the image stays
  store.FreeSprite3D(7);            // twice is harmless
  EXPECT_EQ(r.freedTextures.size(), 1u);
}

TEST_F(Store, EmptyDisplaySizesDrawNothingAndAlphaIsClamped) {
  store.Zoom(7, 0, 10);
  store.Display(7, 0, 0);
  store.Zoom(7, 10, -1);
  store.Display(7, 0, 0);
  EXPECT_TRUE(r.draws.empty());
  store.Zoom(7, 10, 10);
  store.Display(7, 0, 0, 300);
  store.Display(7, 0, 0, -20);
  ASSERT_EQ(r.draws.size(), 2u);
  EXPECT_EQ(r.draws[0].quad.alpha, 255);
  EXPECT_EQ(r.draws[1].quad.alpha, 0);
}

TEST_F(Store, BlendModeAndQualityReachTheRenderer) {
  EXPECT_EQ(store.blendSource(), kBlendSrcAlpha);
  EXPECT_EQ(store.blendDestination(), kBlendInvSrcAlpha);
  store.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  store.SetQuality(5);
  store.Display(7, 0, 0);
  store.SetBlendMode(0, kBlendOne);   // ignored
  store.SetBlendMode(kBlendOne, 11);  // ignored
  store.SetQuality(0);
  store.Display(7, 0, 0);
  EXPECT_EQ(store.blendSource(), kBlendDstColour);
  EXPECT_EQ(store.blendDestination(), kBlendDstAlpha);
  ASSERT_EQ(r.draws.size(), 2u);
  EXPECT_EQ(r.draws[0].blendSource, kBlendDstColour);
  EXPECT_EQ(r.draws[0].blendDestination, kBlendDstAlpha);
  EXPECT_EQ(r.draws[0].quality, 1);
  EXPECT_EQ(r.draws[1].blendSource, kBlendDstColour);
  EXPECT_EQ(r.draws[1].quality, 0);
  store.SetQuality(-1);
  EXPECT_EQ(store.quality(), 1);
}

TEST(StoreLifetime, DestroyingTheStoreFreesItsTextures) {
  RecordingRenderer r;
  {
    SpriteStore store(r);
    store.PutSprite(1, SolidImage(2, 2, {}));
    store.CreateSprite3D(1, 1);
    store.CreateSprite3D(2, 1);
    EXPECT_EQ(r.liveTextures(), 2);
  }
  EXPECT_EQ(r.liveTextures(), 0);
}

// A PNG in memory: black, a colour, and a half-transparent texel.
std::vector<uint8_t> SamplePng() {
  const Image image = MakeImage(3, 1, [](int x, int) {
    return x == 0 ? Rgba{0, 0, 0, 255} : x == 1 ? Rgba{200, 10, 20, 255} : Rgba{50, 60, 70, 128};
  });
  std::vector<uint8_t> png;
  EXPECT_TRUE(EncodePng(image, true, png));
  return png;
}

TEST(StoreLoading, WithoutTheAlphaFlagTheTransparentColourIsKeyed) {
  RecordingRenderer r;
  SpriteStore store(r);
  const std::vector<uint8_t> png = SamplePng();
  ASSERT_TRUE(store.CatchSprite(1, png.data(), png.size(), kSpriteTexture));
  const Image* keyed = store.FindImage(1);
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(keyed->Pixel(0, 0)[3], 0);
  EXPECT_EQ(keyed->Pixel(1, 0)[3], 255);
  EXPECT_EQ(keyed->Pixel(2, 0)[3], 255);
  ASSERT_TRUE(store.CatchSprite(2, png.data(), png.size(), kSpriteTexture | kSpriteAlpha));
  const Image* own = store.FindImage(2);
  EXPECT_EQ(own->Pixel(0, 0)[3], 255);
  EXPECT_EQ(own->Pixel(2, 0)[3], 128);
  store.SetTransparentColour(Bgr(200, 10, 20));
  ASSERT_TRUE(store.CatchSprite(3, png.data(), png.size(), kSpriteTexture));
  EXPECT_EQ(store.FindImage(3)->Pixel(0, 0)[3], 255);
  EXPECT_EQ(store.FindImage(3)->Pixel(1, 0)[3], 0);
  EXPECT_EQ(store.SpriteWidth(3), 3);
  EXPECT_EQ(store.SpriteHeight(3), 1);
}

TEST(StoreLoading, FailedLoadsLeaveTheNumberAsItWas) {
  RecordingRenderer r;
  SpriteStore store(r);
  store.PutSprite(4, SolidImage(5, 5, {}));
  const char junk[] = "not a png";
  EXPECT_FALSE(store.CatchSprite(4, junk, sizeof junk, kSpriteTexture));
  EXPECT_FALSE(store.CatchSprite(4, nullptr, 10, kSpriteTexture));
  EXPECT_FALSE(store.LoadSprite(4, "Data\\GFX\\NoSuchFile.png", kSpriteTexture));
  EXPECT_EQ(store.SpriteWidth(4), 5);
  EXPECT_EQ(store.SpriteWidth(5), 0);
  store.FreeSprite(4);
  EXPECT_FALSE(store.HasSprite(4));
}

TEST(StoreLoading, LoadsAFileByGamePath) {
  TempDir dir;
  const std::vector<uint8_t> png = SamplePng();
  dir.Write("GFX/Sample.png", std::string(png.begin(), png.end()));
  RecordingRenderer r;
  SpriteStore store(r);
  ASSERT_TRUE(store.LoadSprite(6, dir.path() + "\\gfx\\SAMPLE.png", kSpriteTexture));
  EXPECT_EQ(store.SpriteWidth(6), 3);
  EXPECT_EQ(store.FindImage(6)->Pixel(0, 0)[3], 0);
}

// A keyed image on the software renderer: black is see-through under normal
// blending, but there is no alpha test, so the light and darkness modes still use it.
TEST(StoreOnSoftware, KeyedTexelsStillTakePartInColourBlends) {
  SoftwareRenderer r;
  SpriteStore store(r);
  const std::vector<uint8_t> png = SamplePng();
  store.SetTransparentColour(Bgr(200, 10, 20));
  ASSERT_TRUE(store.CatchSprite(1, png.data(), png.size(), kSpriteTexture));
  ASSERT_TRUE(store.CreateSprite3D(1, 1));
  store.Zoom(1, 30, 10);  // each texel 10x10
  r.Clear(Bgr(100, 100, 100));
  store.Display(1, 0, 0);
  EXPECT_EQ(ScreenAt(r, 5, 5).r, 0);     // black, opaque here
  EXPECT_EQ(ScreenAt(r, 15, 5).r, 100);  // the keyed colour: transparent
  store.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  store.Display(1, 0, 0);
  EXPECT_EQ(ScreenAt(r, 15, 5).r, 178);  // 100 * (1 + 200 / 255)
  EXPECT_EQ(ScreenAt(r, 15, 5).g, 104);  // 100 * (1 + 10 / 255)
}

TEST(StoreOnSoftware, KeyedBlackDarknessLayerSquaresTheScreen) {
  SoftwareRenderer r;
  SpriteStore store(r);
  Image black = SolidImage(4, 4, {0, 0, 0, 255});
  ApplyColourKey(black, 0);
  ASSERT_EQ(black.Pixel(0, 0)[3], 0);
  store.PutSprite(2000, black);
  ASSERT_TRUE(store.CreateSprite3D(2000, 2000));
  store.Zoom(2000, kScreenWidth, kScreenHeight);
  r.Clear(Bgr(128, 255, 10));
  store.SetBlendMode(kBlendSrcColour, kBlendDstColour);
  store.Display(2000, 0, 0);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{1023, 767}, std::pair{500, 400}}) {
    EXPECT_EQ(ScreenAt(r, x, y).r, 64);
    EXPECT_EQ(ScreenAt(r, x, y).g, 255);
    EXPECT_EQ(ScreenAt(r, x, y).b, 0);
  }
}

}  // namespace
