// Ball and paddle physics.
#include "gameplay/physics.h"

#include <algorithm>
#include <cmath>

#include "gameplay/bricks.h"
#include "gameplay/player_input.h"
#include "gameplay/sounds.h"
#include "platform/display.h"
#include "shell/game.h"

namespace {

constexpr float BallSize = 10.0f;
constexpr float ProtectInset = 5.0f;

bool IsHeld(const GameWorld& world, const Ball& ball) {
  return ball.holdOffset > NotHeld && world.powerMode == PowerMode::Catch;
}

void Reflect(Game& game, Ball& ball, int mode) {
  ball.angle = ReflectAngle(ball.angle, mode);
  PlayGameSound(game, SoundId::HitWall);
}

void LoseBall(Game& game, Ball& ball) {
  ball.active = false;
  PlayGameSound(game, SoundId::LoseBall);
}

bool Protected(const Game& game) { return game.world.powerMode == PowerMode::Protect; }

// How far from a guarded corner the ends of its two paddles face each other.
constexpr float CornerReach = 48.0f;

// The bearing out of the guarded corner the ball's centre lies in, beside the paddle of `side`; -1 when none.
// By the bounce table alone the two paddle ends of such a corner return a ball to each other on every frame,
// for ever, and no movement of the paddles frees it without losing it.
float CornerExitDegrees(const Game& game, const Ball& ball, Side side) {
  const GameWorld& world = game.world;
  float cx = ball.x + BallSize / 2.0f, cy = ball.y + BallSize / 2.0f;
  bool nearRight = cx >= ScreenWidth - CornerReach, nearLeft = cx <= CornerReach;
  bool nearBottom = cy >= ScreenHeight - CornerReach, nearTop = cy <= CornerReach;
  bool horizontal = side == Bottom || side == Top;
  bool low = horizontal ? side == Bottom : nearBottom && IsGuarded(world, Bottom);
  bool high = horizontal ? side == Top : nearTop && IsGuarded(world, Top);
  bool right = horizontal ? nearRight && IsGuarded(world, Right) : side == Right;
  bool left = horizontal ? nearLeft && IsGuarded(world, Left) : side == Left;
  if (low && right) return 315.0f;
  if (low && left) return 45.0f;
  if (high && right) return 225.0f;
  if (high && left) return 135.0f;
  return -1.0f;
}

// Leaving through a guarded side loses the ball unless Protect holds it; otherwise the edge is a wall.
void LeaveOrBounce(Game& game, Ball& ball, Side side, float& coordinate, float wallValue, int mode) {
  if (IsGuarded(game.world, side) && !Protected(game)) {
    LoseBall(game, ball);
    return;
  }
  coordinate = wallValue;
  Reflect(game, ball, mode);
}

// The free move of one axis step, or the Protect wall's push-back when the ball is already inside it.
void FreeMove(Game& game, Ball& ball, float& coordinate, float next, bool insideWall, float wallValue, int mode) {
  if (insideWall && Protected(game)) {
    coordinate = wallValue;
    Reflect(game, ball, mode);
  } else {
    coordinate = next;
  }
}

// With no paddle to turn it and nothing it can break in its way, a ball among indestructible bricks may circle
// the same walls for ever at the same four bearings. After a while without meeting a paddle or scoring it is
// turned a little, and again after as long, until it finds its way out.
constexpr float CirclingMs = 10000.0f;
constexpr float CirclingTurnDegrees = 7.0f;

void KeepFromCirclingForEver(Game& game, Ball& ball, bool scored) {
  ball.msWithoutEffect = scored ? 0.0f : ball.msWithoutEffect + static_cast<float>(game.state.frameStep);
  if (ball.msWithoutEffect < CirclingMs) return;
  ball.msWithoutEffect = 0.0f;
  ball.angle = DegToRad(std::fmod(RadToDeg(ball.angle) + CirclingTurnDegrees, 360.0f));
}

bool IsBrickAt(const GameWorld& world, int column, int row) {
  std::int32_t tile = world.brickGrid[column][row];
  return tile != 0 && TileOf(world, tile).kind > 0;
}

// In a gap one row high between bricks, or a notch where two overlap, the ball strikes the rows above and below
// by turns, and the sideways probe, which looks a step ahead into those rows, holds every sideways step back: the
// ball would stay there for ever. There the sideways step looks only at the ball's own row.
bool InGapOneRowHigh(const GameWorld& world, const Ball& ball) {
  int row = CellOf(ball.y, Axis::Vertical);
  if (row != CellOf(ball.y + BallSize - 1.0f, Axis::Vertical) || row <= 1 || row >= PlayRows) return false;
  bool above = false, below = false;
  for (int c = CellOf(ball.x, Axis::Horizontal); c <= CellOf(ball.x + BallSize - 1.0f, Axis::Horizontal); ++c) {
    above = above || IsBrickAt(world, c, row - 1);
    below = below || IsBrickAt(world, c, row + 1);
  }
  return above && below;
}

ProbeResult SideProbe(Game& game, int i, Direction direction, RowMemory& rows, float leadingEdge) {
  ProbeResult result = ProbeBricks(game, i, direction, rows);
  Ball& ball = game.world.balls[i];
  if (result != ProbeResult::Blocked || !InGapOneRowHigh(game.world, ball)) return result;
  int column = CellOf(leadingEdge, Axis::Horizontal);
  int row = CellOf(ball.y, Axis::Vertical);
  if (!IsBrickAt(game.world, column, row)) return ProbeResult::NoBrick;
  ball.angle = ReflectAngle(ball.angle, 1);
  HitBrick(game, column, row);
  return ProbeResult::Hit;
}

bool StepUp(Game& game, int i, RowMemory& rows) {
  Ball& ball = game.world.balls[i];
  float ny = NextBallPosition(game, i, Axis::Vertical);
  if (ny < 0.0f) {
    LeaveOrBounce(game, ball, Top, ball.y, 0.0f, 0);
    return false;
  }
  ProbeResult result = ProbeBricks(game, i, Direction::Up, rows);
  if (result == ProbeResult::NoBrick) FreeMove(game, ball, ball.y, ny, ball.y < ProtectInset, ProtectInset, 0);
  if (IsGuarded(game.world, Top)) CheckPaddleHit(game, i, Top);
  return result == ProbeResult::Blocked;
}

bool StepDown(Game& game, int i, RowMemory& rows) {
  Ball& ball = game.world.balls[i];
  float ny = NextBallPosition(game, i, Axis::Vertical);
  if (ny + BallSize > ScreenHeight) {
    LeaveOrBounce(game, ball, Bottom, ball.y, ScreenHeight - BallSize, 0);
    return false;
  }
  ProbeResult result = ProbeBricks(game, i, Direction::Down, rows);
  if (result == ProbeResult::NoBrick)
    FreeMove(game, ball, ball.y, ny, ball.y > ScreenHeight - BallSize - ProtectInset,
             ScreenHeight - BallSize - ProtectInset, 0);
  if (IsGuarded(game.world, Bottom)) CheckPaddleHit(game, i, Bottom);
  return result == ProbeResult::Blocked;
}

bool StepLeft(Game& game, int i, RowMemory& rows) {
  Ball& ball = game.world.balls[i];
  float nx = NextBallPosition(game, i, Axis::Horizontal);
  if (nx < 0.0f) {
    LeaveOrBounce(game, ball, Left, ball.x, 0.0f, 1);
    return false;
  }
  ProbeResult result = SideProbe(game, i, Direction::Left, rows, nx - 1.0f);
  if (result == ProbeResult::NoBrick) FreeMove(game, ball, ball.x, nx, ball.x < ProtectInset, ProtectInset, 1);
  if (IsGuarded(game.world, Left)) CheckPaddleHit(game, i, Left);
  return result == ProbeResult::Blocked;
}

bool StepRight(Game& game, int i, RowMemory& rows) {
  Ball& ball = game.world.balls[i];
  float nx = NextBallPosition(game, i, Axis::Horizontal);
  if (nx + BallSize > ScreenWidth) {
    LeaveOrBounce(game, ball, Right, ball.x, ScreenWidth - BallSize, 1);
    return false;
  }
  ProbeResult result = SideProbe(game, i, Direction::Right, rows, nx + BallSize - 1.0f);
  if (result == ProbeResult::NoBrick)
    FreeMove(game, ball, ball.x, nx, ball.x > ScreenWidth - BallSize - ProtectInset,
             ScreenWidth - BallSize - ProtectInset, 1);
  if (IsGuarded(game.world, Right)) CheckPaddleHit(game, i, Right);
  return result == ProbeResult::Blocked;
}

bool Horizontal(Side side) { return side == Bottom || side == Top; }

// Where a ball rests on the paddle of a side: y for the horizontal paddles, x for the vertical ones.
float RestingPosition(Side side) {
  switch (side) {
    case Bottom: return 450.0f;
    case Top: return 20.0f;
    case Right: return 610.0f;
    default: return 20.0f;
  }
}

void DrawPaddle(Game& game, Side side, int half) {
  const GameWorld& world = game.world;
  auto h = static_cast<std::int16_t>(half);
  float x = game.state.pointerX;
  float y = game.state.pointerY;
  auto from = static_cast<std::int16_t>(LongestPaddle - half);
  if (Horizontal(side)) {
    float top = side == Bottom ? 460.0f : 10.0f;
    DrawImage(game, h, 10, h, 10, x, top, world.images.paddleImage, 0, 0);
    DrawImage(game, h, 10, h, 10, x + half - 1, top, world.images.paddleImage, from, 0);
  } else {
    float left = side == Right ? 620.0f : 10.0f;
    DrawImage(game, 10, h, 10, h, left, y, world.images.paddle2Image, 0, 0);
    DrawImage(game, 10, h, 10, h, left, y + half - 1, world.images.paddle2Image, 0, from);
  }
}

}  // namespace

