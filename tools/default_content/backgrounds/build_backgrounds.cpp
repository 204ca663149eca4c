// Writes the level backgrounds of the Bgd folder: dark, seamless 160 x 160 tiles (160 divides 640 and 480).
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "content/bitmap_file.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/paint/noise.h"
#include "tools/default_content/paint/shapes.h"

using namespace paint;

namespace {

constexpr int Size = 160;

// Wrapped difference on the tile, so distances and shapes continue across the seams.
float Wrapped(float d) { return d - Size * std::round(d / Size); }

void AddStars(Canvas& canvas, std::uint32_t seed, int count, Color tint) {
  Random random(seed);
  for (int i = 0; i < count; ++i) {
    const int x = random.below(Size), y = random.below(Size);
    const float brightness = random.between(0.25f, 1.0f);
    canvas.blend(x, y, Lighten(tint, 0.5f * brightness), 0.5f + 0.5f * brightness);
    if (brightness > 0.85f)  // a few larger stars with a soft cross
      for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        canvas.blend((x + dx + Size) % Size, (y + dy + Size) % Size, tint, 0.35f);
  }
}

Canvas Nebula(Color deep, Color cloudA, Color cloudB, std::uint32_t seed, float strength) {
  Canvas canvas(Size, Size);
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      const float n = TileableFractal(x, y, Size, Size, 2, 2, 5, seed);
      const float m = TileableFractal(x, y, Size, Size, 3, 3, 4, seed * 7 + 1);
      const float cloud = std::clamp((n - 0.36f) * 3.2f, 0.0f, 1.0f) * strength;
      canvas.at(x, y) = Mix(deep, Mix(cloudA, cloudB, m), cloud * cloud);
    }
  return canvas;
}

// Faint lines of a triangle lattice (period 40, so it repeats with the tile).
void AddLattice(Canvas& canvas, Color line, float strength) {
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      const auto near = [](int v) { const int m = ((v % 40) + 40) % 40; return m == 0 || m == 39; };
      if (near(x + y) || near(x - y) || y % 40 == 0) canvas.blend(x, y, line, strength);
    }
}

// Crystal facets: a Voronoi pattern on the torus, each cell lit as a flat face, edges catching the light.
Canvas Facets(Color dark, Color light, Color edge, std::uint32_t seed, int cells) {
  Random random(seed);
  std::vector<Point> sites(cells);
  std::vector<float> lightness(cells), slopeX(cells), slopeY(cells);
  for (int i = 0; i < cells; ++i) {
    sites[i] = {random.between(0, Size), random.between(0, Size)};
    lightness[i] = random.uniform();
    slopeX[i] = random.between(-1, 1), slopeY[i] = random.between(-1, 1);
  }
  Canvas canvas(Size, Size);
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      float best = 1e9f, second = 1e9f;
      int owner = 0;
      for (int i = 0; i < cells; ++i) {
        const float dx = Wrapped(x + 0.5f - sites[i].x), dy = Wrapped(y + 0.5f - sites[i].y);
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d < best) second = best, best = d, owner = i;
        else if (d < second) second = d;
      }
      const float dx = Wrapped(x + 0.5f - sites[owner].x), dy = Wrapped(y + 0.5f - sites[owner].y);
      const float face = std::clamp(lightness[owner] * 0.6f + (dx * slopeX[owner] + dy * slopeY[owner]) / 60.0f, 0.0f, 1.0f);
      Color c = Mix(dark, light, face);
      const float border = second - best;
      if (border < 1.5f) c = Mix(c, edge, 0.6f * (1.5f - border) / 1.5f);
      canvas.at(x, y) = c;
    }
  return canvas;
}

// Jagged cracks across the tile, each a few straight pieces turning a little, drawn with wrapped copies.
void AddCracks(Canvas& canvas, std::uint32_t seed, int count, Color c) {
  Random random(seed);
  for (int i = 0; i < count; ++i) {
    Point a{random.between(0, Size), random.between(0, Size)};
    float angle = random.between(0, 6.2831853f);
    for (int piece = 0; piece < 4; ++piece) {
      const float length = random.between(6, 18);
      const Point b{a.x + std::cos(angle) * length, a.y + std::sin(angle) * length};
      for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox)
          Fill(canvas, Segment({a.x + ox * Size, a.y + oy * Size}, {b.x + ox * Size, b.y + oy * Size}, 0.45f), c);
      a = b;
      angle += random.between(-0.8f, 0.8f);
    }
  }
}

// Copies of `shape` shifted by a whole tile each way, so what crosses a seam comes back on the other side.
void FillWrapped(Canvas& canvas, const std::function<Shape(float dx, float dy)>& shape, Color c) {
  for (int oy = -1; oy <= 1; ++oy)
    for (int ox = -1; ox <= 1; ++ox) Fill(canvas, shape(ox * Size, oy * Size), c);
}

