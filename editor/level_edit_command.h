// The undoable edits of a level: a paint stroke, a clear or a change of guarded sides.
#pragma once
#include <QUndoCommand>
#include <array>
#include <cstdint>
#include <functional>

#include "content/level_file.h"

// The part of a level that painting, clearing and the side boxes change.
struct LevelEdits {
  BrickGrid brickGrid{};
  std::array<std::int16_t, 5> guardedSides{};
  bool operator==(const LevelEdits&) const = default;
};

// Holds the level before and after one action; the editor applies either through `apply`.
class LevelEditCommand : public QUndoCommand {
 public:
  using Apply = std::function<void(const LevelEdits&)>;
  LevelEditCommand(const QString& text, LevelEdits before, LevelEdits after, Apply apply)
      : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)) {}

  void undo() override { apply_(before_); }
  void redo() override { apply_(after_); }

 private:
  LevelEdits before_;
  LevelEdits after_;
  Apply apply_;
};
