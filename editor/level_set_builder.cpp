// The level-set builder window.
#include "editor/level_set_builder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "content/level_set_file.h"
#include "content/names.h"
#include "editor/editor_dialogs.h"

namespace {

// Positions are whole pixels of the original twip layout (15 twips to a pixel).
template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(geometry);
  return control;
}

}  // namespace

frmNewLevelSet::frmNewLevelSet(const QString& root, EditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), root_(root), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmNewLevelSet"));
  setWindowTitle(QStringLiteral("New Levelset"));
  setModal(true);
  setFixedSize(169, 161);
  cboLevels = Place(new QComboBox(this), "cboLevels", QRect(8, 8, 153, 21));
  cmdAddLevel = Place(new QPushButton(QStringLiteral("&Add Level"), this), "cmdAddLevel", QRect(8, 40, 81, 25));
  lblNumLevels = Place(new QLabel(QStringLiteral("0 Levels"), this), "lblNumLevels", QRect(96, 45, 65, 17));
  Place(new QLabel(QStringLiteral("Name of Level Set:"), this), "Label1", QRect(8, 80, 153, 17));
  txtLevelSetName =
      Place(new QLineEdit(QStringLiteral("Shardfall Levels"), this), "txtLevelSetName", QRect(8, 96, 153, 19));
  cmdCancel = Place(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel", QRect(8, 128, 73, 25));
  cmdSave = Place(new QPushButton(QStringLiteral("&Save"), this), "cmdSave", QRect(88, 128, 73, 25));
  cmdSave->setEnabled(false);
  cmdAddLevel->setAutoDefault(false);
  cmdCancel->setAutoDefault(false);
  cmdSave->setAutoDefault(false);
  connect(cmdAddLevel, &QPushButton::clicked, this, &frmNewLevelSet::cmdAddLevel_Click);
  connect(cmdSave, &QPushButton::clicked, this, &frmNewLevelSet::cmdSave_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmNewLevelSet::cmdCancel_Click);
}

void frmNewLevelSet::cmdAddLevel_Click() {
  const QString path =
      dialogs_.openFileName(this, root_ + QStringLiteral("/Lvl"), QStringLiteral("Shardfall Levels (*.sfl)"));
  if (path.isEmpty()) return;
  levelNames_.push_back(FileNameOf(path.toStdString()));
  cboLevels->addItem(path);
  cboLevels->setCurrentIndex(cboLevels->count() - 1);
  lblNumLevels->setText(levelCount() == 1 ? QStringLiteral("1 Level")
                                          : QStringLiteral("%1 Levels").arg(levelCount()));
  cmdSave->setEnabled(true);
}

void frmNewLevelSet::cmdSave_Click() {
  const QString chosen =
      dialogs_.saveFileName(this, root_ + QStringLiteral("/Lvl"), QStringLiteral("Shardfall Levelsets (*.sfs)"));
  if (chosen.isEmpty()) return;
  // The game finds sets only in its own Lvl folder, whatever folder the dialog was in.
  const std::string path = (root_ + QStringLiteral("/Lvl/")).toStdString() + FileNameOf(chosen.toStdString());
  LevelSet levelSet;
  levelSet.levelSetName = txtLevelSetName->text().toStdString();
  levelSet.levelFiles = levelNames_;
  std::string why;
  if (!WriteLevelSetFile(path, levelSet, why)) {
    dialogs_.error(this, QStringLiteral("Error in writing file."));
    return;
  }
  accept();
}

void frmNewLevelSet::cmdCancel_Click() { reject(); }
