// The level window: shows a level document, paints it from the palette, and holds the editor's menus.
#pragma once
#include <QImage>
#include <QMainWindow>
#include <QTemporaryDir>
#include <array>
#include <memory>
#include <optional>

#include "editor/disk_watch.h"
#include "editor/editor_folders.h"
#include "editor/level_document.h"
#include "editor/playtest.h"
#include "editor/recent_files.h"
#include "editor/region_tools.h"

class EditorDialogs;
class PictureBox;
class PlayfieldView;
class QAction;
class QActionGroup;
class QCheckBox;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

constexpr int PaletteSlots = 120;  // slot 0 is the eraser
constexpr int PaletteSlotsPerColumn = 20;

// What the editor works on and with.
struct EditorSetup {
  EditorFolders folders;
  EditorDialogs* dialogs = nullptr;
  ProgramStarter* starter = nullptr;
  GameCommand game;
  QString recentFilesPath;  // empty: the recent files are kept for this run only
  GameCommand contentTool;  // shardfall-content, which proves levels
};

enum class PaintTool { Pencil, Rectangle, Line, Fill, Select, Pick, Stamp, Ellipse, SelectSame };

class LevelEditor : public QMainWindow {
  Q_OBJECT

 public:
  explicit LevelEditor(const EditorSetup& setup, QWidget* parent = nullptr);
  ~LevelEditor() override;

  // Procedures of the window. The ones that read or write files report failures and return false.
  bool OpenTileSet(const QString& path);
  void DrawBrick();
  void NewLevel();
  bool OpenFile(const QString& path);
  bool SaveFile(const QString& path);
  void TileBack();
  void TileBricks();
  // Reloads the level's tileset into the palette, as after a builder closes.
  void reloadTileSet();

  LevelDocument& document() { return *document_; }
  const BrickGrid& brickGrid() const { return document_->brickGrid(); }
  const std::array<std::int16_t, 5>& guardedSides() const { return document_->guardedSides(); }
  const TileSet& tileSet() const { return document_->tileSet().tileSet; }
  const QString& tilesetPath() const { return document_->tileSet().path; }
  const QString& backgroundPath() const { return document_->background().path; }
  const QString& currentFile() const { return document_->currentFile(); }
  bool hasFileName() const { return document_->hasFileName(); }
  bool hasUnsavedChanges() const { return document_->isModified(); }
  QUndoStack& undoStack() { return document_->undoStack(); }
  int brush() const { return brush_; }
  bool painting() const { return painting_; }
  int repeatsAcross() const;
  int repeatsDown() const;
  const QImage& levelPicture() const { return levelImage_; }
  const QImage& copyPicture() const { return copyImage_; }
  QString caption() const;
  PaintTool tool() const { return tool_; }
  const std::vector<Cell>& selection() const { return selection_; }
  // The block the Stamp tool paints: pasted, or dragged in the palette.
  const CellBlock& stamp() const { return stamp_; }
  double zoom() const;
  const RecentFiles& recentFiles() const { return *recentFiles_; }
  // Every level window there is.
  static QList<LevelEditor*> windows();
  // Every window showing the level file `from` (a full path) saves it as `to` from now on.
  static void followRenamedFile(const QString& from, const QString& to);

 public slots:
  // The playfield under the mouse, in playfield pixels.
  void pressPlayfield(QPoint position, Qt::MouseButton button);
  void movePointer(QPoint position, Qt::MouseButtons buttons);
  void releasePlayfield();
  // The pointer left the playfield: painting stops.
  void leavePlayfield();
  void chooseBrush(int slot);
  void pressBackground(Qt::MouseButton button);
  void toggleSide(int side);
  void clearLevel();
  void fileNew();
  void fileOpen();
  bool fileSave();
  bool fileSaveAs();
  void openRecent(const QString& path);
  // Another window on the same data, recent files and dialogs, with a new level of its own; it goes when closed.
  LevelEditor* fileNewWindow();
  // Closes every level window, each asking about its own level; stops at the first that stays.
  void closeAll();
  void replaceTileSet();
  // A watched file changed on disk: asks whether to read it again, one question at a time.
  void offerReload(const QString& path);
  void makeLevelSet();
  void newTileSet();
  void editTileSet();
  void setTool(PaintTool tool);
  void copySelection();
  void pasteBlock();
  void mirrorLeftOntoRight();
  void mirrorTopOntoBottom();
  void dropSelection();
  void selectAll();
  void invertSelection();
  void selectBrushTile();
  void deleteSelection();
  // Turns the stamp while the Stamp tool is on, else the selection, else the brush's tile.
  void turn(Turn turn);
  void zoomToFit();
  void setZoom(double scale);
  void playtest();
  void checkContent();
  void proveLevel();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A window sharing the recent files of the window it came from.
  LevelEditor(const EditorSetup& setup, std::shared_ptr<RecentFiles> recentFiles, QWidget* parent);

