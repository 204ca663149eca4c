// The frame loop: frame timing, fades, mode dispatch, presentation, and the shut-down.
#include "shell/main_loop.h"

#include <algorithm>
#include <iostream>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/tape.h"
#include "shell/fades.h"
#include "shell/recording.h"
#include "shell/state_dump.h"
#include "shell/watch.h"

namespace {

constexpr std::int32_t MaxFrameStep = 50;
constexpr std::int16_t FastFramesBeforeThrottle = 50;
constexpr int ThrottlePumpPasses = 501;

void Run(void (*step)(Game&), Game& game) {
  if (step) step(game);
}

// First match only; the front-end, intro and play frames end with the lost-display check.
void DispatchMode(Game& game, const ModeSteps& steps) {
  const GameState& s = game.state;
  if (!s.frontEndReady) {
    Run(steps.setUpFrontEnd, game);
  } else if (s.inFrontEnd) {
    Run(steps.frontEndFrame, game);
    LostDisplayCheck(game);
  } else if (!s.gameLoaded) {
    Run(steps.startGame, game);
  } else if (s.levelIntro) {
    Run(steps.introFrame, game);
    LostDisplayCheck(game);
  } else if (s.playing) {
    Run(steps.playFrame, game);
    LostDisplayCheck(game);
  }
}

void TakeDueScreenshots(Game& game, LoopControl& control) {
  for (Screenshot& shot : control.screenshots) {
    if (shot.taken || Now(game) < shot.tick) continue;
    shot.taken = true;
    std::string error;
    if (!SaveScreenshot(game.platform, shot.file, error)) std::cerr << "shardfall: screenshot: " << error << '\n';
  }
}

void WriteDumpIfAsked(const Game& game, const LoopControl& control) {
  if (control.dumpState.empty()) return;
  std::string error;
  if (!WriteStateDump(game, control.dumpState, error)) std::cerr << "shardfall: dump-state: " << error << '\n';
}

}  // namespace

void MeasureFrameStep(Game& game, FrameTimer& timer) {
  GameState& s = game.state;
  // Modulo 2^32, as the clock itself wraps after 2^31 ms: the time since the last frame, never an overflow.
  const auto elapsed = static_cast<std::uint32_t>(Now(game)) - static_cast<std::uint32_t>(s.lastTick);
  s.frameStep = static_cast<std::int32_t>(elapsed);
  s.lastTick = Now(game);
  if (s.speedOverride > 0) s.frameStep = s.speedOverride;
  if (s.frameStep > MaxFrameStep) s.frameStep = MaxFrameStep;
  if (s.frameStep < 1 && !timer.slowMachineThrottle) ++timer.fastFrameCount;
  if (timer.fastFrameCount >= FastFramesBeforeThrottle) timer.slowMachineThrottle = true;
}

void RunFrame(Game& game, const ModeSteps& steps, FrameTimer& timer) {
  GameState& s = game.state;
  BeginWatchIfAsked(game);
  BeginGameIfStarting(game);
  AdvanceGameClock(game.platform, game.clock, RecordedStep::Kind::Frame);
  game.platform.idleWaitPasses = 0;
  MeasureFrameStep(game, timer);
  ClearBackBuffer(game.platform, 0);
  if (s.fadingOut) FadeOutStep(game);
  if (s.musicFadingOut) MusicFadeOutStep(game);
  if (timer.slowMachineThrottle)
    for (int pass = 0; pass < ThrottlePumpPasses; ++pass) PumpMessages(game.platform);
  DispatchMode(game, steps);
  HoldPointer(game.platform, s.frontEndReady && !s.inFrontEnd && s.gameLoaded && !s.paused);
  FlipScreen(game.platform);
  if (s.fadingIn) FadeInStep(game);
  if (s.musicFadingIn) MusicFadeInStep(game);
  PumpMessages(game.platform);
  EndGameIfOver(game);
  EndWatchIfOver(game);
}

void BeginFrames(Game& game) {
  GameState& s = game.state;
  s.running = true;
  s.lastTick = Now(game);
  s.screenFade = -99;
  if (s.gammaAvailable) ApplyGamma(game.platform, -99, -99, -99);
}

void MainLoop(Game& game, const ModeSteps& steps, LoopControl& control) {
  GameState& s = game.state;
  FrameTimer timer;
  BeginFrames(game);
  for (std::int64_t frame = 0; s.running; ++frame) {
    if (control.maxFrames >= 0 && frame >= control.maxFrames) break;
    RunFrame(game, steps, timer);
    TakeDueScreenshots(game, control);
    if (game.platform.quitRequested) s.running = false;
    // As a frame limit would: the state stays as the last frame left it, for the dump.
    if (ReplayOver(game.platform) || (control.endWithGame && game.recorder.gameEnded)) break;
  }
  FinishRecording(game);
  WriteDumpIfAsked(game, control);
  ShutDown(game);
}

void LostDisplayCheck(Game& game) {
  if (CheckDisplayLost(game.platform)) ReloadAllImages(game.platform);
}

void RememberWindow(Game& game) {
  const std::optional<WindowPlace> place = game.platform.window->Place();
  if (!place || IsReplaying(game.platform)) return;  // watching a replay writes nothing
  Settings& settings = game.settings;
  const Settings before = settings;
  // A place left of or above the first display is not one the file can hold: the next start centres the window.
  settings.windowX = place->x < 0 || place->y < 0 ? -1 : place->x;
  settings.windowY = place->x < 0 || place->y < 0 ? -1 : place->y;
  settings.windowWidth = std::clamp(place->width, 0, 16384);
  settings.windowHeight = std::clamp(place->height, 0, 16384);
  // A run told to open a window keeps the full-screen choice, unless the player went full screen in it.
  if (place->fullScreen || !game.platform.options.windowed) settings.fullScreen = place->fullScreen ? 1 : 0;
  if (settings != before) SaveSettings(game);
}

void ShutDown(Game& game) {
  RememberWindow(game);
  ShutDownPlatform(game.platform);
}
