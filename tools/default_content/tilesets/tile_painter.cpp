// Painters for single 32 x 16 brick tiles: faceted glass gems, metal plates, ghost glass, dynamite, shooters.
#include "tools/default_content/tilesets/tile_painter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "tools/default_content/tilesets/tile_pixels.h"

namespace tiles {

using paint::Color;

namespace {

constexpr int Bevel = 3;

enum class Facet { Border, Top, Left, Right, Bottom, Table };

Facet FacetOf(int x, int y) {
  if (IsBorder(x, y)) return Facet::Border;
  const int toLeft = x - 1, toRight = W - 2 - x, toTop = y - 1, toBottom = H - 2 - y;
  const int nearest = std::min({toLeft, toRight, toTop, toBottom});
  if (nearest >= Bevel) return Facet::Table;
  if (nearest == toTop) return Facet::Top;
  if (nearest == toBottom) return Facet::Bottom;
  return nearest == toLeft ? Facet::Left : Facet::Right;
}

// The light falls from the top left: top and left bevels catch it, the others are in shade.
Color BevelShade(Color base, Facet facet) {
  switch (facet) {
    case Facet::Top: return paint::Lighten(base, 0.45f);
    case Facet::Left: return paint::Lighten(base, 0.2f);
    case Facet::Right: return paint::Darken(base, 0.3f);
    case Facet::Bottom: return paint::Darken(base, 0.5f);
    default: return base;
  }
}

// The table of a gem is split into shards by two slanted cuts, each shard lit a little differently.
Color TableShade(Color base, int x, int y) {
  const float depth = static_cast<float>(y - Bevel) / (H - 2 * Bevel - 1);
  Color c = paint::Mix(paint::Lighten(base, 0.18f), paint::Darken(base, 0.22f), depth);
  const int cutA = x + 2 * y, cutB = x - 2 * y;
  if (cutA < 22) c = paint::Lighten(c, 0.2f);
  else if (cutB > 12) c = paint::Darken(c, 0.2f);
  else if (cutA > 38) c = paint::Darken(c, 0.1f);
  else c = paint::Lighten(c, 0.06f);
  if (cutA == 22 || cutB == 12 || (cutA == 38 && cutB <= 12)) c = paint::Lighten(c, 0.4f);
  return c;
}

void PaintSpecular(TileSpot s) {
  const Color white{1, 1, 1, 1};
  for (int x = 5; x <= 11; ++x) Blend(s, x, 4, white, x <= 8 ? 0.75f : 0.45f);
  for (int x = 4; x <= 6; ++x) Blend(s, x, 5, white, 0.35f);
  Blend(s, 25, 5, white, 0.9f);
  Blend(s, 24, 5, white, 0.4f);
  Blend(s, 26, 5, white, 0.4f);
  Blend(s, 25, 4, white, 0.4f);
  Blend(s, 25, 6, white, 0.4f);
}

void Crack(TileSpot s, Color base, std::initializer_list<Point> path) {
  const Color dark = paint::Darken(base, 0.8f);
  const Color glint = paint::Lighten(base, 0.7f);
  const Point* prev = nullptr;
  for (const Point& p : path) {
    if (prev) {
      Line(s, prev->x + 1, prev->y, p.x + 1, p.y, glint, 0.6f);
      Line(s, prev->x, prev->y, p.x, p.y, dark);
    }
    prev = &p;
  }
}

void Chip(TileSpot s, std::initializer_list<Point> cells) {
  for (const Point& p : cells) Clear(s, p.x, p.y);
}

}  // namespace

void PaintGem(TileSpot s, Color base, float glow) {
  base = Scale(base, glow);
  const Color outline = paint::Darken(base, 0.62f);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) {
        Clear(s, x, y);
        continue;
      }
      const Facet facet = FacetOf(x, y);
      Color c = facet == Facet::Border ? outline
                : facet == Facet::Table ? TableShade(base, x, y)
                                         : BevelShade(base, facet);
      c = paint::Lighten(c, 0.05f * Noise(x, y, 7));
      Put(s, x, y, c);
    }
  }
  PaintSpecular(s);
}

void PaintNeon(TileSpot s, Color base, float glow) {
  const Color rim = Scale(paint::Lighten(base, 0.35f), glow);
  const Color halo = Scale(base, 0.75f * glow);
  const Color fill = paint::Mix(paint::Rgb(10, 12, 30), base, 0.14f);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) {
        Clear(s, x, y);
        continue;
      }
      const int edge = std::min({x, y, W - 1 - x, H - 1 - y});
      Color c = edge == 0 ? halo : edge == 1 ? rim : edge == 2 ? paint::Mix(fill, base, 0.35f) : fill;
      // Faint scan lines keep the dark middle from looking flat.
      if (edge > 2 && y % 3 == 0) c = paint::Mix(c, base, 0.12f);
      Put(s, x, y, c);
    }
  }
  const Color white{1, 1, 1, 1};
  for (int x = 4; x <= 9; ++x) Blend(s, x, 1, white, 0.6f);
  Blend(s, 1, 3, white, 0.5f);
  Blend(s, 1, 4, white, 0.3f);
}

