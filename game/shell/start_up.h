// The one way a game starts: data folders, devices or none, clock, seed, scripted input, recordings and replays,
// and mode steps.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "content/data_folders.h"
#include "content/recording_file.h"
#include "core/generated_run.h"
#include "platform/platform.h"
#include "shell/mode_steps.h"

struct Game;

struct StartSettings {
  DataFolders folders;
  PlatformOptions platform;            // headless: no devices and a virtual clock that starts at 0
  std::int32_t step = 16;              // virtual milliseconds per frame and per waiting pass
  std::optional<std::uint32_t> seed;   // reproducible random numbers
  std::filesystem::path inputScript;   // scripted input, one event a line
  bool scriptedDevices = false;        // keys and mouse come from the script's state, set by the caller
  std::filesystem::path recordFile;    // the next game is recorded into it
  std::filesystem::path recordFolder;  // every game is recorded into it
  std::optional<Recording> replay;     // a recorded game, checked, played back instead of reading any device
  // The settings file read and saved: empty means the player's settings.ini, except in a headless run, which
  // keeps the defaults unless it is given one.
  std::filesystem::path settingsFile;
  std::optional<std::int32_t> gameSpeed;  // the pace of the games started, in place of the settings' for this run
  LevelMaker levelMaker = nullptr;     // makes the levels of Endless and the Daily Challenge; none: no such game
};

// Sets the game up and starts its platform. False with `error` set when the input script cannot be read; the
// platform is then not started.
bool StartUp(Game& game, StartSettings settings, std::string& error);
// Each mode's step, as the areas provide them.
ModeSteps EveryModeStep();
