// Bricks: the brick test of a moving ball, what a struck brick does, explosions, animation and drawing.
#pragma once
#include <cstdint>

struct Game;

enum class Direction { Up, Down, Left, Right };
enum class ProbeResult { NoBrick, Hit, Blocked };

// The rows of the last bricks struck by upward and downward steps within one MoveBalls call.
struct RowMemory {
  int up = 0;
  int down = 0;
};

// The brick test of one axis step of a ball (repositions and reflects it on a hit).
ProbeResult ProbeBricks(Game& game, int ballIndex, Direction direction, RowMemory& rows);
// The effect of a strike on the brick of a cell.
void HitBrick(Game& game, int column, int row);
// Starts the cell's explosion unless one is running there.
void MarkExplosion(Game& game, int column, int row, std::int32_t effectKind);
void ExplodeNeighbours(Game& game, int column, int row);
void FireShooter(Game& game, int column, int row, std::int32_t kind);
// Explosion animation and the chain reactions it sets off.
void DrawBrickEffects(Game& game);
// Animates, draws and counts the bricks; requests the level end when no destructible brick is left.
void DrawBricks(Game& game);
