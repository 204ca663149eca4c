// The installed programs: the game run from its read-only data folder with the user's folder in a temporary home,
// and the files a desktop finds beside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "content/data_folders.h"
#include "content/high_score_file.h"
#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/options_file.h"
#include "content/version.h"
#include "content_test_support.h"

namespace {

namespace fs = std::filesystem;

const fs::path Prefix = SHARDFALL_INSTALLED_PREFIX;
const fs::path Shipped = Prefix / SHARDFALL_INSTALLED_DATADIR;

// Every file of a tree with its size and time, to show that a run left the tree as it was.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(const fs::path& tree) {
  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(tree))
    if (entry.is_regular_file()) files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
  return files;
}

// Input script lines pressing a key or the left button for 50 ms from `tick`.
std::vector<std::string> Press(int tick, const std::string& key) {
  const std::string what = key == "click" ? "button left" : "key " + key;
  return {std::to_string(tick) + " " + what + " down", std::to_string(tick + 50) + " " + what + " up"};
}

std::vector<std::string> Script(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

// The Main Menu has faded in and takes keys by this tick.
constexpr int MenuReady = 3000;

// HOME and XDG_DATA_HOME in a scratch folder; the working folder of every run is that home too.
class InstalledGame : public ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    ::setenv("HOME", dir.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    shippedBefore = Snapshot(Shipped);
  }
  void TearDown() override {
    EXPECT_EQ(Snapshot(Shipped), shippedBefore) << "a run changed the installed data";
    ScratchFolder::TearDown();
  }

  fs::path UserFolder() const { return dir / "xdg" / "shardfall"; }

  // Runs the installed game headless for `frames` frames of 16 ms with the input `script`; its state at the end.
  nlohmann::json Run(int frames, const std::vector<std::string>& script = {}) {
    std::ofstream input(dir / "input.txt");
    for (const std::string& line : script) input << line << "\n";
    input.close();
    const fs::path game = Prefix / SHARDFALL_INSTALLED_GAMESDIR / "shardfall";
    const std::string command = "cd '" + dir.string() + "' && '" + game.string() + "' --headless --frames " +
                                std::to_string(frames) + " --input input.txt --dump-state state.json > run.txt 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << textOf(dir / "run.txt");
    return nlohmann::json::parse(textOf(dir / "state.json"), nullptr, false);
  }

  // The user's own set "My Own Set" of one level with nothing to break, which ends as soon as it starts; its file
  // name puts it first in the list of sets, before the numbered shipped ones.
  void AddUsersLevelSet() {
    Level level;
    std::string error;
    ASSERT_TRUE(ReadLevelFile(ListFilesEndingWith(Shipped / "Lvl", ".sfl").at(0), level, error)) << error;
    level.brickGrid = {};
    fs::create_directories(UserFolder() / "Lvl");
    ASSERT_TRUE(WriteLevelFile(UserFolder() / "Lvl" / "empty.sfl", level, error)) << error;
    ASSERT_TRUE(WriteLevelSetFile(UserFolder() / "Lvl" / "0-Mine.sfs", {"My Own Set", {"empty.sfl"}, 0}, error));
  }

  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> shippedBefore;
};

TEST_F(InstalledGame, FindsItsDataWithoutRootAndReachesTheMainMenu) {
  const nlohmann::json state = Run(300);
  EXPECT_EQ(state["FrontEnd"]["shownScreen"], "Main Menu");
  EXPECT_EQ(state["FrontEnd"]["menuLines"][0], "New Game");
}

TEST_F(InstalledGame, KeepsAChangedOptionInTheUsersFolder) {
  // Options, Starting Balls down to 1, back to the Main Menu, which writes the options.
  Run(500, Script({Press(MenuReady, "DIK_DOWN"), Press(MenuReady + 300, "DIK_RETURN"),
                   {"4500 key DIK_LEFT down", "5600 key DIK_LEFT up"}, Press(6000, "DIK_ESCAPE")}));
  Options saved;
  std::string error;
  ASSERT_TRUE(ReadOptionsFile(UserFolder() / "config.bin", saved, error)) << error;
  EXPECT_EQ(saved.startingBalls, 1);
  EXPECT_EQ(Run(100)["Options"]["startingBalls"], 1);
}

TEST_F(InstalledGame, CarriesTheUsersTableOfARenamedSetOverToItsNewName) {
  fs::create_directories(UserFolder() / "Lvl");
  put("xdg/shardfall/Lvl/FourWinds.sfh", "an old table");
  Run(10);
  EXPECT_EQ(textOf(UserFolder() / "Lvl" / "3-FourWinds.sfh"), "an old table");
  EXPECT_FALSE(fs::exists(UserFolder() / "Lvl" / "FourWinds.sfh"));
}

