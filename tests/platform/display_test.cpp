// Picture table, keyed copies with clipping and rounding, SRCAND, the gamma ramp, fades and screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "content/bitmap_file.h"
#include "content/file_io.h"
#include "platform/display.h"
#include "test_support.h"
#include "shell/fades.h"

namespace {

// Column x of the picture gets a distinct non-black colour, so a screen pixel tells which column landed there.
std::uint32_t ColumnColour(int x, int) { return static_cast<std::uint32_t>((x + 1) << 10); }  // green = x + 1
std::uint32_t White(int, int) { return 0xFFFFFF; }
// A picture with a black (transparent) left half.
std::uint32_t BlackLeftHalf(int x, int) { return x < 16 ? 0 : 0x00FF00; }

Pixel At(const Game& game, int x, int y) { return game.platform.display.backBuffer[y * ScreenWidth + x]; }

class DisplayTest : public ::testing::Test {
 protected:
  TempRoot root;
  std::unique_ptr<Game> game = MakeHeadlessGame(root.path());

  int Load(const char* name, int width, int height, std::uint32_t (*colourAt)(int, int)) {
    WriteTestBitmap(root.path() / "Gfx" / name, width, height, colourAt);
    return LoadImage(game->platform, root.path() / "Gfx" / name);
  }
  // Screen column -> picture column (-1 for background) along row y.
  int PictureColumnAt(int x, int y) { return static_cast<int>(At(*game, x, y) >> 5) - 1; }
};

TEST_F(DisplayTest, PictureTableReusesSlotZeroAfterResetThenGrows) {
  ResetSurfaceTable(game->platform);
  EXPECT_EQ(Load("a.bmp", 4, 4, White), 0);
  EXPECT_EQ(Load("b.bmp", 4, 4, White), 1);
  EXPECT_EQ(Load("c.bmp", 4, 4, White), 2);
  EXPECT_EQ(game->platform.display.surfaceTable.size(), 3u);
  EXPECT_EQ(game->platform.display.surfaceTable[1].width, 4);
}

TEST_F(DisplayTest, FailedLoadReturnsMinusOneAndLeavesTheTableAlone) {
  ResetSurfaceTable(game->platform);
  Load("a.bmp", 4, 4, White);
  for (int retry = 0; retry < 5; ++retry) EXPECT_EQ(LoadImage(game->platform, root.path() / "Gfx" / "missing.bmp"), -1);
  WriteBytes(root.path() / "Gfx" / "short.bmp", {'B', 'M', 1, 2});
  EXPECT_EQ(LoadImage(game->platform, root.path() / "Gfx" / "short.bmp"), -1);
  EXPECT_EQ(game->platform.display.surfaceTable.size(), 1u);
}

TEST_F(DisplayTest, ClippedAtTheLeftEdgeShowsTheRightColumns) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  DrawImage(game->platform, 32, 16, 32, 16, -10, 100, id, 0, 0);
  EXPECT_EQ(PictureColumnAt(0, 100), 10);
  EXPECT_EQ(PictureColumnAt(21, 115), 31);
  EXPECT_EQ(PictureColumnAt(22, 100), -1);
}

TEST_F(DisplayTest, ClippedAtTheRightEdgeShowsTheLeftColumns) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  DrawImage(game->platform, 32, 16, 32, 16, 630, 100, id, 0, 0);
  EXPECT_EQ(PictureColumnAt(629, 100), -1);
  EXPECT_EQ(PictureColumnAt(630, 100), 0);
  EXPECT_EQ(PictureColumnAt(639, 100), 9);
}

TEST_F(DisplayTest, ClippedAtTopAndBottomKeepsTheMatchingRows) {
  int id = Load("tall.bmp", 4, 20, [](int, int y) { return static_cast<std::uint32_t>((y + 1) << 3); });
  DrawImage(game->platform, 4, 20, 4, 20, 0, -5, id, 0, 0);
  EXPECT_EQ(At(*game, 0, 0), 6);  // row 5 of the picture at the top
  DrawImage(game->platform, 4, 20, 4, 20, 10, 470, id, 0, 0);
  EXPECT_EQ(At(*game, 10, 479), 10);  // row 9 at the bottom
}

