// Level rules: guarded sides, known tiles, something to break, nothing sealed away, whole damage and animation
// runs; and the plausibility of each tile record.
#include "tools/content_tool/level_quality.h"

#include <algorithm>
#include <array>
#include <set>

#include "content/sealed_bricks.h"

namespace {

constexpr int Columns = GridColumns - 1;  // playfield columns 1 .. 20
constexpr int Rows = GridRows - 1;        // playfield rows 1 .. 30
constexpr std::array<const char*, 5> SideNames = {"", "bottom", "right", "top", "left"};

std::string CellName(int column, int row) {
  return "(" + std::to_string(column) + ", " + std::to_string(row) + ")";
}

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
std::string StageProblem(const LevelBricks& bricks, std::int32_t tile) {
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
std::string AnimationProblem(const LevelBricks& bricks, std::int32_t tile) {
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
int BrickProblems(const LevelBricks& bricks, const std::string& tilesetName, std::vector<std::string>& problems) {
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

void SealedProblem(const LevelBricks& bricks, std::vector<std::string>& problems) {
  const SealedBricks sealed = FindSealedBricks(bricks.level, bricks.tileSet, bricks.usable);
  const std::string first = CellName(sealed.firstColumn, sealed.firstRow);
  const std::string sealedOff = " sealed off by indestructible bricks from every ball path";
  if (sealed.count == 1) problems.push_back("brick " + first + " is" + sealedOff);
  if (sealed.count > 1)
    problems.push_back(std::to_string(sealed.count) + " breakable bricks are" + sealedOff + ", the first at " + first);
}

}  // namespace

std::vector<std::string> LevelQualityProblems(const Level& level, const TileSet& tileSet, std::int64_t usableTiles,
                                              const std::string& tilesetName) {
  std::vector<std::string> problems;
  const std::string unguarded = SideProblems(level, problems);
  if (!unguarded.empty()) problems.push_back(unguarded);
  const std::int64_t usable =
      std::clamp<std::int64_t>(usableTiles, 0, static_cast<std::int64_t>(tileSet.tiles.size()) - 1);
  const LevelBricks bricks{level, tileSet, usable};
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
      if (IsOrphanStage(tileSet.tiles, static_cast<std::size_t>(n)))
        add("hit stage " + std::to_string(t.hitStage) + " of " + std::to_string(t.hitCount) +
            " carries on no brick: tile " + std::to_string(n - 1) + " is not its stage " +
            std::to_string(t.hitStage - 1) + "; mend it in the tileset builder");
    }
    if (!found.empty()) problems.push_back("tile " + std::to_string(n) + ": " + found);
  }
  return problems;
}
