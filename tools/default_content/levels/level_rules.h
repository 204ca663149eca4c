// What a shipped level must satisfy to be playable with its tileset and paddles.
#pragma once
#include <string>

#include "content/level_file.h"
#include "content/tileset_file.h"

// True when cell (column, row) lies where the paddle of `side` moves or where its ball waits for launch.
bool InPaddleBand(Side side, int column, int row);
// Empty when the level is playable: a guarded side, tile numbers of the tileset, paddle bands clear, and at
// least one brick that has to be broken. Otherwise the first problem found.
std::string LevelProblem(const Level& level, const TileSet& tileSet);
