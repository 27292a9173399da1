// The accelerated renderer under Xvfb: driver, clear, texture byte order, blend
// modes, text, capture, and what it does with odd input.
#include "platform/sdl_renderer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "render/render_test_util.h"
#include "sdl_renderer_fixture.h"
#include "platform/text_pen.h"

namespace {

Image Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  Image image;
  image.Resize(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.Pixel(x, y);
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    }
  }
  return image;
}

void ExpectPixel(const Image& shot, int x, int y, int r, int g, int b, int tolerance = 1) {
  const uint8_t* p = shot.Pixel(x, y);
  EXPECT_NEAR(p[0], r, tolerance) << "red at " << x << "," << y;
  EXPECT_NEAR(p[1], g, tolerance) << "green at " << x << "," << y;
  EXPECT_NEAR(p[2], b, tolerance) << "blue at " << x << "," << y;
  EXPECT_EQ(p[3], 255);
}

TEST_F(SdlRendererTest, UsesTheOpenGlDriver) { EXPECT_EQ(renderer().driverName(), "opengl"); }

TEST_F(SdlRendererTest, ClearTakesRedFromTheLowByte) {
  renderer().Clear(0x336699);
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  ASSERT_EQ(shot.width, 1024);
  ASSERT_EQ(shot.height, 768);
  ExpectPixel(shot, 0, 0, 0x99, 0x66, 0x33, 0);
  ExpectPixel(shot, 1023, 767, 0x99, 0x66, 0x33, 0);
}

TEST_F(SdlRendererTest, TexturesKeepTheirByteOrderAndLandAtTheirCorner) {
  Image image = Solid(4, 2, 10, 20, 30, 255);
  uint8_t* marked = image.Pixel(3, 1);
  marked[0] = 200, marked[1] = 100, marked[2] = 50;
  const int texture = renderer().CreateTexture(image);
  ASSERT_GT(texture, 0);
  renderer().Clear(0);
  renderer().BeginScene();
  renderer().Draw(Quad(texture, 100, 50, 4, 2));
  renderer().EndScene();
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  ExpectPixel(shot, 100, 50, 10, 20, 30, 0);
  ExpectPixel(shot, 103, 51, 200, 100, 50, 0);
  ExpectPixel(shot, 104, 51, 0, 0, 0, 0);
  ExpectPixel(shot, 99, 50, 0, 0, 0, 0);
}

TEST_F(SdlRendererTest, DestinationAlphaReadsAsOneAfterAClear) {
  // (destination alpha, zero): the texel shows at full strength only if the
  // screen's alpha is one; (inverse destination alpha, one) then adds nothing.
  const int texture = renderer().CreateTexture(Solid(8, 8, 200, 100, 40, 255));
  renderer().Clear(0x102030);
  renderer().SetBlendMode(kBlendDstAlpha, kBlendZero);
  renderer().Draw(Quad(texture, 10, 10, 8, 8));
  renderer().SetBlendMode(kBlendInvDstAlpha, kBlendOne);
  renderer().Draw(Quad(texture, 10, 10, 8, 8));
  renderer().Draw(Quad(texture, 30, 10, 8, 8));
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  ExpectPixel(shot, 12, 12, 200, 100, 40);
  ExpectPixel(shot, 32, 12, 0x30, 0x20, 0x10);
}

TEST_F(SdlRendererTest, AlphaZeroStillTakesPartWhenTheBlendIgnoresAlpha) {
  const int texture = renderer().CreateTexture(Solid(8, 8, 60, 70, 80, 0));
  renderer().Clear(0x0A0A0A);
  renderer().SetBlendMode(kBlendOne, kBlendOne);
  renderer().Draw(Quad(texture, 0, 0, 8, 8, 0.0f, 0));
  renderer().SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
  renderer().Draw(Quad(texture, 20, 0, 8, 8));
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  ExpectPixel(shot, 4, 4, 70, 80, 90);
  ExpectPixel(shot, 24, 4, 10, 10, 10);
}

