// The designers' level text: exact round trips, the legend rules, and errors that name the faulty line.
#include <gtest/gtest.h>

#include "tools/default_content/level_text.h"
#include "tools/default_content/levels/level_sources.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace {

Level BottomLevel(std::string tileset = "DefaultTileSet.sft") {
  Level level;
  level.guardedSides[Bottom] = -1;
  level.tilesetName = std::move(tileset);
  level.backgroundName = "DefaultBackground.bmp";
  return level;
}

std::string Header(std::string_view extra = "") {
  return std::string("tileset: DefaultTileSet.sft\nbackground: DefaultBackground.bmp\nsides: bottom\n") +
         std::string(extra) + "map:\n";
}

std::string EmptyRows(int count) {
  std::string rows;
  for (int i = 0; i < count; ++i) rows += std::string(20, '.') + "\n";
  return rows;
}

std::string ErrorOf(const std::string& text) {
  Level level;
  std::string error;
  EXPECT_FALSE(LevelFromText(text, level, error));
  return error;
}

void ExpectRoundTrip(const Level& level) {
  const std::string text = LevelToText(level);
  Level back;
  std::string error;
  ASSERT_TRUE(LevelFromText(text, back, error)) << error << "\n" << text;
  EXPECT_EQ(back, level) << text;
}

}  // namespace

TEST(LevelTextRoundTrip, EveryShippedLevelComesBackExactly) {
  std::string error;
  const auto sets = ShippedLevelSets(error);
  ASSERT_FALSE(sets.empty()) << error;
  for (const ShippedLevelSet& set : sets)
    for (const Level& level : set.levels) ExpectRoundTrip(level);
}

TEST(LevelTextRoundTrip, CellsTheMapCannotShowComeBackThroughCellLines) {
  Level level = BottomLevel();
  level.brickGrid[0][0] = 7;
  level.brickGrid[0][12] = -3;
  level.brickGrid[20][0] = 1;
  level.brickGrid[5][5] = -1;
  level.brickGrid[6][6] = 100000;
  ExpectRoundTrip(level);
}

TEST(LevelTextRoundTrip, MoreTileNumbersThanCharactersStillRoundTrip) {
  Level level = BottomLevel("Other.sft");
  int tile = 1;
  for (int c = 1; c <= 20; ++c)
    for (int r = 1; r <= 10; ++r) level.brickGrid[c][r] = tile++;
  const std::string text = LevelToText(level);
  EXPECT_NE(text.find('?'), std::string::npos) << "200 distinct tiles cannot all have a character";
  ExpectRoundTrip(level);
}

TEST(LevelTextRoundTrip, EverySideCombinationAndUnshippedTilesets) {
  for (int mask = 0; mask < 16; ++mask) {
    Level level = BottomLevel("My Bricks.sft");
    level.backgroundName = "Back Drop.bmp";
    for (int side = Bottom; side <= Left; ++side) level.guardedSides[side] = (mask >> (side - 1) & 1) ? -1 : 0;
    level.brickGrid[3][4] = 2;
    level.brickGrid[18][27] = 5;
    ExpectRoundTrip(level);
  }
}

TEST(LevelTextReading, FixedLegendAppliesAndTheFileLegendOverridesIt) {
  const auto* fixed = FixedLegendOf("DefaultTileSet.sft");
  ASSERT_NE(fixed, nullptr);
  std::string text = Header("legend: Q=42 c=9\n");
  text += "cQ...b..............\n" + EmptyRows(29);
  Level level;
  std::string error;
  ASSERT_TRUE(LevelFromText(text, level, error)) << error;
  EXPECT_EQ(level.brickGrid[1][1], 9);
  EXPECT_EQ(level.brickGrid[2][1], 42);
  EXPECT_EQ(level.brickGrid[6][1], fixed->at('b'));
  EXPECT_EQ(level.brickGrid[3][1], 0);
  EXPECT_EQ(level.guardedSides, (std::array<std::int16_t, 5>{0, -1, 0, 0, 0}));
}

