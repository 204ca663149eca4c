// Reading across the shipped and the user's data folders, and saving into the user's.
#include "editor/editor_folders.h"

#include <QDir>
#include <QFileInfo>
#include <string>

#include "content/file_io.h"

namespace {

QString FromPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

// Two names for one file: compared after resolving links and dots, so "a/../Lvl/x" equals "Lvl/x".
bool SameFile(const QString& a, const QString& b) {
  const QString first = QFileInfo(a).canonicalFilePath();
  return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

}  // namespace

EditorFolders EditorFolders::same(const QString& folder) { return EditorFolders(SameFolders(ToPath(folder))); }

QString EditorFolders::readPath(const QString& sub, const QString& name) const {
  return FromPath(ReadPath(folders_, ToPath(sub) / ToPath(name)));
}

QString EditorFolders::writePath(const QString& sub, const QString& name, QString& error) const {
  std::filesystem::path out;
  std::string why;
  if (!PrepareWritePath(folders_, ToPath(sub) / ToPath(name), out, why)) {
    error = QString::fromStdString(why);
    return {};
  }
  return FromPath(out);
}

QStringList EditorFolders::dialogFolders(const QString& sub) const {
  QStringList folders{FromPath(folders_.user / ToPath(sub))};
  if (split()) folders << FromPath(folders_.shipped / ToPath(sub));
  return folders;
}

QString EditorFolders::saveFolder(const QString& sub) const {
  const QString folder = FromPath(folders_.user / ToPath(sub));
  QDir().mkpath(folder);
  return folder;
}

QString EditorFolders::shippedSubFolderOf(const QString& path) const {
  if (!split()) return {};
  const QString folder = QFileInfo(path).absolutePath();
  for (const QString& sub : {QStringLiteral("Tls"), QStringLiteral("Lvl"), QStringLiteral("Bgd")})
    if (QFileInfo(folder) == QFileInfo(FromPath(folders_.shipped / ToPath(sub)))) return sub;
  return {};
}

QString EditorFolders::readOverride(const QString& path) const {
  const QString sub = shippedSubFolderOf(path);
  return sub.isEmpty() ? path : readPath(sub, QFileInfo(path).fileName());
}

QString EditorFolders::saveTarget(const QString& path, QString& error) const {
  const QString sub = shippedSubFolderOf(path);
  return sub.isEmpty() ? path : writePath(sub, QFileInfo(path).fileName(), error);
}

bool EditorFolders::findsByName(const QString& sub, const QString& path) const {
  return SameFile(readPath(sub, QFileInfo(path).fileName()), path);
}

QString EditorFolders::savedElsewhereNotice(const QString& savedPath) const {
  const QString user = QDir::cleanPath(FromPath(folders_.user));
  if (!split() || *toldWhereSavesGo_ || !QFileInfo(savedPath).absoluteFilePath().startsWith(user + QLatin1Char('/')))
    return {};
  *toldWhereSavesGo_ = true;
  return QStringLiteral("%1 was saved in your own folder %2, because %3 cannot be written (or is where the game "
                        "is installed). The game and the editor read your files there first, so the game plays "
                        "what you save. This is said once a run.")
      .arg(savedPath, user, FromPath(folders_.shipped));
}

bool CopyFileReplacing(const QString& from, const QString& to, QString& error) {
  Bytes bytes;
  std::string why;
  if (!ReadWholeFile(ToPath(from), bytes, why) || !WriteFileAtomically(ToPath(to), bytes, why)) {
    error = QString::fromStdString(why);
    return false;
  }
  return true;
}
