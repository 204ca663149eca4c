// The shipped level sets: playable levels, the variety the sets promise, the files in Lvl, and determinism.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "content/data_folders.h"
#include "content/file_io.h"
#include "content/level_set_file.h"
#include "content/renamed_sets.h"
#include "fresh_folder.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/levels/level_rules.h"
#include "tools/default_content/levels/level_sources.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace {

const std::vector<ShippedLevelSet>& Sets() {
  static const std::vector<ShippedLevelSet> sets = [] {
    std::string error;
    auto built = ShippedLevelSets(error);
    if (built.empty()) throw std::runtime_error(error);
    return built;
  }();
  return sets;
}

const ShippedLevelSet& SetNamed(const std::string& name) {
  for (const ShippedLevelSet& set : Sets())
    if (set.levelSet.levelSetName == name) return set;
  throw std::runtime_error("no set " + name);
}

const TileSet& TileSetOf(const Level& level) {
  for (const DesignedTileSet& set : DesignedTileSets())
    if (set.fileName == level.tilesetName) return set.tileSet;
  throw std::runtime_error("unshipped tileset " + level.tilesetName);
}

int SidesMask(const Level& level) {
  int mask = 0;
  for (int side = Bottom; side <= Left; ++side) mask |= level.guardedSides[side] == -1 ? 1 << (side - 1) : 0;
  return mask;
}

constexpr int B = 1 << (Bottom - 1), R = 1 << (Right - 1), T = 1 << (Top - 1), L = 1 << (Left - 1);

bool HasDynamiteChain(const Level& level, const TileSet& tiles) {
  const auto isDynamite = [&](int c, int r) {
    const std::int32_t t = level.brickGrid[c][r];
    return t > 0 && tiles.tiles[t].kind == Dynamite;
  };
  for (int c = 1; c <= 19; ++c)
    for (int r = 1; r <= 29; ++r)
      if (isDynamite(c, r) && (isDynamite(c + 1, r) || isDynamite(c, r + 1) || isDynamite(c + 1, r + 1) ||
                               (r > 1 && isDynamite(c + 1, r - 1))))
        return true;
  return false;
}

std::map<std::string, Bytes> FolderBytes(const std::filesystem::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string error;
    ReadWholeFile(entry.path(), files[entry.path().filename().string()], error);
  }
  return files;
}

Level PlainLevel() {
  Level level;
  level.guardedSides[Bottom] = -1;
  level.tilesetName = "DefaultTileSet.sft";
  level.backgroundName = "DefaultBackground.bmp";
  level.brickGrid[10][10] = 1;
  return level;
}

}  // namespace

TEST(LevelRules, PaddleBandsAreTheRowsAndColumnsNearestTheGuardedEdges) {
  EXPECT_TRUE(InPaddleBand(Bottom, 10, 30));
  EXPECT_TRUE(InPaddleBand(Bottom, 10, 29));
  EXPECT_FALSE(InPaddleBand(Bottom, 10, 28));
  EXPECT_TRUE(InPaddleBand(Top, 3, 1));
  EXPECT_TRUE(InPaddleBand(Top, 3, 2));
  EXPECT_FALSE(InPaddleBand(Top, 3, 3));
  EXPECT_TRUE(InPaddleBand(Left, 1, 15));
  EXPECT_FALSE(InPaddleBand(Left, 2, 15));
  EXPECT_TRUE(InPaddleBand(Right, 20, 15));
  EXPECT_FALSE(InPaddleBand(Right, 19, 15));
}

TEST(LevelRules, RefuseUnplayableLevels) {
  const TileSet& tiles = DesignedTileSets().front().tileSet;
  EXPECT_EQ(LevelProblem(PlainLevel(), tiles), "");

  Level unguarded = PlainLevel();
  unguarded.guardedSides[Bottom] = 0;
  EXPECT_NE(LevelProblem(unguarded, tiles), "");

  Level inBand = PlainLevel();
  inBand.brickGrid[5][29] = 1;
  EXPECT_NE(LevelProblem(inBand, tiles).find("paddle"), std::string::npos);
  inBand.guardedSides[Bottom] = 0;
  inBand.guardedSides[Top] = -1;
  EXPECT_EQ(LevelProblem(inBand, tiles), "") << "row 29 is free when only the top is guarded";

  Level unknownTile = PlainLevel();
  unknownTile.brickGrid[4][4] = tiles.tileCount + 1;
  EXPECT_NE(LevelProblem(unknownTile, tiles).find("not in the tileset"), std::string::npos);
  unknownTile.brickGrid[4][4] = -2;
  EXPECT_NE(LevelProblem(unknownTile, tiles), "");

  Level hidden = PlainLevel();
  hidden.brickGrid[0][7] = 1;
  EXPECT_NE(LevelProblem(hidden, tiles).find("outside"), std::string::npos);

  Level metalOnly = PlainLevel();
  metalOnly.brickGrid[10][10] = FixedLegendOf("DefaultTileSet.sft")->at('X');
  EXPECT_EQ(LevelProblem(metalOnly, tiles), "nothing to break");
}

