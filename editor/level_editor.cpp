// The level window: palette, playfield painting, sides, background, and the File menu.
#include "editor/level_editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <cmath>
#include <string>

#include "content/names.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_pictures.h"
#include "editor/level_set_builder.h"
#include "editor/picture_box.h"
#include "editor/tileset_builder.h"

namespace {

constexpr int PlayfieldWidth = 640;
constexpr int PlayfieldHeight = 480;
constexpr int PlayColumns = 20;
constexpr int PlayRows = 30;
constexpr int PaletteLeft = 648;
constexpr int ThumbnailTop = 536;
constexpr int BackgroundBottom = 592;
constexpr QSize ThumbnailSize(225, 57);
const QString DefaultBackgroundName = QStringLiteral("DefaultBackground.bmp");
const QString BackgroundHint = QStringLiteral("Background Pic - Right-click to expand");
const QString TilesetFilter = QStringLiteral("Shardfall Tilesets (*.sft)");
const QString LevelFilter = QStringLiteral("Shardfall Level Files (*.sfl)");
const QString BitmapFilter = QStringLiteral("Bitmap (*.bmp)");
const QString SaveQuestion = QStringLiteral("Do you want to save current level?");

QRect CellRect(int column, int row) {
  return QRect((column - 1) * TileWidth, (row - 1) * TileHeight, TileWidth, TileHeight);
}

int RepeatsToCover(int length, int pictureLength) { return (length + pictureLength - 1) / pictureLength; }

bool NoSideGuarded(const std::array<std::int16_t, 5>& sides) {
  return sides[Bottom] == 0 && sides[Right] == 0 && sides[Top] == 0 && sides[Left] == 0;
}

}  // namespace

frmEditor::frmEditor(const QString& root, EditorDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), root_(root), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmEditor"));
  horizontalStrip_ = HorizontalPaddleStrip();
  verticalStrip_ = VerticalPaddleStrip();
  buildControls();
  buildMenu();
  level_.guardedSides[Bottom] = -1;
  tilesetPath_ = root_ + QStringLiteral("/Tls/DefaultTileSet.sft");
  clearBackground();
  setCaption(QStringLiteral("Shardfall Editor - Untitled"));
  connect(&undoStack_, &QUndoStack::cleanChanged, this, &frmEditor::updateTitle);
  showLevelPicture();  // also when the default tileset cannot be read
  Form_Activate();
}

