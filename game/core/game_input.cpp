// The game's reading of the keyboard and mouse into GameState.
#include "core/game_input.h"

#include "core/game.h"
#include "platform/input.h"

namespace {

float Clamped(float v, float high) { return v < 0 ? 0 : (v > high ? high : v); }

}  // namespace

void ReadKeyboard(Game& game) {
  ReadKeyboardDevice(game.platform, game.clock);
  ReadMouse(game);
}

void ReadMouse(Game& game) {
  if (!ReadMouseDevice(game.platform, game.clock)) return;
  const MouseState& mouse = game.platform.input.mouseState;
  GameState& s = game.state;
  float scale = game.options.mouseSpeed * static_cast<float>(s.frameStep);
  s.pointerX = Clamped(s.pointerX + scale * static_cast<float>(mouse.x), ScreenWidth);
  s.pointerY = Clamped(s.pointerY + scale * static_cast<float>(mouse.y), ScreenHeight);
  s.leftButton = mouse.buttons[0] != 0;
  s.rightButton = mouse.buttons[1] != 0;
}

bool KeyDown(const Game& game, int scanCode) { return game.platform.input.keyPressed[scanCode]; }
