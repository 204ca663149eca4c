// The game's window on SDL's dummy video driver: what a flip, a new ramp or a new window size leaves in the
// window's pixels, through the window's own pixels or through SDL's software renderer.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/platform.h"

namespace {

// Neighbours differ across and down, so a pixel taken from the wrong column or row shows.
Pixel Pattern(int x, int y, int seed) { return static_cast<Pixel>(x * 37 + y * 101 + seed); }

void DrawPattern(Platform& platform, int seed) {
  for (int y = 0; y < ScreenHeight; ++y)
    for (int x = 0; x < ScreenWidth; ++x) platform.display.backBuffer[y * ScreenWidth + x] = Pattern(x, y, seed);
}

// The window the device opened: the last one SDL made.
SDL_Window* DeviceWindow() {
  SDL_Window* found = nullptr;
  for (Uint32 id = 1; id < 256; ++id)
    if (SDL_Window* window = SDL_GetWindowFromID(id)) found = window;
  return found;
}

// What the window should show: the shown picture where PictureViewport puts it, each window pixel taken from the
// frame pixel under its centre; black around it.
std::vector<std::uint32_t> Expected(const std::vector<std::uint32_t>& picture, int width, int height,
                                    bool fill = false) {
  const Viewport place = PictureViewport(width, height, fill);
  const int placedWidth = place.width, placedHeight = place.height, left = place.x, top = place.y;
  std::vector<std::uint32_t> window(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < placedHeight; ++y)
    for (int x = 0; x < placedWidth; ++x) {
      const int sourceX = static_cast<int>((x + 0.5) * ScreenWidth / placedWidth);
      const int sourceY = static_cast<int>((y + 0.5) * ScreenHeight / placedHeight);
      window[static_cast<std::size_t>(top + y) * width + left + x] = picture[sourceY * ScreenWidth + sourceX];
    }
  return window;
}

class WindowDeviceTest : public ::testing::TestWithParam<bool> {
 protected:
  Platform platform;
  SDL_Window* window = nullptr;
  // The renderer converts colours and applies a ramp by its own rounding.
  int tolerance = GetParam() ? 3 : 0;

  bool Near(std::uint32_t shown, std::uint32_t expected) const {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>(shown >> shift & 0xFF) - static_cast<int>(expected >> shift & 0xFF)) > tolerance)
        return false;
    return true;
  }

  // With the parameter true, the frames go through SDL's software renderer as through a GPU's, which draws only
  // what was sent before a present.
  void SetUp() override {
    if (GetParam()) setenv("SDL_RENDER_DRIVER", "software", 1), setenv("SDL_RENDER_BATCHING", "1", 1);
    platform.options.windowed = true;
    InitDisplay(platform);
    unsetenv("SDL_RENDER_DRIVER");
    unsetenv("SDL_RENDER_BATCHING");
    window = DeviceWindow();
    if (!window) GTEST_SKIP() << "SDL's dummy video driver is not available";
  }
  void TearDown() override { ReleaseDisplay(platform); }

  void Resize(int width, int height) {
    SDL_SetWindowSize(window, width, height);
    PumpWindowEvents(platform);
  }
  // The first window pixel that differs from `expected`, or "" when none does.
  std::string Mismatch(const std::vector<std::uint32_t>& expected) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->format->format != SDL_PIXELFORMAT_RGB888) return "no 32-bit window surface";
    for (int y = 0; y < surface->h; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                               static_cast<std::ptrdiff_t>(y) * surface->pitch);
      for (int x = 0; x < surface->w; ++x)
        if (!Near(row[x], expected[static_cast<std::size_t>(y) * surface->w + x]))
          return "window pixel " + std::to_string(x) + "," + std::to_string(y);
    }
    return "";
  }
  std::string ShowsTheFrame(int width, int height) { return Mismatch(Expected(ShownPicture(platform), width, height)); }
};

struct Size {
  int width, height;
};

// The window sizes of the game's own choosing (640 and 1280 wide), other scales, and bars on either side.
const Size Sizes[] = {{640, 480}, {1280, 960}, {800, 600}, {1000, 600}, {640, 600}, {333, 250}};

TEST_P(WindowDeviceTest, AFlipShowsTheFrameScaledAtEverySizeAndThroughAFade) {
  for (const Size size : GetParam() ? std::vector<Size>{{640, 480}} : std::vector<Size>(std::begin(Sizes), std::end(Sizes)))
    for (const float fade : {0.0f, -50.0f}) {
      Resize(size.width, size.height);
      ApplyGamma(platform, fade, fade, fade);
      DrawPattern(platform, static_cast<int>(fade) + size.width);
      FlipScreen(platform);
      EXPECT_EQ(ShowsTheFrame(size.width, size.height), "") << size.width << " x " << size.height << ", " << fade;
    }
}

