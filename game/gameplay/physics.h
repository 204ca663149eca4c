// Ball and paddle physics: motion, walls, paddle hits and bounces, catching, paddle size and drawing.
#pragma once
#include <cstdint>

#include "core/world.h"

struct Game;

enum class Axis { Horizontal, Vertical };

// Each active ball's velocities from its bearing and speed.
void UpdateBallVelocities(Game& game);
// Puts the ball on the home paddle, centred.
void PlaceBallOnPaddle(Game& game, int ballIndex);
// Where the ball will be after this frame's step (a held ball: where the paddle carries it).
float NextBallPosition(Game& game, int ballIndex, Axis axis);
// Grid column (horizontal) or row (vertical) of a coordinate, clamped to 1 .. 20 and 1 .. 30.
std::int16_t CellOf(float value, Axis axis);
// Motion of every ball with all its collisions.
void MoveBalls(Game& game);
// Returns true when the ball met the paddle of `side` and was bounced.
bool CheckPaddleHit(Game& game, int ballIndex, Side side);
void PaddleBounce(Game& game, int ballIndex, Side side);
void UpdateAndDrawPaddles(Game& game);
void GrowPaddleStep(Game& game);
void ShrinkPaddleStep(Game& game);
void DrawBalls(Game& game);
// Every active ball gets a copy heading the other way: mirror 1 left/right, 0 up/down.
void SplitBalls(Game& game, int mirror);
