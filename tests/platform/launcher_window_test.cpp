// The GTK launcher under Xvfb. RunLauncherWindow runs in a forked copy of the test
// (GTK then lives only there); the test finds the window by title, checks its
// layout and drives it with XTEST clicks and keys, and reads the outcome the copy
// reports.
#include "platform/launcher_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "support/process.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "Vexmoor V0.1 (Build 07 03 2009) GL";

// A 512x128 banner: a blue-to-red ramp with a white bar through the middle.
Image TestBanner() {
  Image banner;
  banner.Resize(512, 128);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 512; ++x) {
      uint8_t* p = banner.Pixel(x, y);
      const bool bar = y >= 60 && y < 68;
      p[0] = bar ? 255 : static_cast<uint8_t>(x / 2);
      p[1] = bar ? 255 : 40;
      p[2] = bar ? 255 : static_cast<uint8_t>(255 - x / 2);
      p[3] = 255;
    }
  }
  return banner;
}

struct Outcome {
  bool finished = false;
  bool launched = false;
  int displayMode = -1;
  std::string mapName;
};

class LauncherWindowTest : public XDisplayTest {
 protected:
  // Starts the launcher in a forked copy and waits for its window to show.
  void Start(const std::vector<std::string>& maps) {
    const Image banner = TestBanner();
    ASSERT_TRUE(child_.Fork([maps, banner] {
      const LauncherResult r = RunLauncherWindow(kTitle, maps, banner);
      return std::to_string(r.launched) + " " + std::to_string(r.displayMode) + " " + r.mapName;
    }));
    window_ = x().WaitForWindow(kTitle, 20.0);
    ASSERT_NE(window_, 0u) << "no launcher window; child stderr: " << child_.Wait(1.0).err;
    ASSERT_TRUE(x().Geometry(window_, geometry_));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let GTK settle after mapping
  }

  // Clicks at a point of the client area.
  void Click(int x, int y) { ASSERT_TRUE(ClickAt(display(), geometry_.x + x, geometry_.y + y, 1)); }
  void ClickLaunch() { Click(326 + 90, 350 + 12); }
  void ClickCancel() { Click(6 + 95, 350 + 12); }

  Outcome Finish() {
    const ProcessResult r = child_.Wait(20.0);
    Outcome outcome;
    outcome.finished = r.Succeeded();
    std::istringstream in(r.out);
    int launched = 0;
    in >> launched >> outcome.displayMode;
    outcome.launched = launched != 0;
    in.get();
    std::getline(in, outcome.mapName);
    EXPECT_TRUE(outcome.finished) << "exit " << r.exitCode << " signal " << r.signal << " timed out "
                                  << r.timedOut << "\n" << r.err;
    EXPECT_TRUE(x().WaitForWindowGone(kTitle, 5.0)) << "the launcher window must be gone when it returns";
    return outcome;
  }

  ChildProcess child_;
  unsigned long window_ = 0;
  WindowGeometry geometry_;
};

TEST_F(LauncherWindowTest, ShowsA512x384ClientCentredOnTheDesktop) {
  Start({"Alpha", "Beta"});
  EXPECT_EQ(geometry_.width, 512);
  EXPECT_EQ(geometry_.height, 384);
  EXPECT_NEAR(geometry_.x, (XvfbServer::kWidth - 512) / 2, 2);
  EXPECT_NEAR(geometry_.y, (XvfbServer::kHeight - 384) / 2, 2);

  // The banner's pixels show inside its sunken edge, from its top-left corner.
  Image shot;
  ASSERT_TRUE(x().Capture(window_, shot));
  ASSERT_TRUE(WritePngFile(BuildDirFile("launcher_window.png"), shot, false));
  const Image banner = TestBanner();
  for (const auto& [bx, by] : {std::pair{40, 20}, {300, 64}, {480, 100}}) {
    const uint8_t* want = banner.Pixel(bx - 2, by - 2);
    const uint8_t* got = shot.Pixel(bx, by);
    EXPECT_NEAR(got[0], want[0], 2) << bx << "," << by;
    EXPECT_NEAR(got[1], want[1], 2) << bx << "," << by;
    EXPECT_NEAR(got[2], want[2], 2) << bx << "," << by;
  }
  ClickCancel();
  EXPECT_FALSE(Finish().launched);
}

TEST_F(LauncherWindowTest, LaunchReturnsWindowedModeAndTheFirstMap) {
  Start({"Alpha", "Beta", "Gamma"});
  ClickLaunch();
  const Outcome outcome = Finish();
  EXPECT_TRUE(outcome.launched);
  EXPECT_EQ(outcome.displayMode, 0);
  EXPECT_EQ(outcome.mapName, "Alpha");
}

TEST_F(LauncherWindowTest, FullScreenRadioThenLaunchGivesModeOne) {
  Start({"Test map", "Other"});
  Click(20 + 40, 168 + 10);
  ClickLaunch();
  const Outcome outcome = Finish();
  EXPECT_TRUE(outcome.launched);
  EXPECT_EQ(outcome.displayMode, 1);
  EXPECT_EQ(outcome.mapName, "Test map");
}

TEST_F(LauncherWindowTest, RadioButtonsAreOneGroup) {
  Start({"Alpha"});
  Click(20 + 40, 168 + 10);  // full screen
  Click(20 + 40, 148 + 10);  // and back to windowed
  ClickLaunch();
  const Outcome outcome = Finish();
  EXPECT_TRUE(outcome.launched);
  EXPECT_EQ(outcome.displayMode, 0);
}

TEST_F(LauncherWindowTest, CancelDoesNotLaunch) {
  Start({"Alpha"});
  ClickCancel();
  const Outcome outcome = Finish();
  EXPECT_FALSE(outcome.launched);
  EXPECT_TRUE(outcome.mapName.empty());
}

TEST_F(LauncherWindowTest, CloseBoxDoesNotLaunch) {
  Start({"Alpha"});
  ASSERT_TRUE(x().SendClose(window_));
  EXPECT_FALSE(Finish().launched);
}

TEST_F(LauncherWindowTest, LaunchWithAnEmptyListDoesNotLaunch) {
  Start({});
  ClickLaunch();
  const Outcome outcome = Finish();
  EXPECT_FALSE(outcome.launched);
  EXPECT_TRUE(outcome.mapName.empty());
}

TEST_F(LauncherWindowTest, EnterPressesLaunch) {
  Start({"Beta", "Alpha"});
  ASSERT_TRUE(MovePointer(display(), geometry_.x + 256, geometry_.y + 300));  // focus follows the pointer
  ASSERT_TRUE(KeyAction(display(), "key", "Return"));
  const Outcome outcome = Finish();
  EXPECT_TRUE(outcome.launched);
  EXPECT_EQ(outcome.displayMode, 0);
  EXPECT_EQ(outcome.mapName, "Beta");
}

TEST(LauncherWindowNoDisplay, ReturnsNotLaunched) {
  ChildProcess child;
  ASSERT_TRUE(child.Fork([] {
    setenv("DISPLAY", ":2147483", 1);  // no such server
    unsetenv("WAYLAND_DISPLAY");
    return std::to_string(RunLauncherWindow(kTitle, {"Alpha"}, Image{}).launched);
  }));
  const ProcessResult r = child.Wait(20.0);
  EXPECT_TRUE(r.Succeeded()) << r.err;
  EXPECT_EQ(r.out, "0");
}

}  // namespace
