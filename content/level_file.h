// Level files (".sfl", 2672 bytes): guarded sides, tileset and background names, the brick grid.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "content/file_io.h"

constexpr int GridColumns = 21;  // column 0 is never played
constexpr int GridRows = 31;     // row 0 is never played
constexpr int FixedTextLength = 30;

enum Side : int { Bottom = 1, Right = 2, Top = 3, Left = 4 };

// Indexed 1 .. 4 by Side: -1 guarded (as written), 0 open.
using GuardedSides = std::array<std::int16_t, 5>;
// Any flag but 0 guards its side, as the game has always read it.
constexpr bool IsGuarded(const GuardedSides& sides, int side) { return sides[side] != 0; }

// Tile number of cell (column, row): brickGrid[column][row]; 0 = empty.
using BrickGrid = std::array<std::array<std::int32_t, GridRows>, GridColumns>;

struct Level {
  GuardedSides guardedSides{};
  std::string tilesetName;                     // file name in Tls, trailing spaces removed
  std::string backgroundName;                  // file name in Bgd, trailing spaces removed
  BrickGrid brickGrid{};
  bool operator==(const Level&) const = default;
};

// The fields in their file order, each with its name: the one list the file, JSON and the level text follow.
template <typename Record, typename Visit>
constexpr void VisitLevelFields(Record& level, Visit&& visit) {
  visit("guardedSides", level.guardedSides);
  visit("tilesetName", level.tilesetName);
  visit("backgroundName", level.backgroundName);
  visit("brickGrid", level.brickGrid);
}

// What each kind of field takes in the file: the four flags from Bottom on, a name of FixedTextLength
// characters, the grid row by row.
constexpr int StoredBytes(const GuardedSides&) { return (Left - Bottom + 1) * sizeof(std::int16_t); }
constexpr int StoredBytes(const std::string&) { return FixedTextLength; }
constexpr int StoredBytes(const BrickGrid&) { return GridColumns * GridRows * sizeof(std::int32_t); }

// A level's fields as the file stores them, for counting its bytes at compile time (std::string is not a
// literal type in every C++ library we build with); a field added to the list above must be added here too.
struct StoredName {};
constexpr int StoredBytes(const StoredName&) { return FixedTextLength; }
struct StoredLevel {
  GuardedSides guardedSides{};
  StoredName tilesetName;
  StoredName backgroundName;
  BrickGrid brickGrid{};
};

constexpr int LevelFieldBytes() {
  StoredLevel level;
  int bytes = 0;
  VisitLevelFields(level, [&bytes](const char*, const auto& field) { bytes += StoredBytes(field); });
  return bytes;
}
constexpr int LevelFileSize = LevelFieldBytes();
static_assert(LevelFileSize == 2672, "stored levels are 2672 bytes");

// Reads a level file; refuses a wrong size and names that are not plain file names. `out` changes only on success.
bool ReadLevelFile(const std::filesystem::path& path, Level& out, std::string& error);
// Writes the LevelFileSize bytes atomically; names longer than 30 characters are cut, shorter ones padded with spaces.
// Refuses names that would not read back as plain file names.
bool WriteLevelFile(const std::filesystem::path& path, const Level& level, std::string& error);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
bool DecodeLevel(const Bytes& bytes, Level& out, std::string& problem);
bool EncodeLevel(const Level& level, Bytes& out, std::string& problem);
