// The layout of a generated level before it meets a tileset: which cells hold bricks of which band ("tone"),
// metal, charges or shooters, always symmetric about the playfield's middle, and about a middle row when the
// paddles face each other across it.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "content/brick_kinds.h"
#include "content/level_file.h"
#include "content/seed_stream.h"

enum class Role : std::uint8_t { Empty, Brick, Wall, Fuse, Shooter };

struct PlanCell {
  Role role = Role::Empty;
  std::uint8_t tone = 0;  // a Brick's band: bricks of one tone share a material
  ShooterDirections aim;  // a Shooter's
};

// The cells a layout may use, both bounds included. The left edge mirrors the right one about the axis between
// columns AxisColumn and AxisColumn + 1; with foldRows the rows mirror about the middle of top .. bottom too.
struct Area {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool foldRows = false;
};

inline constexpr int AxisColumn = (GridColumns - 1) / 2;  // 10: columns 1 .. 10 mirror 20 .. 11

class Plan {
 public:
  explicit Plan(const Area& area) : area_(area) {}
  const Area& area() const { return area_; }
  const PlanCell& at(int column, int row) const { return cells_[column][row]; }
  // Sets the cell and its mirror images (shooters aimed in mirror too); cells outside the area are left alone.
  void Put(int column, int row, const PlanCell& cell);
  bool Inside(int column, int row) const {
    return column >= area_.left && column <= area_.right && row >= area_.top && row <= area_.bottom;
  }
  // The last row of the upper half when rows fold, else the bottom row: the rows a motif draws.
  int LastDrawnRow() const { return area_.foldRows ? (area_.top + area_.bottom) / 2 : area_.bottom; }
  // How far a row lies from the fold (0 for the rows next to it); rows that do not fold count from the top.
  int FromMiddleRow(int row) const;
  int Count(Role role) const;

 private:
  Area area_;
  std::array<std::array<PlanCell, GridRows>, GridColumns> cells_{};
};

// 0 for the columns next to the axis, AxisColumn - 1 for the outermost.
constexpr int FromAxis(int column) { return column <= AxisColumn ? AxisColumn - column : column - AxisColumn - 1; }

struct Motif {
  const char* name;
  int lowestDifficulty;  // some motifs need the walls of harder levels to look right
  void (*draw)(Plan& plan, SeedStream& random, int difficulty);
};

// The motifs, one row each.
const std::vector<Motif>& Motifs();
