// Ball and paddle physics: motion, walls, paddle hits and bounces, catching, paddle size and drawing.
#pragma once
#include <cstdint>

#include "core/world.h"

struct Game;

enum class Axis { Horizontal, Vertical };

// Where a side's paddle and what it carries lie across its edge.
struct PaddleGeometry {
  bool horizontal = false;  // the bottom and top paddles move along x with pointerX, the side ones along y
  float face = 0.0f;        // the paddle's top (bottom, top) or left (right, left) edge
  float ballRest = 0.0f;    // where a ball on the paddle lies across the edge
  float hitLow = 0.0f;      // the band across the edge in which a ball's corner meets the paddle
  float hitHigh = 0.0f;
  float cannonFace = 0.0f;  // where the Laser cannons are drawn across the edge
  float shotStart = 0.0f;   // where their shots start across the edge
};
const PaddleGeometry& PaddleOf(Side side);
// Where the paddle of a side starts along its edge: pointerX for the bottom and top, pointerY for the sides.
float PaddleStart(const Game& game, Side side);

// The Protect barrier along an edge, and how far from every edge it keeps the balls.
constexpr int BarrierWidth = 5;

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
// Every active ball gets a copy heading the other way: MirrorOffVertical left/right, MirrorOffHorizontal up/down.
void SplitBalls(Game& game, int mirror);
