// Checking and copying chosen files into the data folders.
#include "editor/adopt_file.h"

#include <QFileInfo>
#include <QStringList>
#include <string>

#include "content/level_file.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_folders.h"
#include "editor/tileset_pair.h"

QString AdoptIntoDataFolder(QWidget* parent, EditorDialogs& dialogs, const EditorFolders& folders,
                            const QString& sub, const QString& path, const QString& what, const QString& abandoned,
                            CopyDeclined declined) {
  auto fail = [&](const QString& detail) {
    dialogs.error(parent, detail + QLatin1Char('\n') + abandoned);
    return QString();
  };
  if (QFileInfo(path).fileName().toStdString().size() > static_cast<std::size_t>(FixedTextLength))
    return fail(QStringLiteral("%1: a level file holds names of at most %2 characters; rename the file and choose "
                               "it again.").arg(path).arg(FixedTextLength));
  if (folders.findsByName(sub, path)) return path;
  QStringList sources{path};
  if (path.endsWith(QStringLiteral(".sft"))) sources << TileSetBitmapPath(folders, path);
  QStringList targets;
  QString error;
  for (const QString& source : sources) {
    targets << folders.writePath(sub, QFileInfo(source).fileName(), error);
    if (targets.last().isEmpty()) return fail(error);
  }
  const QString replacing = QFileInfo::exists(targets.first()) ? QStringLiteral(", replacing the file there") : QString();
  if (!dialogs.askYesNo(parent, EditorTitle,
                        QStringLiteral("%1 lies outside %2, where the game looks for the %3.\nCopy it into %4%5?")
                            .arg(path, sub, what, QFileInfo(targets.first()).absolutePath(), replacing)))
    return declined == CopyDeclined::Keeps ? path : QString();
  for (qsizetype i = 0; i < sources.size(); ++i)
    if (!CopyFileReplacing(sources[i], targets[i], error)) return fail(error);
  return targets.first();
}