void UpdateBallVelocities(Game& game) {
  for (Ball& ball : game.world.balls) {
    if (!ball.active) continue;
    ball.velocityUp = std::cos(ball.angle) * ball.speed;
    ball.velocityX = std::sin(ball.angle) * ball.speed;
  }
}

void AddBall(Game& game, float x, float y, float speed, float angleDegrees) {
  for (Ball& ball : game.world.balls) {
    if (ball.active) continue;
    ball.speed = speed;
    ball.angle = DegToRad(angleDegrees);
    ball.velocityUp = std::cos(ball.angle) * speed;
    ball.velocityX = std::sin(ball.angle) * speed;
    ball.x = x;
    ball.y = y;
    ball.holdOffset = NotHeld;
    ball.msWithoutEffect = 0.0f;
    ball.active = true;
    return;
  }
}

float LaunchAngleFor(Side side) {
  switch (side) {
    case Right: return 295.0f;
    case Top: return 205.0f;
    case Left: return 115.0f;
    default: return 25.0f;
  }
}

void PlaceBallOnPaddle(Game& game, int ballIndex) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  float middle = world.paddleLength / 2.0f - 5.0f;
  if (Horizontal(world.homeSide)) {
    ball.x = game.state.pointerX + middle;
    ball.y = RestingPosition(world.homeSide);
  } else {
    ball.x = RestingPosition(world.homeSide);
    ball.y = game.state.pointerY + middle;
  }
}

