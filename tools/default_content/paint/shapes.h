// Anti-aliased shapes as signed distance fields, fills, gradients and the glassy bevel look.
#pragma once
#include <functional>
#include <vector>

#include "tools/default_content/paint/canvas.h"

namespace paint {

struct Point {
  float x = 0, y = 0;
};

// Signed distance in pixels from (x, y) to the outline: negative inside. Coordinates are continuous: the
// pixel (i, j) covers [i, i + 1) x [j, j + 1) and is sampled at its centre.
using Distance = std::function<float(float x, float y)>;

// A shape and the box outside of which it certainly has no ink (used to limit the pixels visited).
struct Shape {
  Distance distance;
  float left = 0, top = 0, right = 0, bottom = 0;
};

Shape RoundedRect(float x, float y, float w, float h, float radius);
Shape Circle(float cx, float cy, float radius);
Shape Ellipse(float cx, float cy, float rx, float ry);  // approximate distance, exact outline
Shape Polygon(std::vector<Point> points);                // any simple polygon, either winding
Shape Segment(Point a, Point b, float halfWidth);        // a stroke with round caps
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);  // a without b
Shape Offset(Shape s, float by);   // grown outwards by `by` pixels (negative shrinks)

// Colour at a point inside a shape; `depth` is how far inside the outline the point lies.
using Shader = std::function<Color(float x, float y, float depth)>;
Shader Solid(Color c);

struct Stop {
  float at;  // 0..1 along the gradient
  Color color;
};
Color GradientAt(const std::vector<Stop>& stops, float t);  // stops in increasing `at`
Shader LinearGradient(Point from, Point to, std::vector<Stop> stops);
Shader RadialGradient(Point centre, float radius, std::vector<Stop> stops);

// Fills the shape with anti-aliased edges.
void Fill(Canvas& canvas, const Shape& shape, const Shader& shader);
void Fill(Canvas& canvas, const Shape& shape, Color c);
// A line of `width` pixels along the outline, centred on it.
void Stroke(Canvas& canvas, const Shape& shape, float width, const Shader& shader);
void Stroke(Canvas& canvas, const Shape& shape, float width, Color c);

// The house look: a translucent-looking crystal body lit from the top left, with bevelled rim facets,
// a gloss streak over the upper part and a fine bright edge.
struct Glass {
  Color base;                      // body colour
  float bevel = 3.0f;              // width of the rim facets in pixels
  float gloss = 0.55f;             // strength of the upper gloss streak, 0..1
  float rimLight = 0.7f;           // strength of the lit facets, 0..1
  float rimShade = 0.55f;          // strength of the shaded facets, 0..1
  Point light{-0.6f, -0.8f};       // direction towards the light (unit length)
};
void FillGlass(Canvas& canvas, const Shape& shape, const Glass& glass);

}  // namespace paint