void PaintFrost(TileSpot s, Color base, float glow) {
  const Color ice = Scale(paint::Mix(base, paint::Rgb(225, 240, 255), 0.3f), glow);
  const Color snow = paint::Rgb(246, 250, 255);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) {
        Clear(s, x, y);
        continue;
      }
      // A drift of snow along the top, deeper in some places than in others.
      const int drift = 2 + static_cast<int>(2.5f * Noise(x / 3, 0, 13));
      Color c;
      if (y < drift) {
        c = paint::Mix(snow, ice, 0.12f * y);
      } else if (y == drift) {
        c = paint::Darken(ice, 0.3f);  // the drift's shadow
      } else if (IsBorder(x, y)) {
        c = paint::Darken(ice, 0.45f);
      } else {
        const float depth = static_cast<float>(y - drift) / (H - drift);
        c = paint::Mix(paint::Lighten(ice, 0.25f), paint::Darken(ice, 0.2f), depth);
        if ((x * 7 + y * 3) % 23 == 0) c = paint::Lighten(c, 0.5f);  // frost sparkles
      }
      Put(s, x, y, c);
    }
  // Icicles hang from the lower edge, and a few notches break it.
  for (int x : {5, 6, 15, 24, 25}) Put(s, x, H - 1, paint::Lighten(ice, 0.35f));
  for (int x : {3, 9, 12, 19, 21, 28}) Clear(s, x, H - 1);
}

void PaintHitStuds(TileSpot s, Color base, int hitCount) {
  const Color stud = paint::Lighten(base, 0.75f);
  const Color rim = paint::Darken(base, 0.55f);
  const int spacing = 7;
  const int first = 16 - (hitCount - 1) * spacing / 2;
  for (int i = 0; i < hitCount; ++i) {
    const int cx = first + i * spacing;
    Diamond(s, cx, 8, 2, rim);
    Diamond(s, cx, 8, 1, stud);
  }
}

void PaintCracks(TileSpot s, Color base, int stage, int hitCount) {
  if (stage <= 1 || hitCount <= 1) return;
  const bool heavy = stage == hitCount;
  Crack(s, base, {{12, 0}, {15, 5}, {13, 9}, {17, 15}});
  Crack(s, base, {{15, 5}, {20, 7}});
  if (!heavy) return;
  Crack(s, base, {{31, 3}, {25, 7}, {27, 11}, {24, 15}});
  Crack(s, base, {{0, 11}, {6, 9}, {9, 12}});
  Crack(s, base, {{25, 7}, {20, 7}});
  Chip(s, {{1, 0}, {2, 0}, {1, 1}, {0, 1}, {0, 2}, {30, 15}, {29, 15}, {30, 14}, {31, 14}, {31, 13}});
  // The broken brick has lost some of its shine.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (IsOpaque(s, x, y)) Put(s, x, y, paint::Darken(s.canvas.at(s.x0 + x, s.y0 + y), 0.12f));
}

void PaintMetal(TileSpot s, Color base, float coreGlow) {
  const Color outline = paint::Darken(base, 0.7f);
  for (int y = 0; y < H; ++y) {
    const float brushed = 0.9f + 0.2f * Noise(0, y, 3);
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) {
        Clear(s, x, y);
        continue;
      }
      const Facet facet = FacetOf(x, y);
      Color c;
      if (facet == Facet::Border) c = outline;
      else if (facet == Facet::Table) {
        const float depth = static_cast<float>(y - Bevel) / (H - 2 * Bevel - 1);
        c = Scale(paint::Mix(paint::Lighten(base, 0.3f), paint::Darken(base, 0.25f), depth), brushed);
        c = paint::Lighten(c, 0.06f * Noise(x, y, 11));
      } else {
        c = facet == Facet::Top ? paint::Lighten(base, 0.6f) : BevelShade(base, facet);
      }
      Put(s, x, y, c);
    }
  }
  for (const Point rivet : {Point{5, 5}, Point{26, 5}, Point{5, 10}, Point{26, 10}}) {
    Put(s, rivet.x, rivet.y, paint::Darken(base, 0.6f));
    Put(s, rivet.x - 1, rivet.y - 1, paint::Lighten(base, 0.8f));
    Put(s, rivet.x, rivet.y - 1, paint::Lighten(base, 0.3f));
    Put(s, rivet.x - 1, rivet.y, paint::Lighten(base, 0.3f));
  }
  if (coreGlow > 0) {
    const Color core = paint::Rgb(90, 230, 255);
    Diamond(s, 16, 8, 4, paint::Darken(base, 0.6f));
    Diamond(s, 16, 8, 3, Scale(core, 0.55f + 0.45f * coreGlow));
    Diamond(s, 16, 8, 1, paint::Lighten(core, 0.7f * coreGlow));
  }
}

