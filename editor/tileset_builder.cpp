// The tileset builder window: picture, tile-by-tile assignment, save.
#include "editor/tileset_builder.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <algorithm>
#include <string>

#include "content/names.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_pictures.h"
#include "editor/picture_box.h"

namespace {

template <typename Control>
Control* Named(Control* control, const QString& name) {
  control->setObjectName(name);
  return control;
}

}  // namespace

frmNewTileSet::frmNewTileSet(const QString& root, EditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), root_(root), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmNewTileSet"));
  setWindowTitle(QStringLiteral("New Tileset"));
  setModal(true);
  buildControls();
}

void frmNewTileSet::buildControls() {
  Frame2 = Named(new QGroupBox(QStringLiteral("Load Tileset Picture"), this), QStringLiteral("Frame2"));
  cmdOpenPic = Named(new QPushButton(QStringLiteral("&Open Picture")), QStringLiteral("cmdOpenPic"));
  cmdDone = Named(new QPushButton(QStringLiteral("&Done")), QStringLiteral("cmdDone"));
  cmdDone->setEnabled(false);
  TileBmp = Named(new PictureBox, QStringLiteral("TileBmp"));
  auto* scroller = new QScrollArea;
  scroller->setWidget(TileBmp);
  scroller->setMinimumSize(260, 200);
  auto* pictureLayout = new QGridLayout(Frame2);
  pictureLayout->addWidget(cmdOpenPic, 0, 0);
  pictureLayout->addWidget(cmdDone, 0, 1);
  pictureLayout->addWidget(scroller, 1, 0, 1, 2);

  frmActions = Named(new QGroupBox(QStringLiteral("Assign Actions"), this), QStringLiteral("frmActions"));
  frmActions->setEnabled(false);
  BrickWindow = Named(new PictureBox, QStringLiteral("BrickWindow"));
  BrickWindow->setFixedSize(TileWidth + 2, TileHeight + 2);
  BrickWindow->setInset(1);
  BrickWindow->setBordered(true);
  lblCurTile = Named(new QLabel(QStringLiteral("Tile: 1")), QStringLiteral("lblCurTile"));
  lblMaxBricks = Named(new QLabel(QStringLiteral("Max Bricks:")), QStringLiteral("lblMaxBricks"));
  lblAnimFrame = Named(new QLabel, QStringLiteral("lblAnimFrame"));
  lblHitStage = Named(new QLabel, QStringLiteral("lblHitStage"));

  frmAssigns = Named(new QGroupBox, QStringLiteral("frmAssigns"));
  auto* assigns = new QGridLayout(frmAssigns);
  const std::array<QString, 5> kindNames{QString(), QStringLiteral("Hittable"), QStringLiteral("Indestruct."),
                                         QStringLiteral("Go-thru"), QStringLiteral("Dynamite")};
  for (int kind = Hittable; kind <= Dynamite; ++kind) {
    Option1[kind] = Named(new QRadioButton(kindNames[kind]), QStringLiteral("Option1_%1").arg(kind));
    connect(Option1[kind], &QRadioButton::clicked, this, [this, kind] { Option1_Click(kind); });
    assigns->addWidget(Option1[kind], kind - 1, 0);
  }
  Option1[Hittable]->setChecked(true);
  Option2 = Named(new QRadioButton(QStringLiteral("Shooter")), QStringLiteral("Option2"));
  connect(Option2, &QRadioButton::clicked, this, &frmNewTileSet::Option2_Click);
  assigns->addWidget(Option2, 4, 0);
  auto* compass = new QGridLayout;
  const std::array<QPoint, 4> places{QPoint(1, 0), QPoint(2, 1), QPoint(1, 2), QPoint(0, 1)};
  const std::array<QString, 4> directions{QStringLiteral("Up"), QStringLiteral("Right"), QStringLiteral("Down"),
                                          QStringLiteral("Left")};
  for (int i = 0; i < 4; ++i) {
    chkShooter[i] = Named(new QCheckBox, QStringLiteral("chkShooter_%1").arg(i));
    chkShooter[i]->setToolTip(directions[i]);
    connect(chkShooter[i], &QCheckBox::clicked, this, &frmNewTileSet::chkShooter_MouseUp);
    compass->addWidget(chkShooter[i], places[i].y(), places[i].x());
  }
  assigns->addLayout(compass, 4, 1, 3, 1);
  txtHits = Named(new QLineEdit(QStringLiteral("1")), QStringLiteral("txtHits"));
  connect(txtHits, &QLineEdit::editingFinished, this, &frmNewTileSet::txtHits_LostFocus);
  assigns->addWidget(new QLabel(QStringLiteral("Hits:")), 0, 1);
  assigns->addWidget(txtHits, 1, 1);

  Frame3 = Named(new QGroupBox(QStringLiteral("Animation")), QStringLiteral("Frame3"));
  chkAnimated = Named(new QCheckBox(QStringLiteral("Animated")), QStringLiteral("chkAnimated"));
  connect(chkAnimated, &QCheckBox::clicked, this, &frmNewTileSet::chkAnimated_Click);
  txtFrames = Named(new QLineEdit(QStringLiteral("2")), QStringLiteral("txtFrames"));
  txtFrames->setEnabled(false);
  connect(txtFrames, &QLineEdit::textChanged, this, &frmNewTileSet::txtFrames_Change);
  connect(txtFrames, &QLineEdit::editingFinished, this, [this] { checkedNumber(txtFrames); });
  auto* animation = new QGridLayout(Frame3);
  animation->addWidget(chkAnimated, 0, 0, 1, 2);
  animation->addWidget(new QLabel(QStringLiteral("Frames:")), 1, 0);
  animation->addWidget(txtFrames, 1, 1);

  cmdPrevious = Named(new QPushButton(QStringLiteral("&Previous")), QStringLiteral("cmdPrevious"));
  cmdPrevious->setEnabled(false);
  cmdNext = Named(new QPushButton(QStringLiteral("&Next")), QStringLiteral("cmdNext"));
  Command2 = Named(new QPushButton(QStringLiteral("&End tileset")), QStringLiteral("Command2"));
  connect(cmdPrevious, &QPushButton::clicked, this, &frmNewTileSet::cmdPrevious_Click);
  connect(cmdNext, &QPushButton::clicked, this, &frmNewTileSet::cmdNext_Click);
  connect(Command2, &QPushButton::clicked, this, &frmNewTileSet::Command2_Click);

  auto* actions = new QGridLayout(frmActions);
  actions->addWidget(BrickWindow, 0, 0);
  actions->addWidget(lblCurTile, 0, 1);
  actions->addWidget(lblMaxBricks, 0, 2, 1, 2);
  actions->addWidget(new QLabel(QStringLiteral("Anim Frame:")), 1, 0);
  actions->addWidget(lblAnimFrame, 1, 1);
  actions->addWidget(new QLabel(QStringLiteral("Hit stage:")), 1, 2);
  actions->addWidget(lblHitStage, 1, 3);
  actions->addWidget(frmAssigns, 2, 0, 1, 4);
  actions->addWidget(Frame3, 3, 0, 1, 4);
  actions->addWidget(cmdPrevious, 4, 0, 1, 2);
  actions->addWidget(cmdNext, 4, 2, 1, 2);
  actions->addWidget(Command2, 5, 0, 1, 4);

  cmdSave = Named(new QPushButton(QStringLiteral("&Save")), QStringLiteral("cmdSave"));
  cmdSave->setEnabled(false);
  Command3 = Named(new QPushButton(QStringLiteral("&Cancel")), QStringLiteral("Command3"));
  connect(cmdOpenPic, &QPushButton::clicked, this, &frmNewTileSet::cmdOpenPic_Click);
  connect(cmdDone, &QPushButton::clicked, this, &frmNewTileSet::cmdDone_Click);
  connect(cmdSave, &QPushButton::clicked, this, &frmNewTileSet::cmdSave_Click);
  connect(Command3, &QPushButton::clicked, this, &frmNewTileSet::Command3_Click);
  for (QPushButton* button : {cmdOpenPic, cmdDone, cmdPrevious, cmdNext, Command2, cmdSave, Command3})
    button->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Frame2, 0, 0);
  layout->addWidget(frmActions, 0, 1, 2, 1);
  auto* closing = new QHBoxLayout;
  closing->addWidget(cmdSave);
  closing->addWidget(Command3);
  layout->addLayout(closing, 1, 0);
}

