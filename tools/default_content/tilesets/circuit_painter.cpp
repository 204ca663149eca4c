// The circuit look of the tile painters: chips, heat sinks, holograms, batteries and routing boards.
#include <algorithm>

#include "tools/default_content/tilesets/tile_painter.h"
#include "tools/default_content/tilesets/tile_pixels.h"

namespace tiles {

using paint::Color;
using paint::Rgb;

namespace {

const Color Gold = Rgb(214, 172, 72);
const Color GoldShade = Rgb(130, 96, 34);
const Color Outline = Rgb(14, 16, 22);

void ClearTile(TileSpot s) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) Clear(s, x, y);
}

// Legs along the top and bottom edges; between them the backdrop shows.
void PaintPins(TileSpot s, int top, int bottom) {
  for (int x0 = 3; x0 < W - 2; x0 += 4)
    for (int x = x0; x <= x0 + 1; ++x) {
      for (int y = 0; y < top; ++y) Put(s, x, y, y == 0 ? Gold : GoldShade);
      for (int y = H - bottom; y < H; ++y) Put(s, x, y, y == H - 1 ? GoldShade : Gold);
    }
}

// A filled box with a one-pixel outline; `shade` gives the colour of row y inside it.
template <typename Shade>
void Box(TileSpot s, int left, int top, int right, int bottom, Color outline, Shade shade) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const bool edge = x == left || x == right || y == top || y == bottom;
      Put(s, x, y, edge ? outline : shade(x, y));
    }
}

}  // namespace

void PaintChip(TileSpot s, Color base, float glow) {
  ClearTile(s);
  PaintPins(s, 2, 2);
  const Color epoxy = paint::Mix(Rgb(36, 38, 46), base, 0.14f);
  Box(s, 1, 2, W - 2, H - 3, Outline, [&](int x, int y) {
    Color c = y == 3 ? paint::Lighten(epoxy, 0.18f) : y == H - 4 ? paint::Darken(epoxy, 0.3f) : epoxy;
    return paint::Lighten(c, 0.05f * Noise(x, y, 5));
  });
  const Color light = Scale(base, glow);
  Box(s, 5, 5, W - 6, H - 6, Scale(base, 0.5f * glow), [&](int, int y) {
    return y == 6 ? paint::Lighten(light, 0.35f) : y == H - 7 ? Scale(light, 0.78f) : light;
  });
  for (int x = 7; x <= 11; ++x) Blend(s, x, 6, Color{1, 1, 1, 1}, 0.55f);
  Put(s, 3, 4, Rgb(170, 175, 185));  // the first pin's mark
}

void PaintHeatSink(TileSpot s, Color base, float coreGlow) {
  ClearTile(s);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) continue;
      Color c;
      if (x == 0 || x == W - 1 || y == H - 1) c = paint::Darken(base, 0.7f);
      else if (y >= H - 4) c = paint::Mix(paint::Lighten(base, 0.3f), paint::Darken(base, 0.35f), (y - (H - 4)) / 3.0f);
      else if (x % 4 == 1) c = paint::Lighten(base, y == 0 ? 0.7f : 0.4f);
      else if (x % 4 == 2) c = paint::Darken(base, 0.08f);
      else c = paint::Darken(base, 0.62f);  // the gap between two fins
      Put(s, x, y, c);
    }
  if (coreGlow > 0) {
    const Color core = Rgb(120, 255, 170);
    Diamond(s, 16, 6, 4, paint::Darken(base, 0.7f));
    Diamond(s, 16, 6, 3, Scale(core, 0.5f + 0.5f * coreGlow));
    Diamond(s, 16, 6, 1, paint::Lighten(core, 0.7f * coreGlow));
  }
}

void PaintHologram(TileSpot s, Color base, int sheen) {
  ClearTile(s);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) continue;
      if (IsBorder(x, y)) {
        Put(s, x, y, (x / 2 + y) % 2 == 0 ? paint::Lighten(base, 0.3f) : Scale(base, 0.7f));
        continue;
      }
      // Colour-keyed drawing has no alpha; leaving every other pixel out lets the backdrop show through.
      if ((x + y) % 2 == 1) continue;
      Color c = y % 4 == 1 ? paint::Lighten(base, 0.25f) : Scale(base, 0.62f);
      if (x - sheen >= 0 && x - sheen < 4) c = paint::Lighten(c, 0.65f);
      Put(s, x, y, c);
    }
}

void PaintBattery(TileSpot s, int sparkSize) {
  ClearTile(s);
  const Color shell = Rgb(205, 42, 32), band = Rgb(238, 196, 58);
  // A cylinder lying down: lit along its upper side, in shade below.
  const auto shade = [](Color c, int y) {
    return y <= 4 ? paint::Lighten(c, 0.45f - 0.12f * (y - 3)) : y >= 10 ? paint::Darken(c, 0.12f * (y - 9)) : c;
  };
  Box(s, 1, 2, W - 6, H - 3, Rgb(70, 12, 10),
      [&](int x, int y) { return shade(x >= 9 && x <= 16 ? band : shell, y); });
  Box(s, W - 5, 5, W - 3, H - 6, Rgb(60, 62, 70),  // the terminal cap
      [](int, int y) { return y == 6 ? Rgb(225, 228, 235) : Rgb(160, 165, 175); });
  Line(s, 14, 4, 11, 8, Rgb(40, 30, 10));  // a bolt across the band
  Line(s, 11, 8, 14, 8, Rgb(40, 30, 10));
  Line(s, 14, 8, 11, 12, Rgb(40, 30, 10));
  const Color spark = Rgb(255, 240, 150);
  Diamond(s, W - 2, 7, std::min(sparkSize, 3), Rgb(255, 150, 50), 0.8f);
  for (int i = 1; i <= sparkSize; ++i) {
    Blend(s, W - 2, 7 - i, spark, 1.0f);
    Blend(s, W - 2, 8 + i, spark, 1.0f);
  }
  Put(s, W - 2, 7, Rgb(255, 255, 235));
  Put(s, W - 2, 8, Rgb(255, 255, 235));
}

void PaintRouter(TileSpot s, ShooterDirections d) {
  ClearTile(s);
  const Color board = Rgb(22, 78, 46);
  Box(s, 0, 0, W - 1, H - 1, Rgb(8, 34, 18), [&](int x, int y) {
    Color c = paint::Lighten(board, 0.06f * Noise(x, y, 9));
    if (y == 8 || x == 16 || (x + y) % 11 == 0) c = paint::Mix(c, Gold, 0.3f);  // traces
    return c;
  });
  Clear(s, 0, 0), Clear(s, W - 1, 0), Clear(s, 0, H - 1), Clear(s, W - 1, H - 1);
  PaintArrows(s, d, Rgb(110, 250, 130), Rgb(225, 255, 225), Rgb(6, 40, 20));
  Diamond(s, 16, 8, 2, Gold);
  Put(s, 15, 7, Rgb(255, 250, 210));
  Put(s, 16, 8, GoldShade);
}

}  // namespace tiles
