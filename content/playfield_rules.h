// Where bricks may lie on the playfield, and the gap between indestructible bricks that traps a ball: the layout
// rules of the shipped levels, which generated levels keep too.
#pragma once
#include <string>

#include "content/level_file.h"
#include "content/tileset_file.h"

// True when cell (column, row) lies where the paddle of `side` moves or where its ball waits for launch.
bool InPaddleBand(Side side, int column, int row);
// Bricks off the playfield or where a guarded side's paddle moves; empty when there are none, else the first.
std::string LayoutProblem(const Level& level);
// True when the cell is a gap one row high between indestructible bricks, or may become one (see the .cpp).
bool WedgesBall(const Level& level, const TileSet& tileSet, int column, int row);
// The first such gap, or empty.
std::string WedgeProblem(const Level& level, const TileSet& tileSet);
