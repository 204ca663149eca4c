// What putting a level on another tileset does to its cells, by tile number, shown before it is done.
#pragma once
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "editor/playfield.h"
#include "editor/tileset_pair.h"

// A tile the level uses that the new tileset lacks (its cells are emptied) or that does something else there.
struct TileChange {
  std::int32_t tile = 0;
  std::vector<Cell> cells;
  QString before;  // DescribeTile in the level's tileset
  QString after;   // DescribeTile in the new tileset; empty when it has no such tile
};

std::vector<TileChange> TileSetChanges(const BrickGrid& grid, const LoadedTileSet& from, const LoadedTileSet& to);
// The grid with the cells of the tiles `to` lacks emptied.
BrickGrid GridWithout(const BrickGrid& grid, const std::vector<TileChange>& changes);
// One line per change: "Tile 7 (3 cells): Hittable; not in B.sft, emptied".
QStringList DescribeChanges(const std::vector<TileChange>& changes, const QString& newName);
// `backdrop` with the grid drawn on `to` and the changed cells framed: red when emptied, amber when changed.
QImage MarkChanges(QImage backdrop, const BrickGrid& grid, const LoadedTileSet& to,
                   const std::vector<TileChange>& changes);

inline constexpr QRgb EmptiedMark = qRgb(230, 40, 40);
inline constexpr QRgb ChangedMark = qRgb(255, 176, 0);
