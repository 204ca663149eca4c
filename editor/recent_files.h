// The levels opened or saved last, newest first, kept in a small settings file between runs.
#pragma once
#include <QString>
#include <QStringList>

class RecentFiles {
 public:
  static constexpr int Kept = 8;
  // An empty `storePath` keeps the list for this run only.
  explicit RecentFiles(QString storePath);

  const QStringList& files() const { return files_; }
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store() const;

  QString storePath_;
  QStringList files_;
};

// The menu's line for each path: its file name, followed by its folder when another path has the same name.
QStringList RecentMenuTexts(const QStringList& paths);
