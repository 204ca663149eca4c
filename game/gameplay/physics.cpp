// Ball and paddle physics.
#include "gameplay/physics.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "content/playfield.h"
#include "core/game.h"
#include "gameplay/bricks.h"
#include "gameplay/player_input.h"
#include "gameplay/sounds.h"
#include "platform/display.h"

namespace {

constexpr float ProtectInset = BarrierWidth;  // Protect keeps every ball this far from every edge

constexpr float Face(Side side) { return static_cast<float>(PaddleFace(side)); }
constexpr float Thickness = PaddleThickness;

// A ball rests on the playfield's side of its paddle; the cannons and the shots' starts sit as they always have.
constexpr std::array<PaddleGeometry, 5> Paddles = {{
    {},
    {true, Face(Bottom), Face(Bottom) - BallSize, Face(Bottom) - BallSize, Face(Bottom) + Thickness, 456.0f, 442.0f},
    {false, Face(Right), Face(Right) - BallSize, Face(Right) - BallSize, Face(Right) + Thickness, 616.0f, 602.0f},
    {true, Face(Top), Face(Top) + Thickness, Face(Top), Face(Top) + Thickness, 8.0f, 38.0f},
    {false, Face(Left), Face(Left) + Thickness, Face(Left), Face(Left) + Thickness, 8.0f, 38.0f},
}};

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
  bool horizontal = PaddleOf(side).horizontal;
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

// With no paddle to turn it and nothing it can break in its way, a ball among indestructible bricks may circle
// the same walls for ever at the same four bearings. After a while without meeting a paddle or scoring it is
// turned a little, and again after as long, until it finds its way out.
constexpr float CirclingMs = 10000.0f;
constexpr float CirclingTurnDegrees = 7.0f;

void KeepFromCirclingForEver(Game& game, Ball& ball, bool scored) {
  ball.msWithoutEffect = scored ? 0.0f : ball.msWithoutEffect + static_cast<float>(PlayStep(game));
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

// The brick probe, with the sideways step in a one-row gap looking at the ball's own row only.
ProbeResult ProbeStep(Game& game, int i, Direction direction, RowMemory& rows, float leadingEdge) {
  ProbeResult result = ProbeBricks(game, i, direction, rows);
  bool sideways = direction == Direction::Left || direction == Direction::Right;
  Ball& ball = game.world.balls[i];
  if (!sideways || result != ProbeResult::Blocked || !InGapOneRowHigh(game.world, ball)) return result;
  int column = CellOf(leadingEdge, Axis::Horizontal);
  int row = CellOf(ball.y, Axis::Vertical);
  if (!IsBrickAt(game.world, column, row)) return ProbeResult::NoBrick;
  ball.angle = ReflectAngle(ball.angle, MirrorOffVertical);
  HitBrick(game, column, row);
  return ProbeResult::Hit;
}

// One direction of travel: the edge it heads for and how the ball meets it.
struct AxisStep {
  Direction direction;
  Side edge;
  Axis axis;
  bool towardZero;  // up and left head for coordinate 0, down and right for the far edge
};

constexpr AxisStep StepUp{Direction::Up, Top, Axis::Vertical, true};
constexpr AxisStep StepDown{Direction::Down, Bottom, Axis::Vertical, false};
constexpr AxisStep StepLeft{Direction::Left, Left, Axis::Horizontal, true};
constexpr AxisStep StepRight{Direction::Right, Right, Axis::Horizontal, false};

// One axis of a ball's move: the edge, the bricks, the free move or the Protect wall, then the paddle there.
// True when a brick blocked the step without being struck.
bool StepAlong(Game& game, int i, RowMemory& rows, const AxisStep& step) {
  Ball& ball = game.world.balls[i];
  const bool horizontal = step.axis == Axis::Horizontal;
  const int mode = horizontal ? MirrorOffVertical : MirrorOffHorizontal;
  const float extent = horizontal ? ScreenWidth : ScreenHeight;
  float& coordinate = horizontal ? ball.x : ball.y;
  const float next = NextBallPosition(game, i, step.axis);
  const bool pastEdge = step.towardZero ? next < 0.0f : next + BallSize > extent;
  if (pastEdge) {
    LeaveOrBounce(game, ball, step.edge, coordinate, step.towardZero ? 0.0f : extent - BallSize, mode);
    return false;
  }
  const float leadingEdge = step.towardZero ? next - 1.0f : next + BallSize - 1.0f;
  ProbeResult result = ProbeStep(game, i, step.direction, rows, leadingEdge);
  if (result == ProbeResult::NoBrick) {
    const float wall = step.towardZero ? ProtectInset : extent - BallSize - ProtectInset;
    const bool insideWall = step.towardZero ? coordinate < wall : coordinate > wall;
    FreeMove(game, ball, coordinate, next, insideWall, wall, mode);
  }
  if (IsGuarded(game.world, step.edge)) CheckPaddleHit(game, i, step.edge);
  return result == ProbeResult::Blocked;
}

void DrawPaddle(Game& game, Side side, int half) {
  const GameWorld& world = game.world;
  const PaddleGeometry& paddle = PaddleOf(side);
  const float start = PaddleStart(game, side);
  const int thickness = PaddleThickness;
  // Two halves, so a paddle of any length shows both rounded ends of the longest paddle's picture.
  auto from = static_cast<int>(LongestPaddle - half);
  if (paddle.horizontal) {
    DrawSprite(game.platform, world.images.paddleImage, {0, 0, half, thickness}, start, paddle.face);
    DrawSprite(game.platform, world.images.paddleImage, {from, 0, half, thickness}, start + half - 1, paddle.face);
  } else {
    DrawSprite(game.platform, world.images.paddle2Image, {0, 0, thickness, half}, paddle.face, start);
    DrawSprite(game.platform, world.images.paddle2Image, {0, from, thickness, half}, paddle.face, start + half - 1);
  }
}

}  // namespace

const PaddleGeometry& PaddleOf(Side side) { return Paddles[side]; }

float PaddleStart(const Game& game, Side side) {
  return PaddleOf(side).horizontal ? game.state.pointerX : game.state.pointerY;
}

void UpdateBallVelocities(Game& game) {
  for (Ball& ball : game.world.balls) {
    if (!ball.active) continue;
    ball.velocityUp = std::cos(ball.angle) * ball.speed;
    ball.velocityX = std::sin(ball.angle) * ball.speed;
  }
}

void PlaceBallOnPaddle(Game& game, int ballIndex) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  const PaddleGeometry& paddle = PaddleOf(world.homeSide);
  float middle = world.paddleLength / 2.0f - BallSize / 2.0f;
  if (paddle.horizontal) {
    ball.x = game.state.pointerX + middle;
    ball.y = paddle.ballRest;
  } else {
    ball.x = paddle.ballRest;
    ball.y = game.state.pointerY + middle;
  }
}

