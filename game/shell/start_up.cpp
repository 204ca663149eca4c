// Starting the platform for a game.
#include "shell/start_up.h"

#include "core/game.h"

void StartPlatform(Game& game) {
  InitPlatform(game.platform);
  GameState& state = game.state;
  state.gammaAvailable = !game.platform.options.noGamma;
  state.pointerX = state.pointerY = 0;
  state.leftButton = state.rightButton = false;
  state.soundOn = true;
}
