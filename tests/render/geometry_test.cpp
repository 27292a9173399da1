// Quad geometry on SoftwareRenderer pixels: rotation sense and centre, clipping,
// the fill rule, and nearest versus bilinear sampling.
#include <gtest/gtest.h>

#include <vector>

#include "render/render_test_util.h"

namespace {

constexpr Rgba kBlue{0, 0, 255};
constexpr Rgba kRed{255, 0, 0};
constexpr Rgba kGreen{0, 255, 0};
constexpr Rgba kYellow{255, 255, 0};

bool Same(Rgba a, Rgba b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

// 33x33 image: blue, with a green centre texel (16, 16), a red marker right of the
// centre (30, 16) and a yellow one above it (16, 2).
Image MarkerImage() {
  return MakeImage(33, 33, [](int x, int y) {
    if (x == 16 && y == 16) return kGreen;
    if (x == 30 && y == 16) return kRed;
    if (x == 16 && y == 2) return kYellow;
    return kBlue;
  });
}

struct Geometry : ::testing::Test {
  SoftwareRenderer r;
  int markers = 0;
  void SetUp() override {
    markers = r.CreateTexture(MarkerImage());
    r.Clear(0);
  }
  // Screen pixels of a colour.
  std::vector<std::pair<int, int>> Find(Rgba c, int x0 = 0, int y0 = 0, int x1 = 300, int y1 = 300) const {
    std::vector<std::pair<int, int>> at;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (Same(ScreenAt(r, x, y), c)) at.emplace_back(x, y);
    return at;
  }
};

using Cells = std::vector<std::pair<int, int>>;

TEST_F(Geometry, UnrotatedQuadShowsTheImageInPlace) {
  r.Draw(Quad(markers, 100, 100, 33, 33));
  EXPECT_EQ(Find(kRed), (Cells{{130, 116}}));
  EXPECT_EQ(Find(kGreen), (Cells{{116, 116}}));
  EXPECT_EQ(Find(kYellow), (Cells{{116, 102}}));
}

TEST_F(Geometry, QuarterTurnMovesTheRightMarkerBelowTheCentre) {
  r.Draw(Quad(markers, 100, 100, 33, 33, 90.0f));
  EXPECT_EQ(Find(kRed), (Cells{{116, 130}}));
  EXPECT_EQ(Find(kGreen), (Cells{{116, 116}}));
  EXPECT_EQ(Find(kYellow), (Cells{{130, 116}}));  // what pointed up now points right
}

TEST_F(Geometry, NegativeQuarterTurnMovesItAbove) {
  r.Draw(Quad(markers, 100, 100, 33, 33, -90.0f));
  EXPECT_EQ(Find(kRed), (Cells{{116, 102}}));
  EXPECT_EQ(Find(kYellow), (Cells{{102, 116}}));
}

TEST_F(Geometry, HalfTurnFlipsBothAxes) {
  r.Draw(Quad(markers, 100, 100, 33, 33, 180.0f));
  EXPECT_EQ(Find(kRed), (Cells{{102, 116}}));
  EXPECT_EQ(Find(kYellow), (Cells{{116, 130}}));
  EXPECT_EQ(Find(kGreen), (Cells{{116, 116}}));
}

TEST_F(Geometry, CentreStaysAndMarkerFollowsTheAngle) {
  for (float angle : {30.0f, 45.0f, 137.0f, 250.0f, -20.0f, 400.0f}) {
    r.Clear(0);
    r.Draw(Quad(markers, 100, 100, 33, 33, angle));
    EXPECT_EQ(Find(kGreen), (Cells{{116, 116}})) << angle;
    // The red marker lies 14 px from the centre along (cos a, sin a).
    const double a = angle * M_PI / 180.0;
    const Cells red = Find(kRed);
    ASSERT_FALSE(red.empty()) << angle;
    for (const auto& [x, y] : red) {
      EXPECT_NEAR(x + 0.5, 116.5 + 14 * std::cos(a), 1.0) << angle;
      EXPECT_NEAR(y + 0.5, 116.5 + 14 * std::sin(a), 1.0) << angle;
    }
  }
}

TEST_F(Geometry, ZoomStretchesAboutTheQuad) {
  const int texture = r.CreateTexture(MakeImage(2, 1, [](int x, int) { return x == 0 ? kRed : kBlue; }));
  r.Draw(Quad(texture, 10, 20, 40, 6));
  EXPECT_EQ(Find(kRed).size(), 20u * 6u);
  EXPECT_EQ(Find(kBlue).size(), 20u * 6u);
  EXPECT_TRUE(Same(ScreenAt(r, 29, 25), kRed));
  EXPECT_TRUE(Same(ScreenAt(r, 30, 20), kBlue));
}

// A texture whose texel (x, y) has red = x, green = y: the screen shows which texel landed where.
Image CoordinateImage(int w, int h) {
  return MakeImage(w, h, [](int x, int y) { return Rgba{x, y, 7, 255}; });
}

TEST_F(Geometry, ClipsAtEveryScreenEdge) {
  const int texture = r.CreateTexture(CoordinateImage(40, 30));
  struct Place {
    int x, y;
  };
  for (const Place p : {Place{-15, 100}, Place{1000, 100}, Place{100, -12}, Place{100, 750}, Place{-20, -20},
                        Place{1010, 760}}) {
    r.Clear(Bgr(0, 0, 99));
    r.Draw(Quad(texture, p.x, p.y, 40, 30));
    for (int y = std::max(p.y, 0); y < std::min(p.y + 30, kScreenHeight); ++y)
      for (int x = std::max(p.x, 0); x < std::min(p.x + 40, kScreenWidth); ++x) {
        const Rgba c = ScreenAt(r, x, y);
        ASSERT_EQ(c.r, x - p.x);
        ASSERT_EQ(c.g, y - p.y);
      }
    int drawn = 0;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x) drawn += ScreenAt(r, x, y).b == 7;
    const int w = std::min(p.x + 40, kScreenWidth) - std::max(p.x, 0);
    const int h = std::min(p.y + 30, kScreenHeight) - std::max(p.y, 0);
    EXPECT_EQ(drawn, w * h);
  }
}

TEST_F(Geometry, RotatedQuadsAcrossTheCornersDrawOnlyOnScreen) {
  const int texture = r.CreateTexture(SolidImage(8, 8, {0, 0, 7, 255}));
  r.Clear(0);
  r.Draw(Quad(texture, -100, -100, 200, 200, 33.0f));
  r.Draw(Quad(texture, 924, 668, 200, 200, 33.0f));
  EXPECT_EQ(ScreenAt(r, 0, 0).b, 7);
  EXPECT_EQ(ScreenAt(r, 1023, 767).b, 7);
  EXPECT_EQ(ScreenAt(r, 512, 384).b, 0);
}

TEST_F(Geometry, QuadsOffTheScreenDrawNothing) {
  const int texture = r.CreateTexture(SolidImage(8, 8, {255, 255, 255, 255}));
  r.Clear(Bgr(1, 2, 3));
  for (const QuadDraw& q :
       {Quad(texture, -64, 10, 64, 64), Quad(texture, 1024, 10, 64, 64), Quad(texture, 10, -64, 64, 64),
        Quad(texture, 10, 768, 64, 64), Quad(texture, -2000000000, 5, 64, 64),
        Quad(texture, 5, 2000000000, 64, 64, 45.0f), Quad(texture, -300, -300, 200, 200, 45.0f)})
    r.Draw(q);
  EXPECT_EQ(Find({1, 2, 3}, 0, 0, kScreenWidth, kScreenHeight).size(),
            static_cast<size_t>(kScreenWidth) * kScreenHeight);
}

TEST_F(Geometry, HugeQuadsCoverTheScreenAndOddAnglesDrawNothing) {
  const int texture = r.CreateTexture(CoordinateImage(4, 4));
  r.Clear(0);
  r.Draw(Quad(texture, -2000000, -2000000, 4000000, 4000000, 10.0f));
  EXPECT_EQ(Find({0, 0, 0}, 0, 0, kScreenWidth, kScreenHeight).size(), 0u);
  r.Clear(0);
  r.Draw(Quad(texture, 0, 0, 100, 100, std::nanf("")));
  r.Draw(Quad(texture, 0, 0, 100, 100, INFINITY));
  r.Draw(Quad(texture, 0, 0, 0, 100));
  r.Draw(Quad(texture, 0, 0, 100, -5));
  EXPECT_EQ(Find({0, 0, 0}, 0, 0, 120, 120).size(), 120u * 120u);
}

// Fill rule: quads sharing an edge, drawn additively with value 100 on black,
// must cover every pixel of their union exactly once.
struct FillRule : ::testing::Test {
  SoftwareRenderer r;
  int texture = 0;
  void SetUp() override {
    texture = r.CreateTexture(SolidImage(4, 4, {100, 100, 100, 255}));
    r.Clear(0);
    r.SetBlendMode(kBlendSrcAlpha, kBlendDstAlpha);
  }
  // Pixels hit twice or more, and the number hit once.
  int Overdrawn(int* once) const {
    int twice = 0;
    *once = 0;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x) {
        const int v = ScreenAt(r, x, y).r;
        twice += v > 100;
        *once += v == 100;
      }
    return twice;
  }
};

