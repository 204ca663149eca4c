// Pixel helpers of the tile painters: clipped writes into one 32 x 16 tile, fixed noise, lines and diamonds.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "tools/default_content/tilesets/tile_painter.h"

namespace tiles {

constexpr int W = TileWidth;
constexpr int H = TileHeight;

inline void Put(TileSpot s, int x, int y, paint::Color c) {
  if (x >= 0 && x < W && y >= 0 && y < H) s.canvas.at(s.x0 + x, s.y0 + y) = c;
}
inline void Blend(TileSpot s, int x, int y, paint::Color c, float coverage) {
  if (x >= 0 && x < W && y >= 0 && y < H) s.canvas.blend(s.x0 + x, s.y0 + y, c, coverage);
}
inline void Clear(TileSpot s, int x, int y) { Put(s, x, y, paint::Transparent); }
inline bool IsOpaque(TileSpot s, int x, int y) { return s.canvas.at(s.x0 + x, s.y0 + y).a >= 0.5f; }

inline paint::Color Scale(paint::Color c, float k) {
  return paint::Color{std::min(1.0f, c.r * k), std::min(1.0f, c.g * k), std::min(1.0f, c.b * k), c.a};
}

// Small fixed noise, so brushed and glassy textures are the same on every run.
inline float Noise(int x, int y, int salt) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(salt) * 2147483647u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

inline bool IsCorner(int x, int y) { return (x == 0 || x == W - 1) && (y == 0 || y == H - 1); }
inline bool IsBorder(int x, int y) { return x == 0 || y == 0 || x == W - 1 || y == H - 1; }

struct Point {
  int x, y;
};

inline void Line(TileSpot s, int x0, int y0, int x1, int y1, paint::Color c, float coverage = 1.0f) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    Blend(s, x0, y0, c, coverage);
    if (x0 == x1 && y0 == y1) return;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

inline void Diamond(TileSpot s, int cx, int cy, int radius, paint::Color c, float coverage = 1.0f) {
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (std::abs(x - cx) + std::abs(y - cy) <= radius) Blend(s, x, y, c, coverage);
}

// Arrows from the middle toward the tile's edges, one for each direction of a shooter.
void PaintArrows(TileSpot s, ShooterDirections d, paint::Color arrow, paint::Color tip, paint::Color shadow);

}  // namespace tiles
