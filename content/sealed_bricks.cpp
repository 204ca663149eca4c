// The ball's reach over a level: a flood from the home side through open and breakable cells, widened by every
// explosion it sets off.
#include "content/sealed_bricks.h"

#include <algorithm>
#include <array>

namespace {

constexpr int Columns = GridColumns - 1;  // playfield columns 1 .. 20
constexpr int Rows = GridRows - 1;        // playfield rows 1 .. 30

using CellFlags = std::array<std::array<bool, GridRows>, GridColumns>;

bool Inside(int column, int row) { return column >= 1 && column <= Columns && row >= 1 && row <= Rows; }

class BallReach {
 public:
  explicit BallReach(const LevelBricks& bricks) : bricks_(bricks) {}

  void Spread(Side home) {
    for (int c = 1; c <= Columns; ++c)
      for (int r = 1; r <= Rows; ++r)
        if (OnEdge(home, c, r) && Open(c, r)) reached_[c][r] = true;
    bool exploded = true;
    while (exploded) {
      Flood();
      exploded = false;
      for (int c = 1; c <= Columns; ++c)
        for (int r = 1; r <= Rows; ++r)
          if (reached_[c][r] && !fired_[c][r] && bricks_.at(c, r) && Blasts(bricks_.at(c, r)->kind)) {
            Fire(c, r);
            exploded = true;
          }
    }
  }
  bool Gone(int column, int row) const { return reached_[column][row] || cleared_[column][row]; }

 private:
  static bool OnEdge(Side side, int column, int row) {
    switch (side) {
      case Bottom: return row == Rows;
      case Top: return row == 1;
      case Right: return column == Columns;
      case Left: return column == 1;
    }
    return false;
  }
  bool Open(int column, int row) const {
    const TileDef* def = bricks_.at(column, row);
    return cleared_[column][row] || !def || MustBreak(def->kind);
  }
  void Flood() {
    bool grew = true;
    while (grew) {
      grew = false;
      for (int c = 1; c <= Columns; ++c)
        for (int r = 1; r <= Rows; ++r) {
          if (reached_[c][r] || !Open(c, r)) continue;
          const bool besideReached = (c > 1 && reached_[c - 1][r]) || (c < Columns && reached_[c + 1][r]) ||
                                     (r > 1 && reached_[c][r - 1]) || (r < Rows && reached_[c][r + 1]);
          if (besideReached) reached_[c][r] = grew = true;
        }
    }
  }
  void Clear(int column, int row) {
    if (!Inside(column, row)) return;
    cleared_[column][row] = true;
    const TileDef* def = bricks_.at(column, row);
    if (def && Blasts(def->kind)) Fire(column, row);
  }
  void Fire(int column, int row) {
    if (fired_[column][row]) return;
    fired_[column][row] = true;
    const std::int32_t kind = bricks_.at(column, row)->kind;
    if (kind == Dynamite) {
      for (int dc = -1; dc <= 1; ++dc)
        for (int dr = -1; dr <= 1; ++dr) Clear(column + dc, row + dr);
      return;
    }
    const ShooterDirections d = ShooterDirectionsOf(kind);
    const auto line = [&](int dc, int dr) {
      for (int c = column + dc, r = row + dr; Inside(c, r); c += dc, r += dr) Clear(c, r);
    };
    if (d.up) line(0, -1);
    if (d.right) line(1, 0);
    if (d.down) line(0, 1);
    if (d.left) line(-1, 0);
  }

  const LevelBricks& bricks_;
  CellFlags reached_{}, cleared_{}, fired_{};
};

Side HomeSide(const Level& level) {
  for (Side side : {Bottom, Top, Right, Left})
    if (level.guardedSides[side] == -1) return side;
  return Bottom;
}

}  // namespace

SealedBricks FindSealedBricks(const Level& level, const TileSet& tileSet, std::int64_t usableTiles) {
  const std::int64_t usable =
      std::clamp<std::int64_t>(usableTiles, 0, static_cast<std::int64_t>(tileSet.tiles.size()) - 1);
  const LevelBricks bricks{level, tileSet, usable};
  BallReach reach(bricks);
  reach.Spread(HomeSide(level));
  SealedBricks sealed;
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Columns; ++c)
      if (bricks.breakable(c, r) && !reach.Gone(c, r) && sealed.count++ == 0) {
        sealed.firstColumn = c;
        sealed.firstRow = r;
      }
  return sealed;
}
