// Comparing a level's tiles on two tilesets.
#include "editor/tileset_replacement.h"

#include <QPainter>
#include <map>

#include "editor/tile_description.h"

namespace {

QString Describe(const LoadedTileSet& tileSet, std::int32_t tile) {
  if (tile > tileSet.usableTiles()) return {};
  return DescribeTile(tile, tileSet.tileSet.tiles[static_cast<std::size_t>(tile)]).section(QStringLiteral(": "), 1);
}

}  // namespace

std::vector<TileChange> TileSetChanges(const BrickGrid& grid, const LoadedTileSet& from, const LoadedTileSet& to) {
  std::map<std::int32_t, TileChange> changes;
  for (int column = 1; column <= PlayColumns; ++column)
    for (int row = 1; row <= PlayRows; ++row) {
      const std::int32_t tile = grid[column][row];
      if (tile <= 0) continue;
      const QString after = Describe(to, tile);
      const QString before = Describe(from, tile);
      if (!after.isEmpty() && after == before) continue;
      TileChange& change = changes[tile];
      change.tile = tile;
      change.before = before;
      change.after = after;
      change.cells.push_back({column, row});
    }
  std::vector<TileChange> list;
  for (auto& [tile, change] : changes) list.push_back(std::move(change));
  return list;
}

BrickGrid GridWithout(const BrickGrid& grid, const std::vector<TileChange>& changes) {
  BrickGrid result = grid;
  for (const TileChange& change : changes)
    if (change.after.isEmpty())
      for (const Cell cell : change.cells) result[cell.column][cell.row] = 0;
  return result;
}

QStringList DescribeChanges(const std::vector<TileChange>& changes, const QString& newName) {
  QStringList lines;
  for (const TileChange& change : changes) {
    const QString cells = change.cells.size() == 1 ? QStringLiteral("1 cell")
                                                   : QStringLiteral("%1 cells").arg(change.cells.size());
    const QString before = change.before.isEmpty() ? QStringLiteral("no tile") : change.before;
    const QString after = change.after.isEmpty() ? QStringLiteral("not in %1, emptied").arg(newName) : change.after;
    lines << QStringLiteral("Tile %1 (%2): %3 \u2192 %4").arg(change.tile).arg(cells, before, after);
  }
  return lines;
}

QImage MarkChanges(QImage backdrop, const BrickGrid& grid, const LoadedTileSet& to,
                   const std::vector<TileChange>& changes) {
  QPainter painter(&backdrop);
  const BrickGrid shown = GridWithout(grid, changes);
  for (int column = 1; column <= PlayColumns; ++column)
    for (int row = 1; row <= PlayRows; ++row)
      if (const std::int32_t tile = shown[column][row]; tile > 0)
        painter.drawImage(CellRect({column, row}).topLeft(), to.tileImage(tile));
  for (const TileChange& change : changes) {
    // Thick enough to stay visible when the picture is shown at half size.
    painter.setPen(QPen(QColor(change.after.isEmpty() ? EmptiedMark : ChangedMark), 4));
    for (const Cell cell : change.cells) painter.drawRect(CellRect(cell).adjusted(2, 2, -2, -2));
  }
  return backdrop;
}