TEST_F(DisplayTest, HalvesRoundToTheEvenColumn) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  DrawImage(game->platform, 1, 1, 1, 1, 2.5f, 0, id, 0, 0);
  DrawImage(game->platform, 1, 1, 1, 1, 3.5f, 1, id, 0, 0);
  EXPECT_EQ(PictureColumnAt(2, 0), 0);
  EXPECT_EQ(PictureColumnAt(3, 0), -1);
  EXPECT_EQ(PictureColumnAt(4, 1), 0);
}

TEST_F(DisplayTest, BlackIsTransparent) {
  ClearBackBuffer(game->platform, 0x1234);
  int id = Load("half.bmp", 32, 4, BlackLeftHalf);
  DrawImage(game->platform, 32, 4, 32, 4, 0, 0, id, 0, 0);
  EXPECT_EQ(At(*game, 5, 0), 0x1234);
  EXPECT_EQ(At(*game, 20, 0), ToPixel(0x00FF00));
}

TEST_F(DisplayTest, SourceCornerSelectsTheRegion) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  DrawImage(game->platform, 4, 2, 4, 2, 100, 100, id, 8, 3);
  EXPECT_EQ(PictureColumnAt(100, 100), 8);
  EXPECT_EQ(PictureColumnAt(103, 101), 11);
  EXPECT_EQ(PictureColumnAt(104, 100), -1);
}

TEST_F(DisplayTest, CopiesOffTheScreenOrOutsideThePictureStayInBounds) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  DrawImage(game->platform, 32, 16, 32, 16, 700, 100, id, 0, 0);
  DrawImage(game->platform, 32, 16, 32, 16, -50, -50, id, 0, 0);
  DrawImage(game->platform, 500, 500, 500, 500, 600, 400, id, 0, 0);  // larger than the picture
  DrawImage(game->platform, 32, 16, 8, 8, 636, 0, id, 0, 0);          // destination smaller than the copy
  DrawImage(game->platform, 4, 4, 4, 4, 0, 0, 99, 0, 0);              // no such picture
  EXPECT_EQ(PictureColumnAt(600, 400), 0);
  EXPECT_EQ(PictureColumnAt(631, 400), 31);
  EXPECT_EQ(PictureColumnAt(639, 0), 3);
}

TEST_F(DisplayTest, PlacesFarOffTheScreenOrNoPlaceAtAllDrawNothing) {
  int id = Load("brick.bmp", 32, 16, ColumnColour);
  const std::vector<Pixel> before = game->platform.display.backBuffer;
  const float nowhere = std::numeric_limits<float>::quiet_NaN();
  for (auto [x, y] :
       {std::pair{-1e30f, 0.0f}, {1e30f, 0.0f}, {0.0f, -3e9f}, {-2147483648.0f, 100.0f}, {nowhere, nowhere}})
    DrawImage(game->platform, 32, 16, 32, 16, x, y, id, 0, 0);
  EXPECT_TRUE(game->platform.display.backBuffer == before);
}

TEST_F(DisplayTest, SrcAndDarkensThroughThePictureAndKeepsBlackTransparent) {
  ClearBackBuffer(game->platform, 0xFFFF);
  int id = Load("half.bmp", 32, 4, BlackLeftHalf);
  DrawImageRop(game->platform, 32, 4, 0, 0, id, 0, 0, SRCAND);
  EXPECT_EQ(At(*game, 5, 0), 0xFFFF);
  EXPECT_EQ(At(*game, 20, 0), ToPixel(0x00FF00));
  EXPECT_TRUE(game->platform.display.ropAvailable);
}

TEST_F(DisplayTest, UnsupportedRasterOperationClearsRopAvailable) {
  int id = Load("half.bmp", 32, 4, BlackLeftHalf);
  DrawImageRop(game->platform, 32, 4, 0, 0, id, 0, 0, 0x00CC0020);
  EXPECT_FALSE(game->platform.display.ropAvailable);
}

TEST_F(DisplayTest, ReloadAllImagesReadsThePicturesAgain) {
  int id = Load("a.bmp", 4, 4, White);
  WriteTestBitmap(root.path() / "Gfx" / "a.bmp", 4, 4, BlackLeftHalf);
  ReleaseAllImages(game->platform);
  EXPECT_TRUE(game->platform.display.surfaceTable[id].pixels.empty());
  ReloadAllImages(game->platform);
  EXPECT_EQ(game->platform.display.surfaceTable[id].pixels[0], 0);
}

