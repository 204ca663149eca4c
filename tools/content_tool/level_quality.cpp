// Level rules: guarded sides, known tiles, something to break, nothing sealed away, whole damage and animation
// runs; and the plausibility of each tile record.
#include "tools/content_tool/level_quality.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

constexpr int Columns = GridColumns - 1;  // playfield columns 1 .. 20
constexpr int Rows = GridRows - 1;        // playfield rows 1 .. 30
constexpr std::array<const char*, 5> SideNames = {"", "bottom", "right", "top", "left"};

std::string CellName(int column, int row) {
  return "(" + std::to_string(column) + ", " + std::to_string(row) + ")";
}

// The level's cells seen through its tileset.
struct Bricks {
  const Level& level;
  const TileSet& tileSet;
  std::int64_t usable;

  // The record of the cell's tile; nullptr for an empty cell or a tile the level may not use.
  const TileDef* at(int column, int row) const {
    const std::int32_t tile = level.brickGrid[column][row];
    return tile >= 1 && tile <= usable ? &tileSet.tiles[tile] : nullptr;
  }
  bool breakable(int column, int row) const {
    const TileDef* def = at(column, row);
    return def && IsBrickKind(def->kind) && MustBreak(def->kind);
  }
};

using CellFlags = std::array<std::array<bool, GridRows>, GridColumns>;

bool Inside(int column, int row) { return column >= 1 && column <= Columns && row >= 1 && row <= Rows; }

// Where the ball can get from its paddle: breakable bricks open as they break, and an explosion clears what it
// reaches, indestructible bricks included, setting off the explosives among them.
class BallReach {
 public:
  explicit BallReach(const Bricks& bricks) : bricks_(bricks) {}

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

  const Bricks& bricks_;
  CellFlags reached_{}, cleared_{}, fired_{};
};

std::string SideProblems(const Level& level, std::vector<std::string>& problems) {
  bool guarded = false;
  for (int side = Bottom; side <= Left; ++side) {
    const std::int16_t flag = level.guardedSides[side];
    guarded = guarded || flag == -1;
    if (flag != 0 && flag != -1)
      problems.push_back("the " + std::string(SideNames[side]) + " side's flag is " + std::to_string(flag) +
                         ", not 0 (open) or -1 (guarded)");
  }
  return guarded ? "" : "no side is guarded by a paddle";
}

// The later damage stages of a multi-hit tile must follow it in the tileset.
std::string StageProblem(const Bricks& bricks, std::int32_t tile) {
  const TileDef& def = bricks.tileSet.tiles[tile];
  if (def.kind != Hittable || def.hitStage < 1 || def.hitStage >= def.hitCount) return "";
  for (std::int64_t stage = def.hitStage + 1; stage <= def.hitCount; ++stage) {
    const std::int64_t next = tile + stage - def.hitStage;
    const std::string lead = "tile " + std::to_string(tile) + " takes " + std::to_string(def.hitCount) +
                             " hits, but tile " + std::to_string(next);
    if (next > bricks.usable) return lead + " for its stage " + std::to_string(stage) + " is not in the tileset";
    const TileDef& n = bricks.tileSet.tiles[next];
    if (n.kind != Hittable || n.hitCount != def.hitCount || n.hitStage != stage)
      return lead + " is not its stage " + std::to_string(stage);
  }
  return "";
}

// The whole animation run a tile belongs to must lie in the tileset.
std::string AnimationProblem(const Bricks& bricks, std::int32_t tile) {
  const TileDef& def = bricks.tileSet.tiles[tile];
  if (def.frameCount <= 1 || def.frameNumber < 1 || def.frameNumber > def.frameCount) return "";
  const std::int64_t first = tile - (def.frameNumber - 1), last = first + def.frameCount - 1;
  const std::string lead = "tile " + std::to_string(tile) + " is frame " + std::to_string(def.frameNumber) +
                           " of " + std::to_string(def.frameCount);
  if (last > bricks.usable)
    return lead + ", but its animation runs to tile " + std::to_string(last) + ", past the tileset's " +
           std::to_string(bricks.usable);
  for (std::int64_t t = first; t <= last; ++t) {
    const TileDef& n = bricks.tileSet.tiles[t];
    if (n.frameCount != def.frameCount || n.frameNumber != t - first + 1 || n.kind != def.kind)
      return lead + ", but tile " + std::to_string(t) + " is not frame " + std::to_string(t - first + 1) +
             " of that animation";
  }
  return "";
}

