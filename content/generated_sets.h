// Level sets that are no files: Endless and the Daily Challenge. What each level of them is made from (its seed
// and difficulty), how many levels they have, their names and their score tables.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A day of the calendar; valid for years 1 .. 9999.
struct CalendarDate {
  int year = 0, month = 0, day = 0;
  bool operator==(const CalendarDate&) const = default;
  auto operator<=>(const CalendarDate&) const = default;
};

// True for a real day of the Gregorian calendar in years 1 .. 9999.
bool IsValidDate(const CalendarDate& date);
// "YYYY-MM-DD".
std::string DateText(const CalendarDate& date);
// Exactly "YYYY-MM-DD" of a valid date.
std::optional<CalendarDate> ParseDate(std::string_view text);
// The days a Daily Challenge is offered for: a clock outside them is wrong (reset to 1970, or far ahead).
constexpr CalendarDate FirstDailyDate{2020, 1, 1};
constexpr CalendarDate LastDailyDate{2199, 12, 31};
bool IsPlayableDailyDate(const CalendarDate& date);

enum class GeneratedKind { None, Endless, Daily };

struct GeneratedSet {
  GeneratedKind kind = GeneratedKind::None;
  std::uint64_t seed = 0;  // every level's seed follows from it
  CalendarDate date;       // Daily: the day it belongs to
  bool operator==(const GeneratedSet&) const = default;
};

constexpr int DailyLevels = 10;
constexpr int EndlessLevelsPerDifficulty = 3;
constexpr int MaxDifficulty = 10;

// Mixes 64 bits into 64 others (SplitMix64's finaliser): plain integer arithmetic, the same on every machine.
std::uint64_t MixSeed(std::uint64_t value);
// The Daily Challenge of a date: its seed follows from the date alone.
GeneratedSet DailySet(const CalendarDate& date);
// An Endless game whose levels follow from `gameSeed`.
GeneratedSet EndlessSet(std::uint64_t gameSeed);
// The seed and difficulty (1 .. 10) of level `level` (1-based): Daily from 1 up by one a level, Endless up by one
// every EndlessLevelsPerDifficulty levels until 10.
std::uint64_t LevelSeed(const GeneratedSet& set, std::int32_t level);
int LevelDifficulty(const GeneratedSet& set, std::int32_t level);
// DailyLevels for the Daily Challenge; none for Endless, which never ends.
std::optional<std::int32_t> LevelCount(const GeneratedSet& set);
// "Endless", "Daily Challenge 2026-03-14".
std::string GeneratedSetName(const GeneratedSet& set);

// The score tables of generated sets lie in this folder of the user's Lvl, apart from the sets' own tables.
constexpr std::string_view GeneratedTablesFolder = "Generated";
constexpr std::string_view EndlessTableName = "Endless.sfh";
// "Endless.sfh", "Daily-2026-03-14.sfh".
std::string GeneratedTableName(const GeneratedSet& set);
// The set a table of GeneratedTablesFolder belongs to, by its file name; none for any other name. Only its kind
// and date (Daily) are known: the seed of an Endless game is its own.
std::optional<GeneratedSet> SetOfGeneratedTable(const std::filesystem::path& table);
// Only the tables of the latest dates are kept.
constexpr int KeptDailyTables = 30;
// Removes the Daily Challenge tables of the folder beyond the KeptDailyTables latest dates, with their games.
void KeepLatestDailyTables(const std::filesystem::path& folder);
