// Cost of a busy play frame: sixteen Super balls leaving their trail through a brick wall, with firework sparks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "core/game.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/play_frames.h"
#include "platform/display.h"
#include "shell/start_up.h"

namespace {

int AddPicture(Game& game, int width, int height) {
  Surface s;
  s.width = static_cast<std::int16_t>(width);
  s.height = static_cast<std::int16_t>(height);
  s.inUse = true;
  s.pixels.assign(static_cast<std::size_t>(width) * height, 0x7BEF);
  auto& table = game.platform.display.surfaceTable;
  table.push_back(s);
  return static_cast<int>(table.size()) - 1;
}

void LoadPictures(Game& game) {
  GameWorld& world = game.world;
  GameImages& images = world.images;
  images.paddleImage = AddPicture(game, 320, 10);
  images.paddle2Image = AddPicture(game, 10, 320);
  images.ballImage = AddPicture(game, 10, 30);
  images.explosionImage = AddPicture(game, 156, 26);
  images.powerupsImage = AddPicture(game, 448, 240);
  images.powerups2Image = AddPicture(game, 240, 448);
  for (int side = 1; side <= 4; ++side) {
    bool across = side == Bottom || side == Top;
    images.laserImages[side] = AddPicture(game, across ? 4 : 16, across ? 16 : 4);
    images.cannonImages[side] = AddPicture(game, across ? 8 : 16, across ? 16 : 8);
    images.barrierImages[side] = AddPicture(game, across ? 640 : 5, across ? 5 : 480);
  }
  images.numbersImage = AddPicture(game, 160, 48);
  images.trailImage = AddPicture(game, 6, 9);
  world.tilesetImage = AddPicture(game, 320, 160);
  world.backgroundImage = AddPicture(game, 256, 256);
  world.backgroundRepeatX = 3;
  world.backgroundRepeatY = 2;
}

// Twelve rows of one-hit bricks, every side a wall, sixteen Super balls spread over the lower half.
void StartWorld(Game& game) {
  GameWorld& world = game.world;
  world.tileSet.tiles = {TileDef{}, TileDef{1, 1, 1, 1, 1, 0, 0}};
  world.tileSet.tileCount = 1;
  world.guardedSides = {};
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 4; r <= 15; ++r) world.brickGrid[c][r] = 1;
  for (Ball& ball : world.balls) ball.active = false;
  for (int i = 0; i < BallSlots; ++i) AddBall(world, 40.0f + 36.0f * i, 300.0f + 5.0f * i, 0.35f, 20.0f + 20.0f * i);
  world.powerMode = PowerMode::Super;
  world.particles.assign(1, Particle{});
}

// One firework's worth of sparks from the middle of the screen.
void FireworkBurst(Game& game) {
  for (int i = 0; i < 40; ++i) {
    float a = static_cast<float>(i) * 9.0f * Pi / 180.0f;
    AppendParticle(game.world, Particle{320, 240, i % 3, 1 + i % 3, true, std::cos(a) * 0.12f, std::sin(a) * 0.12f});
  }
}

std::unique_ptr<Game> MakeGame() {
  auto game = std::make_unique<Game>();
  StartSettings settings;
  settings.platform.headless = true;
  settings.seed = 7;
  std::string error;
  StartUp(*game, settings, error);
  game->clock.now = 1000;
  game->state.frameStep = 16;
  game->state.playing = true;
  game->state.screenFade = 0.0f;
  game->state.musicOn = false;
  game->state.soundOn = false;
  LoadPictures(*game);
  return game;
}

void PlayFrameSuperTrailSixteenBallsFirework(benchmark::State& state) {
  auto game = MakeGame();
  StartWorld(*game);
  FireworkBurst(*game);
  int frame = 0;
  for (auto _ : state) {
    if (++frame % 300 == 0) {  // a fresh wall before the balls clear it
      state.PauseTiming();
      StartWorld(*game);
      FireworkBurst(*game);
      state.ResumeTiming();
    }
    game->clock.now += 16;
    PlayFrame(*game);
    benchmark::DoNotOptimize(game->platform.display.backBuffer.data());
  }
  state.counters["particles"] = static_cast<double>(game->world.particles.size());
}
BENCHMARK(PlayFrameSuperTrailSixteenBallsFirework)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
