// The level window: paints a level's bricks from its tileset's palette, chooses sides and background, saves.
#pragma once
#include <QImage>
#include <QMainWindow>
#include <QUndoStack>
#include <array>

#include "content/level_file.h"
#include "content/tileset_file.h"
#include "editor/level_edit_command.h"

class EditorDialogs;
class PictureBox;
class QCheckBox;
class QLabel;
class QPushButton;

constexpr int PaletteSlots = 120;  // slot 0 is the eraser

// A tileset read from disk together with its bitmap, not yet shown.
struct LoadedTileSet {
  QString path;
  TileSet tileSet;
  QImage bitmap;
};

class frmEditor : public QMainWindow {
  Q_OBJECT

 public:
  frmEditor(const QString& root, EditorDialogs& dialogs, QWidget* parent = nullptr);

  // Procedures of the window. The ones that read or write files report failures and return false.
  bool OpenTileSet(const QString& path);
  void DrawBrick();
  void NewLevel();
  bool OpenFile(const QString& path);
  bool SaveFile(const QString& path);
  void TileBack();
  void TileBricks();
  void Form_Activate();

  // What the window shows and holds.
  const BrickGrid& brickGrid() const { return level_.brickGrid; }
  const std::array<std::int16_t, 5>& guardedSides() const { return level_.guardedSides; }
  const TileSet& tileSet() const { return tileSet_; }
  const QString& tilesetPath() const { return tilesetPath_; }
  const QString& backgroundPath() const { return backgroundPath_; }
  const QString& currentFile() const { return currentFile_; }
  bool hasFileName() const { return hasFileName_; }
  int brush() const { return brush_; }
  bool painting() const { return painting_; }
  int repeatsAcross() const { return repeatsAcross_; }
  int repeatsDown() const { return repeatsDown_; }
  const QImage& levelPicture() const { return levelImage_; }
  const QImage& copyPicture() const { return copyImage_; }
  QString caption() const { return caption_; }
  bool hasUnsavedChanges() const;
  QUndoStack& undoStack() { return undoStack_; }

 public slots:
  void LevelPic_MouseDown(QPoint position, Qt::MouseButton button);
  void LevelPic_MouseMove(QPoint position, Qt::MouseButtons buttons);
  void LevelPic_MouseUp();
  void Form_MouseMove();
  void Picture2_MouseDown(int index);
  void Backpic_MouseDown(Qt::MouseButton button);
  void Check1_Click(int index);
  void Command1_Click();
  void mnuNew_Click();
  void mnuOpen_Click();
  bool mnuSave_Click();
  bool mnuSaveAs_Click();
  void mnuMakeLevelSet_Click();
  void mnuNewTileset_Click();
  void mnuExit_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildMenu();
  bool readTileSet(const QString& path, LoadedTileSet& out);
  void showTileSet(const LoadedTileSet& loaded);
  void hidePalette();
  void setBackground(const QString& path, const QImage& picture);
  void clearBackground();
  void showBackgroundThumbnail();
  void syncSideBoxes();
  void eraseCell();
  void setCell(int column, int row, int tile);
  void redrawCell(int column, int row);
  void drawStrips(QImage& target);
  void showLevelPicture();
  void endStroke();
  void applyEdits(const LevelEdits& edits);
  void pushEdit(const QString& text, const LevelEdits& before, const LevelEdits& after);
  LevelEdits currentEdits() const;
  bool askToSave(const QString& title);
  void setCaption(const QString& caption);
  void updateTitle();
  QImage tileImageOf(int tile) const;

  QString root_;
  EditorDialogs& dialogs_;

  Level level_;
  TileSet tileSet_;
  QImage tileBitmap_;  // picTilePic
  QString tilesetPath_;
  QString backgroundPath_;
  QImage backgroundImage_;
  int backgroundWidth_ = 320;
  int backgroundHeight_ = 240;
  int repeatsAcross_ = 2;
  int repeatsDown_ = 2;
  bool backgroundShown_ = false;
  bool backgroundExpanded_ = false;
  bool backgroundChanged_ = false;
  QString currentFile_;
  bool hasFileName_ = false;
  int brush_ = 0;
  bool painting_ = false;
  int currentColumn_ = 0;
  int currentRow_ = 0;
  BrickGrid strokeStart_{};
  QString caption_;
  QUndoStack undoStack_;

  QImage levelImage_;  // what LevelPic shows
  QImage copyImage_;   // CopyPic: the background alone
  QImage horizontalStrip_;
  QImage verticalStrip_;

  PictureBox* LevelPic = nullptr;
  std::array<PictureBox*, PaletteSlots> Picture2{};
  PictureBox* Backpic = nullptr;
  QLabel* BackPiclbl = nullptr;
  std::array<QCheckBox*, 5> Check1{};  // indexed 1 .. 4 by side
  QLabel* CurPoslbl = nullptr;
  QPushButton* Command1 = nullptr;
};
