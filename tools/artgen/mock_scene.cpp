// The mock game frame: the images composed with the game's own blend arithmetic.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "filters.h"
#include "sheets.h"

namespace art {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr float kDegreesToRadians = 0.017453292f;

enum class Mode {
  kAlpha,     // source alpha, inverse source alpha
  kAdditive,  // source alpha, one: the additive particle list
  kLight,     // destination colour, one: screen * (1 + light)
  kDarkness,  // source colour, destination colour: texel^2 + screen^2
};

struct Scene {
  const ImageList& images;
  Canvas screen{kWidth, kHeight};
  bool lighting = true;
  std::map<std::string, Canvas> textures;
};

// The image as the game loaded it, converted once per scene.
const Canvas* Texture(Scene& scene, const std::string& path) {
  const auto found = scene.textures.find(path);
  if (found != scene.textures.end()) return &found->second;
  for (const GeneratedImage& g : scene.images) {
    if (g.path == path) return &scene.textures.emplace(path, AsLoaded(g)).first->second;
  }
  return nullptr;
}

// Bilinear sample of premultiplied texels at texture coordinates (u, v).
Texel SampleAt(const Canvas& t, float u, float v) {
  const float fx = std::floor(u - 0.5f);
  const float fy = std::floor(v - 0.5f);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = u - 0.5f - fx;
  const float ty = v - 0.5f - fy;
  Texel r;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 2; ++i) {
      const int sx = std::clamp(ix + i, 0, t.width() - 1);
      const int sy = std::clamp(iy + j, 0, t.height() - 1);
      const float w = (i ? tx : 1.0f - tx) * (j ? ty : 1.0f - ty);
      const Texel& s = t.at(sx, sy);
      r.r += s.r * w;
      r.g += s.g * w;
      r.b += s.b * w;
      r.a += s.a * w;
    }
  }
  return r;
}

void BlendPixel(Texel& d, const Texel& s, Mode mode, float alpha) {
  auto clamp = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
  switch (mode) {
    case Mode::kAlpha:
      d.r = clamp(s.r * alpha + d.r * (1.0f - s.a * alpha));
      d.g = clamp(s.g * alpha + d.g * (1.0f - s.a * alpha));
      d.b = clamp(s.b * alpha + d.b * (1.0f - s.a * alpha));
      break;
    case Mode::kAdditive:
      d.r = clamp(d.r + s.r * alpha);
      d.g = clamp(d.g + s.g * alpha);
      d.b = clamp(d.b + s.b * alpha);
      break;
    case Mode::kLight:
      d.r = clamp(d.r * (1.0f + s.r));
      d.g = clamp(d.g * (1.0f + s.g));
      d.b = clamp(d.b * (1.0f + s.b));
      break;
    case Mode::kDarkness:
      d.r = clamp(s.r * s.r + d.r * d.r);
      d.g = clamp(s.g * s.g + d.g * d.g);
      d.b = clamp(s.b * s.b + d.b * d.b);
      break;
  }
}

// Draws a texture zoomed to w x h with its unrotated top-left at (x, y), turned by
// angle degrees about the quad's centre.
void DrawSprite(Scene& scene, const std::string& path, float x, float y, float w, float h, float angle,
                Mode mode = Mode::kAlpha, float alpha = 1.0f) {
  const Canvas* tex = Texture(scene, path);
  if (tex == nullptr || w <= 0.0f || h <= 0.0f) return;
  const float cx = x + w * 0.5f;
  const float cy = y + h * 0.5f;
  const float c = std::cos(angle * kDegreesToRadians);
  const float s = std::sin(angle * kDegreesToRadians);
  const float reach = std::sqrt(w * w + h * h) * 0.5f + 1.0f;
  const int x0 = std::max(0, static_cast<int>(cx - reach));
  const int x1 = std::min(kWidth, static_cast<int>(cx + reach) + 1);
  const int y0 = std::max(0, static_cast<int>(cy - reach));
  const int y1 = std::min(kHeight, static_cast<int>(cy + reach) + 1);
  for (int py = y0; py < y1; ++py) {
    for (int px = x0; px < x1; ++px) {
      const float dx = static_cast<float>(px) + 0.5f - cx;
      const float dy = static_cast<float>(py) + 0.5f - cy;
      const float lx = dx * c + dy * s + w * 0.5f;
      const float ly = -dx * s + dy * c + h * 0.5f;
      if (lx < 0.0f || ly < 0.0f || lx >= w || ly >= h) continue;
      const Texel t = SampleAt(*tex, lx / w * static_cast<float>(tex->width()), ly / h * static_cast<float>(tex->height()));
      BlendPixel(scene.screen.at(px, py), t, mode, alpha);
    }
  }
}

