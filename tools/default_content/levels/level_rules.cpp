// What a shipped level must satisfy to be playable with its tileset and paddles.
#include "tools/default_content/levels/level_rules.h"

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
  const auto problems = LevelQualityProblems(level, tileSet, tileSet.tileCount, level.tilesetName);
  return problems.empty() ? "" : problems.front();
}
