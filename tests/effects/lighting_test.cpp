#include <gtest/gtest.h>

#include "effects/lighting.h"
#include "render/software_renderer.h"
#include "support/world_fixture.h"

namespace {

struct LightingWorld : RecordingWorld {
  std::vector<Light> lights;
  std::vector<TimedLight> timed;
  Camera camera{100, 50};
  LightingWorld() {
    PutSprite3D(sprites, 59, 256, 256);
    PutSprite3D(sprites, 2001, 128, 128);
    PutSprite3D(sprites, kDarknessSprite, 16, 16);
  }
  void Draw(float now, bool on = true) {
    renderer.draws.clear();
    DrawLighting(timed, lights, sprites, camera, now, on);
  }
};

}  // namespace

TEST(DrawLighting, OrderAndBlendModesOfThePass) {
  LightingWorld w;
  AddLight(w.lights, 2001, 300, 200, 64, 32, 30);
  AddTimedLight(w.timed, 1.0f, 59, 400, 300, 96, 96, 0, 0.4f);
  w.Draw(1.0f);
  const auto& draws = w.renderer.draws;
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].quad.sprite, 59);  // timed lights first
  EXPECT_EQ(draws[0].quad.x, 400 - 100 - 48);
  EXPECT_EQ(draws[0].quad.y, 300 - 50 - 48);
  EXPECT_EQ(draws[0].quad.width, 96);
  EXPECT_EQ(draws[1].quad.sprite, 2001);
  EXPECT_EQ(draws[1].quad.x, 200);
  EXPECT_EQ(draws[1].quad.height, 32);
  EXPECT_FLOAT_EQ(draws[1].quad.angle, 30.0f);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(draws[i].blendSource, kBlendDstColour);
    EXPECT_EQ(draws[i].blendDestination, kBlendDstAlpha);
  }
  EXPECT_EQ(draws[2].quad.sprite, kDarknessSprite);
  EXPECT_EQ(draws[2].quad.x, 0);
  EXPECT_EQ(draws[2].blendSource, kBlendSrcColour);
  EXPECT_EQ(draws[2].blendDestination, kBlendDstColour);
  EXPECT_EQ(w.sprites.blendSource(), kBlendSrcAlpha);  // normal blending restored for the HUD
  EXPECT_EQ(w.sprites.blendDestination(), kBlendInvSrcAlpha);
}

TEST(DrawLighting, TimedLightsAreCulledByTheirCentreAndPrunedAfterDrawing) {
  LightingWorld w;
  w.camera = {0, 0};
  AddTimedLight(w.timed, 1.0f, 59, -1, 300, 256, 256, 0, 0.025f);   // centre 1 px left of the screen
  AddTimedLight(w.timed, 1.0f, 59, 0, 300, 256, 256, 0, 0.025f);    // centre on the edge: still out
  AddTimedLight(w.timed, 1.0f, 59, 1, 300, 256, 256, 0, 0.025f);    // drawn
  // On the right the test lets the left edge reach 1024 + half the width.
  AddTimedLight(w.timed, 1.0f, 59, 1279, 300, 256, 256, 0, 5.0f);  // left edge 1151: drawn
  AddTimedLight(w.timed, 1.0f, 59, 1280, 300, 256, 256, 0, 5.0f);  // left edge 1152: not
  w.Draw(1.02f);
  ASSERT_EQ(w.renderer.draws.size(), 3u);  // two flashes and the darkness
  EXPECT_EQ(w.renderer.draws[0].quad.x, 1 - 128);
  EXPECT_EQ(w.renderer.draws[1].quad.x, 1151);
  EXPECT_EQ(w.timed.size(), 5u);
  // The frame whose clock passes a flash's end still draws it, then removes it.
  w.Draw(1.03f);
  EXPECT_EQ(w.renderer.draws.size(), 3u);
  ASSERT_EQ(w.timed.size(), 2u);
  EXPECT_EQ(w.timed[0].x, 1279);  // order kept
  EXPECT_EQ(w.timed[1].x, 1280);
}

