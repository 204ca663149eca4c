// The play-screen sprites: paddle, balls, explosion, laser shots, cannons, barrier walls and trail dots.
#include <array>
#include <cmath>
#include <numbers>

#include "tools/default_content/paint/noise.h"
#include "tools/default_content/paint/shapes.h"
#include "tools/default_content/pictures/game_pictures.h"

namespace pictures {

using namespace paint;

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// A lit sphere: diffuse light from the top left, a hard specular spot and a coloured rim glow.
void PaintOrb(Canvas& canvas, float cx, float cy, float radius, Color core, Color rim) {
  Fill(canvas, Circle(cx, cy, radius), [=](float x, float y, float) {
    const float dx = (x - cx) / radius, dy = (y - cy) / radius;
    const float z = std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy));
    const float diffuse = std::max(0.0f, -0.45f * dx - 0.55f * dy + 0.7f * z);
    const float spot = std::pow(std::max(0.0f, -0.3f * dx - 0.4f * dy + 0.87f * z), 24.0f);
    Color c = Mix(rim, core, z * z * z);
    c = Darken(c, 0.55f * (1.0f - diffuse));
    return Lighten(c, spot);
  });
}

}  // namespace

Canvas PaintPaddle() {
  Canvas canvas(320, 10);
  const Shape body = RoundedRect(0, 0, 320, 10, 5);
  FillGlass(canvas, body, Glass{Rgb(40, 150, 230), 2.5f, 0.6f, 0.75f, 0.6f});
  // Energy core along the middle: uniform along the length so any two halves join without a seam.
  Fill(canvas, Intersect(body, RoundedRect(12, 4, 296, 2, 1)), WithAlpha(look::Ice, 0.55f));
  // Violet crystal emitters at both ends, cut in a chevron.
  const Glass emitter{Rgb(170, 80, 255), 2.0f, 0.5f, 0.8f, 0.6f};
  FillGlass(canvas, Intersect(body, Polygon({{0, 0}, {14, 0}, {10, 5}, {14, 10}, {0, 10}})), emitter);
  FillGlass(canvas, Intersect(body, Polygon({{306, 0}, {320, 0}, {320, 10}, {306, 10}, {310, 5}})), emitter);
  return canvas;
}

Canvas PaintBalls() {
  Canvas canvas(10, 30);
  PaintOrb(canvas, 5, 5, 4.8f, Rgb(225, 248, 255), Rgb(30, 150, 250));   // normal: ice
  PaintOrb(canvas, 5, 15, 4.8f, Rgb(255, 150, 235), Rgb(210, 20, 170));  // Super: magenta
  PaintOrb(canvas, 5, 25, 4.8f, Rgb(255, 230, 120), Rgb(240, 70, 10));   // Dyna: ember
  return canvas;
}

Canvas PaintExplosion() {
  constexpr int Frames = 6, Size = 26, Shards = 9;
  Canvas canvas(Frames * Size, Size);
  Random random(0x5EA1);
  float angles[Shards], lengths[Shards];
  for (int i = 0; i < Shards; ++i) {
    angles[i] = (i + random.between(-0.3f, 0.3f)) * 2 * Pi / Shards;
    lengths[i] = random.between(5.0f, 8.0f);
  }
  for (int f = 0; f < Frames; ++f) {
    const float p = (f + 1.0f) / Frames, cx = f * Size + 13.0f, cy = 13.0f;
    const float fade = 1.0f - 0.75f * p * p;
    // Flash core: big and white at first, a small ember at the end.
    const float coreRadius = std::array{4.0f, 6.5f, 6.0f, 4.5f, 3.0f, 1.5f}[f];
    Fill(canvas, Circle(cx, cy, coreRadius),
         RadialGradient({cx, cy}, coreRadius, {{0, Darken(Rgb(255, 255, 240), 1 - fade)},
                                                {0.5f, Darken(look::Gold, 1 - fade)},
                                                {1, Darken(look::Magenta, 0.2f + 0.6f * p)}}));
    // Star spikes of the first flash.
    if (f < 2)
      for (int i = 0; i < 4; ++i) {
        const float a = i * Pi / 4 + 0.2f, reach = f == 0 ? 9.0f : 11.5f;
        Fill(canvas, Segment({cx - std::sin(a) * reach, cy + std::cos(a) * reach},
                             {cx + std::sin(a) * reach, cy - std::cos(a) * reach}, i % 2 ? 0.5f : 0.8f),
             f == 0 ? Rgb(255, 250, 225) : look::Gold);
      }
    // Shockwave ring.
    if (f >= 2 && f <= 4) Stroke(canvas, Circle(cx, cy, 3.0f + 9.0f * p), 1.0f, Darken(look::Cyan, 0.3f + 0.4f * p));
    // Crystal shards flying out, turning from ice to violet as they cool.
    for (int i = 0; i < Shards; ++i) {
      const float dx = std::sin(angles[i]), dy = -std::cos(angles[i]);
      const float inner = 2.0f + 7.5f * p, outer = inner + lengths[i] * (1.1f - 0.45f * p), half = 1.5f - 0.6f * p;
      const Point a{cx + dx * inner, cy + dy * inner}, b{cx + dx * outer, cy + dy * outer};
      const Point l{(a.x + b.x) / 2 - dy * half * 1.6f, (a.y + b.y) / 2 + dx * half * 1.6f};
      const Point r{(a.x + b.x) / 2 + dy * half * 1.6f, (a.y + b.y) / 2 - dx * half * 1.6f};
      const Color c = Darken(Mix(look::Ice, Mix(look::Cyan, look::Violet, p), p), 0.5f * p * p);
      Fill(canvas, Intersect(Polygon({a, l, b, r}), RoundedRect(f * Size, 0, Size, Size, 0)), c);
    }
  }
  return canvas;
}

