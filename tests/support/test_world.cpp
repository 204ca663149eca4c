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
  game.state.pointerX = 285.0f;
  game.state.pointerY = 205.0f;
  game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
  // Every game sound in a slot of its own, with no device behind it: the sound log names what play asked for.
  SoundTable& sounds = game.platform.sound.soundTable;
  sounds.assign(GameSounds.size(), SoundSlot{});
  for (std::size_t id = 0; id < GameSounds.size(); ++id) {
    sounds[id].fileName = std::string(GameSounds[id].file);
    sounds[id].free = false;
  }
  NewWorld();
}

void WorldTest::NewWorld() {
  game.world = GameWorld{};
  game.world.tileSet = MakeTestTileSet();
  for (std::size_t id = 0; id < GameSounds.size(); ++id) game.world.soundIds[id] = static_cast<std::int16_t>(id);
  Guard({Bottom});
}

int WorldTest::Picture(int width, int height, const std::function<Pixel(int x, int y)>& colourAt) {
  Surface surface;
  surface.inUse = true;
  surface.width = static_cast<std::int16_t>(width);
  surface.height = static_cast<std::int16_t>(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) surface.pixels.push_back(colourAt(x, y));
  auto& table = game.platform.display.surfaceTable;
  table.push_back(surface);
  return static_cast<int>(table.size()) - 1;
}

std::vector<std::string> WorldTest::Heard() {
  auto& log = game.platform.sound.soundLog;
  std::vector<std::string> heard(log.begin(), log.end());
  log.clear();
  return heard;
}

void WorldTest::Guard(const std::vector<Side>& sides) {
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
