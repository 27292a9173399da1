// Helpers shared by the render tests: small images, screen pixel access and the
// blend factors written out as plain fractions.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string_view>

#include "base/image.h"
#include "render/renderer.h"
#include "render/software_renderer.h"

struct Rgba {
  int r = 0, g = 0, b = 0, a = 255;
};

inline Image MakeImage(int w, int h, const std::function<Rgba(int, int)>& texel) {
  Image image;
  image.Resize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgba c = texel(x, y);
      uint8_t* p = image.Pixel(x, y);
      p[0] = static_cast<uint8_t>(c.r);
      p[1] = static_cast<uint8_t>(c.g);
      p[2] = static_cast<uint8_t>(c.b);
      p[3] = static_cast<uint8_t>(c.a);
    }
  return image;
}

inline Image SolidImage(int w, int h, Rgba c) {
  return MakeImage(w, h, [c](int, int) { return c; });
}

// Screen pixel as Rgba (alpha 255).
inline Rgba ScreenAt(const SoftwareRenderer& r, int x, int y) {
  const uint32_t p = r.pixels()[y * r.pitch() + x];
  return {static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p & 255), 255};
}

// A stand-in for the platform's text pen: each byte is a 6x10 cell at 14 points (the
// cell grows with the point size) whose inked pixels (a pattern from the byte) take
// the colour at a few alpha levels; no text, no image.
inline bool BlockText(std::string_view text, uint32_t colour, Image& out, const TextStyle& style = {}) {
  if (text.empty() || style.pointSize < 1) return false;
  const int r = colour & 255, g = colour >> 8 & 255, b = colour >> 16 & 255;
  const int cellW = std::max(1, 6 * style.pointSize / 14), cellH = std::max(1, 10 * style.pointSize / 14);
  out = MakeImage(static_cast<int>(text.size()) * cellW, cellH, [&](int x, int y) {
    const int bits = static_cast<unsigned char>(text[x / cellW]) * 7 + y * 10 / cellH * 3 + x % cellW * 6 / cellW;
    return bits % 3 == 0 ? Rgba{r, g, b, 255} : Rgba{r, g, b, (bits % 5) * 40};
  });
  return true;
}

// A clear colour 0x00BBGGRR from channels.
inline uint32_t Bgr(int r, int g, int b) {
  return static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(r);
}

inline QuadDraw Quad(int texture, int x, int y, int w, int h, float angle = 0.0f, int alpha = 255) {
  QuadDraw q;
  q.texture = texture;
  q.x = x;
  q.y = y;
  q.width = w;
  q.height = h;
  q.angle = angle;
  q.alpha = alpha;
  return q;
}

// The factor table as fractions; the screen has no alpha, so destination alpha is one.
inline double FactorFraction(int factor, double s, double sa, double d) {
  switch (factor) {
    case kBlendZero:
      return 0;
    case kBlendOne:
      return 1;
    case kBlendSrcColour:
      return s;
    case kBlendInvSrcColour:
      return 1 - s;
    case kBlendSrcAlpha:
      return sa;
    case kBlendInvSrcAlpha:
      return 1 - sa;
    case kBlendDstAlpha:
      return 1;
    case kBlendInvDstAlpha:
      return 0;
    case kBlendDstColour:
      return d;
    case kBlendInvDstColour:
      return 1 - d;
  }
  return -1;
}

// One channel of src * SF + dst * DF, clamped and rounded to 8 bits.
inline int BlendedChannel(int sf, int df, int s, int sa, int d) {
  const double fs = s / 255.0, fa = sa / 255.0, fd = d / 255.0;
  const double v = fs * FactorFraction(sf, fs, fa, fd) + fd * FactorFraction(df, fs, fa, fd);
  return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}
