// The game's entry point: command line, start-up, the frame loop.
#include <iostream>
#include <memory>

#include "gameplay/play_frames.h"
#include "platform/input.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/game_start.h"
#include "shell/main_loop.h"

namespace {

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0, error);
  return self.parent_path();
}

// Each mode's step, as the areas provide them.
ModeSteps WireModeSteps() {
  ModeSteps steps;
  steps.setUpFrontEnd = SetUpFrontEnd;
  steps.frontEndFrame = FrontEndFrame;
  steps.startGame = StartGame;
  steps.introFrame = IntroFrame;
  steps.playFrame = PlayFrame;
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine command;
  std::string error;
  if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
    std::cerr << "shardfall: " << error << "\n" << UsageText();
    return 2;
  }
  if (command.help) {
    std::cout << UsageText();
    return 0;
  }
  auto game = std::make_unique<Game>();
  game->root = command.root.empty() ? ExecutableFolder(argv[0]) : command.root;
  game->platform.options = command.platform;
  game->clock.isVirtual = command.platform.headless;
  game->clock.virtualStep = command.step;
  if (command.seed) SeedRandom(game->random, *command.seed);
  if (!command.input.empty() && !LoadInputScript(*game, command.input, error)) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  InitPlatform(*game);
  if (!command.playSetFile.empty()) PlayLevelSetAtOnce(*game, command.playSetFile);
  LoopControl control{command.frames, command.screenshots, command.dumpState};
  MainLoop(*game, WireModeSteps(), control);
  return 0;
}