// Draws at the image's own size.
void DrawAt(Scene& scene, const std::string& path, float x, float y, float angle = 0.0f, Mode mode = Mode::kAlpha) {
  for (const GeneratedImage& g : scene.images) {
    if (g.path == path) {
      DrawSprite(scene, path, x, y, static_cast<float>(g.image.width), static_cast<float>(g.image.height), angle,
                 mode);
      return;
    }
  }
}

std::string Tile(const std::string& name) { return "GFX/TileSet/" + name + ".png"; }

// The mock map, one character per 64-pixel cell (16 x 12 cells fill the screen).
constexpr const char* kMap[12] = {
    "CCCCCCBBBBMMMMMM",  //
    "HgggC..mmmmmPSSM",  //
    "Tggd...mmmmmm..M",  //
    "Hgdd...#####m..M",  //
    "Tggd...CCCC.CCCM",  //
    "Hgg....ttttttttM",  //
    "Tgd....ttttXXttM",  //
    "Hggd...ttttttttM",  //
    "Tgg....cccccccc.",  //
    "Hgd....cccccccc.",  //
    "Tggd...ccccPPcc.",  //
    "HHHHCCCCCCCCCCCC",  //
};

const char* TileName(char code) {
  switch (code) {
    case 'C': return "Wall Concrete";
    case 'B': return "Wall Brick";
    case 'M': return "Wall Metal";
    case 'X': return "Wall Crate";
    case 'P': return "Wall Computer";
    case 'S': return "Wall Server";
    case 'H': return "Wall Hedge";
    case 'T': return "Wall Tree";
    case 'm': return "Floor Metal";
    case 't': return "Floor Tiles";
    case 'g': return "Floor Grass";
    case 'd': return "Floor Dirt";
    case '#': return "Floor Grate";
    case 'c': return "Floor Carpet";
    default: return "Floor Concrete";
  }
}

// The player stands on concrete and aims up and to the right.
constexpr float kPlayerX = 400.0f;
constexpr float kPlayerY = 330.0f;
constexpr float kAim = -25.0f;
constexpr float kEnemyX = 720.0f;
constexpr float kEnemyY = 560.0f;

void DrawMap(Scene& scene) {
  for (int row = 0; row < 12; ++row) {
    for (int col = 0; col < 16; ++col) DrawAt(scene, Tile(TileName(kMap[row][col])), col * 64.0f, row * 64.0f);
  }
  const struct {
    const char* name;
    int col;
    int row;
  } decos[] = {{"Deco Stripes", 7, 2}, {"Deco Stripes", 8, 2}, {"Deco Puddle", 5, 6},  {"Deco Rubble", 4, 9},
               {"Deco Leaves", 2, 5},  {"Deco Cables", 12, 2}, {"Deco Cables", 13, 2}, {"Deco Cables", 14, 2},
               {"Deco Arrow", 5, 9}};
  for (const auto& d : decos) DrawAt(scene, Tile(d.name), d.col * 64.0f, d.row * 64.0f);
  DrawAt(scene, "GFX/Animation/Doors/Metal H 00.png", 11 * 64.0f, 4 * 64.0f);
  DrawAt(scene, "GFX/Animation/Doors/Lab V 05.png", 15 * 64.0f, 8 * 64.0f);
  DrawAt(scene, "GFX/Animation/Doors/Lab V 09.png", 15 * 64.0f, 9 * 64.0f);
}

