// A game run headless through the frame loop, on a program folder and with scripted input.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/game.h"
#include "shell/main_loop.h"
#include "test_support.h"

class HeadlessRun {
 public:
  // Starts at game start on `levelSetFile` (inside root/Lvl) with default options.
  HeadlessRun(const std::filesystem::path& root, const std::string& levelSetFile, const std::string& script,
              std::uint32_t seed = 1);
  // Runs frames until `done` holds after one (true) or the frame limit is reached (false).
  bool RunUntil(const std::function<bool(const Game&)>& done, int maxFrames);
  Game& game() { return *game_; }

 private:
  FreshFolder scriptFolder_;
  std::unique_ptr<Game> game_ = std::make_unique<Game>();
  ModeSteps steps_;
  FrameTimer timer_;
};
