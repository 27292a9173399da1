// The keyboard snapshot of a frame sees what the window system delivered before
// that frame began, in full screen as in a window (the game window under Xvfb).
#include <gtest/gtest.h>

#include "platform/x_display_fixture.h"
#include "base/clock.h"
#include "render/recording_renderer.h"
#include "platform/window.h"
#include "shell/frame.h"
#include "shell/startup.h"
#include "support/data_dir.h"
#include "support/map_bytes.h"

namespace {

const char* const kTitle = "vexmoor frame input test";

class FrameInputTest : public XDisplayTest {
 protected:
  void Open(bool fullscreen) {
    ASSERT_TRUE(window_.Open(kTitle, fullscreen, false)) << window_.error();
    ASSERT_NE(x().WaitForWindow(kTitle, 10.0), 0u);
    runtime_.window = &window_;
    game_.displayMode = fullscreen ? 1 : 0;
    // A 3x3 map with nothing else: images and content files that are missing leave
    // their sprites empty.
    data_.Put("Data\\Maps\\M_TileSet.xml", "<TileSet/>");
    MapBytes map;
    map.Header(64, 2, 2, 0);
    for (int i = 0; i < 9; ++i) map.Cell(0);
    data_.Put("Data\\Maps\\M.map", map.I32(0).I32(0).bytes());
    game_.mapName = "M";
    ASSERT_TRUE(StartUp(game_, runtime_)) << game_.mapError;
    ASSERT_TRUE(MovePointer(display(), 600, 500));  // keys go to the window under the pointer
    for (int i = 0; i < 20; ++i) Frame(20);         // the window's own first events
  }
  void TearDown() override {
    window_.Close();
    XDisplayTest::TearDown();
  }
  // One frame, then a pause in which the window system may deliver more input.
  void Frame(int pauseMs) {
    RunFrame(game_, runtime_, false);
    SleepMs(pauseMs);
  }
  // Presses and releases W between frames; the frame right after each shows it.
  void ExpectKeyInTheNextFrame() {
    ASSERT_TRUE(KeyAction(display(), "keydown", "w"));
    SleepMs(300);  // delivered to the program, not read by it yet
    RunFrame(game_, runtime_, false);
    EXPECT_TRUE(game_.keyboard.Pushed(scan::kW)) << "the frame after the key went down does not see it";
    ASSERT_TRUE(KeyAction(display(), "keyup", "w"));
    SleepMs(300);
    RunFrame(game_, runtime_, false);
    EXPECT_FALSE(game_.keyboard.Pushed(scan::kW));
    EXPECT_TRUE(game_.keyboard.Released(scan::kW)) << "the frame after the key went up does not see it";
  }

  DataDir data_;
  GameWindow window_;
  RecordingRenderer renderer_;
  SpriteStore sprites_{renderer_};
  Clock clock_ = Clock::Fixed();
  Rng rng_{1};
  Runtime runtime_{renderer_, sprites_, clock_, rng_};
  Game game_;
};

TEST_F(FrameInputTest, FullScreenSnapshotIsNotAFrameStale) {
  Open(true);
  ExpectKeyInTheNextFrame();
}

TEST_F(FrameInputTest, WindowedSnapshotIsCurrentAndOneEventIsTakenPerFrame) {
  Open(false);
  ExpectKeyInTheNextFrame();
  // Two clicks queue four button events: the frames take them one at a time.
  ASSERT_TRUE(ClickAt(display(), 600, 500, 1));
  ASSERT_TRUE(ClickAt(display(), 600, 500, 3));
  SleepMs(300);
  std::vector<WindowEvent> taken;
  for (int i = 0; i < 8; ++i) {
    RunFrame(game_, runtime_, false);
    if (game_.frameEvent != WindowEvent::kNone) taken.push_back(game_.frameEvent);
  }
  EXPECT_EQ(taken, (std::vector<WindowEvent>{WindowEvent::kLeftDown, WindowEvent::kLeftUp, WindowEvent::kRightDown,
                                              WindowEvent::kRightUp}));
}

}  // namespace
