// The world's routines shared by level loading and play: new balls and their launch angles.
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