float NextBallPosition(Game& game, int ballIndex, Axis axis) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  if (IsHeld(world, ball)) {
    bool along = Horizontal(ball.holdSide) == (axis == Axis::Horizontal);
    if (!along) return RestingPosition(ball.holdSide);
    float start = axis == Axis::Horizontal ? game.state.pointerX : game.state.pointerY;
    if (start + ball.holdOffset > start + world.paddleLength) ball.holdOffset = world.paddleLength;
    return start + ball.holdOffset;
  }
  ball.holdOffset = NotHeld;
  auto step = static_cast<float>(game.state.frameStep);
  return axis == Axis::Horizontal ? ball.x + ball.velocityX * step : ball.y - ball.velocityUp * step;
}

std::int16_t CellOf(float value, Axis axis) {
  float extent = axis == Axis::Horizontal ? static_cast<float>(ScreenWidth) : static_cast<float>(ScreenHeight);
  float size = axis == Axis::Horizontal ? 32.0f : 16.0f;
  int last = axis == Axis::Horizontal ? PlayColumns : PlayRows;
  value = std::clamp(value, 0.0f, extent);
  int pixel = RoundToEven(value);
  if (pixel % static_cast<int>(size) == 0)
    return static_cast<std::int16_t>(std::min(RoundToEven(value / size + 1.0f), last));
  return static_cast<std::int16_t>(static_cast<int>(value / size) + 1);
}

