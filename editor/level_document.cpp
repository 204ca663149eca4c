// The level document and its commands.
#include "editor/level_document.h"

#include <QFileInfo>
#include <string>

#include "content/names.h"
#include "editor/editor_pictures.h"

void LevelEditCommand::undo() { document_.applyEdits(before_); }
void LevelEditCommand::redo() { document_.applyEdits(after_); }
void BackgroundCommand::undo() { document_.applyBackground(before_); }
void BackgroundCommand::redo() { document_.applyBackground(after_); }
void TileSetCommand::undo() { document_.applyTileSet(before_, beforeEdits_); }
void TileSetCommand::redo() { document_.applyTileSet(after_, afterEdits_); }

void KeepOneSideGuarded(std::array<std::int16_t, 5>& sides) {
  if (sides[Bottom] == 0 && sides[Right] == 0 && sides[Top] == 0 && sides[Left] == 0) sides[Bottom] = -1;
}

LevelDocument::LevelDocument(EditorFolders folders, QObject* parent)
    : QObject(parent), folders_(std::move(folders)) {
  level_.guardedSides[Bottom] = -1;
  tileSet_.path = folders_.readPath(QStringLiteral("Tls"), QStringLiteral("DefaultTileSet.sft"));
  connect(&undoStack_, &QUndoStack::cleanChanged, this, &LevelDocument::emitFileChanged);
}

void LevelDocument::startNew(const LoadedTileSet& tileSet) {
  undoStack_.clear();
  forgetReloads();
  tileSet_ = tileSet;
  // A new level was read from no file, so its hidden column 0 and row 0 are empty too.
  level_ = Level{};
  level_.guardedSides[Bottom] = -1;
  background_ = Background{};
  currentFile_.clear();
  emit tileSetChanged();
  emit backgroundChanged();
  emit levelChanged();
  emit fileChanged();
}

bool LevelDocument::open(const QString& path, QString& error, QString& warning) {
  Level read;
  std::string why;
  if (!ReadLevelFile(path.toStdString(), read, why)) {
    error = QString::fromStdString(why);
    return false;
  }
  LoadedTileSet tileSet;
  const QString tileSetPath = folders_.readPath(QStringLiteral("Tls"), QString::fromStdString(read.tilesetName));
  if (!LoadTileSetPair(folders_, tileSetPath, tileSet, error)) return false;
  Background background{folders_.readPath(QStringLiteral("Bgd"), QString::fromStdString(read.backgroundName)), {}};
  QString backgroundError;
  if (!LoadBitmapPicture(background.path, background.picture, backgroundError))
    warning = backgroundError + QStringLiteral("\nThe level is shown on a black backdrop; choose a background to "
                                               "repair it. Until then it is saved with the name it had.");

  // Everything is read: only now does the document change.
  // Any value but 0 guards a side in the game; saved back as the usual -1.
  for (int side = Bottom; side <= Left; ++side) read.guardedSides[side] = IsGuarded(read.guardedSides, side) ? -1 : 0;
  KeepOneSideGuarded(read.guardedSides);
  undoStack_.clear();
  forgetReloads();
  level_ = read;
  tileSet_ = tileSet;
  background_ = background;
  currentFile_ = path;
  emit tileSetChanged();
  emit backgroundChanged();
  emit levelChanged();
  emit fileChanged();
  return true;
}

void LevelDocument::moveFile(const QString& path) {
  currentFile_ = path;
  emit fileChanged();
}

Level LevelDocument::levelToSave() const {
  Level out = level_;
  out.tilesetName = FileNameOf(tileSet_.path.toStdString());
  out.backgroundName = background_.path.isEmpty() ? DefaultBackgroundName.toStdString()
                                                   : FileNameOf(background_.path.toStdString());
  return out;
}

bool LevelDocument::save(const QString& path, QString& error) {
  std::string why;
  if (!WriteLevelFile(path.toStdString(), levelToSave(), why)) {
    error = QString::fromStdString(why);
    return false;
  }
  currentFile_ = path;
  undoStack_.setClean();
  emit fileChanged();
  return true;
}

void LevelDocument::setTileSet(const LoadedTileSet& tileSet) {
  tileSet_ = tileSet;
  reloadedTileSets_.insert(tileSet.path, tileSet);
  emit tileSetChanged();
}

void LevelDocument::reloadBackground(const QImage& picture) {
  background_.picture = picture;
  reloadedPictures_.insert(background_.path, picture);
  emit backgroundChanged();
}

void LevelDocument::forgetReloads() {
  reloadedTileSets_.clear();
  reloadedPictures_.clear();
}

void LevelDocument::edit(const QString& text, const LevelEdits& after) {
  if (after != edits()) undoStack_.push(new LevelEditCommand(*this, text, edits(), after));
}

void LevelDocument::editGrid(const QString& text, const BrickGrid& after) {
  edit(text, LevelEdits{after, level_.guardedSides});
}

void LevelDocument::setSideGuarded(Side side, bool guarded) {
  LevelEdits after = edits();
  after.guardedSides[side] = guarded ? -1 : 0;
  KeepOneSideGuarded(after.guardedSides);
  if (after == edits()) {
    emit levelChanged();  // a box clicked without effect shows the sides as they stay
    return;
  }
  edit(QStringLiteral("Change sides"), after);
}

void LevelDocument::changeBackground(const Background& after) {
  if (!(after == background_)) undoStack_.push(new BackgroundCommand(*this, background_, after));
}

void LevelDocument::replaceTileSet(const LoadedTileSet& after, const BrickGrid& grid) {
  undoStack_.push(new TileSetCommand(*this, tileSet_, after, edits(), LevelEdits{grid, level_.guardedSides}));
}

void LevelDocument::beginStroke() {
  inStroke_ = true;
  strokeStart_ = level_.brickGrid;
}

void LevelDocument::paintCell(Cell cell, std::int32_t tile) {
  if (!InPlayfield(cell)) return;
  std::int32_t& value = level_.brickGrid[static_cast<std::size_t>(cell.column)][static_cast<std::size_t>(cell.row)];
  if (value == tile) return;
  value = tile;
  emit cellChanged(cell);
}

void LevelDocument::endStroke() {
  if (!inStroke_) return;
  inStroke_ = false;
  if (level_.brickGrid == strokeStart_) return;
  const LevelEdits after = edits();
  // The stroke is already on screen; the command's first redo sets the same cells again.
  undoStack_.push(new LevelEditCommand(*this, QStringLiteral("Paint"), LevelEdits{strokeStart_, level_.guardedSides},
                                       after));
}

void LevelDocument::applyEdits(const LevelEdits& edits) {
  level_.brickGrid = edits.brickGrid;
  level_.guardedSides = edits.guardedSides;
  emit levelChanged();
}

void LevelDocument::applyBackground(const Background& background) {
  background_ = background;
  background_.picture = reloadedPictures_.value(background.path, background.picture);
  emit backgroundChanged();
}

void LevelDocument::applyTileSet(const LoadedTileSet& tileSet, const LevelEdits& edits) {
  tileSet_ = reloadedTileSets_.value(tileSet.path, tileSet);
  emit tileSetChanged();
  applyEdits(edits);
}
