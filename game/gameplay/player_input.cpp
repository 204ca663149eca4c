// The play input step: pause and Esc keys, hidden chords, mouse buttons and the autopilot.
#include "gameplay/player_input.h"

#include <algorithm>

#include "core/game.h"
#include "core/game_input.h"
#include "gameplay/physics.h"
#include "gameplay/shots.h"
#include "platform/dik_codes.h"

namespace {

bool ChordDown(const Game& game, int first, int second) { return KeyDown(game, first) && KeyDown(game, second); }

// Catch releases every held ball; Laser fires a pair from each guarded paddle every 300 ms.
void ButtonAction(Game& game) {
  GameWorld& world = game.world;
  if (world.powerMode == PowerMode::Catch) {
    for (Ball& ball : world.balls)
      if (ball.active && ball.holdOffset > NotHeld) ball.holdOffset = NotHeld;
  } else if (world.powerMode == PowerMode::Laser) {
    auto now = static_cast<float>(Now(game));
    if (now >= world.nextLaserShot) {
      world.nextLaserShot = now + 300.0f;
      FireLasers(game);
    }
  }
}

}  // namespace

void ReadPlayerInput(Game& game) {
  GameState& state = game.state;
  GameWorld& world = game.world;
  ReadKeyboard(game);
  auto now = static_cast<float>(Now(game));
  if (KeyDown(game, DIK_P) && state.playing && now >= world.nextPauseToggle) {
    state.paused = !state.paused;
    world.nextPauseToggle = now + 500.0f;
  }
  if (KeyDown(game, DIK_ESCAPE)) {
    state.quitToFrontEnd = true;
    state.paused = false;
  }
  if (ChordDown(game, DIK_A, DIK_I)) {
    world.autopilot = !world.autopilot;
    if (world.autopilot) ChooseAutopilotOffsets(game);
  }
  if (ChordDown(game, DIK_S, DIK_B)) SplitBalls(game, MirrorOffVertical);
  if (ChordDown(game, DIK_D, DIK_Y)) world.powerMode = PowerMode::Dyna;
  if (state.leftButton || state.rightButton) ButtonAction(game);
  if (world.autopilot) {
    state.pointerX = world.balls[0].x - world.autopilotOffsetX;
    state.pointerY = world.balls[0].y - world.autopilotOffsetY;
  }
}

namespace {

// The landing point is kept 10 pixels inside the paddle: the paddle follows where ball 0 is, but the hit test
// looks one step ahead, so a point at the very end would let a ball moving that way slip past.
float LandingOffset(Game& game, float position) {
  float length = game.world.paddleLength;
  float r = RandomBetween(game, position - length, position, false);
  if (r < 0.0f) r = 0.0f;
  return std::clamp(position - r, 0.0f, std::max(0.0f, length - 10.0f));
}

}  // namespace

void ChooseAutopilotOffsets(Game& game) {
  GameWorld& world = game.world;
  world.autopilotOffsetX = LandingOffset(game, world.balls[0].x);
  world.autopilotOffsetY = LandingOffset(game, world.balls[0].y);
}
