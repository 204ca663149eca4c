// The tileset builder's records apart from its window, and the rules by which a choice fills them in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "content/tileset_file.h"

// What the builder's controls say about the tile on show.
struct TileChoice {
  std::int32_t kind = Hittable;  // 1 .. 4, or a shooter code
  int hits = 1;
  bool animated = false;  // the tile starts an animation of `frames` tiles
  int frames = 2;
  bool operator==(const TileChoice&) const = default;
};

class TileAssignments {
 public:
  // A new tileset over a bitmap of columns x rows cells: tiles numbered column by column, tile 1 Hittable.
  void startNew(int columns, int rows);
  // An existing tileset: its records as they stand (also records beyond the bitmap's cells, kept for saving);
  // the bitmap's other cells numbered but unassigned.
  void startFrom(const TileSet& tileSet, int columns, int rows);
  void clear();

  int totalTiles() const { return totalTiles_; }
  // The tiles the file will hold: every tile the designer moved on from, or that the opened file held.
  int tileCount() const { return tileCount_; }
  int currentTile() const { return currentTile_; }
  // The bitmap's tiles from the current one on.
  int cellsLeft() const { return totalTiles_ - currentTile_ + 1; }
  // Moving on from the current tile to a later one counts every tile before it; going back counts nothing.
  void moveTo(int n);
  // Ending: the tile on show belongs to the tileset when it is the bitmap's last or was counted before; the
  // new tile the designer stopped at does not.
  bool endKeepsCurrent() const { return currentTile_ == totalTiles_ || currentTile_ <= tileCount_; }
  void end();
  const TileDef& tile(int n) const { return tiles_[static_cast<std::size_t>(n)]; }
  const TileDef& current() const { return tile(currentTile_); }
  // Records 1 .. total tiles (or more, for an opened tileset); index 0 is unused.
  const std::vector<TileDef>& tiles() const { return tiles_; }
  // A later frame of an animation takes everything from the animation's first frame.
  bool isLaterFrame(int n) const { return tile(n).frameCount > 1 && tile(n).frameNumber != 1; }
  // A later damage stage whose brick is gone; the designer may give it hits of its own.
  bool isOrphanStage(int n) const { return IsOrphanStage(tiles_, static_cast<std::size_t>(n)); }
  // The current tile is a damage stage whose next stage is not marked yet (its hit count was changed).
  bool nextStagePending() const;

  // Stores the choice into the current tile and the tiles it governs: the frames of an animation it starts,
  // and the next damage stage of a brick with several hits.
  void assign(const TileChoice& choice);
  // Records 1 .. tile count as the file holds them.
  TileSet result() const;

 private:
  TileDef& at(int n) { return tiles_[static_cast<std::size_t>(n)]; }
  void releaseOldFrames(int first);
  void markNextStage(int n, int stage, int count);
  int brickEnd(int first) const;
  void releaseStagesAfter(int first, int end);

  std::vector<TileDef> tiles_;
  int totalTiles_ = 0;
  int tileCount_ = 0;
  int currentTile_ = 1;
};

// Why a tileset would not work as saved, one reason each: its bitmap is not where the game finds it (`bitmapFound`
// false), it holds no tiles, or some of its tiles have no kind (skipped over). Empty when it would work.
std::vector<std::string> SaveProblems(const TileSet& tileSet, bool bitmapFound, const std::string& bitmapName);
