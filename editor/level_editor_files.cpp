// The level window's files: tilesets, new, open, save, recent levels, the builders, playtest, the content check.
#include "editor/level_editor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <string>

#include "content/level_set_file.h"
#include "editor/adopt_file.h"
#include "editor/cell_clipboard.h"
#include "editor/content_check_window.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_pictures.h"
#include "editor/level_set_builder.h"
#include "editor/prove_level_window.h"
#include "editor/tileset_builder.h"
#include "editor/tileset_replacement.h"
#include "tools/content_tool/content_check.h"

namespace {

const QString TilesetFilter = QStringLiteral("Shardfall Tilesets (*.sft)");
const QString LevelFilter = QStringLiteral("Shardfall Level Files (*.sfl)");

}  // namespace

void LevelEditor::reportFailure(const QString& detail, const QString& abandoned) {
  dialogs_.error(this, detail + QLatin1Char('\n') + abandoned);
}

// ---- Tilesets ----

bool LevelEditor::loadTileSet(const QString& path, LoadedTileSet& out, const QString& abandoned) {
  QString error;
  if (LoadTileSetPair(folders_, path, out, error)) return true;
  reportFailure(error, abandoned);
  return false;
}

bool LevelEditor::OpenTileSet(const QString& path) {
  LoadedTileSet loaded;
  if (!loadTileSet(path, loaded, QStringLiteral("The palette was not reloaded."))) return false;
  document_->setTileSet(loaded);
  return true;
}

void LevelEditor::reloadTileSet() {
  syncSideBoxes();
  // A builder may just have saved the user's copy of a shipped tileset.
  OpenTileSet(folders_.readOverride(document_->tileSet().path));
}

// ---- New, open, save ----

bool LevelEditor::chooseTileSet(LoadedTileSet& loaded, const QString& abandoned) {
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Tls")), TilesetFilter);
  if (chosen.isEmpty()) return false;
  // Read before it is copied: a tileset that cannot be used leaves nothing behind in Tls.
  if (!loadTileSet(folders_.readOverride(chosen), loaded, abandoned)) return false;
  loaded.path = AdoptIntoDataFolder(this, dialogs_, folders_, QStringLiteral("Tls"), loaded.path,
                                    QStringLiteral("tileset"), abandoned, loaded.foreignBitmap());
  return !loaded.path.isEmpty();
}

void LevelEditor::NewLevel() {
  LoadedTileSet loaded;
  if (!chooseTileSet(loaded, QStringLiteral("No new level was started."))) return;
  painting_ = false;
  dropSelection();
  document_->startNew(loaded);
  chooseBrush(0);
}

bool LevelEditor::OpenFile(const QString& path) {
  QString error;
  QString warning;
  if (!document_->open(path, error, warning)) {
    reportFailure(error, QStringLiteral("The level was not opened."));
    return false;
  }
  painting_ = false;
  dropSelection();
  chooseBrush(0);
  recentFiles_->add(path);
  for (LevelEditor* window : windows()) window->showRecentFiles();
  if (!warning.isEmpty()) dialogs_.error(this, warning);
  return true;
}

bool LevelEditor::SaveFile(const QString& path) {
  QString error;
  if (!document_->save(path, error)) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe level was not saved.").arg(error));
    return false;
  }
  recentFiles_->add(path);
  for (LevelEditor* window : windows()) window->showRecentFiles();
  dialogs_.inform(this, folders_.savedElsewhereNotice(path));
  return true;
}

bool LevelEditor::askToSave(const QString& title) {
  if (!document_->isModified()) return true;
  const auto answer = dialogs_.message(this, QMessageBox::Question, title,
                                       QStringLiteral("Do you want to save current level?"),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return fileSave();
  return answer == QMessageBox::No;
}

void LevelEditor::fileNew() {
  // A declined or failed save keeps the current level rather than losing it.
  if (askToSave(QStringLiteral("New Level"))) NewLevel();
}

void LevelEditor::fileOpen() {
  if (!askToSave(QStringLiteral("New Level"))) return;
  const QString chosen = dialogs_.openFileName(this, folders_.dialogFolders(QStringLiteral("Lvl")), LevelFilter);
  if (chosen.isEmpty()) return;
  const QString path = folders_.readOverride(chosen);
  if (!raiseWindowHolding(path)) OpenFile(path);
}

bool LevelEditor::fileSave() {
  if (!document_->hasFileName()) return fileSaveAs();
  QString error;
  const QString target = folders_.saveTarget(document_->currentFile(), error);
  if (target.isEmpty()) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe level was not saved.").arg(error));
    return false;
  }
  return SaveFile(target);
}

