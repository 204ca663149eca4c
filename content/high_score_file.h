// High-score files (".sfh"): a count, then 34-byte entries of a 30-byte padded name and a score.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "content/file_io.h"

constexpr int MaxHighScores = 15;
constexpr int ScoreNameLength = 30;  // names are padded with spaces to this width

struct HighScoreEntry {
  std::string name;  // without its padding
  std::int32_t score = 0;
  bool operator==(const HighScoreEntry&) const = default;
};

using HighScoreTable = std::vector<HighScoreEntry>;  // rank order, highest first

// What a reader does with a file shorter than its count. The game never shortens a table, so such a file is
// damaged; checks report it, while the game keeps the whole entries it still holds.
enum class ShortTable { Refuse, KeepWholeEntries };

// Refuses a negative count, and one larger than the data unless told to keep what is there. `out` changes only
// on success.
bool ReadHighScoreFile(const std::filesystem::path& path, HighScoreTable& out, std::string& error,
                       ShortTable shortTable = ShortTable::Refuse);
bool WriteHighScoreFile(const std::filesystem::path& path, const HighScoreTable& table, std::string& error);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
bool DecodeHighScores(const Bytes& bytes, HighScoreTable& out, std::string& problem,
                      ShortTable shortTable = ShortTable::Refuse);
Bytes EncodeHighScores(const HighScoreTable& table);
