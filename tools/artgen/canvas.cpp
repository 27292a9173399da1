#include "canvas.h"

#include <algorithm>
#include <cstdint>

namespace art {
namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

uint8_t ToByte(float v) { return static_cast<uint8_t>(Clamp01(v) * 255.0f + 0.5f); }

// Keyed pixels: pure black is the transparent colour, so a solid pixel that would
// round to black is lifted to the darkest grey.
void WriteSolid(uint8_t* out, float r, float g, float b) {
  out[0] = ToByte(r);
  out[1] = ToByte(g);
  out[2] = ToByte(b);
  if (out[0] == 0 && out[1] == 0 && out[2] == 0) out[0] = out[1] = out[2] = 1;
  out[3] = 255;
}

// Below this coverage a cut-out sprite pixel is keyed away.
constexpr float kCutoutThreshold = 0.3f;

}  // namespace

Colour Mix(Colour from, Colour to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour Shade(Colour c, float factor) {
  return {Clamp01(c.r * factor), Clamp01(c.g * factor), Clamp01(c.b * factor), c.a};
}

Colour Fade(Colour c, float a) { return {c.r, c.g, c.b, c.a * a}; }

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      texels_(static_cast<size_t>(width_) * static_cast<size_t>(height_)) {}

void Canvas::Fill(Colour c) {
  const Texel t{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
  std::fill(texels_.begin(), texels_.end(), t);
}

void Canvas::Put(int x, int y, Colour c, float coverage, Blend mode) {
  if (!Contains(x, y) || coverage <= 0.0f) return;
  Texel& d = at(x, y);
  const float sa = Clamp01(c.a * std::min(coverage, 1.0f));
  switch (mode) {
    case Blend::kOver:
      d.r = c.r * sa + d.r * (1.0f - sa);
      d.g = c.g * sa + d.g * (1.0f - sa);
      d.b = c.b * sa + d.b * (1.0f - sa);
      d.a = sa + d.a * (1.0f - sa);
      break;
    case Blend::kAdd:
      d.a = std::min(1.0f, d.a + sa);
      d.r = std::min(d.a, d.r + c.r * sa);
      d.g = std::min(d.a, d.g + c.g * sa);
      d.b = std::min(d.a, d.b + c.b * sa);
      break;
    case Blend::kErase:
      d.r *= 1.0f - sa;
      d.g *= 1.0f - sa;
      d.b *= 1.0f - sa;
      d.a *= 1.0f - sa;
      break;
    case Blend::kMultiply:
      d.r *= 1.0f - sa * (1.0f - c.r);
      d.g *= 1.0f - sa * (1.0f - c.g);
      d.b *= 1.0f - sa * (1.0f - c.b);
      break;
    case Blend::kInside:
      d.r = d.r * (1.0f - sa) + c.r * sa * d.a;
      d.g = d.g * (1.0f - sa) + c.g * sa * d.a;
      d.b = d.b * (1.0f - sa) + c.b * sa * d.a;
      break;
  }
}

void Canvas::Composite(const Canvas& source, int dx, int dy, Blend mode, float opacity) {
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const Texel& s = source.at(x, y);
      if (s.a <= 0.0f) continue;
      Put(x + dx, y + dy, ColourOf(s), opacity, mode);
    }
  }
}

Colour ColourOf(const Texel& t) {
  if (t.a <= 0.0f) return {0.0f, 0.0f, 0.0f, 0.0f};
  return {Clamp01(t.r / t.a), Clamp01(t.g / t.a), Clamp01(t.b / t.a), Clamp01(t.a)};
}

Image ToImage(const Canvas& canvas, Storage storage) {
  Image image;
  image.Resize(canvas.width(), canvas.height());
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Texel& t = canvas.at(x, y);
      uint8_t* out = image.Pixel(x, y);
      switch (storage) {
        case Storage::kAlpha: {
          const Colour c = ColourOf(t);
          out[0] = ToByte(c.r);
          out[1] = ToByte(c.g);
          out[2] = ToByte(c.b);
          out[3] = ToByte(c.a);
          if (out[3] == 0) out[0] = out[1] = out[2] = 0;
          break;
        }
        case Storage::kGlow:
          out[0] = ToByte(t.r);
          out[1] = ToByte(t.g);
          out[2] = ToByte(t.b);
          out[3] = 255;
          break;
        case Storage::kCutout:
          if (t.a < kCutoutThreshold) {
            out[0] = out[1] = out[2] = 0;
            out[3] = 255;
          } else {
            WriteSolid(out, t.r, t.g, t.b);
          }
          break;
        case Storage::kOpaque:
          WriteSolid(out, t.r, t.g, t.b);
          break;
      }
    }
  }
  return image;
}

Canvas FromImage(const Image& image) {
  Canvas canvas(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      const float a = static_cast<float>(p[3]) / 255.0f;
      canvas.at(x, y) = {static_cast<float>(p[0]) / 255.0f * a, static_cast<float>(p[1]) / 255.0f * a,
                         static_cast<float>(p[2]) / 255.0f * a, a};
    }
  }
  return canvas;
}

}  // namespace art
