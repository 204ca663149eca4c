// Checking and copying chosen files into the data folders.
#include "editor/adopt_file.h"

#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <string>

#include "content/level_file.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_folders.h"
#include "editor/editor_pictures.h"
#include "editor/tileset_pair.h"

QString AdoptIntoDataFolder(QWidget* parent, EditorDialogs& dialogs, const EditorFolders& folders,
                            const QString& sub, const QString& path, const QString& what, const QString& abandoned,
                            const QImage& foreign, CopyDeclined declined) {
  auto fail = [&](const QString& detail) {
    dialogs.error(parent, detail + QLatin1Char('\n') + abandoned);
    return QString();
  };
  if (QFileInfo(path).fileName().toStdString().size() > static_cast<std::size_t>(FixedTextLength))
    return fail(QStringLiteral("%1: a level file holds names of at most %2 characters; rename the file and choose "
                               "it again.").arg(path).arg(FixedTextLength));
  const bool converting = !foreign.isNull();
  if (!converting && folders.findsByName(sub, path)) return path;
  // The picture comes last: the file itself, or the bitmap a tileset brings along.
  QStringList sources{path};
  if (path.endsWith(QStringLiteral(".sft"))) sources << TileSetBitmapPath(folders, path);
  QStringList targets;
  QString error;
  for (const QString& source : sources) {
    const QString name = QFileInfo(source).fileName();
    const bool picture = converting && source == sources.last();
    targets << folders.writePath(sub, picture ? GamePictureName(name) : name, error);
    if (targets.last().isEmpty()) return fail(error);
  }
  const QString asked = converting ? targets.last() : targets.first();
  const QString replacing = QFileInfo::exists(asked) ? QStringLiteral(", replacing the file there") : QString();
  const QString question =
      converting ? QStringLiteral("%1 is a picture the game cannot show as it stands (a PNG, or a BMP kind it does "
                                  "not read).\nWrite it into %2 as %3, a 24-bit BMP the game reads%4? Any "
                                  "transparency is dropped: see-through pixels keep their colour.")
                       .arg(sources.last(), QFileInfo(asked).absolutePath(), QFileInfo(asked).fileName(), replacing)
                 : QStringLiteral("%1 lies outside %2, where the game looks for the %3.\nCopy it into %4%5?")
                       .arg(path, sub, what, QFileInfo(asked).absolutePath(), replacing);
  if (!dialogs.askYesNo(parent, EditorTitle, question))
    return declined == CopyDeclined::Keeps ? path : QString();
  for (qsizetype i = 0; i < sources.size(); ++i) {
    const bool written = converting && i == sources.size() - 1 ? WriteGamePicture(targets[i], foreign, error)
                                                               : CopyFileReplacing(sources[i], targets[i], error);
    if (!written) return fail(error);
  }
  dialogs.inform(parent, folders.savedElsewhereNotice(targets.first()));
  return targets.first();
}
