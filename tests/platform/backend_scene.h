// One test scene for comparing renderer back-ends pixel by pixel: every pair of
// the ten blend factors, the game's blend modes, rotated and zoomed quads at
// several angles, alpha 0, 128 and 255, both filtering qualities, colour-keyed
// and per-pixel-alpha textures, and debug text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/image.h"
#include "render/renderer.h"

struct SceneStep {
  enum Kind { kQuad, kText } kind = kQuad;
  int texture = 0;  // index into Scene::textures
  int x = 0, y = 0, width = 0, height = 0;
  float angle = 0.0f;
  int alpha = 255;
  int source = kBlendSrcAlpha, destination = kBlendInvSrcAlpha;
  int quality = 0;
  std::string text;
  uint32_t colour = 0;
};

struct Scene {
  std::vector<Image> textures;
  std::vector<SceneStep> steps;
};

Scene BuildScene();
// Uploads the scene's textures, clears, draws every step and frees the textures.
void DrawScene(const Scene& scene, Renderer& renderer);

// 1 for every screen pixel whose centre lies within one pixel of a quad's outline:
// there, the last bit of an edge position decides whether the quad covers it.
std::vector<uint8_t> QuadEdgeMask(const Scene& scene);

// How two captures differ, per channel.
struct Comparison {
  int pixels = 0;
  int fineFailures = 0;       // pixels with a channel off by more than kFine
  int coarseFailures = 0;     // pixels off the quad edges with a channel off by more than kCoarse
  int maxOffEdge = 0;         // the largest channel difference off the quad edges
  int maxOnEdge = 0;          // ... and on them
  int firstCoarseX = -1, firstCoarseY = -1;

  static constexpr int kFine = 3;
  static constexpr int kCoarse = 24;
  static constexpr double kFineShare = 0.995;
  double fineShare() const { return pixels == 0 ? 0.0 : 1.0 - static_cast<double>(fineFailures) / pixels; }
  bool Passes() const { return pixels > 0 && fineShare() >= kFineShare && coarseFailures == 0; }
  std::string Describe() const;
};

Comparison ComparePixels(const Image& a, const Image& b, const std::vector<uint8_t>& edgeMask);
// The difference, magnified eight times, in grey; pixels beyond the coarse
// tolerance in red, quad edges tinted blue.
Image DifferenceImage(const Image& a, const Image& b, const std::vector<uint8_t>& edgeMask);
