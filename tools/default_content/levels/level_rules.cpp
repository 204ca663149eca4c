// What a shipped level must satisfy to be playable with its tileset and paddles.
#include "tools/default_content/levels/level_rules.h"

#include <cstdlib>

#include "tools/content_tool/level_quality.h"

namespace {
constexpr int LastColumn = GridColumns - 1;
constexpr int LastRow = GridRows - 1;

std::string CellName(int column, int row) {
  return "column " + std::to_string(column) + ", row " + std::to_string(row);
}

// Bricks off the playfield or where a paddle moves: the layout problems the shipped levels must not have.
std::string LayoutProblem(const Level& level) {
  for (int c = 0; c <= LastColumn; ++c)
    for (int r = 0; r <= LastRow; ++r) {
      if (level.brickGrid[c][r] == 0) continue;
      if (c == 0 || r == 0) return "a tile outside the playfield at " + CellName(c, r);
      for (int side = Bottom; side <= Left; ++side)
        if (level.guardedSides[side] == -1 && InPaddleBand(static_cast<Side>(side), c, r))
          return "a brick in a paddle's way at " + CellName(c, r);
    }
  return "";
}

std::int32_t KindAt(const Level& level, const TileSet& tileSet, int column, int row) {
  const std::int32_t tile = level.brickGrid[column][row];
  return tile >= 1 && tile <= tileSet.tileCount ? tileSet.tiles[tile].kind : 0;
}

// Indestructible and out of reach of every explosion the level holds.
bool IsLastingMetal(const Level& level, const TileSet& tileSet, int column, int row) {
  if (KindAt(level, tileSet, column, row) != Indestructible) return false;
  for (int c = 1; c <= LastColumn; ++c)
    for (int r = 1; r <= LastRow; ++r) {
      const std::int32_t kind = KindAt(level, tileSet, c, r);
      if (kind == Dynamite && std::abs(c - column) <= 1 && std::abs(r - row) <= 1) return false;
      const ShooterDirections d = ShooterDirectionsOf(kind);
      if ((c == column && ((d.up && row < r) || (d.down && row > r))) ||
          (r == row && ((d.left && column < c) || (d.right && column > c))))
        return false;
    }
  return true;
}

// A ball in a gap one row high between indestructible bricks strikes them by turns on every frame, and a struck
// row holds its sideways step back: it would never leave.
std::string WedgeProblem(const Level& level, const TileSet& tileSet) {
  for (int c = 1; c <= LastColumn; ++c)
    for (int r = 2; r < LastRow; ++r)
      if (KindAt(level, tileSet, c, r) != Indestructible && IsLastingMetal(level, tileSet, c, r - 1) &&
          IsLastingMetal(level, tileSet, c, r + 1))
        return "a gap one row high between indestructible bricks, where a ball would wedge, at " + CellName(c, r);
  return "";
}
}  // namespace

// Paddles are 10 pixels thick, 10 pixels in from their edge, and a ball waits beside them: the two rows or
// the one column nearest each edge.
bool InPaddleBand(Side side, int column, int row) {
  switch (side) {
    case Bottom: return row >= LastRow - 1;
    case Top: return row <= 2;
    case Left: return column == 1;
    case Right: return column == LastColumn;
  }
  return false;
}

std::string LevelProblem(const Level& level, const TileSet& tileSet) {
  if (std::string layout = LayoutProblem(level); !layout.empty()) return layout;
  if (std::string wedge = WedgeProblem(level, tileSet); !wedge.empty()) return wedge;
  const auto problems = LevelQualityProblems(level, tileSet, tileSet.tileCount, level.tilesetName);
  return problems.empty() ? "" : problems.front();
}
