// What a shipped level must satisfy to be playable with its tileset and paddles.
#pragma once
#include <string>

#include "content/level_file.h"
#include "content/tileset_file.h"

// True when cell (column, row) lies where the paddle of `side` moves or where its ball waits for launch.
bool InPaddleBand(Side side, int column, int row);
// Empty when the level is playable: bricks only on the playfield and out of the paddle bands, no gap one row
// high between indestructible bricks, and every rule the content check has for a level (a guarded side, known
// tiles, something to break, nothing sealed off).
// Otherwise the first problem found.
std::string LevelProblem(const Level& level, const TileSet& tileSet);
