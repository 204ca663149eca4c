// Checks of a data tree: folders, pictures, sounds, songs, level sets, levels, tilesets, score tables and options.
#include "tools/content_tool/content_check.h"

#include <map>

#include "content/high_score_file.h"
#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/media_files.h"
#include "content/names.h"
#include "content/options_file.h"
#include "content/tileset_file.h"
#include "tools/content_tool/level_quality.h"
#include "tools/content_tool/media_check.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t RecordBytes = 28;

// The game reads these from the shipped tree only; the others from both, the user's copy first.
const char* const ShippedOnlyFolders[] = {"Gfx", "Sfx", "Mus"};
const char* const SharedFolders[] = {"Tls", "Lvl", "Bgd"};

// The file's bytes, or why they cannot be had (without the file name).
std::string ReadProblem(const fs::path& path, Bytes& bytes) {
  std::string error;
  if (ReadWholeFile(path, bytes, error)) return "";
  const std::string prefix = path.string() + ": ";
  return error.rfind(prefix, 0) == 0 ? error.substr(prefix.size()) : error;
}

struct Picture {
  std::string problem;  // empty when usable
  int width = 0, height = 0;
};

// A tileset as levels see it: its records and how many of them fit its bitmap; usable < 0 when it is unusable.
struct UsableTileSet {
  TileSet tileSet;
  std::int64_t usable = -1;
};

class Checker {
 public:
  explicit Checker(DataFolders folders) : folders_(std::move(folders)) {}

  std::vector<std::string> Run() {
    CheckFolders();
    std::error_code ec;
    if (fs::is_directory(folders_.shipped / "Gfx", ec))
      for (std::string_view name : GamePictureFiles) CheckGamePicture(name);
    if (fs::is_directory(folders_.shipped / "Sfx", ec)) {
      for (const GameSound& sound : GameSounds) CheckSound(folders_.shipped / "Sfx" / sound.file);
      for (std::string_view name : MenuSoundFiles) CheckSound(folders_.shipped / "Sfx" / name);
    }
    for (const auto& path : ListFilesEndingWith(folders_.shipped / "Mus", "mid")) CheckSong(path);
    for (const auto& path : ListDataFiles(folders_, "Lvl", ".sfs")) CheckLevelSet(path);
    for (const auto& path : ListDataFiles(folders_, "Lvl", ".sfl")) CheckLevel(path);
    for (const auto& path : ListDataFiles(folders_, "Tls", ".sft")) TileSetAt(path);
    CheckScoreTables();
    const fs::path options = ReadPath(folders_, "config.bin");
    if (fs::exists(options, ec)) CheckOptions(options);
    return std::move(problems_);
  }

 private:
  void Report(const fs::path& path, const std::string& problem) { problems_.push_back(path.string() + ": " + problem); }

  void CheckFolders() {
    std::error_code ec;
    for (const char* folder : ShippedOnlyFolders)
      if (!fs::is_directory(folders_.shipped / folder, ec)) Report(folders_.shipped / folder, "folder is missing");
    for (const char* folder : SharedFolders)
      if (!fs::is_directory(folders_.shipped / folder, ec) && !fs::is_directory(folders_.user / folder, ec))
        Report(folders_.shipped / folder, "folder is missing");
  }

  const Picture& PictureAt(const fs::path& path) {
    auto known = pictures_.find(path);
    if (known != pictures_.end()) return known->second;
    Picture picture;
    Bytes bytes;
    picture.problem = ReadProblem(path, bytes);
    if (picture.problem.empty()) picture.problem = PictureProblem(bytes, picture.width, picture.height);
    return pictures_[path] = picture;
  }

  void CheckGamePicture(std::string_view name) {
    const fs::path path = folders_.shipped / "Gfx" / name;
    if (const Picture& picture = PictureAt(path); !picture.problem.empty()) Report(path, picture.problem);
  }

  void CheckSound(const fs::path& path) {
    Bytes bytes;
    std::string problem = ReadProblem(path, bytes);
    if (problem.empty()) problem = SoundProblem(bytes);
    if (!problem.empty()) Report(path, problem);
  }

  void CheckSong(const fs::path& path) {
    Bytes bytes;
    std::string problem = ReadProblem(path, bytes);
    if (problem.empty()) problem = SongProblem(bytes);
    if (!problem.empty()) Report(path, problem);
  }