TEST_F(SdlRendererTest, PositiveAnglesTurnClockwise) {
  // A 40x4 bar turned by 90 degrees about its centre stands upright; turned by 30
  // degrees its right end goes down the screen (y grows downwards).
  const int texture = renderer().CreateTexture(Solid(40, 4, 255, 255, 255, 255));
  renderer().Clear(0);
  renderer().Draw(Quad(texture, 100, 100, 40, 4, 90.0f));
  renderer().Draw(Quad(texture, 300, 100, 40, 4, 30.0f));
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  ExpectPixel(shot, 120, 85, 255, 255, 255);
  ExpectPixel(shot, 135, 101, 0, 0, 0);
  ExpectPixel(shot, 320 + 15, 102 + 8, 255, 255, 255);  // (cos 30, sin 30) x 17
  ExpectPixel(shot, 320 + 15, 102 - 8, 0, 0, 0);
}

TEST_F(SdlRendererTest, DrawTextUsesThePenWithNormalBlending) {
  Image pen;
  ASSERT_TRUE(RenderText("Debug", 0x2AA684, pen));
  renderer().Clear(0x000000);
  renderer().DrawText(20, 200, "Debug", 0x2AA684);
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  int checked = 0;
  for (int y = 0; y < pen.height; ++y) {
    for (int x = 0; x < pen.width; ++x) {
      const int a = pen.Pixel(x, y)[3];
      const uint8_t* p = shot.Pixel(20 + x, 200 + y);
      EXPECT_NEAR(p[0], 0x84 * a / 255, 2);
      EXPECT_NEAR(p[1], 0xA6 * a / 255, 2);
      EXPECT_NEAR(p[2], 0x2A * a / 255, 2);
      checked += a == 255;
    }
  }
  EXPECT_GT(checked, 10);
}

TEST_F(SdlRendererTest, OddInputDrawsNothing) {
  EXPECT_EQ(renderer().CreateTexture(Image{}), 0);
  Image broken;
  broken.width = 10;
  broken.height = 10;  // no pixel bytes
  EXPECT_EQ(renderer().CreateTexture(broken), 0);
  const int texture = renderer().CreateTexture(Solid(4, 4, 255, 0, 0, 255));
  ASSERT_GT(texture, 0);
  renderer().Clear(0);
  renderer().Draw(Quad(texture + 100, 0, 0, 4, 4));
  renderer().Draw(Quad(texture, 0, 0, 0, 4));
  renderer().Draw(Quad(texture, 0, 0, 4, -4));
  renderer().Draw(Quad(texture, 10, 10, 4, 4, std::nanf("")));
  renderer().Draw(Quad(texture, 5000, -9000, 4, 4, 1e30f, 999));
  renderer().FreeTexture(texture);
  renderer().FreeTexture(texture);
  renderer().FreeTexture(-5);
  renderer().Draw(Quad(texture, 20, 20, 4, 4));
  renderer().DrawText(0, 0, "", 0xFFFFFF);
  Image shot;
  ASSERT_TRUE(renderer().Capture(shot));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      ASSERT_EQ(shot.Pixel(x, y)[0], 0) << x << "," << y;
    }
  }
  renderer().Present();
}

TEST_F(SdlRendererTest, PresentShowsTheCapturedFrameInTheWindow) {
  Image ramp;
  ramp.Resize(256, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 256; ++x) {
      uint8_t* p = ramp.Pixel(x, y);
      p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y * 4), p[2] = 77, p[3] = 255;
    }
  }
  const int texture = renderer().CreateTexture(ramp);
  renderer().Clear(0x203040);
  renderer().Draw(Quad(texture, 300, 200, 256, 64));
  Image captured;
  ASSERT_TRUE(renderer().Capture(captured));
  renderer().Present();
  Image shown;
  for (int i = 0; i < 50; ++i) {
    window_.PumpEvents();
    const unsigned long xid = x().WaitForWindow("vexmoor renderer test", 2.0);
    if (x().Capture(xid, shown) && shown.width == 1024 && shown.Pixel(400, 230)[2] == 77) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_EQ(shown.width, 1024);
  ASSERT_EQ(shown.height, 768);
  EXPECT_EQ(shown.rgba, captured.rgba);
}

TEST(SdlRendererWithoutWindow, ReportsWhyItCannotDraw) {
  SdlRenderer renderer(nullptr);
  EXPECT_FALSE(renderer.ok());
  EXPECT_FALSE(renderer.error().empty());
  EXPECT_EQ(renderer.CreateTexture(Solid(2, 2, 1, 2, 3, 4)), 0);
  Image shot;
  EXPECT_FALSE(renderer.Capture(shot));
  renderer.Clear(0);
  renderer.Present();
}

}  // namespace