void frmEditor::buildControls() {
  auto* form = new QWidget(this);
  form->setObjectName(QStringLiteral("FormSurface"));
  form->setFixedSize(PaletteLeft + 5 * 40 + 36 + 8, 600);
  form->setMouseTracking(true);
  form->installEventFilter(this);
  setCentralWidget(form);

  LevelPic = new PictureBox(form);
  LevelPic->setObjectName(QStringLiteral("LevelPic"));
  LevelPic->setGeometry(0, 0, PlayfieldWidth, PlayfieldHeight);
  LevelPic->setMouseTracking(true);
  connect(LevelPic, &PictureBox::pressed, this, &frmEditor::LevelPic_MouseDown);
  connect(LevelPic, &PictureBox::moved, this, &frmEditor::LevelPic_MouseMove);
  connect(LevelPic, &PictureBox::released, this, &frmEditor::LevelPic_MouseUp);

  for (int k = 0; k < PaletteSlots; ++k) {
    auto* slot = new PictureBox(form);
    slot->setObjectName(QStringLiteral("Picture2_%1").arg(k));
    slot->setGeometry(PaletteLeft + (k / 20) * 40, (k % 20) * 24, 36, 20);
    slot->setInset(2);
    connect(slot, &PictureBox::pressed, this, [this, k] { Picture2_MouseDown(k); });
    slot->setVisible(k == 0);
    Picture2[k] = slot;
  }
  Picture2[0]->setPicture(EraserPicture());
  Picture2[0]->setBordered(true);

  Backpic = new PictureBox(form);
  Backpic->setObjectName(QStringLiteral("Backpic"));
  Backpic->setToolTip(QStringLiteral("Click to choose the background; right-click to expand"));
  connect(Backpic, &PictureBox::pressed, this, [this](QPoint, Qt::MouseButton button) { Backpic_MouseDown(button); });

  BackPiclbl = new QLabel(form);
  BackPiclbl->setObjectName(QStringLiteral("BackPiclbl"));
  BackPiclbl->setGeometry(240, ThumbnailTop, 300, ThumbnailSize.height());
  BackPiclbl->setWordWrap(true);
  BackPiclbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* paddles = new QLabel(QStringLiteral("Paddles:"), form);
  paddles->setGeometry(560, 488, 80, 20);
  const std::array<QPoint, 5> compass{QPoint(), QPoint(600, 552), QPoint(625, 530), QPoint(600, 508),
                                      QPoint(575, 530)};
  const std::array<const char*, 5> sideNames{"", "Bottom", "Right", "Top", "Left"};
  for (int side = Bottom; side <= Left; ++side) {
    auto* box = new QCheckBox(form);
    box->setObjectName(QStringLiteral("Check1_%1").arg(side));
    box->setToolTip(QString::fromLatin1(sideNames[side]));
    box->setGeometry(QRect(compass[side], QSize(20, 20)));
    connect(box, &QCheckBox::clicked, this, [this, side] { Check1_Click(side); });
    Check1[side] = box;
  }

  CurPoslbl = new QLabel(QStringLiteral("X: Y:"), form);
  CurPoslbl->setObjectName(QStringLiteral("CurPoslbl"));
  CurPoslbl->setGeometry(8, 492, 150, 20);

  Command1 = new QPushButton(QStringLiteral("&Clear"), form);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(700, 540, 90, 30);
  connect(Command1, &QPushButton::clicked, this, &frmEditor::Command1_Click);
}

void frmEditor::buildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [&](const char* name, const QString& text, QKeySequence keys, auto handler) {
    QAction* action = file->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  add("mnuNew", QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), &frmEditor::mnuNew_Click);
  add("mnuOpen", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O")), &frmEditor::mnuOpen_Click);
  file->addSeparator();
  add("mnuSave", QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), &frmEditor::mnuSave_Click);
  add("mnuSaveAs", QStringLiteral("Save &As"), QKeySequence(QStringLiteral("Ctrl+A")), &frmEditor::mnuSaveAs_Click);
  file->addSeparator();
  add("mnuMakeLevelSet", QStringLiteral("&Make Levelset"), QKeySequence(), &frmEditor::mnuMakeLevelSet_Click);
  add("mnuNewTileset", QStringLiteral("New &Tileset"), QKeySequence(), &frmEditor::mnuNewTileset_Click);
  file->addSeparator();
  add("mnuExit", QStringLiteral("E&xit"), QKeySequence(QStringLiteral("Ctrl+Q")), &frmEditor::mnuExit_Click);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = undoStack_.createUndoAction(this, QStringLiteral("&Undo"));
  undo->setObjectName(QStringLiteral("mnuUndo"));
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = undoStack_.createRedoAction(this, QStringLiteral("&Redo"));
  redo->setObjectName(QStringLiteral("mnuRedo"));
  redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
  edit->addAction(undo);
  edit->addAction(redo);
}

// ---- Tileset and palette ----

bool frmEditor::readTileSet(const QString& path, LoadedTileSet& out) {
  const QString bitmapPath = QString::fromStdString(ReplaceLastThree(path.toStdString(), "bmp"));
  QString error;
  if (!LoadBitmapPicture(bitmapPath, out.bitmap, error)) {
    dialogs_.error(this, QStringLiteral("Could not read the tileset %1.\n%2").arg(path, error));
    return false;
  }
  // Conforming bitmaps divide exactly; others round to the nearest cell count.
  const int columns = static_cast<int>(std::nearbyint(out.bitmap.width() / double(TileWidth)));
  const int rows = static_cast<int>(std::nearbyint(out.bitmap.height() / double(TileHeight)));
  std::string why;
  if (!ReadTileSetFile(path.toStdString(), columns, rows, out.tileSet, why)) {
    dialogs_.error(this, QStringLiteral("Could not read the tileset %1.\n%2").arg(path, QString::fromStdString(why)));
    return false;
  }
  out.path = path;
  return true;
}

