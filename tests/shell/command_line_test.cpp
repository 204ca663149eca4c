// The command line, and whole headless runs of the program with scripted input, dumps and screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <nlohmann/json.hpp>

#include "content/bitmap_file.h"
#include "test_support.h"
#include "shell/command_line.h"

namespace {

TEST(CommandLine, ReadsEveryOption) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"--root", "/r", "--windowed", "--headless", "--frames", "100", "--step", "10",
                                "--seed", "7", "--input", "in.txt", "--dump-state", "s.json", "--screenshot",
                                "500:a.png", "--screenshot", "900:b.bmp", "--no-gamma", "--play", "set.sfs",
                                "--no-capsules", "--until-game-ends", "--game-speed", "60"},
                               line, error))
      << error;
  EXPECT_EQ(line.root, "/r");
  EXPECT_TRUE(line.platform.windowed && line.platform.headless && line.platform.noGamma);
  EXPECT_EQ(line.frames, 100);
  EXPECT_EQ(line.step, 10);
  EXPECT_EQ(line.seed, 7u);
  EXPECT_EQ(line.input, "in.txt");
  EXPECT_EQ(line.dumpState, "s.json");
  ASSERT_EQ(line.screenshots.size(), 2u);
  EXPECT_EQ(line.screenshots[1].tick, 900);
  EXPECT_EQ(line.screenshots[1].file, "b.bmp");
  EXPECT_EQ(line.playSetFile, "set.sfs");
  EXPECT_TRUE(line.noCapsules && line.untilGameEnds);
  EXPECT_EQ(line.gameSpeed, 60);
  CommandLine record;
  ASSERT_TRUE(ParseCommandLine({"--record", "g.sfr", "--record-dir", "games"}, record, error)) << error;
  EXPECT_EQ(record.recordFile, "g.sfr");
  EXPECT_EQ(record.recordFolder, "games");
  CommandLine replay;
  ASSERT_TRUE(ParseCommandLine({"--replay", "g.sfr", "--windowed", "--dump-state", "s.json", "--input", "keys.txt"},
                               replay, error))
      << error;
  EXPECT_EQ(replay.replayFile, "g.sfr");
  EXPECT_EQ(replay.input, "keys.txt");  // the viewer's keys
}

TEST(CommandLine, RefusesBadValuesWithTheOptionsName) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"--frames"}, {"--frames", "ten"}, {"--frames", "-1"}, {"--step", "1.5"}, {"--step", "0"},
           {"--seed", "-3"},
           {"--screenshot", "500"}, {"--screenshot", "x:a.png"}, {"--screenshot", "5:"}, {"--fast"},
           {"--replay", ""}, {"--record", ""}, {"--record-dir", ""}, {"--replay", "g.sfr", "--record", "h.sfr"},
           {"--replay", "g.sfr", "--play", "set.sfs"}, {"--replay", "g.sfr", "--seed", "3"},
           {"--no-capsules", "--record", "h.sfr"}, {"--verify", ""}, {"--verify", "g.sfr", "--play", "set.sfs"},
           {"--verify", "g.sfr", "--replay", "h.sfr"}, {"--date", "2026-02-30"}, {"--date", "today"},
           {"--game-speed", "75"}, {"--game-speed", "40"}, {"--game-speed", "110"}, {"--game-speed", "slow"},
           {"--replay", "g.sfr", "--game-speed", "70"}, {"--verify", "g.sfr", "--game-speed", "70"}}) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, line, error)) << args[0];
    EXPECT_NE(error.find(args[0]), std::string::npos) << error;
  }
}

#ifdef SHARDFALL_EXECUTABLE
class HeadlessRun : public ::testing::Test {
 protected:
  TempRoot root;
  int Run(const std::string& options) {
    std::string command = std::string(SHARDFALL_EXECUTABLE) + " --root " + root.path().string() + " --headless " +
                          options + " > " + (root.path() / "out.txt").string() + " 2>&1";
    return std::system(command.c_str());
  }
  nlohmann::json Dump() {
    std::ifstream file(root.path() / "s.json");
    return nlohmann::json::parse(file, nullptr, false);
  }
  std::string Path(const char* name) { return (root.path() / name).string(); }
};

TEST_F(HeadlessRun, RunsTheFramesAndDumpsTheState) {
  ASSERT_EQ(Run("--frames 100 --dump-state " + Path("s.json")), 0);
  nlohmann::json dump = Dump();
  ASSERT_FALSE(dump.is_discarded());
  EXPECT_EQ(dump["tick"], 1600);
  EXPECT_EQ(dump["GameState"]["frameStep"], 16);
  EXPECT_EQ(dump["GameState"]["gammaAvailable"], true);
  EXPECT_EQ(dump["GameState"]["soundOn"], true);
  EXPECT_TRUE(dump["soundLog"].is_array());
  EXPECT_TRUE(dump["songLog"].is_array());
}

TEST_F(HeadlessRun, StepAndNoGammaReachTheGame) {
  ASSERT_EQ(Run("--frames 10 --step 5 --no-gamma --dump-state " + Path("s.json")), 0);
  nlohmann::json dump = Dump();
  EXPECT_EQ(dump["tick"], 50);
  EXPECT_EQ(dump["GameState"]["gammaAvailable"], false);
}

TEST_F(HeadlessRun, ScreenshotIsTakenAtItsTick) {
  ASSERT_EQ(Run("--frames 5 --screenshot 32:" + Path("shot.bmp") + " --screenshot 9999:" + Path("late.png")), 0);
  Bitmap bitmap;
  std::string error;
  ASSERT_TRUE(ReadBitmapFile(root.path() / "shot.bmp", bitmap, error)) << error;
  EXPECT_EQ(bitmap.width, 640);
  EXPECT_FALSE(std::filesystem::exists(root.path() / "late.png"));
}

TEST_F(HeadlessRun, BadScriptOrOptionStopsBeforeStarting) {
  std::ofstream(root.path() / "in.txt") << "10 key DIK_NOPE down\n";
  EXPECT_NE(Run("--frames 5 --input " + Path("in.txt")), 0);
  EXPECT_NE(Run("--frames"), 0);
  EXPECT_EQ(Run("--help"), 0);
}
#endif

}  // namespace
