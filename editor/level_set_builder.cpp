// The level-set builder window.
#include "editor/level_set_builder.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUndoView>
#include <type_traits>

#include "content/level_set_file.h"
#include "editor/editor_dialogs.h"
#include "editor/level_renames.h"
#include "editor/undo_history.h"

namespace {

const QString SetFilter = QStringLiteral("Shardfall Levelsets (*.sfs)");
const QString LevelFilter = QStringLiteral("Shardfall Levels (*.sfl)");
constexpr int NameTyped = 1;  // the merging kind of the keys of one set name

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
  renameButton_ = Named(new QPushButton(QStringLiteral("Re&name File...")), "renameButton");
  duplicateButton_ = Named(new QPushButton(QStringLiteral("Dupl&icate File...")), "duplicateButton");
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
  layout->addWidget(levelList_, 2, 0, 6, 2);
  layout->addWidget(upButton_, 2, 2);
  layout->addWidget(downButton_, 3, 2);
  layout->addWidget(removeButton_, 4, 2);
  layout->addWidget(renameButton_, 5, 2);
  layout->addWidget(duplicateButton_, 6, 2);
  layout->addWidget(Named(new QLabel(QStringLiteral("Name of Level Set:")), "Label1"), 8, 0, 1, 3);
  layout->addWidget(nameBox_, 9, 0, 1, 3);
  layout->addWidget(cancelButton_, 10, 0);
  layout->addWidget(saveButton_, 10, 2);
  layout->addWidget(AddUndoHistory(this, layout, undoStack_), 0, 3, 11, 1);
  layout->setRowStretch(7, 1);
  buildFileActions();
  resize(620, 380);
}

