// Bricks: the brick test of a moving ball, strikes, explosions, animation, drawing and counting.
#include "gameplay/bricks.h"

#include <cmath>

#include "core/game.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/powerups.h"
#include "gameplay/score.h"
#include "gameplay/sounds.h"
#include "platform/display.h"

namespace {

bool IsBrick(const GameWorld& world, int column, int row) {
  std::int32_t tile = world.brickGrid[column][row];
  return tile != 0 && TileOf(world, tile).kind > 0;
}

bool Vertical(Direction direction) { return direction == Direction::Up || direction == Direction::Down; }

// The cell on the ball's side of the struck brick holds a tile: the ball runs along a wall of bricks.
bool Backed(const GameWorld& world, Direction direction, int c, int r) {
  switch (direction) {
    case Direction::Up: return r < PlayRows && world.brickGrid[c][r + 1] != 0;
    case Direction::Down: return r > 1 && world.brickGrid[c][r - 1] != 0;
    case Direction::Left: return c < PlayColumns && world.brickGrid[c + 1][r] != 0;
    case Direction::Right: return c > 1 && world.brickGrid[c - 1][r] != 0;
  }
  return false;
}

// How far the ball already reaches past the face it would strike.
float ReachPastFace(Direction direction, float x, float y, int c, int r) {
  switch (direction) {
    case Direction::Up: return 16.0f * r - y;
    case Direction::Down: return y + 9.0f - 16.0f * (r - 1);
    case Direction::Left: return 32.0f * c - x;
    case Direction::Right: return x + 9.0f - 32.0f * (c - 1);
  }
  return 0.0f;
}

// How far the ball overlaps the brick across its direction of travel, at the first or last candidate.
float OverlapAcross(Direction direction, bool firstCandidate, float x, float y, int c, int r) {
  if (Vertical(direction)) return firstCandidate ? 32.0f * c - x : x + 9.0f - 32.0f * (c - 1);
  return firstCandidate ? 16.0f * r - y : y + 9.0f - 16.0f * (r - 1);
}

// A ball beside the brick rather than in front of it touches the brick's side, which the other axis handles.
bool CornerBlocks(Direction direction, bool first, bool last, float x, float y, int c, int r) {
  float reach = ReachPastFace(direction, x, y, c, r);
  if (first && OverlapAcross(direction, true, x, y, c, r) < reach) return true;
  if (last && OverlapAcross(direction, false, x, y, c, r) < reach) return true;
  return false;
}

void Debris(Game& game, int c, int r) {
  for (int i = 0; i < 8; ++i) {
    Particle p;
    p.colourRow = 3;
    p.velocityY = std::sin(DegToRad(RandomBetween(game, 1, 360, false))) * 0.07f;
    p.velocityX = std::cos(DegToRad(RandomBetween(game, 1, 360, false))) * 0.07f;
    p.x = RandomBetween(game, 32.0f * (c - 1), 32.0f * c, false);
    p.y = RandomBetween(game, 16.0f * (r - 1), 16.0f * r, false);
    p.active = true;
    p.stage = static_cast<std::int32_t>(RandomBetween(game, 0, 2, false));
    AppendParticle(game.world, p);
  }
}

// One cell of a shooter's line goes, whatever it holds; a capsule may drop at the shooter's own cell.
void ClearLineCell(Game& game, int column, int row, int shooterColumn, int shooterRow) {
  GameWorld& world = game.world;
  std::int32_t tile = world.brickGrid[column][row];
  MarkExplosion(game, column, row, TileOf(world, tile).kind);
  if (tile >= 1) AddPoints(game, 10);
  world.brickGrid[column][row] = 0;
  SpawnPowerup(game, shooterColumn, shooterRow);
}

// The shooter's cell and every cell from it to the edge the line runs to.
void SweepLine(Game& game, Direction line, int c, int r) {
  switch (line) {
    case Direction::Up:
      for (int row = 1; row <= r; ++row) ClearLineCell(game, c, row, c, r);
      break;
    case Direction::Down:
      for (int row = r; row <= PlayRows; ++row) ClearLineCell(game, c, row, c, r);
      break;
    case Direction::Left:
      for (int column = 1; column <= c; ++column) ClearLineCell(game, column, r, c, r);
      break;
    case Direction::Right:
      for (int column = c; column <= PlayColumns; ++column) ClearLineCell(game, column, r, c, r);
      break;
  }
}

}  // namespace

