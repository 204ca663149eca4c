// The recent-files list and its settings file.
#include "editor/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString Key = QStringLiteral("recentLevels");
}

RecentFiles::RecentFiles(QString storePath) : storePath_(std::move(storePath)) {
  if (storePath_.isEmpty()) return;
  files_ = QSettings(storePath_, QSettings::IniFormat).value(Key).toStringList().mid(0, Kept);
}

void RecentFiles::add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  files_ = files_.mid(0, Kept);
  store();
}

void RecentFiles::remove(const QString& path) {
  files_.removeAll(path);
  store();
}

void RecentFiles::store() const {
  if (storePath_.isEmpty()) return;
  QSettings settings(storePath_, QSettings::IniFormat);
  settings.setValue(Key, files_);
}

QStringList RecentMenuTexts(const QStringList& paths) {
  QStringList names;
  for (const QString& path : paths) names << QFileInfo(path).fileName();
  QStringList texts;
  for (qsizetype i = 0; i < paths.size(); ++i)
    texts << (names.count(names[i]) > 1 ? QStringLiteral("%1 (%2)").arg(names[i], QFileInfo(paths[i]).absolutePath())
                                        : names[i]);
  return texts;
}