void MoveBalls(Game& game) {
  GameWorld& world = game.world;
  RowMemory rows;
  for (int i = 0; i < BallSlots; ++i) {
    Ball& ball = world.balls[i];
    if (!ball.active) continue;
    if (IsHeld(world, ball)) {
      // A held ball only rides its paddle: it takes no wall, brick or paddle test.
      ball.y = NextBallPosition(game, i, Axis::Vertical);
      ball.x = NextBallPosition(game, i, Axis::Horizontal);
      continue;
    }
    std::int32_t scoreBefore = world.score;
    bool verticalBlocked = ball.velocityUp == 0.0f;
    if (ball.velocityUp > 0.0f) verticalBlocked = StepUp(game, i, rows);
    else if (ball.velocityUp < 0.0f) verticalBlocked = StepDown(game, i, rows);
    if (!ball.active) continue;
    bool horizontalBlocked = ball.velocityX == 0.0f;
    if (ball.velocityX < 0.0f) horizontalBlocked = StepLeft(game, i, rows);
    else if (ball.velocityX > 0.0f) horizontalBlocked = StepRight(game, i, rows);
    // Each axis can leave the brick to the other (a backed brick, the corner rule): a ball wedged so that
    // both do would never move again, so it turns back the way it came.
    if (verticalBlocked && horizontalBlocked) ball.angle = ReflectAngle(ReflectAngle(ball.angle, 0), 1);
    KeepFromCirclingForEver(game, ball, world.score != scoreBefore);
  }
}

bool CheckPaddleHit(Game& game, int ballIndex, Side side) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  if (IsHeld(world, ball)) return false;
  float nx = NextBallPosition(game, ballIndex, Axis::Horizontal);
  float ny = NextBallPosition(game, ballIndex, Axis::Vertical);
  float along = Horizontal(side) ? nx : ny;
  float across = Horizontal(side) ? ny : nx;
  float start = Horizontal(side) ? game.state.pointerX : game.state.pointerY;
  float rest = RestingPosition(side);
  // The ball's corner lies from its resting place up to the paddle's far face: 450 .. 470, 10 .. 20, ...
  float low = (side == Bottom || side == Right) ? rest : rest - 10.0f;
  float high = (side == Bottom || side == Right) ? rest + 20.0f : rest;
  if (along < start - 10.0f || along > start + world.paddleLength) return false;
  if (across < low || across > high) return false;

  world.homeSide = side;
  ball.msWithoutEffect = 0.0f;
  (Horizontal(side) ? ball.y : ball.x) = rest;
  PaddleBounce(game, ballIndex, side);
  if (world.powerMode == PowerMode::Catch) {
    ball.holdOffset = Horizontal(side) ? ball.x - game.state.pointerX : ball.y - game.state.pointerY;
    ball.holdSide = side;
    PlayGameSound(game, SoundId::HitCatchPaddle);
  } else {
    PlayGameSound(game, SoundId::HitPaddle);
  }
  ChooseAutopilotOffsets(game);
  return true;
}

