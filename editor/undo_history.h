// The builders' undo: an Edit menu with the level window's Undo and Redo keys, and the history list beside.
#pragma once
#include <QUndoCommand>
#include <functional>

class QLayout;
class QUndoStack;
class QUndoView;
class QWidget;

// Puts an Edit menu (Undo, Redo, Show History) on `layout`'s window and returns the history list, shown.
QUndoView* AddUndoHistory(QWidget* window, QLayout* layout, QUndoStack& stack);

// One step of a builder: a whole state before and after, put back by `apply`. The first redo, when the step
// is pushed, applies the state the window already shows.
template <typename State>
class StateCommand : public QUndoCommand {
 public:
  using Apply = std::function<void(const State&)>;
  StateCommand(const QString& text, State before, State after, Apply apply, int mergeId = -1)
      : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)),
        mergeId_(mergeId) {}
  void undo() override { apply_(before_); }
  void redo() override { apply_(after_); }
  int id() const override { return mergeId_; }
  // Steps of one merging kind in a row (the keys of one name typed) become one step.
  bool mergeWith(const QUndoCommand* other) override {
    after_ = static_cast<const StateCommand*>(other)->after_;
    return true;
  }

 private:
  State before_;
  State after_;
  Apply apply_;
  int mergeId_;
};