// ---- Stage 1: the picture ----

void frmNewTileSet::cmdOpenPic_Click() {
  const QString path =
      dialogs_.openFileName(this, root_ + QStringLiteral("/Tls"), QStringLiteral("Bitmap (*.bmp)"));
  if (path.isEmpty()) return;
  QImage picture;
  QString error;
  if (!LoadBitmapPicture(path, picture, error)) {
    dialogs_.error(this, error);
    return;
  }
  bitmapName_ = QString::fromStdString(FileNameOf(path.toStdString()));
  TileBmp->setPicture(picture);
  TileBmp->setFixedSize(picture.size());
  picCopyTiles_ = picture;
  if (picture.width() % TileWidth != 0 || picture.width() == 0) {
    dialogs_.error(this, QStringLiteral("Bitmap width must be evenly divisible by 32."));
    cmdDone->setEnabled(false);
  } else if (picture.height() % TileHeight != 0 || picture.height() == 0) {
    dialogs_.error(this, QStringLiteral("Bitmap height must be evenly divisible by 16."));
    cmdDone->setEnabled(false);
  } else {
    cmdDone->setEnabled(true);
  }
}

// ---- Stage 2: assigning the tiles ----

void frmNewTileSet::cmdDone_Click() {
  cmdOpenPic->setEnabled(false);
  cmdDone->setEnabled(false);
  frmActions->setEnabled(true);
  columns_ = picCopyTiles_.width() / TileWidth;
  rows_ = picCopyTiles_.height() / TileHeight;
  totalTiles_ = columns_ * rows_;
  tiles_.assign(static_cast<std::size_t>(totalTiles_) + 1, TileDef{});
  currentTile_ = 1;
  tileCount_ = 1;
  shooterCode_ = 0;
  selectedKind_ = Hittable;
  for (int k = 1; k <= totalTiles_; ++k) {
    TileDef& tile = tiles_[static_cast<std::size_t>(k)];
    tile = TileDef{0, 1, 1, 1, 1, ImageXOfTile(k, rows_), ImageYOfTile(k, rows_)};
  }
  tiles_[1].kind = Hittable;
  Update();
  lblMaxBricks->setText(QStringLiteral("Max bricks: %1").arg(totalTiles_));
  // A bitmap of one tile has nowhere to step to.
  cmdNext->setEnabled(currentTile_ < totalTiles_);
}

