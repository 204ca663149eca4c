// The tileset builder: cuts a bitmap into tiles, walks through them assigning kinds, and writes the ".sft".
#pragma once
#include <QDialog>
#include <QImage>
#include <array>
#include <vector>

#include "content/tileset_file.h"

class EditorDialogs;
class PictureBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmNewTileSet : public QDialog {
  Q_OBJECT

 public:
  frmNewTileSet(const QString& root, EditorDialogs& dialogs, QWidget* parent = nullptr);

  void AssignBrick();
  void Update();
  bool SaveTileSet(const QString& path);

  int currentTile() const { return currentTile_; }
  int tileCount() const { return tileCount_; }
  int totalTiles() const { return totalTiles_; }
  int selectedKind() const { return selectedKind_; }
  int shooterCode() const { return shooterCode_; }
  // Records 1 .. total tiles; index 0 is unused.
  const std::vector<TileDef>& tiles() const { return tiles_; }

 public slots:
  void cmdOpenPic_Click();
  void cmdDone_Click();
  void cmdNext_Click();
  void cmdPrevious_Click();
  void Command2_Click();
  void cmdSave_Click();
  void Command3_Click();
  void Option1_Click(int index);
  void Option2_Click();
  void chkShooter_MouseUp();
  void chkAnimated_Click();
  void txtFrames_Change();
  void txtHits_LostFocus();
  // Closing the window any other way asks like Cancel, so assignments are not dropped by accident.
  void reject() override;

 private:
  void buildControls();
  int checkedNumber(QLineEdit* box);
  void applyShooterRule();
  void releaseOldFrames(int tile);
  void markNextStage(int tile, int stage, int count);

  QString root_;
  EditorDialogs& dialogs_;
  QString bitmapName_;
  QImage picCopyTiles_;
  int currentTile_ = 1;
  int tileCount_ = 0;
  int totalTiles_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  int selectedKind_ = Hittable;
  int shooterCode_ = 0;
  std::vector<TileDef> tiles_;

  QGroupBox* Frame2 = nullptr;
  QPushButton* cmdOpenPic = nullptr;
  QPushButton* cmdDone = nullptr;
  PictureBox* TileBmp = nullptr;
  QGroupBox* frmActions = nullptr;
  QGroupBox* frmAssigns = nullptr;
  std::array<QRadioButton*, 5> Option1{};  // indexed 1 .. 4 by kind
  QRadioButton* Option2 = nullptr;
  std::array<QCheckBox*, 4> chkShooter{};  // up, right, down, left
  QLineEdit* txtHits = nullptr;
  QGroupBox* Frame3 = nullptr;
  QCheckBox* chkAnimated = nullptr;
  QLineEdit* txtFrames = nullptr;
  PictureBox* BrickWindow = nullptr;
  QLabel* lblCurTile = nullptr;
  QLabel* lblAnimFrame = nullptr;
  QLabel* lblHitStage = nullptr;
  QLabel* lblMaxBricks = nullptr;
  QPushButton* cmdNext = nullptr;
  QPushButton* cmdPrevious = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* Command3 = nullptr;
};
