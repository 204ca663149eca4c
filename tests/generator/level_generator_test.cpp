// The generator's contract: a seed means one level everywhere, every level keeps the layout rules, and a tileset
// without some kind gets a level without it (or a reason when it has nothing a layout can be built from).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "content/level_generator.h"
#include "content/playfield_rules.h"
#include "content/sealed_bricks.h"
#include "proof/level_proof.h"
#include "test_world.h"

namespace {

constexpr std::uint64_t Seeds[] = {0, 1, 2, 3, 4, std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::uint32_t>::max(), std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::uint64_t>::max()};

TileSetChoice TestChoice(TileSet tileSet = MakeTestTileSet()) {
  return {"TestTileSet.sft", std::move(tileSet), {"A.bmp", "B.bmp"}, {"NeonOrbit.mid", "Other.mid"}};
}

Bytes BytesOf(const Level& level) {
  Bytes bytes;
  std::string problem;
  EXPECT_TRUE(EncodeLevel(level, bytes, problem)) << problem;
  return bytes;
}

// FNV-1a, written out here so that the pinned values below mean the same bytes in every build.
std::uint64_t Digest(const Bytes& bytes) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001B3u;
  return hash;
}

// Every rule a generated level keeps, with the seed and difficulty in each message.
void ExpectKeepsTheRules(const GeneratedLevel& generated, const TileSetChoice& choice, const std::string& where) {
  ASSERT_EQ(generated.error, "") << where;
  const Level& level = generated.level;
  EXPECT_EQ(level.tilesetName, choice.tilesetName) << where;
  EXPECT_TRUE(std::count(choice.backgrounds.begin(), choice.backgrounds.end(), level.backgroundName) == 1) << where;
  EXPECT_TRUE(std::count(choice.songs.begin(), choice.songs.end(), generated.songName) == 1) << where;
  EXPECT_FALSE(generated.motif.empty()) << where;
  EXPECT_EQ(LayoutProblem(level), "") << where;
  EXPECT_EQ(WedgeProblem(level, choice.tileSet), "") << where;
  EXPECT_EQ(FindSealedBricks(level, choice.tileSet, choice.tileSet.tileCount).count, 0) << where;
  bool guarded = false, breakable = false;
  for (int side = Bottom; side <= Left; ++side) guarded = guarded || IsGuarded(level.guardedSides, side);
  EXPECT_TRUE(guarded) << where;
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r) {
      const std::int32_t tile = level.brickGrid[c][r];
      ASSERT_TRUE(tile >= 0 && tile <= choice.tileSet.tileCount) << where << " column " << c << " row " << r;
      EXPECT_EQ(tile == 0, level.brickGrid[GridColumns - c][r] == 0) << where << ": not mirrored at column " << c;
      breakable = breakable || (tile > 0 && choice.tileSet.tiles[tile].kind == Hittable);
    }
  EXPECT_TRUE(breakable) << where;
}

TEST(LevelGenerator, TheSameSeedGivesTheSameBytesAndPinnedLevelsStayAsTheyAre) {
  // A change here changes every generated level players have met: make it on purpose, and pin the new values.
  struct Pin {
    std::uint64_t seed;
    int difficulty;
    std::uint64_t digest;
  };
  const Pin pins[] = {
      {0, 1, 18000913926963543465u},
      {1, 5, 10881099439425047760u},
      {std::numeric_limits<std::uint64_t>::max(), 10, 12996807277551667220u},
      {123456789, 7, 4259995273450344029u},
  };
  const TileSetChoice choice = TestChoice();
  for (const Pin& pin : pins) {
    const Bytes first = BytesOf(GenerateLevel(pin.seed, pin.difficulty, choice).level);
    EXPECT_EQ(first, BytesOf(GenerateLevel(pin.seed, pin.difficulty, choice).level)) << pin.seed;
    EXPECT_EQ(Digest(first), pin.digest) << "seed " << pin.seed << ", difficulty " << pin.difficulty;
  }
  EXPECT_NE(BytesOf(GenerateLevel(1, 5, choice).level), BytesOf(GenerateLevel(2, 5, choice).level));
}

