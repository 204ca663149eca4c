// The proof's verdicts on levels built to earn each, and generated levels that come with their proof.
#include <gtest/gtest.h>

#include <atomic>
#include <limits>

#include "content/tile_palette.h"
#include "proof/level_proof.h"

namespace {

class LevelProofTest : public ::testing::Test {
 protected:
  LevelProofTest() {
    std::string error;
    EXPECT_TRUE(ChooseTileSet(0, folders, "DefaultTileSet.sft", choice, error)) << error;
    const TilePalette palette = ReadTilePalette(choice.tileSet);
    plain = palette.plain.front();
    metal = palette.metal.front();
  }
  // An empty level of the default tileset, the bottom guarded.
  Level Empty() const {
    Level level;
    level.tilesetName = choice.tilesetName;
    level.backgroundName = FallbackBackground;
    level.guardedSides[Bottom] = -1;
    return level;
  }
  // Rows of plain bricks across the playfield, a few seconds of the autopilot's work each.
  Level Rows(int first, int last) const {
    Level level = Empty();
    for (int r = first; r <= last; ++r)
      for (int c = 2; c <= 19; ++c) level.brickGrid[c][r] = plain;
    return level;
  }

  const DataFolders folders = SameFolders(SHARDFALL_DEFAULT_TREE);
  TileSetChoice choice;
  std::int32_t plain = 0, metal = 0;
};

TEST_F(LevelProofTest, EachVerdictForTheLevelThatEarnsIt) {
  Level sealed = Rows(3, 6);
  for (int c = 9; c <= 11; ++c)
    for (int r = 9; r <= 11; ++r) sealed.brickGrid[c][r] = metal;
  sealed.brickGrid[10][10] = plain;
  Level unguarded = Rows(3, 6);
  unguarded.guardedSides = {};
  Level onlyMetal = Empty();
  onlyMetal.brickGrid[10][5] = metal;
  struct Case {
    const char* what;
    Level level;
    ProofVerdict verdict;
    const char* reason;
    std::int32_t shortestMs = ProofSettings{}.shortestMs;
  };
  const Case cases[] = {
      {"rows", Rows(3, 8), ProofVerdict::Cleared, "cleared in "},
      {"a brick in a metal box", sealed, ProofVerdict::Sealed,
       "1 breakable brick is sealed off by indestructible bricks, the first at column 10, row 10"},
      {"no paddle", unguarded, ProofVerdict::Unplayable, "no side is guarded"},
      {"only metal", onlyMetal, ProofVerdict::Unplayable, "nothing to break"},
      {"rows, asked to last ten minutes", Rows(3, 8), ProofVerdict::TooQuick, ", under 10:00.0", 600'000},
  };
  for (const Case& test : cases) {
    ProofSettings settings;
    settings.shortestMs = test.shortestMs;
    const LevelProof proof = ProveLevel(test.level, folders, settings);
    EXPECT_EQ(proof.verdict, test.verdict) << test.what << ": " << proof.reason;
    EXPECT_NE(proof.reason.find(test.reason), std::string::npos) << test.what << ": " << proof.reason;
    if (test.verdict == ProofVerdict::Cleared) {
      EXPECT_GE(proof.playMs, ProofSettings{}.shortestMs) << test.what;
    }
  }
}

TEST_F(LevelProofTest, TheSameLevelGetsTheSameTimeAndAStopEndsIt) {
  const Level level = Rows(3, 8);
  EXPECT_EQ(ProveLevel(level, folders).playMs, ProveLevel(level, folders).playMs);
  const std::atomic<bool> stop{true};
  ProofSettings settings;
  settings.stop = &stop;
  EXPECT_EQ(ProveLevel(level, folders, settings).verdict, ProofVerdict::Stopped);
}

TEST_F(LevelProofTest, AGeneratedLevelComesWithItsProofAndItsSeedGivesItAgain) {
  for (std::uint64_t seed : {std::uint64_t{1}, std::numeric_limits<std::uint64_t>::max()}) {
    const ProvenLevel proven = GenerateProvenLevel(seed, 5, folders, choice.tilesetName);
    ASSERT_EQ(proven.error, "") << seed;
    EXPECT_GE(proven.proofMs, ProofSettings{}.shortestMs) << seed;
    EXPECT_EQ(proven.seed - seed, static_cast<std::uint64_t>(proven.attempts - 1)) << seed;  // wraps past the top
    EXPECT_EQ(GenerateLevel(proven.seed, 5, choice).level, proven.level) << seed;
    EXPECT_TRUE(ProveLevel(proven.level, folders).passed()) << seed;
  }
}

TEST_F(LevelProofTest, WhatCannotBeGeneratedSaysWhy) {
  struct Case {
    int difficulty;
    const char* tileset;
    int attempts;
    const char* reason;
  };
  const Case cases[] = {
      {11, "DefaultTileSet.sft", 64, "difficulty 11 is outside 1 to 10"},
      {5, "Missing.sft", 64, "Missing.bmp"},
      {5, "../Tls/DefaultTileSet.sft", 64, "not a tileset file name"},
      {5, "DefaultTileSet.sft", 0, "no level passed its proof in 0 seeds from 1"},
  };
  for (const Case& test : cases) {
    ProofSettings settings;
    settings.attempts = test.attempts;
    const ProvenLevel proven = GenerateProvenLevel(1, test.difficulty, folders, test.tileset, settings);
    EXPECT_NE(proven.error.find(test.reason), std::string::npos) << test.tileset << ": " << proven.error;
    EXPECT_EQ(proven.level, Level{}) << test.tileset;
  }
}

}  // namespace
