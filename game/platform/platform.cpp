// Start-up, shut-down, message pumping and waiting loops of the platform layer.
#include "platform/platform.h"

#include <csignal>
#include <thread>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/tape.h"

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void OnSignal(int) { signalled = 1; }

}  // namespace

void InitPlatform(Platform& platform) {
  // SIGINT/SIGTERM end the loop like closing the window.
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
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
}

void ReleaseModeAssets(Platform& platform, bool& musicOn) {
  for (std::size_t slot = 0; slot < platform.sound.soundTable.size(); ++slot)
    FreeSound(platform, static_cast<int>(slot));
  StopSong(platform, musicOn);
  ReleaseAllImages(platform);
}

void RequestQuit(Platform& platform) {
  if (platform.quitRequested) return;
  platform.quitRequested = true;
  KeepStep(platform, {RecordedStep::Kind::Quit, 0, {}});
}

void PumpMessages(Platform& platform) {
  bool closed = false;
  platform.window->PumpEvents(closed);
  if (closed || signalled || TakeQuitStep(platform)) RequestQuit(platform);
}

bool IdlePass(Platform& platform) {
  PumpMessages(platform);
  platform.window->PresentIfRampChanged(platform.display);
  if (platform.quitRequested) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}

bool WaitingLoopPass(Platform& platform, Clock& clock) {
  PumpMessages(platform);
  platform.window->PresentIfRampChanged(platform.display);
  // Without a window only the script can end a wait. Once it has nothing left, a second pass in the same wait
  // means the wait is over for good (the first may be the one right after the event that ended it). A replay
  // ends its waits as the recording says.
  if (platform.options.headless && !IsReplaying(platform) && !ScriptHasPendingEvents(platform) &&
      ++platform.idleWaitPasses > 1)
    RequestQuit(platform);
  if (platform.quitRequested) return false;
  AdvanceGameClock(platform, clock, RecordedStep::Kind::Wait);
  if (!clock.isVirtual) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}
