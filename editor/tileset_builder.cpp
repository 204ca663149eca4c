// The tileset builder window: picture or tileset, tile-by-tile assignment with an overview, save.
#include "editor/tileset_builder.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUndoView>
#include <algorithm>
#include <climits>
#include <string>

#include "content/names.h"
#include "editor/adopt_file.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_pictures.h"
#include "editor/picture_box.h"
#include "editor/tile_description.h"
#include "editor/tileset_pair.h"
#include "editor/undo_history.h"

namespace {

template <typename Control>
Control* Named(Control* control, const QString& name) {
  control->setObjectName(name);
  return control;
}

// The overview shows each tile twice its size, so that kinds are easy to tell apart.
constexpr QSize OverviewIcon(2 * TileWidth, 2 * TileHeight);

}  // namespace

TileSetBuilder::TileSetBuilder(const EditorFolders& folders, EditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), folders_(folders), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmNewTileSet"));
  setWindowTitle(QStringLiteral("New Tileset"));
  setModal(true);
  buildControls();
}

QGroupBox* TileSetBuilder::buildKindControls() {
  kindFrame_ = Named(new QGroupBox, QStringLiteral("frmAssigns"));
  auto* assigns = new QGridLayout(kindFrame_);
  int shooterRow = 0;
  for (std::size_t place = 0; place < BrickKinds.size(); ++place) {
    const BrickKind& kind = BrickKinds[place];
    const int row = static_cast<int>(place);
    const bool shooter = IsShooter(kind.firstCode);
    const QString name = shooter ? QStringLiteral("Option2") : QStringLiteral("Option1_%1").arg(kind.firstCode);
    kindOptions_[place] = Named(new QRadioButton(KindLabel(kind)), name);
    assigns->addWidget(kindOptions_[place], row, 0);
    if (shooter) {
      shooterOption_ = kindOptions_[place];
      shooterRow = row;
    }
  }
  kindOption(Hittable)->setChecked(true);
  connect(shooterOption_, &QRadioButton::clicked, this, &TileSetBuilder::chooseShooter);
  auto* compass = new QGridLayout;
  const std::array<QPoint, 4> places{QPoint(1, 0), QPoint(2, 1), QPoint(1, 2), QPoint(0, 1)};
  for (std::size_t i = 0; i < shooterBoxes_.size(); ++i) {
    shooterBoxes_[i] = Named(new QCheckBox, QStringLiteral("chkShooter_%1").arg(i));
    shooterBoxes_[i]->setToolTip(DirectionLabels[i]);
    compass->addWidget(shooterBoxes_[i], places[i].y(), places[i].x());
  }
  assigns->addLayout(compass, shooterRow, 1, 3, 1);
  hitsBox_ = Named(new QLineEdit(QStringLiteral("1")), QStringLiteral("txtHits"));
  connect(hitsBox_, &QLineEdit::editingFinished, this, &TileSetBuilder::checkHits);
  assigns->addWidget(new QLabel(QStringLiteral("Hits:")), 0, 1);
  assigns->addWidget(hitsBox_, 1, 1);
  return kindFrame_;
}

QGroupBox* TileSetBuilder::buildAnimationControls() {
  auto* frame = Named(new QGroupBox(QStringLiteral("Animation")), QStringLiteral("Frame3"));
  animatedBox_ = Named(new QCheckBox(QStringLiteral("Animated")), QStringLiteral("chkAnimated"));
  connect(animatedBox_, &QCheckBox::clicked, this, &TileSetBuilder::toggleAnimated);
  framesBox_ = Named(new QLineEdit(QStringLiteral("2")), QStringLiteral("txtFrames"));
  framesBox_->setEnabled(false);
  connect(framesBox_, &QLineEdit::textChanged, this, &TileSetBuilder::checkFrames);
  connect(framesBox_, &QLineEdit::editingFinished, this, [this] { checkedNumber(framesBox_); });
  auto* animation = new QGridLayout(frame);
  animation->addWidget(animatedBox_, 0, 0, 1, 2);
  animation->addWidget(new QLabel(QStringLiteral("Frames:")), 1, 0);
  animation->addWidget(framesBox_, 1, 1);
  return frame;
}

