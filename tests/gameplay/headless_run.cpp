// Headless runs of whole games for the tests.
#include "headless_run.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "gameplay/play_frames.h"
#include "platform/input.h"
#include "shell/game_start.h"
#include "shell/start_up.h"

std::filesystem::path CopyDefaultTree(const std::string& name) {
  // Tests may run in parallel processes: each gets its own copy.
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string unique = name + "-" + (test ? test->name() : "") + "-" + std::to_string(getpid());
  std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / ("gameplay-" + unique);
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  for (const char* folder : {"Gfx", "Sfx", "Mus", "Tls", "Lvl", "Bgd"})
    std::filesystem::copy(std::filesystem::path(SHARDFALL_DEFAULT_TREE) / folder, root / folder,
                          std::filesystem::copy_options::recursive);
  return root;
}

HeadlessRun::HeadlessRun(const std::filesystem::path& root, const std::string& levelSetFile,
                         const std::string& script, std::uint32_t seed) {
  Game& game = *game_;
  game.folders = SameFolders(root);
  game.platform.options.headless = true;
  game.clock.isVirtual = true;
  SeedRandom(game.random, seed);
  static int counter = 0;
  std::filesystem::path scriptFile =
      std::filesystem::path(::testing::TempDir()) /
      ("gameplay-script-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".txt");
  std::ofstream(scriptFile) << script;
  std::string error;
  EXPECT_TRUE(LoadInputScript(game.platform, scriptFile, error)) << error;
  StartPlatform(game);
  // As --play does, without reading or writing the player's options file.
  game.levelSetPath = (root / "Lvl" / levelSetFile).string();
  game.state.frontEndReady = true;
  steps_.startGame = StartGame;
  steps_.introFrame = IntroFrame;
  steps_.playFrame = PlayFrame;
  game.state.running = true;
  game.state.lastTick = Now(game);
  game.state.screenFade = -99.0f;
}

bool HeadlessRun::RunUntil(const std::function<bool(const Game&)>& done, int maxFrames) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    RunFrame(*game_, steps_, timer_);
    if (done(*game_)) return true;
  }
  return false;
}

std::string ClicksScript(int clickPeriod, int until) {
  std::ostringstream out;
  for (int tick = clickPeriod; tick < until; tick += clickPeriod)
    out << tick << " button left down\n" << tick + 40 << " button left up\n";
  return out.str();
}

std::string AutopilotScript(int chordTick, int clickPeriod, int until) {
  std::ostringstream out;
  // The chord toggles on every frame in which both keys are down, so it is held for one frame only.
  out << chordTick << " key DIK_A down\n" << chordTick << " key DIK_I down\n";
  out << chordTick + 1 << " key DIK_A up\n" << chordTick + 1 << " key DIK_I up\n";
  return out.str() + ClicksScript(clickPeriod, until);
}
