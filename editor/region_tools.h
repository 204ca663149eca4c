// Changes of many cells at once: lines, rectangles, ellipses, flood fill, selections, copy and paste, turning,
// mirroring.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/playfield.h"

// Only the playfield (columns 1 .. 20, rows 1 .. 30) is ever changed.

// Every cell on the straight line from `from` to `to`, both ends included, each step to a touching cell.
std::vector<Cell> CellsOnLine(Cell from, Cell to);
// Every cell of the rectangle with corners `a` and `b`, row by row.
std::vector<Cell> CellsInRectangle(Cell a, Cell b);
// The cells joined to `start` through sides (not corners) that hold the same tile as it.
std::vector<Cell> ConnectedCells(const BrickGrid& grid, Cell start);
// Every cell whose centre lies in the ellipse drawn in the rectangle with corners `a` and `b`, row by row.
std::vector<Cell> CellsInEllipse(Cell a, Cell b);

// Selections are lists of playfield cells, each once, row by row.
std::vector<Cell> AllCells();
std::vector<Cell> CellsHolding(const BrickGrid& grid, std::int32_t tile);
// The playfield cells that are not among `cells`.
std::vector<Cell> OtherCells(const std::vector<Cell>& cells);

void SetCells(BrickGrid& grid, const std::vector<Cell>& cells, std::int32_t tile);

// A cell of a block that was not lifted: pasting leaves the level's cell there as it is.
constexpr std::int32_t NoTile = -1;

// A rectangle of cells lifted from a grid.
struct CellBlock {
  int columns = 0;
  int rows = 0;
  std::vector<std::int32_t> tiles;  // row by row
  bool empty() const { return tiles.empty(); }
  std::int32_t at(int column, int row) const { return tiles[static_cast<std::size_t>(row * columns + column)]; }
};

// The smallest block holding `cells`; its other cells are NoTile.
CellBlock CopyBlock(const BrickGrid& grid, const std::vector<Cell>& cells);
// The tiles of a rectangle dragged in the palette from `fromSlot` to `toSlot`, as the palette lays them out: slot
// k in column k / slotsPerColumn, row k % slotsPerColumn. Slot 0 is the eraser; slots past `lastTile` are NoTile.
CellBlock PaletteBlock(int fromSlot, int toSlot, int slotsPerColumn, int lastTile);
// The block's cells with `topLeft` as its first cell; NoTile cells and cells that would fall off the playfield
// are left out.
std::vector<std::pair<Cell, std::int32_t>> BlockCells(const CellBlock& block, Cell topLeft);
void PasteBlock(BrickGrid& grid, const CellBlock& block, Cell topLeft);

// The left half copied mirrored onto the right half; the top half mirrored onto the bottom half.
void MirrorLeftOntoRight(BrickGrid& grid);
void MirrorTopOntoBottom(BrickGrid& grid);

// Turning a block, a selection or a tile. Shooters turn along: a turned cell gets the tileset's tile of the
// turned kind (and otherwise like it); a tileset without one keeps the tile.
enum class Turn { FlipHorizontally, FlipVertically, RotateClockwise, RotateAnticlockwise };

CellBlock TurnBlock(const CellBlock& block, Turn turn);
std::int32_t TurnedKind(std::int32_t kind, Turn turn);
// The tile that is `tile` turned: itself when its kind has no direction or does not change; none when the
// tileset has no tile of the turned kind.
std::optional<std::int32_t> TurnedTile(const TileSet& tileSet, std::int32_t tile, Turn turn);
// Turns the tiles of `block` in place; returns how many kept their tile for want of a turned one.
int TurnTiles(CellBlock& block, const TileSet& tileSet, Turn turn);
GuardedSides TurnSides(const GuardedSides& sides, Turn turn);

// `cells` turned about the middle of the block holding them; cells turned off the playfield are lost.
struct TurnedCells {
  std::vector<Cell> cells;  // where the turned cells lie now
  int kept = 0;             // tiles that kept their direction, as TurnTiles counts them
};
TurnedCells TurnCells(BrickGrid& grid, const std::vector<Cell>& cells, const TileSet& tileSet, Turn turn);
