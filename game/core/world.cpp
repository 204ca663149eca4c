// The world's routines shared by level loading and play: new balls and the values both put back.
#include "core/world.h"

#include "core/helpers.h"

void AddBall(GameWorld& world, float x, float y, float speed, float angleDegrees) {
  for (Ball& ball : world.balls) {
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

void ServeBall(GameWorld& world) { AddBall(world, 0, 0, StartBallSpeed, LaunchAngleFor(world.homeSide)); }

void ResetPaddleAndPowers(GameWorld& world) {
  world.paddleLength = StartPaddleLength;
  world.pointMultiplier = 1.0f;
  world.growTarget = 0;
  world.shrinkTarget = static_cast<std::int32_t>(LongestPaddle);
  world.powerMode = PowerMode::None;
  for (Shot& shot : world.shots) shot.active = false;
  for (Powerup& capsule : world.powerups) capsule.active = false;
  world.fallingCapsules = 0;
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 1; r <= PlayRows; ++r) world.explosionGrid[c][r].pending = false;
}