ProbeResult ProbeBricks(Game& game, int ballIndex, Direction direction, RowMemory& rows) {
  GameWorld& world = game.world;
  Ball& ball = world.balls[ballIndex];
  float nx = NextBallPosition(game, ballIndex, Axis::Horizontal);
  float ny = NextBallPosition(game, ballIndex, Axis::Vertical);

  int fixed = 0, from = 0, to = 0;  // the row (Up, Down) or column (Left, Right), and the range across it
  switch (direction) {
    case Direction::Up: fixed = CellOf(ny - 1.0f, Axis::Vertical); break;
    case Direction::Down: fixed = CellOf(ny + 9.0f, Axis::Vertical); break;
    case Direction::Left: fixed = CellOf(nx - 1.0f, Axis::Horizontal); break;
    case Direction::Right: fixed = CellOf(nx + 9.0f, Axis::Horizontal); break;
  }
  if (Vertical(direction)) {
    from = CellOf(nx, Axis::Horizontal);
    to = CellOf(nx + 9.0f, Axis::Horizontal);
  } else {
    from = CellOf(ny, Axis::Vertical);
    to = CellOf(ny + 9.0f, Axis::Vertical);
  }

  int found = 0;
  for (int k = from; k <= to && found == 0; ++k) {
    int c = Vertical(direction) ? k : fixed;
    int r = Vertical(direction) ? fixed : k;
    if (IsBrick(world, c, r)) found = k;
  }
  if (found == 0) return ProbeResult::NoBrick;
  int c = Vertical(direction) ? found : fixed;
  int r = Vertical(direction) ? fixed : found;

  if (Backed(world, direction, c, r)) return ProbeResult::Blocked;
  if (!Vertical(direction) && (r == rows.up || r == rows.down)) return ProbeResult::Blocked;
  if (CornerBlocks(direction, found == from, found == to, ball.x, ball.y, c, r)) return ProbeResult::Blocked;

  bool passes = LetsBallThrough(TileOf(world, world.brickGrid[c][r]).kind) || world.powerMode == PowerMode::Super;
  switch (direction) {
    case Direction::Up: ball.y = passes ? ny : 16.0f * r + 1.0f; break;
    case Direction::Down: ball.y = passes ? ny : 16.0f * (r - 1) - 11.0f; break;
    case Direction::Left: ball.x = passes ? nx : 32.0f * c + 1.0f; break;
    case Direction::Right: ball.x = passes ? nx : 32.0f * (c - 1) - 11.0f; break;
  }
  if (!passes) ball.angle = ReflectAngle(ball.angle, Vertical(direction) ? MirrorOffHorizontal : MirrorOffVertical);
  if (direction == Direction::Up) rows.up = r;
  if (direction == Direction::Down) rows.down = r;
  HitBrick(game, c, r);
  return ProbeResult::Hit;
}

void HitBrick(Game& game, int column, int row) {
  GameWorld& world = game.world;
  std::int32_t& cell = world.brickGrid[column][row];
  const TileDef tile = TileOf(world, cell);
  bool super = world.powerMode == PowerMode::Super;

  if (world.powerMode == PowerMode::Dyna) {
    MarkExplosion(game, column, row, tile.kind);
    cell = 0;
    ExplodeNeighbours(game, column, row);
    return;
  }
  switch (tile.kind) {
    case Hittable:
      if (tile.hitStage == tile.hitCount) {
        cell = 0;
        AddPoints(game, 10);
        SpawnPowerup(game, column, row);
        if (game.options.detailHigh != 0) Debris(game, column, row);
        PlayGameSound(game, SoundId::HitBrick);
      } else {
        cell += 1;
        AddPoints(game, 5);
        PlayGameSound(game, SoundId::HitMulti);
      }
      if (super) cell = 0;
      break;
    case Indestructible:
      if (super) cell = 0;
      PlayGameSound(game, SoundId::HitIndBrick);
      break;
    case GoThrough:
      cell = 0;
      AddPoints(game, 10);
      SpawnPowerup(game, column, row);
      PlayGameSound(game, SoundId::GoThru);
      break;
    case Dynamite:
      MarkExplosion(game, column, row, Dynamite);
      cell = 0;
      AddPoints(game, 10);
      SpawnPowerup(game, column, row);
      PlayGameSound(game, SoundId::HitExpl);
      break;
    default:
      if (FiresAsShooter(tile.kind)) FireShooter(game, column, row, tile.kind);
      break;
  }
}

