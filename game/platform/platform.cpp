// Start-up, shut-down, message pumping and waiting loops of the platform layer.
#include "platform/platform.h"

#include <csignal>
#include <cstdlib>
#include <ctime>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/tape.h"

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void OnSignal(int) { signalled = 1; }

void WriteFrameStats(const FrameStats& stats) {
  if (stats.file.empty()) return;
  std::string text;
  for (const std::int64_t frame : stats.frames) text += std::to_string(frame / 2) + (frame % 2 ? " 1\n" : " 0\n");
  std::string error;
  WriteFileAtomically(stats.file, Bytes(text.begin(), text.end()), error);
}

}  // namespace

void NoteFrame(FrameStats& stats, bool shown) {
  constexpr std::size_t MostFrames = 1 << 18;  // over an hour at 60 Hz
  if (stats.file.empty() || stats.frames.size() >= MostFrames) return;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  stats.frames.push_back((static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec) * 2 + (shown ? 1 : 0));
}

void InitPlatform(Platform& platform) {
  // SIGINT/SIGTERM end the loop like closing the window.
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  if (const char* file = std::getenv("SHARDFALL_FRAME_STATS")) platform.frameStats.file = file;
  InitDisplay(platform);
  InitInput(platform);
  InitSound(platform);
  InitMusic(platform);
}

void ShutDownPlatform(Platform& platform) {
  ReleaseSound(platform);
  ReleaseMusic(platform);
  ReleaseInput(platform);
  ReleaseDisplay(platform);
  if (!platform.options.headless) CloseDeviceLibrary();
  WriteFrameStats(platform.frameStats);
}

void ReleaseModeAssets(Platform& platform, bool& musicOn) {
  for (std::size_t slot = 0; slot < platform.sound.soundTable.size(); ++slot)
    FreeSound(platform, static_cast<int>(slot));
  StopSong(platform, musicOn);
  ReleaseAllImages(platform);
}

void ApplyDisplaySettings(Platform& platform, bool fullScreen, bool fill) {
  platform.options.fill = fill;
  platform.window->ShowAs(fullScreen, fill);
}

void RequestQuit(Platform& platform) {
  if (platform.quitRequested) return;
  platform.quitRequested = true;
  KeepStep(platform, {RecordedStep::Kind::Quit, 0, {}});
}

bool PumpWindowEvents(Platform& platform) {
  bool closed = false;
  platform.window->PumpEvents(closed);
  return closed || signalled;
}

void PumpMessages(Platform& platform) {
  if (PumpWindowEvents(platform)) {
    if (IsReplaying(platform)) platform.tape.viewer.stopped = true;
    RequestQuit(platform);
  } else if (TakeQuitStep(platform)) {
    RequestQuit(platform);
  }
}

bool IdlePass(Platform& platform) {
  PumpMessages(platform);
  NoteFrame(platform.frameStats, platform.window->PresentIfStale(platform.display));
  if (platform.quitRequested) return false;
  platform.window->WaitForRefresh();
  return true;
}

bool WaitingLoopPass(Platform& platform, Clock& clock) {
  PumpMessages(platform);
  NoteFrame(platform.frameStats, platform.window->PresentIfStale(platform.display));
  // Without a window only the script can end a wait. Once it has nothing left, a second pass in the same wait
  // means the wait is over for good (the first may be the one right after the event that ended it). A replay
  // ends its waits as the recording says.
  if (platform.options.headless && !IsReplaying(platform) && !ScriptHasPendingEvents(platform) &&
      ++platform.idleWaitPasses > 1)
    RequestQuit(platform);
  if (platform.quitRequested) return false;
  AdvanceGameClock(platform, clock, RecordedStep::Kind::Wait);
  if (!clock.isVirtual && !IsReplaying(platform)) platform.window->WaitForRefresh();
  return true;
}
