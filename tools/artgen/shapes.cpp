#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace art {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

Box Inflated(Box b, float by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

Box Enclosing(Box a, Box b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

// Distance from p to the segment a-b.
float SegmentDistance(Point p, Point a, Point b) {
  const float bx = b.x - a.x;
  const float by = b.y - a.y;
  const float px = p.x - a.x;
  const float py = p.y - a.y;
  const float lengthSquared = bx * bx + by * by;
  const float t = lengthSquared > 0.0f ? std::clamp((px * bx + py * by) / lengthSquared, 0.0f, 1.0f) : 0.0f;
  return Length(px - bx * t, py - by * t);
}

}  // namespace

Shape Disc(Point c, float r) {
  return {{c.x - r, c.y - r, c.x + r, c.y + r}, [c, r](float x, float y) { return Length(x - c.x, y - c.y) - r; }};
}

Shape Ellipse(Point c, float rx, float ry) {
  rx = std::max(rx, 0.01f);
  ry = std::max(ry, 0.01f);
  return {{c.x - rx, c.y - ry, c.x + rx, c.y + ry}, [c, rx, ry](float x, float y) {
            const float px = x - c.x;
            const float py = y - c.y;
            const float k0 = Length(px / rx, py / ry);
            const float k1 = Length(px / (rx * rx), py / (ry * ry));
            if (k1 <= 0.0f) return -std::min(rx, ry);
            return k0 * (k0 - 1.0f) / k1;
          }};
}

Shape RoundRect(Box b, float radius) {
  const float hx = (b.x1 - b.x0) * 0.5f;
  const float hy = (b.y1 - b.y0) * 0.5f;
  const float r = std::clamp(radius, 0.0f, std::min(hx, hy));
  const Point c{(b.x0 + b.x1) * 0.5f, (b.y0 + b.y1) * 0.5f};
  return {b, [c, hx, hy, r](float x, float y) {
            const float qx = std::abs(x - c.x) - hx + r;
            const float qy = std::abs(y - c.y) - hy + r;
            return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
          }};
}

Shape Polygon(std::vector<Point> pts) {
  if (pts.size() < 3) return {{0, 0, 0, 0}, [](float, float) { return 1e9f; }};
  Box b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (const Point& p : pts) b = Enclosing(b, {p.x, p.y, p.x, p.y});
  return {b, [pts = std::move(pts)](float x, float y) {
            float best = 1e9f;
            bool inside = false;
            for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
              const Point& a = pts[i];
              const Point& c = pts[j];
              best = std::min(best, SegmentDistance({x, y}, a, c));
              if ((a.y > y) != (c.y > y) && x < (c.x - a.x) * (y - a.y) / (c.y - a.y) + a.x) inside = !inside;
            }
            return inside ? -best : best;
          }};
}

Shape Capsule(Point a, Point b, float width) {
  const float r = width * 0.5f;
  const Box box{std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r};
  return {box, [a, b, r](float x, float y) { return SegmentDistance({x, y}, a, b) - r; }};
}

Shape Ring(Point c, float radius, float width) { return Outline(Disc(c, radius), width); }

Shape Outline(const Shape& s, float width) {
  const float h = width * 0.5f;
  return {Inflated(s.bounds, h), [d = s.distance, h](float x, float y) { return std::abs(d(x, y)) - h; }};
}

Shape Grown(const Shape& s, float by) {
  return {Inflated(s.bounds, std::max(by, 0.0f)), [d = s.distance, by](float x, float y) { return d(x, y) - by; }};
}

Shape Union(const Shape& a, const Shape& b) {
  return {Enclosing(a.bounds, b.bounds),
          [da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); }};
}

Shape Intersect(const Shape& a, const Shape& b) {
  const Box box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
  return {box, [da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); }};
}

Shape Subtract(const Shape& a, const Shape& cut) {
  return {a.bounds, [da = a.distance, dc = cut.distance](float x, float y) { return std::max(da(x, y), -dc(x, y)); }};
}

Shape Moved(const Shape& s, float dx, float dy) {
  const Box b{s.bounds.x0 + dx, s.bounds.y0 + dy, s.bounds.x1 + dx, s.bounds.y1 + dy};
  return {b, [d = s.distance, dx, dy](float x, float y) { return d(x - dx, y - dy); }};
}