void MarkExplosion(Game& game, int column, int row, std::int32_t effectKind) {
  ExplosionCell& cell = game.world.explosionGrid[column][row];
  if (cell.pending) return;
  cell.pending = true;
  cell.effectKind = effectKind;
  cell.stage = 1;
}

void ExplodeNeighbours(Game& game, int column, int row) {
  static constexpr int offsets[8][2] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}};
  GameWorld& world = game.world;
  for (const auto& offset : offsets) {
    int c = column + offset[0];
    int r = row + offset[1];
    if (c < 1 || c > PlayColumns || r < 1 || r > PlayRows) continue;
    std::int32_t tile = world.brickGrid[c][r];
    if (tile < 1) continue;
    MarkExplosion(game, c, r, TileOf(world, tile).kind);
    world.brickGrid[c][r] = 0;
    AddPoints(game, 10);
    SpawnPowerup(game, column, row);
  }
  PlayGameSound(game, SoundId::HitExpl);
}

void FireShooter(Game& game, int column, int row, std::int32_t kind) {
  AddPoints(game, 10);
  // The lines share only the shooter's own cell, so the order they are swept in changes nothing.
  const ShooterDirections lines = ShooterDirectionsOf(kind);
  if (lines.up) SweepLine(game, Direction::Up, column, row);
  if (lines.right) SweepLine(game, Direction::Right, column, row);
  if (lines.down) SweepLine(game, Direction::Down, column, row);
  if (lines.left) SweepLine(game, Direction::Left, column, row);
  PlayGameSound(game, SoundId::HitExpl);
}

void DrawBrickEffects(Game& game) {
  GameWorld& world = game.world;
  bool ticks = ClockTicks(world.explosionClock, PlayNow(game));
  for (int c = 1; c <= PlayColumns; ++c) {
    for (int r = 1; r <= PlayRows; ++r) {
      ExplosionCell& cell = world.explosionGrid[c][r];
      if (!cell.pending) continue;
      if (cell.stage == 7) {
        cell.pending = false;
        continue;
      }
      DrawSprite(game.platform, world.images.explosionImage, {(cell.stage - 1) * 26, 0, 26, 26},
                 32.0f * (c - 1) + 3.0f, 16.0f * (r - 1) - 5.0f);
      if (ticks) cell.stage += 1;
      if (cell.stage < 4) continue;
      if (cell.effectKind == Dynamite) ExplodeNeighbours(game, c, r);
      else if (FiresAsShooter(cell.effectKind)) FireShooter(game, c, r, cell.effectKind);
    }
  }
}

void DrawBricks(Game& game) {
  GameWorld& world = game.world;
  world.destructibleCount = 0;
  bool ticks = ClockTicks(world.brickAnimationClock, PlayNow(game));
  for (int c = 1; c <= PlayColumns; ++c) {
    for (int r = 1; r <= PlayRows; ++r) {
      std::int32_t& cell = world.brickGrid[c][r];
      if (cell == 0) continue;
      const TileDef& tile = TileOf(world, cell);
      if (MustBreak(tile.kind)) world.destructibleCount += 1;
      if (tile.frameCount > 1 && ticks)
        cell = tile.frameNumber == tile.frameCount ? cell - (tile.frameCount - 1) : cell + 1;
      const TileDef& shown = TileOf(world, cell);
      DrawSprite(game.platform, world.tilesetImage, {shown.imageX, shown.imageY, TileWidth, TileHeight},
                 32.0f * (c - 1), 16.0f * (r - 1));
    }
  }
  if (world.destructibleCount == 0) world.levelEndRequested = true;
}
