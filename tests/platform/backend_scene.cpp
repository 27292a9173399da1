#include "backend_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

enum TextureIndex { kBackground, kSoft, kGradient, kKeyed };

uint8_t Clamp255(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

void Put(Image& image, int x, int y, int r, int g, int b, int a) {
  uint8_t* p = image.Pixel(x, y);
  p[0] = Clamp255(r);
  p[1] = Clamp255(g);
  p[2] = Clamp255(b);
  p[3] = Clamp255(a);
}

// A full-screen opaque ramp, so that every factor reading the screen sees a
// different colour everywhere.
Image BackgroundTexture() {
  Image image;
  image.Resize(kScreenWidth, kScreenHeight);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) Put(image, x, y, x / 4, y / 3, 255 - (x + y) / 7, 255);
  }
  return image;
}

// A round soft sprite: per-pixel alpha falling from the centre, colours ramping.
Image SoftTexture() {
  Image image;
  image.Resize(40, 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const double r = std::hypot(x - 19.5, y - 19.5);
      Put(image, x, y, 250 - x * 5, 40 + y * 5, 90 + std::abs(x - y) * 4, static_cast<int>(255 * (1.0 - r / 22.0)));
    }
  }
  return image;
}

// An opaque 64x48 ramp: red grows along the image's x, green along its y, so a
// turn the wrong way or a mirrored axis moves every colour.
Image GradientTexture() {
  Image image;
  image.Resize(64, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) Put(image, x, y, 30 + x * 3, 30 + y * 4, 160 + x - y, 255);
  }
  return image;
}

// A colour-keyed sprite: a disc and an off-centre bar on black, black keyed out.
Image KeyedTexture() {
  Image image;
  image.Resize(32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool disc = std::hypot(x - 15.5, y - 15.5) < 12.0;
      const bool bar = x >= 20 && x < 31 && y >= 2 && y < 7;
      if (bar) {
        Put(image, x, y, 60, 220, 255, 255);
      } else if (disc) {
        Put(image, x, y, 255, 200, 40, 255);
      } else {
        Put(image, x, y, 0, 0, 0, 255);
      }
    }
  }
  ApplyColourKey(image, 0x000000);
  return image;
}

SceneStep Quad(int texture, int x, int y, int w, int h, float angle, int alpha, int source, int destination,
               int quality) {
  SceneStep s;
  s.texture = texture;
  s.x = x;
  s.y = y;
  s.width = w;
  s.height = h;
  s.angle = angle;
  s.alpha = alpha;
  s.source = source;
  s.destination = destination;
  s.quality = quality;
  return s;
}

SceneStep Text(int x, int y, const std::string& text, uint32_t colour) {
  SceneStep s;
  s.kind = SceneStep::kText;
  s.x = x;
  s.y = y;
  s.text = text;
  s.colour = colour;
  return s;
}

// Every source factor (rows) against every destination factor (columns).
void AddFactorGrid(std::vector<SceneStep>& steps) {
  for (int source = kBlendZero; source <= kBlendInvDstColour; ++source) {
    for (int destination = kBlendZero; destination <= kBlendInvDstColour; ++destination) {
      steps.push_back(Quad(kSoft, 8 + (destination - 1) * 44, 8 + (source - 1) * 44, 40, 40, 0.0f, 200, source,
                           destination, (source + destination) % 2));
    }
  }
}

// The game's modes and the plain additive one at alpha 0, 128 and 255.
void AddAlphaRow(std::vector<SceneStep>& steps) {
  const int modes[][2] = {{5, 6}, {5, 7}, {2, 2}, {9, 7}, {3, 9}};
  int i = 0;
  for (const auto& mode : modes) {
    for (int alpha : {0, 128, 255}) {
      steps.push_back(Quad(kSoft, 8 + i * 44, 456, 40, 40, 0.0f, alpha, mode[0], mode[1], 0));
      ++i;
    }
  }
}

