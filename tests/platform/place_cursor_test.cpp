// The controller's aim moves the system cursor: a frame point placed in a scaled
// window reads back as the same frame point.
#include <gtest/gtest.h>

#include "base/clock.h"
#include "platform/window.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "vexmoor place cursor test";

class PlaceCursorTest : public XDisplayTest {
 protected:
  PlaceCursorTest() {
    screenWidth_ = 2560;
    screenHeight_ = 1600;
  }
  void TearDown() override {
    window_.Close();
    XDisplayTest::TearDown();
  }
  GameWindow window_;
};

TEST_F(PlaceCursorTest, APlacedFramePointReadsBackInAScaledWindow) {
  ASSERT_TRUE(window_.Open(kTitle, false, false, {.scale = 2})) << window_.error();
  ASSERT_NE(x().WaitForWindow(kTitle, 10.0), 0u);
  const int points[][2] = {{0, 0}, {712, 384}, {1023, 767}, {333, 501}};
  for (const auto& p : points) {
    window_.PlaceCursor(p[0], p[1]);
    int cx = -1, cy = -1;
    for (int tries = 0; tries < 50 && (cx != p[0] || cy != p[1]); ++tries) {
      SleepMs(20);
      window_.PumpEvents();
      window_.CursorInClient(cx, cy);
    }
    EXPECT_EQ(cx, p[0]);
    EXPECT_EQ(cy, p[1]);
  }
}

}  // namespace