void frmEditor::showTileSet(const LoadedTileSet& loaded) {
  tilesetPath_ = loaded.path;
  tileSet_ = loaded.tileSet;
  tileBitmap_ = loaded.bitmap;
  hidePalette();
  const int shown = std::min<int>(tileSet_.tileCount, PaletteSlots - 1);
  for (int k = 1; k <= shown; ++k) {
    const TileDef& tile = tileSet_.tiles[static_cast<std::size_t>(k)];
    Picture2[k]->setPicture(TileImage(tileBitmap_, tile.imageX, tile.imageY));
    Picture2[k]->show();
  }
  if (brush_ > shown) Picture2_MouseDown(0);
}

bool frmEditor::OpenTileSet(const QString& path) {
  LoadedTileSet loaded;
  if (!readTileSet(path, loaded)) return false;
  showTileSet(loaded);
  showLevelPicture();
  return true;
}

void frmEditor::hidePalette() {
  for (int k = 1; k < PaletteSlots; ++k) Picture2[k]->hide();
}

void frmEditor::Picture2_MouseDown(int index) {
  Picture2[brush_]->setBordered(false);
  brush_ = index;
  Picture2[brush_]->setBordered(true);
}

QImage frmEditor::tileImageOf(int tile) const {
  if (tile < 1 || tile > tileSet_.tileCount) return {};
  const TileDef& def = tileSet_.tiles[static_cast<std::size_t>(tile)];
  return TileImage(tileBitmap_, def.imageX, def.imageY);
}

// ---- Drawing the playfield ----

void frmEditor::drawStrips(QImage& target) {
  QPainter painter(&target);
  if (level_.guardedSides[Bottom] == -1) painter.drawImage(0, 460, horizontalStrip_);
  if (level_.guardedSides[Right] == -1) painter.drawImage(620, 0, verticalStrip_);
  if (level_.guardedSides[Top] == -1) painter.drawImage(0, 10, horizontalStrip_);
  if (level_.guardedSides[Left] == -1) painter.drawImage(10, 0, verticalStrip_);
}

void frmEditor::TileBack() {
  copyImage_ = BlackPicture(PlayfieldWidth, PlayfieldHeight);
  if (backgroundShown_) {
    // Copies that stick out past the playfield are cut by the picture's own edge.
    QPainter painter(&copyImage_);
    for (int j = 0; j < repeatsDown_; ++j)
      for (int i = 0; i < repeatsAcross_; ++i)
        painter.drawImage(i * backgroundWidth_, j * backgroundHeight_, backgroundImage_);
  }
  levelImage_ = copyImage_.copy();
  drawStrips(levelImage_);
  LevelPic->setPicture(levelImage_);
}

void frmEditor::TileBricks() {
  QPainter painter(&levelImage_);
  for (int column = 1; column <= PlayColumns; ++column)
    for (int row = 1; row <= PlayRows; ++row)
      if (level_.brickGrid[column][row] > 0)
        painter.drawImage(CellRect(column, row).topLeft(), tileImageOf(level_.brickGrid[column][row]));
  painter.end();
  LevelPic->setPicture(levelImage_);
}

void frmEditor::showLevelPicture() {
  TileBack();
  TileBricks();
}