void frmNewTileSet::Update() {
  const TileDef& tile = tiles_[static_cast<std::size_t>(currentTile_)];
  BrickWindow->setPicture(TileImage(picCopyTiles_, tile.imageX, tile.imageY));
  lblCurTile->setText(QStringLiteral("Tile: %1").arg(currentTile_));
  lblAnimFrame->setText(QStringLiteral("%1/%2").arg(tile.frameNumber).arg(tile.frameCount));
  lblHitStage->setText(QString::number(tile.hitStage));
  txtHits->setText(QString::number(tile.hitCount));

  const bool laterFrame = tile.frameCount > 1 && tile.frameNumber != 1;
  const bool firstFrame = tile.frameCount > 1 && tile.frameNumber == 1;
  // A first frame shows its animation, so that stepping over it again keeps the animation as built.
  chkAnimated->setChecked(tile.frameCount > 1);
  chkAnimated->setEnabled(!laterFrame);
  txtFrames->setText(tile.frameCount > 1 ? QString::number(tile.frameCount) : QStringLiteral("2"));
  txtFrames->setEnabled(firstFrame);

  frmAssigns->setEnabled(tile.frameNumber <= 1);
  const bool middleStage = tile.hitStage > 1 && tile.hitStage != tile.hitCount;
  Option1[Indestructible]->setEnabled(!middleStage);
  Option1[GoThrough]->setEnabled(!middleStage);
  txtHits->setEnabled(!middleStage);
}

void frmNewTileSet::Option1_Click(int index) { selectedKind_ = index; }

void frmNewTileSet::Option2_Click() {
  selectedKind_ = shooterCode_;
  applyShooterRule();
}

// A shooter with no direction shoots up.
void frmNewTileSet::applyShooterRule() {
  if (shooterCode_ != 0) return;
  chkShooter[0]->setChecked(true);
  shooterCode_ = ShooterFirst;
  selectedKind_ = ShooterFirst;
}

void frmNewTileSet::chkShooter_MouseUp() {
  shooterCode_ = ShooterCodeOf({chkShooter[0]->isChecked(), chkShooter[1]->isChecked(),
                                chkShooter[2]->isChecked(), chkShooter[3]->isChecked()});
}

void frmNewTileSet::chkAnimated_Click() { txtFrames->setEnabled(chkAnimated->isChecked()); }

// Numbers below 1 become 1 silently; text that is no number is refused with a message.
int frmNewTileSet::checkedNumber(QLineEdit* box) {
  bool isNumber = false;
  const int value = box->text().trimmed().toInt(&isNumber);
  if (!isNumber) {
    dialogs_.message(this, QMessageBox::Critical, QStringLiteral("Non-Valid Entry"),
                     QStringLiteral("Please enter a valid number."), QMessageBox::Ok);
    box->setText(QStringLiteral("1"));
    box->setFocus();
    return 1;
  }
  if (value < 1) {
    box->setText(QStringLiteral("1"));
    return 1;
  }
  return value;
}

void frmNewTileSet::txtFrames_Change() {
  // An empty box is a number still being typed; it is checked when the box is left.
  if (!txtFrames->text().isEmpty()) checkedNumber(txtFrames);
}

void frmNewTileSet::txtHits_LostFocus() { checkedNumber(txtHits); }