// The file steps are also on the list's context menu, with keys of their own.
void LevelSetBuilder::buildFileActions() {
  connect(renameButton_, &QPushButton::clicked, this, &LevelSetBuilder::renameLevel);
  connect(duplicateButton_, &QPushButton::clicked, this, &LevelSetBuilder::duplicateLevel);
  auto* rename = new QAction(QStringLiteral("Rename File..."), levelList_);
  rename->setShortcut(QKeySequence(Qt::Key_F2));
  connect(rename, &QAction::triggered, this, &LevelSetBuilder::renameLevel);
  auto* duplicate = new QAction(QStringLiteral("Duplicate File..."), levelList_);
  duplicate->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
  connect(duplicate, &QAction::triggered, this, &LevelSetBuilder::duplicateLevel);
  levelList_->addActions({rename, duplicate});
  levelList_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

LevelSetBuilder::State LevelSetBuilder::state() const {
  return State{nameBox_->text(), levels_, levelList_->currentRow()};
}

void LevelSetBuilder::apply(const State& state) {
  levels_ = state.levels;
  for (Entry& level : levels_) {
    const auto moved = movedFiles_.find(QFileInfo(level.path).absoluteFilePath());
    if (moved == movedFiles_.end()) continue;
    level.path = moved->second;
    level.name = QFileInfo(level.path).fileName();
  }
  if (nameBox_->text() != state.name) nameBox_->setText(state.name);
  nameBefore_ = nameBox_->text();
  showLevels(state.selected);
}

void LevelSetBuilder::record(const QString& text, const State& before, int mergeId) {
  undoStack_.push(new StateCommand<State>(text, before, state(), [this](const State& s) { apply(s); }, mergeId));
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
  renameButton_->setEnabled(row >= 0);
  duplicateButton_->setEnabled(row >= 0);
}

void LevelSetBuilder::addLevels() {
  const QStringList chosen = dialogs_.openFileNames(this, folders_.dialogFolders(QStringLiteral("Lvl")), LevelFilter);
  const State before = state();
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
  showLevels(levelCount() - 1);
  const int added = levelCount() - static_cast<int>(before.levels.size());
  record(added == 1 ? QStringLiteral("Add ") + levels_.back().name : QStringLiteral("Add %1 levels").arg(added),
         before);
}

void LevelSetBuilder::swapWithNext(int row) {
  if (row < 0 || row + 1 >= levelCount()) return;
  std::swap(levels_[static_cast<std::size_t>(row)], levels_[static_cast<std::size_t>(row) + 1]);
}

void LevelSetBuilder::moveUp() {
  const int row = levelList_->currentRow();
  if (row < 1) return;
  const State before = state();
  swapWithNext(row - 1);
  showLevels(row - 1);
  record(QStringLiteral("Move %1 up").arg(levels_[static_cast<std::size_t>(row) - 1].name), before);
}

void LevelSetBuilder::moveDown() {
  const int row = levelList_->currentRow();
  if (row < 0 || row + 1 >= levelCount()) return;
  const State before = state();
  swapWithNext(row);
  showLevels(row + 1);
  record(QStringLiteral("Move %1 down").arg(levels_[static_cast<std::size_t>(row) + 1].name), before);
}

void LevelSetBuilder::removeLevel() {
  const int row = levelList_->currentRow();
  if (row < 0) return;
  const State before = state();
  levels_.erase(levels_.begin() + row);
  showLevels(std::min(row, levelCount() - 1));
  record(QStringLiteral("Remove ") + before.levels[static_cast<std::size_t>(row)].name, before);
}

// A name for a level file in Lvl, asked with `offered` in the box: one a set can hold and no level has yet.
// Empty when cancelled or refused (after saying why).
QString LevelSetBuilder::askLevelName(const QString& title, const QString& question, const QString& offered) {
  const QString typed = dialogs_.askText(this, title, question, offered);
  if (typed.isEmpty()) return {};
  const QString name = WithFilterExtension(typed, LevelFilter);
  const std::string problem = LevelFileNameProblem(name.toStdString());
  if (!problem.empty()) {
    dialogs_.error(this, QStringLiteral("%1: %2.\nChoose another name.").arg(name, QString::fromStdString(problem)));
    return {};
  }
  // A shipped level of that name would be hidden by it in every set: taken too.
  if (QFileInfo::exists(folders_.readPath(QStringLiteral("Lvl"), name))) {
    dialogs_.error(this, QStringLiteral("A level named %1 is already in Lvl.\nChoose another name.").arg(name));
    return {};
  }
  return name;
}

void LevelSetBuilder::renameLevel() {
  const int row = levelList_->currentRow();
  if (row < 0) return;
  const Entry level = levels_[static_cast<std::size_t>(row)];
  const QString folder = folders_.saveFolder(QStringLiteral("Lvl"));
  const QFileInfo file(level.path);
  if (!file.isFile() || file.absolutePath() != QFileInfo(folder).absoluteFilePath()) {
    dialogs_.error(this, QStringLiteral("%1 is not a file in %2.\nOnly levels in that folder can be renamed: "
                                        "Duplicate makes a copy there.").arg(level.path, folder));
    return;
  }
  const QString to = askLevelName(QStringLiteral("Rename Level"),
                                  QStringLiteral("New file name for %1:").arg(file.fileName()), file.fileName());
  if (to.isEmpty()) return;
  QStringList unread;
  const QStringList sets = SetsListing(folder, file.fileName(), unread);
  const QString comma = QStringLiteral(", ");
  QString question = QStringLiteral("Rename %1 to %2?\n").arg(file.fileName(), to);
  question += sets.isEmpty() ? QStringLiteral("No set in Lvl lists it.")
                             : QStringLiteral("The sets in Lvl that list it take the new name: %1.").arg(sets.join(comma));
  if (!unread.isEmpty())
    question += QStringLiteral("\nThese sets could not be read and stay as they are: %1.").arg(unread.join(comma));
  question += QStringLiteral("\nA renamed file is not part of Undo: rename it back to undo it.");
  if (!dialogs_.askYesNo(this, QStringLiteral("Rename Level"), question)) return;
  QStringList changed;
  QString error;
  const bool renamed = RenameLevelInFolder(folder, file.fileName(), to, changed, error);
  if (!error.isEmpty()) dialogs_.error(this, error);
  if (!renamed) return;
  const QString newPath = QFileInfo(folder + QLatin1Char('/') + to).absoluteFilePath();
  for (auto& [old, now] : movedFiles_)
    if (now == file.absoluteFilePath()) now = newPath;
  movedFiles_[file.absoluteFilePath()] = newPath;
  emit levelFileRenamed(file.absoluteFilePath(), newPath);
  apply(state());
}

// The copy goes into Lvl after the chosen level: an undoable step of the list, though the file stays.
void LevelSetBuilder::duplicateLevel() {
  const int row = levelList_->currentRow();
  if (row < 0) return;
  const Entry level = levels_[static_cast<std::size_t>(row)];
  if (!QFileInfo(level.path).isFile()) {
    dialogs_.error(this, QStringLiteral("%1 cannot be found.\nNothing was copied.").arg(level.path));
    return;
  }
  const QString to = askLevelName(
      QStringLiteral("Duplicate Level"),
      QStringLiteral("File name of the copy of %1 (made at once; Undo takes it out of this list but keeps the file):")
          .arg(level.name),
      CopyName(folders_.saveFolder(QStringLiteral("Lvl")), level.name));
  if (to.isEmpty()) return;
  QString error;
  const QString target = folders_.writePath(QStringLiteral("Lvl"), to, error);
  if (target.isEmpty() || !CopyLevelFile(level.path, target, error)) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe level was not copied.").arg(error));
    return;
  }
  const State before = state();
  levels_.insert(levels_.begin() + row + 1, Entry{to, target});
  showLevels(row + 1);
  record(QStringLiteral("Add ") + to, before);
  dialogs_.inform(this, folders_.savedElsewhereNotice(target));
}

// A list the designer changed is dropped only after asking.
bool LevelSetBuilder::mayDropList() {
  return undoStack_.isClean() || dialogs_.askYesNo(this, QStringLiteral("Cancel"),
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
  undoStack_.clear();
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
  if (typed.trimmed().isEmpty() || nameProblem(typed).isEmpty()) {
    State before = state();
    before.name = nameBefore_;
    nameBefore_ = typed;
    record(QStringLiteral("Name the set"), before, NameTyped);
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