TEST_F(FillRule, AxisAlignedNeighboursCoverEachPixelOnce) {
  r.Draw(Quad(texture, 100, 100, 30, 20));
  r.Draw(Quad(texture, 130, 100, 30, 20));  // shares the vertical edge x = 130
  r.Draw(Quad(texture, 100, 120, 60, 10));  // shares the horizontal edge y = 120
  int once = 0;
  EXPECT_EQ(Overdrawn(&once), 0);
  EXPECT_EQ(once, 60 * 30);
}

TEST_F(FillRule, QuarterTurnedNeighboursCoverEachPixelOnce) {
  // 40x20 turned by 90 about (120, 110) covers x 110..130, y 90..130; its neighbour below.
  r.Draw(Quad(texture, 100, 100, 40, 20, 90.0f));
  r.Draw(Quad(texture, 100, 140, 40, 20, 270.0f));
  int once = 0;
  EXPECT_EQ(Overdrawn(&once), 0);
  EXPECT_EQ(once, 2 * 40 * 20);
}

TEST_F(FillRule, CentresOnAnEdgeBelongToTheLeftAndTopEdgesOnly) {
  // 41x20 turned by 90 about (120.5, 110): x from 110.5 to 130.5 and y from 89.5 to
  // 130.5, so whole columns and rows of pixel centres lie on its edges.
  for (float angle : {90.0f, 270.0f}) {
    r.Clear(0);
    r.Draw(Quad(texture, 100, 100, 41, 20, angle));
    r.Draw(Quad(texture, 120, 100, 41, 20, angle));  // neighbour on the right: x 130.5 to 150.5
    for (int y = 85; y < 135; ++y)
      for (int x = 105; x < 155; ++x) {
        const bool inside = x >= 110 && x < 150 && y >= 89 && y < 130;
        ASSERT_EQ(ScreenAt(r, x, y).r, inside ? 100 : 0) << angle << " at " << x << "," << y;
      }
  }
}

