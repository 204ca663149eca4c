// Notices files changed on disk by other programs, also when they are replaced by renaming a new file over them.
#pragma once
#include <QByteArray>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>

class DiskWatch : public QObject {
  Q_OBJECT

 public:
  explicit DiskWatch(QObject* parent = nullptr);

  // Watches these files from now on (empty texts are left out); one watched before keeps what it was seen holding.
  void watch(const QStringList& paths);
  // What `path` holds now is what is shown: only a later change is reported.
  void taken(const QString& path);
  // While paused, changes are not reported; on resuming, every file is looked at once.
  void setPaused(bool paused);

 signals:
  // Once for each change of what the file holds.
  void changed(const QString& path);

 private:
  void look(const QString& path);
  void lookInFolder(const QString& folder);

  QFileSystemWatcher watcher_;
  QHash<QString, QByteArray> seen_;  // path -> digest of what it held (empty when it was missing)
  bool paused_ = false;
};
