// The motifs: each draws the left half of its shape (the upper left quarter when rows fold) into a box it picks
// within the area, and Put mirrors it; measures are whole cells counted from the axis and from an edge or the
// middle row, so every shape is exact to the cell.
#include "content/level_layout.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// Where a motif draws: columns AxisColumn - halfWidth + 1 .. AxisColumn, rows top .. bottom.
struct Box {
  int halfWidth = 0, top = 0, bottom = 0;
  bool folded = false;
  int rows() const { return bottom - top + 1; }
  int firstColumn() const { return AxisColumn - halfWidth + 1; }
  // Cells from the box's outer edge: 0 on the outermost column; 0 on the top row (the fold's far side when folded).
  int fromSide(int column) const { return halfWidth - 1 - FromAxis(column); }
  int fromTopOrEdge(int row) const { return folded ? row - top : std::min(row - top, bottom - row); }
  // Rows from the shape's middle: 0 on the middle row (or the two middle rows).
  int fromMiddle(int row) const { return folded ? bottom - row : std::abs(2 * row - top - bottom) / 2; }
};

template <typename Draw>
void EachCell(const Box& box, Draw draw) {
  for (int c = box.firstColumn(); c <= AxisColumn; ++c)
    for (int r = box.top; r <= box.bottom; ++r) draw(c, r);
}

// A box of at least minHalfWidth columns a side and minRows .. maxRows drawn rows (the upper half when folded),
// as wide as the area allows less a random margin; unfolded boxes sit near the area's top.
Box PickBox(const Plan& plan, SeedStream& random, int minHalfWidth, int minRows, int maxRows) {
  const Area& area = plan.area();
  Box box;
  box.folded = area.foldRows;
  const int widest = AxisColumn - area.left + 1;
  box.halfWidth = std::max(std::min(minHalfWidth, widest), widest - random.Below(3));
  const int available = plan.LastDrawnRow() - area.top + 1;
  const int rows = std::clamp(random.Between(minRows, maxRows), 1, available);
  if (box.folded) {
    box.bottom = plan.LastDrawnRow();
    box.top = box.bottom - rows + 1;
  } else {
    box.top = area.top + random.Below(std::min(3, available - rows + 1));
    box.bottom = box.top + rows - 1;
  }
  return box;
}

PlanCell Brick(int tone) { return {Role::Brick, static_cast<std::uint8_t>(tone), {}}; }
PlanCell Wall() { return {Role::Wall, 0, {}}; }

int SquareRoot(int n) {
  int root = 0;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

// Horizontal bands, each a tone, their widths following one of four profiles.
void Bands(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 5, 5, 11);
  const int height = random.Between(1, 2), period = height + random.Below(2) + (height == 1 ? random.Below(2) : 0);
  const int profile = random.Below(4), step = random.Between(1, 2);
  EachCell(box, [&](int c, int r) {
    const int along = box.folded ? box.fromMiddle(r) : r - box.top;
    const int band = along / period;
    if (along % period >= height) return;
    const int shrink = profile == 0 ? 0 : profile == 1 ? band * step : profile == 2 ? (band % 3) * 2 : (band % 2) * 2;
    if (FromAxis(c) < box.halfWidth - std::min(shrink, box.halfWidth / 2)) plan.Put(c, r, Brick(band));
  });
}

// Rings of one cell inside one another, solid or with a free ring between; the outer one metal with doors in
// harder levels.
void Frames(Plan& plan, SeedStream& random, int difficulty) {
  const Box box = PickBox(plan, random, 5, 6, 11);
  const int period = 1 + random.Below(2);
  const bool walled = difficulty >= 5 && box.rows() >= 8 && random.Percent(60);
  const int door = 3;  // columns a side of the middle door
  EachCell(box, [&](int c, int r) {
    const int ring = std::min(box.fromSide(c), box.fromTopOrEdge(r));
    if (walled && ring == 0) {
      const bool doorway = box.fromTopOrEdge(r) == 0 && FromAxis(c) < door;
      if (!doorway) plan.Put(c, r, Wall());
    } else if (!walled && ring % period == 0) {
      plan.Put(c, r, Brick(ring / period));
    } else if (walled && ring >= 2 && (ring - 2) % period == 0) {
      plan.Put(c, r, Brick((ring - 2) / period));
    }
  });
}

