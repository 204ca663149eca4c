// The rules a level must meet to be finishable with its tileset, and the rules for a tileset's records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "content/level_file.h"
#include "content/tileset_file.h"

// One line per problem of the level, without a file name. `usableTiles` is how many of the tileset's tiles a
// level may use (its count, cut to the cells of its bitmap); `tilesetName` names the tileset in the lines.
// The rules: side flags are 0 or -1 and one side is guarded; every brick is a tile of the tileset with a kind;
// something is left to break; no breakable brick is shut away from the ball by indestructible ones; a
// multi-hit brick's later stages and an animated brick's other frames are tiles of the tileset.
std::vector<std::string> LevelQualityProblems(const Level& level, const TileSet& tileSet, std::int64_t usableTiles,
                                              const std::string& tilesetName);

// The message for a level without a brick that can be broken.
inline const std::string NothingToBreak = "nothing to break";

// One line per tile record holding values no tile can have, without a file name. A record of kind 0 is one the
// builder never assigned; only its picture position is checked. `bitmapWidth` x `bitmapHeight` is the size of
// the tileset's bitmap.
std::vector<std::string> TileRecordProblems(const TileSet& tileSet, int bitmapWidth, int bitmapHeight);
