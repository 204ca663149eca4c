// Breakable bricks shut away from every ball path by indestructible ones: the level can never be cleared.
#pragma once
#include <cstdint>

#include "content/level_file.h"
#include "content/tileset_file.h"

struct SealedBricks {
  int count = 0;
  int firstColumn = 0, firstRow = 0;  // the first in reading order (row by row), when count > 0
};

// Where the ball can get from its home side (the first guarded of bottom, top, right, left): breakable bricks open
// as they break, and an explosion clears what it reaches, indestructible bricks included, setting off the
// explosives among them. Tiles past `usableTiles` (or past the tileset) count as empty cells.
SealedBricks FindSealedBricks(const Level& level, const TileSet& tileSet, std::int64_t usableTiles);