  // Reports the tileset's own problems once; levels then use what it yields.
  const UsableTileSet& TileSetAt(const fs::path& path) {
    auto known = tileSets_.find(path);
    if (known != tileSets_.end()) return known->second;
    UsableTileSet& out = tileSets_[path];
    std::string error;
    if (!ReadTileSetFile(path, out.tileSet, error)) {
      problems_.push_back(error);
      return out;
    }
    std::error_code ec;
    const std::uintmax_t expected = 4 + RecordBytes * static_cast<std::uintmax_t>(out.tileSet.tileCount);
    if (const std::uintmax_t size = fs::file_size(path, ec); !ec && size > expected)
      Report(path, std::to_string(size - expected) + " bytes follow its " + std::to_string(out.tileSet.tileCount) +
                       " tile records");
    const fs::path bitmapPath = path.parent_path() / ReplaceLastThree(path.filename().string(), "bmp");
    const Picture& bitmap = PictureAt(bitmapPath);
    if (!bitmap.problem.empty()) {
      Report(path, "tileset bitmap " + bitmapPath.string() + ": " + bitmap.problem);
      return out;
    }
    if (bitmap.width % TileWidth != 0 || bitmap.height % TileHeight != 0)
      Report(bitmapPath, "size " + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) +
                             " is not a multiple of 32 x 16");
    const std::int64_t cells = std::int64_t{bitmap.width / TileWidth} * (bitmap.height / TileHeight);
    out.usable = std::min<std::int64_t>(out.tileSet.tileCount, cells);
    if (out.tileSet.tileCount > cells)
      Report(path, std::to_string(out.tileSet.tileCount) + " tiles but its bitmap has only " + std::to_string(cells) +
                       " cells");
    for (const std::string& problem : TileRecordProblems(out.tileSet, bitmap.width, bitmap.height))
      Report(path, problem);
    return out;
  }

  void CheckLevel(const fs::path& path) {
    Level level;
    std::string error;
    if (!ReadLevelFile(path, level, error)) return problems_.push_back(error);
    const fs::path tilesetPath = ReadPath(folders_, fs::path("Tls") / level.tilesetName);
    std::error_code ec;
    if (!fs::is_regular_file(tilesetPath, ec)) {
      Report(path, "tileset \"" + level.tilesetName + "\" is missing from Tls");
    } else if (const UsableTileSet& tiles = TileSetAt(tilesetPath); tiles.usable >= 0) {
      for (const std::string& problem : LevelQualityProblems(level, tiles.tileSet, tiles.usable, level.tilesetName))
        Report(path, problem);
    }
    const Picture& background = PictureAt(ReadPath(folders_, fs::path("Bgd") / level.backgroundName));
    if (!background.problem.empty())
      Report(path, "background \"" + level.backgroundName + "\": " + background.problem);
  }

  // A set's levels are found as the game finds them.
  void CheckLevelSet(const fs::path& path) {
    LevelSet levelSet;
    std::string error;
    if (!ReadLevelSetFile(path, levelSet, error)) return problems_.push_back(error);
    std::error_code ec;
    for (const auto& level : levelSet.levelFiles)
      if (!fs::is_regular_file(SetLevelPath(folders_, path, level), ec))
        Report(path, "level \"" + level + "\" is missing from Lvl");
  }

  // Every name ending in ".sfh" is a score table the game may open, whatever kind of entry it is.
  void CheckScoreTables() {
    std::map<std::string, fs::path> tables;
    for (const fs::path& folder : {folders_.shipped / "Lvl", folders_.user / "Lvl"}) {
      std::error_code ec;
      for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().ends_with(".sfh")) tables[it->path().filename().string()] = it->path();
    }
    for (const auto& [name, path] : tables) {
      HighScoreTable table;
      std::string error;
      if (!ReadHighScoreFile(path, table, error)) problems_.push_back(error);
    }
  }

  void CheckOptions(const fs::path& path) {
    Options options;
    std::string error;
    if (!ReadOptionsFile(path, options, error)) return problems_.push_back(error);
    if (!OptionsInRange(options)) Report(path, "a value lies outside its range");
  }

  DataFolders folders_;
  std::vector<std::string> problems_;
  std::map<fs::path, Picture> pictures_;
  std::map<fs::path, UsableTileSet> tileSets_;
};

}  // namespace

std::vector<std::string> CheckDataTree(const DataFolders& folders) { return Checker(folders).Run(); }
