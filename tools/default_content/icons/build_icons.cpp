// The desktop icons: the game's crystal wall with a ball breaking through, and the editor's grid with a stylus.
#include "tools/default_content/icons/build_icons.h"

#include <array>
#include <cmath>
#include <utility>

#include "content/file_io.h"
#include "content/png_file.h"

namespace icons {

using paint::Color;
using paint::Darken;
using paint::Lighten;
using paint::Point;
using paint::Rgb;
using paint::WithAlpha;

namespace {

const Color Cyan = Rgb(40, 205, 240), Magenta = Rgb(225, 60, 215), Amber = Rgb(255, 175, 50),
            Violet = Rgb(140, 85, 255), PaddleBlue = Rgb(40, 150, 230), Ice = Rgb(225, 248, 255),
            White = Rgb(255, 255, 255);

// --- Shared pieces.

// A brick as the game's tiles cut it, in tile units (32 x 16) from (x, y) at `scale` icon units per unit.
class Brick {
 public:
  Brick(Marks& marks, float x, float y, float scale, float opacity)
      : marks_(marks), x_(x), y_(y), scale_(scale), opacity_(opacity) {}
  Point At(float u, float v) const { return {x_ + u * scale_, y_ + v * scale_}; }
  void Facet(std::vector<Point> tileCorners, const Ink& ink) {
    PolygonOutline outline;
    for (const Point& corner : tileCorners) outline.points.push_back(At(corner.x, corner.y));
    marks_.push_back({outline, Faded(ink)});
  }
  void Box(float u, float v, float w, float h, float radius, const Ink& ink, float strokeWidth = 0) {
    const Point p = At(u, v);
    marks_.push_back({BoxOutline{p.x, p.y, w * scale_, h * scale_, radius * scale_}, Faded(ink), strokeWidth});
  }
  // Light shading down the table, from y = 4 to y = 12 of the tile.
  Ink TableInk(Color top, Color bottom) const { return LinearInk{At(0, 4), At(0, 12), {{0, top}, {1, bottom}}}; }

