// Float RGBA canvas, blending and conversion to a colour-keyed bitmap.
#include "tools/default_content/paint/canvas.h"

#include <algorithm>
#include <cmath>

namespace paint {

namespace {
float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

int ToByte(float v) { return static_cast<int>(std::lround(Clamp01(v) * 255.0f)); }
}  // namespace

Color Mix(Color from, Color to, float t) {
  return Color{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
               from.a + (to.a - from.a) * t};
}

Color Lighten(Color c, float t) { return Mix(c, Color{1, 1, 1, c.a}, t); }
Color Darken(Color c, float t) { return Mix(c, Color{0, 0, 0, c.a}, t); }
Color WithAlpha(Color c, float alpha) { return Color{c.r, c.g, c.b, alpha}; }

Canvas::Canvas(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, Color c, float coverage) {
  if (!contains(x, y)) return;
  const float srcA = Clamp01(c.a * coverage);
  if (srcA <= 0.0f) return;
  Color& d = at(x, y);
  const float outA = srcA + d.a * (1.0f - srcA);
  const auto channel = [&](float s, float t) { return (s * srcA + t * d.a * (1.0f - srcA)) / outA; };
  d = Color{channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), outA};
}

void Composite(Canvas& dst, const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx) dst.blend(x + sx, y + sy, src.at(sx, sy));
}

Canvas Crop(const Canvas& src, int x, int y, int w, int h) {
  Canvas out(w, h);
  for (int cy = 0; cy < h; ++cy)
    for (int cx = 0; cx < w; ++cx)
      if (src.contains(x + cx, y + cy)) out.at(cx, cy) = src.at(x + cx, y + cy);
  return out;
}

Canvas RotateClockwise(const Canvas& src) {
  Canvas out(src.height(), src.width());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.at(src.height() - 1 - y, x) = src.at(x, y);
  return out;
}

Canvas Transpose(const Canvas& src) {
  Canvas out(src.height(), src.width());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.at(y, x) = src.at(x, y);
  return out;
}

Canvas FlipVertical(const Canvas& src) {
  Canvas out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.at(x, src.height() - 1 - y) = src.at(x, y);
  return out;
}

Canvas FlipHorizontal(const Canvas& src) {
  Canvas out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) out.at(src.width() - 1 - x, y) = src.at(x, y);
  return out;
}

Bitmap ToBitmap(const Canvas& canvas, Color backdrop) {
  Bitmap out;
  out.width = canvas.width();
  out.height = canvas.height();
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height, 0);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const Color c = canvas.at(x, y);
      if (c.a < 0.5f) continue;
      const Color over = Mix(backdrop, Color{c.r, c.g, c.b, 1}, Clamp01(c.a));
      int r = ToByte(over.r), g = ToByte(over.g), b = ToByte(over.b);
      // 5-6-5 would turn these into black, i.e. transparent.
      if (r < 8 && g < 4 && b < 8) r = 6, g = 6, b = 12;
      out.at(x, y) = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    }
  }
  return out;
}

}  // namespace paint
