// Level-set files (".sfs"): a name line, a count line and one level file name per line, CR LF.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "content/file_io.h"

struct LevelSet {
  std::string levelSetName;
  std::vector<std::string> levelFiles;  // in playing order; level i (1-based) is levelFiles[i - 1]
  std::int32_t currentLevel = 0;        // 0 before the first level starts
};

// Reads delimited fields the way a comma-separated text reader does: leading blanks and line breaks are
// skipped, a field opening with a double quote runs to the next double quote, any other field ends before
// the next comma or at the end of the line.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}
  // False at the end of the text.
  bool next(std::string& field);

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Why a level file of this name cannot be listed in a set and found again as a level; empty when it can.
std::string LevelFileNameProblem(std::string_view name);
// Why a set cannot store `name` as its name (leading blanks aside, which reading drops), or "" when it can.
std::string LevelSetNameProblem(std::string_view name);

// The display name of a set: "My Favorite Bands" for "muzac.sfs" without opening it, else the first field.
// On a missing or unreadable file returns false with `error` set.
bool ReadLevelSetName(const std::filesystem::path& path, std::string& name, std::string& error);
// Reads the name, the count and that many level file names; currentLevel = 0. `out` changes only on success.
bool ReadLevelSetFile(const std::filesystem::path& path, LevelSet& out, std::string& error);
// Writes name, " N ", then the names, each line ended by CR LF, atomically. Refuses a set that would not
// read back the same: an empty name, a comma, a line break or a leading double quote in a field, or a level
// name that is not a plain file name.
bool WriteLevelSetFile(const std::filesystem::path& path, const LevelSet& levelSet, std::string& error);

// The file rules on text in memory; `problem` says what is wrong, without a file name.
bool DecodeLevelSet(std::string_view text, LevelSet& out, std::string& problem);
bool EncodeLevelSet(const LevelSet& levelSet, Bytes& out, std::string& problem);
