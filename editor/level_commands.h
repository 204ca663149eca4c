// The undoable changes of a level document: one small command per kind of change.
#pragma once
#include <QImage>
#include <QUndoCommand>
#include <array>
#include <cstdint>

#include "content/level_file.h"
#include "editor/tileset_pair.h"

class LevelDocument;

// The part of a level that painting, the region tools, clearing and the side boxes change.
struct LevelEdits {
  BrickGrid brickGrid{};
  std::array<std::int16_t, 5> guardedSides{};
  bool operator==(const LevelEdits&) const = default;
};

// The level's background: the picture's full path (empty when none was chosen) and the picture (null when
// none is shown: none chosen, or a level named one that could not be read).
struct Background {
  QString path;
  QImage picture;
  bool operator==(const Background& other) const { return path == other.path && picture == other.picture; }
};

class LevelEditCommand : public QUndoCommand {
 public:
  LevelEditCommand(LevelDocument& document, const QString& text, LevelEdits before, LevelEdits after)
      : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override;
  void redo() override;

 private:
  LevelDocument& document_;
  LevelEdits before_;
  LevelEdits after_;
};

class BackgroundCommand : public QUndoCommand {
 public:
  BackgroundCommand(LevelDocument& document, Background before, Background after)
      : QUndoCommand(QStringLiteral("Change background")), document_(document), before_(std::move(before)),
        after_(std::move(after)) {}
  void undo() override;
  void redo() override;

 private:
  LevelDocument& document_;
  Background before_;
  Background after_;
};

// A level put on another tileset: the tileset and the cells it empties change together.
class TileSetCommand : public QUndoCommand {
 public:
  TileSetCommand(LevelDocument& document, LoadedTileSet before, LoadedTileSet after, LevelEdits beforeEdits,
                 LevelEdits afterEdits)
      : QUndoCommand(QStringLiteral("Replace tileset")), document_(document), before_(std::move(before)),
        after_(std::move(after)), beforeEdits_(std::move(beforeEdits)), afterEdits_(std::move(afterEdits)) {}
  void undo() override;
  void redo() override;

 private:
  LevelDocument& document_;
  LoadedTileSet before_;
  LoadedTileSet after_;
  LevelEdits beforeEdits_;
  LevelEdits afterEdits_;
};
