// The builders' Edit menu and history list.
#include "editor/undo_history.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QUndoStack>
#include <QUndoView>

QUndoView* AddUndoHistory(QWidget* window, QLayout* layout, QUndoStack& stack) {
  auto* history = new QUndoView(&stack);
  history->setObjectName(QStringLiteral("undoHistory"));
  history->setEmptyLabel(QStringLiteral("<start>"));
  history->setMinimumWidth(170);
  auto* bar = new QMenuBar(window);
  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  QAction* undo = stack.createUndoAction(window, QStringLiteral("&Undo"));
  undo->setObjectName(QStringLiteral("mnuUndo"));
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = stack.createRedoAction(window, QStringLiteral("&Redo"));
  redo->setObjectName(QStringLiteral("mnuRedo"));
  redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  QAction* show = edit->addAction(QStringLiteral("Show &History"));
  show->setObjectName(QStringLiteral("mnuHistory"));
  show->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
  show->setCheckable(true);
  show->setChecked(true);
  QObject::connect(show, &QAction::toggled, history, &QWidget::setVisible);
  edit->insertActions(show, {undo, redo});
  edit->insertSeparator(show);
  // The keys work wherever the focus is in the window, not only while the menu is open.
  window->addActions({undo, redo, show});
  layout->setMenuBar(bar);
  return history;
}
