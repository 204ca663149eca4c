// Level-set files: the field reader's quoting rules, the builder's lines, the hidden set and damaged files.
#include <gtest/gtest.h>

#include "content/level_set_file.h"
#include "content_test_support.h"

namespace {

std::vector<std::string> Fields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  while (reader.next(field)) fields.push_back(field);
  return fields;
}

using List = std::vector<std::string>;

}  // namespace

TEST(FieldReading, LeadingBlanksAndLineBreaksAreSkipped) {
  EXPECT_EQ(Fields("  Classic\r\n 3 \r\n\r\n\ta.sfl\r\n"), (List{"Classic", "3 ", "a.sfl"}));
  EXPECT_EQ(Fields(""), List{});
  EXPECT_EQ(Fields(" \r\n \n"), List{});
}

TEST(FieldReading, CommasSplitUnquotedFields) {
  EXPECT_EQ(Fields("Rock, Paper,Scissors\r\nx"), (List{"Rock", "Paper", "Scissors", "x"}));
  EXPECT_EQ(Fields("a,,b"), (List{"a", "", "b"}));
}

TEST(FieldReading, QuotedFieldsRunToTheNextQuote) {
  EXPECT_EQ(Fields("\"Rock, Paper\"\r\n2"), (List{"Rock, Paper", "2"}));
  EXPECT_EQ(Fields("\"two\r\nlines\",x"), (List{"two\r\nlines", "x"}));
  // Text after the closing quote up to the delimiter belongs to no field.
  EXPECT_EQ(Fields("\"ab\"cd,ef"), (List{"ab", "ef"}));
  EXPECT_EQ(Fields("\"unclosed"), (List{"unclosed"}));
  EXPECT_EQ(Fields("mid\"quote"), (List{"mid\"quote"}));
}

using LevelSetFile = ScratchFolder;

TEST_F(LevelSetFile, WriterProducesNameCountAndLevelLines) {
  LevelSet levelSet{"Classic", {"one.sfl", "two.sfl", "three.sfl"}, 2};
  std::string error;
  ASSERT_TRUE(WriteLevelSetFile(file("c.sfs"), levelSet, error)) << error;
  EXPECT_EQ(textOf(file("c.sfs")), "Classic\r\n 3 \r\none.sfl\r\ntwo.sfl\r\nthree.sfl\r\n");
  LevelSet read;
  ASSERT_TRUE(ReadLevelSetFile(file("c.sfs"), read, error)) << error;
  EXPECT_EQ(read.levelSetName, "Classic");
  EXPECT_EQ(read.levelFiles, levelSet.levelFiles);
  EXPECT_EQ(read.currentLevel, 0);
}

TEST_F(LevelSetFile, EmptySetHasOnlyTwoLines) {
  std::string error;
  ASSERT_TRUE(WriteLevelSetFile(file("e.sfs"), LevelSet{"Empty", {}, 0}, error)) << error;
  EXPECT_EQ(textOf(file("e.sfs")), "Empty\r\n 0 \r\n");
  LevelSet read;
  ASSERT_TRUE(ReadLevelSetFile(file("e.sfs"), read, error)) << error;
  EXPECT_TRUE(read.levelFiles.empty());
}

TEST_F(LevelSetFile, NameLosesLeadingSpacesAndStopsAtAComma) {
  std::string name, error;
  ASSERT_TRUE(ReadLevelSetName(put("a.sfs", "   Spaced Out\r\n 0 \r\n"), name, error)) << error;
  EXPECT_EQ(name, "Spaced Out");
  ASSERT_TRUE(ReadLevelSetName(put("b.sfs", "Bands, Old\r\n 0 \r\n"), name, error)) << error;
  EXPECT_EQ(name, "Bands");
}

TEST_F(LevelSetFile, HiddenSetIsNamedWithoutOpeningIt) {
  std::string name, error;
  EXPECT_TRUE(ReadLevelSetName(file("muzac.sfs"), name, error));  // no such file
  EXPECT_EQ(name, "My Favorite Bands");
  EXPECT_TRUE(ReadLevelSetName("Lvl\\muzac.sfs", name, error));
  EXPECT_EQ(name, "My Favorite Bands");
  put("muzac.sfs", "Something Else\r\n 1 \r\nm.sfl\r\n");
  LevelSet read;
  ASSERT_TRUE(ReadLevelSetFile(file("muzac.sfs"), read, error)) << error;
  EXPECT_EQ(read.levelSetName, "Something Else");
  EXPECT_EQ(read.levelFiles, List{"m.sfl"});
  EXPECT_FALSE(ReadLevelSetName(file("Muzac.sfs"), name, error));
}

