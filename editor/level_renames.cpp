// Level renames: the new file first, then the sets, then the old file goes; any failure rolls back.
#include "editor/level_renames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "content/level_set_file.h"

namespace {

QString InFolder(const QString& folder, const QString& name) { return folder + QLatin1Char('/') + name; }
std::string PathIn(const QString& folder, const QString& name) { return InFolder(folder, name).toStdString(); }

struct SetFile {
  QString name;
  Bytes original;  // put back as it was, byte for byte, when the rename is rolled back
  LevelSet set;
};

std::vector<SetFile> ReadSetsListing(const QString& folder, const QString& levelName, QStringList& unread) {
  std::vector<SetFile> sets;
  const QStringList names = QDir(folder).entryList({QStringLiteral("*.sfs")}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    SetFile file{name, {}, {}};
    std::string why;
    const std::string path = PathIn(folder, name);
    if (!ReadWholeFile(path, file.original, why) || !ReadLevelSetFile(path, file.set, why)) {
      unread << name;
      continue;
    }
    const auto& levels = file.set.levelFiles;
    if (std::find(levels.begin(), levels.end(), levelName.toStdString()) != levels.end()) sets.push_back(file);
  }
  return sets;
}

// Puts back the sets written so far and removes the new level; says what could not be put back.
QString RollBack(const QString& folder, const std::vector<SetFile>& written, const QString& to) {
  QString left;
  for (const SetFile& file : written) {
    std::string why;
    if (!WriteFileAtomically(PathIn(folder, file.name), file.original, why))
      left += QStringLiteral("\n%1 still lists the new name and could not be put back: %2")
                  .arg(file.name, QString::fromStdString(why));
  }
  if (left.isEmpty() && !QFile::remove(InFolder(folder, to)))
    left += QStringLiteral("\n%1 is left as a copy of the level.").arg(to);
  return left;
}

}  // namespace

QStringList SetsListing(const QString& folder, const QString& levelName, QStringList& unread) {
  QStringList names;
  for (const SetFile& file : ReadSetsListing(folder, levelName, unread)) names << file.name;
  return names;
}

bool CopyLevelFile(const QString& from, const QString& to, QString& error) {
  Bytes bytes;
  std::string why;
  bool taken = false;
  if (ReadWholeFile(from.toStdString(), bytes, why) && WriteNewFile(to.toStdString(), bytes, why, taken)) return true;
  error = taken ? QStringLiteral("%1 already exists.").arg(to) : QString::fromStdString(why);
  return false;
}

bool RenameLevelInFolder(const QString& folder, const QString& from, const QString& to, QStringList& changedSets,
                         QString& error) {
  QStringList unread;
  const std::vector<SetFile> sets = ReadSetsListing(folder, from, unread);
  if (!CopyLevelFile(InFolder(folder, from), InFolder(folder, to), error)) return false;
  std::vector<SetFile> written;
  for (const SetFile& file : sets) {
    LevelSet renamed = file.set;
    std::replace(renamed.levelFiles.begin(), renamed.levelFiles.end(), from.toStdString(), to.toStdString());
    std::string why;
    if (!WriteLevelSetFile(PathIn(folder, file.name), renamed, why)) {
      error = QStringLiteral("The set %1 could not be written: %2\nNothing was renamed.%3")
                  .arg(file.name, QString::fromStdString(why), RollBack(folder, written, to));
      return false;
    }
    written.push_back(file);
    changedSets << file.name;
  }
  // Every set names the new file now: an old file that stays behind is only a spare copy.
  if (!QFile::remove(InFolder(folder, from)))
    error = QStringLiteral("%1 could not be removed; it stays as a copy of %2.").arg(from, to);
  return true;
}

QString CopyName(const QString& folder, const QString& levelName) {
  const QString stem = QFileInfo(levelName).completeBaseName();
  QString name = stem + QStringLiteral(" copy.sfl");
  for (int n = 2; QFileInfo::exists(InFolder(folder, name)); ++n)
    name = QStringLiteral("%1 copy %2.sfl").arg(stem).arg(n);
  return name;
}
