// A level being edited, apart from any window: the level, its tileset, background, file and undo stack.
#pragma once
#include <QHash>
#include <QObject>
#include <QUndoStack>

#include "content/level_file.h"
#include "editor/editor_folders.h"
#include "editor/level_commands.h"
#include "editor/playfield.h"
#include "editor/tileset_pair.h"

inline const QString DefaultBackgroundName = QStringLiteral("DefaultBackground.bmp");

// Windows show a document and ask it for changes; every change a designer can undo is a command.
class LevelDocument : public QObject {
  Q_OBJECT

 public:
  explicit LevelDocument(EditorFolders folders, QObject* parent = nullptr);

  const EditorFolders& folders() const { return folders_; }
  const Level& level() const { return level_; }
  const BrickGrid& brickGrid() const { return level_.brickGrid; }
  const std::array<std::int16_t, 5>& guardedSides() const { return level_.guardedSides; }
  LevelEdits edits() const { return LevelEdits{level_.brickGrid, level_.guardedSides}; }
  const LoadedTileSet& tileSet() const { return tileSet_; }
  const Background& background() const { return background_; }
  const QString& currentFile() const { return currentFile_; }
  bool hasFileName() const { return !currentFile_.isEmpty(); }
  bool isModified() const { return !undoStack_.isClean(); }
  QUndoStack& undoStack() { return undoStack_; }

  // An empty level on `tileSet`, guarded at the bottom, with no background and no file.
  void startNew(const LoadedTileSet& tileSet);
  // Reads the level and its tileset and background. A missing tileset or a damaged level refuses (`error`); a
  // background that cannot be read leaves a black backdrop and says so in `warning`.
  bool open(const QString& path, QString& error, QString& warning);
  // Writes the level as it will be saved; on success `path` becomes the current file and the level is clean.
  bool save(const QString& path, QString& error);
  // The level's file was renamed on disk: it is saved under `path` from now on; its saved state stays.
  void moveFile(const QString& path);
  // The level as a file holds it: names without folders, the default background when none was chosen.
  Level levelToSave() const;
  // Shows the level on its tileset read again (a builder or another program changed it); not an edit.
  void setTileSet(const LoadedTileSet& tileSet);
  // Shows the background's picture read again; not an edit.
  void reloadBackground(const QImage& picture);

  // Undoable changes. Nothing is pushed when the change changes nothing.
  void edit(const QString& text, const LevelEdits& after);
  void editGrid(const QString& text, const BrickGrid& after);
  void setSideGuarded(Side side, bool guarded);
  void changeBackground(const Background& after);
  // Puts the level on `after`, the cells as `grid` (the caller empties what `after` lacks): one step.
  void replaceTileSet(const LoadedTileSet& after, const BrickGrid& grid);

  // A stroke changes cells one by one as the pointer moves and becomes one command when it ends.
  void beginStroke();
  void paintCell(Cell cell, std::int32_t tile);
  void endStroke();
  bool inStroke() const { return inStroke_; }

  // Used by the commands.
  void applyEdits(const LevelEdits& edits);
  void applyBackground(const Background& background);
  void applyTileSet(const LoadedTileSet& tileSet, const LevelEdits& edits);

 signals:
  void levelChanged();            // the grid or the sides, as a whole
  void cellChanged(Cell cell);    // one cell during a stroke
  void backgroundChanged();
  void tileSetChanged();
  void fileChanged();             // the current file or the saved state

 private:
  void emitFileChanged() { emit fileChanged(); }
  void forgetReloads();

  EditorFolders folders_;
  Level level_;
  LoadedTileSet tileSet_;
  Background background_;
  QString currentFile_;
  // Files read again since the undo stack began: a step undone or redone shows them as they are now.
  QHash<QString, LoadedTileSet> reloadedTileSets_;
  QHash<QString, QImage> reloadedPictures_;
  QUndoStack undoStack_;
  bool inStroke_ = false;
  BrickGrid strokeStart_{};
};

// At least one side keeps a paddle: bottom when none would.
void KeepOneSideGuarded(std::array<std::int16_t, 5>& sides);
