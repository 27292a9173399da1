#include "filters.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

// One box pass along rows (horizontal) or columns, radius r, edges clamped.
Canvas BoxPass(const Canvas& src, int r, bool horizontal) {
  Canvas out(src.width(), src.height());
  const int lines = horizontal ? src.height() : src.width();
  const int length = horizontal ? src.width() : src.height();
  const float scale = 1.0f / static_cast<float>(2 * r + 1);
  for (int line = 0; line < lines; ++line) {
    auto texel = [&](int i) -> const Texel& {
      i = std::clamp(i, 0, length - 1);
      return horizontal ? src.at(i, line) : src.at(line, i);
    };
    Texel sum;
    for (int i = -r; i <= r; ++i) {
      const Texel& t = texel(i);
      sum.r += t.r;
      sum.g += t.g;
      sum.b += t.b;
      sum.a += t.a;
    }
    for (int i = 0; i < length; ++i) {
      Texel& o = horizontal ? out.at(i, line) : out.at(line, i);
      o = {sum.r * scale, sum.g * scale, sum.b * scale, sum.a * scale};
      const Texel& add = texel(i + r + 1);
      const Texel& drop = texel(i - r);
      sum.r += add.r - drop.r;
      sum.g += add.g - drop.g;
      sum.b += add.b - drop.b;
      sum.a += add.a - drop.a;
    }
  }
  return out;
}

// Bilinear sample of premultiplied texels; outside the canvas is transparent.
Texel Sample(const Canvas& src, float x, float y) {
  const float fx = std::floor(x - 0.5f);
  const float fy = std::floor(y - 0.5f);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = x - 0.5f - fx;
  const float ty = y - 0.5f - fy;
  Texel result;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 2; ++i) {
      if (!src.Contains(ix + i, iy + j)) continue;
      const float w = (i ? tx : 1.0f - tx) * (j ? ty : 1.0f - ty);
      const Texel& t = src.at(ix + i, iy + j);
      result.r += t.r * w;
      result.g += t.g * w;
      result.b += t.b * w;
      result.a += t.a * w;
    }
  }
  return result;
}

}  // namespace

Canvas Blurred(const Canvas& source, float radius) {
  // Three box passes of radius r approximate a Gaussian of sigma ~ r.
  const int r = std::max(0, static_cast<int>(std::lround(radius * 0.58f)));
  if (r == 0 || source.width() == 0 || source.height() == 0) return source;
  Canvas c = source;
  for (int pass = 0; pass < 3; ++pass) c = BoxPass(BoxPass(c, r, true), r, false);
  return c;
}

Canvas Turned(const Canvas& source, Point pivot, float degrees) {
  Canvas out(source.width(), source.height());
  const float c = std::cos(degrees * kDegreesToRadians);
  const float s = std::sin(degrees * kDegreesToRadians);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      const float px = static_cast<float>(x) + 0.5f - pivot.x;
      const float py = static_cast<float>(y) + 0.5f - pivot.y;
      out.at(x, y) = Sample(source, pivot.x + px * c + py * s, pivot.y - px * s + py * c);
    }
  }
  return out;
}

Canvas Transposed(const Canvas& source) {
  Canvas out(source.height(), source.width());
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) out.at(y, x) = source.at(x, y);
  }
  return out;
}

Canvas Resized(const Canvas& source, int width, int height) {
  Canvas out(width, height);
  if (source.width() == 0 || source.height() == 0 || width <= 0 || height <= 0) return out;
  const float sx = static_cast<float>(source.width()) / static_cast<float>(width);
  const float sy = static_cast<float>(source.height()) / static_cast<float>(height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (sx <= 1.0f && sy <= 1.0f) {
        out.at(x, y) = Sample(source, (static_cast<float>(x) + 0.5f) * sx, (static_cast<float>(y) + 0.5f) * sy);
        continue;
      }
      // Average every source pixel whose centre falls inside this pixel's footprint.
      const int x0 = static_cast<int>(static_cast<float>(x) * sx);
      const int y0 = static_cast<int>(static_cast<float>(y) * sy);
      const int x1 = std::max(x0 + 1, std::min(source.width(), static_cast<int>(static_cast<float>(x + 1) * sx)));
      const int y1 = std::max(y0 + 1, std::min(source.height(), static_cast<int>(static_cast<float>(y + 1) * sy)));
      Texel sum;
      for (int j = y0; j < y1; ++j) {
        for (int i = x0; i < x1; ++i) {
          const Texel& t = source.at(i, j);
          sum.r += t.r;
          sum.g += t.g;
          sum.b += t.b;
          sum.a += t.a;
        }
      }
      const float n = 1.0f / static_cast<float>((x1 - x0) * (y1 - y0));
      out.at(x, y) = {sum.r * n, sum.g * n, sum.b * n, sum.a * n};
    }
  }
  return out;
}

Canvas Dilated(const Canvas& source, float radius) {
  Canvas out(source.width(), source.height());
  const int r = static_cast<int>(std::ceil(radius));
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      float best = 0.0f;
      for (int j = -r; j <= r; ++j) {
        for (int i = -r; i <= r; ++i) {
          if (!source.Contains(x + i, y + j)) continue;
          // Offsets near the rim of the kernel count partially (a soft round edge).
          const float weight = std::clamp(radius + 0.5f - std::sqrt(static_cast<float>(i * i + j * j)), 0.0f, 1.0f);
          best = std::max(best, source.at(x + i, y + j).a * weight);
        }
      }
      out.at(x, y) = {best, best, best, best};
    }
  }
  return out;
}

Canvas Outlined(const Canvas& item, Colour outline, float width, float shadow) {
  Canvas out(item.width(), item.height());
  const Canvas rim = Dilated(item, width);
  if (shadow > 0.0f) {
    const Canvas soft = Blurred(Dilated(item, width + 1.0f), 2.0f);
    DrawMask(out, soft, 1, 2, Solid(Rgb(0, 0, 0, shadow)));
  }
  DrawMask(out, rim, 0, 0, Solid(outline));
  out.Composite(item, 0, 0);
  return out;
}

void ForEachPixel(Canvas& canvas, const std::function<void(int, int, Texel&)>& f) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) f(x, y, canvas.at(x, y));
  }
}

}  // namespace art