void TileSetBuilder::buildControls() {
  pictureFrame_ = Named(new QGroupBox(QStringLiteral("Load Tileset Picture"), this), QStringLiteral("Frame2"));
  openPictureButton_ = Named(new QPushButton(QStringLiteral("&Open Picture")), QStringLiteral("cmdOpenPic"));
  openTileSetButton_ = Named(new QPushButton(QStringLiteral("Open &Tileset")), QStringLiteral("cmdOpenTileset"));
  openTileSetButton_->setToolTip(QStringLiteral("Open an existing tileset to change its tiles"));
  doneButton_ = Named(new QPushButton(QStringLiteral("&Done")), QStringLiteral("cmdDone"));
  doneButton_->setEnabled(false);
  bitmapPicture_ = Named(new PictureBox, QStringLiteral("TileBmp"));
  auto* scroller = new QScrollArea;
  scroller->setWidget(bitmapPicture_);
  scroller->setMinimumSize(260, 200);
  auto* pictureLayout = new QGridLayout(pictureFrame_);
  pictureLayout->addWidget(openPictureButton_, 0, 0);
  pictureLayout->addWidget(doneButton_, 0, 1);
  pictureLayout->addWidget(openTileSetButton_, 1, 0, 1, 2);
  pictureLayout->addWidget(scroller, 2, 0, 1, 2);

  actionsFrame_ = Named(new QGroupBox(QStringLiteral("Assign Actions"), this), QStringLiteral("frmActions"));
  actionsFrame_->setEnabled(false);
  tilePicture_ = Named(new PictureBox, QStringLiteral("BrickWindow"));
  tilePicture_->setFixedSize(TileWidth + 2, TileHeight + 2);
  tilePicture_->setInset(1);
  tilePicture_->setBordered(true);
  tileLabel_ = Named(new QLabel(QStringLiteral("Tile: 1")), QStringLiteral("lblCurTile"));
  maxBricksLabel_ = Named(new QLabel(QStringLiteral("Max Bricks:")), QStringLiteral("lblMaxBricks"));
  frameLabel_ = Named(new QLabel, QStringLiteral("lblAnimFrame"));
  stageLabel_ = Named(new QLabel, QStringLiteral("lblHitStage"));
  previousButton_ = Named(new QPushButton(QStringLiteral("&Previous")), QStringLiteral("cmdPrevious"));
  previousButton_->setEnabled(false);
  nextButton_ = Named(new QPushButton(QStringLiteral("&Next")), QStringLiteral("cmdNext"));
  endButton_ = Named(new QPushButton(QStringLiteral("&End tileset")), QStringLiteral("Command2"));
  connect(previousButton_, &QPushButton::clicked, this, &TileSetBuilder::previousTile);
  connect(nextButton_, &QPushButton::clicked, this, &TileSetBuilder::nextTile);
  connect(endButton_, &QPushButton::clicked, this, &TileSetBuilder::endTileSet);

  auto* actions = new QGridLayout(actionsFrame_);
  actions->addWidget(tilePicture_, 0, 0);
  actions->addWidget(tileLabel_, 0, 1);
  actions->addWidget(maxBricksLabel_, 0, 2, 1, 2);
  actions->addWidget(new QLabel(QStringLiteral("Anim Frame:")), 1, 0);
  actions->addWidget(frameLabel_, 1, 1);
  actions->addWidget(new QLabel(QStringLiteral("Hit stage:")), 1, 2);
  actions->addWidget(stageLabel_, 1, 3);
  actions->addWidget(buildKindControls(), 2, 0, 1, 4);
  actions->addWidget(buildAnimationControls(), 3, 0, 1, 4);
  actions->addWidget(previousButton_, 4, 0, 1, 2);
  actions->addWidget(nextButton_, 4, 2, 1, 2);
  actions->addWidget(endButton_, 5, 0, 1, 4);

  overview_ = Named(new QListWidget(this), QStringLiteral("tileOverview"));
  overview_->setViewMode(QListView::IconMode);
  overview_->setIconSize(OverviewIcon);
  overview_->setGridSize(QSize(128, 64));
  overview_->setResizeMode(QListView::Adjust);
  overview_->setMovement(QListView::Static);
  overview_->setMinimumWidth(360);
  overview_->setEnabled(false);
  // Fusion draws a scroll handle lighter than its groove; filling most of the track, as it does here, the groove
  // left over reads as the handle, upside down. A handle darker than its groove reads the right way up.
  overview_->verticalScrollBar()->setStyleSheet(QStringLiteral(
      "QScrollBar:vertical { background: palette(window); width: 14px; margin: 0; }"
      "QScrollBar::handle:vertical { background: palette(mid); border-radius: 4px; min-height: 24px; margin: 1px; }"
      "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
      "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
  connect(overview_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { jumpToTile(overview_->row(item) + 1); });

  saveButton_ = Named(new QPushButton(QStringLiteral("&Save")), QStringLiteral("cmdSave"));
  saveButton_->setEnabled(false);
  cancelButton_ = Named(new QPushButton(QStringLiteral("&Cancel")), QStringLiteral("Command3"));
  connect(openPictureButton_, &QPushButton::clicked, this, &TileSetBuilder::choosePicture);
  connect(openTileSetButton_, &QPushButton::clicked, this, &TileSetBuilder::chooseTileSet);
  connect(doneButton_, &QPushButton::clicked, this, &TileSetBuilder::startAssigning);
  connect(saveButton_, &QPushButton::clicked, this, &TileSetBuilder::saveAndClose);
  connect(cancelButton_, &QPushButton::clicked, this, &TileSetBuilder::abandon);
  for (QPushButton* button : {openPictureButton_, openTileSetButton_, doneButton_, previousButton_, nextButton_,
                              endButton_, saveButton_, cancelButton_})
    button->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(pictureFrame_, 0, 0);
  layout->addWidget(actionsFrame_, 0, 1, 2, 1);
  layout->addWidget(overview_, 0, 2, 2, 1);
  layout->addWidget(AddUndoHistory(this, layout, undoStack_), 0, 3, 2, 1);
  layout->setColumnStretch(2, 1);
  auto* closing = new QHBoxLayout;
  closing->addWidget(saveButton_);
  closing->addWidget(cancelButton_);
  layout->addLayout(closing, 1, 0);
}

// ---- Stage 1: the picture, or a tileset to change ----

bool TileSetBuilder::acceptPicture(const QImage& picture) {
  bitmap_ = picture;
  bitmapPicture_->setPicture(picture);
  bitmapPicture_->setFixedSize(picture.size());
  if (picture.width() % TileWidth != 0 || picture.width() == 0) {
    dialogs_.error(this, QStringLiteral("Bitmap width must be evenly divisible by 32."));
  } else if (picture.height() % TileHeight != 0 || picture.height() == 0) {
    dialogs_.error(this, QStringLiteral("Bitmap height must be evenly divisible by 16."));
  } else {
    return true;
  }
  return false;
}

void TileSetBuilder::choosePicture() {
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Tls")), PictureFilter);
  if (chosen.isEmpty()) return;
  QImage picture;
  bool foreign = false;
  QString error;
  if (!LoadAnyPicture(chosen, picture, foreign, error)) {
    dialogs_.error(this, error + QStringLiteral("\nThe picture was not opened."));
    return;
  }
  // Checked before it is copied anywhere: a picture that cannot be used leaves nothing behind.
  doneButton_->setEnabled(false);
  if (!acceptPicture(picture)) return;
  // The saved tileset works only with its bitmap in Tls under the same name.
  const QString path = AdoptIntoDataFolder(this, dialogs_, folders_, QStringLiteral("Tls"), chosen,
                                           QStringLiteral("tileset bitmap"),
                                           QStringLiteral("The picture was not opened."),
                                           foreign ? picture : QImage(), CopyDeclined::Keeps);
  if (path.isEmpty()) return;
  bitmapPath_ = path;
  doneButton_->setEnabled(true);
}

void TileSetBuilder::chooseTileSet() {
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Tls")),
                                               QStringLiteral("Shardfall Tilesets (*.sft)"));
  if (!chosen.isEmpty()) openTileSet(folders_.readOverride(chosen));
}

bool TileSetBuilder::openTileSet(const QString& path) {
  const QString abandoned = QStringLiteral("\nThe tileset was not opened.");
  LoadedTileSet loaded;
  QString error;
  if (!LoadTileSetPair(folders_, path, loaded, error, true)) {
    dialogs_.error(this, error + abandoned);
    return false;
  }
  if (!acceptPicture(loaded.bitmap)) return false;
  const QString bitmapPath = AdoptIntoDataFolder(this, dialogs_, folders_, QStringLiteral("Tls"),
                                                 TileSetBitmapPath(folders_, path), QStringLiteral("tileset bitmap"),
                                                 abandoned.mid(1), loaded.foreignBitmap(), CopyDeclined::Keeps);
  if (bitmapPath.isEmpty()) return false;
  bitmapPath_ = bitmapPath;
  editedFile_ = path;
  setWindowTitle(QStringLiteral("Edit Tileset - ") + QFileInfo(path).fileName());
  assignments_.startFrom(loaded.tileSet, loaded.cellColumns(), loaded.cellRows());
  enterAssigning();
  return true;
}

// ---- Stage 2: assigning the tiles ----

void TileSetBuilder::startAssigning() {
  assignments_.startNew(bitmap_.width() / TileWidth, bitmap_.height() / TileHeight);
  enterAssigning();
}

void TileSetBuilder::enterAssigning() {
  tilesAtStart_ = assignments_.tiles();
  tileCountAtStart_ = assignments_.tileCount();
  undoStack_.clear();
  openPictureButton_->setEnabled(false);
  openTileSetButton_->setEnabled(false);
  doneButton_->setEnabled(false);
  showEnded(false);
  maxBricksLabel_->setText(QStringLiteral("Max bricks: %1").arg(assignments_.totalTiles()));
  showOverview();
  Update();
}

void TileSetBuilder::showKind(std::int32_t kind) {
  if (!IsBrickKind(kind)) return;
  kindOption(kind)->setChecked(true);
  if (!IsShooter(kind)) {
    for (QCheckBox* box : shooterBoxes_) box->setChecked(false);
  } else {
    const ShooterDirections directions = ShooterDirectionsOf(kind);
    const std::array<bool, 4> ticked{directions.up, directions.right, directions.down, directions.left};
    for (std::size_t i = 0; i < ticked.size(); ++i) shooterBoxes_[i]->setChecked(ticked[i]);
  }
}

// Shows what is stored for the current tile. A tile never assigned shows the last choice, so that a run of
// tiles of one kind needs only Next.
void TileSetBuilder::Update() {
  const TileDef& tile = assignments_.current();
  tilePicture_->setPicture(TileImage(bitmap_, tile.imageX, tile.imageY));
  tileLabel_->setText(QStringLiteral("Tile: %1").arg(assignments_.currentTile()));
  frameLabel_->setText(QStringLiteral("%1/%2").arg(tile.frameNumber).arg(tile.frameCount));
  const bool orphan = assignments_.isOrphanStage(assignments_.currentTile());
  stageLabel_->setText(orphan ? QStringLiteral("%1 (orphan)").arg(tile.hitStage) : QString::number(tile.hitStage));
  stageLabel_->setToolTip(orphan ? QStringLiteral("The brick's earlier stages are gone: give this tile hits of its own.")
                                 : QString());
  hitsBox_->setText(QString::number(tile.hitCount));
  showKind(tile.kind);

  const bool laterFrame = assignments_.isLaterFrame(assignments_.currentTile());
  const bool firstFrame = tile.frameCount > 1 && tile.frameNumber == 1;
  // A first frame shows its animation, so that stepping over it again keeps the animation as built.
  animatedBox_->setChecked(tile.frameCount > 1);
  animatedBox_->setEnabled(!laterFrame);
  {
    const QSignalBlocker shownNotTyped(framesBox_);
    framesBox_->setText(tile.frameCount > 1 ? QString::number(tile.frameCount) : QStringLiteral("2"));
  }
  framesBox_->setEnabled(firstFrame);

  kindFrame_->setEnabled(tile.frameNumber <= 1);
  const bool middleStage = tile.hitStage > 1 && tile.hitStage != tile.hitCount && !orphan;
  kindOption(Indestructible)->setEnabled(!middleStage);
  kindOption(GoThrough)->setEnabled(!middleStage);
  hitsBox_->setEnabled(!middleStage);
  showNavigation();
  shownChoice_ = choiceShown();
}

void TileSetBuilder::showNavigation() {
  previousButton_->setEnabled(assignments_.currentTile() > 1);
  nextButton_->setEnabled(assignments_.currentTile() < assignments_.totalTiles());
  overview_->setCurrentRow(assignments_.currentTile() - 1);
}

void TileSetBuilder::showOverview() {
  overview_->clear();
  for (int n = 1; n <= assignments_.totalTiles(); ++n) {
    const TileDef& tile = assignments_.tile(n);
    const QImage image = TileImage(bitmap_, tile.imageX, tile.imageY).scaled(OverviewIcon);
    auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(image)), QStringLiteral("%1 %2").arg(n).arg(KindName(tile.kind)));
    item->setToolTip(DescribeTile(n, tile));
    overview_->addItem(item);
  }
  overview_->setCurrentRow(assignments_.currentTile() - 1);
}

