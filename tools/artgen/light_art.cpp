// Light images. The game multiplies the screen by (1 + light colour) and then
// squares every channel, so black leaves the scene dark and white doubles it;
// every light fades smoothly to pure black at its edge.
#include <algorithm>
#include <cmath>
#include <string>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "shapes.h"

namespace art {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

float SmoothStep(float e0, float e1, float v) {
  const float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Brightness of a round light at a fraction r of its radius: full at the centre,
// a soft shoulder, and exactly zero from the edge on.
float RoundFalloff(float r) {
  const float f = std::max(0.0f, 1.0f - r * r);
  return f * f;
}

Texel Light(Colour c, float intensity) {
  const float i = std::clamp(intensity, 0.0f, 1.0f);
  return {c.r * i, c.g * i, c.b * i, 1.0f};
}

// A round light: a hot core colour blending into the main colour towards the edge.
Canvas RoundLight(int width, int height, Colour core, Colour outer, float peak) {
  Canvas c(width, height);
  const float cx = static_cast<float>(width) * 0.5f;
  const float cy = static_cast<float>(height) * 0.5f;
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float dx = (static_cast<float>(x) + 0.5f - cx) / (cx - 1.0f);
    const float dy = (static_cast<float>(y) + 0.5f - cy) / (cy - 1.0f);
    const float r = std::sqrt(dx * dx + dy * dy);
    t = Light(Mix(core, outer, SmoothStep(0.0f, 0.6f, r)), RoundFalloff(r) * peak);
  });
  return c;
}

// A cone from the centre of the left edge, opening to the right: bright near the
// apex, fading with distance and towards the sides.
Canvas Cone(int size, float halfAngleDegrees, Colour colour, float peak, float reach) {
  Canvas c(size, size);
  const float s = static_cast<float>(size);
  const float halfAngle = halfAngleDegrees * kDegreesToRadians;
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float dx = static_cast<float>(x) + 0.5f;
    const float dy = static_cast<float>(y) + 0.5f - s * 0.5f;
    const float distance = std::sqrt(dx * dx + dy * dy) / (s * reach);
    const float angle = std::abs(std::atan2(dy, dx));
    const float side = 1.0f - SmoothStep(halfAngle * 0.4f, halfAngle, angle);
    const float along = std::pow(std::max(0.0f, 1.0f - distance), 0.7f);
    // A small round glow at the apex softens the point of the cone.
    const float apex = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy) / (s * 0.12f));
    // Everything fades out before the image's border so no edge shows.
    const float edge = 1.0f - SmoothStep(0.88f, 1.0f, std::max(std::abs(dy) / (s * 0.5f), dx / s));
    t = Light(colour, std::max(side * along, apex * apex * 0.6f) * peak * edge);
  });
  return c;
}

// A fluorescent tube: brightest along the middle line, soft glow around it.
Canvas Strip(int width, int height) {
  Canvas c(width, height);
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float px = static_cast<float>(x) + 0.5f;
    const float py = static_cast<float>(y) + 0.5f;
    // Distance from the tube (a segment along the middle line), in units of half the height.
    const float tubeX0 = w * 0.16f;
    const float tubeX1 = w * 0.84f;
    const float ex = std::max({tubeX0 - px, 0.0f, px - tubeX1}) / (w * 0.16f);
    const float ey = std::abs(py - h * 0.5f) / (h * 0.5f);
    const float r = std::sqrt(ex * ex + ey * ey);
    const float glow = RoundFalloff(r);
    const float core = std::max(0.0f, 1.0f - ey * 6.0f) * (ex <= 0.0f ? 1.0f : 0.0f);
    t = Light(Mix(Rgb(200, 236, 255), Rgb(255, 255, 255), core), glow * 0.75f + core * 0.2f);
  });
  return c;
}

}  // namespace

void AddLights(ImageList& list) {
  const std::string dir = "GFX/Light/";
  AddImage(list, dir + "Flashlight.png", Storage::kGlow, Cone(192, 28.0f, Rgb(255, 248, 224), 1.0f, 1.0f));
  AddImage(list, dir + "005.png", Storage::kGlow, RoundLight(256, 256, Rgb(255, 250, 228), Rgb(255, 150, 50), 1.0f));
  AddImage(list, dir + "006.png", Storage::kGlow, RoundLight(256, 256, Rgb(240, 248, 255), Rgb(90, 150, 255), 1.0f));
  Canvas black(64, 64);
  black.Fill(Rgb(0, 0, 0));
  AddImage(list, dir + "Black.png", Storage::kGlow, black);
  AddImage(list, dir + "Warm.png", Storage::kGlow, RoundLight(256, 256, Rgb(255, 226, 160), Rgb(255, 160, 60), 0.95f));
  AddImage(list, dir + "Cold.png", Storage::kGlow, RoundLight(256, 256, Rgb(236, 246, 255), Rgb(140, 190, 255), 0.95f));
  AddImage(list, dir + "Red.png", Storage::kGlow, RoundLight(256, 256, Rgb(255, 120, 100), Rgb(255, 30, 20), 0.95f));
  AddImage(list, dir + "Green.png", Storage::kGlow, RoundLight(256, 256, Rgb(170, 255, 160), Rgb(40, 230, 60), 0.9f));
  AddImage(list, dir + "Blue.png", Storage::kGlow, RoundLight(256, 256, Rgb(160, 190, 255), Rgb(40, 90, 255), 0.95f));
  AddImage(list, dir + "Wide.png", Storage::kGlow, RoundLight(512, 512, Rgb(255, 250, 236), Rgb(220, 226, 236), 0.8f));
  AddImage(list, dir + "Strip.png", Storage::kGlow, Strip(256, 64));
  AddImage(list, dir + "Spot.png", Storage::kGlow, Cone(256, 42.0f, Rgb(255, 244, 220), 0.95f, 1.0f));
}

}  // namespace art
