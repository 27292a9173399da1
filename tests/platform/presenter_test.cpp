// The frame presenter shows a software frame (0x00RRGGBB words) in the game window.
#include "platform/presenter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "render/renderer.h"
#include "platform/window.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "vexmoor presenter test";

uint32_t PatternWord(int x, int y) {
  return static_cast<uint32_t>((x & 255) << 16 | (y & 255) << 8 | ((x + y) & 255));
}

class PresenterTest : public XDisplayTest {
 protected:
  void OpenWindow() {
    ASSERT_TRUE(window_.Open(kTitle, false, false)) << window_.error();
    xid_ = x().WaitForWindow(kTitle, 10.0);
    ASSERT_NE(xid_, 0u);
  }

  // The window's pixels once the presented frame has reached them.
  // (SDL may re-create the X window for the renderer it attaches, so look it up again.)
  Image Shown(uint32_t probe) {
    Image shot;
    for (int i = 0; i < 50; ++i) {
      window_.PumpEvents();
      xid_ = x().WaitForWindow(kTitle, 2.0);
      if (!x().Capture(xid_, shot)) continue;
      const uint8_t* p = shot.Pixel(10, 10);
      if (p[0] == (probe >> 16 & 255) && p[1] == (probe >> 8 & 255) && p[2] == (probe & 255)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return shot;
  }

  void TearDown() override {
    window_.Close();
    XDisplayTest::TearDown();
  }

  GameWindow window_;
  unsigned long xid_ = 0;
};

TEST_F(PresenterTest, ShowPutsTheFrameInTheWindowPixelForPixel) {
  OpenWindow();
  FramePresenter presenter;
  ASSERT_TRUE(presenter.Attach(window_.handle()));
  // A wider pitch than the screen: only the first 1024 words of a row count.
  const int pitch = kScreenWidth + 16;
  std::vector<uint32_t> frame(static_cast<size_t>(pitch) * kScreenHeight, 0xFFFFFF);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) frame[static_cast<size_t>(y) * pitch + x] = PatternWord(x, y);
  }
  presenter.Show(frame.data(), pitch);
  const Image shot = Shown(PatternWord(10, 10));
  ASSERT_EQ(shot.width, kScreenWidth);
  ASSERT_EQ(shot.height, kScreenHeight);
  int wrong = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      const uint32_t want = PatternWord(x, y);
      const uint8_t* p = shot.Pixel(x, y);
      wrong += p[0] != (want >> 16 & 255) || p[1] != (want >> 8 & 255) || p[2] != (want & 255);
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(PresenterTest, RefusesASecondAttachAndOddFrames) {
  OpenWindow();
  FramePresenter presenter;
  EXPECT_FALSE(presenter.Attach(nullptr));
  ASSERT_TRUE(presenter.Attach(window_.handle()));
  EXPECT_FALSE(presenter.Attach(window_.handle()));
  presenter.Show(nullptr, kScreenWidth);
  std::vector<uint32_t> small(16, 0);
  presenter.Show(small.data(), 4);  // a pitch below the screen width is refused, not read past
  FramePresenter unattached;
  unattached.Show(small.data(), kScreenWidth);
}

}  // namespace
