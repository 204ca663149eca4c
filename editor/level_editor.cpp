// The level window: its controls and menus, and how it shows the level document.
#include "editor/level_editor.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <algorithm>
#include <functional>

#include "editor/adopt_file.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_pictures.h"
#include "editor/playfield_view.h"
#include "editor/tile_description.h"

namespace {

constexpr int PaletteWidth = 252;  // six columns of slots 40 pixels apart, with margins
constexpr QPoint PaletteMargin(8, 0);
constexpr QSize SlotPitch(40, 24);
constexpr int BottomPanelHeight = 120;
constexpr QPoint ThumbnailPlace(8, 56);  // in the panel below the playfield
constexpr int BackgroundBottom = 112;   // the expanded picture grows upward from here
constexpr QSize ThumbnailSize(225, 57);
constexpr QSize NoBackgroundSize(320, 240);
const QString BackgroundHint = QStringLiteral("Background Pic - Right-click to expand");

int RepeatsToCover(int length, int pictureLength) { return (length + pictureLength - 1) / pictureLength; }

// The palette slot nearest to a point of the palette.
int SlotAt(QPoint point) {
  const int column = std::clamp((point.x() - PaletteMargin.x()) / SlotPitch.width(), 0,
                                PaletteSlots / PaletteSlotsPerColumn - 1);
  const int row = std::clamp((point.y() - PaletteMargin.y()) / SlotPitch.height(), 0, PaletteSlotsPerColumn - 1);
  return column * PaletteSlotsPerColumn + row;
}

}  // namespace

LevelEditor::LevelEditor(const EditorSetup& setup, QWidget* parent)
    : LevelEditor(setup, std::make_shared<RecentFiles>(setup.recentFilesPath), parent) {}

LevelEditor::LevelEditor(const EditorSetup& setup, std::shared_ptr<RecentFiles> recentFiles, QWidget* parent)
    : QMainWindow(parent),
      setup_(setup),
      folders_(setup.folders),
      dialogs_(*setup.dialogs),
      starter_(setup.starter),
      game_(setup.game),
      contentTool_(setup.contentTool),
      document_(std::make_unique<LevelDocument>(setup.folders)),
      recentFiles_(std::move(recentFiles)) {
  setObjectName(QStringLiteral("frmEditor"));
  horizontalStrip_ = HorizontalPaddleStrip();
  verticalStrip_ = VerticalPaddleStrip();
  buildControls();
  buildMenus();
  openAtPlayfieldSize();
  connectDocument();
  showBackground();
  showTitle();
  syncSideBoxes();
  reloadTileSet();
  showLevel();  // also when the default tileset cannot be read
  watchFiles();
}

LevelEditor::~LevelEditor() = default;

// ---- Building the window ----

void LevelEditor::buildControls() {
  auto* form = new QWidget(this);
  form->setObjectName(QStringLiteral("FormSurface"));
  form->setMouseTracking(true);
  setCentralWidget(form);
  buildPlayfield(form);
  buildPalette(form);
  buildBottomPanel(form);
  form->installEventFilter(this);
  bottomPanel_->installEventFilter(this);
  playfieldScroller_->viewport()->installEventFilter(this);
  auto* layout = new QGridLayout(form);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(playfieldScroller_, 0, 0);
  layout->addWidget(paletteSlots_[0]->parentWidget(), 0, 1, Qt::AlignTop);
  layout->addWidget(bottomPanel_, 1, 0, 1, 2);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(0, 1);
}

// The window opens with the playfield at its own size and may then be made smaller or larger.
void LevelEditor::openAtPlayfieldSize() {
  playfieldScroller_->setMinimumSize(PlayfieldWidth, PlayfieldHeight);
  resize(sizeHint());
  playfieldScroller_->setMinimumSize(PlayfieldWidth / 2, PlayfieldHeight / 2);
}