TEST(LevelTextReading, CommentsBlankLinesAndWindowsLineEndsAreAccepted) {
  std::string text = "# a level\r\n\r\ntileset: DefaultTileSet.sft\r\n  # indented comment\r\n"
                     "background: Starfield.bmp\r\nsides: left right\r\nmap:\r\n";
  for (int r = 0; r < 30; ++r) text += std::string(r == 4 ? "..c................." : "....................") + "\r\n";
  Level level;
  std::string error;
  ASSERT_TRUE(LevelFromText(text, level, error)) << error;
  EXPECT_EQ(level.backgroundName, "Starfield.bmp");
  EXPECT_EQ(level.guardedSides[Left], -1);
  EXPECT_EQ(level.guardedSides[Right], -1);
  EXPECT_EQ(level.brickGrid[3][5], FixedLegendOf("DefaultTileSet.sft")->at('c'));
}

TEST(LevelTextReading, FailureLeavesTheLevelUntouched) {
  Level level = BottomLevel();
  level.brickGrid[1][1] = 5;
  const Level before = level;
  std::string error;
  EXPECT_FALSE(LevelFromText(Header() + EmptyRows(12), level, error));
  EXPECT_EQ(level, before);
}

TEST(LevelTextErrors, NameTheLineAndTheFault) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {Header() + EmptyRows(2) + "...\n" + EmptyRows(27), "line 7: map row 3 has 3 characters"},
      {Header() + EmptyRows(4) + "....Y...............\n" + EmptyRows(25),
       "line 9: character 'Y' in column 5 is not in the legend"},
      {Header() + EmptyRows(29), "line 4: the map has 29 rows"},
      {"tileset: DefaultTileSet.sft\nbackground: x.bmp\nsides: bottom top bottom\nmap:\n" + EmptyRows(30),
       "line 3: side 'bottom' is named twice"},
      {"tileset: DefaultTileSet.sft\nbackground: x.bmp\nsides: up\nmap:\n" + EmptyRows(30),
       "line 3: unknown side 'up'"},
      {"tileset: DefaultTileSet.sft\nbackground: x.bmp\nsides:\nmap:\n" + EmptyRows(30),
       "line 3: name the guarded sides"},
      {Header("colour: blue\n"), "line 4: unknown key 'colour'"},
      {Header("just words\n"), "line 4: expected 'key: value'"},
      {Header("legend: x12\n"), "line 4: legend entry 'x12'"},
      {Header("legend: .=4\n"), "line 4: legend entry '.=4'"},
      {Header() + "?" + std::string(19, '.') + "\n" + EmptyRows(29),
       "line 5: character '?' in column 1 has no cell line"},
      {Header() + EmptyRows(30) + "cell: 21 0 = 4\n", "line 35: cell 21 0 is outside"},
      {Header() + EmptyRows(30) + "cell: 3 3 4\n", "line 35: a cell line reads"},
      {Header() + EmptyRows(30) + "cell: 3 3 = 4\n", "line 35: this cell's map character is not '?'"},
      {Header() + EmptyRows(30) + "cell: 0 3 = 4\ncell: 0 3 = 5\n", "line 36: cell 0 3 is given twice"},
      {"tileset: a.sft\ntileset: b.sft\n", "line 2: 'tileset' is given twice"},
      {"# names\ntileset: ../a.sft\n", "line 2: '../a.sft' is not a plain file name"},
      {"background: \n", "line 1: '' is not a plain file name"},
      {"background: " + std::string(27, 'x') + ".bmp\n",
       "line 1: '" + std::string(27, 'x') + ".bmp' is not a plain"},
      {Header() + EmptyRows(30) + "map:\n", "line 35: 'map' is given twice"},
      {"background: x.bmp\nsides: top\nmap:\n" + EmptyRows(30), "no 'tileset:' line"},
      {"tileset: a.sft\nsides: top\nmap:\n" + EmptyRows(30), "no 'background:' line"},
      {"tileset: a.sft\nbackground: x.bmp\nmap:\n" + EmptyRows(30), "no 'sides:' line"},
      {"tileset: a.sft\nbackground: x.bmp\nsides: top\n", "no 'map:' line"},
      {"", "no 'tileset:' line"},
  };
  for (const Case& c : cases) {
    const std::string error = ErrorOf(c.text);
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << "got: " << error << "\nwanted: " << c.expected;
  }
}
