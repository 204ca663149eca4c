// A tileset file read together with its bitmap, the way the level window and the builder both need it.
#pragma once
#include <QImage>
#include <QString>

#include "content/tileset_file.h"

class EditorFolders;

struct LoadedTileSet {
  QString path;  // the ".sft" file
  TileSet tileSet;
  QImage bitmap;
  bool bitmapForeign = false;  // read by Qt, not as the game reads it (see LoadAnyPicture)
  // Conforming bitmaps divide exactly; others round to the nearest cell count, as the readers do.
  int cellColumns() const;
  int cellRows() const;
  // Tiles that have an image in the bitmap: records beyond its cells are not usable.
  int usableTiles() const;
  QImage tileImage(int tile) const;  // null for a tile that is not usable
  QImage foreignBitmap() const { return bitmapForeign ? bitmap : QImage(); }
};

// The bitmap of a tileset file: beside it when it is there, else where the game looks for it (Tls).
QString TileSetBitmapPath(const EditorFolders& folders, const QString& tileSetPath);
// Reads the bitmap, then the records its cells hold (or every record when `allRecords`, for editing).
// On failure `error` names the file and the problem once.
bool LoadTileSetPair(const EditorFolders& folders, const QString& path, LoadedTileSet& out, QString& error,
                     bool allRecords = false);