TEST(DrawLighting, MapLightsAreCulledByTheirRectangleAndSwitch) {
  LightingWorld w;
  w.camera = {0, 0};
  AddLight(w.lights, 2001, -100, 10, 128, 128, 0);   // partly off the left edge: drawn
  AddLight(w.lights, 2001, -128, 10, 128, 128, 0);   // right edge at 0: not drawn
  AddLight(w.lights, 2001, 10, 767, 128, 128, 0);    // top row 767: drawn
  const int off = AddLight(w.lights, 2001, 10, 10, 128, 128, 0);
  w.lights[static_cast<size_t>(off)].on = 0;
  w.Draw(1.0f);
  ASSERT_EQ(w.renderer.draws.size(), 3u);
  EXPECT_EQ(w.renderer.draws[0].quad.x, -100);
  EXPECT_EQ(w.renderer.draws[1].quad.y, 767);
}

TEST(DrawLighting, OffDrawsNothingAndDropsTheFlashesThatEnded) {
  LightingWorld w;
  AddLight(w.lights, 2001, 300, 200, 64, 64, 0);
  AddTimedLight(w.timed, 1.0f, 59, 400, 300, 96, 96, 0, 0.025f);  // ends at 1.025
  AddTimedLight(w.timed, 1.0f, 59, 500, 300, 96, 96, 0, 5.0f);    // runs to 6.0
  w.sprites.SetBlendMode(kBlendSrcAlpha, kBlendDstAlpha);  // as the additive particles leave it
  w.Draw(5.0f, false);
  EXPECT_TRUE(w.renderer.draws.empty());
  ASSERT_EQ(w.timed.size(), 1u);
  EXPECT_EQ(w.timed[0].x, 500);
  EXPECT_EQ(w.sprites.blendDestination(), kBlendInvSrcAlpha);
  w.Draw(5.0f, true);  // back on: only the running flash shows, with the map light
  ASSERT_EQ(w.renderer.draws.size(), 3u);
  EXPECT_EQ(w.renderer.draws[0].quad.x, 500 - 100 - 48);
  EXPECT_EQ(w.timed.size(), 1u);
}

TEST(DrawLighting, SoftwarePixelsOfLightsAndDarkness) {
  SoftwareRenderer renderer;
  SpriteStore sprites(renderer);
  sprites.PutSprite(kDarknessSprite, SolidImage(4, 4, 0, 0, 0));
  sprites.CreateSprite3D(kDarknessSprite, kDarknessSprite);
  sprites.Zoom(kDarknessSprite, kScreenWidth, kScreenHeight);
  sprites.PutSprite(2001, SolidImage(100, 100, 255, 255, 255, 0));  // white; alpha 0 plays no part
  sprites.CreateSprite3D(2001, 2001);
  std::vector<Light> lights;
  std::vector<TimedLight> timed;
  AddLight(lights, 2001, 0, 0, 100, 100, 0);
  AddLight(lights, 2001, 50, 0, 100, 100, 0);  // overlapping the first from x 50
  // A 0.5 grey scene: unlit it squares to 0.25; under one white light it doubles to
  // full and stays full; under two, full too.
  sprites.PutSprite(1, SolidImage(kScreenWidth, kScreenHeight, 128, 128, 128));
  sprites.CreateSprite3D(1, 1);
  renderer.Clear(0);
  renderer.BeginScene();
  sprites.Display(1, 0, 0);
  DrawLighting(timed, lights, sprites, Camera{0, 0}, 1.0f, true);
  renderer.EndScene();
  Image shot;
  ASSERT_TRUE(renderer.Capture(shot));
  EXPECT_EQ(shot.Pixel(500, 500)[0], 64);   // 128 * 128 / 255
  EXPECT_EQ(shot.Pixel(20, 20)[0], 255);    // lit: 128 * 2 clamps, squared stays full
  EXPECT_EQ(shot.Pixel(120, 20)[1], 255);
}
