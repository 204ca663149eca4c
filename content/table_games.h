// The games kept beside a score table: for a table "NAME.sfh", the folder "NAME.games" holds the recording of each
// entry's game and "index.txt", which says whose each is. The table file itself stays as it always was.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/file_io.h"
#include "content/high_score_file.h"
#include "content/settings_file.h"

// A field of an entry that this version does not know, kept as it was when the entry is written again.
struct TableGameField {
  std::string name, value;
  bool operator==(const TableGameField&) const = default;
};

// One line of the index: the entry it belongs to (name and score, as in the table) and its game's recording.
struct TableGame {
  std::string name;
  std::int32_t score = 0;
  std::string recording;  // a file name in the games folder
  std::vector<TableGameField> otherFields;
  std::int32_t gameSpeed = FullGameSpeed;  // percent; "speed=N" on the line of a slower game
  bool operator==(const TableGame&) const = default;
};

// The index, one line per entry with a game, in the table's order.
using TableGames = std::vector<TableGame>;

constexpr std::string_view TableGamesIndexName = "index.txt";

// "Lvl/NAME.games" for "Lvl/NAME.sfh".
std::filesystem::path TableGamesFolder(const std::filesystem::path& scoreFile);

// The index as text; unknown fields are kept, unknown line kinds refused (a newer format number is refused
// with its number). `problem` says what is wrong, without a file name.
bool DecodeTableGames(std::string_view text, TableGames& out, std::string& problem);
std::string EncodeTableGames(const TableGames& games);
// A missing index reads as none; `error` names the file when it is there and cannot be read.
bool ReadTableGames(const std::filesystem::path& folder, TableGames& out, std::string& error);
bool WriteTableGames(const std::filesystem::path& folder, const TableGames& games, std::string& error);

// The game of each entry of the table, in its order: the index line of the same name and score (each line used
// once, the earliest first); none for an entry that has none.
std::vector<std::optional<TableGame>> GamesOfEntries(const HighScoreTable& table, const TableGames& games);

// The index once the entry of `rank` (1-based; 0 when none entered) has entered the table: the other entries keep
// their games, the new one is given `recording` (a file name; empty when none was kept), played at `gameSpeed`.
TableGames GamesAfterEntry(const HighScoreTable& table, int rank, const TableGames& before,
                           const std::string& recording, std::int32_t gameSpeed = FullGameSpeed);

// Writes a recording into the folder under a name of its own ("SCORE-CRC.sfr", "SCORE-CRC_2.sfr", ...), never over
// another file; `name` is the file name taken.
bool KeepRecordingInFolder(const std::filesystem::path& folder, std::int32_t score, const Bytes& recording,
                           std::string& name, std::string& error);
// Removes the recordings `before` names that `after` does not; the folder goes when nothing is left in it.
void RemoveDroppedRecordings(const std::filesystem::path& folder, const TableGames& before, const TableGames& after);

// After a score entered the table (written as `table`, the new entry at `rank`, 0 when it did not enter): keeps
// `recording` (empty: no game to keep; played at `gameSpeed`) beside the table, rewrites the index for the entries now in the table and
// removes the recordings of entries that left it. What goes wrong is added to `notes` for the player; the
// table and the other recordings are never lost. The caller holds the table's lock.
void UpdateTableGames(const std::filesystem::path& scoreFile, const HighScoreTable& table, int rank,
                      const Bytes& recording, std::vector<std::string>& notes,
                      std::int32_t gameSpeed = FullGameSpeed);
