// The games kept beside a score table: the index of whose recording is which, and the recordings' files.
#include "content/table_games.h"

#include <algorithm>
#include <cstdio>

#include "content/byte_io.h"
#include "content/data_folders.h"
#include "content/names.h"
#include "content/numbers.h"
#include "content/text_fields.h"
#include "content/recording_file.h"

namespace {

constexpr std::string_view Magic = "shardfall-table-games";
constexpr int Format = 1;
constexpr std::uintmax_t MaxIndexBytes = 64 * 1024;  // fifteen entries take a few hundred bytes
constexpr std::size_t MaxLines = 4 * MaxHighScores;   // generous: an older table may have held others

bool Refuse(std::string& problem, const std::string& why) {
  problem = why;
  return false;
}

// Bytes that would end a field or a line, the escape itself and anything beyond ASCII, as %XX.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte >= 0x7f || c == '%' || c == '=') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", byte);
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

bool Unescaped(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size()) return false;
    if (!ParseWholeNumber(text.substr(i + 1, 2), value, 16)) return false;
    out += static_cast<char>(value);
    i += 2;
  }
  return true;
}

bool ParseGameLine(std::string_view rest, TableGame& game) {
  bool hasScore = false, hasRecording = false, hasName = false;
  while (!rest.empty()) {
    const std::string_view word = FirstWord(rest, rest);
    const std::size_t equals = word.find('=');
    if (equals == std::string_view::npos || equals == 0) return false;
    const std::string_view key = word.substr(0, equals);
    std::string value;
    if (!Unescaped(word.substr(equals + 1), value)) return false;
    if (key == "score") {
      hasScore = ParseWholeNumber(value, game.score);
      if (!hasScore) return false;
    } else if (key == "recording") {
      hasRecording = IsPlainFileName(value) && value.ends_with(".sfr");
      if (!hasRecording) return false;
      game.recording = value;
    } else if (key == "name") {
      hasName = value.size() <= ScoreNameLength;
      if (!hasName) return false;
      game.name = value;
    } else if (key == "speed") {
      if (!ParseWholeNumber(value, game.gameSpeed) || !GameSpeedRange.holds(game.gameSpeed)) return false;
    } else {
      game.otherFields.push_back({std::string(key), value});
    }
  }
  return hasScore && hasRecording && hasName;
}

}  // namespace

std::filesystem::path TableGamesFolder(const std::filesystem::path& scoreFile) {
  std::filesystem::path folder = scoreFile;
  return folder.replace_extension(".games");
}

bool DecodeTableGames(std::string_view text, TableGames& out, std::string& problem) {
  TableGames games;
  std::size_t pos = 0;
  int lineNumber = 0;
  auto damaged = [&](const std::string& what) {
    return Refuse(problem, "damaged (line " + std::to_string(lineNumber) + ": " + what + ")");
  };
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) return damaged("no line end");
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    std::string_view rest;
    const std::string_view word = FirstWord(line, rest);
    if (lineNumber == 1) {
      int format = 0;
      if (word != Magic || !ParseWholeNumber(rest, format)) return Refuse(problem, "not an index of games");
      if (format != Format) return Refuse(problem, "an index of format " + std::string(rest) + "; this Shardfall reads 1");
      continue;
    }
    if (word != "game" || games.size() == MaxLines || !ParseGameLine(rest, games.emplace_back()))
      return damaged("expected game score=N recording=FILE name=NAME");
  }
  if (lineNumber == 0) return Refuse(problem, "empty");
  out = std::move(games);
  return true;
}

std::string EncodeTableGames(const TableGames& games) {
  std::string out = std::string(Magic) + " " + std::to_string(Format) + "\n";
  for (const TableGame& game : games) {
    out += "game score=" + NumberText(game.score) + " recording=" + Escaped(game.recording) +
           " name=" + Escaped(game.name);
    if (game.gameSpeed != FullGameSpeed) out += " speed=" + NumberText(game.gameSpeed);
    for (const TableGameField& field : game.otherFields) out += " " + Escaped(field.name) + "=" + Escaped(field.value);
    out += "\n";
  }
  return out;
}

bool ReadTableGames(const std::filesystem::path& folder, TableGames& out, std::string& error) {
  const std::filesystem::path index = folder / TableGamesIndexName;
  std::error_code failure;
  if (!std::filesystem::exists(std::filesystem::symlink_status(index, failure))) {
    out.clear();
    return true;
  }
  Bytes bytes;
  if (!ReadWholeFile(index, bytes, error, MaxIndexBytes)) return false;
  std::string problem;
  if (!DecodeTableGames(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out, problem)) {
    error = FileError(index, problem);
    return false;
  }
  return true;
}

bool WriteTableGames(const std::filesystem::path& folder, const TableGames& games, std::string& error) {
  const std::string text = EncodeTableGames(games);
  return MakeFolderFor(folder / TableGamesIndexName, error) &&
         WriteFileAtomically(folder / TableGamesIndexName, Bytes(text.begin(), text.end()), error);
}