// Diamonds drawn to look square: a column is as wide as two rows are high.
void Diamond(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 6, 7, 13);
  const int width = random.Between(2, 3);
  const bool hollow = random.Percent(40);
  const int reach = std::min(2 * box.halfWidth - 1, box.folded ? box.rows() - 1 : box.rows() / 2);
  EachCell(box, [&](int c, int r) {
    const int distance = 2 * FromAxis(c) + box.fromMiddle(r);
    const int ring = distance / width;
    if (distance <= reach && (!hollow || ring % 2 == 0)) plan.Put(c, r, Brick(hollow ? ring / 2 : ring));
  });
}

// Pillars hanging from the top (or standing out from the middle row), their heights in a profile.
void Pillars(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 6, 7, 13);
  const int width = random.Between(1, 2), period = width + random.Between(1, 2), offset = random.Below(period);
  const int profile = random.Below(3), step = random.Between(1, 2);
  EachCell(box, [&](int c, int r) {
    const int x = FromAxis(c) + offset, pillar = x / period;
    if (x % period >= width) return;
    const int along = box.folded ? box.fromMiddle(r) : r - box.top;
    const int shorter = profile == 0 ? pillar * step : profile == 1 ? (box.halfWidth / period - pillar) * step : (pillar % 2) * 3;
    const int height = std::max(3, box.rows() - std::max(0, shorter));
    if (along < height) plan.Put(c, r, Brick(along == height - 1 ? 0 : 1 + pillar % 3));
  });
}

// Squares of one or two cells, either two tones in turn or bricks and holes.
void Checkerboard(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 5, 5, 10);
  const int across = random.Between(1, 2), down = random.Between(1, 2);
  const bool holes = random.Percent(50);
  EachCell(box, [&](int c, int r) {
    const int along = box.folded ? box.fromMiddle(r) : r - box.top;
    const int square = FromAxis(c) / across + along / down;
    if (!holes) plan.Put(c, r, Brick(square % 2 + 2 * (along / down / 3)));
    else if (square % 2 == 0) plan.Put(c, r, Brick(along / down));
  });
}

// Small shapes on a lattice, each a tone by its row of shapes.
void Islands(Plan& plan, SeedStream& random, int) {
  struct Shape { int width, height; const char* cells; };
  static constexpr Shape Shapes[] = {
      {2, 2, "####"}, {3, 1, "###"}, {3, 2, "######"}, {3, 3, ".#.###.#."}, {3, 3, "####.####"}, {2, 3, "######"},
  };
  const Shape& shape = Shapes[random.Below(static_cast<int>(std::size(Shapes)))];
  const Box box = PickBox(plan, random, 6, 6, 12);
  const int stepX = shape.width + random.Between(1, 2), stepY = shape.height + 1 + random.Below(2);
  const int offsetX = random.Below(stepX);
  EachCell(box, [&](int c, int r) {
    const int x = FromAxis(c) + offsetX, y = (box.folded ? box.fromMiddle(r) : r - box.top);
    const int inX = x % stepX, inY = y % stepY;
    if (inX < shape.width && inY < shape.height && shape.cells[inY * shape.width + inX] == '#')
      plan.Put(c, r, Brick(y / stepY));
  });
}

// Rooms, each with a door two cells wide toward the edge the ball comes from and some walls between rooms left
// out. The walls harden with the difficulty: bricks, then metal posts with brick between, then metal floors and
// ceilings with a charge in every room that blows it open.
void Maze(Plan& plan, SeedStream& random, int difficulty) {
  const Area& area = plan.area();
  const int inner = random.Between(3, 4), period = inner + 1;
  const int roomsAcross = std::max(1, (AxisColumn - area.left + 1) / period);
  const int roomsDown = 2 + (difficulty < 8 && random.Percent(50) ? 1 : 0);
  Box box;
  box.folded = area.foldRows;
  box.halfWidth = roomsAcross * period;
  if (box.folded) {
    box.bottom = plan.LastDrawnRow();
    box.top = std::max(area.top, box.bottom - roomsDown * 3);
  } else {
    box.top = area.top + random.Below(2);
    box.bottom = std::min(area.bottom, box.top + roomsDown * 3);
  }
  const int hardness = difficulty >= 8 ? 2 : difficulty >= 5 ? 1 : 0;
  struct Room {
    int door = 0;
    bool open = false;
  };
  std::array<std::array<Room, 4>, 4> rooms{};
  for (auto& row : rooms)
    for (Room& room : row) room = {random.Below(inner - 1), random.Percent(40)};
  EachCell(box, [&](int c, int r) {
    const int x = FromAxis(c), y = box.folded ? r - box.top : box.bottom - r;  // y: 0 on the wall the ball meets
    const int inX = x % period, inY = y % 3;
    const Room& room = rooms[std::min(y / 3, 3)][std::min(x / period, 3)];
    const bool wallColumn = inX == inner, wallRow = inY == 0, side = x + 1 == box.halfWidth;
    if (wallRow && !wallColumn && inX >= room.door && inX < room.door + 2) return;  // the door
    if (wallColumn && !wallRow && room.open && !side) return;
    const bool metal = wallRow && ((hardness == 1 && wallColumn) || hardness == 2);
    if (wallColumn || wallRow) plan.Put(c, r, metal ? Wall() : Brick(0));
    else if (hardness == 2 && inX == inner / 2 && inY == 1) plan.Put(c, r, {Role::Fuse, 0, {}});
    else plan.Put(c, r, Brick(1 + y / 3));
  });
}

