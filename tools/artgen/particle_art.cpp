// Particle images: glowing puffs, fire and sparks for the additive list (black adds
// nothing), debris, leaves, blood and black smoke for the alpha list.
#include <algorithm>
#include <cmath>
#include <string>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "shapes.h"

namespace art {
namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

float SmoothStep(float e0, float e1, float v) {
  const float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// A soft round falloff: 1 at the centre, 0 at and beyond radius.
float Falloff(float x, float y, Point c, float radius) {
  const float r = std::sqrt((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y)) / radius;
  const float f = std::max(0.0f, 1.0f - r * r);
  return f * f;
}

// A lumpy puff of density 0..1: a few overlapping billows with turbulent detail,
// dense in the middle and exactly zero at the image's edge.
float PuffDensity(float x, float y, int size, uint32_t seed) {
  const float s = static_cast<float>(size);
  const Point c{s * 0.5f, s * 0.5f};
  float billows = Falloff(x, y, c, s * 0.34f);
  Rng rng(seed);
  for (int i = 0; i < 5; ++i) {
    const float angle = rng.Range(0.0f, kTau);
    const float distance = rng.Range(0.1f, 0.2f) * s;
    const Point p{c.x + std::cos(angle) * distance, c.y + std::sin(angle) * distance};
    billows = std::max(billows, Falloff(x, y, p, s * rng.Range(0.18f, 0.26f)) * rng.Range(0.7f, 1.0f));
  }
  const float n = Fractal(x / (s * 0.16f), y / (s * 0.16f), 4, seed);
  const float edge = Falloff(x, y, c, s * 0.5f) > 0.0f ? 1.0f : 0.0f;
  return std::clamp(billows * (0.35f + 1.0f * n) * 1.25f, 0.0f, 1.0f) * edge;
}

// Additive smoke: the colour scaled by the density over black.
Canvas Puff(int size, Colour tint, float peak, uint32_t seed) {
  Canvas c(size, size);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float d = PuffDensity(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, size, seed) * peak;
    t = {tint.r * d, tint.g * d, tint.b * d, 1.0f};
  });
  return c;
}

// Fire colours by heat: black, deep red, orange, yellow, near white.
Colour FireColour(float heat) {
  return GradientAt({{0.0f, Rgb(0, 0, 0)},
                     {0.25f, Rgb(110, 18, 4)},
                     {0.5f, Rgb(236, 92, 16)},
                     {0.75f, Rgb(255, 196, 64)},
                     {1.0f, Rgb(255, 248, 214)}},
                    heat);
}

// A fireball: a hot core in turbulent flame.
Canvas Fireball(uint32_t seed) {
  Canvas c(64, 64);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float fx = static_cast<float>(x) + 0.5f;
    const float fy = static_cast<float>(y) + 0.5f;
    const float n = Fractal(fx / 11.0f, fy / 11.0f, 4, seed);
    const float heat = Falloff(fx, fy, {32, 32}, 30.0f) * (0.45f + 0.95f * n);
    const Colour col = FireColour(std::clamp(heat, 0.0f, 1.0f));
    t = {col.r, col.g, col.b, 1.0f};
  });
  return c;
}

// Flame tongues streaking outwards from the centre.
Canvas FlameBurst(uint32_t seed) {
  Canvas c(64, 64);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float dx = static_cast<float>(x) + 0.5f - 32.0f;
    const float dy = static_cast<float>(y) + 0.5f - 32.0f;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float angle = (std::atan2(dy, dx) / kTau + 0.5f) * 12.0f;
    const float streak = Fractal(angle, r / 9.0f, 3, seed, 12);
    const float reach = 14.0f + 17.0f * streak;
    const float body = std::max(0.0f, 1.0f - r / reach);
    const float heat = std::clamp(body * (0.7f + 0.6f * ValueNoise(dx / 6.0f, dy / 6.0f, seed + 3u)), 0.0f, 1.0f);
    const Colour col = FireColour(heat * heat * 0.6f + heat * 0.45f);
    t = {col.r, col.g, col.b, 1.0f};
  });
  return c;
}

