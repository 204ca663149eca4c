// The playfield as the editor draws it: its size in cells and pixels, and where the paddle strips lie.
#pragma once
#include <QRect>

#include "content/level_file.h"
#include "content/playfield.h"
#include "content/tileset_file.h"

constexpr int PlayColumns = GridColumns - 1;  // columns 1 .. 20 are painted
constexpr int PlayRows = GridRows - 1;        // rows 1 .. 30 are painted
static_assert(PlayfieldWidth == PlayColumns * TileWidth && PlayfieldHeight == PlayRows * TileHeight);

// A cell of the playfield, columns 1 .. 20 and rows 1 .. 30.
struct Cell {
  int column = 0;
  int row = 0;
  bool operator==(const Cell&) const = default;
};

inline bool InPlayfield(Cell cell) {
  return cell.column >= 1 && cell.column <= PlayColumns && cell.row >= 1 && cell.row <= PlayRows;
}

// The cell holding a pixel of the playfield picture.
inline Cell CellAt(QPoint pixel) { return {pixel.x() / TileWidth + 1, pixel.y() / TileHeight + 1}; }

inline QRect CellRect(Cell cell) {
  return QRect((cell.column - 1) * TileWidth, (cell.row - 1) * TileHeight, TileWidth, TileHeight);
}

// Where the strip of a guarded side is drawn: where the game puts its paddle, along the whole edge.
inline QRect StripRect(Side side) {
  if (side == Bottom || side == Top) return QRect(0, PaddleFace(side), PlayfieldWidth, PaddleThickness);
  return QRect(PaddleFace(side), 0, PaddleThickness, PlayfieldHeight);
}