// An emptied cell shows the background and any paddle strip again.
void frmEditor::redrawCell(int column, int row) {
  const QRect cell = CellRect(column, row);
  QImage patch = copyImage_.copy();
  drawStrips(patch);
  QPainter painter(&levelImage_);
  painter.drawImage(cell.topLeft(), patch, cell);
  if (level_.brickGrid[column][row] > 0) painter.drawImage(cell.topLeft(), tileImageOf(level_.brickGrid[column][row]));
  painter.end();
  LevelPic->setPicture(levelImage_);
}

void frmEditor::setCell(int column, int row, int tile) {
  if (level_.brickGrid[column][row] == tile) return;
  level_.brickGrid[column][row] = tile;
  redrawCell(column, row);
}

void frmEditor::DrawBrick() { setCell(currentColumn_, currentRow_, brush_); }

void frmEditor::eraseCell() { setCell(currentColumn_, currentRow_, 0); }

// ---- Mouse on the playfield ----

void frmEditor::LevelPic_MouseDown(QPoint position, Qt::MouseButton button) {
  if (!QRect(0, 0, PlayfieldWidth, PlayfieldHeight).contains(position)) return;
  currentColumn_ = position.x() / TileWidth + 1;
  currentRow_ = position.y() / TileHeight + 1;
  strokeStart_ = level_.brickGrid;
  if (button == Qt::LeftButton) {
    DrawBrick();
  } else {
    eraseCell();
  }
  painting_ = true;
}

void frmEditor::LevelPic_MouseMove(QPoint position, Qt::MouseButtons buttons) {
  // While a button is held the playfield keeps the mouse, so leaving it arrives here too.
  if (!QRect(0, 0, PlayfieldWidth, PlayfieldHeight).contains(position)) {
    Form_MouseMove();
    return;
  }
  currentColumn_ = position.x() / TileWidth + 1;
  currentRow_ = position.y() / TileHeight + 1;
  CurPoslbl->setText(QStringLiteral("X: %1  Y: %2").arg(currentColumn_).arg(currentRow_));
  if (!painting_) return;
  if (buttons & Qt::LeftButton) {
    DrawBrick();
  } else {
    eraseCell();
  }
}

void frmEditor::LevelPic_MouseUp() { endStroke(); }

void frmEditor::Form_MouseMove() {
  endStroke();
  CurPoslbl->setText(QStringLiteral("X: Y:"));
}

bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::MouseMove) Form_MouseMove();
  return QMainWindow::eventFilter(watched, event);
}

void frmEditor::endStroke() {
  if (!painting_) return;
  painting_ = false;
  if (level_.brickGrid != strokeStart_)
    pushEdit(QStringLiteral("Paint"), LevelEdits{strokeStart_, level_.guardedSides}, currentEdits());
}

// ---- Undoable edits ----

LevelEdits frmEditor::currentEdits() const { return LevelEdits{level_.brickGrid, level_.guardedSides}; }

void frmEditor::pushEdit(const QString& text, const LevelEdits& before, const LevelEdits& after) {
  undoStack_.push(new LevelEditCommand(text, before, after, [this](const LevelEdits& edits) { applyEdits(edits); }));
}

void frmEditor::applyEdits(const LevelEdits& edits) {
  level_.brickGrid = edits.brickGrid;
  level_.guardedSides = edits.guardedSides;
  syncSideBoxes();
  showLevelPicture();
}

// ---- Sides, clearing, background ----

void frmEditor::syncSideBoxes() {
  for (int side = Bottom; side <= Left; ++side) Check1[side]->setChecked(level_.guardedSides[side] == -1);
}

void frmEditor::Check1_Click(int index) {
  LevelEdits after = currentEdits();
  after.guardedSides[index] = Check1[index]->isChecked() ? -1 : 0;
  if (NoSideGuarded(after.guardedSides)) after.guardedSides[Bottom] = -1;  // a level keeps one paddle
  if (after == currentEdits()) {
    syncSideBoxes();
    return;
  }
  pushEdit(QStringLiteral("Change sides"), currentEdits(), after);
}