void DrawActors(Scene& scene) {
  DrawAt(scene, "GFX/Animation/Legs/Legs 03.png", kPlayerX - 48.0f, kPlayerY - 48.0f, -30.0f);
  DrawAt(scene, "GFX/Player/Player PumpGun.png", kPlayerX - 48.0f, kPlayerY - 48.0f, kAim);
  DrawAt(scene, "GFX/Animation/Legs/Legs 01.png", kEnemyX - 48.0f, kEnemyY - 48.0f, 200.0f);
  DrawAt(scene, "GFX/Enemy/Enemy 001.png", kEnemyX - 48.0f, kEnemyY - 48.0f, 200.0f);
  DrawAt(scene, "GFX/Animation/Legs/Legs 06.png", 180.0f - 48.0f, 560.0f - 48.0f, -70.0f);
  DrawAt(scene, "GFX/Player/Player Granade.png", 180.0f - 48.0f, 560.0f - 48.0f, -70.0f);
  DrawAt(scene, "GFX/Enemy/Enemy 000.png", 880.0f - 40.0f, 200.0f - 40.0f, 160.0f);
  DrawAt(scene, "GFX/Particle/Bullet.png", 470.0f, 290.0f);
  DrawAt(scene, "GFX/Particle/Bullet.png", 500.0f, 274.0f);
  DrawAt(scene, "GFX/HUD/Granade2.png", 260.0f - 16.0f, 420.0f - 16.0f);
  DrawAt(scene, "GFX/Particle/Granade.png", 260.0f - 2.0f, 420.0f - 2.0f);
  DrawSprite(scene, "GFX/Particle/Blood 001.png", 690.0f, 540.0f, 40.0f, 40.0f, 30.0f);
  DrawSprite(scene, "GFX/Particle/SmokeBlack.png", 110.0f, 110.0f, 120.0f, 120.0f, 0.0f, Mode::kAlpha, 0.8f);
  DrawSprite(scene, "GFX/Particle/Leaf.png", 60.0f, 300.0f, 30.0f, 30.0f, 40.0f);
  DrawSprite(scene, "GFX/Particle/Electronic.png", 830.0f, 90.0f, 30.0f, 30.0f, 20.0f);
}

