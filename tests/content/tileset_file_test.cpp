// Tileset files: layout, the bitmap-cell bound on reading, damaged files; the shooter codes and the brick kinds.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "content/tileset_file.h"
#include "content_test_support.h"

namespace {

TileSet NumberedTiles(int count) {
  TileSet tileSet;
  tileSet.tileCount = count;
  tileSet.tiles.resize(static_cast<std::size_t>(count) + 1);
  for (int n = 1; n <= count; ++n)
    tileSet.tiles[n] = {Hittable, 1, 1, n, 1, ImageXOfTile(n, 4), ImageYOfTile(n, 4)};
  return tileSet;
}

}  // namespace

using TileSetFile = ScratchFolder;

TEST_F(TileSetFile, FiveTilesOfASixteenCellBitmapTake144Bytes) {
  std::string error;
  ASSERT_TRUE(WriteTileSetFile(file("Bricks.sft"), NumberedTiles(5), error)) << error;
  Bytes bytes = bytesOf(file("Bricks.sft"));
  ASSERT_EQ(bytes.size(), 144u);
  EXPECT_EQ((Bytes{bytes.begin(), bytes.begin() + 8}), (Bytes{5, 0, 0, 0, 1, 0, 0, 0}));
  // Tile 5's hitCount lies at 4 + 28 * 4 + 12.
  EXPECT_EQ(bytes[4 + 28 * 4 + 12], 5);
  TileSet read;
  ASSERT_TRUE(ReadTileSetFile(file("Bricks.sft"), 4, 4, read, error)) << error;
  EXPECT_EQ(read.tileCount, 5);
  EXPECT_EQ(read.tiles, NumberedTiles(5).tiles);
}

TEST_F(TileSetFile, EveryFieldOfEveryRecordComesBackEvenAtItsExtremes) {
  TileSet odd = NumberedTiles(2);
  odd.tiles[2] = {INT32_MIN, -1, INT32_MAX, 0, 7, -32, 65536};
  for (const TileSet& written : {NumberedTiles(0), odd}) {
    std::string error;
    ASSERT_TRUE(WriteTileSetFile(file("t.sft"), written, error)) << error;
    TileSet read;
    ASSERT_TRUE(ReadTileSetFile(file("t.sft"), read, error)) << error;
    EXPECT_EQ(read.tileCount, written.tileCount);
    EXPECT_EQ(read.tiles, written.tiles);
  }
}

TEST_F(TileSetFile, CountBeyondTheBitmapCellsLeavesExtraRecordsZero) {
  std::string error;
  ASSERT_TRUE(WriteTileSetFile(file("t.sft"), NumberedTiles(6), error));
  TileSet read;
  ASSERT_TRUE(ReadTileSetFile(file("t.sft"), 2, 2, read, error)) << error;
  EXPECT_EQ(read.tileCount, 6);
  ASSERT_EQ(read.tiles.size(), 7u);
  EXPECT_EQ(read.tiles[4], NumberedTiles(6).tiles[4]);
  EXPECT_EQ(read.tiles[5], TileDef{});
  EXPECT_EQ(read.tiles[6], TileDef{});
}

TEST_F(TileSetFile, BoundedReadNeedsOnlyTheRecordsItReads) {
  Bytes bytes;
  PutI32(bytes, 3);
  bytes.resize(4 + 28, 1);  // one record present, three promised
  put("short.sft", bytes);
  TileSet read;
  std::string error;
  EXPECT_TRUE(ReadTileSetFile(file("short.sft"), 1, 1, read, error)) << error;
  EXPECT_FALSE(ReadTileSetFile(file("short.sft"), read, error));
  EXPECT_NE(error.find("truncated"), std::string::npos);
}

