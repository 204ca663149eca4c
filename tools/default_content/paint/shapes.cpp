// Signed-distance shapes, anti-aliased fills, gradients and glass shading.
#include "tools/default_content/paint/shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace paint {

namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float DistanceToSegment(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float lengthSquared = dx * dx + dy * dy;
  float t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

Shape Bounded(Distance d, float left, float top, float right, float bottom) {
  return Shape{std::move(d), left, top, right, bottom};
}

}  // namespace

Shape RoundedRect(float x, float y, float w, float h, float radius) {
  radius = std::min({radius, w / 2, h / 2});
  const float cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
  return Bounded(
      [=](float px, float py) {
        const float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
      },
      x, y, x + w, y + h);
}

Shape Circle(float cx, float cy, float radius) {
  return Bounded([=](float px, float py) { return Length(px - cx, py - cy) - radius; }, cx - radius, cy - radius,
                 cx + radius, cy + radius);
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
  // Distance in the unit circle scaled by the smaller radius: exact on the outline, close enough near it.
  return Bounded(
      [=](float px, float py) { return (Length((px - cx) / rx, (py - cy) / ry) - 1.0f) * std::min(rx, ry); },
      cx - rx, cy - ry, cx + rx, cy + ry);
}

Shape Polygon(std::vector<Point> points) {
  float left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const Point& p : points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  return Bounded(
      [points = std::move(points)](float px, float py) {
        float nearest = 1e30f;
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
          const Point a = points[i], b = points[j];
          nearest = std::min(nearest, DistanceToSegment({px, py}, a, b));
          if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside ? -nearest : nearest;
      },
      left, top, right, bottom);
}

Shape Segment(Point a, Point b, float halfWidth) {
  return Bounded([=](float px, float py) { return DistanceToSegment({px, py}, a, b) - halfWidth; },
                 std::min(a.x, b.x) - halfWidth, std::min(a.y, b.y) - halfWidth, std::max(a.x, b.x) + halfWidth,
                 std::max(a.y, b.y) + halfWidth);
}

Shape Union(Shape a, Shape b) {
  return Bounded([da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); },
                 std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

Shape Intersect(Shape a, Shape b) {
  return Bounded([da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); },
                 std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom));
}

Shape Subtract(Shape a, Shape b) {
  return Bounded([da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), -db(x, y)); },
                 a.left, a.top, a.right, a.bottom);
}

Shape Offset(Shape s, float by) {
  const float grow = std::max(by, 0.0f);
  return Bounded([d = s.distance, by](float x, float y) { return d(x, y) - by; }, s.left - grow, s.top - grow,
                 s.right + grow, s.bottom + grow);
}

Shader Solid(Color c) {
  return [c](float, float, float) { return c; };
}

Color GradientAt(const std::vector<Stop>& stops, float t) {
  if (t <= stops.front().at) return stops.front().color;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const float span = stops[i].at - stops[i - 1].at;
      return Mix(stops[i - 1].color, stops[i].color, span > 0 ? (t - stops[i - 1].at) / span : 1.0f);
    }
  }
  return stops.back().color;
}

Shader LinearGradient(Point from, Point to, std::vector<Stop> stops) {
  const float dx = to.x - from.x, dy = to.y - from.y, lengthSquared = dx * dx + dy * dy;
  return [=, stops = std::move(stops)](float x, float y, float) {
    return GradientAt(stops, ((x - from.x) * dx + (y - from.y) * dy) / lengthSquared);
  };
}

Shader RadialGradient(Point centre, float radius, std::vector<Stop> stops) {
  return [=, stops = std::move(stops)](float x, float y, float) {
    return GradientAt(stops, Length(x - centre.x, y - centre.y) / radius);
  };
}

void Fill(Canvas& canvas, const Shape& shape, const Shader& shader) {
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.left)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.top)) - 1);
  const int x1 = std::min(canvas.width() - 1, static_cast<int>(std::ceil(shape.right)) + 1);
  const int y1 = std::min(canvas.height() - 1, static_cast<int>(std::ceil(shape.bottom)) + 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = shape.distance(px, py);
      const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
      if (coverage > 0) canvas.blend(x, y, shader(px, py, -d), coverage);
    }
  }
}

void Fill(Canvas& canvas, const Shape& shape, Color c) { Fill(canvas, shape, Solid(c)); }

void Stroke(Canvas& canvas, const Shape& shape, float width, const Shader& shader) {
  const float half = width / 2;
  Shape ring = Bounded([d = shape.distance, half](float x, float y) { return std::abs(d(x, y)) - half; },
                       shape.left - half, shape.top - half, shape.right + half, shape.bottom + half);
  Fill(canvas, ring, shader);
}

void Stroke(Canvas& canvas, const Shape& shape, float width, Color c) { Stroke(canvas, shape, width, Solid(c)); }

void FillGlass(Canvas& canvas, const Shape& shape, const Glass& glass) {
  const float top = shape.top, height = std::max(shape.bottom - shape.top, 1.0f);
  const Distance& d = shape.distance;
  Fill(canvas, shape, [&](float x, float y, float depth) {
    // Body: lighter towards the top, deeper towards the bottom, like light passing through crystal.
    const float v = (y - top) / height;
    Color c = v < 0.5f ? Lighten(glass.base, 0.25f * (1 - 2 * v)) : Darken(glass.base, 0.35f * (2 * v - 1));
    // Rim facets: the outline's outward normal against the light decides lit or shaded.
    if (depth < glass.bevel) {
      const float e = 0.5f;
      float nx = d(x + e, y) - d(x - e, y), ny = d(x, y + e) - d(x, y - e);
      const float n = std::sqrt(nx * nx + ny * ny);
      if (n > 0) nx /= n, ny /= n;
      const float facing = nx * glass.light.x + ny * glass.light.y;
      const float rim = 1.0f - std::max(depth, 0.0f) / glass.bevel;
      c = facing > 0 ? Lighten(c, glass.rimLight * facing * (0.4f + 0.6f * rim))
                     : Darken(c, glass.rimShade * -facing * (0.4f + 0.6f * rim));
    }
    // Gloss streak across the upper part, fading downwards.
    if (glass.gloss > 0 && depth > glass.bevel * 0.6f && v > 0.08f && v < 0.45f)
      c = Lighten(c, glass.gloss * (1.0f - (v - 0.08f) / 0.37f) * 0.7f);
    // Fine bright edge just inside the outline.
    if (depth < 1.0f) c = Lighten(c, 0.25f * (1.0f - depth));
    return WithAlpha(c, glass.base.a);
  });
}

}  // namespace paint
