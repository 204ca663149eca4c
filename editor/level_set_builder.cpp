// The level-set builder window.
#include "editor/level_set_builder.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <type_traits>

#include "content/level_set_file.h"
#include "editor/editor_dialogs.h"

namespace {

const QString SetFilter = QStringLiteral("Shardfall Levelsets (*.sfs)");

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  if constexpr (std::is_base_of_v<QPushButton, Control>) control->setAutoDefault(false);
  return control;
}

}  // namespace

LevelSetBuilder::LevelSetBuilder(const EditorFolders& folders, EditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), folders_(folders), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmNewLevelSet"));
  setWindowTitle(QStringLiteral("New Levelset"));
  setModal(true);
  buildControls();
  showLevels(-1);
}

void LevelSetBuilder::buildControls() {
  levelPaths_ = Named(new QComboBox, "cboLevels");
  addButton_ = Named(new QPushButton(QStringLiteral("&Add Level")), "cmdAddLevel");
  addButton_->setToolTip(QStringLiteral("Add one or more levels at the end of the set"));
  countLabel_ = Named(new QLabel(QStringLiteral("0 Levels")), "lblNumLevels");
  nameBox_ = Named(new QLineEdit(QStringLiteral("Shardfall Levels")), "txtLevelSetName");
  cancelButton_ = Named(new QPushButton(QStringLiteral("&Cancel")), "cmdCancel");
  saveButton_ = Named(new QPushButton(QStringLiteral("&Save")), "cmdSave");
  levelList_ = Named(new QListWidget, "levelList");
  openButton_ = Named(new QPushButton(QStringLiteral("&Open Set")), "openSetButton");
  upButton_ = Named(new QPushButton(QStringLiteral("Move &Up")), "moveUpButton");
  downButton_ = Named(new QPushButton(QStringLiteral("Move &Down")), "moveDownButton");
  removeButton_ = Named(new QPushButton(QStringLiteral("&Remove")), "removeButton");
  connect(addButton_, &QPushButton::clicked, this, &LevelSetBuilder::addLevels);
  connect(openButton_, &QPushButton::clicked, this, &LevelSetBuilder::chooseSet);
  connect(upButton_, &QPushButton::clicked, this, &LevelSetBuilder::moveUp);
  connect(downButton_, &QPushButton::clicked, this, &LevelSetBuilder::moveDown);
  connect(removeButton_, &QPushButton::clicked, this, &LevelSetBuilder::removeLevel);
  connect(saveButton_, &QPushButton::clicked, this, &LevelSetBuilder::saveSet);
  connect(cancelButton_, &QPushButton::clicked, this, &LevelSetBuilder::reject);
  nameBefore_ = nameBox_->text();
  connect(nameBox_, &QLineEdit::textEdited, this, &LevelSetBuilder::checkName);
  connect(levelList_, &QListWidget::currentRowChanged, this, &LevelSetBuilder::showMoveButtons);

  auto* layout = new QGridLayout(this);
  layout->addWidget(levelPaths_, 0, 0, 1, 3);
  layout->addWidget(addButton_, 1, 0);
  layout->addWidget(countLabel_, 1, 1);
  layout->addWidget(openButton_, 1, 2);
  layout->addWidget(levelList_, 2, 0, 4, 2);
  layout->addWidget(upButton_, 2, 2);
  layout->addWidget(downButton_, 3, 2);
  layout->addWidget(removeButton_, 4, 2);
  layout->addWidget(Named(new QLabel(QStringLiteral("Name of Level Set:")), "Label1"), 6, 0, 1, 3);
  layout->addWidget(nameBox_, 7, 0, 1, 3);
  layout->addWidget(cancelButton_, 8, 0);
  layout->addWidget(saveButton_, 8, 2);
  layout->setRowStretch(5, 1);
  resize(420, 360);
}

std::vector<std::string> LevelSetBuilder::levelNames() const {
  std::vector<std::string> names;
  for (const Entry& level : levels_) names.push_back(level.name.toStdString());
  return names;
}

void LevelSetBuilder::showLevels(int selected) {
  levelPaths_->clear();
  levelList_->clear();
  for (const Entry& level : levels_) {
    levelPaths_->addItem(level.path);
    const bool found = folders_.findsByName(QStringLiteral("Lvl"), level.path);
    auto* item = new QListWidgetItem(found ? level.name : level.name + QStringLiteral("  (not in Lvl: the game will not find it)"));
    item->setToolTip(level.path);
    levelList_->addItem(item);
  }
  levelPaths_->setCurrentIndex(levelCount() - 1);
  levelList_->setCurrentRow(selected);
  showMoveButtons();
  countLabel_->setText(levelCount() == 1 ? QStringLiteral("1 Level") : QStringLiteral("%1 Levels").arg(levelCount()));
  saveButton_->setEnabled(levelCount() > 0 || !openedSet_.isEmpty());
}

void LevelSetBuilder::showMoveButtons() {
  const int row = levelList_->currentRow();
  upButton_->setEnabled(row > 0);
  downButton_->setEnabled(row >= 0 && row + 1 < levelCount());
  removeButton_->setEnabled(row >= 0);
}