void LevelEditor::buildPlayfield(QWidget* form) {
  playfieldScroller_ = new QScrollArea(form);
  playfieldScroller_->setFrameShape(QFrame::NoFrame);
  playfieldScroller_->setBackgroundRole(QPalette::Dark);
  playfield_ = new PlayfieldView;
  playfield_->setObjectName(QStringLiteral("LevelPic"));
  playfieldScroller_->setWidget(playfield_);
  connect(playfield_, &PictureBox::pressed, this, &LevelEditor::pressPlayfield);
  connect(playfield_, &PictureBox::moved, this, &LevelEditor::movePointer);
  connect(playfield_, &PictureBox::released, this, &LevelEditor::releasePlayfield);
  connect(playfield_, &PictureBox::left, this, [this] {
    if (!painting_) leavePlayfield();
  });
}

void LevelEditor::buildPalette(QWidget* form) {
  auto* palette = new QWidget(form);
  palette->setObjectName(QStringLiteral("Palette"));
  palette->setFixedSize(PaletteWidth, PlayfieldHeight);
  for (int k = 0; k < PaletteSlots; ++k) {
    auto* slot = new PictureBox(palette);
    slot->setObjectName(QStringLiteral("Picture2_%1").arg(k));
    slot->setGeometry(QRect(PaletteMargin + QPoint((k / PaletteSlotsPerColumn) * SlotPitch.width(),
                                                   (k % PaletteSlotsPerColumn) * SlotPitch.height()),
                            SlotPitch - QSize(4, 4)));
    slot->setInset(2);
    // A press picks a tile; a drag over several picks them as one block.
    connect(slot, &PictureBox::pressed, this, [this, k] {
      if (tool_ == PaintTool::Stamp) setTool(PaintTool::Pencil);
      chooseBrush(paletteDragFrom_ = paletteDragTo_ = k);
    });
    connect(slot, &PictureBox::moved, this, [this, slot](QPoint position, Qt::MouseButtons buttons) {
      if (buttons & Qt::LeftButton) dragPalette(SlotAt(slot->pos() + position));
    });
    connect(slot, &PictureBox::released, this, &LevelEditor::releasePalette);
    slot->setVisible(k == 0);
    paletteSlots_[k] = slot;
  }
  paletteSlots_[0]->setPicture(EraserPicture());
  paletteSlots_[0]->setToolTip(QStringLiteral("Eraser"));
  paletteSlots_[0]->setBordered(true);
  paletteSlots_[0]->setHighlighted(true);
}

void LevelEditor::buildBottomPanel(QWidget* form) {
  bottomPanel_ = new QWidget(form);
  bottomPanel_->setObjectName(QStringLiteral("BottomPanel"));
  bottomPanel_->setFixedHeight(BottomPanelHeight);
  bottomPanel_->setMinimumWidth(PlayfieldWidth / 2 + PaletteWidth);

  // The background picture lies on the form so that, expanded, it can grow up over the playfield.
  backgroundPicture_ = new PictureBox(form);
  backgroundPicture_->setObjectName(QStringLiteral("Backpic"));
  backgroundPicture_->setToolTip(QStringLiteral("Click to choose the background; right-click to expand"));
  connect(backgroundPicture_, &PictureBox::pressed, this,
          [this](QPoint, Qt::MouseButton button) { pressBackground(button); });

  backgroundLabel_ = new QLabel(bottomPanel_);
  backgroundLabel_->setObjectName(QStringLiteral("BackPiclbl"));
  backgroundLabel_->setGeometry(240, ThumbnailPlace.y(), 300, ThumbnailSize.height());
  backgroundLabel_->setWordWrap(true);
  backgroundLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* paddles = new QLabel(QStringLiteral("Paddles:"), bottomPanel_);
  paddles->setGeometry(560, 8, 80, 20);
  const std::array<QPoint, 5> compass{QPoint(), QPoint(600, 72), QPoint(625, 50), QPoint(600, 28), QPoint(575, 50)};
  const std::array<const char*, 5> sideNames{"", "Bottom", "Right", "Top", "Left"};
  for (int side = Bottom; side <= Left; ++side) {
    auto* box = new QCheckBox(bottomPanel_);
    box->setObjectName(QStringLiteral("Check1_%1").arg(side));
    box->setToolTip(QString::fromLatin1(sideNames[side]));
    box->setGeometry(QRect(compass[side], QSize(20, 20)));
    connect(box, &QCheckBox::clicked, this, [this, side] { toggleSide(side); });
    sideBoxes_[side] = box;
  }

  positionLabel_ = new QLabel(QStringLiteral("X: Y:"), bottomPanel_);
  positionLabel_->setObjectName(QStringLiteral("CurPoslbl"));
  positionLabel_->setGeometry(8, 12, 150, 20);

  clearButton_ = new QPushButton(QStringLiteral("&Clear"), bottomPanel_);
  clearButton_->setObjectName(QStringLiteral("Command1"));
  clearButton_->setGeometry(700, 60, 90, 30);
  connect(clearButton_, &QPushButton::clicked, this, &LevelEditor::clearLevel);
}

