// The scaled game window under a 2560x1600 Xvfb: the window opens at a multiple of
// 1024x768, can be resized, and both back-ends draw the frame where the cursor
// mapping says it is: every window pixel shows the frame point CursorToFrame names
// for it, and the bars beside the frame are black.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "render/frame_fit.h"
#include "platform/presenter.h"
#include "render/renderer.h"
#include "platform/sdl_renderer.h"
#include "platform/window.h"
#include "support/process.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "vexmoor scaled window test";
constexpr int kDesktopWidth = 2560;
constexpr int kDesktopHeight = 1600;

// Each frame pixel's colour names it: red and green the low bytes of x and y, blue
// their high bits (and a top bit, so that no frame pixel is black like a bar).
uint32_t CodeWord(int x, int y) {
  const int blue = 0x80 | (x >> 8) | (y >> 8) << 2;
  return static_cast<uint32_t>((x & 255) << 16 | (y & 255) << 8 | blue);
}

FramePoint Decode(const uint8_t* p) {
  if (p[2] < 0x80) return {};
  return {p[0] | (p[2] & 3) << 8, p[1] | (p[2] >> 2 & 3) << 8};
}

// Whether a window pixel showing `got` agrees with the mapping's `want`: exactly,
// or within `slack` where the frame is filtered. Filtering blends across the wrap
// of a coordinate's low byte, so there any frame colour passes.
bool Agrees(const FramePoint& want, const FramePoint& got, int slack) {
  if (want.x < 0 || got.x < 0) return want.x == got.x;
  const bool wraps = want.x % 256 == 0 || want.x % 256 == 255 || want.y % 256 == 0 || want.y % 256 == 255;
  if (slack > 0 && wraps) return true;
  return std::abs(got.x - want.x) <= slack && std::abs(got.y - want.y) <= slack;
}

class ScaledWindowTest : public XDisplayTest {
 protected:
  ScaledWindowTest() {
    screenWidth_ = kDesktopWidth;
    screenHeight_ = kDesktopHeight;
  }

  void TearDown() override {
    CloseWindow();
    XDisplayTest::TearDown();
  }

  void CloseWindow() {
    renderer_.reset();
    presenter_.reset();
    window_.Close();
  }