void LevelSetBuilder::addLevels() {
  const QStringList chosen = dialogs_.openFileNames(this, folders_.dialogFolders(QStringLiteral("Lvl")),
                                                    QStringLiteral("Shardfall Levels (*.sfl)"));
  QStringList refused;
  for (const QString& path : chosen) {
    const QString name = QFileInfo(path).fileName();
    const std::string problem = LevelFileNameProblem(name.toStdString());
    if (problem.empty()) levels_.push_back({name, folders_.readOverride(path)});
    else refused << QStringLiteral("%1: %2.").arg(name, QString::fromStdString(problem));
  }
  if (!refused.isEmpty())
    dialogs_.error(this, refused.join(QLatin1Char('\n')) + QStringLiteral("\nRename the file to add it to a set."));
  if (chosen.size() == refused.size()) return;
  changed_ = true;
  showLevels(levelCount() - 1);
}

void LevelSetBuilder::swapWithNext(int row) {
  if (row < 0 || row + 1 >= levelCount()) return;
  std::swap(levels_[static_cast<std::size_t>(row)], levels_[static_cast<std::size_t>(row) + 1]);
  changed_ = true;
}

void LevelSetBuilder::moveUp() {
  const int row = levelList_->currentRow();
  if (row < 1) return;
  swapWithNext(row - 1);
  showLevels(row - 1);
}

void LevelSetBuilder::moveDown() {
  const int row = levelList_->currentRow();
  if (row < 0 || row + 1 >= levelCount()) return;
  swapWithNext(row);
  showLevels(row + 1);
}

void LevelSetBuilder::removeLevel() {
  const int row = levelList_->currentRow();
  if (row < 0) return;
  levels_.erase(levels_.begin() + row);
  changed_ = true;
  showLevels(std::min(row, levelCount() - 1));
}

// A list the designer changed is dropped only after asking.
bool LevelSetBuilder::mayDropList() {
  return !changed_ || dialogs_.askYesNo(this, QStringLiteral("Cancel"),
                                        QStringLiteral("Do you want to abandon the changes to this level set?"));
}

void LevelSetBuilder::chooseSet() {
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Lvl")), SetFilter);
  if (!chosen.isEmpty() && mayDropList()) openSet(folders_.readOverride(chosen));
}

bool LevelSetBuilder::openSet(const QString& path) {
  LevelSet set;
  std::string error;
  if (!ReadLevelSetFile(path.toStdString(), set, error)) {
    dialogs_.error(this, QString::fromStdString(error) + QStringLiteral("\nThe level set was not opened."));
    return false;
  }
  levels_.clear();
  // The levels the game would play.
  for (const std::string& file : set.levelFiles) {
    const std::filesystem::path level = SetLevelPath(folders_.data(), path.toStdString(), file);
    levels_.push_back({QString::fromStdString(file), QString::fromStdString(level.string())});
  }
  nameBox_->setText(QString::fromStdString(set.levelSetName));
  nameBefore_ = nameBox_->text();
  openedSet_ = path;
  changed_ = false;
  setWindowTitle(QStringLiteral("Levelset - ") + QFileInfo(path).fileName());
  showLevels(levelCount() - 1);
  return true;
}

QString LevelSetBuilder::nameProblem(const QString& name) const {
  const std::string why = LevelSetNameProblem(name.toStdString());
  return why.empty() ? QString()
                     : QStringLiteral("The level set cannot be named \"%1\": %2.").arg(name, QString::fromStdString(why));
}

// A name a set cannot store is refused as it is typed, and the box goes back to the name before; an empty box
// is a name still being typed, checked when saving.
void LevelSetBuilder::checkName(const QString& typed) {
  changed_ = true;
  if (typed.trimmed().isEmpty() || nameProblem(typed).isEmpty()) {
    nameBefore_ = typed;
    return;
  }
  nameBox_->setText(nameBefore_);
  dialogs_.error(this, nameProblem(typed));
}

void LevelSetBuilder::saveSet() {
  if (const QString problem = nameProblem(nameBox_->text()); !problem.isEmpty()) {
    dialogs_.error(this, problem + QStringLiteral("\nThe level set was not saved."));
    return;
  }
  const QString start = folders_.saveFolder(QStringLiteral("Lvl")) +
                        (openedSet_.isEmpty() ? QString() : QLatin1Char('/') + QFileInfo(openedSet_).fileName());
  const QString chosen = dialogs_.chooseSaveFile(this, start, SetFilter);
  if (chosen.isEmpty()) return;
  // The game finds sets in Lvl, whatever folder the dialog was in: the set is written there.
  QString error;
  const QString path = folders_.writePath(QStringLiteral("Lvl"), QFileInfo(chosen).fileName(), error);
  const bool sameFile = !openedSet_.isEmpty() && QFileInfo(path) == QFileInfo(openedSet_);
  if (!path.isEmpty() && !sameFile && !dialogs_.mayReplace(this, path)) return;
  LevelSet set;
  set.levelSetName = nameBox_->text().toStdString();
  set.levelFiles = levelNames();
  std::string why;
  if (path.isEmpty() || !WriteLevelSetFile(path.toStdString(), set, why)) {
    if (error.isEmpty()) error = QString::fromStdString(why);
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe level set was not saved.").arg(error));
    return;
  }
  dialogs_.inform(this, folders_.savedElsewhereNotice(path));
  accept();
}

void LevelSetBuilder::reject() {
  if (mayDropList()) QDialog::reject();
}
