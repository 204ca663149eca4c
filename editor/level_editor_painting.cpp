// The level window's painting: the palette, the mouse on the playfield, the region tools and the zoom.
#include "editor/level_editor.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
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
    case PaintTool::Ellipse:
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
    case PaintTool::SelectSame:
      select(CellsHolding(document_->brickGrid(), document_->brickGrid()[currentCell_.column][currentCell_.row]));
      break;
    case PaintTool::Stamp:
      if (button == Qt::LeftButton) {
        BrickGrid grid = document_->brickGrid();
        PasteBlock(grid, stamp_, currentCell_);
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
    case PaintTool::Ellipse:
      editCells(QStringLiteral("Ellipse"), shapeCells(currentCell_), tileFor(paintButton_));
      break;
    case PaintTool::Line:
      editCells(QStringLiteral("Line"), shapeCells(currentCell_), tileFor(paintButton_));
      break;
    case PaintTool::Select:
      selection_ = shapeCells(currentCell_);
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
  if (tool_ == PaintTool::Line) return CellsOnLine(anchorCell_, to);
  if (tool_ == PaintTool::Ellipse) return CellsInEllipse(anchorCell_, to);
  return CellsInRectangle(anchorCell_, to);
}

// What the designer is about to do, drawn over the playfield under the pointer.
void LevelEditor::showPreview() {
  std::vector<PlayfieldView::PreviewCell> preview;
  const bool shaping =
      painting_ && (tool_ == PaintTool::Rectangle || tool_ == PaintTool::Ellipse || tool_ == PaintTool::Line);
  if (shaping) {
    for (const Cell cell : shapeCells(currentCell_)) preview.emplace_back(cell, brushImage(tileFor(paintButton_)));
  } else if (tool_ == PaintTool::Stamp) {
    for (const auto& [cell, tile] : BlockCells(stamp_, currentCell_)) preview.emplace_back(cell, brushImage(tile));
  } else if (InPlayfield(currentCell_) && tool_ != PaintTool::Select && tool_ != PaintTool::SelectSame) {
    const std::int32_t under = document_->brickGrid()[currentCell_.column][currentCell_.row];
    preview.emplace_back(currentCell_, brushImage(tool_ == PaintTool::Pick ? under : brush_));
  }
  playfield_->setPreview(std::move(preview));
  const bool selecting = painting_ && tool_ == PaintTool::Select;
  playfield_->setSelection(selecting ? shapeCells(currentCell_) : selection_);
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
  if (!selection_.empty())
    PutCellsOnClipboard(CopyBlock(document_->brickGrid(), selection_), document_->tileSet());
}

void LevelEditor::pasteBlock() {
  if (takeClipboardCells()) setTool(PaintTool::Stamp);
}

void LevelEditor::dropSelection() {
  select({});
  if (tool_ == PaintTool::Stamp) setTool(PaintTool::Pencil);
}

void LevelEditor::select(std::vector<Cell> cells) {
  selection_ = std::move(cells);
  playfield_->setSelection(selection_);
}

void LevelEditor::selectAll() { select(AllCells()); }

void LevelEditor::invertSelection() { select(OtherCells(selection_)); }

void LevelEditor::selectBrushTile() { select(CellsHolding(document_->brickGrid(), brush_)); }

void LevelEditor::deleteSelection() { editCells(QStringLiteral("Delete"), selection_, 0); }

// ---- Turning ----

void LevelEditor::turn(Turn turn) {
  if (tool_ == PaintTool::Stamp) {
    reportKeptTiles(TurnTiles(stamp_, tileSet(), turn));
    stamp_ = TurnBlock(stamp_, turn);
    showPreview();
  } else if (!selection_.empty()) {
    turnSelection(turn);
  } else {
    const std::optional<std::int32_t> turned = TurnedTile(tileSet(), brush_, turn);
    reportKeptTiles(turned ? 0 : 1);
    if (turned && *turned <= paletteTiles()) chooseBrush(*turned);
  }
}

// Turning the whole playfield turns the paddles' sides with it.
void LevelEditor::turnSelection(Turn turn) {
  static const std::array<QString, 4> texts{QStringLiteral("Flip horizontally"), QStringLiteral("Flip vertically"),
                                            QStringLiteral("Rotate clockwise"), QStringLiteral("Rotate anticlockwise")};
  LevelEdits edits = document_->edits();
  if (selection_.size() == AllCells().size()) edits.guardedSides = TurnSides(edits.guardedSides, turn);
  TurnedCells turned = TurnCells(edits.brickGrid, selection_, tileSet(), turn);
  document_->edit(texts[static_cast<std::size_t>(turn)], edits);
  select(std::move(turned.cells));
  reportKeptTiles(turned.kept);
}

// A shooter that could not be turned is said in the status bar, which stays until the next turn.
void LevelEditor::reportKeptTiles(int kept) {
  if (kept == 0) {
    if (findChild<QStatusBar*>()) statusBar()->clearMessage();
    return;
  }
  statusBar()->showMessage(
      QStringLiteral("%1 shooter tile(s) kept their direction: the tileset has no tile of the turned kind.").arg(kept));
}

// ---- A block brush dragged in the palette ----

void LevelEditor::dragPalette(int slot) {
  paletteDragTo_ = slot;
  markPaletteSlots(paletteDragFrom_, paletteDragTo_);
}

void LevelEditor::releasePalette() {
  if (paletteDragTo_ != paletteDragFrom_) {
    stamp_ = PaletteBlock(paletteDragFrom_, paletteDragTo_, PaletteSlotsPerColumn, paletteTiles());
    setTool(PaintTool::Stamp);
  }
  markPaletteSlots(brush_, brush_);
  paletteDragTo_ = paletteDragFrom_ = brush_;
}

void LevelEditor::markPaletteSlots(int from, int to) {
  const CellBlock marked = PaletteBlock(from, to, PaletteSlotsPerColumn, paletteTiles());
  for (int slot = 0; slot < PaletteSlots; ++slot)
    paletteSlots_[slot]->setBordered(std::find(marked.tiles.begin(), marked.tiles.end(), slot) != marked.tiles.end());
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
