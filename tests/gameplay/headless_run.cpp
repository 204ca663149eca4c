// Headless runs of whole games for the tests.
#include "headless_run.h"

#include <fstream>

#include <gtest/gtest.h>

#include "shell/start_up.h"

HeadlessRun::HeadlessRun(const std::filesystem::path& root, const std::string& levelSetFile,
                         const std::string& script, std::uint32_t seed) {
  const std::filesystem::path scriptFile = scriptFolder_ / "script.txt";
  std::ofstream(scriptFile) << script;
  StartSettings settings;
  settings.folders = SameFolders(root);
  settings.platform.headless = true;
  settings.seed = seed;
  settings.inputScript = scriptFile;
  std::string error;
  EXPECT_TRUE(StartUp(*game_, settings, error)) << error;
  // As --play does, without reading or writing the player's options file.
  game_->levelSetPath = (root / "Lvl" / levelSetFile).string();
  game_->state.frontEndReady = true;
  // Play only: a game that goes back to the front end stops at its door.
  steps_ = EveryModeStep();
  steps_.setUpFrontEnd = nullptr;
  steps_.frontEndFrame = nullptr;
  BeginFrames(*game_);
}

bool HeadlessRun::RunUntil(const std::function<bool(const Game&)>& done, int maxFrames) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    RunFrame(*game_, steps_, timer_);
    if (done(*game_)) return true;
  }
  return false;
}
