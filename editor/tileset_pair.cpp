// Reading a tileset and its bitmap.
#include "editor/tileset_pair.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <string>

#include "content/names.h"
#include "editor/editor_folders.h"
#include "editor/editor_pictures.h"

int LoadedTileSet::cellColumns() const { return static_cast<int>(std::nearbyint(bitmap.width() / double(TileWidth))); }

int LoadedTileSet::cellRows() const { return static_cast<int>(std::nearbyint(bitmap.height() / double(TileHeight))); }

int LoadedTileSet::usableTiles() const {
  return std::min<int>(tileSet.tileCount, cellColumns() * cellRows());
}

QImage LoadedTileSet::tileImage(int tile) const {
  if (tile < 1 || tile > usableTiles()) return {};
  const TileDef& def = tileSet.tiles[static_cast<std::size_t>(tile)];
  return TileImage(bitmap, def.imageX, def.imageY);
}

QString TileSetBitmapPath(const EditorFolders& folders, const QString& tileSetPath) {
  const QString name = QString::fromStdString(ReplaceLastThree(QFileInfo(tileSetPath).fileName().toStdString(), "bmp"));
  const QString beside = QFileInfo(tileSetPath).absolutePath() + QLatin1Char('/') + name;
  return QFileInfo::exists(beside) ? beside : folders.readPath(QStringLiteral("Tls"), name);
}

bool LoadTileSetPair(const EditorFolders& folders, const QString& path, LoadedTileSet& out, QString& error,
                     bool allRecords) {
  LoadedTileSet loaded;
  // A missing tileset is named as such, not by the bitmap that would have been read first.
  if (!QFileInfo(path).isFile()) {
    error = path + QStringLiteral(": file not found");
    return false;
  }
  if (!LoadAnyPicture(TileSetBitmapPath(folders, path), loaded.bitmap, loaded.bitmapForeign, error)) return false;
  std::string why;
  const bool read = allRecords ? ReadTileSetFile(path.toStdString(), loaded.tileSet, why)
                               : ReadTileSetFile(path.toStdString(), loaded.cellColumns(), loaded.cellRows(),
                                                 loaded.tileSet, why);
  if (!read) {
    error = QString::fromStdString(why);
    return false;
  }
  loaded.path = path;
  out = std::move(loaded);
  return true;
}