// The ramp zoomed to 88x60 and turned, nearest and bilinear, opaque and at alpha 160.
void AddTurnedRamps(std::vector<SceneStep>& steps) {
  const float angles[] = {0.0f, 30.0f, 45.0f, 90.0f, 180.0f, -60.0f, 127.5f, 200.5f};
  for (int k = 0; k < 16; ++k) {
    const int col = k % 4, row = k / 4;
    const int cx = 470 + col * 136 + 68, cy = 8 + row * 110 + 55;
    steps.push_back(Quad(kGradient, cx - 44, cy - 30, 88, 60, angles[k / 2], row < 2 ? 255 : 160, kBlendSrcAlpha,
                         kBlendInvSrcAlpha, k % 2));
  }
}

// Soft sprites zoomed to 100x60 and turned, with the additive, light and darkness modes.
void AddTurnedSprites(std::vector<SceneStep>& steps) {
  const int modes[][3] = {{5, 7, 1}, {9, 7, 0}, {3, 9, 1}};
  const float angles[] = {30.0f, 45.0f, 90.0f, 180.0f, -15.0f};
  for (int m = 0; m < 3; ++m) {
    for (int a = 0; a < 5; ++a) {
      const int cx = 8 + a * 120 + 60, cy = 510 + m * 84 + 42;
      steps.push_back(Quad(kSoft, cx - 50, cy - 30, 100, 60, angles[a], 255, modes[m][0], modes[m][1], modes[m][2]));
    }
  }
}

// The keyed sprite: 1:1 and 2x nearest, turned with bilinear filtering, half alpha,
// additive (its keyed texels add their black).
void AddKeyedSprites(std::vector<SceneStep>& steps) {
  steps.push_back(Quad(kKeyed, 650, 480, 32, 32, 0.0f, 255, 5, 6, 0));
  steps.push_back(Quad(kKeyed, 700, 480, 64, 64, 0.0f, 255, 5, 6, 0));
  steps.push_back(Quad(kKeyed, 780, 480, 64, 64, 45.0f, 255, 5, 6, 1));
  steps.push_back(Quad(kKeyed, 870, 470, 48, 80, 30.0f, 128, 5, 6, 1));
  steps.push_back(Quad(kKeyed, 960, 480, 32, 32, 0.0f, 255, 2, 2, 0));
  steps.push_back(Quad(kKeyed, 650, 570, 32, 32, 90.0f, 255, 5, 6, 0));
  steps.push_back(Quad(kKeyed, 700, 570, 64, 64, 180.0f, 255, 5, 6, 0));
  steps.push_back(Quad(kKeyed, 800, 560, 96, 96, -30.0f, 255, 5, 7, 1));
}

bool Turned(float angle) { return std::fmod(angle, 90.0f) != 0.0f; }

void MarkQuadEdges(const SceneStep& q, std::vector<uint8_t>& mask) {
  const double hw = q.width / 2.0, hh = q.height / 2.0;
  const double cx = q.x + hw, cy = q.y + hh;
  const double a = q.angle * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
  const int reach = static_cast<int>(std::ceil(std::hypot(hw, hh))) + 2;
  for (int py = std::max(0, static_cast<int>(cy) - reach); py < std::min(kScreenHeight, static_cast<int>(cy) + reach);
       ++py) {
    for (int px = std::max(0, static_cast<int>(cx) - reach); px < std::min(kScreenWidth, static_cast<int>(cx) + reach);
         ++px) {
      const double dx = px + 0.5 - cx, dy = py + 0.5 - cy;
      const double u = std::abs(dx * c + dy * s) - hw, v = std::abs(-dx * s + dy * c) - hh;
      const double distance = (u <= 0 && v <= 0) ? std::min(-u, -v) : std::hypot(std::max(u, 0.0), std::max(v, 0.0));
      if (distance < 1.0) mask[static_cast<size_t>(py) * kScreenWidth + px] = 1;
    }
  }
}

int ChannelDifference(const uint8_t* a, const uint8_t* b) {
  int d = 0;
  for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(a[c] - b[c]));
  return d;
}

}  // namespace

