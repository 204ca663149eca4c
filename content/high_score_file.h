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

// Refuses a negative count or one larger than the data. `out` changes only on success.
bool ReadHighScoreFile(const std::filesystem::path& path, HighScoreTable& out, std::string& error);
bool WriteHighScoreFile(const std::filesystem::path& path, const HighScoreTable& table, std::string& error);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
bool DecodeHighScores(const Bytes& bytes, HighScoreTable& out, std::string& problem);
Bytes EncodeHighScores(const HighScoreTable& table);
