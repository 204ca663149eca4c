// The shipped tree and the user's folder: which copy is read, where saves go, what is listed.
#include "content/data_folders.h"

#include <cstdlib>
#include <map>

#include "content/renamed_sets.h"

#include "content_test_support.h"

using DataFoldersTest = ScratchFolder;

TEST_F(DataFoldersTest, TheUsersFileOverridesTheShippedOneAndBothAreListed) {
  std::filesystem::create_directories(dir / "shipped/Lvl");
  std::filesystem::create_directories(dir / "user/Lvl");
  put("shipped/Lvl/A.sfs", "shipped");
  put("shipped/Lvl/B.sfs", "shipped");
  put("user/Lvl/B.sfs", "mine");
  put("user/Lvl/C.sfs", "mine");
  const DataFolders folders{dir / "shipped", dir / "user"};
  EXPECT_EQ(ReadPath(folders, "Lvl/A.sfs"), dir / "shipped/Lvl/A.sfs");
  EXPECT_EQ(ReadPath(folders, "Lvl/B.sfs"), dir / "user/Lvl/B.sfs");
  const std::vector<std::filesystem::path> expected = {dir / "shipped/Lvl/A.sfs", dir / "user/Lvl/B.sfs",
                                                       dir / "user/Lvl/C.sfs"};
  EXPECT_EQ(ListDataFiles(folders, "Lvl", "sfs"), expected);
}

TEST_F(DataFoldersTest, AnInstalledTreeSavesIntoTheXdgFolderAndABuildFolderInPlace) {
  setenv("XDG_DATA_HOME", file("xdg").c_str(), 1);
  EXPECT_EQ(ChooseDataFolders(dir, true).user, dir / "xdg/shardfall");
  EXPECT_EQ(ChooseDataFolders(dir, false).user, dir);
  std::filesystem::path target;
  std::string error;
  ASSERT_TRUE(PrepareWritePath(ChooseDataFolders(dir, true), "Lvl/x.sfh", target, error)) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg/shardfall/Lvl"));
  unsetenv("XDG_DATA_HOME");
}

TEST_F(DataFoldersTest, ARenamedSetsTableAndOwnCopyTakeItsNewNameUnlessThatIsTaken) {
  using Files = std::map<std::string, std::string>;  // file name -> content
  const struct {
    const char* what;
    Files before, after;
  } cases[] = {
      {"an old table", {{"WarmUp.sfh", "old"}}, {{"1-WarmUp.sfh", "old"}}},
      {"an own copy and its table",
       {{"Shardfall.sfs", "mine"}, {"Shardfall.sfh", "t"}},
       {{"2-Shardfall.sfs", "mine"}, {"2-Shardfall.sfh", "t"}}},
      {"a newer table", {{"FaultLines.sfh", "old"}, {"4-FaultLines.sfh", "new"}},
       {{"FaultLines.sfh", "old"}, {"4-FaultLines.sfh", "new"}}},
      {"another set's table", {{"FourWinds2.sfh", "x"}}, {{"FourWinds2.sfh", "x"}}},
  };
  for (const auto& c : cases) {
    const std::filesystem::path lvl = dir / c.what;
    std::filesystem::create_directories(lvl);
    for (const auto& [name, text] : c.before) put(std::string(c.what) + "/" + name, text);
    CarryOverRenamedLevelSets(lvl);
    Files found;
    for (const auto& entry : std::filesystem::directory_iterator(lvl))
      found[entry.path().filename().string()] = textOf(entry.path());
    EXPECT_EQ(found, c.after) << c.what;
  }
}

TEST_F(DataFoldersTest, ASetInEitherLvlReadsTheUsersCopyOfALevelAndAPlaytestSetReadsItsOwn) {
  for (const char* folder : {"shipped/Lvl", "user/Lvl", "playtest"}) std::filesystem::create_directories(dir / folder);
  for (const char* level : {"shipped/Lvl/a.sfl", "shipped/Lvl/b.sfl", "user/Lvl/a.sfl", "playtest/a.sfl"})
    put(level, "level");
  const DataFolders folders{dir / "shipped", dir / "user"};
  const struct {
    const char* set;
    const char* level;
    const char* read;
  } cases[] = {
      {"shipped/Lvl/set.sfs", "a.sfl", "user/Lvl/a.sfl"},
      {"shipped/Lvl/set.sfs", "b.sfl", "shipped/Lvl/b.sfl"},
      {"user/Lvl/set.sfs", "a.sfl", "user/Lvl/a.sfl"},
      {"user/Lvl/set.sfs", "b.sfl", "shipped/Lvl/b.sfl"},
      {"playtest/set.sfs", "a.sfl", "playtest/a.sfl"},
      {"playtest/set.sfs", "b.sfl", "shipped/Lvl/b.sfl"},
      {"shipped/Lvl/../Lvl/set.sfs", "a.sfl", "user/Lvl/a.sfl"},
  };
  for (const auto& [set, level, read] : cases)
    EXPECT_EQ(SetLevelPath(folders, dir / set, level), dir / read) << set << " " << level;
}
