// Cost of keyed copies, a whole frame of drawing and preparing it for the screen, each beside a memcpy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "core/game.h"
#include "platform/display.h"
#include "platform/text.h"
#include "shell/start_up.h"

namespace {

constexpr std::size_t ScreenPixels = ScreenWidth * ScreenHeight;

// A picture with about one transparent pixel in four, in short runs, like a picture with holes.
Surface MakePicture(int width, int height) {
  Surface s;
  s.width = static_cast<std::int16_t>(width);
  s.height = static_cast<std::int16_t>(height);
  s.inUse = true;
  s.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = (i / 3) % 4 == 0 ? 0 : static_cast<Pixel>(i | 1);
  return s;
}

std::unique_ptr<Game> MakeGame() {
  auto game = std::make_unique<Game>();
  StartSettings settings;
  settings.platform.headless = true;
  std::string error;
  StartUp(*game, settings, error);
  auto& table = game->platform.display.surfaceTable;
  table = {MakePicture(640, 480), MakePicture(640, 480), MakePicture(8, 8), MakePicture(640, 62)};
  game->platform.text.gameFontImage = 3;
  return game;
}

void MemcpyScreen16(benchmark::State& state) {
  std::vector<Pixel> from(ScreenPixels, 7), to(ScreenPixels);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), ScreenPixels * sizeof(Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyScreen16)->Unit(benchmark::kMicrosecond);

void KeyedCopyFullScreen(benchmark::State& state) {
  auto game = MakeGame();
  for (auto _ : state) {
    DrawImage(game->platform, 640, 480, 640, 480, 0, 0, 0, 0, 0);
    benchmark::DoNotOptimize(game->platform.display.backBuffer.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(KeyedCopyFullScreen)->Unit(benchmark::kMicrosecond);

// A level's frame: background, 600 bricks, 16 balls and a line of text on a cleared back buffer.
void FrameOfDrawing(benchmark::State& state) {
  auto game = MakeGame();
  for (auto _ : state) {
    ClearBackBuffer(game->platform, 0);
    DrawImage(game->platform, 640, 480, 640, 480, 0, 0, 0, 0, 0);
    for (int brick = 0; brick < 600; ++brick)
      DrawImage(game->platform, 32, 16, 32, 16, static_cast<float>(brick % 20 * 32), static_cast<float>(brick / 20 * 16), 1, static_cast<std::int16_t>(brick % 7 * 32), 0);
    for (int ball = 0; ball < 16; ++ball)
      DrawImage(game->platform, 8, 8, 8, 8, 100.5f + ball * 27.3f, 300.25f + ball * 5.1f, 2, 0, 0);
    DrawText(game->platform, "Score 123456  Balls 3", 10, 440);
    benchmark::DoNotOptimize(game->platform.display.backBuffer.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FrameOfDrawing)->Unit(benchmark::kMicrosecond);

void MemcpyScreen32(benchmark::State& state) {
  std::vector<std::uint32_t> from(ScreenPixels, 7), to(ScreenPixels);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), ScreenPixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyScreen32)->Unit(benchmark::kMicrosecond);

// Turning the RGB565 frame into screen colours through the gamma ramp (done at every flip with a window).
void PrepareForScreenWithGamma(benchmark::State& state) {
  auto game = MakeGame();
  ApplyGamma(game->platform, -30, -30, -30);
  std::vector<std::uint32_t> table = ScreenColourTable(game->platform.display.workRamp);
  std::vector<std::uint32_t> out(ScreenPixels);
  DrawImage(game->platform, 640, 480, 640, 480, 0, 0, 0, 0, 0);
  for (auto _ : state) {
    ConvertForScreen(game->platform.display.backBuffer.data(), table.data(), out.data(), ScreenPixels);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(PrepareForScreenWithGamma)->Unit(benchmark::kMicrosecond);

// The same at the plain ramp (every frame but those of a fade or the pause), in vector registers.
void PrepareForScreen(benchmark::State& state) {
  auto game = MakeGame();
  std::vector<std::uint32_t> out(ScreenPixels);
  DrawImage(game->platform, 640, 480, 640, 480, 0, 0, 0, 0, 0);
  for (auto _ : state) {
    ExpandForScreen(game->platform.display.backBuffer.data(), out.data(), ScreenPixels);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(PrepareForScreen)->Unit(benchmark::kMicrosecond);

// A new ramp (every frame of a fade) rebuilds the colour table.
void RebuildColourTable(benchmark::State& state) {
  GammaRamp ramp{};
  for (auto _ : state) benchmark::DoNotOptimize(ScreenColourTable(ramp).data());
}
BENCHMARK(RebuildColourTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
