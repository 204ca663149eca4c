// The shipped tree and the user's folder: which copy is read, where saves go, what is listed.
#include "content/data_folders.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <vector>

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

namespace {

// Sets XDG_DATA_HOME, HOME and XDG_CONFIG_HOME for a test (nullptr: unset) and puts them back afterwards.
class HomeVariables {
 public:
  HomeVariables(const char* xdg, const char* home, const char* xdgConfig = nullptr) {
    Set("XDG_DATA_HOME", xdg);
    Set("HOME", home);
    Set("XDG_CONFIG_HOME", xdgConfig);
  }
  ~HomeVariables() {
    for (const auto& [name, value] : saved_) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }

 private:
  void Set(const char* name, const char* value) {
    const char* before = std::getenv(name);
    saved_.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

}  // namespace

// Root writes through any permission bits, so a folder that cannot be written is one under a regular file.
TEST_F(DataFoldersTest, SavesAndSettingsLeaveAProgramFolderThatCannotBeWrittenForTheUsersFolders) {
  std::filesystem::create_directories(dir / "build");
  put("plain", "a file, not a folder");
  const std::string xdg = file("xdg").string(), home = file("home").string();
  const std::string config = file("config").string();
  const struct {
    const char* what;
    std::filesystem::path shipped;
    bool installed;
    const char *xdg, *home;
    std::filesystem::path user, settings;
    const char* xdgConfig = nullptr;
  } cases[] = {
      {"a build folder", dir / "build", false, xdg.c_str(), home.c_str(), dir / "build", dir / "build/settings.ini"},
      {"an installed tree", dir / "build", true, xdg.c_str(), home.c_str(), dir / "xdg/shardfall",
       dir / "home/.config/shardfall/settings.ini"},
      {"an installed tree, XDG_CONFIG_HOME", dir / "build", true, xdg.c_str(), home.c_str(), dir / "xdg/shardfall",
       dir / "config/shardfall/settings.ini", config.c_str()},
      {"a folder under a file", dir / "plain/tree", false, xdg.c_str(), home.c_str(), dir / "xdg/shardfall",
       dir / "home/.config/shardfall/settings.ini"},
      {"a missing folder", dir / "gone", false, xdg.c_str(), home.c_str(), dir / "xdg/shardfall",
       dir / "home/.config/shardfall/settings.ini"},
      {"HOME alone", dir / "plain/tree", false, nullptr, home.c_str(), dir / "home/.local/share/shardfall",
       dir / "home/.config/shardfall/settings.ini"},
      {"a relative XDG_DATA_HOME", dir / "plain/tree", false, "rel", home.c_str(), dir / "home/.local/share/shardfall",
       dir / "home/.config/shardfall/settings.ini"},
      {"no variable", dir / "plain/tree", false, nullptr, "", dir / "plain/tree", dir / "plain/tree/settings.ini"},
  };
  for (const auto& c : cases) {
    HomeVariables variables(c.xdg, c.home, c.xdgConfig);
    const DataFolders folders = ChooseDataFolders(c.shipped, c.installed);
    EXPECT_EQ(folders.shipped, c.shipped) << c.what;
    EXPECT_EQ(SettingsPath(folders), c.settings) << c.what;
    EXPECT_EQ(folders.user, c.user) << c.what;
  }
}

TEST_F(DataFoldersTest, AWriteIntoAFolderThatCannotBeMadeIsRefusedWithTheReason) {
  put("plain", "a file, not a folder");
  std::filesystem::create_directories(dir / "user");
  put("user/Lvl", "a file where the folder goes");
  for (const std::filesystem::path& user : {dir / "plain/user", dir / "user"}) {
    std::filesystem::path target;
    std::string error;
    EXPECT_FALSE(PrepareWritePath(DataFolders{dir, user}, "Lvl/x.sfh", target, error)) << user;
    EXPECT_EQ(target, user / "Lvl/x.sfh");
    EXPECT_EQ(error, (user / "Lvl/x.sfh").string() + ": cannot make its folder (Not a directory)");
  }
  EXPECT_EQ(textOf(file("plain")), "a file, not a folder");
  std::string error;
  EXPECT_TRUE(MakeFolderFor("x.sfh", error)) << "a bare name needs no folder";
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
