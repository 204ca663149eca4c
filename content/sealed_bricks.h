// Breakable bricks shut away from every ball path by indestructible ones: the level can never be cleared.
#pragma once
#include <cstdint>

#include "content/brick_kinds.h"
#include "content/level_file.h"
#include "content/tileset_file.h"

// A level's cells seen through its tileset; tiles past `usable` (at most the tileset's last record) count as
// empty cells.
struct LevelBricks {
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

struct SealedBricks {
  int count = 0;
  int firstColumn = 0, firstRow = 0;  // the first in reading order (row by row), when count > 0
};

// Where the ball can get from its home side (the first guarded of bottom, top, right, left): breakable bricks open
// as they break, and an explosion clears what it reaches, indestructible bricks included, setting off the
// explosives among them. Tiles past `usableTiles` (or past the tileset) count as empty cells.
SealedBricks FindSealedBricks(const Level& level, const TileSet& tileSet, std::int64_t usableTiles);