TEST_F(TileSetFile, DamagedFilesAreRefusedAndLeaveTheTileSetAlone) {
  const TileSet before = NumberedTiles(2);
  Bytes negative, huge, truncated;
  PutI32(negative, -1);
  PutI32(huge, 0x7FFFFFFF);
  PutI32(truncated, 2);
  truncated.resize(4 + 28 + 27);
  for (auto& [name, bytes] : std::vector<std::pair<std::string, Bytes>>{
           {"empty.sft", {}}, {"three.sft", {1, 0, 0}}, {"negative.sft", negative}, {"huge.sft", huge},
           {"truncated.sft", truncated}}) {
    TileSet tileSet = before;
    std::string error;
    EXPECT_FALSE(ReadTileSetFile(put(name, bytes), 64, 64, tileSet, error)) << name;
    EXPECT_NE(error.find(name), std::string::npos) << error;
    EXPECT_EQ(tileSet.tiles, before.tiles) << name;
  }
}

TEST_F(TileSetFile, WriterRefusesACountItCannotBack) {
  TileSet tileSet = NumberedTiles(2);
  tileSet.tileCount = 3;
  std::string error;
  EXPECT_FALSE(WriteTileSetFile(file("bad.sft"), tileSet, error));
  EXPECT_FALSE(std::filesystem::exists(file("bad.sft")));
}

TEST(TileNumbering, RunsDownEachColumnFirst) {
  // A 64 x 32 bitmap: two rows of cells.
  EXPECT_EQ(ImageXOfTile(1, 2), 0);
  EXPECT_EQ(ImageYOfTile(1, 2), 0);
  EXPECT_EQ(ImageXOfTile(2, 2), 0);
  EXPECT_EQ(ImageYOfTile(2, 2), 16);
  EXPECT_EQ(ImageXOfTile(3, 2), 32);
  EXPECT_EQ(ImageYOfTile(3, 2), 0);
  EXPECT_EQ(ImageXOfTile(4, 2), 32);
  EXPECT_EQ(ImageYOfTile(4, 2), 16);
}

TEST(ShooterCodes, EachCodeNamesItsDirections) {
  auto dirs = ShooterDirectionsOf(16);
  EXPECT_TRUE(dirs.up && !dirs.right && dirs.down && dirs.left);
  dirs = ShooterDirectionsOf(18);
  EXPECT_TRUE(!dirs.up && dirs.right && !dirs.down && dirs.left);
  EXPECT_EQ(ShooterCodeOf({true, true, true, true}), 17);
  EXPECT_EQ(ShooterCodeOf({false, false, false, true}), 8);
  EXPECT_EQ(ShooterCodeOf({}), 0);
  dirs = ShooterDirectionsOf(Dynamite);
  EXPECT_FALSE(dirs.up || dirs.right || dirs.down || dirs.left);
}

TEST(ShooterCodes, AllFifteenDirectionSetsRoundTrip) {
  std::set<std::tuple<bool, bool, bool, bool>> seen;
  for (std::int32_t code = ShooterFirst; code <= ShooterLast; ++code) {
    auto d = ShooterDirectionsOf(code);
    EXPECT_EQ(ShooterCodeOf(d), code);
    seen.insert({d.up, d.right, d.down, d.left});
  }
  EXPECT_EQ(seen.size(), 15u);
}

TEST(BrickKinds, EachCodeAnswersWhatPlayAsksOfItsKind) {
  struct Case {
    std::int32_t code;
    bool known, shooter, mustBreak, passes, blasts, firesAsShooter;
  };
  // Codes outside every kind: play counts them toward the level's end and fires those past the table.
  const Case cases[] = {
      {-1, false, false, true, false, false, false},      {0, false, false, true, false, false, false},
      {Hittable, true, false, true, false, false, false}, {Indestructible, true, false, false, false, false, false},
      {GoThrough, true, false, true, true, false, false}, {Dynamite, true, false, true, false, true, false},
      {ShooterFirst, true, true, true, false, true, true}, {ShooterLast, true, true, true, false, true, true},
      {ShooterLast + 1, false, false, true, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    EXPECT_EQ(IsBrickKind(c.code), c.known);
    EXPECT_EQ(IsShooter(c.code), c.shooter);
    EXPECT_EQ(MustBreak(c.code), c.mustBreak);
    EXPECT_EQ(LetsBallThrough(c.code), c.passes);
    EXPECT_EQ(Blasts(c.code), c.blasts);
    EXPECT_EQ(FiresAsShooter(c.code), c.firesAsShooter);
  }
}