QAction* LevelEditor::addMenuItem(QMenu* menu, const char* name, const QString& text, const QList<QKeySequence>& keys) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  return action;
}

void LevelEditor::buildMenus() {
  using Keys = QList<QKeySequence>;
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  connect(addMenuItem(file, "mnuNew", QStringLiteral("&New"), {QKeySequence(QStringLiteral("Ctrl+N"))}),
          &QAction::triggered, this, &LevelEditor::fileNew);
  connect(addMenuItem(file, "mnuNewWindow", QStringLiteral("New &Window"),
                    {QKeySequence(QStringLiteral("Ctrl+Shift+N"))}),
          &QAction::triggered, this, &LevelEditor::fileNewWindow);
  connect(addMenuItem(file, "mnuOpen", QStringLiteral("&Open"), {QKeySequence(QStringLiteral("Ctrl+O"))}),
          &QAction::triggered, this, &LevelEditor::fileOpen);
  recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
  recentMenu_->setObjectName(QStringLiteral("mnuRecent"));
  showRecentFiles();
  file->addSeparator();
  connect(addMenuItem(file, "mnuSave", QStringLiteral("&Save"), {QKeySequence(QStringLiteral("Ctrl+S"))}),
          &QAction::triggered, this, &LevelEditor::fileSave);
  connect(addMenuItem(file, "mnuSaveAs", QStringLiteral("Save &As"),
                    Keys{QKeySequence(QStringLiteral("Ctrl+A")), QKeySequence(QStringLiteral("Ctrl+Shift+S"))}),
          &QAction::triggered, this, &LevelEditor::fileSaveAs);
  file->addSeparator();
  connect(addMenuItem(file, "mnuMakeLevelSet", QStringLiteral("&Make Levelset"), {}), &QAction::triggered, this,
          &LevelEditor::makeLevelSet);
  connect(addMenuItem(file, "mnuNewTileset", QStringLiteral("New &Tileset"), {}), &QAction::triggered, this,
          &LevelEditor::newTileSet);
  connect(addMenuItem(file, "mnuEditTileset", QStringLiteral("&Edit Tileset"), {}), &QAction::triggered, this,
          &LevelEditor::editTileSet);
  file->addSeparator();
  connect(addMenuItem(file, "mnuCloseWindow", QStringLiteral("&Close Window"),
                    {QKeySequence(QStringLiteral("Ctrl+W"))}),
          &QAction::triggered, this, &QWidget::close);
  connect(addMenuItem(file, "mnuExit", QStringLiteral("E&xit"), {QKeySequence(QStringLiteral("Ctrl+Q"))}),
          &QAction::triggered, this, &LevelEditor::closeAll);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = document_->undoStack().createUndoAction(this, QStringLiteral("&Undo"));
  undo->setObjectName(QStringLiteral("mnuUndo"));
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = document_->undoStack().createRedoAction(this, QStringLiteral("&Redo"));
  redo->setObjectName(QStringLiteral("mnuRedo"));
  redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  connect(addMenuItem(edit, "mnuCopy", QStringLiteral("&Copy Selection"), {QKeySequence(QStringLiteral("Ctrl+C"))}),
          &QAction::triggered, this, &LevelEditor::copySelection);
  connect(addMenuItem(edit, "mnuPaste", QStringLiteral("&Paste"), {QKeySequence(QStringLiteral("Ctrl+V"))}),
          &QAction::triggered, this, &LevelEditor::pasteBlock);
  connect(addMenuItem(edit, "mnuDropSelection", QStringLiteral("&Drop Selection"), {QKeySequence(Qt::Key_Escape)}),
          &QAction::triggered, this, &LevelEditor::dropSelection);
  edit->addSeparator();
  connect(addMenuItem(edit, "mnuMirrorLeftRight", QStringLiteral("Mirror &Left Half to the Right"),
                    {QKeySequence(QStringLiteral("Ctrl+M"))}),
          &QAction::triggered, this, &LevelEditor::mirrorLeftOntoRight);
  connect(addMenuItem(edit, "mnuMirrorTopBottom", QStringLiteral("Mirror &Top Half to the Bottom"),
                    {QKeySequence(QStringLiteral("Ctrl+Shift+M"))}),
          &QAction::triggered, this, &LevelEditor::mirrorTopOntoBottom);
  edit->addSeparator();
  connect(addMenuItem(edit, "mnuReplaceTileset", QStringLiteral("Replace &Tileset..."),
                    {QKeySequence(QStringLiteral("Ctrl+Shift+T"))}),
          &QAction::triggered, this, &LevelEditor::replaceTileSet);

  buildViewMenu(menuBar()->addMenu(QStringLiteral("&View")));
  buildDrawMenu(menuBar()->addMenu(QStringLiteral("&Draw")));

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  connect(addMenuItem(tools, "mnuPlaytest", QStringLiteral("&Playtest"), {QKeySequence(Qt::Key_F5)}),
          &QAction::triggered, this, &LevelEditor::playtest);
  connect(addMenuItem(tools, "mnuCheckContent", QStringLiteral("&Check Content"), {QKeySequence(Qt::Key_F7)}),
          &QAction::triggered, this, &LevelEditor::checkContent);
  connect(addMenuItem(tools, "mnuProveLevel", QStringLiteral("Prove &Level"), {QKeySequence(Qt::Key_F8)}),
          &QAction::triggered, this, &LevelEditor::proveLevel);
  buildToolBar();
}

