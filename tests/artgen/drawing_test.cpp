// The drawing toolkit of the image generator: coverage, gradients, blending,
// keyed conversion, noise, resampling and text.
#include <gtest/gtest.h>

#include <cmath>

#include "artgen/canvas.h"
#include "artgen/filters.h"
#include "artgen/noise.h"
#include "artgen/shapes.h"
#include "artgen/text.h"
#include "artgen/tile_kit.h"

namespace art {
namespace {

float TotalCoverage(const Shape& shape, int size) {
  float sum = 0.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) sum += Coverage(shape, x, y);
  }
  return sum;
}

void ExpectColour(Colour c, float r, float g, float b, float a) {
  EXPECT_NEAR(c.r, r, 1e-4f);
  EXPECT_NEAR(c.g, g, 1e-4f);
  EXPECT_NEAR(c.b, b, 1e-4f);
  EXPECT_NEAR(c.a, a, 1e-4f);
}

TEST(ArtShapes, DiscCoverageMatchesItsAreaWithASoftEdge) {
  const Shape disc = Disc({32.5f, 32.5f}, 10.0f);
  EXPECT_NEAR(TotalCoverage(disc, 64), 3.14159265f * 100.0f, 3.14159265f);
  EXPECT_FLOAT_EQ(Coverage(disc, 32, 32), 1.0f);  // the centre
  EXPECT_FLOAT_EQ(Coverage(disc, 41, 32), 1.0f);  // a pixel inside the rim
  EXPECT_FLOAT_EQ(Coverage(disc, 44, 32), 0.0f);  // outside
  // The pixel whose centre lies on the rim is half covered, on every side.
  EXPECT_NEAR(Coverage(disc, 42, 32), 0.5f, 1e-4f);
  EXPECT_NEAR(Coverage(disc, 22, 32), 0.5f, 1e-4f);
  EXPECT_NEAR(Coverage(disc, 32, 42), 0.5f, 1e-4f);
}

TEST(ArtShapes, EllipseRoundRectAndCapsuleCoverTheirAreas) {
  EXPECT_NEAR(TotalCoverage(Ellipse({32, 32}, 20, 8), 64), 3.14159265f * 160.0f, 0.02f * 3.14159265f * 160.0f);
  EXPECT_NEAR(TotalCoverage(RoundRect({10, 10, 30, 20}, 0.0f), 64), 200.0f, 0.5f);
  // Capsule: a 20 x 4 rectangle plus two half discs of radius 2.
  EXPECT_NEAR(TotalCoverage(Capsule({20, 30}, {40, 30}, 4.0f), 64), 80.0f + 3.14159265f * 4.0f, 2.0f);
}

TEST(ArtShapes, ConcavePolygonLeavesItsNotchEmpty) {
  // An L: the square 10..30 with its upper-right quarter cut away.
  const Shape l = Polygon({{10, 10}, {20, 10}, {20, 20}, {30, 20}, {30, 30}, {10, 30}});
  EXPECT_FLOAT_EQ(Coverage(l, 14, 14), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(l, 25, 25), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(l, 25, 14), 0.0f);
  EXPECT_NEAR(TotalCoverage(l, 40), 300.0f, 1.0f);
  // Fewer than three points draws nothing.
  EXPECT_FLOAT_EQ(Coverage(Polygon({{0, 0}, {10, 10}}), 5, 5), 0.0f);
}

TEST(ArtShapes, RotationTurnsClockwiseOnScreen) {
  // A bar pointing right from the pivot, turned 90 degrees, points down (+y).
  const Shape bar = Capsule({32, 32}, {52, 32}, 4.0f);
  const Shape turned = Rotated(bar, {32, 32}, 90.0f);
  EXPECT_FLOAT_EQ(Coverage(turned, 31, 45), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(turned, 45, 31), 0.0f);
  EXPECT_FLOAT_EQ(Coverage(turned, 31, 18), 0.0f);
}

TEST(ArtShapes, BooleanOperations) {
  const Shape a = Disc({20, 20}, 8);
  const Shape b = Disc({30, 20}, 8);
  EXPECT_FLOAT_EQ(Coverage(Union(a, b), 34, 19), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(Intersect(a, b), 14, 19), 0.0f);
  EXPECT_FLOAT_EQ(Coverage(Intersect(a, b), 24, 19), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(Subtract(a, b), 24, 19), 0.0f);
  EXPECT_FLOAT_EQ(Coverage(Subtract(a, b), 14, 19), 1.0f);
  // An outline is a band: empty in the middle, covered on the rim.
  EXPECT_FLOAT_EQ(Coverage(Outline(a, 2.0f), 19, 19), 0.0f);
  EXPECT_GT(Coverage(Outline(a, 2.0f), 27, 19), 0.5f);
}