// A spark: a hot point with a glow and four thin rays.
Canvas Spark(Colour core, Colour glow) {
  Canvas c(16, 16);
  const Point centre{8, 8};
  Draw(c, Disc(centre, 7.5f), Radial(centre, 7.5f, {{0.0f, glow}, {0.5f, Fade(glow, 0.35f)}, {1.0f, Fade(glow, 0.0f)}}),
       Blend::kAdd);
  for (int i = 0; i < 4; ++i) {
    const float a = kTau * static_cast<float>(i) / 4.0f + 0.3f;
    const Point tip{centre.x + std::cos(a) * 7.0f, centre.y + std::sin(a) * 7.0f};
    Draw(c, Capsule(centre, tip, 1.1f), Radial(centre, 7.0f, {{0.0f, core}, {1.0f, Fade(glow, 0.0f)}}), Blend::kAdd);
  }
  Draw(c, Disc(centre, 2.0f), core, Blend::kAdd);
  Canvas out(16, 16);
  out.Fill(Rgb(0, 0, 0));
  out.Composite(c, 0, 0, Blend::kAdd);
  return out;
}

Canvas DrawElectronic() {
  Canvas c(32, 32);
  const Shape board = Polygon({{4, 8}, {14, 3}, {27, 6}, {29, 17}, {24, 28}, {12, 27}, {6, 21}, {3, 14}});
  DrawShaded(c, board, Rgb(34, 112, 58), 1.0f);
  const Colour copper = Rgb(206, 160, 70);
  for (const auto& [a, b] : {std::pair<Point, Point>{{6, 12}, {16, 12}}, {{16, 12}, {20, 8}}, {{8, 20}, {22, 20}},
                             {{22, 20}, {26, 15}}, {{12, 24}, {20, 24}}}) {
    Draw(c, Intersect(Capsule(a, b, 1.2f), board), copper);
  }
  DrawShaded(c, RoundRect({11, 13, 20, 19}, 1.0f), Rgb(28, 28, 32));  // chip
  for (float x = 12.0f; x < 20.0f; x += 2.0f) {
    Draw(c, RoundRect({x, 11.5f, x + 1.0f, 13.0f}, 0), kSteelLight);
    Draw(c, RoundRect({x, 19.0f, x + 1.0f, 20.5f}, 0), kSteelLight);
  }
  DrawShaded(c, Disc({23, 11}, 2.6f), Rgb(40, 60, 150));  // capacitor
  Draw(c, Disc({9, 17}, 1.2f), Rgb(255, 70, 40));         // a diode
  return c;
}

Canvas DrawLeaf() {
  Canvas c(32, 32);
  const Shape blade = Intersect(Disc({30, 16}, 19.0f), Disc({2, 16}, 19.0f));  // pointed oval, upright
  const Shape leaf = Rotated(blade, {16, 16}, 38.0f);
  Draw(c, leaf, Linear({6, 6}, {26, 26}, {{0.0f, Rgb(136, 186, 60)}, {1.0f, Rgb(48, 110, 34)}}));
  Draw(c, Intersect(Outline(leaf, 1.6f), leaf), Rgb(38, 84, 26));
  const Point base = {16.0f - std::sin(0.663f) * 13.0f, 16.0f + std::cos(0.663f) * 13.0f};
  const Point tip = {16.0f + std::sin(0.663f) * 13.0f, 16.0f - std::cos(0.663f) * 13.0f};
  Draw(c, Intersect(Capsule(base, tip, 1.2f), Grown(leaf, -1.5f)), Rgb(190, 220, 120));  // midrib
  for (float t : {0.3f, 0.5f, 0.7f}) {
    const Point p{base.x + (tip.x - base.x) * t, base.y + (tip.y - base.y) * t};
    Draw(c, Intersect(Capsule(p, {p.x + 5.0f, p.y + 1.5f}, 0.9f), leaf), Rgb(168, 206, 100));
    Draw(c, Intersect(Capsule(p, {p.x - 1.5f, p.y - 5.0f}, 0.9f), leaf), Rgb(168, 206, 100));
  }
  Draw(c, Capsule(base, {base.x - 3.0f, base.y + 3.5f}, 1.4f), Rgb(96, 80, 40));  // stem
  return c;
}

