// Blend arithmetic on SoftwareRenderer pixels: the ten factors, the game's four
// modes, and alpha scaling.
#include <gtest/gtest.h>

#include "render/render_test_util.h"
#include "render/software_raster_pixel.h"

namespace {

constexpr Rgba kBackground{60, 130, 200};

// Two texel colours in a checker, so that both the uniform and the sampled paths run.
constexpr Rgba kTexelA{200, 100, 30, 180};
constexpr Rgba kTexelB{20, 240, 128, 60};

Image Checker(int w, int h) {
  return MakeImage(w, h, [](int x, int y) { return (x + y) % 2 == 0 ? kTexelA : kTexelB; });
}

struct BlendCase : ::testing::Test {
  SoftwareRenderer r;
  void ExpectPixel(int x, int y, int sf, int df, Rgba texel, Rgba background, int quadAlpha = 255) {
    const int sa = static_cast<int>(std::lround(texel.a * quadAlpha / 255.0));
    const Rgba got = ScreenAt(r, x, y);
    EXPECT_EQ(got.r, BlendedChannel(sf, df, texel.r, sa, background.r)) << "factors " << sf << "," << df;
    EXPECT_EQ(got.g, BlendedChannel(sf, df, texel.g, sa, background.g)) << "factors " << sf << "," << df;
    EXPECT_EQ(got.b, BlendedChannel(sf, df, texel.b, sa, background.b)) << "factors " << sf << "," << df;
  }
};

TEST(Div255, RoundsToNearestOverTheWholeProductRange) {
  for (uint32_t x = 0; x <= 255u * 255u; ++x) {
    ASSERT_EQ(raster::Div255(x), (x * 2 + 255) / 510) << x;
  }
}

TEST_F(BlendCase, EveryFactorPairOnAKnownBackground) {
  const int checker = r.CreateTexture(Checker(4, 4));
  const int uniform = r.CreateTexture(SolidImage(4, 4, kTexelA));
  ASSERT_GT(checker, 0);
  ASSERT_GT(uniform, 0);
  for (int sf = kBlendZero; sf <= kBlendInvDstColour; ++sf) {
    for (int df = kBlendZero; df <= kBlendInvDstColour; ++df) {
      r.Clear(Bgr(kBackground.r, kBackground.g, kBackground.b));
      r.SetBlendMode(sf, df);
      r.Draw(Quad(checker, 10, 10, 4, 4));
      r.Draw(Quad(uniform, 20, 10, 4, 4));
      ExpectPixel(10, 10, sf, df, kTexelA, kBackground);
      ExpectPixel(11, 10, sf, df, kTexelB, kBackground);
      ExpectPixel(13, 13, sf, df, kTexelA, kBackground);
      ExpectPixel(22, 12, sf, df, kTexelA, kBackground);
      EXPECT_EQ(ScreenAt(r, 14, 10).r, kBackground.r);  // right of the quad: untouched
    }
  }
}

TEST_F(BlendCase, EachFactorAsSourceAndAsDestinationAlone) {
  const int texture = r.CreateTexture(Checker(2, 2));
  for (int f = kBlendZero; f <= kBlendInvDstColour; ++f) {
    r.Clear(Bgr(kBackground.r, kBackground.g, kBackground.b));
    r.SetBlendMode(f, kBlendZero);
    r.Draw(Quad(texture, 0, 0, 2, 2));
    r.SetBlendMode(kBlendZero, f);
    r.Draw(Quad(texture, 4, 0, 2, 2));
    ExpectPixel(0, 0, f, kBlendZero, kTexelA, kBackground);
    ExpectPixel(1, 0, f, kBlendZero, kTexelB, kBackground);
    ExpectPixel(4, 0, kBlendZero, f, kTexelA, kBackground);
    ExpectPixel(5, 0, kBlendZero, f, kTexelB, kBackground);
  }
}

// The game's four modes with hand-worked numbers.
TEST_F(BlendCase, DarknessSquaresTheScreen) {
  const int black = r.CreateTexture(SolidImage(8, 8, {0, 0, 0, 255}));
  const int grey = r.CreateTexture(SolidImage(8, 8, {128, 128, 128, 255}));
  r.Clear(Bgr(128, 255, 0));
  r.SetBlendMode(kBlendSrcColour, kBlendDstColour);
  r.Draw(Quad(black, 0, 0, 8, 8));
  const Rgba dark = ScreenAt(r, 3, 3);
  EXPECT_EQ(dark.r, 64);  // 128 * 128 / 255 = 64.25
  EXPECT_EQ(dark.g, 255);
  EXPECT_EQ(dark.b, 0);
  r.Clear(Bgr(64, 64, 64));
  r.Draw(Quad(grey, 0, 0, 8, 8));
  EXPECT_EQ(ScreenAt(r, 3, 3).r, 80);  // (128^2 + 64^2) / 255 = 80.3
}

TEST_F(BlendCase, LightMultipliesByOnePlusTheTexel) {
  const int white = r.CreateTexture(SolidImage(8, 8, {255, 255, 255, 0}));
  const int mid = r.CreateTexture(SolidImage(8, 8, {128, 0, 255, 0}));
  r.Clear(Bgr(100, 200, 30));
  r.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  r.Draw(Quad(white, 0, 0, 8, 8));
  const Rgba doubled = ScreenAt(r, 4, 4);
  EXPECT_EQ(doubled.r, 200);
  EXPECT_EQ(doubled.g, 255);  // 400 clamps
  EXPECT_EQ(doubled.b, 60);
  r.Clear(Bgr(100, 200, 30));
  r.Draw(Quad(mid, 0, 0, 8, 8));
  const Rgba lit = ScreenAt(r, 4, 4);
  EXPECT_EQ(lit.r, 150);  // 100 + 100 * 128 / 255 = 150.2
  EXPECT_EQ(lit.g, 200);  // black channel: unchanged
  EXPECT_EQ(lit.b, 60);
}

TEST_F(BlendCase, AdditiveAddsColourTimesAlpha) {
  const int black = r.CreateTexture(SolidImage(8, 8, {0, 0, 0, 255}));
  const int fire = r.CreateTexture(SolidImage(8, 8, {200, 100, 50, 128}));
  r.Clear(Bgr(64, 64, 250));
  r.SetBlendMode(kBlendSrcAlpha, kBlendDstAlpha);
  r.Draw(Quad(black, 0, 0, 8, 8));
  const Rgba same = ScreenAt(r, 2, 2);
  EXPECT_EQ(same.r, 64);
  EXPECT_EQ(same.b, 250);
  r.Draw(Quad(fire, 0, 0, 8, 8));
  const Rgba glow = ScreenAt(r, 2, 2);
  EXPECT_EQ(glow.r, 164);  // 64 + 200 * 128 / 255 = 164.4
  EXPECT_EQ(glow.g, 114);  // 64 + 50.2
  EXPECT_EQ(glow.b, 255);  // 250 + 25.1 clamps
}

TEST_F(BlendCase, NormalMixesByTexelAlpha) {
  const int half = r.CreateTexture(SolidImage(8, 8, {200, 100, 50, 128}));
  const int opaque = r.CreateTexture(SolidImage(8, 8, {10, 20, 30, 255}));
  const int clear = r.CreateTexture(SolidImage(8, 8, {255, 255, 255, 0}));
  r.Clear(Bgr(64, 64, 64));
  r.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
  r.Draw(Quad(half, 0, 0, 8, 8));
  const Rgba mixed = ScreenAt(r, 1, 1);
  EXPECT_EQ(mixed.r, 132);  // 64 + (200 - 64) * 128 / 255 = 132.3
  EXPECT_EQ(mixed.g, 82);
  EXPECT_EQ(mixed.b, 57);
  r.Draw(Quad(opaque, 0, 0, 8, 8));
  EXPECT_EQ(ScreenAt(r, 1, 1).g, 20);
  r.Draw(Quad(clear, 0, 0, 8, 8));
  EXPECT_EQ(ScreenAt(r, 1, 1).g, 20);
}

TEST_F(BlendCase, QuadAlphaScalesTheTexelAlpha) {
  const int texture = r.CreateTexture(Checker(4, 4));
  for (int alpha : {0, 1, 77, 128, 200, 254, 255}) {
    for (int df : {kBlendInvSrcAlpha, kBlendDstAlpha}) {
      r.Clear(Bgr(kBackground.r, kBackground.g, kBackground.b));
      r.SetBlendMode(kBlendSrcAlpha, df);
      r.Draw(Quad(texture, 0, 0, 4, 4, 0.0f, alpha));
      // Against the unrounded product texel alpha x quad alpha: within 1.
      for (const auto& [x, texel] : {std::pair{0, kTexelA}, std::pair{1, kTexelB}}) {
        const double sa = texel.a * alpha / 255.0 / 255.0, d = kBackground.r / 255.0, s = texel.r / 255.0;
        const double expected = std::min(1.0, s * sa + d * (df == kBlendDstAlpha ? 1.0 : 1.0 - sa)) * 255.0;
        EXPECT_NEAR(ScreenAt(r, x, 0).r, expected, 1.0) << "alpha " << alpha << " factor " << df;
      }
    }
  }
}

TEST_F(BlendCase, QuadAlphaOutsideTheRangeIsClamped) {
  const int texture = r.CreateTexture(SolidImage(4, 4, {250, 250, 250, 255}));
  r.Clear(Bgr(10, 10, 10));
  r.Draw(Quad(texture, 0, 0, 4, 4, 0.0f, 999));
  EXPECT_EQ(ScreenAt(r, 1, 1).r, 250);
  r.Clear(Bgr(10, 10, 10));
  r.Draw(Quad(texture, 0, 0, 4, 4, 0.0f, -40));
  EXPECT_EQ(ScreenAt(r, 1, 1).r, 10);
}

TEST_F(BlendCase, LightAndDarknessIgnoreAlphaEntirely) {
  // Texels of alpha 0 drawn with quad alpha 0 still take part: there is no alpha test.
  const int light = r.CreateTexture(SolidImage(4, 4, {255, 255, 255, 0}));
  const int dark = r.CreateTexture(SolidImage(4, 4, {0, 0, 0, 0}));
  r.Clear(Bgr(100, 100, 100));
  r.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  r.Draw(Quad(light, 0, 0, 4, 4, 0.0f, 0));
  EXPECT_EQ(ScreenAt(r, 1, 1).r, 200);
  r.SetBlendMode(kBlendSrcColour, kBlendDstColour);
  r.Draw(Quad(dark, 0, 0, 4, 4, 0.0f, 0));
  EXPECT_EQ(ScreenAt(r, 1, 1).r, 157);  // 200^2 / 255 = 156.9
}

TEST_F(BlendCase, InvalidBlendNumbersAreIgnored) {
  const int texture = r.CreateTexture(SolidImage(4, 4, {200, 0, 0, 255}));
  r.Clear(Bgr(100, 100, 100));
  r.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  r.SetBlendMode(0, 11);  // ignored: the light mode stays
  r.Draw(Quad(texture, 0, 0, 4, 4));
  EXPECT_EQ(ScreenAt(r, 1, 1).r, 178);  // 100 + 100 * 200 / 255 = 178.4
  EXPECT_EQ(ScreenAt(r, 1, 1).g, 100);
}

}  // namespace
