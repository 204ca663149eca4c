// Copied cells on the system clipboard, so they paste into another level window or another editor.
#pragma once
#include <QString>
#include <cstdint>
#include <map>

#include "editor/region_tools.h"
#include "editor/tileset_pair.h"

// The clipboard holds our cells under this type alone: other programs have nothing to paste from it.
inline const QString CellsMimeType = QStringLiteral("application/x-shardfall-cells");

// A block as copied: its cells and, for each tile it uses, what that tile did in the tileset it came from.
struct CopiedCells {
  CellBlock block;
  QString tileSetName;
  std::map<std::int32_t, QString> tiles;  // tile number -> DescribeTile in the source tileset
};

void PutCellsOnClipboard(const CellBlock& block, const LoadedTileSet& source);
// False when the clipboard holds no cells, or cells that are damaged (wrong size, tiles out of range).
bool TakeCellsFromClipboard(CopiedCells& copied);
// The block for a level on `target`, tile by tile number: a tile `target` lacks leaves its cell empty.
// `warning` names every tile missing or different in `target`; it is empty when the block pastes as copied.
CellBlock FitToTileSet(const CopiedCells& copied, const LoadedTileSet& target, QString& warning);
