// The cursor mapping from the game window's pixels to the scaled 1024x768 frame.
#include "render/frame_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct CursorCase {
  const char* what;
  WindowMetrics window;
  int cursorX, cursorY;
  int frameX, frameY;
};

WindowMetrics Plain(int w, int h, bool integer = false) { return {w, h, w, h, integer}; }

TEST(CursorToFrame, MapsWindowPixelsToTheFramePointDrawnThere) {
  const CursorCase cases[] = {
      {"scale 1", Plain(1024, 768), 612, 384, 612, 384},
      {"scale 1 corner", Plain(1024, 768), 1023, 767, 1023, 767},
      {"scale 1 right of the window", Plain(1024, 768), 1024, 5, -1, -1},
      {"scale 1 above the window", Plain(1024, 768), 5, -1, -1, -1},
      {"scale 2", Plain(2048, 1536), 1224, 768, 612, 384},
      {"scale 2 second pixel of a block", Plain(2048, 1536), 1225, 769, 612, 384},
      {"scale 2 corner", Plain(2048, 1536), 2047, 1535, 1023, 767},
      {"scale 1.5", Plain(1536, 1152), 918, 576, 612, 384},
      {"scale 1.5 next pixel", Plain(1536, 1152), 919, 577, 613, 385},
      {"scale 1.5 corner", Plain(1536, 1152), 1535, 1151, 1023, 767},
      {"scale 0.5 shows every other pixel", Plain(512, 384), 306, 192, 613, 385},
      // 1536x1536: scale 1.5, the frame 1152 high from y = 192.
      {"bar above", Plain(1536, 1536), 918, 191, -1, -1},
      {"top row under the bar", Plain(1536, 1536), 918, 192, 612, 0},
      {"bottom row over the bar", Plain(1536, 1536), 918, 1343, 612, 767},
      {"bar below", Plain(1536, 1536), 918, 1344, -1, -1},
      // 2560x1536: scale 2, the frame 2048 wide from x = 256.
      {"bar left", Plain(2560, 1536), 255, 700, -1, -1},
      {"left column", Plain(2560, 1536), 256, 0, 0, 0},
      {"side bars scale 2", Plain(2560, 1536), 1480, 768, 612, 384},
      {"bar right", Plain(2560, 1536), 2304, 700, -1, -1},
      // Integer scaling between multiples: 1800x1400 keeps scale 1, centred at (388, 316);
      // without it the frame fills the width at scale 1.7578125, 1350 high from y = 25.
      {"integer between 1 and 2", Plain(1800, 1400, true), 1000, 700, 612, 384},
      {"integer bar", Plain(1800, 1400, true), 387, 700, -1, -1},
      {"same window filled", Plain(1800, 1400), 1076, 698, 612, 383},
      // 2100x1600: scale 2 at (26, 32).
      {"integer scale 2", Plain(2100, 1600, true), 1250, 800, 612, 384},
      {"integer scale 2 bar", Plain(2100, 1600, true), 25, 800, -1, -1},
      // A window smaller than the frame shows its middle at scale 1.
      {"integer crop", Plain(800, 600, true), 0, 0, 112, 84},
      // High-DPI: the drawable has twice the window's pixels.
      {"high-DPI", {1024, 768, 2048, 1536, false}, 612, 384, 612, 384},
      {"high-DPI corner", {1024, 768, 2048, 1536, false}, 1023, 767, 1023, 767},
      {"high-DPI bar", {1280, 768, 2560, 1536, false}, 127, 10, -1, -1},
      {"high-DPI beside the bar", {1280, 768, 2560, 1536, false}, 128, 10, 0, 10},
      // 2000x1600 with integer scaling: scale 1 at (488, 416) in drawable pixels.
      {"high-DPI integer", {1000, 800, 2000, 1600, true}, 500, 400, 513, 385},
      {"no window area", Plain(0, 0), 0, 0, -1, -1},
      {"no drawable", {1024, 768, 0, 0, false}, 10, 10, -1, -1},
      {"negative size", Plain(-1024, -768), -5, -5, -1, -1},
  };
  for (const CursorCase& c : cases) {
    const FramePoint p = CursorToFrame(c.window, c.cursorX, c.cursorY);
    EXPECT_EQ(p.x, c.frameX) << c.what;
    EXPECT_EQ(p.y, c.frameY) << c.what;
  }
}

// Scaled up, the columns under the cursor run 0..1023 in order with none skipped.
TEST(CursorToFrame, UpscaledWindowsReachEveryFrameColumnInOrder) {
  for (const WindowMetrics& window : {Plain(1300, 975), Plain(1536, 1536), Plain(2600, 1536), Plain(2100, 1600, true)}) {
    std::vector<int> columns;
    for (int x = 0; x < window.width; ++x) {
      const int column = CursorToFrame(window, x, window.height / 2).x;
      if (column >= 0 && (columns.empty() || columns.back() != column)) columns.push_back(column);
    }
    ASSERT_EQ(columns.size(), 1024u) << window.width << "x" << window.height;
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(columns[static_cast<size_t>(i)], i);
  }
}

TEST(FitFrame, ScaleAndPlaceFollowTheDrawable) {
  struct FitCase {
    int w, h;
    bool integer;
    float scale;
    int x, y, width, height;
    bool whole;
  };
  const FitCase cases[] = {
      {1024, 768, false, 1.0f, 0, 0, 1024, 768, true},   {2048, 1536, false, 2.0f, 0, 0, 2048, 1536, true},
      {1536, 1536, false, 1.5f, 0, 192, 1536, 1152, false}, {2560, 1536, false, 2.0f, 256, 0, 2048, 1536, true},
      {2100, 1600, true, 2.0f, 26, 32, 2048, 1536, true},  {800, 600, true, 1.0f, -112, -84, 1024, 768, true},
      {0, 0, false, 1.0f, 0, 0, 1024, 768, true},
  };
  for (const FitCase& c : cases) {
    const FrameFit fit = FitFrame(c.w, c.h, c.integer);
    EXPECT_FLOAT_EQ(fit.scale, c.scale) << c.w << "x" << c.h;
    EXPECT_EQ(fit.x, c.x) << c.w << "x" << c.h;
    EXPECT_EQ(fit.y, c.y) << c.w << "x" << c.h;
    EXPECT_EQ(fit.width, c.width) << c.w << "x" << c.h;
    EXPECT_EQ(fit.height, c.height) << c.w << "x" << c.h;
    EXPECT_EQ(WholeScale(fit), c.whole) << c.w << "x" << c.h;
  }
}

TEST(FittingScale, LargestWholeMultipleThatFitsTheDesktop) {
  EXPECT_EQ(FittingScale(1280, 1024), 1);
  EXPECT_EQ(FittingScale(2560, 1600), 2);
  EXPECT_EQ(FittingScale(2100, 1545), 1);  // 2048x1536 fits, not with its title bar
  EXPECT_EQ(FittingScale(3840, 2120), 2);  // 3 fits across, not down
  EXPECT_EQ(FittingScale(3072 + 16, 2304 + 48), 3);
  EXPECT_EQ(FittingScale(3072, 2304), 2);
  EXPECT_EQ(FittingScale(800, 600), 1);
  EXPECT_EQ(FittingScale(0, -5), 1);
  EXPECT_EQ(FittingScale(1 << 30, 1 << 30), kMaxWindowScale);
}

}  // namespace