void frmEditor::Command1_Click() {
  if (dialogs_.message(this, QMessageBox::Question, QStringLiteral("Clear Level"),
                       QStringLiteral("Are you sure you want to clear the level?"),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  LevelEdits after = currentEdits();
  for (int column = 1; column <= PlayColumns; ++column)
    for (int row = 1; row <= PlayRows; ++row) after.brickGrid[column][row] = 0;
  if (after != currentEdits()) pushEdit(QStringLiteral("Clear"), currentEdits(), after);
}

void frmEditor::setBackground(const QString& path, const QImage& picture) {
  backgroundPath_ = path;
  backgroundImage_ = picture;
  backgroundWidth_ = picture.width();
  backgroundHeight_ = picture.height();
  repeatsAcross_ = RepeatsToCover(PlayfieldWidth, backgroundWidth_);
  repeatsDown_ = RepeatsToCover(PlayfieldHeight, backgroundHeight_);
  backgroundShown_ = true;
  BackPiclbl->setText(path + QLatin1Char('\n') + BackgroundHint);
  Backpic->setPicture(picture);
  showBackgroundThumbnail();
}

void frmEditor::clearBackground() {
  backgroundPath_.clear();
  backgroundImage_ = QImage();
  backgroundWidth_ = 320;
  backgroundHeight_ = 240;
  repeatsAcross_ = RepeatsToCover(PlayfieldWidth, backgroundWidth_);
  repeatsDown_ = RepeatsToCover(PlayfieldHeight, backgroundHeight_);
  backgroundShown_ = false;
  BackPiclbl->setText(QLatin1Char('\n') + BackgroundHint);
  Backpic->setPicture(ClickToSetPicture());
  showBackgroundThumbnail();
}

void frmEditor::showBackgroundThumbnail() {
  backgroundExpanded_ = false;
  Backpic->setGeometry(QRect(QPoint(8, ThumbnailTop), ThumbnailSize));
}

void frmEditor::Backpic_MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton) {
    backgroundExpanded_ = !backgroundExpanded_;
    if (!backgroundExpanded_) {
      showBackgroundThumbnail();
      return;
    }
    const QSize full = Backpic->picture().size();
    Backpic->setGeometry(8, BackgroundBottom - full.height(), full.width(), full.height());
    Backpic->raise();
    return;
  }
  const QString path = dialogs_.openFileName(this, root_ + QStringLiteral("/Bgd"), BitmapFilter);
  if (path.isEmpty()) return;
  QImage picture;
  QString error;
  if (!LoadBitmapPicture(path, picture, error)) {
    dialogs_.error(this, error);
    return;
  }
  setBackground(path, picture);
  showLevelPicture();
  backgroundChanged_ = true;
  updateTitle();
}

// ---- Files ----

void frmEditor::NewLevel() {
  const QString path = dialogs_.openFileName(this, root_ + QStringLiteral("/Tls"), TilesetFilter);
  if (path.isEmpty()) return;
  LoadedTileSet loaded;
  if (!readTileSet(path, loaded)) return;
  showTileSet(loaded);
  clearBackground();
  Picture2_MouseDown(0);
  painting_ = false;
  hasFileName_ = false;
  currentFile_.clear();
  // A new level was read from no file, so its hidden column 0 and row 0 are empty too.
  level_ = Level{};
  level_.guardedSides[Bottom] = -1;
  syncSideBoxes();
  undoStack_.clear();
  backgroundChanged_ = false;
  setCaption(QStringLiteral("Shardfall Editor - Untitled"));
  showLevelPicture();
}

