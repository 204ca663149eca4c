// The tileset builder: cuts a bitmap into tiles or opens a tileset, assigns kinds tile by tile, saves.
#pragma once
#include <QDialog>
#include <QImage>
#include <QUndoStack>
#include <array>
#include <vector>

#include "editor/editor_folders.h"
#include "editor/tile_assignments.h"

class EditorDialogs;
class PictureBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The records live in a TileAssignments model that the window shows.
class TileSetBuilder : public QDialog {
  Q_OBJECT

 public:
  TileSetBuilder(const EditorFolders& folders, EditorDialogs& dialogs, QWidget* parent = nullptr);

  // Procedures of the window. AssignBrick stores the tile on show when the designer changed it.
  void AssignBrick();
  void Update();
  bool SaveTileSet(const QString& path);
  // Opens an existing tileset for changing: every tile shows what its record holds. False after a message.
  bool openTileSet(const QString& path);

  const TileAssignments& assignments() const { return assignments_; }
  int currentTile() const { return assignments_.currentTile(); }
  int tileCount() const { return assignments_.tileCount(); }
  int totalTiles() const { return assignments_.totalTiles(); }
  // Records 1 .. total tiles; index 0 is unused.
  const std::vector<TileDef>& tiles() const { return assignments_.tiles(); }
  QUndoStack& undoStack() { return undoStack_; }

 public slots:
  void choosePicture();
  void chooseTileSet();
  void startAssigning();
  void nextTile();
  void previousTile();
  void jumpToTile(int tile);
  void endTileSet();
  void saveAndClose();
  void abandon();
  void chooseShooter();
  void toggleAnimated();
  void checkFrames();
  void checkHits();
  // Closing the window any other way asks like Cancel, so assignments are not dropped by accident.
  void reject() override;

 private:
  // What one step of the history puts back: the records, the tile on show, and whether End was pressed.
  struct State {
    TileAssignments assignments;
    bool ended = false;
  };
  State state() const;
  void apply(const State& state);
  void record(const QString& text, const State& before);
  void showEnded(bool ended);
  void buildControls();
  QGroupBox* buildKindControls();
  QGroupBox* buildAnimationControls();
  bool acceptPicture(const QImage& picture);
  void enterAssigning();
  void showKind(std::int32_t kind);
  void showNavigation();
  void showOverview();
  TileChoice choiceShown() const;
  TileChoice readChoice();
  std::int32_t kindShown() const;
  QRadioButton* kindOption(std::int32_t kind) const { return kindOptions_[static_cast<std::size_t>(BrickKindPlace(kind))]; }
  int checkedNumber(QLineEdit* box);
  int refuseNumber(QLineEdit* box, int replacement, const QString& why);
  int mostThatFits(const QLineEdit* box) const;
  void applyShooterRule();
  bool mayBeSaved();
  bool changedSinceStart() const;

  EditorFolders folders_;
  EditorDialogs& dialogs_;
  QString bitmapPath_;  // the picture as the builder took it: in Tls, or where the designer kept it
  QString editedFile_;  // the tileset being changed; empty for a new one
  QImage bitmap_;
  TileAssignments assignments_;
  QUndoStack undoStack_;
  TileChoice shownChoice_;
  // The tiles as Done or Open Tileset left them: Cancel asks only once they changed.
  std::vector<TileDef> tilesAtStart_;
  int tileCountAtStart_ = 0;

  QGroupBox* pictureFrame_ = nullptr;
  QPushButton* openPictureButton_ = nullptr;
  QPushButton* openTileSetButton_ = nullptr;
  QPushButton* doneButton_ = nullptr;
  PictureBox* bitmapPicture_ = nullptr;
  QGroupBox* actionsFrame_ = nullptr;
  QGroupBox* kindFrame_ = nullptr;
  std::array<QRadioButton*, BrickKinds.size()> kindOptions_{};  // in the order of BrickKinds
  QRadioButton* shooterOption_ = nullptr;                        // the shooters' own among them
  std::array<QCheckBox*, 4> shooterBoxes_{};  // up, right, down, left
  QLineEdit* hitsBox_ = nullptr;
  QCheckBox* animatedBox_ = nullptr;
  QLineEdit* framesBox_ = nullptr;
  PictureBox* tilePicture_ = nullptr;
  QLabel* tileLabel_ = nullptr;
  QLabel* frameLabel_ = nullptr;
  QLabel* stageLabel_ = nullptr;
  QLabel* maxBricksLabel_ = nullptr;
  QPushButton* nextButton_ = nullptr;
  QPushButton* previousButton_ = nullptr;
  QPushButton* endButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QListWidget* overview_ = nullptr;
};
