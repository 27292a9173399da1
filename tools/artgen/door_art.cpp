// Sliding doors, 64 x 64 per frame, frames 00 (closed) to 09 (open). The "H"
// doors sit in a horizontal wall and their two leaves slide apart along x into
// the jambs; the "V" doors are the same turned to a vertical wall (along y).
#include <cstdio>
#include <string>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "tile_kit.h"

namespace art {
namespace {

using namespace palette;

constexpr int kFrames = 10;
constexpr float kJamb = 9.0f;   // width of each jamb
constexpr float kLeafTop = 20.0f;
constexpr float kLeafBottom = 44.0f;

struct DoorStyle {
  Colour leaf;
  Colour jamb;
  Colour stripe;   // along the leaf
  bool hazardEdge;  // yellow and black on the meeting edges
  bool window;
};

// One leaf occupying [x0, x1) along x; meetsAt is the edge that meets the other leaf.
void DrawLeaf(Canvas& c, float x0, float x1, float meetsAt, const DoorStyle& s) {
  if (x1 - x0 < 0.5f) return;
  const Box box{x0, kLeafTop, x1, kLeafBottom};
  Canvas leaf(kTile, kTile);
  DrawShaded(leaf, RoundRect(box, 1.5f), s.leaf, 1.0f);
  Draw(leaf, RoundRect({x0, 30.5f, x1, 33.5f}, 0), s.stripe);
  if (s.window) {
    const float wx = meetsAt > x0 + 1.0f ? meetsAt - 14.0f : meetsAt + 4.0f;
    Draw(leaf, RoundRect({wx, 23.0f, wx + 10.0f, 29.0f}, 1.5f),
         Linear({wx, 23.0f}, {wx + 10.0f, 29.0f}, {{0.0f, Rgb(150, 200, 220)}, {1.0f, Rgb(40, 70, 96)}}));
  }
  if (s.hazardEdge) {
    const float ex0 = meetsAt > x0 + 1.0f ? meetsAt - 5.0f : meetsAt;
    Draw(leaf, RoundRect({ex0, kLeafTop + 1.0f, ex0 + 5.0f, kLeafBottom - 1.0f}, 0), [](float x, float y) {
      return static_cast<int>((x + y) / 4.0f) % 2 == 0 ? kHazardYellow : kHazardDark;
    });
  }
  // The leaf is cut off where it has slid into a jamb.
  Draw(leaf, RoundRect({-10, 0, kJamb, 64}, 0), Rgb(0, 0, 0), Blend::kErase);
  Draw(leaf, RoundRect({64 - kJamb, 0, 74, 64}, 0), Rgb(0, 0, 0), Blend::kErase);
  c.Composite(leaf, 0, 0);
}

void DrawJambs(Canvas& c, const DoorStyle& s) {
  for (const float x0 : {0.0f, 64.0f - kJamb}) {
    const Box box{x0, 10.0f, x0 + kJamb, 54.0f};
    DrawShaded(c, RoundRect(box, 1.5f), s.jamb, 1.0f);
    Bevel(c, box, 2.0f, 0.3f);
  }
}

Canvas DoorFrame(const DoorStyle& s, int frame) {
  Canvas c(kTile, kTile);
  // The floor track the leaves run in, visible once they open.
  Draw(c, RoundRect({kJamb - 1.0f, 29.0f, 65.0f - kJamb, 35.0f}, 1.0f), Rgb(40, 42, 46));
  Draw(c, RoundRect({kJamb - 1.0f, 31.5f, 65.0f - kJamb, 32.5f}, 0), Rgb(16, 16, 18));
  // Eased opening: each leaf travels half the doorway.
  const float t = static_cast<float>(frame) / static_cast<float>(kFrames - 1);
  const float eased = t * t * (3.0f - 2.0f * t);
  const float half = 32.0f - kJamb;
  const float travel = half * eased;
  DrawLeaf(c, kJamb - travel, 32.0f - travel, 32.0f - travel, s);
  DrawLeaf(c, 32.0f + travel, 64.0f - kJamb + travel, 32.0f + travel, s);
  DrawJambs(c, s);
  // Status lamp on each jamb: red while closed, green once fully open.
  const Colour lamp = frame == kFrames - 1 ? Rgb(70, 255, 110) : frame == 0 ? Rgb(255, 60, 40) : Rgb(255, 190, 40);
  for (const float x : {kJamb * 0.5f, 64.0f - kJamb * 0.5f}) {
    Draw(c, Disc({x, 14.5f}, 2.6f), Rgb(20, 20, 22));
    Draw(c, Disc({x, 14.5f}, 1.6f), lamp);
  }
  return c;
}

void AddStyle(ImageList& list, const std::string& name, const DoorStyle& style) {
  for (int f = 0; f < kFrames; ++f) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", f);
    const Canvas h = DoorFrame(style, f);
    AddImage(list, "GFX/Animation/Doors/" + name + " H " + number + ".png", Storage::kCutout, h);
    AddImage(list, "GFX/Animation/Doors/" + name + " V " + number + ".png", Storage::kCutout, Transposed(h));
  }
}

}  // namespace

void AddDoors(ImageList& list) {
  AddStyle(list, "Metal", {Rgb(122, 128, 136), Rgb(84, 88, 94), Rgb(90, 96, 104), true, false});
  AddStyle(list, "Lab", {Rgb(220, 224, 220), Rgb(176, 182, 180), Rgb(60, 176, 96), false, true});
}

}  // namespace art