TEST_F(FillRule, RotatedNeighboursSharingASlantedEdgeCoverEachPixelOnce) {
  // Turned by atan(3/4): a 50 px step along the image's x axis is (40, 30) on the screen.
  const float angle = static_cast<float>(std::atan2(3.0, 4.0) * 180.0 / M_PI);
  for (int h : {30, 31, 17}) {
    r.Clear(0);
    r.Draw(Quad(texture, 200, 200, 50, h, angle));
    r.Draw(Quad(texture, 240, 230, 50, h, angle));
    r.Draw(Quad(texture, 280, 260, 50, h, angle));
    int once = 0;
    EXPECT_EQ(Overdrawn(&once), 0) << h;
    EXPECT_NEAR(once, 3 * 50 * h, 3 * 0.1 * 50 * h) << h;  // the union's area, give or take the edges
    // No gap along the shared edges: every pixel between the centres is covered.
    for (int i = 0; i <= 80; ++i) {
      const int x = 225 + i, y = 200 + h / 2 + (i * 3) / 4;
      EXPECT_EQ(ScreenAt(r, x, y).r, 100) << h << " at " << x << "," << y;
    }
  }
}

TEST_F(FillRule, CoveredPixelsMatchTheQuadArea) {
  for (float angle : {12.0f, 45.0f, 71.5f}) {
    r.Clear(0);
    r.Draw(Quad(texture, 300, 300, 101, 57, angle));
    int once = 0;
    EXPECT_EQ(Overdrawn(&once), 0);
    EXPECT_NEAR(once, 101 * 57, 101 + 57) << angle;
  }
}

