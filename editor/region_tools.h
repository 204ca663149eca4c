// Changes of many cells at once: lines, rectangles, flood fill, copy and paste, mirroring.
#pragma once
#include <cstdint>
#include <vector>

#include "editor/playfield.h"

// Only the playfield (columns 1 .. 20, rows 1 .. 30) is ever changed.

// Every cell on the straight line from `from` to `to`, both ends included, each step to a touching cell.
std::vector<Cell> CellsOnLine(Cell from, Cell to);
// Every cell of the rectangle with corners `a` and `b`, row by row.
std::vector<Cell> CellsInRectangle(Cell a, Cell b);
// The cells joined to `start` through sides (not corners) that hold the same tile as it.
std::vector<Cell> ConnectedCells(const BrickGrid& grid, Cell start);

void SetCells(BrickGrid& grid, const std::vector<Cell>& cells, std::int32_t tile);

// A rectangle of cells lifted from a grid.
struct CellBlock {
  int columns = 0;
  int rows = 0;
  std::vector<std::int32_t> tiles;  // row by row
  bool empty() const { return tiles.empty(); }
  std::int32_t at(int column, int row) const { return tiles[static_cast<std::size_t>(row * columns + column)]; }
};

CellBlock CopyBlock(const BrickGrid& grid, Cell a, Cell b);
// The block's cells with `topLeft` as its first cell; cells that would fall off the playfield are left out.
std::vector<std::pair<Cell, std::int32_t>> BlockCells(const CellBlock& block, Cell topLeft);
void PasteBlock(BrickGrid& grid, const CellBlock& block, Cell topLeft);

// The left half copied mirrored onto the right half; the top half mirrored onto the bottom half.
void MirrorLeftOntoRight(BrickGrid& grid);
void MirrorTopOntoBottom(BrickGrid& grid);