std::int32_t TileSetBuilder::kindShown() const {
  if (shooterOption_->isChecked())
    return ShooterCodeOf({shooterBoxes_[0]->isChecked(), shooterBoxes_[1]->isChecked(), shooterBoxes_[2]->isChecked(),
                          shooterBoxes_[3]->isChecked()});
  for (std::size_t place = 0; place < BrickKinds.size(); ++place)
    if (kindOptions_[place]->isChecked()) return BrickKinds[place].firstCode;
  return Hittable;
}

// The controls as they stand, read without complaint (for telling whether the designer changed anything).
TileChoice TileSetBuilder::choiceShown() const {
  const bool animated = animatedBox_->isChecked() && animatedBox_->isEnabledTo(actionsFrame_);
  return TileChoice{kindShown(), hitsBox_->text().toInt(), animated, animated ? framesBox_->text().toInt() : 0};
}

// The controls as AssignBrick takes them: numbers checked, a shooter without direction shooting up.
TileChoice TileSetBuilder::readChoice() {
  if (shooterOption_->isChecked()) applyShooterRule();
  TileChoice choice = choiceShown();
  choice.hits = checkedNumber(hitsBox_);
  if (choice.animated) choice.frames = checkedNumber(framesBox_);
  return choice;
}

void TileSetBuilder::chooseShooter() { applyShooterRule(); }

