// The level-set builder: assembles level files into a named set, new or opened, and writes it into Lvl.
#pragma once
#include <QDialog>
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
  void reject() override;

 private:
  struct Entry {
    QString name;  // what the set stores
    QString path;  // where the level was found
  };
  void buildControls();
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
  bool changed_ = false;
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
};