std::vector<std::optional<TableGame>> GamesOfEntries(const HighScoreTable& table, const TableGames& games) {
  std::vector<std::optional<TableGame>> found(table.size());
  std::vector<bool> used(games.size(), false);
  for (std::size_t i = 0; i < table.size(); ++i) {
    for (std::size_t g = 0; g < games.size(); ++g) {
      if (used[g] || games[g].score != table[i].score ||
          TrimTrailingSpaces(games[g].name) != TrimTrailingSpaces(table[i].name))
        continue;
      used[g] = true;
      found[i] = games[g];
      break;
    }
  }
  return found;
}

TableGames GamesAfterEntry(const HighScoreTable& table, int rank, const TableGames& before,
                           const std::string& recording, std::int32_t gameSpeed) {
  HighScoreTable others = table;
  const bool entered = rank >= 1 && rank <= static_cast<int>(table.size());
  if (entered) others.erase(others.begin() + (rank - 1));
  TableGames after;
  const std::vector<std::optional<TableGame>> kept = GamesOfEntries(others, before);
  for (std::size_t i = 0; i <= kept.size(); ++i) {
    if (entered && static_cast<int>(i) == rank - 1 && !recording.empty())
      after.push_back({TrimTrailingSpaces(table[i].name), table[i].score, recording, {}, gameSpeed});
    if (i < kept.size() && kept[i]) after.push_back(*kept[i]);
  }
  return after;
}

bool KeepRecordingInFolder(const std::filesystem::path& folder, std::int32_t score, const Bytes& recording,
                           std::string& name, std::string& error) {
  constexpr int MaxCopies = 1000;
  if (!MakeFolderFor(folder / TableGamesIndexName, error)) return false;
  const std::string stem = NumberText(score) + "-" + Crc32Text(recording.data(), recording.size());
  for (int copy = 1; copy <= MaxCopies; ++copy) {
    name = stem + (copy == 1 ? "" : "_" + std::to_string(copy)) + ".sfr";
    bool taken = false;
    if (WriteNewFile(folder / name, recording, error, taken)) return true;
    if (!taken) return false;
  }
  error = FileError(folder, "holds too many recordings of the same game");
  return false;
}

void RemoveDroppedRecordings(const std::filesystem::path& folder, const TableGames& before, const TableGames& after) {
  std::error_code ignored;
  for (const TableGame& game : before) {
    const bool kept = std::any_of(after.begin(), after.end(),
                                  [&game](const TableGame& each) { return each.recording == game.recording; });
    if (!kept) std::filesystem::remove(folder / game.recording, ignored);
  }
  // An empty folder of ours goes; anything else of that name stays.
  if (after.empty() && std::filesystem::is_directory(std::filesystem::symlink_status(folder, ignored))) {
    std::filesystem::remove(folder / TableGamesIndexName, ignored);
    std::filesystem::remove(folder, ignored);  // only when empty
  }
}

namespace {

// A damaged index is kept under another name; its recordings stay, as nothing says any more whose they are.
void SetAsideDamagedIndex(const std::filesystem::path& folder, std::vector<std::string>& notes) {
  const std::filesystem::path index = folder / TableGamesIndexName;
  std::filesystem::path keptAs = index.string() + ".damaged";
  std::error_code failure;
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(keptAs, failure)); ++n)
    keptAs = index.string() + ".damaged" + std::to_string(n);
  std::filesystem::rename(index, keptAs, failure);
  notes.push_back("The unreadable list of the table's games was kept as " + keptAs.filename().string());
}

}  // namespace

void UpdateTableGames(const std::filesystem::path& scoreFile, const HighScoreTable& table, int rank,
                      const Bytes& recording, std::vector<std::string>& notes, std::int32_t gameSpeed) {
  const std::filesystem::path folder = TableGamesFolder(scoreFile);
  TableGames before;
  std::string error;
  if (!ReadTableGames(folder, before, error)) {
    notes.push_back(error);
    SetAsideDamagedIndex(folder, notes);
    before.clear();
  }
  std::string name;
  const bool entered = rank >= 1 && !recording.empty();
  if (entered && !KeepRecordingInFolder(folder, table[rank - 1].score, recording, name, error)) {
    notes.insert(notes.end(), {"Your game's recording could not be kept", error});
    name.clear();
  }
  const TableGames after = GamesAfterEntry(table, rank, before, name, gameSpeed);
  if (after != before && !WriteTableGames(folder, after, error)) {
    notes.insert(notes.end(), {"The table's games could not be listed", error});
    std::error_code ignored;
    if (!name.empty()) std::filesystem::remove(folder / name, ignored);
    return;
  }
  RemoveDroppedRecordings(folder, before, after);
}