TEST_F(LevelSetFile, DamagedFilesAreRefusedAndLeaveTheSetAlone) {
  const List cases{"",
                   "Name only\r\n",
                   "Name\r\n three \r\na.sfl\r\n",
                   "Name\r\n -1 \r\n",
                   "Name\r\n 3.5 \r\n",
                   "Name\r\n 3 \r\na.sfl\r\nb.sfl\r\n",
                   "Name\r\n 2147483647 \r\na.sfl\r\n",
                   "Name\r\n 99999999999999 \r\n",
                   "Name\r\n 1 \r\n../../x.sfl\r\n",
                   "Name\r\n 1 \r\nsub\\x.sfl\r\n",
                   "Name\r\n 1 \r\n\"\"\r\n"};
  for (const auto& text : cases) {
    LevelSet levelSet{"Kept", {"k.sfl"}, 4};
    std::string error;
    EXPECT_FALSE(ReadLevelSetFile(put("bad.sfs", text), levelSet, error)) << text;
    EXPECT_NE(error.find("bad.sfs"), std::string::npos) << error;
    EXPECT_EQ(levelSet.levelSetName, "Kept");
    EXPECT_EQ(levelSet.levelFiles, List{"k.sfl"});
    EXPECT_EQ(levelSet.currentLevel, 4);
  }
}

TEST_F(LevelSetFile, TheCountIsAWholeNumberOfAtMostTwelveDigitsWithBlanksAndASignAllowed) {
  const struct {
    const char* count;
    int levels;  // -1: refused
  } cases[] = {{" 2 ", 2},  {"\t2", 2},   {"+2", 2},   {"-0", 0},          {"000000000002", 2},
               {"0000000000002", -1}, {"+-1", -1}, {"-+1", -1}, {"++1", -1}, {"2x", -1}, {"- 1", -1}};
  for (const auto& c : cases) {
    LevelSet read;
    std::string error;
    const bool ok = ReadLevelSetFile(put("n.sfs", std::string("N\r\n") + c.count + "\r\na.sfl\r\nb.sfl\r\n"), read, error);
    EXPECT_EQ(ok, c.levels >= 0) << '"' << c.count << "\" " << error;
    if (ok) {
      EXPECT_EQ(read.levelFiles.size(), static_cast<std::size_t>(c.levels)) << c.count;
    }
  }
}

TEST_F(LevelSetFile, ExtraLinesAfterTheCountedLevelsAreIgnored) {
  LevelSet read;
  std::string error;
  ASSERT_TRUE(ReadLevelSetFile(put("x.sfs", "X\r\n1\r\na.sfl\r\nb.sfl\r\n"), read, error)) << error;
  EXPECT_EQ(read.levelFiles, List{"a.sfl"});
}

TEST_F(LevelSetFile, WriterRefusesSetsThatWouldReadBackDifferently) {
  for (const LevelSet& bad : {LevelSet{"", {}, 0}, LevelSet{"   ", {}, 0}, LevelSet{"Rock, Paper", {}, 0},
                              LevelSet{"\"Quoted\"", {}, 0}, LevelSet{"Two\r\nLines", {}, 0},
                              LevelSet{"Fine", {"a,b.sfl"}, 0}, LevelSet{"Fine", {"../a.sfl"}, 0},
                              LevelSet{"Fine", {" a.sfl"}, 0}}) {
    std::string error;
    EXPECT_FALSE(WriteLevelSetFile(file("w.sfs"), bad, error)) << bad.levelSetName;
    EXPECT_FALSE(std::filesystem::exists(file("w.sfs")));
    const std::string said = bad.levelSetName == "Fine" ? "is not a plain file name" : "cannot be stored: ";
    EXPECT_NE(error.find(said), std::string::npos) << error;
  }
}
