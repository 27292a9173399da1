// Anti-aliased shapes and paints. A shape is a signed distance (negative inside,
// in pixels) with a bounding box; a pixel's coverage is taken from the distance at
// its centre, which gives one pixel of smooth edge at any scale or angle.
#pragma once

#include <functional>
#include <vector>

#include "canvas.h"

namespace art {

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};

// An axis-aligned box, x0/y0 inclusive edges, x1/y1 exclusive.
struct Box {
  float x0 = 0.0f;
  float y0 = 0.0f;
  float x1 = 0.0f;
  float y1 = 0.0f;
};

struct Shape {
  Box bounds;
  std::function<float(float, float)> distance;
};

Shape Disc(Point centre, float radius);
Shape Ellipse(Point centre, float rx, float ry);
Shape RoundRect(Box box, float radius);
// A polygon (any winding, may be concave); fewer than 3 points is empty.
Shape Polygon(std::vector<Point> points);
// A thick line with round caps.
Shape Capsule(Point a, Point b, float width);
// A band of the given width around a circle of the given radius.
Shape Ring(Point centre, float radius, float width);

// A band of the given width centred on the shape's edge.
Shape Outline(const Shape& shape, float width);
// The shape grown (positive) or shrunk (negative) by a distance.
Shape Grown(const Shape& shape, float by);
Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& cut);
Shape Moved(const Shape& shape, float dx, float dy);
// The shape turned about a pivot, clockwise on screen for positive degrees.
Shape Rotated(const Shape& shape, Point pivot, float degrees);

// Coverage (0..1) of the pixel whose top-left corner is (x, y).
float Coverage(const Shape& shape, int x, int y);

// A paint gives the colour at a point.
using Paint = std::function<Colour(float, float)>;

struct Stop {
  float t = 0.0f;
  Colour colour;
};

// The colour at t of a gradient through the stops (sorted by t; clamped at the ends).
Colour GradientAt(const std::vector<Stop>& stops, float t);
Paint Solid(Colour c);
// Colour runs from the first stop at point a to the last at point b.
Paint Linear(Point a, Point b, std::vector<Stop> stops);
// Colour runs from the first stop at the centre to the last at the radius.
Paint Radial(Point centre, float radius, std::vector<Stop> stops);

// Paints a shape onto the canvas.
void Draw(Canvas& canvas, const Shape& shape, const Paint& paint, Blend mode = Blend::kOver);
void Draw(Canvas& canvas, const Shape& shape, Colour colour, Blend mode = Blend::kOver);

// Paints a colour everywhere a mask canvas is covered (the mask's alpha as coverage).
void DrawMask(Canvas& canvas, const Canvas& mask, int dx, int dy, const Paint& paint,
              Blend mode = Blend::kOver);

// A solid object with soft top-left lighting: base colour with a highlight towards
// the upper left, a shadow towards the lower right, and a darker rim.
void DrawShaded(Canvas& canvas, const Shape& shape, Colour base, float rim = 1.0f);
// The same with a patterned base (camouflage, grain).
void DrawShaded(Canvas& canvas, const Shape& shape, const Paint& base, float rim = 1.0f);

}  // namespace art
