// The shipped tree and the user's folder: which copy is read, where saves go, what is listed.
#include "content/data_folders.h"

#include <cstdlib>

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