void DrawAdditive(Scene& scene) {
  DrawSprite(scene, "GFX/Particle/Fire 001.png", 120.0f, 120.0f, 90.0f, 90.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/Fire 002.png", 150.0f, 100.0f, 70.0f, 70.0f, 90.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/Fire 001.png", 668.0f, 520.0f, 32.0f, 32.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/Smoke.png", 600.0f, 56.0f, 60.0f, 60.0f, 0.0f, Mode::kAdditive, 0.8f);
  DrawSprite(scene, "GFX/Particle/Funk.png", 620.0f, 66.0f, 10.0f, 10.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/FunkYellow.png", 632.0f, 76.0f, 10.0f, 10.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/SmokeBlue.png", 830.0f, 60.0f, 50.0f, 50.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/FunkBlue.png", 846.0f, 74.0f, 10.0f, 10.0f, 0.0f, Mode::kAdditive);
  DrawSprite(scene, "GFX/Particle/SmokeGreen.png", 30.0f, 400.0f, 60.0f, 60.0f, 0.0f, Mode::kAdditive);
}

void DrawLights(Scene& scene) {
  if (!scene.lighting) return;
  const float fx = kPlayerX + 100.0f * std::cos((kAim + 5.0f) * kDegreesToRadians);
  const float fy = kPlayerY + 100.0f * std::sin((kAim + 5.0f) * kDegreesToRadians);
  DrawSprite(scene, "GFX/Light/Flashlight.png", std::round(fx - 96.0f), std::round(fy - 96.0f), 192.0f, 192.0f, kAim,
             Mode::kLight);
  const struct {
    const char* name;
    float x, y, w, h, angle;
  } lights[] = {{"Warm", 40, 40, 256, 256, 0},      {"Strip", 540, 300, 256, 64, 0}, {"Red", 800, 120, 160, 160, 0},
                {"Green", -40, 330, 192, 192, 0},   {"Cold", 480, 40, 256, 256, 0},  {"Spot", 560, 520, 300, 300, 180},
                {"Blue", 660, 600, 200, 200, 0},    {"Wide", 0, 400, 512, 512, 0}};
  for (const auto& l : lights) {
    DrawSprite(scene, std::string("GFX/Light/") + l.name + ".png", l.x, l.y, l.w, l.h, l.angle, Mode::kLight);
  }
  DrawSprite(scene, "GFX/Light/005.png", 684.0f - 96.0f, 536.0f - 96.0f, 192.0f, 192.0f, 0.0f, Mode::kLight);
  DrawSprite(scene, "GFX/Light/006.png", 846.0f - 48.0f, 80.0f - 48.0f, 96.0f, 96.0f, 0.0f, Mode::kLight);
  DrawSprite(scene, "GFX/Light/Black.png", 0.0f, 0.0f, static_cast<float>(kWidth), static_cast<float>(kHeight), 0.0f,
             Mode::kDarkness);
}

void DrawNumber(Scene& scene, const std::string& digits, float x, float y) {
  for (size_t i = 0; i < digits.size(); ++i) {
    DrawAt(scene, std::string("GFX/HUD/Numbers/") + digits[i] + ".png", x + 32.0f * static_cast<float>(i), y);
  }
}

// The HUD at the game's own screen positions.
void DrawHud(Scene& scene) {
  DrawAt(scene, "GFX/HUD/Cross.png", 560.0f - 16.0f, 250.0f - 16.0f);
  DrawSprite(scene, "GFX/HUD/EnemyHealthLineBar.png", kEnemyX - 48.0f, kEnemyY - 56.0f, 60.0f, 8.0f, 0.0f);
  DrawSprite(scene, "GFX/HUD/EnemyHealthLine.png", kEnemyX - 48.0f, kEnemyY - 56.0f, 96.0f, 8.0f, 0.0f);
  DrawAt(scene, "GFX/HUD/Open.png", 11 * 64.0f + 8.0f, 3 * 64.0f + 40.0f);
  DrawAt(scene, "GFX/HUD/Health.png", 20.0f, 0.0f);
  DrawNumber(scene, "100", 110.0f, 24.0f);
  DrawAt(scene, "GFX/HUD/Armor.png", 280.0f, 16.0f);
  DrawNumber(scene, "050", 350.0f, 24.0f);
  DrawAt(scene, "GFX/HUD/Ready.png", 500.0f, 32.0f);
  DrawAt(scene, "GFX/HUD/Automatic.png", 1000.0f - 128.0f, 20.0f);
  DrawAt(scene, "GFX/HUD/MunitionBig.png", 580.0f, 16.0f);
  DrawNumber(scene, "270", 650.0f, 24.0f);
  for (int i = 1; i <= 30; ++i) DrawAt(scene, "GFX/HUD/Munition.png", 996.0f - 8.0f * static_cast<float>(i), 80.0f);
  DrawSprite(scene, "GFX/HUD/TimeLineBar.png", 384.0f, 468.0f, 150.0f, 16.0f, 0.0f);
  DrawAt(scene, "GFX/HUD/TimeLine.png", 384.0f, 468.0f);
  DrawAt(scene, "GFX/HUD/Reloading.png", 448.0f, 490.0f);
  DrawAt(scene, "GFX/HUD/Korv small.png", 860.0f, 600.0f);
  DrawSprite(scene, "credits.png", 256.0f, 700.0f, 512.0f, 20.0f, 0.0f, Mode::kAlpha, 180.0f / 255.0f);
}

Canvas RenderScene(const ImageList& images, bool lighting) {
  Scene scene{images, Canvas(kWidth, kHeight), true, {}};
  scene.lighting = lighting;
  scene.screen.Fill(Rgb(0, 0, 0));
  DrawMap(scene);
  DrawActors(scene);
  DrawAdditive(scene);
  DrawLights(scene);
  DrawHud(scene);
  return scene.screen;
}

}  // namespace

Image MockScene(const ImageList& images) {
  Canvas both(kWidth * 2 + 8, kHeight);
  both.Fill(Rgb(20, 20, 20));
  both.Composite(RenderScene(images, false), 0, 0);
  both.Composite(RenderScene(images, true), kWidth + 8, 0);
  return ToImage(both, Storage::kOpaque);
}

}  // namespace art
