// The hand-built world of the rule tests.
#include "test_world.h"

#include "gameplay/physics.h"
#include "shell/start_up.h"

namespace {

TileDef Def(std::int32_t kind, std::int32_t frameCount = 1, std::int32_t frameNumber = 1, std::int32_t hitCount = 1,
            std::int32_t hitStage = 1) {
  return TileDef{kind, frameCount, frameNumber, hitCount, hitStage, 0, 0};
}

}  // namespace

TileSet MakeTestTileSet() {
  TileSet set;
  set.tiles = {TileDef{},           Def(Hittable),        Def(Hittable, 1, 1, 3, 1), Def(Hittable, 1, 1, 3, 2),
               Def(Hittable, 1, 1, 3, 3), Def(Indestructible), Def(GoThrough),      Def(Dynamite),
               Def(17),             Def(Hittable, 4, 1),  Def(Hittable, 4, 2),     Def(Hittable, 4, 3),
               Def(Hittable, 4, 4), Def(0)};
  set.tileCount = static_cast<std::int32_t>(set.tiles.size()) - 1;
  return set;
}

WorldTest::WorldTest() {
  StartSettings settings;
  settings.platform.headless = true;
  std::string error;
  StartUp(game, settings, error);
  game.clock.now = 1000;
  game.state.frameStep = 16;
  game.state.screenFade = 0.0f;
  game.options.detailHigh = 0;
  game.world.tileSet = MakeTestTileSet();
  Guard({Bottom});
  game.state.pointerX = 285.0f;
  game.state.pointerY = 205.0f;
}

void WorldTest::Guard(std::initializer_list<Side> sides) {
  game.world.guardedSides = {};
  for (Side side : sides) game.world.guardedSides[side] = -1;
}

Ball& WorldTest::PutBall(int slot, float x, float y, float angleDegrees, float speed) {
  Ball& ball = game.world.balls[slot];
  ball = Ball{};
  ball.active = true;
  ball.x = x;
  ball.y = y;
  ball.speed = speed;
  ball.angle = DegToRad(angleDegrees);
  UpdateBallVelocities(game);
  return ball;
}
