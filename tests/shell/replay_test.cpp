// Whole games headless: a --play run followed past its game, and recorded games: written by the headless runner,
// replayed headless to the same end byte for byte (paused and stopped by the viewer's keys), named by date, set
// and score in a recording folder, refused with a message when they cannot be replayed exactly, failed when they
// end elsewhere, and never lost when their place cannot be written.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include "content/file_io.h"
#include "content/high_score_file.h"
#include "content/level_set_file.h"
#include "content/options_file.h"
#include "content/recording_file.h"
#include "content/table_games.h"
#include "platform/tape.h"
#include "shell/recording.h"
#include "program_run.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// The recording with its end line made anew, as someone who knows the format would leave an edited one.
std::string Resealed(std::string text) {
  text.erase(text.rfind("end "));
  const std::size_t steps = text.find("\nsteps\n") + 7;
  const auto count = std::count(text.begin() + static_cast<std::ptrdiff_t>(steps), text.end(), '\n');
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08x", Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return text + "end " + std::to_string(count) + " " + crc + "\n";
}

// The text with the first `from` replaced by `to`.
std::string Edited(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(RecordingPlace, ARecordingThatCannotBeWrittenAtTheEndIsSavedInTheUsersFolder) {
  for (const bool everyGame : {false, true}) {
    TempRoot root;
    auto game = MakeHeadlessGame(root.path());
    const fs::path place = root.path() / "games";
    fs::create_directories(place);
    (everyGame ? game->recorder.everyGameFolder : game->recorder.nextGameFile) = everyGame ? place : place / "mine.sfr";
    game->levelSetPath = (root.path() / "Lvl" / "Mine.sfs").string();
    game->state.frontEndReady = true;
    BeginGameIfStarting(*game);
    ASSERT_TRUE(IsRecording(game->platform));
    fs::remove_all(place);
    std::ofstream(place) << "a file where the folder was";
    testing::internal::CaptureStderr();
    FinishRecording(*game);
    const std::string said = testing::internal::GetCapturedStderr();
    std::vector<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(game->folders.user))
      if (entry.path().extension() == ".sfr") saved.push_back(entry.path());
    ASSERT_EQ(saved.size(), 1u) << said;
    EXPECT_EQ(saved[0].filename().string().find(everyGame ? "_Mine_0" : "mine"), everyGame ? 19u : 0u);
    EXPECT_NE(said.find("saved as " + saved[0].string() + " instead"), std::string::npos) << said;
    Recording recording;
    std::string error;
    EXPECT_TRUE(ReadRecordingFile(saved[0], "", recording, error)) << error;
  }
}

}  // namespace

#ifdef SHARDFALL_EXECUTABLE
namespace {

class Recordings : public ProgramRun {
 protected:
  // The one line a refused replay writes, which names the recording; no state is dumped.
  std::string Refusal(const std::string& recording) {
    fs::remove(root / "refused.json");
    EXPECT_EQ(Run("--replay " + Path(recording) + " --dump-state " + Path("refused.json")), 2);
    EXPECT_FALSE(fs::exists(root / "refused.json"));
    return OneLine(Path(recording));
  }
  // What the program wrote: one line, naming `subject`.
  std::string OneLine(const std::string& subject) {
    const std::string out = Text("out.txt");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find(subject), std::string::npos) << out;
    return out;
  }
};