TEST(LevelGenerator, ShippedTileSetsGiveTheirPinnedLevelsAndScenery) {
  // The scenery tables and the shipped tilesets are part of what a seed means.
  struct Pin {
    const char* tileset;
    int difficulty;
    std::uint64_t digest;
    const char* song;
  };
  const Pin pins[] = {
      {"DefaultTileSet.sft", 1, 8934311271504858751u, "NeonOrbit.mid"},
      {"NeonTileSet.sft", 1, 16748785071607630993u, "NeonOrbit.mid"},
      {"FrostTileSet.sft", 5, 13533382733450737474u, "NeonOrbit.mid"},
      {"CircuitTileSet.sft", 10, 13163304412701152796u, "PrismRush.mid"},
  };
  const DataFolders folders = SameFolders(SHARDFALL_DEFAULT_TREE);
  for (const Pin& pin : pins) {
    TileSetChoice choice;
    std::string error;
    ASSERT_TRUE(ChooseTileSet(0, folders, pin.tileset, choice, error)) << error;
    const GeneratedLevel generated = GenerateLevel(7, pin.difficulty, choice);
    EXPECT_EQ(Digest(BytesOf(generated.level)), pin.digest) << pin.tileset << ", " << generated.level.backgroundName;
    EXPECT_EQ(generated.songName, pin.song) << pin.tileset;
  }
}

TEST(LevelGenerator, EveryDifficultyAndSeedAtTheLimitsKeepsTheRulesInEveryShippedTileSet) {
  const DataFolders folders = SameFolders(SHARDFALL_DEFAULT_TREE);
  for (const auto& file : ListFilesEndingWith(folders.shipped / "Tls", ".sft")) {
    TileSetChoice choice;
    std::string error;
    ASSERT_TRUE(ChooseTileSet(0, folders, file.filename().string(), choice, error)) << error;
    for (int difficulty = EasiestDifficulty; difficulty <= HardestDifficulty; ++difficulty)
      for (std::uint64_t seed : Seeds)
        ExpectKeepsTheRules(GenerateLevel(seed, difficulty, choice), choice,
                            choice.tilesetName + ", seed " + std::to_string(seed) + ", difficulty " +
                                std::to_string(difficulty));
  }
}

// Maze rooms need the walls of harder levels: none below difficulty 3, some from it on.
TEST(LevelGenerator, MazeRoomsComeFromDifficultyThree) {
  const DataFolders folders = SameFolders(SHARDFALL_DEFAULT_TREE);
  const auto mazes = [&](int difficulty) {
    int count = 0;
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
      TileSetChoice choice;
      std::string error;
      EXPECT_TRUE(ChooseTileSet(seed, folders, "", choice, error)) << error;
      count += GenerateLevel(seed, difficulty, choice).motif == "maze rooms";
    }
    return count;
  };
  EXPECT_EQ(mazes(2), 0);
  EXPECT_GT(mazes(3), 0);
}

