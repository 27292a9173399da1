// The frame-time plot: one stacked bar a frame, the slow frame seen where it
// happened, the 60 Hz line across.
#include "replay/frame_plot.h"

#include <gtest/gtest.h>

namespace {

uint32_t Word(const uint32_t* screen, int x, int y) { return screen[y * kScreenWidth + x]; }

// 0x00BBGGRR as the screen holds it (0x00RRGGBB).
uint32_t OnScreen(uint32_t colour) { return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF); }

TEST(FramePlot, StacksTheThreePartsAndShowsTheSpikeWhereItHappened) {
  std::vector<FrameTiming> frames(93, FrameTiming{2.0, 3.0, 1.0});
  frames[46] = FrameTiming{4.0, 30.0, 2.0};  // 36 ms
  SoftwareRenderer renderer(1);
  DrawFramePlot(renderer, frames, "test");
  const uint32_t* screen = renderer.pixels();
  // The plot spans x 70-1000 and y 96-720; the scale tops out at 40 ms (36 ms and a bit, in steps of 5).
  const int barWidth = (1000 - 70) / 93;
  const auto row = [](double ms) { return static_cast<int>(720 - ms / 40.0 * (720 - 96)); };
  const int plain = 70 + 10 * barWidth + barWidth / 2, spike = 70 + 46 * barWidth + barWidth / 2;
  const uint32_t update = OnScreen(0x00D08040), draw = OnScreen(0x0030A0F0), present = OnScreen(0x0060C060);
  for (const int x : {plain, spike}) {
    EXPECT_EQ(Word(screen, x, row(1.0)), update) << x;
  }
  EXPECT_EQ(Word(screen, plain, row(3.5)), draw);
  EXPECT_EQ(Word(screen, plain, row(5.5)), present);
  EXPECT_NE(Word(screen, plain, row(8.0)), present);
  EXPECT_EQ(Word(screen, spike, row(20.0)), draw);
  EXPECT_EQ(Word(screen, spike, row(35.0)), present);
  // The 16.7 ms line runs across, over and between the bars.
  const uint32_t red = OnScreen(0x003030F0);
  const int line = row(1000.0 / 60.0);
  int reds = 0;
  for (int x = 70; x < 1000; ++x) reds += Word(screen, x, line) == red || Word(screen, x, line - 1) == red;
  EXPECT_EQ(reds, 1000 - 70);
}

// With more frames than columns each column shows its slowest frame.
TEST(FramePlot, ManyFramesKeepTheirSpike) {
  std::vector<FrameTiming> frames(10000, FrameTiming{1.0, 1.0, 1.0});
  frames[7777] = FrameTiming{1.0, 40.0, 1.0};
  SoftwareRenderer renderer(1);
  DrawFramePlot(renderer, frames, "many");
  const uint32_t* screen = renderer.pixels();
  const int x = 70 + static_cast<int>(7777.0 / 10000.0 * (1000 - 70));
  const int y = 720 - static_cast<int>(30.0 / 45.0 * (720 - 96));  // 42 ms and a bit, in steps of 5: 45
  int draw = 0;
  for (int dx = -1; dx <= 1; ++dx) draw += Word(screen, x + dx, y) == OnScreen(0x0030A0F0);
  EXPECT_GT(draw, 0);
}

}  // namespace
