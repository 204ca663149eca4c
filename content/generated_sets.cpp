// Endless and the Daily Challenge: seeds, difficulties, names and score tables.
#include "content/generated_sets.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "content/numbers.h"
#include "content/table_games.h"

namespace {

constexpr std::string_view DailyTablePrefix = "Daily-";
constexpr std::string_view TableEnding = ".sfh";
// Keeps the seeds of the two kinds apart, so no Endless game plays a day's levels.
constexpr std::uint64_t EndlessSalt = 0x456e646c65737321ULL;
constexpr std::uint64_t DailySalt = 0x4461696c79212121ULL;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool IsValidDate(const CalendarDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

std::string DateText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  CalendarDate date;
  const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
  if (!digits || !ParseWholeNumber(text.substr(0, 4), date.year) || !ParseWholeNumber(text.substr(5, 2), date.month) ||
      !ParseWholeNumber(text.substr(8, 2), date.day) || !IsValidDate(date))
    return std::nullopt;
  return date;
}

bool IsPlayableDailyDate(const CalendarDate& date) {
  return IsValidDate(date) && date >= FirstDailyDate && date <= LastDailyDate;
}

std::uint64_t MixSeed(std::uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

GeneratedSet DailySet(const CalendarDate& date) {
  const auto day = static_cast<std::uint64_t>(date.year) * 10000u + static_cast<std::uint64_t>(date.month) * 100u +
                   static_cast<std::uint64_t>(date.day);
  return {GeneratedKind::Daily, MixSeed(DailySalt ^ day), date};
}

GeneratedSet EndlessSet(std::uint64_t gameSeed) { return {GeneratedKind::Endless, MixSeed(EndlessSalt ^ gameSeed), {}}; }

std::uint64_t LevelSeed(const GeneratedSet& set, std::int32_t level) {
  return MixSeed(set.seed + static_cast<std::uint64_t>(static_cast<std::uint32_t>(level)));
}

int LevelDifficulty(const GeneratedSet& set, std::int32_t level) {
  const std::int32_t first = std::max<std::int32_t>(level, 1) - 1;
  const std::int32_t rise = set.kind == GeneratedKind::Daily ? first : first / EndlessLevelsPerDifficulty;
  return static_cast<int>(std::min<std::int32_t>(1 + rise, MaxDifficulty));
}

std::optional<std::int32_t> LevelCount(const GeneratedSet& set) {
  if (set.kind == GeneratedKind::Daily) return DailyLevels;
  return std::nullopt;
}

std::string GeneratedSetName(const GeneratedSet& set) {
  return set.kind == GeneratedKind::Daily ? "Daily Challenge " + DateText(set.date) : "Endless";
}

std::string GeneratedTableName(const GeneratedSet& set) {
  if (set.kind == GeneratedKind::Daily) return std::string(DailyTablePrefix) + DateText(set.date) + ".sfh";
  return std::string(EndlessTableName);
}

std::optional<GeneratedSet> SetOfGeneratedTable(const std::filesystem::path& table) {
  if (table.parent_path().filename() != GeneratedTablesFolder) return std::nullopt;
  const std::string name = table.filename().string();
  if (name == EndlessTableName) return GeneratedSet{GeneratedKind::Endless, 0, {}};
  const std::size_t dateStart = DailyTablePrefix.size();
  if (!name.starts_with(DailyTablePrefix) || !name.ends_with(TableEnding) ||
      name.size() != dateStart + 10 + TableEnding.size())
    return std::nullopt;
  const std::optional<CalendarDate> date = ParseDate(std::string_view(name).substr(dateStart, 10));
  if (!date) return std::nullopt;
  return DailySet(*date);
}

void KeepLatestDailyTables(const std::filesystem::path& folder) {
  std::vector<std::pair<CalendarDate, std::filesystem::path>> tables;
  std::error_code failure;
  for (const auto& entry : std::filesystem::directory_iterator(folder, failure)) {
    const std::optional<GeneratedSet> set = SetOfGeneratedTable(entry.path());
    if (set && set->kind == GeneratedKind::Daily) tables.emplace_back(set->date, entry.path());
  }
  if (tables.size() <= static_cast<std::size_t>(KeptDailyTables)) return;
  std::sort(tables.begin(), tables.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = KeptDailyTables; i < tables.size(); ++i) {
    std::error_code ignored;
    std::filesystem::remove_all(TableGamesFolder(tables[i].second), ignored);
    std::filesystem::remove(tables[i].second, ignored);
  }
}