// Printed-circuit traces: runs along a 10-pixel grid that turn by 45 degrees now and then, each ending in a via.
void AddTraces(Canvas& canvas, std::uint32_t seed, int count, Color trace, Color via) {
  Random random(seed);
  constexpr float Step = 10.0f;
  const Point turns[] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (int i = 0; i < count; ++i) {
    Point a{Step * random.below(16) + 0.5f, Step * random.below(16) + 0.5f};
    int heading = random.below(4) * 2;  // start along an axis
    for (int piece = 0, pieces = 2 + random.below(4); piece < pieces; ++piece) {
      const Point d = turns[heading];
      const Point b{a.x + d.x * Step * (1 + random.below(3)), a.y + d.y * Step * (1 + random.below(3))};
      const auto stroke = [&](float dx, float dy) { return Segment({a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}, 0.7f); };
      FillWrapped(canvas, stroke, trace);
      a = b;
      heading = (heading + (random.below(2) == 0 ? 1 : 7)) % 8;
    }
    const auto ring = [&](float dx, float dy) {
      return Subtract(Circle(a.x + dx, a.y + dy, 2.6f), Circle(a.x + dx, a.y + dy, 1.1f));
    };
    FillWrapped(canvas, ring, via);
  }
}

// Curtains of light: noise that changes fast across and slowly down makes tall folds.
Canvas Aurora(Color deep, Color low, Color high, std::uint32_t seed) {
  Canvas canvas(Size, Size);
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      const float sway = 14.0f * std::sin(6.2831853f * y / Size);  // one whole wave per tile keeps the seam
      const float fold = TileableFractal(x + sway, y, Size, Size, 6, 1, 3, seed);
      const float hue = TileableNoise(x, y, Size, Size, 2, 2, seed * 3 + 1);
      const float light = std::clamp((fold - 0.45f) * 2.6f, 0.0f, 1.0f);
      canvas.at(x, y) = Mix(deep, Mix(low, high, hue), 0.8f * light * light);
    }
  return canvas;
}

struct Background {
  std::string name;
  std::function<Canvas()> paint;
};

std::vector<Background> AllBackgrounds() {
  return {
      {"DefaultBackground.bmp",
       [] {
         Canvas c = Nebula(Rgb(6, 8, 26), Rgb(24, 36, 84), Rgb(46, 22, 74), 0xDEF, 1.0f);
         AddLattice(c, Rgb(60, 110, 190), 0.12f);
         AddStars(c, 0xDEF1, 26, Rgb(150, 200, 255));
         return c;
       }},
      {"CrystalCavern.bmp",
       [] {
         Canvas c = Facets(Rgb(8, 10, 30), Rgb(30, 36, 78), Rgb(70, 110, 170), 0xCA7E, 14);
         AddStars(c, 0xCA7F, 8, Rgb(140, 200, 255));
         return c;
       }},
      {"VioletNebula.bmp",
       [] {
         Canvas c = Nebula(Rgb(10, 4, 22), Rgb(90, 26, 100), Rgb(36, 24, 110), 0x7E7, 1.0f);
         AddStars(c, 0x7E8, 34, Rgb(255, 190, 240));
         return c;
       }},
      {"IceField.bmp",
       [] {
         Canvas c = Nebula(Rgb(4, 14, 24), Rgb(14, 48, 66), Rgb(20, 34, 70), 0x1CE, 0.9f);
         AddCracks(c, 0x1CF, 12, Rgb(70, 150, 180, 0.5f));
         AddStars(c, 0x1D0, 12, Rgb(170, 240, 255));
         return c;
       }},
      {"CircuitBoard.bmp",
       [] {
         Canvas c = Nebula(Rgb(4, 14, 12), Rgb(10, 34, 30), Rgb(8, 24, 36), 0xC1C, 0.8f);
         AddTraces(c, 0xC1D, 22, Rgb(34, 92, 70), Rgb(150, 125, 60));
         return c;
       }},
      {"EmberDrift.bmp",
       [] {
         Canvas c = Nebula(Rgb(14, 5, 6), Rgb(140, 48, 14), Rgb(96, 20, 54), 0xE3B, 1.0f);
         AddStars(c, 0xE3C, 36, Rgb(255, 160, 80));
         return c;
       }},
      {"Aurora.bmp",
       [] {
         Canvas c = Aurora(Rgb(3, 7, 18), Rgb(30, 190, 130), Rgb(120, 70, 210), 0xA0A);
         AddStars(c, 0xA0B, 40, Rgb(200, 230, 255));
         return c;
       }},
      {"Starfield.bmp",
       [] {
         Canvas c(Size, Size, Rgb(4, 5, 16));
         AddStars(c, 0x57A2, 60, Rgb(180, 190, 255));
         AddStars(c, 0x57A3, 20, Rgb(255, 170, 220));
         return c;
       }},
  };
}

}  // namespace

bool BuildDefaultBackgrounds(const std::filesystem::path& root, std::string& error) {
  const std::filesystem::path folder = root / "Bgd";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (const Background& background : AllBackgrounds())
    if (!WriteBitmapFile(folder / background.name, ToBitmap(background.paint()), error)) return false;
  return true;
}