TEST_F(Recordings, AGameEnteredInATableKeepsARecordingThatVerifiesUntilAByteIsChanged) {
  StartWith(1);
  Write("lose.txt", ClicksScript(1000, 2000000));
  const std::string play = "--play " + Path("Lvl/1-WarmUp.sfs") + " --seed 3 ";
  ASSERT_EQ(Run(play + "--frames 20000 --until-game-ends --input " + Path("lose.txt") + " --dump-state " +
                Path("lost.json")),
            0)
      << Text("out.txt");
  const nlohmann::json lost = Json("lost.json");
  ASSERT_EQ(lost["GameWorld"]["endMessage"], "GAME OVER");
  const int end = lost["tick"];
  // The same game, then a name typed once the table asks for it; the frames, not the game, end this run.
  std::string name;
  for (const auto& [key, at] : {std::pair{"DIK_S", 3000}, {"DIK_F", 3200}, {"DIK_RETURN", 3400}})
    name += std::to_string(end + at) + " key " + key + " down\n" + std::to_string(end + at + 50) + " key " + key +
            " up\n";
  Write("name.txt", ClicksScript(1000, end) + name);
  ASSERT_EQ(Run(play + "--frames " + std::to_string((end + 5000) / 16) + " --input " + Path("name.txt")), 0)
      << Text("out.txt");
  HighScoreTable table;
  std::string error;
  ASSERT_TRUE(ReadHighScoreFile(root / "Lvl" / "1-WarmUp.sfh", table, error)) << error;
  const int score = lost["GameWorld"]["score"];
  EXPECT_EQ(table, (HighScoreTable{{"sf", score}}));

  // The entry's game lies beside the table and verifies; changed or cut short, it does not.
  const fs::path games = root / "Lvl" / "1-WarmUp.games";
  TableGames index;
  ASSERT_TRUE(ReadTableGames(games, index, error)) << error;
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].score, score);
  const std::string kept = Text("Lvl/1-WarmUp.games/" + index[0].recording);
  std::string flipped = kept;
  const std::size_t step = flipped.find("\nsteps\n") + 7;
  flipped[step] = static_cast<char>(flipped[step] ^ 1);
  const std::string claim = " score=" + std::to_string(score);
  const struct {
    std::string name, text;
    int status;
    std::string said;
  } cases[] = {
      {"kept", kept, 0, "verified"},
      {"a byte flipped", flipped, 1, "checksum does not match"},
      {"a higher score claimed", Resealed(Edited(kept, claim, claim + "0")), 1, "ended elsewhere"},
      {"cut short", kept.substr(0, kept.size() / 2), 2, "cut short"},
      {"missing", "", 2, "verify.sfr"},
  };
  for (const auto& each : cases) {
    fs::remove(root / "verify.sfr");
    if (!each.text.empty()) Write("verify.sfr", each.text);
    EXPECT_EQ(Run("--verify " + Path("verify.sfr")), each.status) << each.name << ": " << Text("out.txt");
    EXPECT_NE(Text("out.txt").find(each.said), std::string::npos) << each.name << ": " << Text("out.txt");
    if (each.status == 0) {
      EXPECT_NE(Text("out.txt").find("score " + std::to_string(score)), std::string::npos) << Text("out.txt");
    }
  }
}

TEST_F(Recordings, ADaysChallengeIsTheSameOnEveryRunAndItsGamesVerify) {
  // Another game seed, the same day: the same level and its song; another day: another level.
  const auto firstLevel = [&](const std::string& date, int seed) {
    EXPECT_EQ(Run("--play daily --date " + date + " --seed " + std::to_string(seed) + " --frames 300 --dump-state " +
                  Path("day.json")),
              0)
        << Text("out.txt");
    const nlohmann::json world = Json("day.json")["GameWorld"];
    EXPECT_EQ(world["currentLevel"], 1) << world["loadingProblem"];
    return world["brickGrid"].dump() + Json("day.json")["platform"]["song"].dump();
  };
  const std::string day = firstLevel("2026-12-08", 1);
  EXPECT_EQ(firstLevel("2026-12-08", 2), day);
  EXPECT_EQ(firstLevel("2026-12-08", 3), day);
  EXPECT_NE(firstLevel("2026-12-09", 1), day);
  // A clock far off: no Daily Challenge, said in one line.
  for (const char* date : {"1970-01-01", "9999-12-31"}) {
    EXPECT_EQ(Run("--play daily --date " + std::string(date) + " --frames 10"), 2);
    OneLine("set the clock");
  }
  // A lost game of the day, recorded, verifies: its levels are made again from the day.
  StartWith(1);
  Write("lose.txt", ClicksScript(1000, 2000000));
  ASSERT_EQ(Run("--play daily --date 2026-12-08 --seed 3 --frames 20000 --until-game-ends --input " + Path("lose.txt") +
                " --record " + Path("day.sfr")),
            0)
      << Text("out.txt");
  EXPECT_NE(Text("day.sfr").find("\ngenerated daily 2026-12-08\n"), std::string::npos);
  EXPECT_EQ(Run("--verify " + Path("day.sfr")), 0) << Text("out.txt");
}

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