Canvas PaintLaserShot() {
  Canvas canvas(4, 16);
  for (int y = 0; y < 16; ++y) {
    const float heat = 1.0f - y / 16.0f;  // the leading end, at the top, burns brightest
    const Color edge = Darken(Mix(look::Violet, look::Magenta, heat), 0.5f * (1 - heat));
    const Color core = Mix(Darken(look::Cyan, 0.3f), look::Ice, heat);
    canvas.at(0, y) = canvas.at(3, y) = edge;
    canvas.at(1, y) = canvas.at(2, y) = core;
  }
  canvas.at(0, 0) = canvas.at(3, 0) = Transparent;  // rounded tip
  return canvas;
}

Canvas PaintCannon() {
  Canvas canvas(8, 16);
  FillGlass(canvas, RoundedRect(0, 6, 8, 10, 2), Glass{Rgb(110, 70, 220), 2.0f, 0.4f, 0.8f, 0.6f});
  FillGlass(canvas, RoundedRect(2, 0, 4, 10, 1), Glass{Rgb(150, 200, 230), 1.5f, 0.3f, 0.8f, 0.5f});
  Fill(canvas, RoundedRect(3, 0, 2, 2, 0), look::Magenta);  // muzzle glow
  Fill(canvas, Circle(4, 11, 1.5f), look::Ice);
  return canvas;
}

Canvas PaintBarrier() {
  Canvas canvas(640, 5);
  const float rowBrightness[5] = {0.35f, 0.7f, 1.0f, 0.7f, 0.35f};
  for (int x = 0; x < 640; ++x) {
    // Chevron facets every 16 pixels and a brighter node every 64.
    const float facet = 0.65f + 0.35f * std::abs(((x % 16) - 7.5f) / 7.5f);
    const float node = std::max(0.0f, 1.0f - std::abs((x % 64) - 31.5f) / 6.0f);
    for (int y = 0; y < 5; ++y) {
      const float b = rowBrightness[y] * facet;
      Color c = Mix(Darken(look::Violet, 0.5f), look::Cyan, b);
      if (y == 2) c = Lighten(c, 0.5f * facet);
      canvas.at(x, y) = Mix(c, y == 2 ? look::Ice : look::Magenta, node * rowBrightness[y]);
    }
  }
  return canvas;
}

Canvas PaintTrail() {
  Canvas canvas(6, 9);
  const Color rows[3] = {look::Magenta, look::Ember, look::Cyan};  // Super, Dyna, debris
  for (int r = 0; r < 3; ++r) {
    const Color c = rows[r], bright = Lighten(c, 0.7f), dim = Darken(c, 0.45f);
    const int y = 3 * r;
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) canvas.at(i, y + j) = (i == 1 && j == 1) ? bright : (i == 1 || j == 1) ? c : dim;
    for (int j = 0; j < 2; ++j)
      for (int i = 0; i < 2; ++i) canvas.at(3 + i, y + j) = (i == 0 && j == 0) ? bright : c;
    canvas.at(5, y) = Lighten(c, 0.35f);
  }
  return canvas;
}

}  // namespace pictures
