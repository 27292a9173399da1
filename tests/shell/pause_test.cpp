// The paused frame's band: "PAUSED" in the title pen with the keys under it, both
// centred on the screen and inside the band.
#include "shell/pause.h"

#include <gtest/gtest.h>

#include "render/recording_renderer.h"

namespace {

TEST(PauseScreen, TheTitleAndTheKeysAreCentredInsideTheBand) {
  RecordingRenderer renderer;
  SpriteStore sprites{renderer};
  DrawPauseScreen(PauseScreen{}, sprites);
  ASSERT_TRUE(renderer.texts.size() == 2 && !renderer.draws.empty());
  const RecordedText& title = renderer.texts[0];
  const RecordedText& keys = renderer.texts[1];
  EXPECT_GE(title.style.pointSize, 2 * keys.style.pointSize);
  EXPECT_TRUE(title.style.centred && keys.style.centred && title.x == kScreenWidth / 2 && keys.x == title.x);
  // A pen's line is about 1.2 times its point size in pixels.
  const QuadDraw& band = renderer.draws.back().quad;
  EXPECT_LT(band.y, title.y);
  EXPECT_GE(keys.y, title.y + title.style.pointSize * 6 / 5);
  EXPECT_LE(keys.y + keys.style.pointSize * 6 / 5, band.y + band.height);
}

}  // namespace
