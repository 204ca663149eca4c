// The level-set builder: appends level files to a list and writes them as a named set into Lvl.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

class EditorDialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNewLevelSet : public QDialog {
  Q_OBJECT

 public:
  frmNewLevelSet(const QString& root, EditorDialogs& dialogs, QWidget* parent = nullptr);

  int levelCount() const { return static_cast<int>(levelNames_.size()); }
  const std::vector<std::string>& levelNames() const { return levelNames_; }

 public slots:
  void cmdAddLevel_Click();
  void cmdSave_Click();
  void cmdCancel_Click();

 private:
  QString root_;
  EditorDialogs& dialogs_;
  std::vector<std::string> levelNames_;  // file names without folder, in the order added

  QComboBox* cboLevels = nullptr;
  QPushButton* cmdAddLevel = nullptr;
  QLabel* lblNumLevels = nullptr;
  QLineEdit* txtLevelSetName = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdSave = nullptr;
};