TEST(LevelRules, RefuseAGapOneRowHighBetweenMetal) {
  const TileSet& tiles = DesignedTileSets().front().tileSet;
  const auto* legend = FixedLegendOf("DefaultTileSet.sft");
  Level slot = PlainLevel();
  slot.brickGrid[6][9] = slot.brickGrid[6][11] = legend->at('X');
  slot.brickGrid[6][10] = 1;
  EXPECT_NE(LevelProblem(slot, tiles).find("wedge"), std::string::npos) << "a brick that breaks leaves the gap";
  slot.brickGrid[6][10] = legend->at('D');
  EXPECT_EQ(LevelProblem(slot, tiles), "") << "a charge takes the metal with it";
  slot.brickGrid[6][10] = legend->at('|');
  EXPECT_EQ(LevelProblem(slot, tiles), "") << "so does a shooter firing up and down";
  slot.brickGrid[6][10] = legend->at('X');
  EXPECT_EQ(LevelProblem(slot, tiles), "");
  slot.brickGrid[9][10] = legend->at('<');
  EXPECT_NE(LevelProblem(slot, tiles).find("column 6, row 10"), std::string::npos) << "a shooter's row opens it";
}

TEST(ShippedLevels, EveryLevelIsPlayableWithItsTileset) {
  for (const ShippedLevelSet& set : Sets())
    for (std::size_t i = 0; i < set.levels.size(); ++i)
      EXPECT_EQ(LevelProblem(set.levels[i], TileSetOf(set.levels[i])), "") << set.levelSet.levelFiles[i];
}

TEST(ShippedLevels, SetsHoldTheirLevelsUnderDistinctPlainNames) {
  EXPECT_GE(SetNamed("Shardfall Levels").levels.size(), 20u);
  EXPECT_EQ(SetNamed("Warm-up").levels.size(), 8u);
  std::set<std::string> names;
  for (const ShippedLevelSet& set : Sets()) {
    EXPECT_EQ(set.levels.size(), set.levelSet.levelFiles.size());
    EXPECT_TRUE(names.insert(set.fileName).second);
    for (const std::string& file : set.levelSet.levelFiles) {
      EXPECT_TRUE(names.insert(file).second) << file << " is used twice";
      EXPECT_EQ(file.find_first_of("/\\,\""), std::string::npos) << file;
      EXPECT_LE(file.size(), 40u);
    }
  }
}

TEST(ShippedLevels, FourSetsHoldSixtyLevelsOrMore) {
  std::size_t levels = 0;
  for (const ShippedLevelSet& set : Sets()) levels += set.levels.size();
  EXPECT_EQ(Sets().size(), 4u);
  EXPECT_GE(levels, 60u);
  EXPECT_EQ(SetNamed("Shardfall Levels").levels.size(), 22u);
  EXPECT_GE(SetNamed("Four Winds").levels.size(), 15u);
  EXPECT_GE(SetNamed("Fault Lines").levels.size(), 15u);
}

TEST(ShippedLevels, FourWindsGuardsSeveralSidesInEveryLevelAndAllArrangements) {
  std::set<int> masks;
  for (const Level& level : SetNamed("Four Winds").levels) {
    EXPECT_GE(std::popcount(static_cast<unsigned>(SidesMask(level))), 2);
    masks.insert(SidesMask(level));
  }
  for (int wanted : {B | T, L | R, B | R, B | L, T | L, T | R, B | R | L, R | T | L, B | R | T, B | R | T | L})
    EXPECT_TRUE(masks.count(wanted)) << "side mask " << wanted;
}

TEST(ShippedLevels, FaultLinesIsBuiltOnChainsShootersPulsingWallsAndMazes) {
  int chains = 0, shooterLevels = 0, pulsingWalls = 0, metalLevels = 0;
  for (const Level& level : SetNamed("Fault Lines").levels) {
    const TileSet& tiles = TileSetOf(level);
    chains += HasDynamiteChain(level, tiles) ? 1 : 0;
    bool shooter = false, pulsing = false, metal = false;
    for (int c = 1; c <= 20; ++c)
      for (int r = 1; r <= 30; ++r) {
        const std::int32_t t = level.brickGrid[c][r];
        if (t == 0) continue;
        const TileDef& def = tiles.tiles[t];
        shooter = shooter || IsShooter(def.kind);
        pulsing = pulsing || (def.kind == Indestructible && def.frameCount > 1);
        metal = metal || def.kind == Indestructible;
      }
    shooterLevels += shooter ? 1 : 0;
    pulsingWalls += pulsing ? 1 : 0;
    metalLevels += metal ? 1 : 0;
  }
  EXPECT_GE(chains, 5);
  EXPECT_GE(shooterLevels, 4);
  EXPECT_GE(pulsingWalls, 3);
  EXPECT_GE(metalLevels, 8);
}