  // Opens the window and puts a back-end on it: the accelerated renderer, or the
  // frame presenter of the software build.
  void Open(const WindowScaling& scaling, bool accelerated, PresentPath path = PresentPath::kAuto) {
    ASSERT_TRUE(window_.Open(kTitle, false, accelerated, scaling)) << window_.error();
    if (accelerated) {
      renderer_ = std::make_unique<SdlRenderer>(window_.handle(), window_.integerScale());
      ASSERT_TRUE(renderer_->ok()) << renderer_->error();
      Image coded;
      coded.Resize(kScreenWidth, kScreenHeight);
      for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
          const uint32_t word = CodeWord(x, y);
          uint8_t* p = coded.Pixel(x, y);
          p[0] = word >> 16 & 255;
          p[1] = word >> 8 & 255;
          p[2] = word & 255;
          p[3] = 255;
        }
      }
      texture_ = renderer_->CreateTexture(coded);
      ASSERT_NE(texture_, 0);
    } else {
      presenter_ = std::make_unique<FramePresenter>();
      ASSERT_TRUE(presenter_->Attach(window_.handle(), window_.integerScale(), path));
      words_.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
      for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) words_[static_cast<size_t>(y) * kScreenWidth + x] = CodeWord(x, y);
      }
    }
    // (SDL may re-create the X window for the renderer it attaches, so look it up now.)
    xid_ = x().WaitForWindow(kTitle, 10.0);
    ASSERT_NE(xid_, 0u);
  }

  void DrawFrame() {
    window_.PumpEvents();  // the renderer hears of a new size here
    if (renderer_) {
      renderer_->Clear(0);
      renderer_->SetQuality(0);
      renderer_->Draw({.texture = texture_, .width = kScreenWidth, .height = kScreenHeight});
      renderer_->Present();
    } else {
      presenter_->Show(words_.data(), kScreenWidth);
    }
  }

  // Resizes the window from outside, as a user dragging its border would.
  void Resize(int width, int height) {
    SpawnOptions options;
    options.env = {xvfb_->displayEnv()};
    ASSERT_TRUE(RunProcess({"xdotool", "windowsize", std::to_string(xid_), std::to_string(width),
                            std::to_string(height)},
                           options, 10.0)
                    .Succeeded());
  }

  // The window as SDL sees it once it has the size X gives it, and its pixels
  // once they show a frame drawn at that size (two probe pixels decode as mapped,
  // within `slack`).
  WindowMetrics Shown(int width, int height, int slack, Image& shot) {
    WindowMetrics metrics;
    metrics.integerScale = window_.integerScale();
    for (int i = 0; i < 300; ++i) {  // a loaded machine may take seconds
      DrawFrame();
      SDL_GetWindowSize(window_.handle(), &metrics.width, &metrics.height);
      // The window surface has the window's size in pixels.
      metrics.drawableWidth = metrics.width;
      metrics.drawableHeight = metrics.height;
      if (SDL_GetRenderer(window_.handle()) != nullptr) {
        SDL_GetRendererOutputSize(SDL_GetRenderer(window_.handle()), &metrics.drawableWidth, &metrics.drawableHeight);
      }
      WindowGeometry geometry;
      if (metrics.width == width && metrics.height == height && x().Geometry(xid_, geometry) &&
          geometry.width == width && geometry.height == height && x().Capture(xid_, shot)) {
        const bool middle = Agrees(CursorToFrame(metrics, width / 2, height / 2),
                                   Decode(shot.Pixel(width / 2, height / 2)), slack);
        const bool third = Agrees(CursorToFrame(metrics, width / 3, height / 3),
                                  Decode(shot.Pixel(width / 3, height / 3)), slack);
        if (middle && third) break;
      }
      SleepMs(20);
    }
    return metrics;
  }

  // Every window pixel on a grid shows the frame point the mapping names, within
  // `slack` where the frame is filtered; pixels the mapping puts on a bar are black.
  void ExpectPictureMatchesMapping(int width, int height, int slack) {
    Image shot;
    const WindowMetrics metrics = Shown(width, height, slack, shot);
    ASSERT_EQ(metrics.width, width);
    ASSERT_EQ(metrics.height, height);
    ASSERT_EQ(shot.width, width);
    ASSERT_EQ(shot.height, height);
    int wrong = 0, bars = 0, checked = 0;
    std::string first;
    for (int y = 0; y < height; y += 5) {
      for (int x = 0; x < width; x += 7) {
        const FramePoint want = CursorToFrame(metrics, x, y);
        const FramePoint got = Decode(shot.Pixel(x, y));
        const bool bad = !Agrees(want, got, slack);
        if (want.x < 0) {
          ++bars;
        } else {
          ++checked;
        }
        if (bad && wrong++ == 0) {
          first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") shows (" + std::to_string(got.x) +
                  ", " + std::to_string(got.y) + "), mapped to (" + std::to_string(want.x) + ", " +
                  std::to_string(want.y) + ")";
        }
      }
    }
    EXPECT_EQ(wrong, 0) << width << "x" << height << ", first " << first;
    EXPECT_GT(checked, 1000);
    last_bars_ = bars;
  }

  GameWindow window_;
  std::unique_ptr<SdlRenderer> renderer_;
  std::unique_ptr<FramePresenter> presenter_;
  int texture_ = 0;
  std::vector<uint32_t> words_;
  unsigned long xid_ = 0;
  int last_bars_ = 0;
};

