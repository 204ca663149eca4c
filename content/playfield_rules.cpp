// Layout rules: the paddle bands kept free, and no gap one row high between indestructible bricks.
#include "content/playfield_rules.h"

namespace {
constexpr int LastColumn = GridColumns - 1;
constexpr int LastRow = GridRows - 1;

std::string CellName(int column, int row) {
  return "column " + std::to_string(column) + ", row " + std::to_string(row);
}

std::int32_t KindAt(const Level& level, const TileSet& tileSet, int column, int row) {
  const std::int32_t tile = level.brickGrid[column][row];
  return tile >= 1 && tile <= tileSet.tileCount && tile < static_cast<std::int32_t>(tileSet.tiles.size())
             ? tileSet.tiles[tile].kind
             : 0;
}

// Metal that a shooter's line clears by itself, leaving the metal above and below it standing.
bool OnShootersRow(const Level& level, const TileSet& tileSet, int column, int row) {
  for (int c = 1; c <= LastColumn; ++c) {
    const ShooterDirections d = ShooterDirectionsOf(KindAt(level, tileSet, c, row));
    if ((d.left && column < c) || (d.right && column > c)) return true;
  }
  return false;
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

// A ball in a gap one row high between indestructible bricks strikes them by turns on every frame and crawls
// out at the pace of its sideways motion alone: a trap, not a design. Such a gap opens where a brick breaks or
// a shooter's row takes one metal brick out of a column; a blast clears three rows at once and makes none. The
// metal above and below counts whatever may clear it later, since explosions come in an order no layout shows.
bool WedgesBall(const Level& level, const TileSet& tileSet, int column, int row) {
  if (column < 1 || column > LastColumn || row < 2 || row >= LastRow) return false;
  const std::int32_t kind = KindAt(level, tileSet, column, row);
  const ShooterDirections d = ShooterDirectionsOf(kind);
  const bool opensAlone = kind == Indestructible ? OnShootersRow(level, tileSet, column, row)
                                                 : kind != Dynamite && !(d.up && d.down);
  return opensAlone && KindAt(level, tileSet, column, row - 1) == Indestructible &&
         KindAt(level, tileSet, column, row + 1) == Indestructible;
}

std::string WedgeProblem(const Level& level, const TileSet& tileSet) {
  for (int c = 1; c <= LastColumn; ++c)
    for (int r = 2; r < LastRow; ++r)
      if (WedgesBall(level, tileSet, c, r))
        return "a gap one row high between indestructible bricks, where a ball would wedge, at " + CellName(c, r);
  return "";
}