  // Building the window.
  void buildControls();
  void openAtPlayfieldSize();
  void buildPlayfield(QWidget* form);
  void buildPalette(QWidget* form);
  void buildBottomPanel(QWidget* form);
  void buildMenus();
  void buildDrawMenu(QMenu* menu);
  void buildSelectionItems(QMenu* draw);
  void buildViewMenu(QMenu* menu);
  void buildToolBar();
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& text, const QList<QKeySequence>& keys);
  void connectDocument();
  void showRecentFiles();

  // Showing the document.
  void showTileSet();
  void showBackground();
  void showLevel();
  void showTitle();
  void placeBackgroundPicture();
  void syncSideBoxes();
  void redrawCell(Cell cell);
  void drawStrips(QImage& target) const;
  QImage brushImage(std::int32_t tile) const;
  int paletteTiles() const;

  // Painting and the region tools.
  std::int32_t tileFor(Qt::MouseButton button) const { return button == Qt::LeftButton ? brush_ : 0; }
  void paintAlong(Cell to, std::int32_t tile);
  void finishShape();
  void showPreview();
  std::vector<Cell> shapeCells(Cell to) const;
  void editCells(const QString& text, const std::vector<Cell>& cells, std::int32_t tile);
  void fill(Cell start, std::int32_t tile);
  void pick(Cell cell);
  void select(std::vector<Cell> cells);
  void turnSelection(Turn turn);
  void reportKeptTiles(int kept);
  void dragPalette(int slot);
  void releasePalette();
  void markPaletteSlots(int from, int to);

  // Files.
  bool askToSave(const QString& title);
  LevelEditor* windowHolding(const QString& path) const;
  bool raiseWindowHolding(const QString& path);
  bool takeClipboardCells();
  void watchFiles();
  void reloadFromDisk(const QString& path);
  void runBuilder(QDialog& builder);
  bool loadTileSet(const QString& path, LoadedTileSet& out, const QString& abandoned);
  // Asks for a tileset, reads it and brings it into Tls; false (having said why) when there is none to use.
  bool chooseTileSet(LoadedTileSet& loaded, const QString& abandoned);
  void reportFailure(const QString& detail, const QString& abandoned);
  bool gameFinds(const QString& sub, const QString& path, const QString& what, const QString& abandoned);
  bool gameFindsLevelFiles(const QString& abandoned);
  bool scratchFolderReady(const QString& abandoned);

  EditorSetup setup_;
  EditorFolders folders_;
  EditorDialogs& dialogs_;
  ProgramStarter* starter_;
  GameCommand game_;
  GameCommand contentTool_;
  std::unique_ptr<LevelDocument> document_;
  std::shared_ptr<RecentFiles> recentFiles_;
  DiskWatch diskWatch_;
  QStringList pendingReloads_;
  bool askingReload_ = false;
  std::unique_ptr<QTemporaryDir> playtestFolder_;

  int brush_ = 0;
  bool painting_ = false;
  Qt::MouseButton paintButton_ = Qt::LeftButton;
  Cell currentCell_;
  Cell anchorCell_;
  PaintTool tool_ = PaintTool::Pencil;
  PaintTool toolBeforePick_ = PaintTool::Pencil;
  std::vector<Cell> selection_;
  CellBlock stamp_;
  int paletteDragFrom_ = 0;
  int paletteDragTo_ = 0;
  bool backgroundExpanded_ = false;
  bool zoomFits_ = false;

  QImage levelImage_;  // the playfield as the game will show it
  QImage copyImage_;   // the background alone, for erasing cells
  QImage horizontalStrip_;
  QImage verticalStrip_;

  QScrollArea* playfieldScroller_ = nullptr;
  PlayfieldView* playfield_ = nullptr;
  std::array<PictureBox*, PaletteSlots> paletteSlots_{};
  QWidget* bottomPanel_ = nullptr;
  PictureBox* backgroundPicture_ = nullptr;
  QLabel* backgroundLabel_ = nullptr;
  std::array<QCheckBox*, 5> sideBoxes_{};  // indexed 1 .. 4 by side
  QLabel* positionLabel_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QActionGroup* toolActions_ = nullptr;
  QAction* gridAction_ = nullptr;
};