TEST(ShippedLevels, MainSetUsesEveryBrickKindAnimationsAndDynamiteChains) {
  std::set<std::int32_t> kinds, hitCounts, animatedKinds;
  bool chain = false;
  for (const Level& level : SetNamed("Shardfall Levels").levels) {
    const TileSet& tiles = TileSetOf(level);
    chain = chain || HasDynamiteChain(level, tiles);
    for (int c = 1; c <= 20; ++c)
      for (int r = 1; r <= 30; ++r) {
        const std::int32_t t = level.brickGrid[c][r];
        if (t == 0) continue;
        kinds.insert(tiles.tiles[t].kind);
        hitCounts.insert(tiles.tiles[t].hitCount);
        if (tiles.tiles[t].frameCount > 1) animatedKinds.insert(tiles.tiles[t].kind);
      }
  }
  for (std::int32_t kind = FirstBrickCode; kind <= LastBrickCode; ++kind) EXPECT_TRUE(kinds.count(kind)) << "kind " << kind;
  EXPECT_TRUE(hitCounts.count(2));
  EXPECT_TRUE(hitCounts.count(3));
  EXPECT_GE(animatedKinds.size(), 3u);
  EXPECT_TRUE(chain);
}

TEST(ShippedLevels, MainSetCoversThePaddleArrangements) {
  std::set<int> masks;
  for (const Level& level : SetNamed("Shardfall Levels").levels) masks.insert(SidesMask(level));
  for (int wanted : {B, T, B | T, L | R, B | L, B | R | T | L, B | R, T | L, B | L | R})
    EXPECT_TRUE(masks.count(wanted)) << "side mask " << wanted;
}

TEST(ShippedLevels, GentleFirstLevelsAndAHardEnd) {
  const auto& levels = SetNamed("Shardfall Levels").levels;
  const auto hitsToClear = [](const Level& level) {
    const TileSet& tiles = TileSetOf(level);
    int hits = 0;
    for (int c = 1; c <= 20; ++c)
      for (int r = 1; r <= 30; ++r) {
        const std::int32_t t = level.brickGrid[c][r];
        if (t > 0 && tiles.tiles[t].kind == Hittable) hits += tiles.tiles[t].hitCount;
      }
    return hits;
  };
  EXPECT_LT(hitsToClear(levels.front()), hitsToClear(levels.back()));
  EXPECT_EQ(SidesMask(levels.front()), B) << "the first level has the plain bottom paddle";
}

TEST(ShippedLevels, BuiltFilesMatchTheSetsAndNameShippedPictures) {
  const FreshFolder folder;
  const std::filesystem::path& root = folder.path();
  std::string error;
  ASSERT_TRUE(BuildDefaultLevels(root, error)) << error;
  ASSERT_TRUE(BuildDefaultBackgrounds(root, error)) << error;
  for (const ShippedLevelSet& set : Sets()) {
    LevelSet read;
    ASSERT_TRUE(ReadLevelSetFile(root / "Lvl" / set.fileName, read, error)) << error;
    EXPECT_EQ(read.levelSetName, set.levelSet.levelSetName);
    EXPECT_EQ(read.levelFiles, set.levelSet.levelFiles);
    for (std::size_t i = 0; i < set.levels.size(); ++i) {
      Level level;
      ASSERT_TRUE(ReadLevelFile(root / "Lvl" / read.levelFiles[i], level, error)) << error;
      EXPECT_EQ(level, set.levels[i]);
      EXPECT_TRUE(std::filesystem::exists(root / "Bgd" / level.backgroundName)) << level.backgroundName;
      EXPECT_NE(FixedLegendOf(level.tilesetName), nullptr) << level.tilesetName;
    }
  }
}

TEST(ShippedLevels, TheGamesListingOffersTheSetsFromTheGentlestToTheHardest) {
  const FreshFolder folder;
  const std::filesystem::path root = folder.path();
  std::filesystem::create_directories(root / "Lvl");
  for (const RenamedFile& set : RenamedLevelSets) std::ofstream(root / "Lvl" / set.before) << "Old\r\n 0 \r\n";
  std::string error;
  ASSERT_TRUE(BuildDefaultLevels(root, error)) << error;
  std::vector<std::string> names;
  for (const auto& set : ListDataFiles(SameFolders(root), "Lvl", "sfs")) {
    ASSERT_TRUE(ReadLevelSetName(set, names.emplace_back(), error)) << error;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Warm-up", "Shardfall Levels", "Four Winds", "Fault Lines"}));
}

TEST(ShippedLevels, TilesetsAndLevelsAreTheSameBytesOnEveryBuild) {
  const FreshFolder first, second;
  std::string error;
  for (const auto& root : {first.path(), second.path()}) {
    ASSERT_TRUE(BuildDefaultTileSets(root, error)) << error;
    ASSERT_TRUE(BuildDefaultLevels(root, error)) << error;
  }
  for (const char* folder : {"Tls", "Lvl"}) {
    const auto a = FolderBytes(first / folder), b = FolderBytes(second / folder);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b) << folder;
  }
}
