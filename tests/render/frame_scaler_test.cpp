// The frame scaler of the window-surface present: blocks at whole multiples,
// bilinear filtering between, black bars, and the same rows on any number of threads.
#include "render/frame_scaler.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace {

uint32_t Pattern(int x, int y) { return static_cast<uint32_t>((x * 7 & 255) << 16 | (y * 3 & 255) << 8 | ((x ^ y) & 255)); }

std::vector<uint32_t> PatternFrame() {
  std::vector<uint32_t> frame(static_cast<size_t>(kScreenWidth) * kScreenHeight);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) frame[static_cast<size_t>(y) * kScreenWidth + x] = Pattern(x, y);
  }
  return frame;
}

struct Window {
  int width, height;
  std::vector<uint32_t> pixels;
  Window(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0xABCDEFu) {}
  RasterTarget Target() { return {pixels.data(), width, width, height}; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

TEST(FrameScaler, WholeMultiplesCopyEachPixelAsABlockWithBlackBars) {
  const std::vector<uint32_t> frame = PatternFrame();
  const struct {
    int width, height;
    bool integer;
  } cases[] = {{2048, 1536, false}, {2500, 1700, true}, {3072, 2304, true}, {1024, 768, false}};
  for (const auto& c : cases) {
    Window window(c.width, c.height);
    const FrameFit fit = FitFrame(c.width, c.height, c.integer);
    ASSERT_TRUE(WholeScale(fit));
    ScaleFrameRows(frame.data(), kScreenWidth, fit, window.Target(), 0, c.height);
    const int s = static_cast<int>(fit.scale);
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int fx = x - fit.x, fy = y - fit.y;
        const bool inside = fx >= 0 && fy >= 0 && fx < fit.width && fy < fit.height;
        wrong += window.At(x, y) != (inside ? Pattern(fx / s, fy / s) : 0u);
      }
    }
    EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
  }
}

// A frame of one colour stays that colour at any scale; a left-to-right ramp stays
// a ramp that never falls, from its first value to its last.
TEST(FrameScaler, BilinearScalingKeepsFlatColourAndRamps) {
  std::vector<uint32_t> flat(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0x3366CCu);
  std::vector<uint32_t> ramp(flat.size());
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint32_t>(i % kScreenWidth / 4) * 0x010101u;
  for (const auto& [w, h] : {std::pair{1536, 1152}, std::pair{1300, 1000}, std::pair{800, 600}}) {
    const FrameFit fit = FitFrame(w, h, false);
    ASSERT_FALSE(WholeScale(fit));
    Window a(w, h), b(w, h);
    ScaleFrameRows(flat.data(), kScreenWidth, fit, a.Target(), 0, h);
    ScaleFrameRows(ramp.data(), kScreenWidth, fit, b.Target(), 0, h);
    const int y = fit.y + fit.height / 2;
    EXPECT_EQ(a.At(fit.x + fit.width / 3, y), 0x3366CCu) << w;
    EXPECT_EQ(b.At(fit.x, y), 0u) << w;
    EXPECT_EQ(b.At(fit.x + fit.width - 1, y), 255u * 0x010101u) << w;
    int falls = 0;
    for (int x = fit.x + 1; x < fit.x + fit.width; ++x) falls += (b.At(x, y) & 255) < (b.At(x - 1, y) & 255);
    EXPECT_EQ(falls, 0) << w;
  }
}

TEST(FrameScaler, ThreadsScaleTheSameRowsAsOne) {
  const std::vector<uint32_t> frame = PatternFrame();
  for (const auto& [w, h, integer] : {std::tuple{1700, 1100, false}, std::tuple{2100, 1600, true}}) {
    const FrameFit fit = FitFrame(w, h, integer);
    Window one(w, h), many(w, h);
    ScaleFrameRows(frame.data(), kScreenWidth, fit, one.Target(), 0, h);
    FrameScaler scaler(3);
    scaler.Scale(frame.data(), kScreenWidth, fit, many.Target());
    EXPECT_EQ(one.pixels, many.pixels) << w;
  }
}

}  // namespace
