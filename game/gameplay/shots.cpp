// Laser shots: firing from the cannons, flight, strikes on bricks; and the Protect barriers.
#include "gameplay/shots.h"

#include "content/playfield.h"
#include "core/game.h"
#include "gameplay/bricks.h"
#include "gameplay/physics.h"
#include "gameplay/sounds.h"
#include "platform/display.h"

namespace {

bool Vertical(Side side) { return side == Bottom || side == Top; }

void AddShot(GameWorld& world, Side side, float x, float y) {
  for (Shot& shot : world.shots)
    if (!shot.active) {
      shot.active = true;
      shot.side = side;
      shot.x = x;
      shot.y = y;
      return;
    }
}

// One shot at each of the side's two cannons.
void FirePair(Game& game, Side side) {
  const PaddleGeometry& paddle = PaddleOf(side);
  const float start = PaddleStart(game, side);
  for (float along : {start + 2, start + game.world.paddleLength - 6}) {
    if (paddle.horizontal) AddShot(game.world, side, along, paddle.shotStart);
    else AddShot(game.world, side, paddle.shotStart, along);
  }
}

void DrawCannons(Game& game, Side side) {
  const PaddleGeometry& paddle = PaddleOf(side);
  const float start = PaddleStart(game, side);
  const int image = game.world.images.cannonImages[side];
  for (float along : {start, start + game.world.paddleLength - 8}) {
    if (paddle.horizontal) DrawSprite(game.platform, image, {0, 0, 8, 16}, along, paddle.cannonFace);
    else DrawSprite(game.platform, image, {0, 0, 16, 8}, paddle.cannonFace, along);
  }
}

// Moves the shot away from its paddle and finds the cell under its leading end; true once it has left.
bool MoveShot(Shot& shot, float step) {
  float leadX = shot.x;
  float leadY = shot.y;
  bool gone = false;
  switch (shot.side) {
    case Bottom: shot.y -= step; leadY = shot.y; gone = shot.y <= -16.0f; break;
    case Right: shot.x -= step; leadX = shot.x; gone = shot.x <= -16.0f; break;
    case Top: shot.y += step; leadY = shot.y + 16.0f; gone = shot.y >= 496.0f; break;
    case Left: shot.x += step; leadX = shot.x + 16.0f; gone = shot.x >= 656.0f; break;
  }
  shot.column = CellOf(leadX, Axis::Horizontal);
  shot.row = CellOf(leadY, Axis::Vertical);
  return gone;
}

void UpdateShot(Game& game, Shot& shot) {
  GameWorld& world = game.world;
  if (MoveShot(shot, ShotSpeed * static_cast<float>(PlayStep(game)))) {
    shot.active = false;
    return;
  }
  std::int32_t tile = world.brickGrid[shot.column][shot.row];
  if (tile == 0) {
    int w = Vertical(shot.side) ? 4 : 16;
    int h = Vertical(shot.side) ? 16 : 4;
    DrawSprite(game.platform, world.images.laserImages[shot.side], {0, 0, w, h}, shot.x, shot.y);
    return;
  }
  // A shot passes on through go-through bricks, breaking each.
  if (!LetsBallThrough(TileOf(world, tile).kind)) shot.active = false;
  HitBrick(game, shot.column, shot.row);
}

}  // namespace

void FireLasers(Game& game) {
  for (int side = Bottom; side <= Left; ++side) {
    if (IsGuarded(game.world, side)) FirePair(game, static_cast<Side>(side));
    PlayGameSound(game, SoundId::ShootLaser);
  }
}

void UpdateShots(Game& game) {
  GameWorld& world = game.world;
  if (world.powerMode != PowerMode::Laser) return;
  for (Side side : {Bottom, Right, Top, Left})
    if (IsGuarded(world, side)) DrawCannons(game, side);
  for (Shot& shot : world.shots)
    if (shot.active) UpdateShot(game, shot);
}

void DrawProtectWalls(Game& game) {
  const GameWorld& world = game.world;
  if (world.powerMode != PowerMode::Protect) return;
  const auto& images = world.images.barrierImages;
  const SpriteRect across{0, 0, PlayfieldWidth, BarrierWidth}, upright{0, 0, BarrierWidth, PlayfieldHeight};
  if (IsGuarded(world, Bottom)) DrawSprite(game.platform, images[Bottom], across, 0, PlayfieldHeight - BarrierWidth);
  if (IsGuarded(world, Right)) DrawSprite(game.platform, images[Right], upright, PlayfieldWidth - BarrierWidth, 0);
  if (IsGuarded(world, Top)) DrawSprite(game.platform, images[Top], across, 0, 0);
  if (IsGuarded(world, Left)) DrawSprite(game.platform, images[Left], upright, 0, 0);
}