void PaintGhost(TileSpot s, Color base, int sheen) {
  const Color edge = paint::Lighten(base, 0.35f);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (IsCorner(x, y)) {
        Clear(s, x, y);
        continue;
      }
      const Facet facet = FacetOf(x, y);
      if (facet == Facet::Border) {
        Put(s, x, y, (x + y) % 3 == 0 ? paint::Darken(base, 0.2f) : edge);
        continue;
      }
      // Colour-keyed drawing has no alpha; leaving every other pixel out lets the backdrop show through.
      if ((x + y) % 2 == 1) {
        Clear(s, x, y);
        continue;
      }
      Color c = facet == Facet::Table ? paint::Darken(TableShade(base, x, y), 0.15f) : BevelShade(base, facet);
      const int band = x - y - sheen;
      if (band >= 0 && band < 4) c = paint::Lighten(c, 0.6f);
      Put(s, x, y, c);
    }
  }
}

void PaintDynamite(TileSpot s, int sparkSize) {
  PaintGem(s, paint::Rgb(225, 45, 35));
  const Color band = paint::Rgb(70, 18, 22);
  const Color bandLight = paint::Rgb(150, 60, 40);
  for (int y = 1; y < H - 1; ++y)
    for (int bx : {8, 22}) {
      Put(s, bx, y, bandLight);
      Put(s, bx + 1, y, band);
      Put(s, bx + 2, y, band);
    }
  const Color spark = paint::Rgb(255, 235, 120);
  const Color heart = paint::Rgb(255, 255, 230);
  Diamond(s, 16, 8, std::min(sparkSize, 3) + 1, paint::Rgb(255, 140, 40), 0.8f);
  for (int i = 1; i <= sparkSize + 1; ++i) {
    Blend(s, 16 + i, 8, spark, 1.0f);
    Blend(s, 16 - i, 8, spark, 1.0f);
    if (i <= 4) Blend(s, 16, 8 + i, spark, 1.0f);
    if (i <= 4) Blend(s, 16, 8 - i, spark, 1.0f);
  }
  for (int i = 1; i <= std::min(sparkSize, 2); ++i)
    for (const Point d : {Point{1, 1}, Point{-1, 1}, Point{1, -1}, Point{-1, -1}})
      Blend(s, 16 + d.x * i, 8 + d.y * i, spark, 0.7f);
  Diamond(s, 16, 8, 1, heart);
}

void PaintArrows(TileSpot s, ShooterDirections d, Color arrow, Color tip, Color shadow) {
  const auto vertical = [&](bool up) {
    for (int i = 0; i < 4; ++i) {
      const int y = up ? 2 + i : H - 3 - i;
      Put(s, 15 - i - 1, y, shadow);
      Put(s, 16 + i + 1, y, shadow);
      for (int x = 15 - i; x <= 16 + i; ++x) Put(s, x, y, i == 0 ? tip : arrow);
    }
  };
  const auto horizontal = [&](bool left) {
    for (int i = 0; i < 4; ++i) {
      const int x = left ? 3 + i : W - 4 - i;
      Put(s, x, 7 - i - 1, shadow);
      Put(s, x, 8 + i + 1, shadow);
      for (int y = 7 - i; y <= 8 + i; ++y) Put(s, x, y, i == 0 ? tip : arrow);
    }
  };
  if (d.up) vertical(true);
  if (d.down) vertical(false);
  if (d.left) horizontal(true);
  if (d.right) horizontal(false);
}

void PaintShooter(TileSpot s, ShooterDirections d) {
  PaintGem(s, paint::Rgb(52, 44, 92));
  // A brass rim marks the brick as armed, apart from the plain violet glass.
  for (int x = 1; x < W - 1; ++x) Put(s, x, 0, paint::Rgb(150, 110, 40)), Put(s, x, H - 1, paint::Rgb(95, 65, 25));
  for (int y = 1; y < H - 1; ++y) Put(s, 0, y, paint::Rgb(150, 110, 40)), Put(s, W - 1, y, paint::Rgb(95, 65, 25));
  PaintArrows(s, d, paint::Rgb(255, 222, 90), paint::Rgb(255, 255, 215), paint::Rgb(60, 25, 45));
  Diamond(s, 16, 8, 2, paint::Rgb(40, 20, 70));
  Put(s, 15, 7, paint::Rgb(150, 240, 255));
  Put(s, 16, 7, paint::Rgb(150, 240, 255));
  Put(s, 15, 8, paint::Rgb(90, 200, 255));
  Put(s, 16, 8, paint::Rgb(90, 200, 255));
}

}  // namespace tiles
