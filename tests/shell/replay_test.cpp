// Recorded games: written by the headless runner, replayed headless to the same end byte for byte, named by
// date, set and score in a recording folder, and refused with a message when they cannot be replayed exactly.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "content/file_io.h"
#include "content/level_set_file.h"
#include "content/options_file.h"
#include "content/recording_file.h"
#include "test_support.h"

#ifdef SHARDFALL_EXECUTABLE
namespace {

namespace fs = std::filesystem;

class Recordings : public ::testing::Test {
 protected:
  DefaultTreeCopy tree;
  const fs::path root = tree.path();

  // The program's exit status; what it wrote to stdout and stderr is in out.txt.
  int Run(const std::string& options) {
    const std::string command = std::string(SHARDFALL_EXECUTABLE) + " --root " + root.string() + " --headless " +
                                options + " > " + Path("out.txt") + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Path(const std::string& name) const { return (root / name).string(); }
  std::string Text(const std::string& name) const {
    std::ifstream file(root / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(root / name, std::ios::binary) << text;
  }
  void StartWith(int balls) const {
    Options options;
    options.startingBalls = balls;
    std::string error;
    ASSERT_TRUE(WriteOptionsFile(root / "config.bin", options, error)) << error;
  }
  // Plays with `options`, recording into game.sfr, then replays it: both dumps must be the same bytes.
  nlohmann::json PlayAndReplay(const std::string& options) {
    EXPECT_EQ(Run(options + " --record " + Path("game.sfr") + " --dump-state " + Path("played.json")), 0)
        << Text("out.txt");
    EXPECT_EQ(Run("--replay " + Path("game.sfr") + " --dump-state " + Path("replayed.json")), 0) << Text("out.txt");
    const std::string played = Text("played.json");
    EXPECT_FALSE(played.empty());
    EXPECT_TRUE(played == Text("replayed.json")) << "the replay ended elsewhere";
    return nlohmann::json::parse(played, nullptr, false);
  }
  // The one line a refused replay writes, which names the recording; no state is dumped.
  std::string Refusal(const std::string& recording) {
    fs::remove(root / "refused.json");
    EXPECT_EQ(Run("--replay " + Path(recording) + " --dump-state " + Path("refused.json")), 2);
    EXPECT_FALSE(fs::exists(root / "refused.json"));
    const std::string out = Text("out.txt");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find(Path(recording)), std::string::npos) << out;
    return out;
  }
};

TEST_F(Recordings, AnAutopilotGameOfTheDefaultSetReplaysToTheSameEndByteForByte) {
  StartWith(1);
  Write("auto.txt", AutopilotScript(4000, 1500, 2000000));
  const nlohmann::json played = PlayAndReplay("--play " + Path("Lvl/2-Shardfall.sfs") +
                                              " --seed 8 --step 25 --frames 100000 --input " + Path("auto.txt"));
  EXPECT_EQ(played["GameWorld"]["endMessage"], "GAME OVER");  // the whole game, to its end
  EXPECT_FALSE(played["GameState"]["frontEndReady"]);
  EXPECT_GE(played["GameWorld"]["currentLevel"], 2);
}

TEST_F(Recordings, AGameWithPowerUpsFireworksALostBallAndAPauseReplaysToTheSameEndByteForByte) {
  std::string error;
  ASSERT_TRUE(WriteLevelSetFile(root / "Lvl" / "One.sfs", LevelSet{"One", {"wu1_glow.sfl"}, 0}, error)) << error;
  // The first ball is lost before the autopilot takes over; P pauses from 20 s to 22 s.
  const std::string pause = "20000 key DIK_P down\n20020 key DIK_P up\n22000 key DIK_P down\n22020 key DIK_P up\n";
  Write("play.txt", AutopilotScript(12000, 1500, 2000000) + pause);
  const nlohmann::json played = PlayAndReplay("--play " + Path("Lvl/One.sfs") +
                                              " --seed 2 --step 25 --frames 100000 --input " + Path("play.txt"));
  EXPECT_EQ(played["GameWorld"]["endMessage"], "You finished this set of levels!");
  EXPECT_LT(played["GameWorld"]["spareBalls"], 3);
  const auto& sounds = played["soundLog"];
  auto heard = [&sounds](const std::string& name) {
    return std::find(sounds.begin(), sounds.end(), name) != sounds.end();
  };
  EXPECT_TRUE(heard("FireWork.wav"));
  const char* caught[] = {"SuperBall.wav", "DynaBall.wav", "GotCatch.wav", "GotLaser.wav", "DoublePoints.wav",
                          "Protect.wav", "DoubleSplitBalls.wav", "GrowPad.wav", "ShrinkPad.wav", "SplitBalls.wav",
                          "Warp.wav", "Death.wav", "FasterBall.wav", "SlowerBall.wav", "ExtraLife.wav"};
  EXPECT_TRUE(std::any_of(std::begin(caught), std::end(caught), heard)) << "no power-up was caught";
  EXPECT_NE(Text("game.sfr").find("\nw "), std::string::npos) << "no pause";
}

TEST_F(Recordings, EveryGameGoesIntoTheFolderNamedByDateSetAndScore) {
  ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 300 --record-dir " + Path("games")), 0)
      << Text("out.txt");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(root / "games")) names.push_back(entry.path().filename());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(std::regex_match(names[0], std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_1-WarmUp_0\.sfr)"))) << names[0];
  EXPECT_EQ(Run("--replay " + Path("games/" + names[0])), 0) << Text("out.txt");
}

TEST_F(Recordings, AnOldTableAndAnOldRecordingOfARenamedSetFollowItsNewName) {
  Write("Lvl/WarmUp.sfh", "an old table");
  ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 200 --record " + Path("game.sfr") +
                " --dump-state " + Path("played.json")),
            0)
      << Text("out.txt");
  EXPECT_EQ(Text("Lvl/1-WarmUp.sfh"), "an old table");
  EXPECT_FALSE(fs::exists(root / "Lvl/WarmUp.sfh"));