TEST(GammaRamp, MinusNinetyNineLeavesOnePercent) {
  auto game = MakeHeadlessGame();
  ApplyGamma(game->platform, -99, -99, -99);
  const Display& d = game->platform.display;
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 256; ++i) EXPECT_EQ(d.workRamp[c][i], std::nearbyint(d.displayRamp[c][i] / 100.0));
}

TEST(GammaRamp, ZeroPutsTheDisplaysOwnRampBack) {
  auto game = MakeHeadlessGame();
  ApplyGamma(game->platform, -37.5f, 20, -99);
  ApplyGamma(game->platform, 0, 0, 0);
  EXPECT_EQ(game->platform.display.workRamp, game->platform.display.displayRamp);
}

TEST(GammaRamp, ChannelsTakeTheirOwnOffsetAndPositiveGoesTowardsWhite) {
  auto game = MakeHeadlessGame();
  ApplyGamma(game->platform, 50, -50, 0);
  const Display& d = game->platform.display;
  EXPECT_EQ(d.workRamp[0][0], 32768);  // 65535 - 50 x 65535 / 100 = 32767.5, to even
  EXPECT_EQ(d.workRamp[0][255], 65535);
  EXPECT_EQ(d.workRamp[1][255], 32768);
  EXPECT_EQ(d.workRamp[2][128], d.displayRamp[2][128]);
}

TEST(GammaRamp, ActsOnTheFrameAlreadyShown) {
  auto game = MakeHeadlessGame();
  ClearBackBuffer(game->platform, 0xFFFF);
  FlipScreen(game->platform);
  ClearBackBuffer(game->platform, 0);  // the next frame's drawing does not change what is shown
  ApplyGamma(game->platform, -99, -99, -99);
  EXPECT_EQ(ShownPicture(game->platform)[0], 0x020202u);
  ApplyGamma(game->platform, -30, -30, -30);
  EXPECT_EQ(ShownPicture(game->platform)[0], 0xB3B3B3u);
}

TEST(ScreenColours, ThePlainRampChangesNoPixelAndItsVectorPathAgrees) {
  std::vector<Pixel> every(65536);
  for (std::size_t p = 0; p < every.size(); ++p) every[p] = static_cast<Pixel>(p);
  std::vector<std::uint32_t> expanded(every.size());
  ExpandForScreen(every.data(), expanded.data(), every.size());
  const std::vector<std::uint32_t> table = ScreenColourTable(PlainRamp());
  for (std::size_t p = 0; p < every.size(); ++p) {
    ASSERT_EQ(table[p], ToRgb(every[p])) << p;
    ASSERT_EQ(expanded[p], table[p]) << p;
  }
}

TEST(FlipScreen, MarksOnlyTheRowsThatChanged) {
  auto game = MakeHeadlessGame();
  Display& display = game->platform.display;
  ClearBackBuffer(game->platform, 0x1234);
  FlipScreen(game->platform);
  EXPECT_TRUE(std::all_of(display.changedRows.begin(), display.changedRows.end(), [](bool row) { return row; }));
  for (int y = 10; y < 13; ++y) display.backBuffer[y * ScreenWidth + 639] = 0xFFFF;
  FlipScreen(game->platform);
  for (int y = 0; y < ScreenHeight; ++y) EXPECT_EQ(display.changedRows[y], y >= 10 && y < 13) << y;
  EXPECT_EQ(display.shownFrame, display.backBuffer);
  FlipScreen(game->platform);
  EXPECT_TRUE(std::none_of(display.changedRows.begin(), display.changedRows.end(), [](bool row) { return row; }));
}

class ScreenFade : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  int StepsUntil(bool GameState::*flag, void (*step)(Game&)) {
    int steps = 0;
    while (game->state.*flag && steps < 10000) step(*game), ++steps;
    return steps;
  }
};

TEST_F(ScreenFade, FadeOutLandsExactlyOnMinusNinetyNineAfterAboutOneAndAQuarterSeconds) {
  game->state.frameStep = 16;
  game->state.fadingOut = true;
  game->state.fadingIn = true;
  int steps = StepsUntil(&GameState::fadingOut, FadeOutStep);
  EXPECT_EQ(game->state.screenFade, -99.0f);
  EXPECT_FALSE(game->state.fadingIn);
  EXPECT_EQ(steps, 79);  // 0.08 x 16 = 1.28 per step: 100 / 1.28 rounded up
}

