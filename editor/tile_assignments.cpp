// The tileset builder's assignment rules.
#include "editor/tile_assignments.h"

#include <algorithm>

void TileAssignments::startNew(int columns, int rows) {
  totalTiles_ = columns * rows;
  tiles_.assign(static_cast<std::size_t>(totalTiles_) + 1, TileDef{});
  for (int n = 1; n <= totalTiles_; ++n) at(n) = TileDef{0, 1, 1, 1, 1, ImageXOfTile(n, rows), ImageYOfTile(n, rows)};
  at(1).kind = Hittable;
  currentTile_ = 1;
  tileCount_ = 0;
}

void TileAssignments::startFrom(const TileSet& tileSet, int columns, int rows) {
  startNew(columns, rows);
  at(1).kind = 0;
  const std::size_t records = static_cast<std::size_t>(tileSet.tileCount) + 1;
  if (tiles_.size() < records) tiles_.resize(records);
  std::copy(tileSet.tiles.begin() + 1, tileSet.tiles.begin() + static_cast<std::ptrdiff_t>(records), tiles_.begin() + 1);
  tileCount_ = tileSet.tileCount;
}

void TileAssignments::clear() {
  tiles_.clear();
  totalTiles_ = tileCount_ = 0;
  currentTile_ = 1;
}

void TileAssignments::moveTo(int n) {
  n = std::clamp(n, 1, std::max(totalTiles_, 1));
  if (n > currentTile_) tileCount_ = std::max(tileCount_, n - 1);
  currentTile_ = n;
}

void TileAssignments::end() {
  if (endKeepsCurrent()) tileCount_ = std::max(tileCount_, currentTile_);
}

// An animation being rebuilt frees the frames of its old run first.
void TileAssignments::releaseOldFrames(int first) {
  const TileDef& start = tile(first);
  if (start.frameNumber != 1 || start.frameCount <= 1) return;
  const int end = std::min(first + start.frameCount - 1, totalTiles_);
  for (int k = first + 1; k <= end; ++k) {
    TileDef& frame = at(k);
    if (frame.frameNumber != k - first + 1) break;
    frame.frameCount = 1;
    frame.frameNumber = 1;
  }
}

void TileAssignments::markNextStage(int n, int stage, int count) {
  if (n > totalTiles_) return;
  at(n).hitStage = stage;
  at(n).hitCount = count;
}

// The tile after the last one that carries on the brick starting at `first`.
int TileAssignments::brickEnd(int first) const {
  int n = first + 1;
  while (ContinuesBrickBefore(tiles_, static_cast<std::size_t>(n))) ++n;
  return n;
}

// Tiles of the old brick that no longer carry it on become bricks of one hit, so that no orphan stage is left.
void TileAssignments::releaseStagesAfter(int first, int end) {
  for (int n = first + 1; n < end; ++n)
    if (!ContinuesBrickBefore(tiles_, static_cast<std::size_t>(n))) at(n).hitCount = at(n).hitStage = 1;
}

bool TileAssignments::nextStagePending() const {
  const TileDef& t = current();
  const int next = currentTile_ + std::max(t.frameCount, 1);
  if (t.hitStage < 1 || t.hitStage >= t.hitCount || isOrphanStage(currentTile_) || next > totalTiles_) return false;
  return tile(next).hitCount != t.hitCount || tile(next).hitStage != t.hitStage + 1;
}

void TileAssignments::assign(const TileChoice& choice) {
  const int t = currentTile_;
  if (isLaterFrame(t)) return;
  const int oldEnd = brickEnd(t);
  if (isOrphanStage(t)) at(t).hitStage = 1;  // mended: the tile starts a brick of its own
  releaseOldFrames(t);
  TileDef& tile = at(t);
  int frames = 1;
  if (choice.animated) {
    frames = std::min(choice.frames, totalTiles_ - t + 1);  // an animation ends at the last tile
    tile.kind = choice.kind;
  }
  tile.frameNumber = 1;
  tile.frameCount = frames;
  const int next = t + frames;

  const int stage = tile.hitStage;
  if (choice.hits == 1) {
    tile.hitCount = 1;
    tile.hitStage = 1;
  } else if (stage == 1) {
    tile.hitCount = choice.hits;
    markNextStage(next, 2, choice.hits);
  } else if (tile.hitStage < tile.hitCount) {
    markNextStage(next, stage + 1, tile.hitCount);
  }
  if (tile.frameCount == 1) tile.kind = choice.kind;

  // Every frame of an animation is the same brick at the same stage.
  for (int k = t + 1; k < t + frames; ++k) {
    TileDef& frame = at(k);
    frame.frameCount = frames;
    frame.frameNumber = k - t + 1;
    frame.kind = tile.kind;
    frame.hitCount = tile.hitCount;
    frame.hitStage = tile.hitStage;
  }
  releaseStagesAfter(t, oldEnd);
}

TileSet TileAssignments::result() const {
  TileSet tileSet;
  tileSet.tileCount = tileCount_;
  tileSet.tiles.assign(tiles_.begin(), tiles_.begin() + tileCount_ + 1);
  return tileSet;
}

std::vector<std::string> SaveProblems(const TileSet& tileSet, bool bitmapFound, const std::string& bitmapName) {
  std::vector<std::string> problems;
  if (!bitmapFound)
    problems.push_back("Its bitmap " + bitmapName + " is not in Tls as a bitmap the game reads, so the game "
                       "cannot show its tiles.");
  if (tileSet.tileCount < 1) problems.push_back("It holds no tiles: End tileset was pressed on the first tile.");
  std::string unassigned;
  for (std::int32_t n = 1; n <= tileSet.tileCount; ++n)
    if (tileSet.tiles[static_cast<std::size_t>(n)].kind == 0) unassigned += (unassigned.empty() ? "" : ", ") + std::to_string(n);
  if (!unassigned.empty())
    problems.push_back("Tiles " + unassigned + " were skipped and have no kind: levels cannot use them.");
  return problems;
}
