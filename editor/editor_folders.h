// The data folders as the editor sees them: read from the shipped tree or the user's, saved into the user's.
#pragma once
#include <QString>
#include <QStringList>
#include <memory>

#include "content/data_folders.h"

// A user's file overrides the shipped one of the same name; both trees share the Tls / Lvl / Bgd layout.
class EditorFolders {
 public:
  explicit EditorFolders(DataFolders folders) : folders_(std::move(folders)) {}
  // One program folder that is read and written in place.
  static EditorFolders same(const QString& folder);

  const DataFolders& data() const { return folders_; }
  bool split() const { return folders_.shipped != folders_.user; }

  // The file the game reads for `name` in `sub` ("Tls", "Lvl" or "Bgd"): the user's copy, else the shipped one.
  QString readPath(const QString& sub, const QString& name) const;
  // Where a file of `name` in `sub` is saved; creates the user's sub-folder. Empty with `error` set on failure.
  QString writePath(const QString& sub, const QString& name, QString& error) const;
  // The folders a file dialog offers for `sub`: the user's first (where it opens), then the shipped one.
  QStringList dialogFolders(const QString& sub) const;
  // The user's `sub` folder, created when missing: where save dialogs open.
  QString saveFolder(const QString& sub) const;

  // A path the designer picked from a data sub-folder, read as the game would: the user's copy of a shipped file.
  QString readOverride(const QString& path) const;
  // Where saving over `path` writes: a shipped file is saved as the user's copy of the same name.
  QString saveTarget(const QString& path, QString& error) const;
  // True when the game, looking `path`'s file name up in `sub`, reads this very file.
  bool findsByName(const QString& sub, const QString& path) const;
  // The first time in a run that a file is saved into the user's folder because the shipped tree is kept apart:
  // the text telling the designer where saves go. Otherwise an empty text. Copies share the "first time".
  QString savedElsewhereNotice(const QString& savedPath) const;

 private:
  // The sub-folder of the shipped tree that holds `path`, or an empty text.
  QString shippedSubFolderOf(const QString& path) const;

  DataFolders folders_;
  std::shared_ptr<bool> toldWhereSavesGo_ = std::make_shared<bool>(false);
};

// Copies `from` to `to` (replacing it) through a temporary file, so a failed copy leaves `to` as it was.
bool CopyFileReplacing(const QString& from, const QString& to, QString& error);
