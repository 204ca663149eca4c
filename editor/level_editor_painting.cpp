// The level window's painting: the palette, the mouse on the playfield, the region tools and the zoom.
#include "editor/level_editor.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QScrollArea>
#include <algorithm>

#include "editor/cell_clipboard.h"
#include "editor/picture_box.h"
#include "editor/playfield_view.h"

namespace {

const QRect Playfield(0, 0, PlayfieldWidth, PlayfieldHeight);

}  // namespace

// ---- Palette ----

void LevelEditor::chooseBrush(int slot) {
  paletteSlots_[brush_]->setBordered(false);
  paletteSlots_[brush_]->setHighlighted(false);
  brush_ = slot;
  paletteSlots_[brush_]->setBordered(true);
  paletteSlots_[brush_]->setHighlighted(true);
  showPreview();
}

QImage LevelEditor::brushImage(std::int32_t tile) const { return document_->tileSet().tileImage(tile); }

// ---- The mouse on the playfield ----

void LevelEditor::DrawBrick() { document_->paintCell(currentCell_, brush_); }

void LevelEditor::pressPlayfield(QPoint position, Qt::MouseButton button) {
  if (!Playfield.contains(position)) return;
  if (painting_) releasePlayfield();  // a second button ends what the first began
  currentCell_ = anchorCell_ = CellAt(position);
  paintButton_ = button;
  switch (tool_) {
    case PaintTool::Pencil:
      document_->beginStroke();
      if (button == Qt::LeftButton) {
        DrawBrick();
      } else {
        document_->paintCell(currentCell_, 0);
      }
      painting_ = true;
      break;
    case PaintTool::Rectangle:
    case PaintTool::Line:
    case PaintTool::Select:
      painting_ = true;
      break;
    case PaintTool::Fill:
      fill(currentCell_, tileFor(button));
      break;
    case PaintTool::Pick:
      pick(currentCell_);
      break;
    case PaintTool::Stamp:
      if (button == Qt::LeftButton) {
        BrickGrid grid = document_->brickGrid();
        PasteBlock(grid, clipboard_, currentCell_);
        document_->editGrid(QStringLiteral("Paste"), grid);
      }
      break;
  }
  showPreview();
}

void LevelEditor::movePointer(QPoint position, Qt::MouseButtons buttons) {
  // While a button is held the playfield keeps the mouse, so leaving it arrives here too.
  if (!Playfield.contains(position)) {
    leavePlayfield();
    return;
  }
  const Cell cell = CellAt(position);
  positionLabel_->setText(QStringLiteral("X: %1  Y: %2").arg(cell.column).arg(cell.row));
  if (painting_ && tool_ == PaintTool::Pencil) paintAlong(cell, buttons & Qt::LeftButton ? brush_ : 0);
  currentCell_ = cell;
  showPreview();
}

// A quick drag moves several cells between two reports; every cell on the way is painted.
void LevelEditor::paintAlong(Cell to, std::int32_t tile) {
  for (const Cell cell : CellsOnLine(currentCell_, to)) document_->paintCell(cell, tile);
}

void LevelEditor::releasePlayfield() {
  if (!painting_) return;
  finishShape();
  painting_ = false;
  showPreview();
}

void LevelEditor::finishShape() {
  switch (tool_) {
    case PaintTool::Pencil:
      document_->endStroke();
      break;
    case PaintTool::Rectangle:
      editCells(QStringLiteral("Rectangle"), shapeCells(currentCell_), tileFor(paintButton_));
      break;
    case PaintTool::Line:
      editCells(QStringLiteral("Line"), shapeCells(currentCell_), tileFor(paintButton_));
      break;
    case PaintTool::Select:
      selection_ = std::pair(anchorCell_, currentCell_);
      break;
    default:
      break;
  }
}

void LevelEditor::leavePlayfield() {
  // A stroke ends where the pointer left; a shape still being dragged is dropped.
  if (painting_ && tool_ == PaintTool::Pencil) document_->endStroke();
  painting_ = false;
  positionLabel_->setText(QStringLiteral("X: Y:"));
  playfield_->setSelection(selection_);
  playfield_->setPreview({});
}