bool LevelEditor::fileSaveAs() {
  const QString chosen = dialogs_.chooseSaveFile(this, folders_.saveFolder(QStringLiteral("Lvl")),
                                                 LevelFilter);
  if (chosen.isEmpty()) return false;
  // A level is saved only under a name that every set, dialog and check can use.
  const QString name = QFileInfo(chosen).fileName();
  const std::string problem = LevelFileNameProblem(name.toStdString());
  if (!problem.empty()) {
    dialogs_.error(this, QStringLiteral("%1: %2.\nThe level was not saved; save it under another name.")
                             .arg(name, QString::fromStdString(problem)));
    return false;
  }
  QString error;
  const QString target = folders_.saveTarget(chosen, error);
  if (target.isEmpty()) {
    dialogs_.error(this, QStringLiteral("Error in writing file.\n%1\nThe level was not saved.").arg(error));
    return false;
  }
  if (windowHolding(target)) {
    dialogs_.error(this, QStringLiteral("%1 is open in another window.\nThe level was not saved; save it under "
                                        "another name, or close that window first.").arg(target));
    return false;
  }
  return dialogs_.mayReplace(this, target) && SaveFile(target);
}

void LevelEditor::openRecent(const QString& path) {
  if (raiseWindowHolding(path) || !askToSave(QStringLiteral("New Level"))) return;
  if (OpenFile(path)) return;
  recentFiles_->remove(path);
  showRecentFiles();
}

void LevelEditor::showRecentFiles() {
  recentMenu_->clear();
  const QStringList texts = RecentMenuTexts(recentFiles_->files());
  for (qsizetype i = 0; i < texts.size(); ++i) {
    const QString path = recentFiles_->files()[i];
    QAction* action = recentMenu_->addAction(texts[i]);
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
  }
  recentMenu_->setEnabled(!recentFiles_->files().isEmpty());
}

// ---- Several windows ----

QList<LevelEditor*> LevelEditor::windows() {
  QList<LevelEditor*> found;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<LevelEditor*>(widget)) found << window;
  return found;
}

LevelEditor* LevelEditor::fileNewWindow() {
  auto* window = new LevelEditor(setup_, recentFiles_, nullptr);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return window;
}

void LevelEditor::closeAll() {
  for (LevelEditor* window : windows())
    if (window->isVisible() && !window->close()) return;
}

// The other window whose level was read from or saved as `path`, if any.
LevelEditor* LevelEditor::windowHolding(const QString& path) const {
  const QFileInfo wanted(path);
  for (LevelEditor* window : windows())
    if (window != this && window->isVisible() && window->hasFileName() && QFileInfo(window->currentFile()) == wanted)
      return window;
  return nullptr;
}

void LevelEditor::followRenamedFile(const QString& from, const QString& to) {
  for (LevelEditor* window : windows())
    if (window->hasFileName() && QFileInfo(window->currentFile()).absoluteFilePath() == from)
      window->document().moveFile(to);
}

bool LevelEditor::raiseWindowHolding(const QString& path) {
  LevelEditor* window = windowHolding(path);
  if (!window) return false;
  window->showNormal();
  window->raise();
  window->activateWindow();
  return true;
}

// The cells on the system clipboard become the block Paste places, fitted to this level's tileset.
bool LevelEditor::takeClipboardCells() {
  CopiedCells copied;
  if (!TakeCellsFromClipboard(copied)) return false;
  QString warning;
  stamp_ = FitToTileSet(copied, document_->tileSet(), warning);
  if (!warning.isEmpty()) dialogs_.error(this, warning);
  return true;
}

void LevelEditor::closeEvent(QCloseEvent* event) {
  if (askToSave(QStringLiteral("Exit"))) {
    event->accept();
  } else {
    event->ignore();
  }
}

// ---- The builders ----

// What a builder saves is read again when it closes, without asking as for a change made by another program.
void LevelEditor::runBuilder(QDialog& builder) {
  diskWatch_.setPaused(true);
  builder.exec();
  reloadTileSet();
  diskWatch_.setPaused(false);
}

void LevelEditor::makeLevelSet() {
  LevelSetBuilder builder(folders_, dialogs_, this);
  connect(&builder, &LevelSetBuilder::levelFileRenamed, this, &LevelEditor::followRenamedFile);
  runBuilder(builder);
}

void LevelEditor::newTileSet() {
  TileSetBuilder builder(folders_, dialogs_, this);
  runBuilder(builder);
}

void LevelEditor::editTileSet() {
  TileSetBuilder builder(folders_, dialogs_, this);
  if (builder.openTileSet(folders_.readOverride(document_->tileSet().path))) {
    runBuilder(builder);
  } else {
    reloadTileSet();
  }
}

// ---- Replacing the tileset ----

