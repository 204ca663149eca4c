// The frame loop: frame timing, fades, mode dispatch, presentation, and the shut-down.
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "shell/mode_steps.h"

struct Game;

// A picture to save at the first frame whose clock reaches tick.
struct Screenshot {
  std::int32_t tick = 0;
  std::filesystem::path file;
  bool taken = false;
};

// What bounds and records a run (from the command line).
struct LoopControl {
  std::int64_t maxFrames = -1;  // stop after this many frames; -1 = until running is false
  std::vector<Screenshot> screenshots;
  std::filesystem::path dumpState;  // written at the end of the loop, before the shut-down
  bool endWithGame = false;          // stop after the frame in which the first game hands back
};

// The loop's own values, kept for the whole run.
struct FrameTimer {
  std::int16_t fastFrameCount = 0;
  bool slowMachineThrottle = false;
};

// The loop's start: running, the frame clock's first tick, and a black screen.
void BeginFrames(Game& game);
// Runs frames until running is false (or the frame limit, a quit request, the end of a replay or of the game
// asked for), writes the recording and the dump, then ShutDown.
void MainLoop(Game& game, const ModeSteps& steps, LoopControl& control);
// One pass of the loop: a game's start, timing, clearing, fade-outs, dispatch, flip, fade-ins, one message-pump
// pass, a game's end.
void RunFrame(Game& game, const ModeSteps& steps, FrameTimer& timer);
// Frame timing: frameStep from the tick count, speedOverride, the cap of 50, and the fast-frame count.
void MeasureFrameStep(Game& game, FrameTimer& timer);
// Lost-display check at the end of the front-end, intro and play frames (the loop runs it after those steps).
void LostDisplayCheck(Game& game);
void ShutDown(Game& game);
// The window's place and whether it is full screen go into the settings file when they changed.
void RememberWindow(Game& game);
