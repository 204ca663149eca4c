// High-score files: count plus 34-byte entries, padded names, and refusal of counts the data cannot hold.
#include <gtest/gtest.h>

#include "content/high_score_file.h"
#include "content_test_support.h"

using HighScoreFile = ScratchFolder;

TEST_F(HighScoreFile, EntriesArePaddedNamesFollowedByScores) {
  HighScoreTable table{{"Ada", 100000}, {"", 0}, {std::string(35, 'x'), -5}};
  std::string error;
  ASSERT_TRUE(WriteHighScoreFile(file("s.sfh"), table, error)) << error;
  Bytes expected;
  PutI32(expected, 3);
  PutText(expected, "Ada", 30);
  PutI32(expected, 100000);
  PutText(expected, "", 30);
  PutI32(expected, 0);
  PutText(expected, std::string(30, 'x'), 30);
  PutI32(expected, -5);
  EXPECT_EQ(bytesOf(file("s.sfh")), expected);
  HighScoreTable read;
  ASSERT_TRUE(ReadHighScoreFile(file("s.sfh"), read, error)) << error;
  table[2].name.resize(30);
  EXPECT_EQ(read, table);
}

TEST_F(HighScoreFile, EmptyTablesAndExtremeScoresComeBack) {
  for (const HighScoreTable& written : {HighScoreTable{}, HighScoreTable{{"Max", INT32_MAX}, {"Min", INT32_MIN}}}) {
    std::string error;
    ASSERT_TRUE(WriteHighScoreFile(file("s.sfh"), written, error)) << error;
    HighScoreTable read{{"stale", 1}};
    ASSERT_TRUE(ReadHighScoreFile(file("s.sfh"), read, error)) << error;
    EXPECT_EQ(read, written);
  }
}

TEST_F(HighScoreFile, BytesAfterTheCountedEntriesAreIgnored) {
  Bytes bytes;
  PutI32(bytes, 1);
  PutText(bytes, "Lin", 30);
  PutI32(bytes, 7);
  PutText(bytes, "stale", 34);
  HighScoreTable read;
  std::string error;
  ASSERT_TRUE(ReadHighScoreFile(put("s.sfh", bytes), read, error)) << error;
  EXPECT_EQ(read, (HighScoreTable{{"Lin", 7}}));
}

TEST_F(HighScoreFile, DamagedFilesAreRefusedAndLeaveTheTableAlone) {
  Bytes negative, huge, shortEntry;
  PutI32(negative, -2);
  PutI32(huge, 0x40000000);
  PutI32(shortEntry, 2);
  PutText(shortEntry, "one", 34);
  PutText(shortEntry, "two", 33);
  for (const Bytes& bytes : {Bytes{}, Bytes{1, 0}, negative, huge, shortEntry}) {
    HighScoreTable table{{"kept", 1}};
    std::string error;
    EXPECT_FALSE(ReadHighScoreFile(put("bad.sfh", bytes), table, error)) << bytes.size();
    EXPECT_NE(error.find("bad.sfh"), std::string::npos);
    EXPECT_EQ(table, (HighScoreTable{{"kept", 1}}));
  }
}
