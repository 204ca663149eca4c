// The game's entry point: command line, start-up, the frame loop.
#include <iostream>
#include <memory>
#include <utility>

#include "content/level_set_file.h"
#include "content/version.h"
#include "core/game.h"
#include "proof/level_maker.h"
#include "shell/command_line.h"
#include "shell/game_start.h"
#include "shell/main_loop.h"
#include "shell/recording.h"
#include "shell/start_up.h"
#include "shell/verify.h"

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

// --play endless, --play daily: a generated set instead of a file (the Daily Challenge of --date, else of today).
bool ResolveGeneratedPlay(const CommandLine& command, std::optional<GeneratedSet>& set, std::string& error) {
  const std::string word = command.playSetFile.string();
  if (word == "endless") set = GeneratedSet{GeneratedKind::Endless, 0, {}};
  if (word != "daily") return true;
  const std::optional<CalendarDate> today = command.today ? command.today : LocalDateToday();
  if (!today || !IsPlayableDailyDate(*today)) {
    error = "--play daily: " + DailyDateProblem(today);
    return false;
  }
  set = DailySet(*today);
  return true;
}

// A replay that ended elsewhere than its recording fails; a --record that met no game says so.
int ReportRecordings(const Game& game, const CommandLine& command) {
  const std::string elsewhere = ReplayEndProblem(game);
  if (!elsewhere.empty()) {
    std::cerr << "shardfall: " << command.replayFile.string() << ": " << elsewhere << "\n";
    return 1;
  }
  if (!game.recorder.nextGameFile.empty())
    std::cerr << "shardfall: --record " << command.recordFile.string() << ": no game was played, nothing recorded\n";
  return 0;
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
  if (command.version) {
    std::cout << "shardfall " << ShardfallVersion() << "\n";
    return 0;
  }
  StartSettings settings;
  settings.platform = command.platform;
  settings.step = command.step;
  settings.seed = command.seed;
  settings.inputScript = command.input;
  settings.recordFile = command.recordFile;
  settings.levelMaker = MakeProvenLevel;
  settings.recordFolder = command.recordFolder;
  settings.settingsFile = command.settingsFile;
  settings.gameSpeed = command.gameSpeed;
  // Everything a replay or a recording needs is checked before a window opens.
  Recording replay;
  std::optional<GeneratedSet> generated;
  if (!LocateData(command, argv[0], settings.folders, error) || !ResolveGeneratedPlay(command, generated, error)) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  if (!command.verifyFile.empty()) return RunVerify(settings.folders, MakeProvenLevel, command.verifyFile);
  if ((!command.playSetFile.empty() && !generated && !ResolvePlaySet(settings.folders, command.playSetFile, error)) ||
      (!command.replayFile.empty() && !PrepareReplay(settings.folders, command.replayFile, replay, error)) ||
      !CheckRecordingTargets(command.recordFile, command.recordFolder, error)) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  if (!command.replayFile.empty()) settings.replay = std::move(replay);
  auto game = std::make_unique<Game>();
  if (!StartUp(*game, std::move(settings), error)) {
    std::cerr << "shardfall: " << error << "\n";
    return 2;
  }
  game->capsulesOff = command.noCapsules;
  game->today = command.today;
  if (generated) PlayGeneratedSetAtOnce(*game, *generated);
  else if (!command.playSetFile.empty()) PlayLevelSetAtOnce(*game, command.playSetFile);
  LoopControl control{command.frames, command.screenshots, command.dumpState, command.untilGameEnds};
  MainLoop(*game, EveryModeStep(), control);
  return ReportRecordings(*game, command);
}