// A shooter with no direction shoots up.
void TileSetBuilder::applyShooterRule() {
  if (kindShown() == 0) shooterBoxes_[0]->setChecked(true);
}

void TileSetBuilder::toggleAnimated() { framesBox_->setEnabled(animatedBox_->isChecked()); }

// Numbers below 1 become 1 silently; text that is no number, and hits or frames the bitmap's cells from the
// current tile on cannot hold, are refused with a message.
int TileSetBuilder::checkedNumber(QLineEdit* box) {
  bool isNumber = false;
  const int value = box->text().trimmed().toInt(&isNumber);
  if (!isNumber) return refuseNumber(box, 1, QStringLiteral("Please enter a valid number."));
  if (value < 1) {
    box->setText(QStringLiteral("1"));
    return 1;
  }
  const int most = mostThatFits(box);
  if (value <= most) return value;
  const QString what = box == hitsBox_ ? QStringLiteral("hits") : QStringLiteral("frames");
  return refuseNumber(box, most,
                      QStringLiteral("%1 %2 do not fit: tile %3 needs a tile for each animation frame and each later "
                                     "damage stage, and the bitmap has %4 tiles from tile %3 on.\n%5 set to %6.")
                          .arg(value).arg(what).arg(assignments_.currentTile()).arg(assignments_.cellsLeft())
                          .arg(what.at(0).toUpper() + what.mid(1)).arg(most));
}

