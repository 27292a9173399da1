// The menu icon: one square image per icon-theme size, a rounded tile with clear
// corners, solid inside, and the emblem's amber at its centre line.
#include <gtest/gtest.h>

#include <string>

#include "artgen/gfx_tree.h"

namespace art {
namespace {

TEST(Icons, EverySizeIsARoundedSolidTileWithTheEmblem) {
  const ImageList icons = DrawIcons();
  ASSERT_EQ(icons.size(), 4u);
  const int sizes[] = {48, 64, 128, 256};
  for (size_t i = 0; i < icons.size(); ++i) {
    const int size = sizes[i];
    const GeneratedImage& icon = icons[i];
    const std::string side = std::to_string(size);
    EXPECT_EQ(icon.path, side + "x" + side + "/apps/vexmoor.png");
    EXPECT_EQ(icon.storage, Storage::kAlpha);
    ASSERT_EQ(icon.image.width, size);
    ASSERT_EQ(icon.image.height, size);
    // Clear corners, a solid tile inside them.
    for (int corner : {0, size - 1}) {
      EXPECT_EQ(icon.image.Pixel(corner, corner)[3], 0) << size;
      EXPECT_EQ(icon.image.Pixel(corner, size - 1 - corner)[3], 0) << size;
    }
    EXPECT_EQ(icon.image.Pixel(size / 2, size / 10)[3], 255) << size;
    // The emblem's amber hexagon crosses the left of the centre line: red well above blue.
    int amber = 0;
    for (int x = 0; x < size / 2; ++x) {
      const uint8_t* p = icon.image.Pixel(x, size / 2);
      if (p[0] > 180 && p[0] > p[2] + 100) ++amber;
    }
    EXPECT_GT(amber, 0) << size;
  }
}

}  // namespace
}  // namespace art