void LevelEditor::buildViewMenu(QMenu* view) {
  connect(addMenuItem(view, "mnuZoomFit", QStringLiteral("Zoom to &Fit"), {QKeySequence(QStringLiteral("Ctrl+0"))}),
          &QAction::triggered, this, &LevelEditor::zoomToFit);
  for (int scale = 1; scale <= 3; ++scale) {
    const QByteArray name = QByteArrayLiteral("mnuZoom") + QByteArray::number(scale);
    connect(addMenuItem(view, name.constData(), QStringLiteral("Zoom &%1\u00d7").arg(scale),
                      {QKeySequence(QStringLiteral("Ctrl+%1").arg(scale))}),
            &QAction::triggered, this, [this, scale] { setZoom(scale); });
  }
  view->addSeparator();
  gridAction_ = addMenuItem(view, "mnuGrid", QStringLiteral("Show &Grid"), {QKeySequence(QStringLiteral("Ctrl+G"))});
  gridAction_->setCheckable(true);
  connect(gridAction_, &QAction::toggled, playfield_, &PlayfieldView::setGridShown);
}

void LevelEditor::buildDrawMenu(QMenu* draw) {
  struct ToolItem {
    PaintTool tool;
    const char* name;
    QString text;
    QString key;
  };
  const std::array<ToolItem, 8> items{{
      {PaintTool::Pencil, "toolPencil", QStringLiteral("&Pencil"), QStringLiteral("P")},
      {PaintTool::Rectangle, "toolRectangle", QStringLiteral("&Rectangle"), QStringLiteral("R")},
      {PaintTool::Ellipse, "toolEllipse", QStringLiteral("&Ellipse"), QStringLiteral("E")},
      {PaintTool::Line, "toolLine", QStringLiteral("&Line"), QStringLiteral("L")},
      {PaintTool::Fill, "toolFill", QStringLiteral("&Fill"), QStringLiteral("F")},
      {PaintTool::Select, "toolSelect", QStringLiteral("&Select"), QStringLiteral("S")},
      {PaintTool::SelectSame, "toolSelectSame", QStringLiteral("Select Same &Tile"), QStringLiteral("T")},
      {PaintTool::Pick, "toolPick", QStringLiteral("P&ick Tile"), QStringLiteral("I")},
  }};
  toolActions_ = new QActionGroup(this);
  toolActions_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const ToolItem& item : items) {
    QAction* action = addMenuItem(draw, item.name, item.text, {QKeySequence(item.key)});
    action->setCheckable(true);
    action->setChecked(item.tool == PaintTool::Pencil);
    action->setData(static_cast<int>(item.tool));
    toolActions_->addAction(action);
    connect(action, &QAction::triggered, this, [this, tool = item.tool] { setTool(tool); });
  }
  buildSelectionItems(draw);
}

