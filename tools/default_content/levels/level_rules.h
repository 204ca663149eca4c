// What a shipped level must satisfy to be playable with its tileset and paddles.
#pragma once
#include <string>

#include "content/level_file.h"
#include "content/playfield_rules.h"
#include "content/tileset_file.h"

// Empty when the level is playable: bricks only on the playfield and out of the paddle bands, no gap one row
// high between indestructible bricks, and every rule the content check has for a level (a guarded side, known
// tiles, something to break, nothing sealed off).
// Otherwise the first problem found.
std::string LevelProblem(const Level& level, const TileSet& tileSet);
