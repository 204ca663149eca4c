// Checks of a data tree: folders, level sets, levels, tilesets, bitmaps, score files and options.
#include "tools/content_tool/content_check.h"

#include <algorithm>
#include <map>

#include "content/bitmap_file.h"
#include "content/high_score_file.h"
#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/names.h"
#include "content/options_file.h"
#include "content/tileset_file.h"

namespace fs = std::filesystem;

namespace {

const char* const DataFolders[] = {"Gfx", "Sfx", "Mus", "Tls", "Lvl", "Bgd"};

struct Checker {
  fs::path root;
  std::vector<std::string> problems;
  std::map<std::string, std::int64_t> usableTiles;  // tileset file name -> tiles a level may use, -1 unusable

  void report(std::string problem) { problems.push_back(std::move(problem)); }

  // Regular files of `folder` with the extension (any case), in name order so the report is stable.
  std::vector<fs::path> filesWithExtension(const fs::path& folder, std::string extension) const {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      std::string ext = it->path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
      if (ext == extension && it->is_regular_file(ec)) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  bool tileBitmapCells(const fs::path& tilesetPath, int& columns, int& rows) {
    fs::path bitmapPath = tilesetPath.parent_path() / ReplaceLastThree(tilesetPath.filename().string(), "bmp");
    int width = 0, height = 0;
    std::string error;
    if (!ReadBitmapSize(bitmapPath, width, height, error)) {
      report(tilesetPath.string() + ": tileset bitmap unusable: " + error);
      return false;
    }
    if (width % TileWidth != 0 || height % TileHeight != 0)
      report(bitmapPath.string() + ": size " + std::to_string(width) + " x " + std::to_string(height) +
             " is not a multiple of 32 x 16");
    columns = width / TileWidth;
    rows = height / TileHeight;
    return true;
  }

  // The number of tiles a level may use from this tileset; -1 when the tileset cannot be used at all.
  std::int64_t checkTileSet(const fs::path& path) {
    auto known = usableTiles.find(path.filename().string());
    if (known != usableTiles.end()) return known->second;
    std::int64_t usable = -1;
    int columns = 0, rows = 0;
    TileSet tileSet;
    std::string error;
    if (!ReadTileSetFile(path, tileSet, error)) {
      report(error);
    } else if (tileBitmapCells(path, columns, rows)) {
      usable = std::min<std::int64_t>(tileSet.tileCount, std::int64_t{columns} * rows);
      if (tileSet.tileCount > usable)
        report(path.string() + ": " + std::to_string(tileSet.tileCount) + " tiles but its bitmap has only " +
               std::to_string(usable) + " cells");
    }
    usableTiles[path.filename().string()] = usable;
    return usable;
  }

  void checkBricks(const fs::path& levelPath, const Level& level, std::int64_t tiles) {
    for (int r = 1; r < GridRows; ++r)
      for (int c = 1; c < GridColumns; ++c) {
        std::int32_t tile = level.brickGrid[c][r];
        if (tile < 0 || tile > tiles)
          report(levelPath.string() + ": brick (" + std::to_string(c) + ", " + std::to_string(r) + ") uses tile " +
                 std::to_string(tile) + ", its tileset \"" + level.tilesetName + "\" has " + std::to_string(tiles));
      }
  }

  void checkLevel(const fs::path& path) {
    Level level;
    std::string error;
    if (!ReadLevelFile(path, level, error)) return report(error);
    fs::path tilesetPath = root / "Tls" / level.tilesetName;
    std::error_code ec;
    if (!fs::is_regular_file(tilesetPath, ec)) {
      report(path.string() + ": tileset \"" + level.tilesetName + "\" is missing from Tls");
    } else if (std::int64_t tiles = checkTileSet(tilesetPath); tiles >= 0) {
      checkBricks(path, level, tiles);
    }
    int width = 0, height = 0;
    if (!ReadBitmapSize(root / "Bgd" / level.backgroundName, width, height, error))
      report(path.string() + ": background unusable: " + error);
    if (level.guardedSides[Bottom] == 0 && level.guardedSides[Right] == 0 && level.guardedSides[Top] == 0 &&
        level.guardedSides[Left] == 0)
      report(path.string() + ": no side is guarded by a paddle");
  }

  void checkLevelSet(const fs::path& path) {
    LevelSet levelSet;
    std::string error;
    if (!ReadLevelSetFile(path, levelSet, error)) return report(error);
    std::error_code ec;
    for (const auto& level : levelSet.levelFiles)
      if (!fs::is_regular_file(root / "Lvl" / level, ec))
        report(path.string() + ": level \"" + level + "\" is missing from Lvl");
  }

  void checkScores(const fs::path& path) {
    HighScoreTable table;
    std::string error;
    if (!ReadHighScoreFile(path, table, error)) report(error);
  }

  void run() {
    std::error_code ec;
    for (const char* folder : DataFolders)
      if (!fs::is_directory(root / folder, ec)) report((root / folder).string() + ": folder is missing");
    for (const auto& path : filesWithExtension(root / "Lvl", ".sfs")) checkLevelSet(path);
    for (const auto& path : filesWithExtension(root / "Lvl", ".sfl")) checkLevel(path);
    for (const auto& path : filesWithExtension(root / "Tls", ".sft")) checkTileSet(path);
    for (const auto& path : filesWithExtension(root / "Lvl", ".sfh")) checkScores(path);
    if (fs::exists(root / "config.bin", ec)) checkOptions(root / "config.bin");
  }

  void checkOptions(const fs::path& path) {
    Options options;
    std::string error;
    if (!ReadOptionsFile(path, options, error)) return report(error);
    if (!OptionsInRange(options)) report(path.string() + ": a value lies outside its range");
  }
};

}  // namespace

std::vector<std::string> CheckDataTree(const fs::path& root) {
  Checker checker{root, {}, {}};
  checker.run();
  return checker.problems;
}

// Qualified: this file also names its list of sub-folders DataFolders.
std::vector<std::string> CheckDataTree(const ::DataFolders& folders) {
  // Until the checker reads both trees as one, a split tree is checked in its shipped part.
  return CheckDataTree(folders.shipped);
}