void LevelEditor::buildSelectionItems(QMenu* draw) {
  struct Item {
    const char* name;
    QString text;
    QString key;
    std::function<void()> act;
    bool startsGroup;
  };
  const std::array<Item, 8> items{{
      {"mnuSelectAll", QStringLiteral("Select &All"), QStringLiteral("Ctrl+Shift+A"), [this] { selectAll(); }, true},
      {"mnuInvertSelection", QStringLiteral("I&nvert Selection"), QStringLiteral("Ctrl+I"),
       [this] { invertSelection(); }, false},
      {"mnuSelectBrushTile", QStringLiteral("Select the &Brush's Tile"), QStringLiteral("Shift+T"),
       [this] { selectBrushTile(); }, false},
      {"mnuDeleteSelection", QStringLiteral("&Delete Selection"), QStringLiteral("Del"), [this] { deleteSelection(); },
       false},
      {"mnuFlipHorizontally", QStringLiteral("Flip &Horizontally"), QStringLiteral("X"),
       [this] { turn(Turn::FlipHorizontally); }, true},
      {"mnuFlipVertically", QStringLiteral("Flip &Vertically"), QStringLiteral("Y"),
       [this] { turn(Turn::FlipVertically); }, false},
      {"mnuRotateClockwise", QStringLiteral("R&otate Clockwise"), QStringLiteral("Z"),
       [this] { turn(Turn::RotateClockwise); }, false},
      {"mnuRotateAnticlockwise", QStringLiteral("Rotate Anti&clockwise"), QStringLiteral("Shift+Z"),
       [this] { turn(Turn::RotateAnticlockwise); }, false},
  }};
  for (const Item& item : items) {
    if (item.startsGroup) draw->addSeparator();
    connect(addMenuItem(draw, item.name, item.text, {QKeySequence(item.key)}), &QAction::triggered, this, item.act);
  }
}

// The toolbar: the drawing tools, then menu items under short names; the selection's items on a second row, so
// that the window stays as wide as the playfield and the palette.
void LevelEditor::buildToolBar() {
  struct Repeated {
    const char* name;
    QString text;
    bool startsGroup;
  };
  auto addToolBarRow = [this](const char* name, const auto& items) {
    QToolBar* toolbar = addToolBar(QString::fromLatin1(name));
    toolbar->setObjectName(QString::fromLatin1(name));
    toolbar->setMovable(false);
    for (const Repeated& item : items) {
      if (item.startsGroup) toolbar->addSeparator();
      QAction* action = findChild<QAction*>(QString::fromLatin1(item.name));
      action->setIconText(item.text);
      toolbar->addAction(action);
    }
    return toolbar;
  };
  const std::array<Repeated, 8> repeated{{
      {"mnuMirrorLeftRight", QStringLiteral("Mirror \u2194"), true},
      {"mnuMirrorTopBottom", QStringLiteral("Mirror \u2195"), false},
      {"mnuZoomFit", QStringLiteral("Fit"), true},
      {"mnuZoom1", QStringLiteral("1\u00d7"), false},
      {"mnuZoom2", QStringLiteral("2\u00d7"), false},
      {"mnuZoom3", QStringLiteral("3\u00d7"), false},
      {"mnuGrid", QStringLiteral("Grid"), false},
      {"mnuPlaytest", QStringLiteral("Playtest"), true},
  }};
  QToolBar* tools = addToolBarRow("ToolBar", repeated);
  tools->insertActions(tools->actions().front(), toolActions_->actions());
  findChild<QAction*>(QStringLiteral("toolSelectSame"))->setIconText(QStringLiteral("Same Tile"));
  addToolBarBreak();
  const std::array<Repeated, 8> selection{{
      {"mnuSelectAll", QStringLiteral("Select All"), false},
      {"mnuInvertSelection", QStringLiteral("Invert"), false},
      {"mnuSelectBrushTile", QStringLiteral("Brush's Tile"), false},
      {"mnuDeleteSelection", QStringLiteral("Delete"), false},
      {"mnuFlipHorizontally", QStringLiteral("Flip \u2194"), true},
      {"mnuFlipVertically", QStringLiteral("Flip \u2195"), false},
      {"mnuRotateClockwise", QStringLiteral("Rotate \u21bb"), false},
      {"mnuRotateAnticlockwise", QStringLiteral("Rotate \u21ba"), false},
  }};
  addToolBarRow("SelectionBar", selection);
}