int TileSetBuilder::refuseNumber(QLineEdit* box, int replacement, const QString& why) {
  // Set before the message: the box loses the focus to it, and must then already hold a valid number.
  box->setText(QString::number(replacement));
  dialogs_.message(this, QMessageBox::Critical, QStringLiteral("Non-Valid Entry"), why, QMessageBox::Ok);
  box->setFocus();
  return replacement;
}

// The tiles from the current one on hold its frames, then one tile for each of its brick's later stages.
int TileSetBuilder::mostThatFits(const QLineEdit* box) const {
  if (assignments_.isLaterFrame(assignments_.currentTile())) return INT_MAX;  // takes its first frame's numbers
  const TileDef& tile = assignments_.current();
  const bool startsBrick = tile.hitStage <= 1 || assignments_.isOrphanStage(assignments_.currentTile());
  const bool animated = animatedBox_->isChecked() && animatedBox_->isEnabledTo(actionsFrame_);
  const int frames = animated ? std::max(framesBox_->text().toInt(), 1) : 1;
  const int laterStages = startsBrick ? std::max(hitsBox_->text().toInt(), 1) - 1 : tile.hitCount - tile.hitStage;
  if (box == hitsBox_) return startsBrick ? std::max(assignments_.cellsLeft() - frames + 1, 1) : INT_MAX;
  return animated ? std::max(assignments_.cellsLeft() - laterStages, 1) : INT_MAX;
}