void PaddleBounce(Game& game, int ballIndex, Side side) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  float h = world.paddleLength / 2.0f;
  bool horizontal = Horizontal(side);
  float centre = (horizontal ? game.state.pointerX : game.state.pointerY) + h;
  int ballCentre = RoundToEven(horizontal ? ball.x + 5.0f : ball.y + 5.0f);
  int d = RoundToEven(std::fabs(centre - static_cast<float>(ballCentre)));
  bool before = horizontal ? centre > static_cast<float>(ballCentre) : centre >= static_cast<float>(ballCentre);
  float turn = 60.0f * static_cast<float>(d) / h;
  float degrees = 0.0f;
  switch (side) {
    case Bottom: degrees = before ? 360.0f - turn : turn; break;
    case Top: degrees = before ? 180.0f + turn : 180.0f - turn; break;
    case Right: degrees = before ? 270.0f + turn : 270.0f - turn; break;
    case Left: degrees = before ? 90.0f - turn : 90.0f + turn; break;
  }
  if (float exit = CornerExitDegrees(game, ball, side); exit >= 0.0f) degrees = exit;
  ball.angle = DegToRad(degrees);
}

void UpdateAndDrawPaddles(Game& game) {
  GameWorld& world = game.world;
  GameState& state = game.state;
  const CornerMargin& margin = world.cornerMargin;
  float rightLimit = ScreenWidth - world.paddleLength - static_cast<float>(margin.right);
  float bottomLimit = ScreenHeight - world.paddleLength - static_cast<float>(margin.bottom);
  if (state.pointerX > rightLimit) state.pointerX = rightLimit;
  if (state.pointerX < static_cast<float>(margin.left)) state.pointerX = static_cast<float>(margin.left);
  if (state.pointerY < static_cast<float>(margin.top)) state.pointerY = static_cast<float>(margin.top);
  if (state.pointerY > bottomLimit) state.pointerY = bottomLimit;

  if (world.paddleLength < static_cast<float>(world.growTarget)) GrowPaddleStep(game);
  if (world.paddleLength > static_cast<float>(world.shrinkTarget)) ShrinkPaddleStep(game);

  int half = RoundToEven(world.paddleLength / 2.0f);
  for (int side = Bottom; side <= Left; ++side)
    if (IsGuarded(world, side)) DrawPaddle(game, static_cast<Side>(side), half);
}

void GrowPaddleStep(Game& game) {
  GameWorld& world = game.world;
  GameState& state = game.state;
  if (world.paddleLength >= LongestPaddle) return;
  world.paddleLength += 0.08f * static_cast<float>(state.frameStep);
  state.pointerX -= 0.04f;
  state.pointerX = std::clamp(state.pointerX, 0.0f, std::max(0.0f, ScreenWidth - world.paddleLength));
  state.pointerY = std::clamp(state.pointerY, 0.0f, std::max(0.0f, ScreenHeight - world.paddleLength));
}

void ShrinkPaddleStep(Game& game) {
  GameWorld& world = game.world;
  GameState& state = game.state;
  if (world.paddleLength <= ShortestPaddle) return;
  world.paddleLength -= 0.08f * static_cast<float>(state.frameStep);
  state.pointerX += 0.04f;
  state.pointerX = std::min(state.pointerX, ScreenWidth - world.paddleLength);
  state.pointerY = std::min(state.pointerY, ScreenHeight - world.paddleLength);
}

void DrawBalls(Game& game) {
  const GameWorld& world = game.world;
  std::int16_t row = 0;
  if (world.powerMode == PowerMode::Super) row = 10;
  if (world.powerMode == PowerMode::Dyna) row = 20;
  for (const Ball& ball : world.balls)
    if (ball.active) DrawImage(game, 10, 10, 10, 10, ball.x, ball.y, world.images.ballImage, 0, row);
}

void SplitBalls(Game& game, int mirror) {
  std::array<Ball, BallSlots> copies{};
  int count = 0;
  for (const Ball& ball : game.world.balls) {
    if (!ball.active) continue;
    copies[count] = ball;
    copies[count].angle = ReflectAngle(ball.angle, mirror);
    ++count;
  }
  auto& slots = game.world.balls;
  int slot = 0;
  for (int c = 0; c < count; ++c) {
    while (slot < BallSlots && slots[slot].active) ++slot;
    if (slot == BallSlots) return;
    slots[slot] = copies[c];
  }
}