void LevelEditor::connectDocument() {
  connect(document_.get(), &LevelDocument::levelChanged, this, [this] {
    syncSideBoxes();
    showLevel();
  });
  connect(document_.get(), &LevelDocument::cellChanged, this, &LevelEditor::redrawCell);
  connect(document_.get(), &LevelDocument::backgroundChanged, this, [this] {
    showBackground();
    showLevel();
    watchFiles();
    diskWatch_.taken(document_->background().path);
  });
  connect(document_.get(), &LevelDocument::tileSetChanged, this, [this] {
    showTileSet();
    showLevel();
    watchFiles();
    diskWatch_.taken(document_->tileSet().path);
    diskWatch_.taken(TileSetBitmapPath(folders_, document_->tileSet().path));
  });
  connect(&diskWatch_, &DiskWatch::changed, this, &LevelEditor::offerReload);
  connect(document_.get(), &LevelDocument::fileChanged, this, &LevelEditor::showTitle);
}

// ---- Showing the document ----

int LevelEditor::paletteTiles() const { return std::min(document_->tileSet().usableTiles(), PaletteSlots - 1); }

void LevelEditor::showTileSet() {
  const LoadedTileSet& loaded = document_->tileSet();
  for (int k = 1; k < PaletteSlots; ++k) paletteSlots_[k]->hide();
  for (int k = 1; k <= paletteTiles(); ++k) {
    paletteSlots_[k]->setPicture(loaded.tileImage(k));
    paletteSlots_[k]->setToolTip(DescribeTile(k, loaded.tileSet.tiles[static_cast<std::size_t>(k)]));
    paletteSlots_[k]->show();
  }
  if (brush_ > paletteTiles()) chooseBrush(0);
}

int LevelEditor::repeatsAcross() const {
  const QImage& picture = document_->background().picture;
  return RepeatsToCover(PlayfieldWidth, picture.isNull() ? NoBackgroundSize.width() : picture.width());
}

int LevelEditor::repeatsDown() const {
  const QImage& picture = document_->background().picture;
  return RepeatsToCover(PlayfieldHeight, picture.isNull() ? NoBackgroundSize.height() : picture.height());
}

void LevelEditor::showBackground() {
  const Background& background = document_->background();
  backgroundLabel_->setText(background.path + QLatin1Char('\n') + BackgroundHint);
  backgroundPicture_->setPicture(background.picture.isNull() ? ClickToSetPicture() : background.picture);
  backgroundExpanded_ = false;
  placeBackgroundPicture();
}

void LevelEditor::placeBackgroundPicture() {
  const QPoint panel = bottomPanel_->pos();
  if (!backgroundExpanded_) {
    backgroundPicture_->setGeometry(QRect(panel + ThumbnailPlace, ThumbnailSize));
    return;
  }
  const QSize full = backgroundPicture_->picture().size();
  backgroundPicture_->setGeometry(panel.x() + ThumbnailPlace.x(), panel.y() + BackgroundBottom - full.height(),
                                  full.width(), full.height());
  backgroundPicture_->raise();
}

void LevelEditor::drawStrips(QImage& target) const {
  QPainter painter(&target);
  for (const Side side : {Bottom, Right, Top, Left}) {
    if (!IsGuarded(document_->guardedSides(), side)) continue;
    const QRect strip = StripRect(side);
    painter.drawImage(strip.topLeft(), strip.width() > strip.height() ? horizontalStrip_ : verticalStrip_);
  }
}