  Recording recording;
  std::string error;
  ASSERT_TRUE(ReadRecordingFile(root / "game.sfr", "", recording, error)) << error;
  ASSERT_EQ(recording.levelSet, "Lvl/1-WarmUp.sfs");
  recording.levelSet = "Lvl/WarmUp.sfs";  // as recorded before the set was renamed
  for (RecordedFile& file : recording.files)
    if (file.role == "set") file.name = "WarmUp.sfs";
  ASSERT_TRUE(WriteRecordingFile(root / "old.sfr", recording, error)) << error;
  EXPECT_EQ(Run("--replay " + Path("old.sfr") + " --dump-state " + Path("replayed.json")), 0) << Text("out.txt");
  EXPECT_TRUE(Text("played.json") == Text("replayed.json")) << "the replay ended elsewhere";
}

TEST_F(Recordings, ARecordingThatCannotBeReplayedExactlyIsRefusedWithItsReason) {
  ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 200 --record " + Path("game.sfr")), 0)
      << Text("out.txt");
  const std::string recording = Text("game.sfr");

  Write("cut.sfr", recording.substr(0, recording.size() / 2));
  EXPECT_NE(Refusal("cut.sfr").find("cut short"), std::string::npos);

  std::string damaged = recording;
  damaged[damaged.size() / 2] = damaged[damaged.size() / 2] == 'f' ? 'w' : 'f';
  Write("damaged.sfr", damaged);
  EXPECT_NE(Refusal("damaged.sfr").find("damaged"), std::string::npos);

  std::string older = recording;
  const std::size_t program = older.find("program ");
  older.replace(program, older.find('\n', program) - program, "program 0.0.9");
  Write("older.sfr", older);
  EXPECT_NE(Refusal("older.sfr").find("recorded by Shardfall 0.0.9"), std::string::npos);

  LevelSet set;
  Bytes level;
  std::string error;
  ASSERT_TRUE(ReadLevelSetFile(root / "Lvl" / "1-WarmUp.sfs", set, error)) << error;
  const std::string second = set.levelFiles.at(1);
  ASSERT_TRUE(ReadWholeFile(root / "Lvl" / second, level, error)) << error;
  level.back() ^= 1;  // a level the recorded game never reached still counts
  ASSERT_TRUE(WriteFileAtomically(root / "Lvl" / second, level, error)) << error;
  EXPECT_NE(Refusal("game.sfr").find("recorded with other level files: " + second + " differs"), std::string::npos);
}

}  // namespace
#endif
