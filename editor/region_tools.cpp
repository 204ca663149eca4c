// Region edits of the brick grid.
#include "editor/region_tools.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::int32_t& At(BrickGrid& grid, Cell cell) {
  return grid[static_cast<std::size_t>(cell.column)][static_cast<std::size_t>(cell.row)];
}

std::int32_t At(const BrickGrid& grid, Cell cell) {
  return grid[static_cast<std::size_t>(cell.column)][static_cast<std::size_t>(cell.row)];
}

}  // namespace

std::vector<Cell> CellsOnLine(Cell from, Cell to) {
  // Bresenham's walk: the error term decides at each step whether to move across, down, or both.
  const int dx = std::abs(to.column - from.column);
  const int dy = -std::abs(to.row - from.row);
  const int stepX = from.column < to.column ? 1 : -1;
  const int stepY = from.row < to.row ? 1 : -1;
  int error = dx + dy;
  std::vector<Cell> cells;
  for (Cell cell = from;;) {
    cells.push_back(cell);
    if (cell == to) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      cell.column += stepX;
    }
    if (twice <= dx) {
      error += dx;
      cell.row += stepY;
    }
  }
  return cells;
}

std::vector<Cell> CellsInRectangle(Cell a, Cell b) {
  std::vector<Cell> cells;
  for (int row = std::min(a.row, b.row); row <= std::max(a.row, b.row); ++row)
    for (int column = std::min(a.column, b.column); column <= std::max(a.column, b.column); ++column)
      cells.push_back({column, row});
  return cells;
}

std::vector<Cell> ConnectedCells(const BrickGrid& grid, Cell start) {
  if (!InPlayfield(start)) return {};
  const std::int32_t tile = At(grid, start);
  std::vector<std::vector<bool>> seen(GridColumns, std::vector<bool>(GridRows, false));
  std::vector<Cell> found;
  std::vector<Cell> waiting{start};
  seen[start.column][start.row] = true;
  while (!waiting.empty()) {
    const Cell cell = waiting.back();
    waiting.pop_back();
    found.push_back(cell);
    for (const Cell next : {Cell{cell.column + 1, cell.row}, Cell{cell.column - 1, cell.row},
                            Cell{cell.column, cell.row + 1}, Cell{cell.column, cell.row - 1}}) {
      if (!InPlayfield(next) || seen[next.column][next.row] || At(grid, next) != tile) continue;
      seen[next.column][next.row] = true;
      waiting.push_back(next);
    }
  }
  return found;
}

void SetCells(BrickGrid& grid, const std::vector<Cell>& cells, std::int32_t tile) {
  for (const Cell cell : cells)
    if (InPlayfield(cell)) At(grid, cell) = tile;
}

CellBlock CopyBlock(const BrickGrid& grid, Cell a, Cell b) {
  CellBlock block;
  block.columns = std::abs(a.column - b.column) + 1;
  block.rows = std::abs(a.row - b.row) + 1;
  for (const Cell cell : CellsInRectangle(a, b)) block.tiles.push_back(InPlayfield(cell) ? At(grid, cell) : 0);
  return block;
}

std::vector<std::pair<Cell, std::int32_t>> BlockCells(const CellBlock& block, Cell topLeft) {
  std::vector<std::pair<Cell, std::int32_t>> cells;
  for (int row = 0; row < block.rows; ++row)
    for (int column = 0; column < block.columns; ++column) {
      const Cell cell{topLeft.column + column, topLeft.row + row};
      if (InPlayfield(cell)) cells.emplace_back(cell, block.at(column, row));
    }
  return cells;
}

void PasteBlock(BrickGrid& grid, const CellBlock& block, Cell topLeft) {
  for (const auto& [cell, tile] : BlockCells(block, topLeft)) At(grid, cell) = tile;
}

void MirrorLeftOntoRight(BrickGrid& grid) {
  for (int column = 1; column <= PlayColumns / 2; ++column)
    for (int row = 1; row <= PlayRows; ++row) At(grid, {PlayColumns + 1 - column, row}) = At(grid, {column, row});
}

void MirrorTopOntoBottom(BrickGrid& grid) {
  for (int row = 1; row <= PlayRows / 2; ++row)
    for (int column = 1; column <= PlayColumns; ++column) At(grid, {column, PlayRows + 1 - row}) = At(grid, {column, row});
}