void LevelEditor::TileBack() {
  copyImage_ = BlackPicture(PlayfieldWidth, PlayfieldHeight);
  const QImage& picture = document_->background().picture;
  if (!picture.isNull()) {
    // Copies that stick out past the playfield are cut by the picture's own edge.
    QPainter painter(&copyImage_);
    for (int j = 0; j < repeatsDown(); ++j)
      for (int i = 0; i < repeatsAcross(); ++i) painter.drawImage(i * picture.width(), j * picture.height(), picture);
  }
  levelImage_ = copyImage_.copy();
  drawStrips(levelImage_);
  playfield_->setPicture(levelImage_);
}

void LevelEditor::TileBricks() {
  QPainter painter(&levelImage_);
  for (int column = 1; column <= PlayColumns; ++column)
    for (int row = 1; row <= PlayRows; ++row)
      if (const std::int32_t tile = document_->brickGrid()[column][row]; tile > 0)
        painter.drawImage(CellRect({column, row}).topLeft(), document_->tileSet().tileImage(tile));
  painter.end();
  playfield_->setPicture(levelImage_);
}

void LevelEditor::showLevel() {
  TileBack();
  TileBricks();
}

// An emptied cell shows the background and any paddle strip again.
void LevelEditor::redrawCell(Cell cell) {
  const QRect rect = CellRect(cell);
  QImage patch = copyImage_.copy();
  drawStrips(patch);
  QPainter painter(&levelImage_);
  painter.drawImage(rect.topLeft(), patch, rect);
  if (const std::int32_t tile = document_->brickGrid()[cell.column][cell.row]; tile > 0)
    painter.drawImage(rect.topLeft(), document_->tileSet().tileImage(tile));
  painter.end();
  playfield_->setPicture(levelImage_);
}

void LevelEditor::syncSideBoxes() {
  for (int side = Bottom; side <= Left; ++side) sideBoxes_[side]->setChecked(IsGuarded(document_->guardedSides(), side));
}

QString LevelEditor::caption() const {
  return QStringLiteral("Shardfall Editor - ") +
         (document_->hasFileName() ? document_->currentFile() : QStringLiteral("Untitled"));
}

void LevelEditor::showTitle() {
  setWindowTitle(caption() + QStringLiteral("[*]"));
  setWindowModified(document_->isModified());
}

bool LevelEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::MouseMove) leavePlayfield();
  if (watched == bottomPanel_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    placeBackgroundPicture();
  if (watched == playfieldScroller_->viewport() && event->type() == QEvent::Resize && zoomFits_) zoomToFit();
  return QMainWindow::eventFilter(watched, event);
}

// ---- Sides, clearing, background ----

void LevelEditor::toggleSide(int side) {
  document_->setSideGuarded(static_cast<Side>(side), sideBoxes_[side]->isChecked());
}

void LevelEditor::clearLevel() {
  if (dialogs_.message(this, QMessageBox::Question, QStringLiteral("Clear Level"),
                       QStringLiteral("Are you sure you want to clear the level?"),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  BrickGrid cleared = document_->brickGrid();
  SetCells(cleared, CellsInRectangle({1, 1}, {PlayColumns, PlayRows}), 0);
  document_->editGrid(QStringLiteral("Clear"), cleared);
}

void LevelEditor::pressBackground(Qt::MouseButton button) {
  if (button == Qt::RightButton) {
    backgroundExpanded_ = !backgroundExpanded_;
    placeBackgroundPicture();
    return;
  }
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Bgd")), PictureFilter);
  if (chosen.isEmpty()) return;
  // Read before it is copied: a picture that cannot be used leaves nothing behind in Bgd.
  Background background{chosen, {}};
  bool foreign = false;
  QString error;
  if (!LoadAnyPicture(chosen, background.picture, foreign, error)) {
    reportFailure(error, QStringLiteral("The background was not changed."));
    return;
  }
  background.path = AdoptIntoDataFolder(this, dialogs_, folders_, QStringLiteral("Bgd"), chosen,
                                        QStringLiteral("background"), QStringLiteral("The background was not changed."),
                                        foreign ? background.picture : QImage());
  if (background.path.isEmpty()) return;
  document_->changeBackground(background);
}
