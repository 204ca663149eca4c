// The games kept beside a score table: the index's text, and the recordings following the table's entries.
#include <gtest/gtest.h>

#include <set>

#include "content/table_games.h"
#include "content_test_support.h"

namespace {

using TableGamesIndex = ScratchFolder;

TEST_F(TableGamesIndex, ReadsBackWhatItWritesWithAnyNameAndUnknownFields) {
  const TableGames games = {{"Ann = 50% off", 900, "900-0a0b0c0d.sfr", {{"kind", "two words"}}},
                            {"", -3, "x_2.sfr", {}},
                            {"\xc3\xa9t\xc3\xa9", 0, "y.sfr", {}},
                            {"Slow", 5, "s.sfr", {}, 60}};
  const std::string text = EncodeTableGames(games);
  TableGames read;
  std::string problem;
  ASSERT_TRUE(DecodeTableGames(text, read, problem)) << problem << "\n" << text;
  EXPECT_EQ(read, games);
}

TEST_F(TableGamesIndex, RefusesWhatItCannotTrust) {
  const std::string head = "shardfall-table-games 1\n";
  const struct {
    std::string text, why;
  } cases[] = {
      {"", "empty"},
      {"shardfall-table 1\n", "not an index"},
      {"shardfall-table-games 2\n", "format 2"},
      {head + "game score=1 recording=a.sfr name=A", "no line end"},
      {head + "entry score=1 recording=a.sfr name=A\n", "line 2"},
      {head + "game score=1 name=A\n", "line 2"},
      {head + "game score=x recording=a.sfr name=A\n", "line 2"},
      {head + "game score=1 recording=../a.sfr name=A\n", "line 2"},
      {head + "game score=1 recording=a.txt name=A\n", "line 2"},
      {head + "game score=1 recording=a.sfr name=" + std::string(31, 'n') + "\n", "line 2"},
      {head + "game score=1 recording=a.sfr name=%4\n", "line 2"},
      {head + "game score=1 recording=a.sfr name=%zz\n", "line 2"},
      {head + "game score=1 recording=a.sfr name=A speed=65\n", "line 2"},
      {head + "game score=1 recording=a.sfr name=A speed=fast\n", "line 2"},
  };
  for (const auto& each : cases) {
    TableGames read = {{"kept", 1, "k.sfr", {}}};
    std::string problem;
    EXPECT_FALSE(DecodeTableGames(each.text, read, problem)) << each.text;
    EXPECT_NE(problem.find(each.why), std::string::npos) << each.text << " -> " << problem;
    EXPECT_EQ(read.size(), 1u) << "changed on a refusal: " << each.text;
  }
}

// A score table's games folder through a run of saves.
class TableGamesFolderTest : public ScratchFolder {
 protected:
  std::filesystem::path table() const { return dir / "Set.sfh"; }
  std::filesystem::path folder() const { return dir / "Set.games"; }
  std::vector<std::string> Save(const HighScoreTable& after, int rank, const std::string& recording,
                                int gameSpeed = FullGameSpeed) {
    std::vector<std::string> notes;
    UpdateTableGames(table(), after, rank, Bytes(recording.begin(), recording.end()), notes, gameSpeed);
    return notes;
  }
  // Each index line as "NAME SCORE CONTENT", the content read from its recording, and " at N" for a slower game.
  std::vector<std::string> Kept() const {
    TableGames games;
    std::string error;
    EXPECT_TRUE(ReadTableGames(folder(), games, error)) << error;
    std::vector<std::string> kept;
    for (const TableGame& game : games) {
      const Bytes bytes = bytesOf(folder() / game.recording);
      kept.push_back(game.name + " " + std::to_string(game.score) + " " + std::string(bytes.begin(), bytes.end()) +
                     (game.gameSpeed == FullGameSpeed ? "" : " at " + std::to_string(game.gameSpeed)));
    }
    return kept;
  }
  std::set<std::string> Recordings() const {
    std::set<std::string> names;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), failure))
      if (entry.path().extension() == ".sfr") names.insert(entry.path().filename().string());
    return names;
  }
};

TEST_F(TableGamesFolderTest, OnlyTheEntriesInTheTableKeepTheirGames) {
  const struct {
    HighScoreTable table;
    int rank;
    std::string recording;
    std::vector<std::string> kept;
    int speed = FullGameSpeed;
  } saves[] = {
      {{{"Ann", 100}}, 1, "game a", {"Ann 100 game a"}},
      {{{"Bo", 200}, {"Ann", 100}}, 1, "game b", {"Bo 200 game b at 70", "Ann 100 game a"}, 70},
      {{{"Bo", 200}, {"Ann", 100}, {"Cy", 50}}, 3, "", {"Bo 200 game b at 70", "Ann 100 game a"}},  // none recorded
      {{{"Bo", 200}, {"Bo", 200}, {"Ann", 100}}, 1, "game b2", {"Bo 200 game b2", "Bo 200 game b at 70", "Ann 100 game a"}},
      {{{"Di", 900}, {"Bo", 200}, {"Bo", 200}}, 1, "game d", {"Di 900 game d at 50", "Bo 200 game b2", "Bo 200 game b at 70"}, 50},
      {{{"Di", 900}, {"Bo", 200}, {"Bo", 200}}, 0, "game e", {"Di 900 game d at 50", "Bo 200 game b2", "Bo 200 game b at 70"}},
  };
  for (const auto& save : saves) {
    EXPECT_TRUE(Save(save.table, save.rank, save.recording, save.speed).empty());
    const std::vector<std::string> kept = Kept();
    EXPECT_EQ(kept, save.kept);
    EXPECT_EQ(Recordings().size(), kept.size()) << "a dropped game's recording was left behind";
  }
}

TEST_F(TableGamesFolderTest, ADamagedIndexIsSetAsideWithItsRecordings) {
  Save({{"Ann", 100}}, 1, "game a");
  const std::set<std::string> before = Recordings();
  put("Set.games/index.txt", "garbage\n");
  const std::vector<std::string> notes = Save({{"Bo", 200}, {"Ann", 100}}, 1, "game b");
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_NE(notes[1].find("index.txt.damaged"), std::string::npos) << notes[1];
  const Bytes kept = bytesOf(folder() / "index.txt.damaged");
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "garbage\n");
  EXPECT_EQ(Kept(), (std::vector<std::string>{"Bo 200 game b"}));
  for (const std::string& name : before) EXPECT_TRUE(std::filesystem::exists(folder() / name)) << name;
}

TEST_F(TableGamesFolderTest, AGameThatCannotBeKeptIsSaidAndTheRestStays) {
  put("Set.games", "a file where the folder goes");
  const std::vector<std::string> notes = Save({{"Ann", 100}}, 1, "game a");
  ASSERT_FALSE(notes.empty());
  const Bytes left = bytesOf(folder());
  EXPECT_EQ(std::string(left.begin(), left.end()), "a file where the folder goes");
}

}  // namespace
