// Region edits of the brick grid.
#include "editor/region_tools.h"

#include <algorithm>
#include <cstdlib>

#include "content/brick_kinds.h"

namespace {

std::int32_t& At(BrickGrid& grid, Cell cell) {
  return grid[static_cast<std::size_t>(cell.column)][static_cast<std::size_t>(cell.row)];
}

std::int32_t At(const BrickGrid& grid, Cell cell) {
  return grid[static_cast<std::size_t>(cell.column)][static_cast<std::size_t>(cell.row)];
}

// The top-left and bottom-right corners of the smallest rectangle holding `cells`.
std::pair<Cell, Cell> Bounds(const std::vector<Cell>& cells) {
  Cell low = cells.front(), high = cells.front();
  for (const Cell cell : cells) {
    low = {std::min(low.column, cell.column), std::min(low.row, cell.row)};
    high = {std::max(high.column, cell.column), std::max(high.row, cell.row)};
  }
  return {low, high};
}

bool Rotates(Turn turn) { return turn == Turn::RotateClockwise || turn == Turn::RotateAnticlockwise; }

int SideAfter(int side, Turn turn) {
  switch (turn) {
    case Turn::FlipHorizontally: return side == Left ? Right : side == Right ? Left : side;
    case Turn::FlipVertically: return side == Top ? Bottom : side == Bottom ? Top : side;
    case Turn::RotateClockwise: return side == Bottom ? Left : side - 1;
    case Turn::RotateAnticlockwise: return side == Left ? Bottom : side + 1;
  }
  return side;
}

// Two tiles alike but for their kind and their picture.
bool AlikeButKind(TileDef a, const TileDef& b) {
  a.kind = b.kind;
  a.imageX = b.imageX;
  a.imageY = b.imageY;
  return a == b;
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

std::vector<Cell> CellsInEllipse(Cell a, Cell b) {
  // In doubled coordinates about the centre, so that the test stays in whole numbers.
  const int width = std::abs(a.column - b.column) + 1, height = std::abs(a.row - b.row) + 1;
  const long long across = width * width, down = height * height;
  std::vector<Cell> cells;
  for (const Cell cell : CellsInRectangle(a, b)) {
    const long long dx = 2 * cell.column - (a.column + b.column), dy = 2 * cell.row - (a.row + b.row);
    if (dx * dx * down + dy * dy * across <= across * down) cells.push_back(cell);
  }
  return cells;
}

std::vector<Cell> AllCells() { return CellsInRectangle({1, 1}, {PlayColumns, PlayRows}); }

std::vector<Cell> CellsHolding(const BrickGrid& grid, std::int32_t tile) {
  std::vector<Cell> cells;
  for (const Cell cell : AllCells())
    if (At(grid, cell) == tile) cells.push_back(cell);
  return cells;
}

std::vector<Cell> OtherCells(const std::vector<Cell>& cells) {
  BrickGrid marked{};
  SetCells(marked, cells, 1);
  return CellsHolding(marked, 0);
}

void SetCells(BrickGrid& grid, const std::vector<Cell>& cells, std::int32_t tile) {
  for (const Cell cell : cells)
    if (InPlayfield(cell)) At(grid, cell) = tile;
}

CellBlock CopyBlock(const BrickGrid& grid, const std::vector<Cell>& cells) {
  if (cells.empty()) return {};
  const auto [low, high] = Bounds(cells);
  CellBlock block{high.column - low.column + 1, high.row - low.row + 1, {}};
  block.tiles.assign(static_cast<std::size_t>(block.columns * block.rows), NoTile);
  for (const Cell cell : cells)
    if (InPlayfield(cell))
      block.tiles[static_cast<std::size_t>((cell.row - low.row) * block.columns + cell.column - low.column)] =
          At(grid, cell);
  return block;
}

CellBlock PaletteBlock(int fromSlot, int toSlot, int slotsPerColumn, int lastTile) {
  const Cell from{fromSlot / slotsPerColumn, fromSlot % slotsPerColumn};
  const Cell to{toSlot / slotsPerColumn, toSlot % slotsPerColumn};
  CellBlock block{std::abs(from.column - to.column) + 1, std::abs(from.row - to.row) + 1, {}};
  for (const Cell place : CellsInRectangle(from, to)) {
    const int tile = place.column * slotsPerColumn + place.row;
    block.tiles.push_back(tile <= lastTile ? tile : NoTile);
  }
  return block;
}

std::vector<std::pair<Cell, std::int32_t>> BlockCells(const CellBlock& block, Cell topLeft) {
  std::vector<std::pair<Cell, std::int32_t>> cells;
  for (int row = 0; row < block.rows; ++row)
    for (int column = 0; column < block.columns; ++column) {
      const Cell cell{topLeft.column + column, topLeft.row + row};
      if (InPlayfield(cell) && block.at(column, row) != NoTile) cells.emplace_back(cell, block.at(column, row));
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

CellBlock TurnBlock(const CellBlock& block, Turn turn) {
  CellBlock turned = block;
  if (Rotates(turn)) std::swap(turned.columns, turned.rows);
  for (int row = 0; row < turned.rows; ++row)
    for (int column = 0; column < turned.columns; ++column) {
      // Where the turned block's cell comes from in the block.
      Cell from{column, row};
      switch (turn) {
        case Turn::FlipHorizontally: from = {block.columns - 1 - column, row}; break;
        case Turn::FlipVertically: from = {column, block.rows - 1 - row}; break;
        case Turn::RotateClockwise: from = {row, block.rows - 1 - column}; break;
        case Turn::RotateAnticlockwise: from = {block.columns - 1 - row, column}; break;
      }
      turned.tiles[static_cast<std::size_t>(row * turned.columns + column)] = block.at(from.column, from.row);
    }
  return turned;
}

std::int32_t TurnedKind(std::int32_t kind, Turn turn) {
  if (!IsShooter(kind)) return kind;
  const ShooterDirections d = ShooterDirectionsOf(kind);
  switch (turn) {
    case Turn::FlipHorizontally: return ShooterCodeOf({d.up, d.left, d.down, d.right});
    case Turn::FlipVertically: return ShooterCodeOf({d.down, d.right, d.up, d.left});
    case Turn::RotateClockwise: return ShooterCodeOf({d.left, d.up, d.right, d.down});
    case Turn::RotateAnticlockwise: return ShooterCodeOf({d.right, d.down, d.left, d.up});
  }
  return kind;
}

std::optional<std::int32_t> TurnedTile(const TileSet& tileSet, std::int32_t tile, Turn turn) {
  const auto& tiles = tileSet.tiles;
  if (tile <= 0 || tile >= static_cast<std::int32_t>(tiles.size())) return tile;
  const TileDef& def = tiles[static_cast<std::size_t>(tile)];
  const std::int32_t kind = TurnedKind(def.kind, turn);
  if (kind == def.kind) return tile;
  for (std::size_t other = 1; other < tiles.size(); ++other)
    if (tiles[other].kind == kind && AlikeButKind(tiles[other], def)) return static_cast<std::int32_t>(other);
  return std::nullopt;
}

int TurnTiles(CellBlock& block, const TileSet& tileSet, Turn turn) {
  int kept = 0;
  for (std::int32_t& tile : block.tiles) {
    const std::optional<std::int32_t> turned = TurnedTile(tileSet, tile, turn);
    kept += !turned;
    tile = turned.value_or(tile);
  }
  return kept;
}

GuardedSides TurnSides(const GuardedSides& sides, Turn turn) {
  GuardedSides turned = sides;
  for (int side = Bottom; side <= Left; ++side) turned[SideAfter(side, turn)] = sides[side];
  return turned;
}

TurnedCells TurnCells(BrickGrid& grid, const std::vector<Cell>& cells, const TileSet& tileSet, Turn turn) {
  if (cells.empty()) return {};
  CellBlock block = CopyBlock(grid, cells);
  const int kept = TurnTiles(block, tileSet, turn);
  const CellBlock turned = TurnBlock(block, turn);
  // A rotation keeps the middle of the block where it was.
  Cell topLeft = Bounds(cells).first;
  if (Rotates(turn)) topLeft = {topLeft.column + (block.columns - block.rows) / 2,
                                topLeft.row + (block.rows - block.columns) / 2};
  SetCells(grid, cells, 0);
  TurnedCells result{{}, kept};
  for (const auto& [cell, tile] : BlockCells(turned, topLeft)) {
    At(grid, cell) = tile;
    result.cells.push_back(cell);
  }
  return result;
}
