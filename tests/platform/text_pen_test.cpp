// The debug text pen needs no display: fontconfig finds the face, SDL2_ttf draws it.
#include "platform/text_pen.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct InkStats {
  int inked = 0;   // pixels with any coverage
  int opaque = 0;  // fully covered pixels
  bool uniformColour = true;
};

InkStats Ink(const Image& image, uint8_t r, uint8_t g, uint8_t b) {
  InkStats stats;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      if (p[3] == 0) continue;
      ++stats.inked;
      if (p[3] == 255) ++stats.opaque;
      if (p[0] != r || p[1] != g || p[2] != b) stats.uniformColour = false;
    }
  }
  return stats;
}

TEST(FontFile, RegularAndBoldFacesAreRealFiles) {
  const std::string regular = FindSansFontFile(false);
  const std::string bold = FindSansFontFile(true);
  ASSERT_FALSE(regular.empty());
  ASSERT_FALSE(bold.empty());
  EXPECT_TRUE(std::filesystem::is_regular_file(regular)) << regular;
  EXPECT_TRUE(std::filesystem::is_regular_file(bold)) << bold;
  EXPECT_NE(regular, bold);
}

TEST(RenderText, InkTakesTheColourWithRedInTheLowByte) {
  Image image;
  ASSERT_TRUE(RenderText("Debug", 0x0000FF, image));
  ASSERT_GT(image.width, 0);
  ASSERT_EQ(image.rgba.size(), static_cast<size_t>(image.width) * image.height * 4);
  const InkStats red = Ink(image, 0xFF, 0x00, 0x00);
  EXPECT_GT(red.inked, 20);
  EXPECT_GT(red.opaque, 5);
  EXPECT_TRUE(red.uniformColour) << "straight alpha: every inked pixel keeps the pen's colour";

  ASSERT_TRUE(RenderText("Debug", 0x2AA684, image));
  EXPECT_TRUE(Ink(image, 0x84, 0xA6, 0x2A).uniformColour);
}

TEST(RenderText, BackgroundIsTransparentAndSizeFollowsTheText) {
  Image shortText, longText;
  ASSERT_TRUE(RenderText("FPS: 60", 0xFFFFFF, shortText));
  ASSERT_TRUE(RenderText("FPS: 60 and then some more", 0xFFFFFF, longText));
  EXPECT_GT(longText.width, shortText.width);
  EXPECT_EQ(longText.height, shortText.height);
  EXPECT_GE(shortText.height, 12);
  EXPECT_LE(shortText.height, 24);
  EXPECT_EQ(shortText.Pixel(0, 0)[3], 0);
  EXPECT_EQ(shortText.Pixel(shortText.width - 1, shortText.height - 1)[3], 0);

  Image big;
  ASSERT_TRUE(RenderText("FPS: 60", 0xFFFFFF, big, 28));
  EXPECT_GT(big.height, shortText.height + 8);

  Image bold;  // the bold face: wider than the regular one at the same size
  ASSERT_TRUE(RenderTextImage("FPS: 60", 0xFFFFFF, bold, {28, true, true}));
  EXPECT_GT(bold.width, big.width);
}

TEST(RenderText, BytesAreLatin1) {
  // 0xE9 alone is not UTF-8; read as Latin-1 it is e with an acute accent, as wide
  // as a plain e but with ink above it.
  Image accented, plain;
  ASSERT_TRUE(RenderText("\xE9", 0xFFFFFF, accented));
  ASSERT_TRUE(RenderText("e", 0xFFFFFF, plain));
  ASSERT_EQ(accented.width, plain.width);
  ASSERT_EQ(accented.height, plain.height);
  EXPECT_GT(Ink(accented, 255, 255, 255).inked, Ink(plain, 255, 255, 255).inked);
  EXPECT_NE(accented.rgba, plain.rgba);
}

TEST(RenderText, OddInputNeverFails) {
  Image image;
  EXPECT_TRUE(RenderText("", 0xFFFFFF, image));
  EXPECT_EQ(image.width, 0);
  EXPECT_TRUE(image.rgba.empty());

  Image cut, whole;
  ASSERT_TRUE(RenderText(std::string_view("AB\0CD", 5), 0xFFFFFF, cut));
  ASSERT_TRUE(RenderText("AB", 0xFFFFFF, whole));
  EXPECT_EQ(cut.width, whole.width) << "text ends at a zero byte";

  EXPECT_FALSE(RenderText("x", 0xFFFFFF, image, 0));
  EXPECT_FALSE(RenderText("x", 0xFFFFFF, image, -3));
  EXPECT_FALSE(RenderText("x", 0xFFFFFF, image, 100000));
  EXPECT_TRUE(image.rgba.empty());
  EXPECT_TRUE(RenderText("x", 0xFFFFFFFF, image)) << "bits above the colour are ignored";
}

}  // namespace
