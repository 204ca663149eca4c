// The frame loop (being built).
#include "shell/main_loop.h"

#include "shell/game.h"

void MainLoop(Game&, const ModeSteps&, LoopControl&) {}
void MeasureFrameStep(Game&, FrameTimer&) {}
void RequestFadeOut(Game& game) {
  game.state.fadingOut = true;
  game.state.musicFadingOut = true;
  game.state.fadingIn = false;
}
bool FadesEnded(const Game& game) { return game.state.screenFade == -99.0f && game.state.musicFade == 0.0f; }
void LostDisplayCheck(Game&) {}
void ShutDown(Game&) {}
