// Watching files by their content: a digest per file, compared whenever the system reports the file or its folder.
#include "editor/disk_watch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Digest(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash hash(QCryptographicHash::Sha1);
  hash.addData(&file);
  return hash.result();
}

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

}  // namespace

DiskWatch::DiskWatch(QObject* parent) : QObject(parent) {
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DiskWatch::look);
  // A file replaced by a rename leaves the watch; its folder's change brings it back.
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::lookInFolder);
}

void DiskWatch::watch(const QStringList& paths) {
  QHash<QString, QByteArray> kept;
  for (const QString& path : paths)
    if (!path.isEmpty()) kept.insert(path, seen_.contains(path) ? seen_.value(path) : Digest(path));
  seen_ = kept;
  for (const QStringList& old : {watcher_.files(), watcher_.directories()})
    if (!old.isEmpty()) watcher_.removePaths(old);
  for (auto entry = seen_.cbegin(); entry != seen_.cend(); ++entry) {
    if (QFileInfo::exists(entry.key())) watcher_.addPath(entry.key());
    if (!watcher_.directories().contains(FolderOf(entry.key()))) watcher_.addPath(FolderOf(entry.key()));
  }
}

void DiskWatch::taken(const QString& path) {
  if (seen_.contains(path)) seen_.insert(path, Digest(path));
}

void DiskWatch::setPaused(bool paused) {
  paused_ = paused;
  if (!paused_)
    for (const QString& path : seen_.keys()) look(path);
}

void DiskWatch::look(const QString& path) {
  if (!seen_.contains(path) || paused_) return;
  if (QFileInfo::exists(path) && !watcher_.files().contains(path)) watcher_.addPath(path);
  const QByteArray now = Digest(path);
  // A file being replaced is missing for a moment: only what it holds afterwards counts.
  if (now.isEmpty() || now == seen_.value(path)) return;
  seen_.insert(path, now);
  emit changed(path);
}

void DiskWatch::lookInFolder(const QString& folder) {
  for (const QString& path : seen_.keys())
    if (FolderOf(path) == folder) look(path);
}