Shape Rotated(const Shape& s, Point pivot, float degrees) {
  const float c = std::cos(degrees * kDegreesToRadians);
  const float n = std::sin(degrees * kDegreesToRadians);
  // The rotated bounds: the box around the four turned corners.
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (const Point corner : {Point{s.bounds.x0, s.bounds.y0}, Point{s.bounds.x1, s.bounds.y0},
                             Point{s.bounds.x0, s.bounds.y1}, Point{s.bounds.x1, s.bounds.y1}}) {
    const float px = corner.x - pivot.x;
    const float py = corner.y - pivot.y;
    const Point p{pivot.x + px * c - py * n, pivot.y + px * n + py * c};
    b = Enclosing(b, {p.x, p.y, p.x, p.y});
  }
  return {b, [d = s.distance, pivot, c, n](float x, float y) {
            const float px = x - pivot.x;
            const float py = y - pivot.y;
            return d(pivot.x + px * c + py * n, pivot.y - px * n + py * c);
          }};
}

float Coverage(const Shape& shape, int x, int y) {
  return std::clamp(0.5f - shape.distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), 0.0f, 1.0f);
}

Colour GradientAt(const std::vector<Stop>& stops, float t) {
  if (stops.empty()) return {0.0f, 0.0f, 0.0f, 0.0f};
  if (t <= stops.front().t) return stops.front().colour;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].t) {
      const float span = stops[i].t - stops[i - 1].t;
      const float f = span > 0.0f ? (t - stops[i - 1].t) / span : 1.0f;
      return Mix(stops[i - 1].colour, stops[i].colour, f);
    }
  }
  return stops.back().colour;
}

Paint Solid(Colour c) {
  return [c](float, float) { return c; };
}

Paint Linear(Point a, Point b, std::vector<Stop> stops) {
  const float dx = b.x - a.x;
  const float dy = b.y - a.y;
  const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
  return [a, dx, dy, lengthSquared, stops = std::move(stops)](float x, float y) {
    return GradientAt(stops, ((x - a.x) * dx + (y - a.y) * dy) / lengthSquared);
  };
}

Paint Radial(Point c, float radius, std::vector<Stop> stops) {
  const float r = std::max(radius, 1e-3f);
  return [c, r, stops = std::move(stops)](float x, float y) { return GradientAt(stops, Length(x - c.x, y - c.y) / r); };
}

void Draw(Canvas& canvas, const Shape& shape, const Paint& paint, Blend mode) {
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0)) - 1);
  const int x1 = std::min(canvas.width(), static_cast<int>(std::ceil(shape.bounds.x1)) + 1);
  const int y1 = std::min(canvas.height(), static_cast<int>(std::ceil(shape.bounds.y1)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float coverage = Coverage(shape, x, y);
      if (coverage <= 0.0f) continue;
      canvas.Put(x, y, paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), coverage, mode);
    }
  }
}

void Draw(Canvas& canvas, const Shape& shape, Colour colour, Blend mode) { Draw(canvas, shape, Solid(colour), mode); }

void DrawMask(Canvas& canvas, const Canvas& mask, int dx, int dy, const Paint& paint, Blend mode) {
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      const float coverage = mask.at(x, y).a;
      if (coverage <= 0.0f) continue;
      const int cx = x + dx;
      const int cy = y + dy;
      canvas.Put(cx, cy, paint(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f), coverage, mode);
    }
  }
}

void DrawShaded(Canvas& canvas, const Shape& shape, Colour base, float rim) {
  DrawShaded(canvas, shape, Solid(base), rim);
}

void DrawShaded(Canvas& canvas, const Shape& shape, const Paint& base, float rim) {
  const Box& b = shape.bounds;
  const float size = std::max(b.x1 - b.x0, b.y1 - b.y0) * 0.95f;
  const Point light{b.x0 + (b.x1 - b.x0) * 0.3f, b.y0 + (b.y1 - b.y0) * 0.28f};
  Draw(canvas, shape, [&](float x, float y) {
    // Brightness 1.35 at the lit point, 1 at 45 % of the size, 0.55 at the far side.
    const float t = std::min(Length(x - light.x, y - light.y) / size, 1.0f);
    const float factor = t < 0.45f ? 1.35f - 0.35f * t / 0.45f : 1.0f - 0.45f * (t - 0.45f) / 0.55f;
    return Shade(base(x, y), factor);
  });
  if (rim > 0.0f) {
    Draw(canvas, Intersect(Outline(shape, rim * 2.0f), shape),
         [&](float x, float y) { return Fade(Shade(base(x, y), 0.45f), 0.85f); });
  }
}

}  // namespace art
