// Writes the shipped tilesets (bitmap and tileset file side by side) into Tls.
#include "content/names.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/tilesets/default_tilesets.h"

bool BuildDefaultTileSets(const std::filesystem::path& root, std::string& error) {
  const std::filesystem::path folder = root / "Tls";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (const DesignedTileSet& set : DesignedTileSets()) {
    if (!WriteBitmapFile(folder / ReplaceLastThree(set.fileName, "bmp"), set.bitmap, error)) return false;
    if (!WriteTileSetFile(folder / set.fileName, set.tileSet, error)) return false;
  }
  return true;
}