Scene BuildScene() {
  Scene scene;
  scene.textures = {BackgroundTexture(), SoftTexture(), GradientTexture(), KeyedTexture()};
  scene.steps.push_back(Quad(kBackground, 0, 0, kScreenWidth, kScreenHeight, 0.0f, 255, kBlendOne, kBlendZero, 0));
  AddFactorGrid(scene.steps);
  AddAlphaRow(scene.steps);
  AddTurnedRamps(scene.steps);
  AddTurnedSprites(scene.steps);
  AddKeyedSprites(scene.steps);
  scene.steps.push_back(Text(660, 680, "Vexmoor 0.1 blend test", 0x2AA684));
  scene.steps.push_back(Text(660, 705, "FPS: 60 Player\\Pos : [X]1280 [Y]701", 0xFFFFFF));
  scene.steps.push_back(Text(660, 730, "\xE9t\xE9 \xC0 la plage", 0x0000FF));
  return scene;
}

void DrawScene(const Scene& scene, Renderer& renderer) {
  std::vector<int> handles;
  for (const Image& image : scene.textures) handles.push_back(renderer.CreateTexture(image));
  renderer.Clear(0x000000);
  renderer.BeginScene();
  for (const SceneStep& step : scene.steps) {
    if (step.kind == SceneStep::kText) continue;
    renderer.SetBlendMode(step.source, step.destination);
    renderer.SetQuality(step.quality);
    QuadDraw quad;
    quad.sprite = step.texture;
    quad.texture = handles[static_cast<size_t>(step.texture)];
    quad.x = step.x;
    quad.y = step.y;
    quad.width = step.width;
    quad.height = step.height;
    quad.angle = step.angle;
    quad.alpha = step.alpha;
    renderer.Draw(quad);
  }
  renderer.EndScene();
  for (const SceneStep& step : scene.steps) {
    if (step.kind == SceneStep::kText) renderer.DrawText(step.x, step.y, step.text, step.colour);
  }
  for (int handle : handles) renderer.FreeTexture(handle);
}

std::vector<uint8_t> QuadEdgeMask(const Scene& scene) {
  std::vector<uint8_t> mask(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0);
  for (const SceneStep& step : scene.steps) {
    if (step.kind == SceneStep::kQuad && Turned(step.angle)) MarkQuadEdges(step, mask);
  }
  return mask;
}

Comparison ComparePixels(const Image& a, const Image& b, const std::vector<uint8_t>& edgeMask) {
  Comparison result;
  if (a.width != kScreenWidth || a.height != kScreenHeight || b.width != a.width || b.height != a.height) {
    return result;
  }
  result.pixels = a.width * a.height;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const int d = ChannelDifference(a.Pixel(x, y), b.Pixel(x, y));
      if (d > Comparison::kFine) ++result.fineFailures;
      if (edgeMask[static_cast<size_t>(y) * a.width + x] != 0) {
        result.maxOnEdge = std::max(result.maxOnEdge, d);
        continue;
      }
      result.maxOffEdge = std::max(result.maxOffEdge, d);
      if (d > Comparison::kCoarse && result.coarseFailures++ == 0) {
        result.firstCoarseX = x;
        result.firstCoarseY = y;
      }
    }
  }
  return result;
}

std::string Comparison::Describe() const {
  std::ostringstream out;
  out << "pixels within " << kFine << ": " << fineShare() * 100.0 << "% (" << fineFailures << " beyond); off quad edges: "
      << coarseFailures << " beyond " << kCoarse << ", largest difference " << maxOffEdge
      << "; on quad edges: largest difference " << maxOnEdge;
  if (coarseFailures > 0) out << "; first coarse failure at (" << firstCoarseX << ", " << firstCoarseY << ")";
  return out.str();
}

Image DifferenceImage(const Image& a, const Image& b, const std::vector<uint8_t>& edgeMask) {
  Image out;
  out.Resize(a.width, a.height);
  if (b.width != a.width || b.height != a.height) return out;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const int d = ChannelDifference(a.Pixel(x, y), b.Pixel(x, y));
      const bool edge = edgeMask[static_cast<size_t>(y) * a.width + x] != 0;
      const int grey = std::min(255, d * 8);
      uint8_t* p = out.Pixel(x, y);
      if (!edge && d > Comparison::kCoarse) {
        p[0] = 255, p[1] = 0, p[2] = 0;
      } else {
        p[0] = static_cast<uint8_t>(grey);
        p[1] = static_cast<uint8_t>(grey);
        p[2] = static_cast<uint8_t>(edge ? std::max(grey, 90) : grey);
      }
      p[3] = 255;
    }
  }
  return out;
}