TEST(ArtPaint, GradientsHitTheirEndColours) {
  const Colour red = Rgb(255, 0, 0);
  const Colour blue = Rgb(0, 0, 255);
  const Paint linear = Linear({0, 0}, {10, 0}, {{0.0f, red}, {1.0f, blue}});
  ExpectColour(linear(0, 5), 1, 0, 0, 1);
  ExpectColour(linear(10, 5), 0, 0, 1, 1);
  ExpectColour(linear(5, 0), 0.5f, 0, 0.5f, 1);
  ExpectColour(linear(-4, 0), 1, 0, 0, 1);  // clamped before the start
  ExpectColour(linear(30, 0), 0, 0, 1, 1);  // and after the end
  const Paint radial = Radial({5, 5}, 4.0f, {{0.0f, red}, {0.5f, Rgb(0, 255, 0)}, {1.0f, blue}});
  ExpectColour(radial(5, 5), 1, 0, 0, 1);
  ExpectColour(radial(7, 5), 0, 1, 0, 1);
  ExpectColour(radial(5, 9), 0, 0, 1, 1);
}

TEST(ArtCanvas, BlendModes) {
  Canvas c(2, 1);
  c.Put(0, 0, Rgb(255, 255, 255), 0.5f);  // half-covered white over nothing
  EXPECT_NEAR(c.at(0, 0).a, 0.5f, 1e-5f);
  ExpectColour(ColourOf(c.at(0, 0)), 1, 1, 1, 0.5f);
  c.Put(1, 0, Rgb(76, 76, 76), 1.0f, Blend::kAdd);
  c.Put(1, 0, Rgb(76, 76, 76), 1.0f, Blend::kAdd);
  EXPECT_NEAR(c.at(1, 0).r, 152.0f / 255.0f, 1e-4f);
  c.Put(1, 0, Rgb(0, 0, 0), 0.5f, Blend::kErase);
  EXPECT_NEAR(c.at(1, 0).a, 0.5f, 1e-5f);
  // Painting inside keeps the covered amount and only recolours.
  c.Put(0, 0, Rgb(255, 0, 0), 1.0f, Blend::kInside);
  EXPECT_NEAR(c.at(0, 0).a, 0.5f, 1e-5f);
  ExpectColour(ColourOf(c.at(0, 0)), 1, 0, 0, 0.5f);
  // Outside pixels are ignored rather than written out of bounds.
  c.Put(-1, 0, Rgb(255, 0, 0), 1.0f);
  c.Put(2, 0, Rgb(255, 0, 0), 1.0f);
}

TEST(ArtCanvas, StoragesKeepPureBlackOnlyForTransparency) {
  Canvas c(4, 1);
  c.Put(0, 0, Rgb(200, 100, 50), 0.2f);  // barely covered
  c.Put(1, 0, Rgb(0, 0, 0), 1.0f);       // solid black
  c.Put(2, 0, Rgb(200, 100, 50), 1.0f);  // solid colour
  // pixel 3 stays transparent
  const Image cutout = ToImage(c, Storage::kCutout);
  const uint8_t* p0 = cutout.Pixel(0, 0);
  EXPECT_EQ(p0[0] + p0[1] + p0[2], 0);
  const uint8_t* p1 = cutout.Pixel(1, 0);
  EXPECT_EQ(p1[0], 1);
  EXPECT_EQ(p1[1], 1);
  EXPECT_EQ(p1[2], 1);
  EXPECT_EQ(cutout.Pixel(2, 0)[0], 200);
  EXPECT_EQ(cutout.Pixel(3, 0)[0] + cutout.Pixel(3, 0)[1] + cutout.Pixel(3, 0)[2], 0);

  const Image opaque = ToImage(c, Storage::kOpaque);
  for (int x = 0; x < 4; ++x) {
    const uint8_t* p = opaque.Pixel(x, 0);
    EXPECT_GT(p[0] + p[1] + p[2], 0) << "pixel " << x;
    EXPECT_EQ(p[3], 255);
  }

  // A glow is its colour over black: faint stays faint, transparent stays black.
  const Image glow = ToImage(c, Storage::kGlow);
  EXPECT_EQ(glow.Pixel(0, 0)[0], 40);
  EXPECT_EQ(glow.Pixel(3, 0)[0], 0);

  const Image alpha = ToImage(c, Storage::kAlpha);
  EXPECT_EQ(alpha.Pixel(0, 0)[0], 200);
  EXPECT_EQ(alpha.Pixel(0, 0)[3], 51);
  EXPECT_EQ(alpha.Pixel(3, 0)[3], 0);
}