std::vector<Cell> LevelEditor::shapeCells(Cell to) const {
  return tool_ == PaintTool::Line ? CellsOnLine(anchorCell_, to) : CellsInRectangle(anchorCell_, to);
}

// What the designer is about to do, drawn over the playfield under the pointer.
void LevelEditor::showPreview() {
  std::vector<PlayfieldView::PreviewCell> preview;
  const bool shaping = painting_ && (tool_ == PaintTool::Rectangle || tool_ == PaintTool::Line);
  if (shaping) {
    for (const Cell cell : shapeCells(currentCell_)) preview.emplace_back(cell, brushImage(tileFor(paintButton_)));
  } else if (tool_ == PaintTool::Stamp) {
    for (const auto& [cell, tile] : BlockCells(clipboard_, currentCell_)) preview.emplace_back(cell, brushImage(tile));
  } else if (InPlayfield(currentCell_) && tool_ != PaintTool::Select) {
    const std::int32_t under = document_->brickGrid()[currentCell_.column][currentCell_.row];
    preview.emplace_back(currentCell_, brushImage(tool_ == PaintTool::Pick ? under : brush_));
  }
  playfield_->setPreview(std::move(preview));
  const bool selecting = painting_ && tool_ == PaintTool::Select;
  playfield_->setSelection(selecting ? std::optional(std::pair(anchorCell_, currentCell_)) : selection_);
}

// ---- Region tools ----

void LevelEditor::editCells(const QString& text, const std::vector<Cell>& cells, std::int32_t tile) {
  BrickGrid grid = document_->brickGrid();
  SetCells(grid, cells, tile);
  document_->editGrid(text, grid);
}

void LevelEditor::fill(Cell start, std::int32_t tile) {
  editCells(QStringLiteral("Fill"), ConnectedCells(document_->brickGrid(), start), tile);
}

void LevelEditor::pick(Cell cell) {
  const std::int32_t tile = document_->brickGrid()[cell.column][cell.row];
  if (tile >= 0 && tile <= paletteTiles()) chooseBrush(tile);
  setTool(toolBeforePick_);
}

void LevelEditor::setTool(PaintTool tool) {
  if (painting_) releasePlayfield();
  if (tool == PaintTool::Pick && tool_ != PaintTool::Pick) toolBeforePick_ = tool_;
  tool_ = tool;
  for (QAction* action : toolActions_->actions()) action->setChecked(action->data().toInt() == static_cast<int>(tool));
  showPreview();
}

void LevelEditor::copySelection() {
  if (selection_)
    PutCellsOnClipboard(CopyBlock(document_->brickGrid(), selection_->first, selection_->second), document_->tileSet());
}

void LevelEditor::pasteBlock() {
  if (takeClipboardCells()) setTool(PaintTool::Stamp);
}

void LevelEditor::dropSelection() {
  selection_.reset();
  playfield_->setSelection(std::nullopt);
  if (tool_ == PaintTool::Stamp) setTool(PaintTool::Pencil);
}

void LevelEditor::mirrorLeftOntoRight() {
  BrickGrid grid = document_->brickGrid();
  MirrorLeftOntoRight(grid);
  document_->editGrid(QStringLiteral("Mirror left to right"), grid);
}

void LevelEditor::mirrorTopOntoBottom() {
  BrickGrid grid = document_->brickGrid();
  MirrorTopOntoBottom(grid);
  document_->editGrid(QStringLiteral("Mirror top to bottom"), grid);
}

// ---- Zoom ----

double LevelEditor::zoom() const { return playfield_->scale(); }

void LevelEditor::setZoom(double scale) {
  zoomFits_ = false;
  playfield_->zoomTo(scale);
}

void LevelEditor::zoomToFit() {
  const QSize room = playfieldScroller_->viewport()->size();
  const double scale = std::min(room.width() / double(PlayfieldWidth), room.height() / double(PlayfieldHeight));
  playfield_->zoomTo(std::max(scale, 0.25));
  zoomFits_ = true;
}