TEST_F(InstalledGame, ListsTheUsersLevelSetBesideTheShippedOnes) {
  AddUsersLevelSet();
  const nlohmann::json state = Run(300, Press(MenuReady, "DIK_RETURN"));  // New Game
  ASSERT_EQ(state["FrontEnd"]["shownScreen"], "New Game");
  std::set<std::string> expected = {"My Own Set"};
  for (const fs::path& set : ListFilesEndingWith(Shipped / "Lvl", ".sfs")) {
    std::string name, error;
    ASSERT_TRUE(ReadLevelSetName(set, name, error)) << error;
    expected.insert(name);
  }
  const auto lines = state["FrontEnd"]["menuLines"].get<std::vector<std::string>>();
  for (const std::string& name : expected) EXPECT_NE(std::find(lines.begin(), lines.end(), name), lines.end()) << name;
}

TEST_F(InstalledGame, SavesTheScoreTableOfAUsersSetInTheUsersFolder) {
  AddUsersLevelSet();
  // New Game on the first set (the user's), clicks through the level start and the end of the game, then the
  // name "ada" and Enter.
  std::vector<std::string> script = Script({Press(MenuReady, "DIK_RETURN"), Press(MenuReady + 1000, "DIK_RETURN")});
  for (int tick = 6000; tick <= 13000; tick += 1000) script = Script({script, Press(tick, "click")});
  script = Script({script, Press(16000, "DIK_A"), Press(16200, "DIK_D"), Press(16400, "DIK_A"),
                   Press(16600, "DIK_RETURN")});
  const nlohmann::json state = Run(1200, script);
  EXPECT_EQ(state["FrontEnd"]["shownScreen"], "High Scores - My Own Set");
  HighScoreTable table;
  std::string error;
  ASSERT_TRUE(ReadHighScoreFile(UserFolder() / "Lvl" / "0-Mine.sfh", table, error)) << error;
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].name, "ada");
}

// --- What a desktop finds beside the programs.

std::string Unroff(std::string text) { return std::regex_replace(text, std::regex(R"(\\-)"), "-"); }

// The options and commands a program's --help names: words after two spaces at a line's start, and --options.
std::set<std::string> HelpWords(const std::string& help) {
  std::set<std::string> words;
  const std::regex option(R"(--[a-z][a-z-]*)"), command(R"(^  ([a-z][a-z-]+) )");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
    words.insert(it->str());
  std::istringstream lines(help);
  std::smatch match;
  for (std::string line; std::getline(lines, line);)
    if (std::regex_search(line, match, command)) words.insert(match[1]);
  return words;
}

using InstalledPrograms = ScratchFolder;

// The manual page of an installed program: NAME.6 for a game, NAME.1 for a command.
fs::path ManualPageOf(const fs::path& program) {
  const bool game = program.parent_path().filename() == SHARDFALL_INSTALLED_GAMESDIR;
  return fs::path(SHARDFALL_MANUAL_PAGES) / (program.filename().string() + (game ? ".6" : ".1"));
}

// The game, the editor (where it is built) and the content tool.
std::vector<fs::path> InstalledProgramFiles() {
  std::vector<fs::path> programs;
  for (const char* folder : {SHARDFALL_INSTALLED_GAMESDIR, "bin"})
    for (const auto& program : fs::directory_iterator(Prefix / folder)) programs.push_back(program.path());
  EXPECT_GE(programs.size(), 2u);
  return programs;
}

// Runs the program with `option` and no display to open, its standard output into `out`; its exit status.
int RunWithoutDisplay(const fs::path& program, const std::string& option, const fs::path& out) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program.string() + "' " +
                              option + " > '" + out.string() + "'";
  return std::system(command.c_str());
}

TEST_F(InstalledPrograms, EachHasAManualPageDescribingEveryOptionOfItsHelp) {
  for (const fs::path& program : InstalledProgramFiles()) {
    const fs::path page = ManualPageOf(program);
    ASSERT_TRUE(fs::exists(page)) << program;
    ASSERT_EQ(RunWithoutDisplay(program, "--help", file("help.txt")), 0) << program;
    // Names count where the page sets them in bold, as its option and command headings do.
    std::string headings;
    std::istringstream manual(Unroff(textOf(page)));
    for (std::string line; std::getline(manual, line);)
      if (line.starts_with(".B")) headings += line + " ";
    for (const std::string& word : HelpWords(textOf(file("help.txt"))))
      EXPECT_TRUE(std::regex_search(headings, std::regex("[ \"]" + word + "[ \"]"))) << page << " lacks " << word;
  }
}

