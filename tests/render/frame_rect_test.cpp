// The rectangle the cursor is kept in: exactly the window points that map to a
// point of the frame, whatever the window's shape, scaling and pixel density.
#include <gtest/gtest.h>

#include "render/frame_fit.h"

TEST(FrameRectInWindow, HoldsExactlyThePointsOnTheFrame) {
  const WindowMetrics windows[] = {
      {1024, 768, 1024, 768, false},  // the frame fills the window
      {1300, 768, 1300, 768, false},  // bars left and right
      {1024, 900, 1024, 900, false},  // bars above and below
      {1500, 1000, 1500, 1000, true},  // integer scaling: scale 1 with bars all round
      {800, 700, 800, 700, true},     // integer scaling crops a window smaller than the frame
      {1200, 800, 2400, 1600, false},  // a high-density display: two pixels a point
  };
  for (const WindowMetrics& w : windows) {
    const WindowRect rect = FrameRectInWindow(w);
    const std::string what = std::to_string(w.width) + "x" + std::to_string(w.height);
    ASSERT_GT(rect.width, 0) << what;
    ASSERT_GT(rect.height, 0) << what;
    const int left = rect.x, top = rect.y, right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
    for (const auto& [x, y] : {std::pair{left, top}, {right, bottom}, {left, bottom}, {right, top}}) {
      EXPECT_GE(CursorToFrame(w, x, y).x, 0) << what << " at " << x << "," << y;
    }
    // One point past each edge is off the frame (on a bar, or outside the window).
    EXPECT_EQ(CursorToFrame(w, left - 1, top).x, -1) << what;
    EXPECT_EQ(CursorToFrame(w, right + 1, top).x, -1) << what;
    EXPECT_EQ(CursorToFrame(w, left, top - 1).x, -1) << what;
    EXPECT_EQ(CursorToFrame(w, left, bottom + 1).x, -1) << what;
  }
  EXPECT_EQ(FrameRectInWindow({0, 0, 0, 0, false}).width, 0);
}