Canvas DrawBlood() {
  Canvas c(64, 64);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float fx = static_cast<float>(x) + 0.5f;
    const float fy = static_cast<float>(y) + 0.5f;
    const float d = Falloff(fx, fy, {32, 32}, 24.0f) * (0.4f + 1.2f * Fractal(fx / 9.0f, fy / 9.0f, 3, 71u));
    const float a = SmoothStep(0.22f, 0.34f, d) * 0.92f;
    const Colour col = Mix(Rgb(96, 4, 6), Rgb(176, 18, 14), SmoothStep(0.3f, 0.9f, d));
    t = {col.r * a, col.g * a, col.b * a, a};
  });
  Rng rng(5);
  for (int i = 0; i < 14; ++i) {
    const float angle = rng.Range(0.0f, kTau);
    const float dist = rng.Range(14.0f, 28.0f);
    const float r = std::max(0.8f, 3.2f - dist * 0.08f + rng.Range(-0.5f, 0.5f));
    const Point p{32.0f + std::cos(angle) * dist, 32.0f + std::sin(angle) * dist};
    Draw(c, Disc(p, r), Rgb(140, 10, 10, 0.9f));
  }
  return c;
}

Canvas DrawBlackSmoke() {
  Canvas c(64, 64);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float d = PuffDensity(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, 64, 93u);
    const float a = std::clamp(d * 1.15f, 0.0f, 0.9f);
    const Colour col = Mix(Rgb(46, 42, 40), Rgb(14, 13, 12), d);
    t = {col.r * a, col.g * a, col.b * a, a};
  });
  return c;
}

Canvas DrawBullet() {
  Canvas c(8, 8);
  Draw(c, Disc({4, 4}, 3.2f), Radial({4, 4}, 3.2f, {{0.0f, Rgb(255, 255, 230)}, {0.5f, Rgb(255, 230, 120)},
                                                      {1.0f, Rgb(240, 140, 40)}}));
  return c;
}

Canvas DrawGrenade() {
  Canvas c(4, 4);
  Draw(c, Disc({2, 2}, 2.1f), Rgb(70, 84, 52));
  c.Put(1, 1, Rgb(150, 166, 120), 1.0f);
  return c;
}

}  // namespace

void AddParticles(ImageList& list) {
  const std::string dir = "GFX/Particle/";
  AddImage(list, dir + "Bullet.png", Storage::kCutout, DrawBullet());
  AddImage(list, dir + "Granade.png", Storage::kCutout, DrawGrenade());
  AddImage(list, dir + "Smoke.png", Storage::kGlow, Puff(64, Rgb(200, 190, 176), 0.55f, 11u));
  AddImage(list, dir + "SmokeWithe.png", Storage::kGlow, Puff(64, Rgb(255, 255, 255), 0.8f, 12u));
  AddImage(list, dir + "SmokeBlue.png", Storage::kGlow, Puff(64, Rgb(90, 150, 255), 0.75f, 13u));
  AddImage(list, dir + "SmokeGreen.png", Storage::kGlow, Puff(64, Rgb(120, 230, 90), 0.6f, 14u));
  AddImage(list, dir + "SmokeRed.png", Storage::kGlow, Puff(64, Rgb(255, 86, 60), 0.7f, 15u));
  AddImage(list, dir + "Funk.png", Storage::kGlow, Spark(Rgb(255, 255, 240), Rgb(255, 236, 150)));
  AddImage(list, dir + "FunkYellow.png", Storage::kGlow, Spark(Rgb(255, 244, 170), Rgb(255, 176, 30)));
  AddImage(list, dir + "FunkBlue.png", Storage::kGlow, Spark(Rgb(220, 240, 255), Rgb(60, 140, 255)));
  AddImage(list, dir + "Electronic.png", Storage::kCutout, DrawElectronic());
  AddImage(list, dir + "Leaf.png", Storage::kCutout, DrawLeaf());
  AddImage(list, dir + "Blood 001.png", Storage::kAlpha, DrawBlood());
  AddImage(list, dir + "Fire 001.png", Storage::kGlow, Fireball(21u));
  AddImage(list, dir + "Fire 002.png", Storage::kGlow, FlameBurst(22u));
  AddImage(list, dir + "SmokeBlack.png", Storage::kAlpha, DrawBlackSmoke());
}

}  // namespace art