void LevelEditor::replaceTileSet() {
  LoadedTileSet loaded;
  if (!chooseTileSet(loaded, QStringLiteral("The tileset was not replaced."))) return;
  const QString name = QFileInfo(loaded.path).fileName();
  if (QFileInfo(loaded.path) == QFileInfo(document_->tileSet().path)) {
    dialogs_.inform(this, QStringLiteral("The level is already on %1.").arg(name));
    return;
  }
  const std::vector<TileChange> changes = TileSetChanges(document_->brickGrid(), document_->tileSet(), loaded);
  const QString text = changes.empty() ? QStringLiteral("Every brick keeps its kind on %1.").arg(name)
                                       : QStringLiteral("Bricks are kept by tile number. Framed in red: cells "
                                                        "emptied, as %1 lacks their tile; in amber: bricks that "
                                                        "do something else on it.").arg(name);
  const QImage picture = MarkChanges(copyImage_, document_->brickGrid(), loaded, changes);
  if (!dialogs_.preview(this, QStringLiteral("Replace Tileset"), text, picture.scaled(picture.size() / 2),
                        DescribeChanges(changes, name), QStringLiteral("Replace")))
    return;
  document_->replaceTileSet(loaded, GridWithout(document_->brickGrid(), changes));
}

// ---- Files changed on disk ----

void LevelEditor::watchFiles() {
  const QString tileSet = document_->tileSet().path;
  diskWatch_.watch({tileSet, TileSetBitmapPath(folders_, tileSet), document_->background().path});
}

void LevelEditor::offerReload(const QString& path) {
  if (!pendingReloads_.contains(path)) pendingReloads_ << path;
  if (askingReload_) return;  // asked after the question on screen
  askingReload_ = true;
  while (!pendingReloads_.isEmpty()) {
    const QString next = pendingReloads_.takeFirst();
    if (dialogs_.askYesNo(this, QStringLiteral("Reload"), QStringLiteral("%1 changed on disk. Reload?").arg(next)))
      reloadFromDisk(next);
  }
  askingReload_ = false;
}

// Reading a file again changes what is shown, never the cells or the undo history.
void LevelEditor::reloadFromDisk(const QString& path) {
  const Background& background = document_->background();
  if (path == background.path) {
    QImage picture;
    QString error;
    if (LoadBitmapPicture(path, picture, error)) {
      document_->reloadBackground(picture);
    } else {
      reportFailure(error, QStringLiteral("The background was not reloaded."));
    }
    return;
  }
  const QString tileSet = document_->tileSet().path;
  // The tileset file and its bitmap are read together: one question does for both.
  pendingReloads_.removeAll(tileSet);
  pendingReloads_.removeAll(TileSetBitmapPath(folders_, tileSet));
  OpenTileSet(tileSet);
}

// ---- Playtest, proof and the content check ----

bool LevelEditor::gameFinds(const QString& sub, const QString& path, const QString& what, const QString& abandoned) {
  if (folders_.findsByName(sub, path)) return true;
  reportFailure(QStringLiteral("%1: the game looks for the %2 in %3 and would not find it there.").arg(path, what, sub),
                abandoned);
  return false;
}

bool LevelEditor::gameFindsLevelFiles(const QString& abandoned) {
  const Background& background = document_->background();
  return gameFinds(QStringLiteral("Tls"), document_->tileSet().path, QStringLiteral("tileset"), abandoned) &&
         (background.path.isEmpty() ||
          gameFinds(QStringLiteral("Bgd"), background.path, QStringLiteral("background"), abandoned));
}

// The level goes to a folder of the editor's own, so the designer's files stay as they are.
bool LevelEditor::scratchFolderReady(const QString& abandoned) {
  if (!playtestFolder_) playtestFolder_ = std::make_unique<QTemporaryDir>();
  if (playtestFolder_->isValid()) return true;
  reportFailure(playtestFolder_->errorString(), abandoned);
  return false;
}

void LevelEditor::playtest() {
  const QString abandoned = QStringLiteral("The playtest was not started.");
  if (!gameFindsLevelFiles(abandoned)) return;
  if (!starter_) {
    reportFailure(QStringLiteral("This editor was started without a way to start the game."), abandoned);
    return;
  }
  if (!scratchFolderReady(abandoned)) return;
  QString error;
  const QString set = WritePlaytestFiles(playtestFolder_->path(), document_->levelToSave(), error);
  if (set.isEmpty() || !starter_->start(game_.program, PlaytestArguments(game_, set), error))
    reportFailure(error, abandoned);
}

void LevelEditor::proveLevel() {
  const QString abandoned = QStringLiteral("The proof was not started.");
  if (!gameFindsLevelFiles(abandoned) || !scratchFolderReady(abandoned)) return;
  const QString path = playtestFolder_->path() + QStringLiteral("/proof.sfl");
  std::string error;
  if (!WriteLevelFile(path.toStdString(), document_->levelToSave(), error)) {
    reportFailure(QString::fromStdString(error), abandoned);
    return;
  }
  auto* window = findChild<ProveLevelWindow*>();
  if (!window) window = new ProveLevelWindow(this);
  window->prove(contentTool_, path);
  window->show();
  window->raise();
}

void LevelEditor::checkContent() {
  QStringList problems;
  for (const std::string& problem : CheckDataTree(folders_.data())) problems << QString::fromStdString(problem);
  auto* window = findChild<ContentCheckWindow*>();
  if (!window) window = new ContentCheckWindow(this);
  window->showProblems(problems);
  window->show();
  window->raise();
}
