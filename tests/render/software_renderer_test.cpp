// The software back-end around the rasteriser: clearing, capture, textures, text.
#include <gtest/gtest.h>

#include "render/render_test_util.h"

namespace {

TEST(SoftwareRenderer, ClearTakesBgrAndCaptureGivesRgba) {
  SoftwareRenderer r;
  r.Clear(Bgr(10, 20, 30));
  EXPECT_EQ(r.pixels()[0], 0x000A141Eu);
  EXPECT_EQ(r.pitch(), kScreenWidth);
  Image out;
  ASSERT_TRUE(r.Capture(out));
  ASSERT_EQ(out.width, kScreenWidth);
  ASSERT_EQ(out.height, kScreenHeight);
  const uint8_t* p = out.Pixel(1023, 767);
  EXPECT_EQ(p[0], 10);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 30);
  EXPECT_EQ(p[3], 255);
}

TEST(SoftwareRenderer, ScreenWordsKeepTheTopByteClear) {
  SoftwareRenderer r;
  r.Clear(0xFFFFFFFF);
  EXPECT_EQ(r.pixels()[5], 0x00FFFFFFu);
  const int t = r.CreateTexture(SolidImage(8, 8, {255, 255, 255, 255}));
  for (int f = kBlendZero; f <= kBlendInvDstColour; ++f) {
    r.SetBlendMode(kBlendOne, f);
    r.Draw(Quad(t, 0, 0, 8, 8, 10.0f));
  }
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r.pixels()[i * kScreenWidth + i] >> 24, 0u);
}

TEST(SoftwareRenderer, RefusesBadImagesAndForgetsFreedTextures) {
  SoftwareRenderer r;
  EXPECT_EQ(r.CreateTexture(Image{}), 0);
  Image broken;
  broken.width = 4;
  broken.height = 4;  // no pixels
  EXPECT_EQ(r.CreateTexture(broken), 0);
  EXPECT_EQ(r.CreateTexture(SolidImage(kMaxTextureSize + 1, 1, {})), 0);
  const int a = r.CreateTexture(SolidImage(2, 2, {255, 0, 0, 255}));
  const int b = r.CreateTexture(SolidImage(2, 2, {0, 255, 0, 255}));
  EXPECT_GT(a, 0);
  EXPECT_NE(a, b);
  r.FreeTexture(a);
  r.Clear(0);
  r.Draw(Quad(a, 0, 0, 10, 10));
  r.Draw(Quad(999, 0, 0, 10, 10));
  EXPECT_EQ(ScreenAt(r, 5, 5).r, 0);
  r.Draw(Quad(b, 0, 0, 10, 10));
  EXPECT_EQ(ScreenAt(r, 5, 5).g, 255);
  EXPECT_EQ(r.textureCount(), 1);
}

TEST(SoftwareRenderer, PresentHandsTheFinishedScreenToTheSink) {
  for (const int threads : {1, 3}) {
    SoftwareRenderer r(threads);
    r.Clear(Bgr(1, 2, 3));
    r.Present();  // no sink: nothing to show, nothing lost
    EXPECT_EQ(ScreenAt(r, 0, 0).b, 3);
    int frames = 0;
    uint32_t corner = 0;
    r.SetFrameSink([&](const uint32_t* pixels, int pitch) {
      ++frames;
      corner = pixels[767 * pitch + 1023];
    });
    r.Clear(Bgr(4, 5, 6));  // kept for the workers until the frame is shown
    r.Present();
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(corner, 0x00040506u) << threads << " threads";
  }
}

TEST(SoftwareRenderer, TextIsBlendedOverTheScreen) {
  Image probe;
  ASSERT_TRUE(BlockText("Hj", 0xFFFFFF, probe));
  SoftwareRenderer r;
  r.DrawText(10, 10, "no source", 0xFFFFFF);  // without a text source, no text
  EXPECT_EQ(ScreenAt(r, 10, 10).r + ScreenAt(r, 12, 12).r, 0);
  r.SetTextSource(BlockText);
  r.Clear(Bgr(0, 0, 128));
  r.SetBlendMode(kBlendDstColour, kBlendDstAlpha);  // text always uses normal blending
  r.DrawText(100, 200, "Hj", Bgr(255, 255, 0));
  int inked = 0, foreign = 0;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const Rgba c = ScreenAt(r, x, y);
      const bool changed = c.r != 0 || c.g != 0 || c.b != 128;
      const bool inBox = x >= 100 && x < 100 + probe.width && y >= 200 && y < 200 + probe.height;
      inked += changed && inBox;
      foreign += changed && !inBox;
      if (changed) {
        EXPECT_EQ(c.r, c.g);  // yellow over blue: red and green rise together
      }
    }
  EXPECT_GT(inked, 10);
  EXPECT_EQ(foreign, 0);
  r.DrawText(-5000, 100, "off screen", 0xFFFFFF);
  r.DrawText(0, 0, "", 0xFFFFFF);
}

// The inked box of a text on black (the stand-in pen inks every row and column).
struct InkBox {
  int left = kScreenWidth, right = -1, top = kScreenHeight, bottom = -1;
};
InkBox DrawnBox(SoftwareRenderer& r, int x, int y, const TextStyle& style) {
  r.Clear(0);
  r.DrawText(x, y, "PAUSED", 0xFFFFFF, style);
  InkBox box;
  for (int py = 0; py < kScreenHeight; ++py)
    for (int px = 0; px < kScreenWidth; ++px) {
      if (ScreenAt(r, px, py).r == 0) continue;
      box = {std::min(box.left, px), std::max(box.right, px), std::min(box.top, py), std::max(box.bottom, py)};
    }
  return box;
}

TEST(SoftwareRenderer, ALargerTextIsBiggerAndACentredOneHasItsMiddleOnX) {
  SoftwareRenderer r;
  r.SetTextSource(BlockText);
  const InkBox plain = DrawnBox(r, 300, 200, {});
  const InkBox title = DrawnBox(r, 300, 200, {38, true, true});
  EXPECT_GT(title.bottom - title.top, 2 * (plain.bottom - plain.top));
  EXPECT_GT(title.right - title.left, 2 * (plain.right - plain.left));
  EXPECT_EQ(title.top, 200);
  EXPECT_NEAR((title.left + title.right + 1) / 2.0, 300.0, 0.5);
}

}  // namespace