float NextBallPosition(Game& game, int ballIndex, Axis axis) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  if (IsHeld(world, ball)) {
    const PaddleGeometry& paddle = PaddleOf(ball.holdSide);
    bool along = paddle.horizontal == (axis == Axis::Horizontal);
    if (!along) return paddle.ballRest;
    float start = axis == Axis::Horizontal ? game.state.pointerX : game.state.pointerY;
    if (start + ball.holdOffset > start + world.paddleLength) ball.holdOffset = world.paddleLength;
    return start + ball.holdOffset;
  }
  ball.holdOffset = NotHeld;
  auto step = static_cast<float>(PlayStep(game));
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
    if (ball.velocityUp > 0.0f) verticalBlocked = StepAlong(game, i, rows, StepUp);
    else if (ball.velocityUp < 0.0f) verticalBlocked = StepAlong(game, i, rows, StepDown);
    if (!ball.active) continue;
    bool horizontalBlocked = ball.velocityX == 0.0f;
    if (ball.velocityX < 0.0f) horizontalBlocked = StepAlong(game, i, rows, StepLeft);
    else if (ball.velocityX > 0.0f) horizontalBlocked = StepAlong(game, i, rows, StepRight);
    // Each axis can leave the brick to the other (a backed brick, the corner rule): a ball wedged so that
    // both do would never move again, so it turns back the way it came.
    if (verticalBlocked && horizontalBlocked) ball.angle = ReflectAngle(ReflectAngle(ball.angle, MirrorOffHorizontal), MirrorOffVertical);
    KeepFromCirclingForEver(game, ball, world.score != scoreBefore);
  }
}

bool CheckPaddleHit(Game& game, int ballIndex, Side side) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  if (IsHeld(world, ball)) return false;
  float nx = NextBallPosition(game, ballIndex, Axis::Horizontal);
  float ny = NextBallPosition(game, ballIndex, Axis::Vertical);
  const PaddleGeometry& paddle = PaddleOf(side);
  float along = paddle.horizontal ? nx : ny;
  float across = paddle.horizontal ? ny : nx;
  float start = PaddleStart(game, side);
  if (along < start - BallSize || along > start + world.paddleLength) return false;
  if (across < paddle.hitLow || across > paddle.hitHigh) return false;

  world.homeSide = side;
  ball.msWithoutEffect = 0.0f;
  (paddle.horizontal ? ball.y : ball.x) = paddle.ballRest;
  PaddleBounce(game, ballIndex, side);
  if (world.powerMode == PowerMode::Catch) {
    ball.holdOffset = (paddle.horizontal ? ball.x : ball.y) - start;
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
  bool horizontal = PaddleOf(side).horizontal;
  float centre = PaddleStart(game, side) + h;
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
  world.paddleLength += 0.08f * static_cast<float>(PlayStep(game));
  state.pointerX -= 0.04f;
  state.pointerX = std::clamp(state.pointerX, 0.0f, std::max(0.0f, ScreenWidth - world.paddleLength));
  state.pointerY = std::clamp(state.pointerY, 0.0f, std::max(0.0f, ScreenHeight - world.paddleLength));
}

void ShrinkPaddleStep(Game& game) {
  GameWorld& world = game.world;
  GameState& state = game.state;
  if (world.paddleLength <= ShortestPaddle) return;
  world.paddleLength -= 0.08f * static_cast<float>(PlayStep(game));
  state.pointerX += 0.04f;
  state.pointerX = std::min(state.pointerX, ScreenWidth - world.paddleLength);
  state.pointerY = std::min(state.pointerY, ScreenHeight - world.paddleLength);
}

void DrawBalls(Game& game) {
  const GameWorld& world = game.world;
  int row = 0;
  if (world.powerMode == PowerMode::Super) row = 10;
  if (world.powerMode == PowerMode::Dyna) row = 20;
  for (const Ball& ball : world.balls)
    if (ball.active) DrawSprite(game.platform, world.images.ballImage, {0, row, 10, 10}, ball.x, ball.y);
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
