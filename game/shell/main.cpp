// The game's entry point: command line, start-up, the frame loop.
#include <iostream>
#include <memory>

#include "content/level_set_file.h"
#include "core/game.h"
#include "shell/command_line.h"
#include "shell/game_start.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"

namespace {

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0, error);
  return self.parent_path();
}

// The data tree: --root, else beside the executable (a build), else where the install put it.
bool LocateData(const CommandLine& command, const char* argv0, DataFolders& folders, std::string& error) {
  bool installed = false;
  std::filesystem::path shipped = command.root;
  if (shipped.empty()) shipped = FindShippedFolder(ExecutableFolder(argv0), SHARDFALL_DATA_FROM_PROGRAM, installed);
  std::error_code failure;
  if (shipped.empty() || !std::filesystem::is_directory(shipped / "Gfx", failure)) {
    error = (command.root.empty() ? ExecutableFolder(argv0).string() : command.root.string()) +
            ": not a program folder (no Gfx folder; --root DIR names one)";
    return false;
  }
  folders = ChooseDataFolders(shipped, installed);
  return true;
}

// --play: a path from the current folder, else from the data folders (as "Lvl/NAME.sfs" or "NAME.sfs").
bool ResolvePlaySet(const DataFolders& folders, std::filesystem::path& setFile, std::string& error) {
  std::error_code failure;
  for (const auto& candidate : {setFile, ReadPath(folders, setFile), ReadPath(folders, "Lvl" / setFile)}) {
    if (!std::filesystem::exists(candidate, failure)) continue;
    setFile = std::filesystem::absolute(candidate, failure);
    LevelSet set;
    return ReadLevelSetFile(setFile, set, error);
  }
  error = setFile.string() + ": file not found";
  return false;
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
  StartSettings settings{{}, command.platform, command.step, command.seed, command.input};
  if (!LocateData(command, argv[0], settings.folders, error) ||
      (!command.playSetFile.empty() && !ResolvePlaySet(settings.folders, command.playSetFile, error))) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  auto game = std::make_unique<Game>();
  if (!StartUp(*game, settings, error)) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  game->world.capsulesOff = command.noCapsules;
  if (!command.playSetFile.empty()) PlayLevelSetAtOnce(*game, command.playSetFile);
  LoopControl control{command.frames, command.screenshots, command.dumpState};
  MainLoop(*game, EveryModeStep(), control);
  return 0;
}
