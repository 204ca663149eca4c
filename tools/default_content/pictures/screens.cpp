// Front-end pictures: the loading card, the scrolling backdrop tile and the menu panel textures.
#include <cmath>
#include <string>
#include <vector>

#include "tools/default_content/paint/noise.h"
#include "tools/default_content/paint/shapes.h"
#include "tools/default_content/paint/text.h"
#include "tools/default_content/pictures/game_pictures.h"

namespace pictures {

using namespace paint;

namespace {

constexpr int Tile = 128;
constexpr int PanelWidth = 640, PanelHeight = 340;  // more than the largest panel (604 x 328)

// A random crystal shard: a thin quadrilateral around (cx, cy).
std::vector<Point> Shard(Random& random, float cx, float cy, float size) {
  const float angle = random.between(0, 6.2831853f), c = std::cos(angle), s = std::sin(angle);
  const float length = size * random.between(1.2f, 2.2f), width = size * random.between(0.35f, 0.6f);
  const float skew = random.between(-0.3f, 0.3f);
  return {{cx + c * length, cy + s * length},
          {cx - s * width + c * skew * size, cy + c * width + s * skew * size},
          {cx - c * length * 0.7f, cy - s * length * 0.7f},
          {cx + s * width * 0.8f, cy - c * width * 0.8f}};
}

// Whether the panel keeps the backdrop at (x, y): a checkerboard, a little denser along diagonal facets.
bool PanelKeeps(int x, int y) {
  const int band = ((x + 2 * y) / 23) % 5;
  if (band == 0) return (x + y) % 2 == 0 || (x % 2 == 0 && y % 2 == 0 && (x / 2 + y / 2) % 2 == 0);
  return (x + y) % 2 == 0;
}

}  // namespace

Canvas PaintMenuTile() {
  Canvas canvas(Tile, Tile);
  for (int y = 0; y < Tile; ++y)
    for (int x = 0; x < Tile; ++x) {
      const float n = TileableFractal(x, y, Tile, Tile, 2, 2, 4, 0xBAC);
      const float m = TileableFractal(x, y, Tile, Tile, 3, 3, 3, 0x51D);
      canvas.at(x, y) = Mix(Rgb(10, 14, 42), Mix(Rgb(30, 60, 120), Rgb(70, 30, 110), m), n * n * 1.4f);
    }
  // Shards scattered over the tile, each drawn with its wrapped copies so the tile repeats seamlessly.
  Random random(0x71E);
  for (int i = 0; i < 14; ++i) {
    const float cx = random.between(0, Tile), cy = random.between(0, Tile), size = random.between(3, 8);
    const Color tint = WithAlpha(Mix(Rgb(60, 150, 230), Rgb(150, 80, 230), random.uniform()), random.between(0.35f, 0.7f));
    const std::vector<Point> shard = Shard(random, cx, cy, size);
    for (int oy = -1; oy <= 1; ++oy)
      for (int ox = -1; ox <= 1; ++ox) {
        std::vector<Point> moved = shard;
        for (Point& p : moved) p = {p.x + ox * Tile, p.y + oy * Tile};
        FillGlass(canvas, Polygon(moved), Glass{tint, 2.0f, 0.3f, 0.6f, 0.5f});
      }
  }
  // Faint stars.
  for (int i = 0; i < 22; ++i) {
    const int x = random.below(Tile), y = random.below(Tile);
    canvas.blend(x, y, Rgb(170, 200, 255), random.between(0.3f, 0.8f));
  }
  return canvas;
}

Bitmap PaintPanelMask() {
  // Under SRCAND white keeps the backdrop and the darkest colour that survives the 5-6-5 conversion
  // nearly blacks it out (black itself would be skipped as the colour key); the fine mix reads as smoked glass.
  Bitmap out{PanelWidth, PanelHeight, std::vector<std::uint32_t>(PanelWidth * PanelHeight)};
  for (int y = 0; y < PanelHeight; ++y)
    for (int x = 0; x < PanelWidth; ++x) out.at(x, y) = PanelKeeps(x, y) ? 0xFFFFFFu : 0x0C060Cu;
  return out;
}

Bitmap PaintPanelPlain() {
  // Drawn colour-keyed: the black cells let the backdrop through, the others are dark glass.
  Bitmap out{PanelWidth, PanelHeight, std::vector<std::uint32_t>(PanelWidth * PanelHeight)};
  for (int y = 0; y < PanelHeight; ++y)
    for (int x = 0; x < PanelWidth; ++x) out.at(x, y) = PanelKeeps(x, y) ? 0x000000u : 0x0A0C26u;
  return out;
}

Canvas PaintLoading() {
  Canvas canvas(400, 150);
  const Shape card = RoundedRect(1, 1, 398, 148, 14);
  Fill(canvas, card, LinearGradient({0, 0}, {0, 150}, {{0, Rgb(24, 30, 74)}, {1, Rgb(12, 10, 36)}}));
  Stroke(canvas, Offset(card, -2.5f), 1.5f, Rgb(60, 150, 230));
  Stroke(canvas, Offset(card, -0.5f), 1.0f, Rgb(120, 80, 220));
  const Canvas title = PaintTitle();
  Composite(canvas, title, 95, 2);
  const Font font = OpenFont(SansBold, 16);
  const int width = font.width("Loading");
  DrawOutlinedText(canvas, font, "Loading", 200 - width / 2 - 1, 108, Rgb(235, 248, 255), Rgb(140, 200, 255),
                   look::Ink);
  // A row of small shards under the word.
  for (int i = 0; i < 7; ++i) {
    const float cx = 176 + 8.0f * i, cy = 136;
    FillGlass(canvas, Polygon({{cx, cy - 4}, {cx + 3, cy}, {cx, cy + 4}, {cx - 3, cy}}),
              Glass{Mix(look::Cyan, look::Magenta, i / 6.0f), 1.2f, 0.3f});
  }
  return canvas;
}

}  // namespace pictures
