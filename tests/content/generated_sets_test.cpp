// Endless and the Daily Challenge: dates, the seeds and difficulties of their levels, their tables' names, and
// the bound on the days' tables kept.
#include <gtest/gtest.h>

#include <set>

#include "content/generated_sets.h"
#include "content/table_games.h"
#include "content_test_support.h"

namespace {

TEST(CalendarDates, OnlyRealDaysInTheirExactFormAreRead) {
  const struct {
    const char* text;
    bool read;
  } cases[] = {{"2026-12-08", true},  {"2024-02-29", true},  {"2000-02-29", true}, {"2100-02-29", false},
               {"2026-02-29", false}, {"2026-13-01", false}, {"2026-00-10", false}, {"2026-04-31", false},
               {"0000-01-01", false}, {"2026-1-08", false},  {"2026-12-08 ", false}, {"2026/12/08", false},
               {"+026-12-08", false}, {"", false}};
  for (const auto& each : cases) {
    const std::optional<CalendarDate> date = ParseDate(each.text);
    EXPECT_EQ(date.has_value(), each.read) << each.text;
    if (date) {
      EXPECT_EQ(DateText(*date), each.text);
    }
  }
}

TEST(CalendarDates, AClockFarOffOffersNoDailyChallenge) {
  EXPECT_FALSE(IsPlayableDailyDate({1970, 1, 1}));
  EXPECT_FALSE(IsPlayableDailyDate({2019, 12, 31}));
  EXPECT_TRUE(IsPlayableDailyDate(FirstDailyDate));
  EXPECT_TRUE(IsPlayableDailyDate(LastDailyDate));
  EXPECT_FALSE(IsPlayableDailyDate({2200, 1, 1}));
  EXPECT_FALSE(IsPlayableDailyDate({9999, 12, 31}));
}

TEST(GeneratedSets, ADayHasItsOwnLevelsAndEachEndlessGameItsOwn) {
  const GeneratedSet day = DailySet({2026, 12, 8});
  EXPECT_EQ(day, DailySet({2026, 12, 8}));
  std::set<std::uint64_t> seeds;
  for (const CalendarDate date : {CalendarDate{2026, 12, 8}, {2026, 12, 9}, {2027, 12, 8}, {2026, 11, 8}})
    for (int level = 1; level <= DailyLevels; ++level) seeds.insert(LevelSeed(DailySet(date), level));
  for (std::uint32_t game : {0u, 1u, 0xffffffffu})
    for (int level = 1; level <= 3; ++level) seeds.insert(LevelSeed(EndlessSet(game), level));
  EXPECT_EQ(seeds.size(), 4u * DailyLevels + 9u) << "two levels share a seed";
}

// A day's levels are the same for every player in every version: their seeds never change.
TEST(GeneratedSets, TheSeedsOfADayAndOfAnEndlessGameArePinned) {
  const GeneratedSet day = DailySet({2026, 12, 8});
  EXPECT_EQ(LevelSeed(day, 1), 0xf0b34ba0a9e970b3u);
  EXPECT_EQ(LevelSeed(day, 10), 0xf60c6f781e384af4u);
  EXPECT_EQ(LevelSeed(EndlessSet(7), 1), 0x079ae66b6e180068u);
}

TEST(GeneratedSets, DifficultyRisesByLevelUpToTheHardest) {
  const GeneratedSet day = DailySet({2026, 12, 8}), endless = EndlessSet(7);
  const struct {
    int level, daily, endless;
  } cases[] = {{1, 1, 1},   {2, 2, 1},   {3, 3, 1},    {4, 4, 2},   {10, 10, 4},
               {27, 10, 9}, {28, 10, 10}, {1000, 10, 10}, {0, 1, 1}};
  for (const auto& each : cases) {
    EXPECT_EQ(LevelDifficulty(day, each.level), each.daily) << each.level;
    EXPECT_EQ(LevelDifficulty(endless, each.level), each.endless) << each.level;
  }
  EXPECT_EQ(LevelCount(day), DailyLevels);
  EXPECT_FALSE(LevelCount(endless).has_value());
}

TEST(GeneratedSets, TablesAreKnownByTheirNamesInTheirFolder) {
  const std::filesystem::path folder = std::filesystem::path("u") / "Lvl" / GeneratedTablesFolder;
  const GeneratedSet day = DailySet({2026, 3, 14});
  EXPECT_EQ(GeneratedTableName(day), "Daily-2026-03-14.sfh");
  EXPECT_EQ(SetOfGeneratedTable(folder / GeneratedTableName(day)), day);
  EXPECT_EQ(GeneratedSetName(day), "Daily Challenge 2026-03-14");
  EXPECT_EQ(SetOfGeneratedTable(folder / "Endless.sfh")->kind, GeneratedKind::Endless);
  for (const char* name : {"Daily-2026-02-30.sfh", "Daily-2026-03-14.sfh.damaged", "Daily-2026-3-14.sfh", "x.sfh"})
    EXPECT_FALSE(SetOfGeneratedTable(folder / name)) << name;
  EXPECT_FALSE(SetOfGeneratedTable(std::filesystem::path("u") / "Lvl" / "Endless.sfh"));
}

using DailyTables = ScratchFolder;

TEST_F(DailyTables, OnlyTheLatestDaysAreKeptWithTheirGames) {
  const std::string folder = std::string(GeneratedTablesFolder) + "/";
  std::filesystem::create_directory(dir / folder);
  const int days = KeptDailyTables + 5;
  for (int day = 1; day <= days; ++day) {
    const CalendarDate date{2026, 1 + (day - 1) / 28, 1 + (day - 1) % 28};
    put(folder + GeneratedTableName(DailySet(date)), "table");
    std::filesystem::create_directory(TableGamesFolder(dir / folder / GeneratedTableName(DailySet(date))));
  }
  put(folder + "Endless.sfh", "table");
  put(folder + "notes.txt", "mine");
  KeepLatestDailyTables(dir / folder);
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir / folder)) left.insert(entry.path().filename().string());
  EXPECT_EQ(left.size(), 2u * KeptDailyTables + 2u);
  EXPECT_TRUE(left.contains("Endless.sfh") && left.contains("notes.txt"));
  EXPECT_FALSE(left.contains("Daily-2026-01-05.sfh"));
  EXPECT_FALSE(left.contains("Daily-2026-01-05.games"));
  EXPECT_TRUE(left.contains("Daily-2026-01-06.sfh"));
  EXPECT_TRUE(left.contains("Daily-2026-02-07.games"));
}

}  // namespace
