// The level-set builder: assembles level files into a named set, new or opened, and writes it into Lvl.
#pragma once
#include <QDialog>
#include <QUndoStack>
#include <map>
#include <string>
#include <vector>

#include "editor/editor_folders.h"

class EditorDialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class LevelSetBuilder : public QDialog {
  Q_OBJECT

 public:
  LevelSetBuilder(const EditorFolders& folders, EditorDialogs& dialogs, QWidget* parent = nullptr);

  int levelCount() const { return static_cast<int>(levels_.size()); }
  // File names without folder, in playing order.
  std::vector<std::string> levelNames() const;
  // Reads a set into the window, replacing its list. False after a message.
  bool openSet(const QString& path);

 public slots:
  void addLevels();
  void chooseSet();
  void moveUp();
  void moveDown();
  void removeLevel();
  void saveSet();
  // The chosen level's file: renamed in Lvl with every set there that lists it, or copied under a new name.
  void renameLevel();
  void duplicateLevel();
  void reject() override;

  QUndoStack& undoStack() { return undoStack_; }

 signals:
  // A level file was renamed on disk (full paths): a window showing it must save under the new name.
  void levelFileRenamed(const QString& from, const QString& to);

 private:
  struct Entry {
    QString name;  // what the set stores
    QString path;  // where the level was found
    bool operator==(const Entry&) const = default;
  };
  // What one step of the history puts back.
  struct State {
    QString name;
    std::vector<Entry> levels;
    int selected = -1;
  };
  void buildControls();
  void buildFileActions();
  State state() const;
  void apply(const State& state);
  void record(const QString& text, const State& before, int mergeId = -1);
  QString askLevelName(const QString& title, const QString& question, const QString& offered);
  void showLevels(int selected);
  void showMoveButtons();
  void swapWithNext(int row);
  bool mayDropList();
  void checkName(const QString& typed);
  QString nameProblem(const QString& name) const;

  EditorFolders folders_;
  EditorDialogs& dialogs_;
  std::vector<Entry> levels_;
  QString openedSet_;
  QUndoStack undoStack_;
  // Level files renamed since the window opened, old path to new: steps of the history name them as they are now.
  std::map<QString, QString> movedFiles_;
  QString nameBefore_;  // the last name the box held that a set can store

  QComboBox* levelPaths_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QLineEdit* nameBox_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QListWidget* levelList_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QPushButton* upButton_ = nullptr;
  QPushButton* downButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QPushButton* renameButton_ = nullptr;
  QPushButton* duplicateButton_ = nullptr;
};
