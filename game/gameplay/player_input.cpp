// The play input step: steering by keys and stick, pause and Esc keys, hidden chords, buttons and the autopilot.
#include "gameplay/player_input.h"

#include <algorithm>

#include "core/game.h"
#include "core/game_input.h"
#include "gameplay/physics.h"
#include "gameplay/shots.h"
#include "platform/dik_codes.h"

namespace {

bool ChordDown(const Game& game, int first, int second) { return KeyDown(game, first) && KeyDown(game, second); }

// The arrow keys and the stick steer the paddles as the mouse does, at the Mouse Speed option: an arrow key just
// pressed moves them as a mouse moving KeyStartCounts counts at each read, rising to KeyTopCounts once held for
// KeyRampMs; the stick tilted all the way, as StickTopCounts.
constexpr float KeyStartCounts = 3.0f;
constexpr float KeyTopCounts = 10.0f;
constexpr float KeyRampMs = 400.0f;
constexpr float StickTopCounts = 10.0f;

struct SteerAxis {
  int lessKey;
  int moreKey;
  float GameState::*pointer;
  float limit;
  float (*stickTilt)(const Game& game);
};

// x moves the bottom and top paddles, y the side ones.
constexpr SteerAxis SteerAxes[] = {
    {DIK_LEFT, DIK_RIGHT, &GameState::pointerX, ScreenWidth, StickTiltX},
    {DIK_UP, DIK_DOWN, &GameState::pointerY, ScreenHeight, StickTiltY},
};

// The signed counts the axis's arrow keys stand for at this read; a new hold, or a change of way, starts slow.
float ArrowCounts(Game& game, int axis) {
  const SteerAxis& steer = SteerAxes[axis];
  GameWorld& world = game.world;
  const int direction = (KeyDown(game, steer.moreKey) ? 1 : 0) - (KeyDown(game, steer.lessKey) ? 1 : 0);
  if (direction != world.arrowDirection[axis]) world.arrowHeldMs[axis] = 0.0f;
  world.arrowDirection[axis] = direction;
  if (direction == 0) return 0.0f;
  const float ramp = std::min(world.arrowHeldMs[axis] / KeyRampMs, 1.0f);
  world.arrowHeldMs[axis] += static_cast<float>(game.state.frameStep);
  return static_cast<float>(direction) * (KeyStartCounts + (KeyTopCounts - KeyStartCounts) * ramp);
}

void SteerWithKeysAndStick(Game& game) {
  GameState& state = game.state;
  for (int axis = 0; axis < 2; ++axis) {
    const SteerAxis& steer = SteerAxes[axis];
    const float counts = ArrowCounts(game, axis) + StickTopCounts * steer.stickTilt(game);
    if (counts == 0.0f) continue;
    float& pointer = state.*steer.pointer;
    const float move = game.options.mouseSpeed * counts * static_cast<float>(state.frameStep);
    pointer = std::clamp(pointer + move, 0.0f, steer.limit);
  }
}

// Catch releases every held ball; Laser fires a pair from each guarded paddle every 300 ms.
void ButtonAction(Game& game) {
  GameWorld& world = game.world;
  if (world.powerMode == PowerMode::Catch) {
    for (Ball& ball : world.balls)
      if (ball.active && ball.holdOffset > NotHeld) ball.holdOffset = NotHeld;
  } else if (world.powerMode == PowerMode::Laser) {
    auto now = static_cast<float>(PlayNow(game));
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
  if (!state.paused) SteerWithKeysAndStick(game);  // the pause puts the paddles back where they were anyway
  if (KeyDown(game, DIK_SPACE) || KeyDown(game, DIK_LCONTROL)) state.leftButton = true;
  auto now = static_cast<float>(Now(game));
  if (KeyDown(game, DIK_P) && state.playing && now >= world.nextPauseToggle) {
    state.paused = !state.paused;
    world.nextPauseToggle = now + 500.0f;
  }
  // Another window took the keyboard: play waits, paused, until P.
  if (!game.platform.input.focused && state.playing) state.paused = true;
  if (KeyDown(game, DIK_ESCAPE) && !world.leaveAsked) {
    state.paused = false;
    if (ConfirmsLeave(game)) world.leaveAsked = true;
    else state.quitToFrontEnd = true;
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