void TileSetBuilder::checkFrames() {
  // An empty box is a number still being typed; it is checked when the box is left.
  if (!framesBox_->text().isEmpty()) checkedNumber(framesBox_);
}

void TileSetBuilder::checkHits() { checkedNumber(hitsBox_); }

// Stores the tile on show, when the designer changed something, it was never assigned or it is a stage whose
// next stage is not marked yet: moving on over a tile leaves it as it was.
void TileSetBuilder::AssignBrick() {
  const TileChoice choice = readChoice();
  if (assignments_.current().kind == 0 || choice != shownChoice_ || assignments_.nextStagePending()) {
    assignments_.assign(choice);
    showOverview();
  }
}

void TileSetBuilder::nextTile() { jumpToTile(assignments_.currentTile() + 1); }

void TileSetBuilder::previousTile() { jumpToTile(assignments_.currentTile() - 1); }

// Going forward stores the tile being left, as Next does; going back does not, as Previous does not.
void TileSetBuilder::jumpToTile(int tile) {
  if (tile < 1 || tile > assignments_.totalTiles() || tile == assignments_.currentTile()) return;
  const State before = state();
  if (tile > assignments_.currentTile()) AssignBrick();
  assignments_.moveTo(tile);
  Update();
  const int left = before.assignments.currentTile();
  record(DescribeTile(left, assignments_.tile(left)), before);
}

// ---- The history: each step that changes the records ----

TileSetBuilder::State TileSetBuilder::state() const { return State{assignments_, saveButton_->isEnabled()}; }

