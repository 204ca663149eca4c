// Drawing the playfield's overlays.
#include "editor/playfield_view.h"

#include <QPainter>
#include <cmath>

PlayfieldView::PlayfieldView(QWidget* parent) : PictureBox(parent) {
  setMouseTracking(true);
  zoomTo(1.0);
}

void PlayfieldView::setGridShown(bool shown) {
  gridShown_ = shown;
  update();
}

void PlayfieldView::setPreview(std::vector<PreviewCell> cells) {
  preview_ = std::move(cells);
  update();
}

void PlayfieldView::setSelection(std::vector<Cell> cells) {
  selection_ = std::move(cells);
  update();
}

void PlayfieldView::zoomTo(double scale) {
  setScale(scale);
  // Rounded down, so that a view fitted to its room never needs scroll bars.
  setFixedSize(static_cast<int>(std::floor(PlayfieldWidth * scale)), static_cast<int>(std::floor(PlayfieldHeight * scale)));
}

void PlayfieldView::paintOverlay(QPainter& painter) {
  if (gridShown_) {
    painter.setPen(QPen(QColor(255, 255, 255, 70), 0));
    for (int column = 1; column < PlayColumns; ++column)
      painter.drawLine(column * TileWidth, 0, column * TileWidth, PlayfieldHeight);
    for (int row = 1; row < PlayRows; ++row) painter.drawLine(0, row * TileHeight, PlayfieldWidth, row * TileHeight);
  }
  painter.setOpacity(0.65);
  for (const auto& [cell, image] : preview_) {
    const QRect rect = CellRect(cell);
    if (image.isNull()) {
      painter.fillRect(rect, QColor(0, 0, 0));
    } else {
      painter.drawImage(rect.topLeft(), image);
    }
  }
  painter.setOpacity(1.0);
  painter.setPen(QPen(QColor(255, 235, 120), 0));
  for (const auto& [cell, image] : preview_) painter.drawRect(CellRect(cell).adjusted(0, 0, -1, -1));
  paintSelection(painter);
}

// The selection is tinted and outlined along its border with unselected cells.
void PlayfieldView::paintSelection(QPainter& painter) const {
  BrickGrid selected{};
  for (const Cell cell : selection_) selected[cell.column][cell.row] = 1;
  auto isSelected = [&](int column, int row) { return InPlayfield({column, row}) && selected[column][row] != 0; };
  for (const Cell cell : selection_) painter.fillRect(CellRect(cell), QColor(120, 220, 255, 70));
  // Light dashes over a dark line show on bright tiles and dark backgrounds alike.
  for (const QPen& pen : {QPen(QColor(0, 0, 0, 170), 0), QPen(QColor(120, 220, 255), 0, Qt::DashLine)}) {
    painter.setPen(pen);
    for (const Cell cell : selection_) {
      const QRect rect = CellRect(cell).adjusted(0, 0, -1, -1);
      if (!isSelected(cell.column, cell.row - 1)) painter.drawLine(rect.topLeft(), rect.topRight());
      if (!isSelected(cell.column, cell.row + 1)) painter.drawLine(rect.bottomLeft(), rect.bottomRight());
      if (!isSelected(cell.column - 1, cell.row)) painter.drawLine(rect.topLeft(), rect.bottomLeft());
      if (!isSelected(cell.column + 1, cell.row)) painter.drawLine(rect.topRight(), rect.bottomRight());
    }
  }
}
