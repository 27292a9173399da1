// The program's icon for desktop menus: the HUD emblem on a dark rounded tile, lit
// by a warm glow from behind, drawn anew at each size so small icons stay sharp.
#include <string>

#include "families.h"
#include "palette.h"
#include "base/numbers.h"
#include "shapes.h"

namespace art {
namespace {

using namespace palette;

Canvas DrawIcon(int size) {
  const float s = static_cast<float>(size) / 256.0f;
  Canvas c(size, size);
  const Shape tile = RoundRect({6 * s, 6 * s, 250 * s, 250 * s}, 48 * s);
  Draw(c, tile, Linear({0, 6 * s}, {0, 250 * s}, {{0.0f, Rgb(34, 48, 56)}, {0.6f, Rgb(16, 24, 30)}, {1.0f, Rgb(8, 10, 14)}}));
  Draw(c, tile, Radial({128 * s, 128 * s}, 124 * s, {{0.0f, Rgb(255, 150, 40, 0.45f)}, {1.0f, Rgb(255, 150, 40, 0.0f)}}),
       Blend::kInside);
  // A thin amber rim just inside the tile's edge.
  Draw(c, Intersect(Outline(tile, 6 * s), tile), Fade(kHudAmberDeep, 0.8f));
  const Canvas emblem = DrawEmblem(RoundInt(static_cast<float>(size) * 0.8f));
  c.Composite(emblem, (size - emblem.width()) / 2, (size - emblem.height()) / 2);
  return c;
}

}  // namespace

void AddIcons(ImageList& list) {
  for (int size : {48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    AddImage(list, side + "x" + side + "/apps/vexmoor.png", Storage::kAlpha, DrawIcon(size));
  }
}

}  // namespace art