// A frame with every row changed of which only some are marked: the window takes exactly the marked rows.
TEST_P(WindowDeviceTest, APresentShowsTheChangedRowsOnlyUpToTheLastOfEachRun) {
  for (const Size size : GetParam() ? std::vector<Size>{{640, 480}} : std::vector<Size>{{640, 480}, {1280, 960}, {800, 600}}) {
    Resize(size.width, size.height);
    DrawPattern(platform, 1);
    FlipScreen(platform);
    const std::vector<std::uint32_t> before = ShownPicture(platform);
    Display& display = platform.display;
    DrawPattern(platform, 2);
    display.shownFrame = display.backBuffer;
    display.changedRows.fill(false);
    for (const int row : {0, 7, 8, 9, 200, 478, 479}) display.changedRows[row] = true;
    EXPECT_TRUE(platform.window->Present(display));
    std::vector<std::uint32_t> expected = ShownPicture(platform);
    for (int y = 0; y < ScreenHeight; ++y)
      if (!display.changedRows[y])
        std::copy_n(&before[y * ScreenWidth], ScreenWidth, &expected[y * ScreenWidth]);
    EXPECT_EQ(Mismatch(Expected(expected, size.width, size.height)), "") << size.width << " x " << size.height;
  }
}

// Nothing goes to the screen unless the frame changed or the screen no longer shows it as it is.
TEST_P(WindowDeviceTest, ANewRampASizeOrAnUncoveredWindowShowsTheFrameAgainOnce) {
  DrawPattern(platform, 3);
  FlipScreen(platform);
  FlipScreen(platform);  // no row changed
  EXPECT_FALSE(platform.window->Present(platform.display));
  EXPECT_FALSE(platform.window->PresentIfStale(platform.display));

  ApplyGamma(platform, -30, -30, -30);
  EXPECT_TRUE(platform.window->PresentIfStale(platform.display));
  EXPECT_EQ(ShowsTheFrame(ScreenWidth, ScreenHeight), "");
  EXPECT_FALSE(platform.window->PresentIfStale(platform.display));
  ApplyGamma(platform, -30, -30, -30);  // the ramp it has
  EXPECT_FALSE(platform.window->PresentIfStale(platform.display));

  SDL_Event exposed{};
  exposed.type = SDL_WINDOWEVENT;
  exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
  exposed.window.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&exposed);
  PumpWindowEvents(platform);
  EXPECT_TRUE(platform.window->PresentIfStale(platform.display));
  EXPECT_FALSE(platform.window->PresentIfStale(platform.display));

  if (GetParam()) return;  // the renderer scales by SDL's own rounding
  Resize(800, 600);
  EXPECT_TRUE(platform.window->PresentIfStale(platform.display));
  EXPECT_EQ(ShowsTheFrame(800, 600), "");
}

TEST_P(WindowDeviceTest, FillingTheWindowStretchesThePictureOverAllOfItAndBackAgain) {
  if (GetParam()) GTEST_SKIP() << "the renderer scales by SDL's own rounding";
  Resize(1000, 600);
  for (const bool fill : {true, false}) {
    ApplyDisplaySettings(platform, false, fill);
    DrawPattern(platform, fill ? 4 : 5);
    FlipScreen(platform);
    EXPECT_EQ(Mismatch(Expected(ShownPicture(platform), 1000, 600, fill)), "") << fill;
  }
}

// The window opens where it was, and its new place and size are what the game remembers.
TEST_P(WindowDeviceTest, TheWindowOpensAtItsRememberedPlaceAndKeepsWhereItGoes) {
  if (GetParam()) GTEST_SKIP() << "the place does not depend on the presenter";
  const std::optional<WindowPlace> opened = platform.window->Place();
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->width, ScreenWidth);  // the dummy desktop, 1024 x 768, has no room for twice the picture
  EXPECT_FALSE(opened->fullScreen);           // a window was asked for
  ReleaseDisplay(platform);
  platform.options.place = {30, 40, 700, 500, true};
  InitDisplay(platform);
  window = DeviceWindow();
  EXPECT_EQ(platform.window->Place(), (WindowPlace{30, 40, 700, 500, false}));
  Resize(900, 700);  // the dummy driver does not move windows
  EXPECT_EQ(platform.window->Place(), (WindowPlace{30, 40, 900, 700, false}));
  ApplyDisplaySettings(platform, true, false);
  Resize(1024, 768);
  EXPECT_EQ(platform.window->Place(), (WindowPlace{30, 40, 900, 700, true}));
}

INSTANTIATE_TEST_SUITE_P(Presenters, WindowDeviceTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "SoftwareRenderer" : "WindowPixels"; });

}  // namespace
