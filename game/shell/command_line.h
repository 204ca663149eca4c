// The game's command line: options for the window, the headless runner, scripted input and state dumps.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "content/generated_sets.h"
#include "platform/platform.h"
#include "shell/main_loop.h"

struct CommandLine {
  std::filesystem::path root;  // empty = the folder of the executable
  PlatformOptions platform;
  std::int64_t frames = -1;
  std::int32_t step = 16;
  std::optional<std::uint32_t> seed;
  std::filesystem::path input;
  std::filesystem::path dumpState;
  std::vector<Screenshot> screenshots;
  std::filesystem::path playSetFile;  // --play SETFILE (or "endless", "daily")
  bool noCapsules = false;
  bool untilGameEnds = false;         // --until-game-ends
  std::filesystem::path recordFile;   // --record FILE: the next game
  std::filesystem::path recordFolder; // --record-dir DIR: every game
  std::filesystem::path replayFile;   // --replay FILE
  std::filesystem::path verifyFile;   // --verify FILE
  std::filesystem::path settingsFile; // --settings FILE
  std::optional<std::int32_t> gameSpeed;  // --game-speed PERCENT
  std::optional<CalendarDate> today;  // --date DATE
  bool help = false;
  bool version = false;
};

// Parses argv[1..]; on failure `error` says which option is wrong, or which two do not go together.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);
// The --help text.
std::string UsageText();