TEST(ArtNoise, DeterministicBoundedAndSeamlessOnTiles) {
  EXPECT_EQ(Hash(3, 4, 5), Hash(3, 4, 5));
  EXPECT_NE(Hash(3, 4, 5), Hash(4, 3, 5));
  EXPECT_NE(Hash(3, 4, 5), Hash(3, 4, 6));
  for (int i = 0; i < 200; ++i) {
    const float x = static_cast<float>(i) * 0.73f;
    const float y = static_cast<float>(i) * 1.37f;
    const float n = Fractal(x, y, 4, 7u);
    EXPECT_GE(n, 0.0f);
    EXPECT_LE(n, 1.0f);
    // Tiles repeat every 64 pixels in both directions.
    EXPECT_NEAR(TileNoise(x, y, 16, 3, 9u), TileNoise(x + 64.0f, y, 16, 3, 9u), 1e-5f);
    EXPECT_NEAR(TileNoise(x, y, 16, 3, 9u), TileNoise(x, y - 64.0f, 16, 3, 9u), 1e-5f);
  }
  Rng a(12);
  Rng b(12);
  for (int i = 0; i < 50; ++i) {
    const float v = a.Range(2.0f, 3.0f);
    EXPECT_EQ(v, b.Range(2.0f, 3.0f));
    EXPECT_GE(v, 2.0f);
    EXPECT_LT(v, 3.0f);
    const int k = a.Below(7);
    b.Below(7);
    EXPECT_GE(k, 0);
    EXPECT_LT(k, 7);
  }
  EXPECT_EQ(a.Below(0), 0);
}

TEST(ArtFilters, TransposeBlurAndResize) {
  Canvas c(6, 3);
  c.Put(4, 1, Rgb(255, 0, 0), 1.0f);
  const Canvas t = Transposed(c);
  ASSERT_EQ(t.width(), 3);
  ASSERT_EQ(t.height(), 6);
  EXPECT_FLOAT_EQ(t.at(1, 4).a, 1.0f);
  EXPECT_FLOAT_EQ(t.at(1, 1).a, 0.0f);

  // A blurred dot spreads to its neighbours but keeps its total amount.
  Canvas dot(32, 32);
  dot.Put(16, 16, Rgb(255, 255, 255), 1.0f);
  const Canvas soft = Blurred(dot, 4.0f);
  float total = 0.0f;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) total += soft.at(x, y).a;
  }
  EXPECT_NEAR(total, 1.0f, 1e-3f);
  EXPECT_LT(soft.at(16, 16).a, 0.5f);
  EXPECT_GT(soft.at(18, 16).a, 0.0f);

  // Halving a 2 x 2 checker averages it.
  Canvas checker(2, 2);
  checker.Put(0, 0, Rgb(255, 255, 255), 1.0f);
  checker.Put(1, 1, Rgb(255, 255, 255), 1.0f);
  EXPECT_NEAR(Resized(checker, 1, 1).at(0, 0).a, 0.5f, 1e-5f);
}

TEST(ArtFilters, TurningMovesPixelsClockwiseAboutThePivot) {
  Canvas c(16, 16);
  c.Put(12, 7, Rgb(255, 255, 255), 1.0f);  // right of the pivot (8, 8)
  const Canvas quarter = Turned(c, {8.0f, 8.0f}, 90.0f);
  EXPECT_NEAR(quarter.at(8, 12).a, 1.0f, 1e-4f);  // now below it
  EXPECT_NEAR(quarter.at(12, 7).a, 0.0f, 1e-4f);
  const Canvas half = Turned(c, {8.0f, 8.0f}, 180.0f);
  EXPECT_NEAR(half.at(3, 8).a, 1.0f, 1e-4f);  // now to its left
}

TEST(ArtFilters, OutlineSurroundsTheItem) {
  Canvas c(20, 20);
  Draw(c, RoundRect({8, 8, 12, 12}, 0.0f), Rgb(255, 255, 255));
  const Canvas out = Outlined(c, Rgb(0, 0, 0), 2.0f);
  EXPECT_FLOAT_EQ(out.at(7, 10).a, 1.0f);        // next to the item: outline
  EXPECT_GT(out.at(6, 10).a, 0.0f);              // the outline's soft rim
  EXPECT_FLOAT_EQ(out.at(3, 10).a, 0.0f);        // far out: nothing
  EXPECT_GT(ColourOf(out.at(10, 10)).r, 0.99f);  // the item stays on top
  EXPECT_LT(ColourOf(out.at(7, 10)).r, 0.01f);
}

TEST(ArtText, RendersTheBoldFontAndFitsABox) {
  const TextMask m = RenderTextMask("E", 30);
  ASSERT_TRUE(m.ok) << "font " << BoldFontFile();
  EXPECT_GT(m.InkWidth(), 5);
  EXPECT_GT(m.InkHeight(), 10);
  const int size = FittingPointSize("Reloading", 120.0f, 18.0f);
  const TextMask fitted = RenderTextMask("Reloading", size);
  EXPECT_LE(fitted.InkWidth(), 120);
  EXPECT_LE(fitted.InkHeight(), 18);
  EXPECT_GT(fitted.InkWidth(), 90);  // the largest size that fits, not any size
  EXPECT_FALSE(RenderTextMask("", 20).ok);
}

}  // namespace
}  // namespace art