TEST_F(Recordings, ALostFocusPausesPlayAndMutesUntilItReturnsAndAReplayDoesTheSame) {
  struct Case {
    const char* focus;
    bool mutedAtEnd;
  };
  const Case cases[] = {{"9000 focus lost\n", true}, {"9000 focus lost\n11000 focus gained\n", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    Write("focus.txt", AutopilotScript(4000, 1500, 14000) + c.focus);
    const nlohmann::json played =
        PlayAndReplay("--play " + Path("Lvl/2-Shardfall.sfs") + " --seed 2 --step 25 --input " + Path("focus.txt"));
    EXPECT_TRUE(played["GameState"]["paused"]);  // the clicks after it do not resume play; P would
    EXPECT_EQ(played["platform"].contains("muted"), c.mutedAtEnd);
    EXPECT_EQ(played["platform"].contains("focused"), c.mutedAtEnd);
    EXPECT_NE(Text("game.sfr").find(" F0\n"), std::string::npos);
  }
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
  ASSERT_TRUE(WriteFileAtomically(root / "old.sfr", EncodeRecording(recording), error)) << error;
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

  Write("pointer.sfr", Resealed(Edited(recording, " pointerX=0 ", " pointerX=1e30 ")));
  EXPECT_NE(Refusal("pointer.sfr").find("pointerX is out of range"), std::string::npos);
  Write("tick.sfr", Resealed(Edited(recording, " lastTick=0 ", " lastTick=-2147483648 ")));
  EXPECT_NE(Refusal("tick.sfr").find("lastTick is out of range"), std::string::npos);

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

TEST_F(Recordings, TheViewersKeysPauseAndStopAReplayAndLeaveItAsItWas) {
  ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 400 --record " + Path("game.sfr") + " --dump-state " +
                Path("played.json")),
            0)
      << Text("out.txt");
  const std::string recording = Text("game.sfr"), played = Text("played.json");
  const int end = Json("played.json")["tick"];
  auto press = [](const char* key, int at) {
    return std::to_string(at) + " key " + key + " down\n" + std::to_string(at + 16) + " key " + key + " up\n";
  };
  const std::string pause = press("DIK_P", 1000) + press("DIK_P", 4000);  // held 3 s of watching
  struct Case {
    std::string script;
    int tick;  // where the replay stopped; 0: at its end, as played
  };
  const Case cases[] = {
      {pause, 0},
      {pause + press("DIK_ESCAPE", 5000), 2000},
      {press("DIK_ESCAPE", 2000), 2000},
      {"1000 key DIK_P down\n", 1000},  // paused with nothing left to resume it: the run ends
  };
  for (const Case& c : cases) {
    Write("keys.txt", c.script);
    EXPECT_EQ(Run("--replay " + Path("game.sfr") + " --input " + Path("keys.txt") + " --dump-state " +
                  Path("watched.json")),
              0)
        << Text("out.txt");
    EXPECT_EQ(Text("out.txt"), "");
    if (c.tick == 0) EXPECT_TRUE(Text("watched.json") == played) << c.script;
    else EXPECT_NEAR(Json("watched.json")["tick"].get<int>(), c.tick, 32) << c.script << " of a replay to " << end;
    EXPECT_TRUE(Text("game.sfr") == recording);
  }
}

TEST_F(Recordings, AGamePlayedWithThePlayersOwnKeysIsTheDefaultKeysGameAndReplaysSoForAnyViewer) {
  // F fires and Q pauses in place of Space and P; the autopilot steers.
  auto script = [](const char* fire, const char* pause) {
    std::string text = "4000 key DIK_A down\n4000 key DIK_I down\n4001 key DIK_A up\n4001 key DIK_I up\n";
    for (int tick = 1500; tick < 40000; tick += 1500)
      text += std::to_string(tick) + " key " + fire + " down\n" + std::to_string(tick + 40) + " key " + fire + " up\n";
    for (int tick : {20000, 22000})
      text += std::to_string(tick) + " key " + pause + " down\n" + std::to_string(tick + 20) + " key " + pause + " up\n";
    return text;
  };
  Write("own.txt", script("DIK_F", "DIK_Q"));
  Write("default.txt", script("DIK_SPACE", "DIK_P"));
  Write("keys.ini", "key.fire = 33\nkey.pause = 16\n");
  const std::string play = "--play " + Path("Lvl/1-WarmUp.sfs") + " --seed 5 --frames 2500 ";
  ASSERT_EQ(Run(play + "--settings " + Path("keys.ini") + " --input " + Path("own.txt") + " --record " +
                Path("game.sfr") + " --dump-state " + Path("played.json")),
            0)
      << Text("out.txt");
  ASSERT_EQ(Run(play + "--input " + Path("default.txt") + " --dump-state " + Path("default.json")), 0) << Text("out.txt");
  ASSERT_EQ(Run("--replay " + Path("game.sfr") + " --dump-state " + Path("replayed.json")), 0) << Text("out.txt");
  const std::string played = Text("played.json");
  EXPECT_GT(Json("played.json")["GameWorld"]["score"].get<int>(), 0);
  EXPECT_NE(Text("game.sfr").find("\nw "), std::string::npos) << "Q did not pause";
  EXPECT_TRUE(played == Text("default.json")) << "the own keys played another game";
  EXPECT_TRUE(played == Text("replayed.json")) << "the replay went another way";
}

