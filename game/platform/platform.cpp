// Start-up, shut-down, message pumping and waiting loops of the platform layer.
#include "platform/platform.h"

#include <csignal>
#include <thread>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sdl_devices.h"
#include "platform/sound.h"
#include "shell/game.h"

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void OnSignal(int) { signalled = 1; }

void ToggleFullScreen(VideoDevice& video) {
  bool full = (SDL_GetWindowFlags(video.window) & SDL_WINDOW_FULLSCREEN) != 0;
  SDL_SetWindowFullscreen(video.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace

void InitPlatform(Game& game) {
  // SIGINT/SIGTERM end the loop like closing the window; SDL must not take them over.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  InitDisplay(game);
  InitInput(game);
  game.state.pointerX = game.state.pointerY = 0;
  game.state.leftButton = game.state.rightButton = false;
  InitSound(game);
  InitMusic(game);
}

void ShutDownPlatform(Game& game) {
  ReleaseSound(game);
  ReleaseMusic(game);
  ReleaseInput(game);
  ReleaseDisplay(game);
  if (!game.platform.options.headless) SDL_Quit();
}

void PumpMessages(Game& game) {
  if (signalled) game.platform.quitRequested = true;
  VideoDevice* video = game.platform.display.video.get();
  if (!video) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) game.platform.quitRequested = true;
    bool altEnter = event.type == SDL_KEYDOWN && !event.key.repeat &&
                    event.key.keysym.scancode == SDL_SCANCODE_RETURN && (event.key.keysym.mod & KMOD_ALT);
    if (altEnter) ToggleFullScreen(*video);
  }
}

bool WaitingLoopPass(Game& game) {
  PumpMessages(game);
  PresentIfRampChanged(game);
  Platform& platform = game.platform;
  // Without a window only the script can end a wait. Once it has nothing left, a second pass in the same wait
  // means the wait is over for good (the first may be the one right after the event that ended it).
  if (platform.options.headless && !ScriptHasPendingEvents(game) && ++platform.idleWaitPasses > 1)
    platform.quitRequested = true;
  if (platform.quitRequested) return false;
  if (game.clock.isVirtual) AdvanceVirtualClock(game.clock);
  else std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}
