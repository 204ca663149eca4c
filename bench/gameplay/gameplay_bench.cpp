// Targets on this machine: a play frame under 1 ms (also while Endless makes its next level on the level thread),
// game start's loading phase under 100 ms, a headless game under 64 MB at its peak.
#include <sys/resource.h>

#include <atomic>
#include <memory>
#include <thread>

#include <benchmark/benchmark.h>

#include "core/game.h"
#include "gameplay/physics.h"
#include "gameplay/play_frames.h"
#include "proof/level_maker.h"
#include "shell/game_start.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"

namespace {

struct HeadlessGame {
  std::unique_ptr<Game> game = std::make_unique<Game>();
  ModeSteps steps;
  FrameTimer timer;

  HeadlessGame() {
    StartSettings settings;
    settings.folders = SameFolders(SHARDFALL_DEFAULT_TREE);
    settings.platform.headless = true;
    settings.seed = 1;
    std::string error;
    StartUp(*game, settings, error);
    game->levelSetPath = (game->folders.shipped / "Lvl" / "2-Shardfall.sfs").string();
    game->state.frontEndReady = true;
    steps = EveryModeStep();
    steps.setUpFrontEnd = steps.frontEndFrame = nullptr;  // play only
    BeginFrames(*game);
  }
  void Frame() { RunFrame(*game, steps, timer); }
  void LoadAndPlay() {
    while (!game->state.levelIntro || !game->state.gameLoaded) Frame();
    game->state.levelIntro = false;
    game->state.playing = true;
  }
};

// The first tile of a kind in the loaded tileset.
int FirstTileOf(const GameWorld& world, std::int32_t kind) {
  for (int t = 1; t <= world.tileSet.tileCount; ++t)
    if (world.tileSet.tiles[t].kind == kind && world.tileSet.tiles[t].hitStage <= 1) return t;
  return 0;
}

// With range(0) = 1, levels are made and proven meanwhile, as the level thread does during Endless.
void BM_PlayFrameFullGridSixteenBalls(benchmark::State& state) {
  std::atomic<bool> stop = false;
  std::jthread levelThread;
  if (state.range(0) == 1)
    levelThread = std::jthread([&stop] {
      for (std::uint64_t seed = 1; !stop; ++seed) MakeProvenLevel(SameFolders(SHARDFALL_DEFAULT_TREE), seed, 5, &stop);
    });
  HeadlessGame run;
  run.LoadAndPlay();
  GameWorld& world = run.game->world;
  int wall = FirstTileOf(world, Indestructible);
  int brick = FirstTileOf(world, Hittable);
  // Unbreakable bricks keep the grid full; Protect keeps every ball in play.
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 1; r <= PlayRows; ++r) world.brickGrid[c][r] = r <= 22 ? wall : 0;
  world.brickGrid[1][1] = brick;
  world.powerMode = PowerMode::Protect;
  world.balls = {};
  for (int i = 0; i < BallSlots; ++i) AddBall(world, 40.0f * i + 10.0f, 400.0f, 0.45f, 20.0f * i + 5.0f);
  for (auto _ : state) run.Frame();
  stop = true;
  state.counters["destructible"] = static_cast<double>(world.destructibleCount);
}
BENCHMARK(BM_PlayFrameFullGridSixteenBalls)->ArgName("levelThread")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GameStartLoadingPhase(benchmark::State& state) {
  HeadlessGame run;
  Game& game = *run.game;
  StartGame(game);  // phase 1: the loading picture
  for (auto _ : state) {
    game.state.levelIntro = false;
    game.state.screenFade = 0.0f;
    StartGame(game);  // phase 2: the set, 21 pictures, 28 sounds, the first level
    if (!game.state.levelIntro) state.SkipWithError(game.world.loadingProblem.c_str());
  }
}
BENCHMARK(BM_GameStartLoadingPhase)->Unit(benchmark::kMillisecond);

void BM_HeadlessGamePeakMemory(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessGame run;
    run.LoadAndPlay();
    run.game->world.autopilot = true;
    for (int frame = 0; frame < 20000 && run.game->state.playing; ++frame) {
      run.game->state.leftButton = true;
      run.Frame();
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_HeadlessGamePeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
