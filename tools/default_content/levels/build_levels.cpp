// Compiles the level text sources into level files and level-set files in Lvl.
#include <map>

#include "content/level_set_file.h"
#include "content/numbers.h"
#include "content/renamed_sets.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/level_text.h"
#include "tools/default_content/levels/level_rules.h"
#include "tools/default_content/levels/level_sources.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace {

const TileSet* ShippedTileSet(const std::string& fileName) {
  for (const DesignedTileSet& set : DesignedTileSets())
    if (set.fileName == fileName) return &set.tileSet;
  return nullptr;
}

// A set's "set.txt" holds "name: ...", "file: ..." and "cleared within: N minutes".
bool ReadSetHeader(std::string_view text, ShippedLevelSet& set) {
  constexpr std::string_view Bound = "cleared within: ";
  constexpr std::string_view Minutes = " minutes";
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = std::min(text.find('\n', pos), text.size());
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.rfind("name: ", 0) == 0) set.levelSet.levelSetName = line.substr(6);
    if (line.rfind("file: ", 0) == 0) set.fileName = line.substr(6);
    if (line.rfind(Bound, 0) == 0 && line.ends_with(Minutes))
      ParseWholeNumber(line.substr(Bound.size(), line.size() - Bound.size() - Minutes.size()), set.clearedWithinMinutes);
  }
  return !set.levelSet.levelSetName.empty() && !set.fileName.empty() && set.clearedWithinMinutes > 0;
}

std::string LevelFileNameOf(std::string_view textFileName) {
  return std::string(textFileName.substr(0, textFileName.rfind('.'))) + ".sfl";
}

bool CompileLevel(const LevelSource& source, Level& level, std::string& error) {
  const std::string where = std::string(source.folder) + "/" + std::string(source.fileName) + ": ";
  if (!LevelFromText(source.text, level, error)) {
    error = where + error;
    return false;
  }
  const TileSet* tileSet = ShippedTileSet(level.tilesetName);
  error = tileSet ? LevelProblem(level, *tileSet) : "tileset " + level.tilesetName + " is not shipped";
  if (!error.empty()) error = where + error;
  return error.empty();
}

}  // namespace

std::vector<ShippedLevelSet> ShippedLevelSets(std::string& error) {
  std::map<std::string_view, ShippedLevelSet> sets;
  for (const LevelSource& source : LevelSources()) {
    ShippedLevelSet& set = sets[source.folder];
    if (source.fileName == "set.txt") {
      if (!ReadSetHeader(source.text, set)) {
        error = std::string(source.folder) + "/set.txt needs 'name: ', 'file: ' and 'cleared within: N minutes' lines";
        return {};
      }
      continue;
    }
    Level level;
    if (!CompileLevel(source, level, error)) return {};
    set.levelSet.levelFiles.push_back(LevelFileNameOf(source.fileName));
    set.levels.push_back(std::move(level));
  }
  std::vector<ShippedLevelSet> out;
  for (auto& [folder, set] : sets) {
    if (set.fileName.empty()) {
      error = std::string(folder) + " has no set.txt";
      return {};
    }
    out.push_back(std::move(set));
  }
  return out;
}

bool BuildDefaultLevels(const std::filesystem::path& root, std::string& error) {
  const std::vector<ShippedLevelSet> sets = ShippedLevelSets(error);
  if (sets.empty()) {
    if (error.empty()) error = "no level sets to build";
    return false;
  }
  const std::filesystem::path folder = root / "Lvl";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  // A build folder made before the sets were renamed would list each of them twice.
  for (const RenamedFile& set : RenamedLevelSets) std::filesystem::remove(folder / set.before, ec);
  for (const ShippedLevelSet& set : sets) {
    for (std::size_t i = 0; i < set.levels.size(); ++i)
      if (!WriteLevelFile(folder / set.levelSet.levelFiles[i], set.levels[i], error)) return false;
    if (!WriteLevelSetFile(folder / set.fileName, set.levelSet, error)) return false;
  }
  return true;
}