TEST_F(Recordings, AReplayThatEndsElsewhereSaysSoAndFails) {
  ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 300 --record " + Path("game.sfr")), 0)
      << Text("out.txt");
  const std::string recording = Text("game.sfr");
  ASSERT_NE(recording.find(" score=0 over=0\n"), std::string::npos) << recording;
  const std::size_t at = recording.find("reached ");
  const std::string reached = recording.substr(at, recording.find('\n', at) + 1 - at);
  struct Case {
    std::string text;
    int status;
    std::string said;
  };
  const Case cases[] = {
      {Resealed(Edited(recording, " score=0 ", " score=50 ")), 1, "ended elsewhere than the recording"},
      {Resealed(Edited(recording, " over=0\n", " over=1\n")), 1, "the game over"},
      // The game asks for the speed file while it loads: one line says where it went another way, and no
      // second one that the game could not start.
      {Resealed(Edited(recording, "\ns 0\n", "\nr\n")), 1, "went another way"},
      // Made before a recording kept its end: replayed as it always was.
      {Resealed(Edited(Edited(recording, "shardfall-recording 2\n", "shardfall-recording 1\n"), reached, "")), 0, ""},
  };
  for (const Case& c : cases) {
    Write("edited.sfr", c.text);
    EXPECT_EQ(Run("--replay " + Path("edited.sfr")), c.status) << Text("out.txt");
    if (c.status == 0) EXPECT_EQ(Text("out.txt"), "");
    else EXPECT_NE(OneLine(Path("edited.sfr")).find(c.said), std::string::npos);
  }
}

TEST_F(Recordings, ABadRecordingPlaceIsRefusedBeforeTheGame) {
  fs::create_directories(root / "locked");
  fs::permissions(root / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  struct Case {
    std::string option, shell, said;
  };
  std::vector<Case> cases = {
      {"--record " + Path("missing/game.sfr"), "", "there is no folder"},
      {"--record " + Path("Lvl"), "", "is a folder"},
      {"--record /dev/null", "", "is not a regular file"},
      {"--record-dir " + Path("Lvl/1-WarmUp.sfs"), "", "is not a folder"},
      // A full disk, as a limit on the size of files stands for one.
      {"--record " + Path("game.sfr"), "trap '' XFSZ; ulimit -f 16; ", "File too large"},
  };
  if (geteuid() != 0) cases.push_back({"--record " + Path("locked/game.sfr"), "", "Permission denied"});
  for (const Case& c : cases) {
    EXPECT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --frames 10 " + c.option + " --dump-state " +
                  Path("never.json"),
                  c.shell),
              2);
    EXPECT_NE(OneLine(c.option).find(c.said), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "never.json"));
  }
  EXPECT_FALSE(fs::exists(root / "game.sfr"));
}

TEST_F(Recordings, GamesEndingAtOnceIntoOneFolderKeepEveryRecording) {
  const std::string game = std::string(SHARDFALL_EXECUTABLE) + " --root " + root.string() + " --headless --play " +
                           Path("Lvl/1-WarmUp.sfs") + " --frames 300 --record-dir " + Path("games") + " &";
  ASSERT_EQ(std::system((game + game + game + game + " wait").c_str()), 0);
  std::set<std::string> recordings;
  for (const auto& entry : fs::directory_iterator(root / "games"))
    recordings.insert(Text("games/" + entry.path().filename().string()));
  EXPECT_EQ(recordings.size(), 4u);  // each its own file, and each game's own (their seeds differ)
}

}  // namespace
#endif