bool frmEditor::OpenFile(const QString& path) {
  Level read;
  std::string why;
  if (!ReadLevelFile(path.toStdString(), read, why)) {
    dialogs_.error(this, QStringLiteral("Could not read the level %1.\n%2").arg(path, QString::fromStdString(why)));
    return false;
  }
  const QString backgroundPath = root_ + QStringLiteral("/Bgd/") + QString::fromStdString(read.backgroundName);
  QImage background;
  QString error;
  if (!LoadBitmapPicture(backgroundPath, background, error)) {
    dialogs_.error(this, error);
    return false;
  }
  LoadedTileSet loaded;
  if (!readTileSet(root_ + QStringLiteral("/Tls/") + QString::fromStdString(read.tilesetName), loaded)) return false;

  // Everything is read: only now does the window change.
  for (int side = Bottom; side <= Left; ++side) read.guardedSides[side] = read.guardedSides[side] == -1 ? -1 : 0;
  if (NoSideGuarded(read.guardedSides)) read.guardedSides[Bottom] = -1;
  level_ = read;
  syncSideBoxes();
  setBackground(backgroundPath, background);
  Picture2_MouseDown(0);
  painting_ = false;
  hasFileName_ = true;
  currentFile_ = path;
  showTileSet(loaded);
  undoStack_.clear();
  backgroundChanged_ = false;
  setCaption(QStringLiteral("Shardfall Editor - ") + path);
  showLevelPicture();
  return true;
}

bool frmEditor::SaveFile(const QString& path) {
  Level out = level_;
  out.tilesetName = FileNameOf(tilesetPath_.toStdString());
  out.backgroundName = backgroundShown_ && !backgroundPath_.isEmpty() ? FileNameOf(backgroundPath_.toStdString())
                                                                      : DefaultBackgroundName.toStdString();
  std::string why;
  if (!WriteLevelFile(path.toStdString(), out, why)) {
    dialogs_.error(this, QStringLiteral("Error in writing file."));
    return false;
  }
  currentFile_ = path;
  hasFileName_ = true;
  undoStack_.setClean();
  backgroundChanged_ = false;
  setCaption(QStringLiteral("Shardfall Editor - ") + path);
  return true;
}

bool frmEditor::askToSave(const QString& title) {
  const auto answer = dialogs_.message(this, QMessageBox::Question, title, SaveQuestion,
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return mnuSave_Click();
  return answer == QMessageBox::No;
}

void frmEditor::mnuNew_Click() {
  // A declined or failed save keeps the current level rather than losing it.
  if (askToSave(QStringLiteral("New Level"))) NewLevel();
}

void frmEditor::mnuOpen_Click() {
  if (!askToSave(QStringLiteral("New Level"))) return;
  const QString path = dialogs_.openFileName(this, root_ + QStringLiteral("/Lvl"), LevelFilter);
  if (!path.isEmpty()) OpenFile(path);
}

bool frmEditor::mnuSave_Click() { return hasFileName_ ? SaveFile(currentFile_) : mnuSaveAs_Click(); }

bool frmEditor::mnuSaveAs_Click() {
  const QString path = dialogs_.saveFileName(this, root_ + QStringLiteral("/Lvl"), LevelFilter);
  return !path.isEmpty() && SaveFile(path);
}

void frmEditor::mnuMakeLevelSet_Click() {
  frmNewLevelSet builder(root_, dialogs_, this);
  builder.exec();
  Form_Activate();
}

void frmEditor::mnuNewTileset_Click() {
  frmNewTileSet builder(root_, dialogs_, this);
  builder.exec();
  Form_Activate();
}

void frmEditor::mnuExit_Click() { close(); }

void frmEditor::closeEvent(QCloseEvent* event) {
  if (!hasUnsavedChanges() || askToSave(QStringLiteral("Exit"))) {
    event->accept();
  } else {
    event->ignore();
  }
}

void frmEditor::Form_Activate() {
  syncSideBoxes();
  OpenTileSet(tilesetPath_);
}

// ---- Title ----

bool frmEditor::hasUnsavedChanges() const { return !undoStack_.isClean() || backgroundChanged_; }

void frmEditor::setCaption(const QString& caption) {
  caption_ = caption;
  updateTitle();
}

void frmEditor::updateTitle() {
  setWindowTitle(caption_ + QStringLiteral("[*]"));
  setWindowModified(hasUnsavedChanges());
}