TEST_F(InstalledPrograms, EachPrintsItsVersionAndHelpWithoutADisplay) {
  for (const fs::path& program : InstalledProgramFiles()) {
    ASSERT_EQ(RunWithoutDisplay(program, "--version", file("version.txt")), 0) << program;
    EXPECT_EQ(textOf(file("version.txt")), program.filename().string() + " " + std::string(ShardfallVersion()) + "\n");
    ASSERT_EQ(RunWithoutDisplay(program, "--help", file("help.txt")), 0) << program;
    const std::string help = textOf(file("help.txt"));
    EXPECT_NE(help.find("--version"), std::string::npos) << program;
    if (program.filename() == "shardfall-editor") {
      EXPECT_NE(help.find("Paints levels"), std::string::npos) << help;
    }
  }
}

TEST_F(InstalledPrograms, EveryDesktopEntryStartsAnInstalledProgramWithAnInstalledIcon) {
  int entries = 0;
  for (const fs::path& entry : ListFilesEndingWith(Prefix / "share/applications", ".desktop")) {
    ++entries;
    std::map<std::string, std::string> keys;
    std::istringstream lines(textOf(entry));
    for (std::string line; std::getline(lines, line);)
      if (auto equals = line.find('='); equals != std::string::npos) keys[line.substr(0, equals)] = line.substr(equals + 1);
    const std::string program = keys["Exec"].substr(0, keys["Exec"].find(' '));
    // The game is filed among the arcade games; the editor is a tool for making levels, listed beside it.
    const std::string filedUnder = program == "shardfall-editor" ? "Development;Game;" : "Game;ArcadeGame;";
    EXPECT_EQ(keys["Categories"], filedUnder) << entry;
    EXPECT_TRUE(fs::exists(Prefix / SHARDFALL_INSTALLED_GAMESDIR / program) || fs::exists(Prefix / "bin" / program))
        << entry;
    const fs::path icons = Prefix / "share/icons/hicolor";
    EXPECT_TRUE(fs::exists(icons / "256x256/apps" / (keys["Icon"] + ".png"))) << entry;
    EXPECT_TRUE(fs::exists(icons / "scalable/apps" / (keys["Icon"] + ".svg"))) << entry;
  }
  EXPECT_GE(entries, 1);
}

TEST_F(InstalledPrograms, CarryTheirLicenceAndAChangelogOfThisVersion) {
  const fs::path doc = Prefix / "share/doc/shardfall";
  const std::string unpack = "gzip -dc '" + (doc / "changelog.gz").string() + "' > '" + file("changelog").string() + "'";
  ASSERT_EQ(std::system(unpack.c_str()), 0);
  const std::string version(ShardfallVersion());
  const fs::path metainfo = ListFilesEndingWith(Prefix / "share/metainfo", ".metainfo.xml").at(0);
  const std::pair<fs::path, std::string> expected[] = {
      {doc / "copyright", "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"},
      {doc / "copyright", "\nFiles: *\nCopyright: 2026 the Shardfall authors\nLicense: MIT\n"},
      {doc / "copyright", "\nLicense: MIT\n Permission is hereby granted, free of charge,"},
      {metainfo, "<project_license>MIT</project_license>"},
      {metainfo, "<metadata_license>CC0-1.0</metadata_license>"},
      {metainfo, "<release version=\"" + version + "\""},
  };
  for (const auto& [path, text] : expected)
    EXPECT_NE(textOf(path).find(text), std::string::npos) << path << " lacks " << text;
  EXPECT_TRUE(textOf(file("changelog")).starts_with("shardfall (" + version + ") ")) << "the newest entry first";
}

// The software centre shows what the metadata names: each screenshot is one of ours, a whole game screen.
TEST_F(InstalledPrograms, NameScreenshotsThatArePublishedWithTheSources) {
  const std::string metainfo = textOf(ListFilesEndingWith(Prefix / "share/metainfo", ".metainfo.xml").at(0));
  const std::regex image("<image[^>]*>[^<]*/([^/<]+)</image>");
  int named = 0;
  for (std::sregex_iterator it(metainfo.begin(), metainfo.end(), image), end; it != end; ++it, ++named) {
    const Bytes png = bytesOf(fs::path(SHARDFALL_SCREENSHOTS) / (*it)[1].str());
    ASSERT_GE(png.size(), 24u) << (*it)[1];
    const auto bigEndian = [&png](int at) { return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]; };
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR") << (*it)[1];
    EXPECT_EQ(bigEndian(16), 640) << (*it)[1];
    EXPECT_EQ(bigEndian(20), 480) << (*it)[1];
  }
  EXPECT_GE(named, 2);
}

}  // namespace