void TileSetBuilder::apply(const State& state) {
  assignments_ = state.assignments;
  showEnded(state.ended);
  showOverview();
  Update();
}

// Moving over tiles without changing them is no step.
void TileSetBuilder::record(const QString& text, const State& before) {
  const TileAssignments& was = before.assignments;
  if (was.tiles() == assignments_.tiles() && was.tileCount() == assignments_.tileCount() &&
      before.ended == saveButton_->isEnabled())
    return;
  undoStack_.push(new StateCommand<State>(text, before, state(), [this](const State& s) { apply(s); }));
}

// After End only Save and Cancel are left (and Undo, which takes End back).
void TileSetBuilder::showEnded(bool ended) {
  actionsFrame_->setEnabled(!ended);
  overview_->setEnabled(!ended);
  saveButton_->setEnabled(ended);
}

// ---- Stage 3: ending and saving ----

void TileSetBuilder::endTileSet() {
  const State before = state();
  if (assignments_.endKeepsCurrent()) AssignBrick();
  assignments_.end();
  showEnded(true);
  record(QStringLiteral("End tileset at tile %1").arg(assignments_.tileCount()), before);
}

bool TileSetBuilder::SaveTileSet(const QString& path) {
  std::string why;
  if (!WriteTileSetFile(path.toStdString(), assignments_.result(), why)) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe tileset was not saved.")
                             .arg(QString::fromStdString(why)));
    return false;
  }
  return true;
}

// Warns of a tileset that would not work, and lets the designer go back to it.
bool TileSetBuilder::mayBeSaved() {
  QImage readable;
  QString unreadable;
  const bool found = folders_.findsByName(QStringLiteral("Tls"), bitmapPath_) &&
                     LoadBitmapPicture(bitmapPath_, readable, unreadable);
  const std::vector<std::string> problems =
      SaveProblems(assignments_.result(), found, QFileInfo(bitmapPath_).fileName().toStdString());
  if (problems.empty()) return true;
  QString text = QStringLiteral("This tileset would not work as it stands:");
  for (const std::string& problem : problems) text += QStringLiteral("\n- ") + QString::fromStdString(problem);
  return dialogs_.askYesNo(this, QStringLiteral("Save Tileset"), text + QStringLiteral("\nSave it anyway?"));
}

void TileSetBuilder::saveAndClose() {
  if (!mayBeSaved()) return;
  const QString name =
      QString::fromStdString(ReplaceLastThree(QFileInfo(bitmapPath_).fileName().toStdString(), "sft"));
  QString error;
  const QString path = folders_.writePath(QStringLiteral("Tls"), name, error);
  if (path.isEmpty()) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe tileset was not saved.").arg(error));
    return;
  }
  // Saving over the tileset being changed is the point; any other file of that name is asked about.
  const bool sameFile = !editedFile_.isEmpty() && QFileInfo(path) == QFileInfo(editedFile_);
  if (!sameFile && !dialogs_.mayReplace(this, path)) return;
  // A failed save keeps the window open so that the assignments are not lost.
  if (!SaveTileSet(path)) return;
  dialogs_.inform(this, folders_.savedElsewhereNotice(path));
  accept();
}

// Stored tiles or their count differ, or the tile on show has a choice not stored yet.
bool TileSetBuilder::changedSinceStart() const {
  const bool assigning = actionsFrame_->isEnabled();
  return assignments_.tiles() != tilesAtStart_ || assignments_.tileCount() != tileCountAtStart_ ||
         (assigning && choiceShown() != shownChoice_);
}

void TileSetBuilder::abandon() {
  if (changedSinceStart() && dialogs_.message(this, QMessageBox::Question, QStringLiteral("Cancel"),
                       QStringLiteral("Do you want to abandon current tileset?"),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  assignments_.clear();
  QDialog::reject();
}

void TileSetBuilder::reject() { abandon(); }
