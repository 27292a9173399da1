// The recording back-end keeps every call, in order, for tests of game logic.
#include "render/recording_renderer.h"

#include <gtest/gtest.h>

#include "render/render_test_util.h"

namespace {

TEST(RecordingRenderer, TexturesGetIncreasingHandles) {
  RecordingRenderer r;
  const int a = r.CreateTexture(SolidImage(3, 4, {}));
  const int b = r.CreateTexture(SolidImage(5, 6, {}));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(r.CreateTexture(Image{}), 0);
  r.FreeTexture(a);
  EXPECT_EQ(r.CreateTexture(SolidImage(1, 1, {})), 3);  // no reuse of freed handles
  EXPECT_FALSE(r.HasTexture(a));
  EXPECT_EQ(r.TextureSizeOf(b).width, 5);
  EXPECT_EQ(r.TextureSizeOf(b).height, 6);
  EXPECT_EQ(r.TextureSizeOf(a).width, 0);
  EXPECT_EQ(r.freedTextures, std::vector<int>{a});
}

TEST(RecordingRenderer, RecordsDrawsWithTheStateInForce) {
  RecordingRenderer r;
  r.BeginScene();
  r.Draw(Quad(1, 1, 2, 3, 4, 5.0f, 6));
  r.SetBlendMode(kBlendSrcColour, kBlendDstColour);
  r.SetQuality(1);
  r.Draw(Quad(2, 10, 20, 30, 40));
  r.SetBlendMode(42, kBlendOne);  // not a factor: ignored
  r.SetQuality(0);
  r.Draw(Quad(3, 0, 0, 1, 1));
  r.EndScene();
  ASSERT_EQ(r.draws.size(), 3u);
  EXPECT_EQ(r.draws[0].quad.texture, 1);
  EXPECT_EQ(r.draws[0].quad.angle, 5.0f);
  EXPECT_EQ(r.draws[0].quad.alpha, 6);
  EXPECT_EQ(r.draws[0].blendSource, kBlendSrcAlpha);
  EXPECT_EQ(r.draws[0].blendDestination, kBlendInvSrcAlpha);
  EXPECT_EQ(r.draws[0].quality, 0);
  EXPECT_EQ(r.draws[1].blendSource, kBlendSrcColour);
  EXPECT_EQ(r.draws[1].blendDestination, kBlendDstColour);
  EXPECT_EQ(r.draws[1].quality, 1);
  EXPECT_EQ(r.draws[2].blendSource, kBlendSrcColour);
  EXPECT_EQ(r.draws[2].quality, 0);
  EXPECT_EQ(r.beginScenes, 1);
  EXPECT_EQ(r.endScenes, 1);
}

TEST(RecordingRenderer, RecordsTextsClearsAndPresents) {
  RecordingRenderer r;
  r.Clear(0x123456);
  r.DrawText(4, 5, "FPS: 60", 0xFFFFFF);
  r.Present();
  r.Present();
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].x, 4);
  EXPECT_EQ(r.texts[0].y, 5);
  EXPECT_EQ(r.texts[0].text, "FPS: 60");
  EXPECT_EQ(r.texts[0].colour, 0xFFFFFFu);
  EXPECT_EQ(r.clears, std::vector<uint32_t>{0x123456});
  EXPECT_EQ(r.presents, 2);
  Image out;
  EXPECT_FALSE(r.Capture(out));
}

TEST(RecordingRenderer, ClearRecordKeepsTexturesAndBlendState) {
  RecordingRenderer r;
  const int t = r.CreateTexture(SolidImage(2, 2, {}));
  r.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
  r.Draw(Quad(t, 0, 0, 2, 2));
  r.Present();
  r.ClearRecord();
  EXPECT_TRUE(r.draws.empty());
  EXPECT_EQ(r.presents, 0);
  EXPECT_TRUE(r.HasTexture(t));
  r.Draw(Quad(t, 0, 0, 2, 2));
  EXPECT_EQ(r.draws[0].blendSource, kBlendDstColour);
}

}  // namespace