// Bands bent into chevrons pointing up (or toward the middle row) or down.
void Chevrons(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 6, 8, 13);
  const int slope = random.Between(1, 2), height = random.Between(1, 2), period = height + 1;
  const bool pointUp = random.Percent(50);
  const int lift = (box.halfWidth - 1) / slope, bands = std::max(2, (box.rows() - lift) / period);
  EachCell(box, [&](int c, int r) {
    const int along = box.folded ? box.fromMiddle(r) : r - box.top;
    const int bend = pointUp ? FromAxis(c) / slope : lift - FromAxis(c) / slope;
    const int k = along - bend;
    if (k >= 0 && k % period < height && k / period < bands) plan.Put(c, r, Brick(k / period));
  });
}

// Round rings, measured in pixels so that they look round, solid or with free rings between.
void Rings(Plan& plan, SeedStream& random, int) {
  const Box box = PickBox(plan, random, 6, 10, 14);
  const int width = random.Between(22, 30);
  const bool hollow = random.Percent(50);
  const int reach = std::min(box.halfWidth * 32, (box.folded ? box.rows() : box.rows() / 2) * 16 + 8);
  EachCell(box, [&](int c, int r) {
    const int x = (2 * FromAxis(c) + 1) * 16;
    const int y = box.folded ? (2 * box.fromMiddle(r) + 1) * 8 : std::abs(2 * r - box.top - box.bottom) * 8;
    const int distance = SquareRoot(x * x + y * y), ring = distance / width;
    if (distance < reach && (!hollow || ring % 2 == 0)) plan.Put(c, r, Brick(hollow ? ring / 2 : ring));
  });
}

}  // namespace

void Plan::Put(int column, int row, const PlanCell& cell) {
  const auto set = [&](int c, int r, PlanCell placed) {
    if (Inside(c, r)) cells_[c][r] = placed;
  };
  PlanCell mirrored = cell;
  std::swap(mirrored.aim.left, mirrored.aim.right);
  const int across = 2 * AxisColumn + 1 - column;
  set(column, row, cell);
  set(across, row, mirrored);
  if (!area_.foldRows) return;
  const int down = area_.top + area_.bottom - row;
  PlanCell flipped = cell, both = mirrored;
  std::swap(flipped.aim.up, flipped.aim.down);
  std::swap(both.aim.up, both.aim.down);
  set(column, down, flipped);
  set(across, down, both);
}

int Plan::FromMiddleRow(int row) const {
  if (!area_.foldRows) return row - area_.top;
  const int last = LastDrawnRow();
  return row <= last ? last - row : row - (area_.top + area_.bottom - last);
}

int Plan::Count(Role role) const {
  int count = 0;
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r) count += cells_[c][r].role == role ? 1 : 0;
  return count;
}

const std::vector<Motif>& Motifs() {
  static const std::vector<Motif> motifs = {
      {"rows", 1, Bands},         {"nested frames", 1, Frames}, {"diamond rings", 1, Diamond},
      {"columns", 1, Pillars},    {"checkerboard", 1, Checkerboard}, {"islands", 1, Islands},
      {"maze rooms", 3, Maze},    {"chevrons", 1, Chevrons},   {"rings", 1, Rings},
  };
  return motifs;
}