TEST_F(ScreenFade, FadeInLandsExactlyOnZeroAndSetsTheRamp) {
  game->state.frameStep = 50;
  game->state.screenFade = -99;
  game->state.fadingIn = true;
  int steps = StepsUntil(&GameState::fadingIn, FadeInStep);
  EXPECT_EQ(game->state.screenFade, 0.0f);
  EXPECT_EQ(steps, 25);
  EXPECT_EQ(game->platform.display.workRamp, game->platform.display.displayRamp);
}

TEST_F(ScreenFade, FadeOutAppliesTheLevelBeforeMovingIt) {
  game->state.frameStep = 16;
  game->state.screenFade = -50;
  game->state.fadingOut = true;
  FadeOutStep(*game);
  EXPECT_EQ(game->platform.display.workRamp[0][255], 32768);  // -50 applied, then screenFade moved on
  EXPECT_FLOAT_EQ(game->state.screenFade, -51.28f);
}

TEST_F(ScreenFade, WithoutGammaFadesAreInstant) {
  game->state.gammaAvailable = false;
  game->state.frameStep = 16;
  game->state.fadingOut = true;
  FadeOutStep(*game);
  EXPECT_EQ(game->state.screenFade, -99.0f);
  EXPECT_FALSE(game->state.fadingOut);
  game->state.fadingIn = true;
  FadeInStep(*game);
  EXPECT_EQ(game->state.screenFade, 0.0f);
  EXPECT_FALSE(game->state.fadingIn);
}

TEST(Screenshot, BmpHoldsThePictureAsShownAfterTheRamp) {
  TempRoot root;
  auto game = MakeHeadlessGame(root.path());
  ClearBackBuffer(game->platform, ToPixel(0xFF0000));
  FlipScreen(game->platform);
  ApplyGamma(game->platform, -50, 0, 0);
  std::string error;
  ASSERT_TRUE(SaveScreenshot(game->platform, root.path() / "shot.bmp", error)) << error;
  Bitmap bitmap;
  ASSERT_TRUE(ReadBitmapFile(root.path() / "shot.bmp", bitmap, error)) << error;
  EXPECT_EQ(bitmap.width, 640);
  EXPECT_EQ(bitmap.at(639, 479), 0x800000u);
}

TEST(Screenshot, PngHasItsSignatureAndSize) {
  TempRoot root;
  auto game = MakeHeadlessGame(root.path());
  FlipScreen(game->platform);
  std::string error;
  ASSERT_TRUE(SaveScreenshot(game->platform, root.path() / "shot.png", error)) << error;
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile(root.path() / "shot.png", bytes, error));
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_EQ((bytes[16] << 24 | bytes[17] << 16 | bytes[18] << 8 | bytes[19]), 640);
  EXPECT_EQ((bytes[20] << 24 | bytes[21] << 16 | bytes[22] << 8 | bytes[23]), 480);
}

}  // namespace

// Output sizes in real pixels (a HiDPI or fractionally scaled desktop gives more than the window's own size).
TEST(PictureViewport, SharpInWholeStepsWithTheAspectKeptOrFillingTheOutput) {
  struct Case {
    int width, height;
    bool fill;
    Viewport expected;
  };
  const Case cases[] = {
      {640, 480, false, {0, 0, 640, 480}},       {1280, 960, false, {0, 0, 1280, 960}},
      {1279, 960, false, {319, 240, 640, 480}},    {1920, 1080, false, {320, 60, 1280, 960}},  // 1280x720 at 150 %
      {1600, 900, false, {480, 210, 640, 480}},  // 1280x720 at 125 %
      {3840, 2160, false, {640, 120, 2560, 1920}},  // 4K
      {2560, 1920, false, {0, 0, 2560, 1920}},   {333, 250, false, {0, 0, 333, 249}},
      {400, 200, false, {67, 0, 266, 200}},      {1920, 1080, true, {0, 0, 1920, 1080}},
      {333, 250, true, {0, 0, 333, 250}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureViewport(c.width, c.height, c.fill), c.expected) << c.width << " x " << c.height << " " << c.fill;
}