// A 2x2 texture zoomed to 64x64: nearest gives four solid blocks, bilinear a ramp
// with clamp-to-edge corners.
struct Sampling : ::testing::Test {
  SoftwareRenderer r;
  int texture = 0;
  void SetUp() override {
    texture = r.CreateTexture(MakeImage(2, 2, [](int x, int y) {
      return Rgba{x == 0 ? 0 : 255, y == 0 ? 0 : 255, 40, 255};
    }));
    r.Clear(0);
  }
};

TEST_F(Sampling, NearestGivesFourBlocks) {
  r.SetQuality(0);
  r.Draw(Quad(texture, 0, 0, 64, 64));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Rgba c = ScreenAt(r, x, y);
      ASSERT_EQ(c.r, x < 32 ? 0 : 255) << x << "," << y;
      ASSERT_EQ(c.g, y < 32 ? 0 : 255) << x << "," << y;
    }
}

TEST_F(Sampling, BilinearRampsBetweenClampedCorners) {
  r.SetQuality(1);
  r.Draw(Quad(texture, 0, 0, 64, 64));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Rgba c = ScreenAt(r, x, y);
      // Sample position (x + 0.5) / 32 - 0.5 texels, clamped to the edge texels.
      const double u = std::clamp((x + 0.5) / 32.0 - 0.5, 0.0, 1.0);
      const double v = std::clamp((y + 0.5) / 32.0 - 0.5, 0.0, 1.0);
      ASSERT_NEAR(c.r, 255 * u, 1.0) << x << "," << y;
      ASSERT_NEAR(c.g, 255 * v, 1.0) << x << "," << y;
      ASSERT_EQ(c.b, 40);
      if (x < 16) {
        ASSERT_EQ(c.r, 0);
      }
      if (x >= 48) {
        ASSERT_EQ(c.r, 255);
      }
      if (x > 0) {
        ASSERT_GE(c.r, ScreenAt(r, x - 1, y).r);
      }
    }
}

TEST_F(Sampling, SamplesPastTheEdgesRepeatTheEdgeTexels) {
  // Left column red, right column blue, the rest green; the quads squeeze or turn
  // the texture so that samples fall past its edges, which must clamp to them.
  const int edges = r.CreateTexture(MakeImage(300, 3, [](int x, int) {
    return x == 0 ? Rgba{255, 0, 0, 255} : x == 299 ? Rgba{0, 0, 255, 255} : Rgba{0, 255, 0, 255};
  }));
  for (int quality : {0, 1}) {
    r.Clear(0);
    r.SetQuality(quality);
    for (int i = 0; i < 12; ++i) r.Draw(Quad(edges, 20 + i * 30, 100, 1 + i % 3, 2 + i % 4, i * 31.0f));
    r.Draw(Quad(edges, 500, 100, 1, 1));
    for (int y = 95; y < 115; ++y)
      for (int x = 15; x < 510; ++x) {
        const Rgba c = ScreenAt(r, x, y);
        // Within the texture's colours: red only with no blue and the other way round, never black holes.
        ASSERT_FALSE(c.r > 0 && c.b > 0) << quality << " at " << x << "," << y;
      }
    // The 1x1 quad samples the middle of the texture.
    EXPECT_EQ(ScreenAt(r, 500, 100).g, 255);
  }
}

TEST_F(Sampling, QualityFollowsTheLastSetting) {
  r.SetQuality(1);
  r.SetQuality(0);
  r.Draw(Quad(texture, 0, 0, 64, 64));
  EXPECT_EQ(ScreenAt(r, 31, 0).r, 0);
  EXPECT_EQ(ScreenAt(r, 32, 0).r, 255);
}

}  // namespace