TEST(PlayfieldRules, BricksInAPaddlesWayOrWedgingABallAreFound) {
  struct Case {
    const char* what;
    Side guarded;
    std::vector<std::array<int, 3>> bricks;  // column, row, tile
    const char* problem;
  };
  const Case cases[] = {
      {"the right edge, guarded", Right, {{20, 10, Tile::Plain}}, "a brick in a paddle's way"},
      {"the right edge, open", Bottom, {{20, 10, Tile::Plain}}, ""},
      {"the left edge, guarded", Left, {{1, 10, Tile::Plain}}, "a brick in a paddle's way"},
      {"the bottom band", Bottom, {{10, 29, Tile::Plain}}, "a brick in a paddle's way"},
      {"the top band", Top, {{10, 2, Tile::Plain}}, "a brick in a paddle's way"},
      {"off the playfield", Bottom, {{0, 10, Tile::Plain}}, "outside the playfield"},
      {"a brick between metal", Bottom, {{5, 4, Tile::Wall}, {5, 5, Tile::Plain}, {5, 6, Tile::Wall}}, "wedge"},
      {"dynamite between metal", Bottom, {{5, 4, Tile::Wall}, {5, 5, Tile::Dynamite}, {5, 6, Tile::Wall}}, ""},
  };
  const TileSet tileSet = MakeTestTileSet();
  for (const Case& test : cases) {
    Level level;
    level.guardedSides[test.guarded] = -1;
    for (const auto& [c, r, tile] : test.bricks) level.brickGrid[c][r] = tile;
    const std::string found = LayoutProblem(level) + WedgeProblem(level, tileSet);
    EXPECT_EQ(found.empty(), std::string(test.problem).empty()) << test.what << ": " << found;
    EXPECT_NE(found.find(test.problem), std::string::npos) << test.what << ": " << found;
  }
}

TEST(LevelGenerator, ATileSetWithoutAKindGetsLevelsWithoutIt) {
  struct Case {
    const char* missing;
    std::vector<int> tiles;  // made blank (kind 0)
  };
  const Case cases[] = {
      {"metal", {Tile::Wall}},
      {"multi-hit bricks", {Tile::Tough, Tile::Tough + 1, Tile::Tough + 2}},
      {"go-through bricks", {Tile::Glass}},
      {"dynamite", {Tile::Dynamite}},
      {"shooters", {Tile::Cross}},
      {"animated bricks", {Tile::Blinker, Tile::Blinker + 1, Tile::Blinker + 2, Tile::Blinker + 3}},
      {"everything but the plain brick", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
  };
  for (const Case& test : cases) {
    TileSetChoice choice = TestChoice();
    for (int tile : test.tiles) choice.tileSet.tiles[tile] = TileDef{};
    for (int difficulty = EasiestDifficulty; difficulty <= HardestDifficulty; ++difficulty)
      for (std::uint64_t seed : {1u, 2u, 3u}) {
        const std::string where = std::string("without ") + test.missing + ", seed " + std::to_string(seed) +
                                  ", difficulty " + std::to_string(difficulty);
        const GeneratedLevel generated = GenerateLevel(seed, difficulty, choice);
        ExpectKeepsTheRules(generated, choice, where);
        for (const auto& column : generated.level.brickGrid)
          for (std::int32_t tile : column)
            EXPECT_TRUE(std::find(test.tiles.begin(), test.tiles.end(), tile) == test.tiles.end()) << where;
      }
  }
}

TEST(LevelGenerator, WhatCannotMakeALevelSaysWhy) {
  struct Case {
    const char* what;
    int difficulty;
    std::vector<int> blanked;
    std::string tilesetName;
    const char* reason;
  };
  const Case cases[] = {
      {"difficulty 0", 0, {}, "TestTileSet.sft", "difficulty 0 is outside 1 to 10"},
      {"difficulty 11", 11, {}, "TestTileSet.sft", "difficulty 11 is outside 1 to 10"},
      {"no one-hit brick", 5, {Tile::Plain, Tile::Blinker, 10, 11, 12}, "TestTileSet.sft",
       "has no brick that breaks in one hit"},
      {"a name a level cannot hold", 5, {}, std::string(31, 'a'), "cannot be named in a level"},
  };
  for (const Case& test : cases) {
    TileSetChoice choice = TestChoice();
    choice.tilesetName = test.tilesetName;
    for (int tile : test.blanked) choice.tileSet.tiles[tile] = TileDef{};
    const GeneratedLevel generated = GenerateLevel(1, test.difficulty, choice);
    EXPECT_NE(generated.error.find(test.reason), std::string::npos) << test.what << ": " << generated.error;
    EXPECT_EQ(generated.level, Level{}) << test.what;
  }
}

}  // namespace
