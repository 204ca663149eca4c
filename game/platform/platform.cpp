// Start-up, shut-down and message pumping of the platform layer (being built).
#include "platform/platform.h"

#include "shell/game.h"

void InitPlatform(Game&) {}
void ShutDownPlatform(Game&) {}
void PumpMessages(Game&) {}
bool WaitingLoopPass(Game& game) { return !game.platform.quitRequested; }
