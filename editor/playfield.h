// The playfield as the editor draws it: its size in cells and pixels, and where the paddle strips lie.
#pragma once
#include <QRect>

#include "content/level_file.h"
#include "content/tileset_file.h"

constexpr int PlayColumns = GridColumns - 1;  // columns 1 .. 20 are painted
constexpr int PlayRows = GridRows - 1;        // rows 1 .. 30 are painted
constexpr int PlayfieldWidth = PlayColumns * TileWidth;
constexpr int PlayfieldHeight = PlayRows * TileHeight;
constexpr int StripThickness = 10;
constexpr int StripInset = 10;  // distance of a strip from its edge of the playfield

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

// Where the strip of a guarded side is drawn: along its edge, one strip's width in from it.
inline QRect StripRect(Side side) {
  switch (side) {
    case Bottom: return QRect(0, PlayfieldHeight - StripInset - StripThickness, PlayfieldWidth, StripThickness);
    case Right: return QRect(PlayfieldWidth - StripInset - StripThickness, 0, StripThickness, PlayfieldHeight);
    case Top: return QRect(0, StripInset, PlayfieldWidth, StripThickness);
    case Left: return QRect(StripInset, 0, StripThickness, PlayfieldHeight);
  }
  return {};
}
