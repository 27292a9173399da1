// The two images built into the program: the launcher banner (512 x 128, a dark
// moor at night with a bunker and the title) and the credits strip (512 x 20).
#include <algorithm>
#include <cmath>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "text.h"

namespace art {
namespace {

using namespace palette;

constexpr int kBannerWidth = 512;
constexpr int kBannerHeight = 128;

// Height of the moor's horizon at x: low rolling hills.
float Horizon(float x) { return 96.0f - 10.0f * Fractal(x / 90.0f, 0.5f, 3, 81u) - 4.0f * std::sin(x / 70.0f); }

void Sky(Canvas& c) {
  ForEachPixel(c, [](int x, int y, Texel& t) {
    const float fy = static_cast<float>(y) / kBannerHeight;
    Colour sky = GradientAt({{0.0f, Rgb(6, 10, 18)}, {0.6f, Rgb(18, 30, 40)}, {0.85f, Rgb(40, 52, 56)}}, fy);
    const float cloud = Fractal(static_cast<float>(x) / 70.0f, static_cast<float>(y) / 22.0f, 4, 82u);
    sky = Mix(sky, Rgb(46, 58, 66), std::clamp((cloud - 0.45f) * 1.6f, 0.0f, 1.0f) * 0.6f);
    t = {sky.r, sky.g, sky.b, 1.0f};
  });
  // A pale moon behind thin cloud.
  Draw(c, Disc({44, 30}, 30.0f), Radial({44, 30}, 30.0f, {{0.0f, Rgb(200, 214, 230, 0.25f)}, {1.0f, Rgb(200, 214, 230, 0.0f)}}),
       Blend::kAdd);
  Draw(c, Disc({44, 30}, 9.0f), Radial({41, 27}, 12.0f, {{0.0f, Rgb(232, 236, 230)}, {1.0f, Rgb(170, 180, 186)}}));
  Rng rng(83);
  for (int i = 0; i < 40; ++i) {
    const float bright = rng.Range(0.3f, 0.9f);
    c.Put(rng.Below(kBannerWidth), rng.Below(52), Rgb(220, 230, 255, bright), 1.0f);
  }
}

void Land(Canvas& c) {
  // A searchlight from the bunker sweeping the sky.
  Draw(c, Polygon({{92, 70}, {190, 0}, {240, 0}}), Radial({92, 70}, 170.0f,
                                                           {{0.0f, Rgb(255, 236, 190, 0.35f)}, {1.0f, Rgb(255, 236, 190, 0.0f)}}),
       Blend::kAdd);
  ForEachPixel(c, [](int x, int y, Texel& t) {
    const float fx = static_cast<float>(x);
    const float h = Horizon(fx);
    const float cover = std::clamp(static_cast<float>(y) + 0.5f - h, 0.0f, 1.0f);
    if (cover <= 0.0f) return;
    const float n = Fractal(fx / 20.0f, static_cast<float>(y) / 6.0f, 3, 84u);
    const Colour ground = Shade(Rgb(16, 22, 18), 0.8f + 0.5f * n);
    t.r = t.r * (1.0f - cover) + ground.r * cover;
    t.g = t.g * (1.0f - cover) + ground.g * cover;
    t.b = t.b * (1.0f - cover) + ground.b * cover;
  });
  // The bunker: a low concrete block with a slit of amber light, and a mast.
  const Shape bunker = Polygon({{60, 94}, {66, 74}, {120, 74}, {128, 94}});
  Draw(c, bunker, Linear({0, 74}, {0, 94}, {{0.0f, Rgb(52, 60, 62)}, {0.3f, Rgb(28, 32, 34)}, {1.0f, Rgb(14, 16, 18)}}));
  Draw(c, Capsule({67, 74.5f}, {119, 74.5f}, 1.2f), Rgb(96, 110, 112));  // moonlit roof edge
  Draw(c, RoundRect({74, 81, 110, 84}, 1.0f), Rgb(255, 176, 60));
  Draw(c, RoundRect({74, 81, 110, 84}, 1.0f), Rgb(255, 176, 60, 0.25f), Blend::kAdd);
  Draw(c, Capsule({92, 74}, {92, 58}, 2.0f), Rgb(20, 24, 26));
  Draw(c, Disc({92, 57}, 2.2f), Rgb(255, 60, 40));
  // Fence posts along the ridge on the right.
  for (float x = 380.0f; x < 500.0f; x += 14.0f) {
    const float h = Horizon(x);
    Draw(c, Capsule({x, h + 2.0f}, {x + 1.0f, h - 10.0f}, 2.0f), Rgb(12, 16, 14));
  }
  Draw(c, Capsule({380, Horizon(380) - 7.0f}, {493, Horizon(493) - 7.0f}, 0.9f), Rgb(12, 16, 14));
}

void Fog(Canvas& c) {
  ForEachPixel(c, [](int x, int y, Texel& t) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float band = std::clamp(1.0f - std::abs(fy - 92.0f) / 26.0f, 0.0f, 1.0f);
    const float n = Fractal(fx / 60.0f, fy / 10.0f, 4, 85u);
    const float a = band * std::clamp(n * 1.4f - 0.3f, 0.0f, 1.0f) * 0.45f;
    const Colour fog = Rgb(120, 140, 144);
    t.r = t.r * (1.0f - a) + fog.r * a;
    t.g = t.g * (1.0f - a) + fog.g * a;
    t.b = t.b * (1.0f - a) + fog.b * a;
  });
}

void Title(Canvas& c) {
  const Box box{150, 20, 500, 78};
  const int size = FittingPointSize("VEXMOOR", box.x1 - box.x0, box.y1 - box.y0);
  Canvas text(kBannerWidth, kBannerHeight);
  DrawTextCentred(text, "VEXMOOR", size, box,
                  Linear({0, box.y0}, {0, box.y1}, {{0.0f, kHudWhite}, {0.55f, kHudAmberLight}, {1.0f, kHudAmber}}));
  // A warm glow behind the letters, then a dark rim so they stand off the sky.
  const Canvas glow = Blurred(Dilated(text, 2.0f), 8.0f);
  DrawMask(c, glow, 0, 0, Solid(Rgb(255, 150, 40, 0.55f)), Blend::kAdd);
  c.Composite(Outlined(text, Rgb(8, 8, 10, 0.9f), 2.0f, 0.6f), 0, 0);
  const int small = FittingPointSize("TACTICAL TOP-DOWN ACTION", 250, 10);
  DrawTextCentred(c, "TACTICAL TOP-DOWN ACTION", small, {box.x0, 82, box.x1, 94}, Solid(Rgb(190, 200, 196, 0.85f)));
}

Canvas Credits() {
  Canvas c(512, 20);
  Draw(c, RoundRect({0, 0, 512, 20}, 0), Linear({0, 0}, {0, 20}, {{0.0f, Rgb(30, 34, 38)}, {1.0f, Rgb(12, 14, 16)}}));
  Draw(c, RoundRect({0, 0, 512, 1}, 0), Fade(kHudAmber, 0.8f));
  const std::string line = "vexmoor - built on Linux with SDL2";
  DrawTextCentred(c, line, FittingPointSize(line, 400, 11), {0, 2, 512, 19}, Solid(Rgb(214, 214, 204)));
  return c;
}

}  // namespace

void AddEmbedded(ImageList& list) {
  Canvas banner(kBannerWidth, kBannerHeight);
  Sky(banner);
  Land(banner);
  Fog(banner);
  Title(banner);
  AddImage(list, "banner.png", Storage::kOpaque, banner);
  AddImage(list, "credits.png", Storage::kOpaque, Credits());
}

}  // namespace art
