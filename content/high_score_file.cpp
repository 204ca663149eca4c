// High-score files: a count and that many 30-byte names with their scores.
#include "content/high_score_file.h"

#include <algorithm>

#include "content/byte_io.h"
#include "content/names.h"

namespace {
constexpr std::size_t EntrySize = ScoreNameLength + 4;
constexpr std::uintmax_t MaxScoreFileBytes = 1u << 20;
}  // namespace

bool DecodeHighScores(const Bytes& bytes, HighScoreTable& out, std::string& problem, ShortTable shortTable) {
  ByteReader reader(bytes);
  std::int32_t count = reader.i32();
  if (!reader.ok()) {
    problem = "too short to hold an entry count (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  const std::size_t whole = reader.remaining() / EntrySize;
  if (count < 0 || (whole < static_cast<std::uint32_t>(count) && shortTable == ShortTable::Refuse)) {
    problem = "count says " + std::to_string(count) + " entries but the file holds " + std::to_string(whole);
    return false;
  }
  const std::size_t entries = std::min(whole, static_cast<std::size_t>(count));
  HighScoreTable table;
  for (std::size_t i = 0; i < entries; ++i) {
    HighScoreEntry entry;
    entry.name = TrimTrailingSpaces(reader.text(ScoreNameLength));
    entry.score = reader.i32();
    table.push_back(std::move(entry));
  }
  out = std::move(table);
  return true;
}

Bytes EncodeHighScores(const HighScoreTable& table) {
  Bytes bytes;
  ByteWriter writer(bytes);
  writer.i32(static_cast<std::int32_t>(table.size()));
  for (const auto& entry : table) {
    writer.fixedText(entry.name, ScoreNameLength);
    writer.i32(entry.score);
  }
  return bytes;
}

bool ReadHighScoreFile(const std::filesystem::path& path, HighScoreTable& out, std::string& error,
                       ShortTable shortTable) {
  return ReadDecoded(path, {MaxScoreFileBytes}, error, [&](const Bytes& bytes, std::string& problem) {
    return DecodeHighScores(bytes, out, problem, shortTable);
  });
}

bool WriteHighScoreFile(const std::filesystem::path& path, const HighScoreTable& table, std::string& error) {
  return WriteFileAtomically(path, EncodeHighScores(table), error);
}
