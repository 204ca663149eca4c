// Level files: the 2672-byte layout, name padding and trimming, and refusal of damaged files and unsafe names.
#include <gtest/gtest.h>

#include "content/level_file.h"
#include "content_test_support.h"

namespace {

Level BottomOnlyLevel() {
  Level level;
  level.guardedSides[Bottom] = -1;
  level.tilesetName = "DefaultTileSet.sft";
  level.backgroundName = "DefaultBackground.bmp";
  return level;
}

Bytes BottomOnlyBytes() {
  Bytes bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  PutText(bytes, "DefaultTileSet.sft", 30);
  PutText(bytes, "DefaultBackground.bmp", 30);
  bytes.resize(LevelFileSize, 0);
  return bytes;
}

}  // namespace

using LevelFile = ScratchFolder;

TEST_F(LevelFile, EmptyBottomGuardedLevelHasTheDocumentedBytes) {
  std::string error;
  ASSERT_TRUE(WriteLevelFile(file("a.sfl"), BottomOnlyLevel(), error)) << error;
  EXPECT_EQ(bytesOf(file("a.sfl")), BottomOnlyBytes());
  Level read;
  ASSERT_TRUE(ReadLevelFile(file("a.sfl"), read, error)) << error;
  EXPECT_EQ(read, BottomOnlyLevel());
}

TEST_F(LevelFile, GridIsStoredRowByRowWithColumnsFastest) {
  Level level = BottomOnlyLevel();
  level.brickGrid[1][1] = 3;
  level.brickGrid[20][30] = 0x01020304;
  std::string error;
  ASSERT_TRUE(WriteLevelFile(file("a.sfl"), level, error)) << error;
  Bytes bytes = bytesOf(file("a.sfl"));
  EXPECT_EQ((Bytes{bytes.begin() + 156, bytes.begin() + 160}), (Bytes{3, 0, 0, 0}));
  EXPECT_EQ((Bytes{bytes.end() - 4, bytes.end()}), (Bytes{4, 3, 2, 1}));
}

TEST_F(LevelFile, UnplayedRowAndColumnExtremesAndOddSideValuesSurvive) {
  Level level = BottomOnlyLevel();
  level.brickGrid[0][0] = -7;
  level.brickGrid[5][0] = 99;
  level.brickGrid[0][17] = 12;
  level.brickGrid[20][30] = INT32_MIN;
  level.brickGrid[1][30] = INT32_MAX;
  level.guardedSides[Top] = 1;
  level.guardedSides[Right] = INT16_MAX;
  level.guardedSides[Left] = INT16_MIN;
  level.tilesetName = "Gr\xe9" "en.sft";  // an 8-bit character
  level.backgroundName = std::string(26, 'b') + ".bmp";  // the longest name
  std::string error;
  ASSERT_TRUE(WriteLevelFile(file("a.sfl"), level, error)) << error;
  Level read;
  ASSERT_TRUE(ReadLevelFile(file("a.sfl"), read, error)) << error;
  EXPECT_EQ(read, level);
}

TEST_F(LevelFile, LongNamesAreCutToThirtyAndTrailingSpacesDropped) {
  Level level = BottomOnlyLevel();
  level.tilesetName = std::string(28, 'a') + "bcdef.sft";
  level.backgroundName = "back.bmp   ";
  std::string error;
  ASSERT_TRUE(WriteLevelFile(file("a.sfl"), level, error)) << error;
  Level read;
  ASSERT_TRUE(ReadLevelFile(file("a.sfl"), read, error)) << error;
  EXPECT_EQ(read.tilesetName, std::string(28, 'a') + "bc");
  EXPECT_EQ(read.backgroundName, "back.bmp");
}

TEST_F(LevelFile, WrongSizesAreRefusedAndLeaveTheLevelAlone) {
  Bytes full = BottomOnlyBytes();
  for (std::size_t size : {std::size_t{0}, std::size_t{7}, std::size_t{2671}, std::size_t{2673}, std::size_t{100000}}) {
    Bytes bytes = full;
    bytes.resize(size, 0);
    Level level = BottomOnlyLevel();
    level.brickGrid[3][3] = 5;
    const Level before = level;
    std::string error;
    EXPECT_FALSE(ReadLevelFile(put("bad.sfl", bytes), level, error)) << size;
    EXPECT_NE(error.find("bad.sfl"), std::string::npos);
    EXPECT_EQ(level, before);
  }
}

TEST_F(LevelFile, NamesThatLeaveTheFolderAreRefused) {
  for (const std::string& name : std::vector<std::string>{"../secret.sft", "..\\x.sft", "sub/x.sft", "..", "", std::string("a\0b.sft", 7)}) {
    Bytes bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
    PutText(bytes, name, 30);
    PutText(bytes, "b.bmp", 30);
    bytes.resize(LevelFileSize, 0);
    Level level;
    std::string error;
    EXPECT_FALSE(ReadLevelFile(put("bad.sfl", bytes), level, error)) << name;
    EXPECT_NE(error.find("tileset name"), std::string::npos) << error;
  }
}

TEST_F(LevelFile, WriterRefusesNamesTheReaderWouldRefuse) {
  for (std::string Level::*name : {&Level::tilesetName, &Level::backgroundName}) {
    Level level = BottomOnlyLevel();
    level.*name = "../../etc/passwd";
    std::string error;
    EXPECT_FALSE(WriteLevelFile(file("a.sfl"), level, error));
    EXPECT_NE(error.find(name == &Level::tilesetName ? "tileset name" : "background name"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(file("a.sfl")));
  }
}