TEST_F(ScaledWindowTest, OpensAtTheScaleAskedForOrTheLargestThatFits) {
  for (const int scale : {2, 0}) {  // 0: 2560x1600 holds 2048x1536, not 3072x2304
    Open({scale, false}, true);
    WindowGeometry geometry;
    ASSERT_TRUE(x().Geometry(xid_, geometry));
    EXPECT_EQ(geometry.width, 2048);
    EXPECT_EQ(geometry.height, 1536);
    EXPECT_NEAR(geometry.x, (kDesktopWidth - 2048) / 2, 2);
    EXPECT_NEAR(geometry.y, (kDesktopHeight - 1536) / 2, 2);
    const Uint32 flags = SDL_GetWindowFlags(window_.handle());
    EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(flags & SDL_WINDOW_ALLOW_HIGHDPI, 0u);
    EXPECT_FALSE(window_.integerScale());

    // The cursor reads as the frame point under it, and -1 beyond the client area.
    ASSERT_TRUE(MovePointer(display(), geometry.x + 1224, geometry.y + 768));
    int cx = 0, cy = 0;
    for (int i = 0; i < 50 && cx != 612; ++i) {
      DrawFrame();
      window_.CursorInClient(cx, cy);
      SleepMs(10);
    }
    EXPECT_EQ(cx, 612);
    EXPECT_EQ(cy, 384);
    ASSERT_TRUE(MovePointer(display(), geometry.x + 2048, geometry.y + 768));
    for (int i = 0; i < 50 && cx != -1; ++i) {
      DrawFrame();
      window_.CursorInClient(cx, cy);
      SleepMs(10);
    }
    EXPECT_EQ(cx, -1);
    EXPECT_EQ(cy, -1);
    CloseWindow();
  }
}

TEST_F(ScaledWindowTest, FullScreenIgnoresTheWindowScale) {
  ASSERT_TRUE(window_.Open(kTitle, true, true, {2, true})) << window_.error();
  EXPECT_FALSE(window_.integerScale());
  int width = 0, height = 0;
  SDL_GetWindowSize(window_.handle(), &width, &height);
  EXPECT_EQ(width, kDesktopWidth);
  EXPECT_EQ(height, kDesktopHeight);
}

// The accelerated back-end lets SDL scale its logical screen, the software build's
// presenter scales its finished frame; in both the picture agrees with the mapping
// pixel for pixel at whole multiples, and within a pixel at fractional scales (where
// a texel edge can fall on a pixel centre, and the presenter filters).
TEST_F(ScaledWindowTest, FrameLiesWhereTheCursorMappingPutsIt) {
  for (const int mode : {0, 1, 2}) {  // the accelerated back-end, the presenter's texture, its window surface
    const bool accelerated = mode == 0;
    SCOPED_TRACE(mode == 0 ? "accelerated" : mode == 1 ? "presenter, texture" : "presenter, window surface");
    Open({2, false}, accelerated, mode == 1 ? PresentPath::kTexture : PresentPath::kSurface);
    ExpectPictureMatchesMapping(2048, 1536, 0);
    EXPECT_EQ(last_bars_, 0);
    Resize(1536, 1536);  // bars above and below, scale 1.5
    ExpectPictureMatchesMapping(1536, 1536, 1);
    EXPECT_GT(last_bars_, 0);
    Resize(2300, 1300);  // bars left and right
    ExpectPictureMatchesMapping(2300, 1300, 1);
    EXPECT_GT(last_bars_, 0);
    Resize(700, 600);  // smaller than the frame
    ExpectPictureMatchesMapping(700, 600, 1);
    CloseWindow();
  }
}

TEST_F(ScaledWindowTest, IntegerScaleKeepsWholeMultiples) {
  for (const int mode : {0, 1, 2}) {  // the accelerated back-end, the presenter's texture, its window surface
    const bool accelerated = mode == 0;
    SCOPED_TRACE(mode == 0 ? "accelerated" : mode == 1 ? "presenter, texture" : "presenter, window surface");
    Open({2, true}, accelerated, mode == 1 ? PresentPath::kTexture : PresentPath::kSurface);
    EXPECT_TRUE(window_.integerScale());
    Resize(1800, 1400);  // between 1 and 2: the frame stays 1024x768 in the middle
    ExpectPictureMatchesMapping(1800, 1400, 0);
    EXPECT_GT(last_bars_, 0);
    Resize(2100, 1560);
    ExpectPictureMatchesMapping(2100, 1560, 0);
    EXPECT_GT(last_bars_, 0);
    Resize(700, 600);  // smaller than the frame: its middle at scale 1
    ExpectPictureMatchesMapping(700, 600, 0);
    CloseWindow();
  }
}

}  // namespace