 private:
  Ink Faded(Ink ink) const {
    auto fade = [this](Color& c) { c.a *= opacity_; };
    if (auto* c = std::get_if<Color>(&ink)) fade(*c);
    if (auto* l = std::get_if<LinearInk>(&ink))
      for (auto& stop : l->stops) fade(stop.color);
    if (auto* r = std::get_if<RadialInk>(&ink))
      for (auto& stop : r->stops) fade(stop.color);
    return ink;
  }
  Marks& marks_;
  float x_, y_, scale_, opacity_;
};

// A four-pointed glint.
PolygonOutline Star(float cx, float cy, float r) {
  const float w = r * 0.22f;
  return {{{cx, cy - r}, {cx + w, cy - w}, {cx + r, cy}, {cx + w, cy + w}, {cx, cy + r}, {cx - w, cy + w},
           {cx - r, cy}, {cx - w, cy - w}}};
}

// A straight band from a to b, `half` wide on each side.
PolygonOutline Bar(Point a, Point b, float half) {
  const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  const float nx = -dy / length * half, ny = dx / length * half;
  return {{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}};
}

// The crystal brick of the game's tilesets: dark outline, four bevels lit from the top left, a table split
// into shards by two slanted cuts, bright cut lines and a glint.
void AddGem(Marks& marks, float x, float y, float scale, Color base, float opacity = 1) {
  Brick brick(marks, x, y, scale, opacity);
  brick.Box(0, 0, 32, 16, 1.2f, Darken(base, 0.62f));
  brick.Facet({{1, 1}, {31, 1}, {28, 4}, {4, 4}}, Lighten(base, 0.45f));
  brick.Facet({{1, 15}, {4, 12}, {28, 12}, {31, 15}}, Darken(base, 0.5f));
  brick.Facet({{1, 1}, {4, 4}, {4, 12}, {1, 15}}, Lighten(base, 0.2f));
  brick.Facet({{31, 1}, {31, 15}, {28, 12}, {28, 4}}, Darken(base, 0.3f));
  const Color top = Lighten(base, 0.18f), bottom = Darken(base, 0.22f);
  brick.Facet({{4, 4}, {14, 4}, {4, 9}}, brick.TableInk(Lighten(top, 0.2f), Lighten(bottom, 0.2f)));
  brick.Facet({{20, 4}, {28, 4}, {28, 8}}, brick.TableInk(Darken(top, 0.2f), Darken(bottom, 0.2f)));
  brick.Facet({{14, 12}, {25, 6.5f}, {28, 8}, {28, 12}}, brick.TableInk(Darken(top, 0.1f), Darken(bottom, 0.1f)));
  brick.Facet({{4, 9}, {14, 4}, {20, 4}, {25, 6.5f}, {14, 12}, {4, 12}},
              brick.TableInk(Lighten(top, 0.06f), Lighten(bottom, 0.06f)));
  const Color cut = WithAlpha(Lighten(base, 0.4f), 0.6f * opacity);
  for (auto [a, b] : {std::pair<Point, Point>{{4, 9}, {14, 4}}, {{20, 4}, {28, 8}}, {{25, 6.5f}, {14, 12}}})
    marks.push_back({Bar(brick.At(a.x, a.y), brick.At(b.x, b.y), 0.3f * scale), cut});
  marks.push_back({Bar(brick.At(5, 4.6f), brick.At(11.5f, 4.6f), 0.45f * scale), WithAlpha(White, 0.7f * opacity)});
  const Point glint = brick.At(25.5f, 5.5f);
  marks.push_back({Star(glint.x, glint.y, 2.2f * scale), WithAlpha(White, 0.9f * opacity)});
}

// The dark rounded square both icons stand on, with a faint nebula and a crystal rim.
void AddBackdrop(Marks& marks) {
  const BoxOutline square{16, 16, 224, 224, 44};
  marks.push_back({square, LinearInk{{0, 16}, {0, 240}, {{0, Rgb(30, 36, 88)}, {1, Rgb(8, 10, 30)}}}});
  marks.push_back({DiscOutline{96, 96, 70}, RadialInk{{96, 96}, 70, {{0, WithAlpha(Violet, 0.28f)},
                                                                       {1, WithAlpha(Violet, 0)}}}});
  marks.push_back({square,
                   LinearInk{{16, 16}, {240, 240}, {{0, Rgb(120, 230, 255, 0.9f)}, {1, Rgb(140, 85, 255, 0.5f)}}},
                   3});
}

Ink Shine(Point from, Point to, Color base) {
  return LinearInk{from, to, {{0, Lighten(base, 0.55f)}, {0.45f, base}, {1, Darken(base, 0.45f)}}};
}

// --- The game: two rows of bricks, the last one just broken into shards by a glowing ball off the paddle.

void AddShards(Marks& marks) {
  const std::vector<std::pair<PolygonOutline, Color>> shards = {
      {{{{150, 104}, {178, 97}, {166, 124}}}, Magenta},
      {{{{190, 116}, {214, 106}, {207, 133}}}, Violet},
      {{{{168, 134}, {187, 128}, {181, 147}}}, Magenta},
      {{{{140, 128}, {152, 122}, {150, 136}}}, Violet}};
  marks.push_back({DiscOutline{176, 120, 44}, RadialInk{{176, 120}, 44, {{0, WithAlpha(White, 0.55f)},
                                                                         {0.4f, WithAlpha(Magenta, 0.3f)},
                                                                         {1, WithAlpha(Magenta, 0)}}}});
  for (const auto& [shard, colour] : shards) {
    const Point a = shard.points[0], c = shard.points[2];
    marks.push_back({shard, Shine(a, c, colour)});
    marks.push_back({shard, WithAlpha(Lighten(colour, 0.6f), 0.8f), 1.2f});
  }
}

void AddBall(Marks& marks) {
  for (auto [x, y, r, alpha] : {std::array<float, 4>{124, 198, 6, 0.25f}, {136, 184, 9, 0.4f}})
    marks.push_back({DiscOutline{x, y, r}, WithAlpha(Rgb(110, 200, 255), alpha)});
  marks.push_back({DiscOutline{150, 168, 30}, RadialInk{{150, 168}, 30, {{0, WithAlpha(Ice, 0.6f)},
                                                                         {0.5f, WithAlpha(Cyan, 0.22f)},
                                                                         {1, WithAlpha(Cyan, 0)}}}});
  marks.push_back({DiscOutline{150, 168, 14},
                   RadialInk{{144, 162}, 22, {{0, White}, {0.35f, Ice}, {1, Rgb(30, 150, 250)}}}});
  marks.push_back({DiscOutline{145, 162, 3.5f}, WithAlpha(White, 0.9f)});
}

void AddPaddle(Marks& marks) {
  const Point top{0, 208}, bottom{0, 224};
  marks.push_back({BoxOutline{64, 208, 128, 16, 8}, Shine(top, bottom, PaddleBlue)});
  marks.push_back({BoxOutline{64, 208, 24, 16, 8}, Shine(top, bottom, Violet)});
  marks.push_back({BoxOutline{168, 208, 24, 16, 8}, Shine(top, bottom, Violet)});
  marks.push_back({BoxOutline{84, 214.5f, 88, 3, 1.5f}, WithAlpha(Ice, 0.6f)});
  marks.push_back({BoxOutline{64, 208, 128, 16, 8}, Darken(PaddleBlue, 0.6f), 1.5f});
}

Marks GameIcon() {
  Marks marks;
  AddBackdrop(marks);
  for (auto [x, y] : {std::pair<float, float>{212, 60}, {48, 196}, {206, 198}})
    marks.push_back({Star(x, y, 5), WithAlpha(Ice, 0.8f)});
  constexpr float scale = 2.75f;  // a brick 88 x 44
  AddGem(marks, 38, 44, scale, Cyan);
  AddGem(marks, 130, 44, scale, Magenta);
  AddGem(marks, 38, 92, scale, Amber);
  AddShards(marks);
  AddBall(marks);
  AddPaddle(marks);
  return marks;
}

// --- The editor: bricks laid on the level grid, the next one placed by a stylus with a crystal nib.

void AddGrid(Marks& marks) {
  const Color line = WithAlpha(Ice, 0.16f);
  for (float x = 40; x <= 216; x += 44) marks.push_back({BoxOutline{x - 0.75f, 40, 1.5f, 176, 0}, line});
  for (float y = 40; y <= 216; y += 22) marks.push_back({BoxOutline{40, y - 0.75f, 176, 1.5f, 0}, line});
}

// Points along the stylus: `along` from the nib's tip towards the end, `across` to its side.
struct Stylus {
  Point tip, along, across;
  Point At(float a, float c) const {
    return {tip.x + along.x * a + across.x * c, tip.y + along.y * a + across.y * c};
  }
  PolygonOutline Band(float from, float to, float halfFrom, float halfTo) const {
    return {{At(from, -halfFrom), At(to, -halfTo), At(to, halfTo), At(from, halfFrom)}};
  }
  Ink Round(Color base) const { return Shine(At(0, -12), At(0, 12), base); }
};

void AddStylus(Marks& marks) {
  const Point tip{170, 108}, end{226, 198};
  const float length = std::hypot(end.x - tip.x, end.y - tip.y);
  const Point along{(end.x - tip.x) / length, (end.y - tip.y) / length};
  const Stylus s{tip, along, {-along.y, along.x}};
  PolygonOutline shadow{{s.At(0, 0), s.At(34, -12), s.At(length, -12), s.At(length, 12), s.At(34, 12)}};
  for (Point& p : shadow.points) p = {p.x + 5, p.y + 6};
  marks.push_back({shadow, WithAlpha(Rgb(0, 0, 0), 0.35f)});
  marks.push_back({s.Band(44, length - 6, 12, 12), s.Round(Violet)});
  marks.push_back({s.Band(length - 6, length, 12, 12), s.Round(Darken(Violet, 0.35f))});
  marks.push_back({s.Band(34, 44, 12, 12), s.Round(Rgb(190, 200, 220))});
  marks.push_back({s.Band(18, 34, 6.5f, 12), s.Round(Amber)});
  marks.push_back({PolygonOutline{{s.At(0, 0), s.At(22, -7.5f), s.At(22, 7.5f)}}, s.Round(Cyan)});
  marks.push_back({Bar(s.At(3, 0), s.At(20, -4), 0.8f), WithAlpha(White, 0.7f)});
  marks.push_back({Star(tip.x, tip.y, 9), WithAlpha(White, 0.95f)});
}

Marks EditorIcon() {
  Marks marks;
  AddBackdrop(marks);
  AddGrid(marks);
  constexpr float scale = 2.75f;  // a brick covers two by two cells of the grid
  AddGem(marks, 40, 40, scale, Cyan);
  AddGem(marks, 128, 40, scale, Magenta);
  AddGem(marks, 40, 84, scale, Amber);
  AddGem(marks, 128, 84, scale, Violet, 0.45f);
  marks.push_back({BoxOutline{128, 84, 88, 44, 3}, WithAlpha(Ice, 0.85f), 2});
  AddStylus(marks);
  return marks;
}

}  // namespace

const std::vector<ProgramIcon>& ProgramIcons() {
  static const std::vector<ProgramIcon> icons = {{SHARDFALL_GAME_ID, GameIcon}, {SHARDFALL_EDITOR_ID, EditorIcon}};
  return icons;
}

}  // namespace icons

bool BuildIcons(const std::filesystem::path& dir, std::string& error) {
  std::error_code failure;
  for (const icons::ProgramIcon& icon : icons::ProgramIcons()) {
    const icons::Marks marks = icon.draw();
    for (int size : icons::PngSizes) {
      const std::filesystem::path folder = dir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
      std::filesystem::create_directories(folder, failure);
      if (!WritePngFile(folder / (icon.name + ".png"), icons::Rasterise(marks, size), true, error)) return false;
    }
    const std::filesystem::path scalable = dir / "scalable" / "apps";
    std::filesystem::create_directories(scalable, failure);
    const std::string svg = icons::SvgText(marks);
    if (!WriteFileAtomically(scalable / (icon.name + ".svg"), Bytes(svg.begin(), svg.end()), error)) return false;
  }
  return true;
}