void frmNewTileSet::cmdNext_Click() {
  if (Option2->isChecked()) {
    selectedKind_ = shooterCode_;
    applyShooterRule();
  }
  cmdPrevious->setEnabled(true);
  AssignBrick();
  ++currentTile_;
  if (currentTile_ > tileCount_) tileCount_ = currentTile_;
  Update();
  if (currentTile_ == totalTiles_) cmdNext->setEnabled(false);
}

void frmNewTileSet::cmdPrevious_Click() {
  cmdNext->setEnabled(true);
  if (currentTile_ == 2) cmdPrevious->setEnabled(false);
  --currentTile_;
  Update();
}

// An animation being rebuilt frees the frames of its old run first.
void frmNewTileSet::releaseOldFrames(int t) {
  const TileDef& first = tiles_[static_cast<std::size_t>(t)];
  if (first.frameNumber != 1 || first.frameCount <= 1) return;
  const int end = std::min(t + first.frameCount - 1, totalTiles_);
  for (int k = t + 1; k <= end; ++k) {
    TileDef& frame = tiles_[static_cast<std::size_t>(k)];
    if (frame.frameNumber != k - t + 1) break;
    frame.frameCount = 1;
    frame.frameNumber = 1;
  }
}

void frmNewTileSet::markNextStage(int tile, int stage, int count) {
  if (tile > totalTiles_) return;
  TileDef& next = tiles_[static_cast<std::size_t>(tile)];
  next.hitStage = stage;
  next.hitCount = count;
}

void frmNewTileSet::AssignBrick() {
  const int t = currentTile_;
  TileDef& tile = tiles_[static_cast<std::size_t>(t)];
  // A later frame was written whole by its animation's first frame.
  if (chkAnimated->isChecked() && !chkAnimated->isEnabledTo(frmActions)) return;
  releaseOldFrames(t);

  int frames = 1;
  if (chkAnimated->isChecked()) {
    frames = std::min(checkedNumber(txtFrames), totalTiles_ - t + 1);  // an animation ends at the last tile
    tile.kind = selectedKind_;
  }
  tile.frameNumber = 1;
  tile.frameCount = frames;
  const int next = t + frames;

  const int hits = checkedNumber(txtHits);
  const int stage = lblHitStage->text().toInt();
  if (hits == 1) {
    tile.hitCount = 1;
    tile.hitStage = 1;
  } else if (stage == 1) {
    tile.hitStage = 1;
    tile.hitCount = hits;
    markNextStage(next, 2, hits);
  } else if (tile.hitStage < tile.hitCount) {
    markNextStage(next, stage + 1, tile.hitCount);
  }
  if (tile.frameCount == 1) tile.kind = selectedKind_;

  // Every frame of an animation is the same brick at the same stage.
  for (int k = t + 1; k < t + frames; ++k) {
    TileDef& frame = tiles_[static_cast<std::size_t>(k)];
    frame.frameCount = frames;
    frame.frameNumber = k - t + 1;
    frame.kind = tile.kind;
    frame.hitCount = tile.hitCount;
    frame.hitStage = tile.hitStage;
  }
}

// ---- Stage 3: ending and saving ----

void frmNewTileSet::Command2_Click() {
  if (currentTile_ != totalTiles_) {
    tileCount_ = currentTile_ - 1;  // the tile on screen is not included
  } else {
    if (Option2->isChecked()) {
      selectedKind_ = shooterCode_;
      applyShooterRule();
    }
    tileCount_ = totalTiles_;
    AssignBrick();
  }
  frmActions->setEnabled(false);
  cmdSave->setEnabled(true);
}

bool frmNewTileSet::SaveTileSet(const QString& path) {
  TileSet tileSet;
  tileSet.tileCount = tileCount_;
  tileSet.tiles.assign(tiles_.begin(), tiles_.begin() + tileCount_ + 1);
  std::string why;
  if (!WriteTileSetFile(path.toStdString(), tileSet, why)) {
    dialogs_.error(this, QStringLiteral("Error in writing file."));
    return false;
  }
  return true;
}

void frmNewTileSet::cmdSave_Click() {
  const std::string name = ReplaceLastThree(bitmapName_.toStdString(), "sft");
  // A failed save keeps the window open so that the assignments are not lost.
  if (SaveTileSet(root_ + QStringLiteral("/Tls/") + QString::fromStdString(name))) accept();
}

void frmNewTileSet::Command3_Click() {
  if (dialogs_.message(this, QMessageBox::Question, QStringLiteral("Cancel"),
                       QStringLiteral("Do you want to abandon current tileset?"),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  tiles_.clear();
  QDialog::reject();
}

void frmNewTileSet::reject() { Command3_Click(); }