// Per brick: known tile, a kind, whole runs. Each tile's run problem is told once, at its first brick.
int BrickProblems(const Bricks& bricks, const std::string& tilesetName, std::vector<std::string>& problems) {
  int breakable = 0;
  std::set<std::int32_t> toldRuns;
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Columns; ++c) {
      const std::int32_t tile = bricks.level.brickGrid[c][r];
      if (tile == 0) continue;
      const std::string brick = "brick " + CellName(c, r) + " ";
      const TileDef* def = bricks.at(c, r);
      if (!def) {
        problems.push_back(brick + "uses tile " + std::to_string(tile) + ", which is not in the tileset \"" +
                           tilesetName + "\" of " + std::to_string(bricks.usable) + " usable tiles");
        continue;
      }
      if (!IsBrickKind(def->kind)) {
        problems.push_back(brick + "uses tile " + std::to_string(tile) + " of kind " + std::to_string(def->kind) +
                           ", which is no brick: balls pass through it, yet the level waits for it to break");
        continue;
      }
      breakable += bricks.breakable(c, r) ? 1 : 0;
      if (!toldRuns.insert(tile).second) continue;
      for (const std::string& run : {StageProblem(bricks, tile), AnimationProblem(bricks, tile)})
        if (!run.empty()) problems.push_back(brick + "uses " + run);
    }
  return breakable;
}

Side HomeSide(const Level& level) {
  for (Side side : {Bottom, Top, Right, Left})
    if (level.guardedSides[side] == -1) return side;
  return Bottom;
}

void SealedProblem(const Bricks& bricks, std::vector<std::string>& problems) {
  BallReach reach(bricks);
  reach.Spread(HomeSide(bricks.level));
  int sealed = 0;
  std::string first;
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Columns; ++c)
      if (bricks.breakable(c, r) && !reach.Gone(c, r) && sealed++ == 0) first = CellName(c, r);
  const std::string sealedOff = " sealed off by indestructible bricks from every ball path";
  if (sealed == 1) problems.push_back("brick " + first + " is" + sealedOff);
  if (sealed > 1)
    problems.push_back(std::to_string(sealed) + " breakable bricks are" + sealedOff + ", the first at " + first);
}

}  // namespace

std::vector<std::string> LevelQualityProblems(const Level& level, const TileSet& tileSet, std::int64_t usableTiles,
                                              const std::string& tilesetName) {
  std::vector<std::string> problems;
  const std::string unguarded = SideProblems(level, problems);
  if (!unguarded.empty()) problems.push_back(unguarded);
  const std::int64_t usable =
      std::clamp<std::int64_t>(usableTiles, 0, static_cast<std::int64_t>(tileSet.tiles.size()) - 1);
  const Bricks bricks{level, tileSet, usable};
  if (BrickProblems(bricks, tilesetName, problems) == 0) problems.push_back(NothingToBreak);
  else if (unguarded.empty()) SealedProblem(bricks, problems);
  return problems;
}

std::vector<std::string> TileRecordProblems(const TileSet& tileSet, int bitmapWidth, int bitmapHeight) {
  std::vector<std::string> problems;
  const std::int64_t cells = std::int64_t{bitmapWidth / TileWidth} * (bitmapHeight / TileHeight);
  const std::int64_t records =
      std::min<std::int64_t>({tileSet.tileCount, cells, static_cast<std::int64_t>(tileSet.tiles.size()) - 1});
  for (std::int64_t n = 1; n <= records; ++n) {
    const TileDef& t = tileSet.tiles[n];
    std::string found;
    const auto add = [&](const std::string& what) { found += (found.empty() ? "" : "; ") + what; };
    if (t.imageX < 0 || t.imageY < 0 || std::int64_t{t.imageX} + TileWidth > bitmapWidth ||
        std::int64_t{t.imageY} + TileHeight > bitmapHeight)
      add("its picture at (" + std::to_string(t.imageX) + ", " + std::to_string(t.imageY) + ") lies outside the " +
          std::to_string(bitmapWidth) + " x " + std::to_string(bitmapHeight) + " bitmap");
    if (t.kind != 0) {
      if (!IsBrickKind(t.kind)) add("kind " + std::to_string(t.kind) + " is not a brick kind (" + std::to_string(FirstBrickCode) + " to " +
                                  std::to_string(LastBrickCode) + ")");
      if (t.frameCount < 1 || t.frameCount > records || t.frameNumber < 1 || t.frameNumber > t.frameCount)
        add("frame " + std::to_string(t.frameNumber) + " of " + std::to_string(t.frameCount) + " is impossible");
      if (t.hitCount < 1 || t.hitCount > records || t.hitStage < 1 || t.hitStage > t.hitCount)
        add("hit stage " + std::to_string(t.hitStage) + " of " + std::to_string(t.hitCount) + " is impossible");
    }
    if (!found.empty()) problems.push_back("tile " + std::to_string(n) + ": " + found);
  }
  return problems;
}
