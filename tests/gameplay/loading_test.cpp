// Level loading and game start: level-start values, backgrounds, the speed file and loading failures.
#include <algorithm>
#include <fstream>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "content/level_file.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/score.h"
#include "headless_run.h"
#include "loading/level_loading.h"
#include "platform/display.h"
#include "shell/game_start.h"
#include "shell/start_up.h"

namespace {

class LevelStartTest : public ::testing::Test {
 protected:
  LevelStartTest() {
    StartSettings settings;
    settings.folders = SameFolders(root);
    settings.platform.headless = true;
    std::string error;
    StartUp(game, settings, error);
  }
  // A level of the default tileset with the given sides guarded and background, as level 1 of the set.
  void SetLevel(const std::vector<Side>& sides, const std::string& background = "Starfield.bmp") {
    Level level;
    for (Side side : sides) level.guardedSides[side] = -1;
    level.tilesetName = "DefaultTileSet.sft";
    level.backgroundName = background;
    level.brickGrid[3][3] = 1;
    std::string error;
    ASSERT_TRUE(WriteLevelFile(root / "Lvl" / "test.sfl", level, error)) << error;
    game.levelSet.levelFiles = {"test.sfl"};
    game.levelSet.currentLevel = 0;
  }
  // The same, played.
  void PlayLevel(const std::vector<Side>& sides) {
    SetLevel(sides);
    ASSERT_TRUE(StartLevel(game)) << game.world.loadingProblem;
  }
  float LaunchDegrees() const { return RadToDeg(game.world.balls[0].angle); }

  DefaultTreeCopy tree;
  const std::filesystem::path root = tree.path();
  Game game;
};

TEST_F(LevelStartTest, TheFirstGuardedOfBottomTopRightLeftLaunchesAndSharedCornersAreKeptFree) {
  struct Start {
    std::vector<Side> guarded;
    Side home;
    float degrees;
    CornerMargin margin;  // left, top, right, bottom
  };
  const Start starts[] = {
      {{Top}, Top, 205, {0, 0, 0, 0}},
      {{Left, Right}, Right, 295, {0, 0, 0, 0}},
      {{Bottom, Left}, Bottom, 25, {18, 0, 0, 18}},
      {{Bottom, Right}, Bottom, 25, {0, 0, 18, 18}},
      {{Top, Right}, Top, 205, {0, 18, 18, 0}},
      {{Top, Left}, Top, 205, {18, 18, 0, 0}},
      {{Bottom, Right, Top, Left}, Bottom, 25, {18, 18, 18, 18}},
      {{Left}, Left, 115, {0, 0, 0, 0}},
      {{}, Left, 115, {0, 0, 0, 0}},  // no side guarded: the home side stays as it was
  };
  for (const Start& start : starts) {
    SCOPED_TRACE(testing::Message() << "home " << start.home << ", " << start.guarded.size() << " sides");
    PlayLevel(start.guarded);
    EXPECT_EQ(game.levelSet.currentLevel, 1);
    EXPECT_EQ(game.world.homeSide, start.home);
    const Ball& ball = game.world.balls[0];
    EXPECT_NEAR(LaunchDegrees(), start.degrees, 1e-3);
    EXPECT_TRUE(ball.active && ball.x == 0 && ball.y == 0 && ball.speed == 0.35f && ball.holdOffset == NotHeld);
    const CornerMargin& m = game.world.cornerMargin;
    EXPECT_EQ(std::tie(m.left, m.top, m.right, m.bottom),
              std::tie(start.margin.left, start.margin.top, start.margin.right, start.margin.bottom));
  }
}

TEST_F(LevelStartTest, EveryPerLevelValueStartsAfresh) {
  GameWorld& world = game.world;
  world.paddleLength = 120;
  world.growTarget = 150;
  world.shrinkTarget = 40;
  world.powerMode = PowerMode::DoublePoints;
  world.pointMultiplier = 2;
  world.score = 500;
  world.spareBalls = 4;
  for (Ball& ball : world.balls) ball.active = true;
  world.shots[11].active = true;
  world.powerups.assign(3, Powerup{true});
  world.fallingCapsules = 1;
  world.particles.assign(4, Particle{1, 1, 1, 1, true});
  world.explosionGrid[1][1].pending = world.explosionGrid[PlayColumns][PlayRows].pending = true;
  world.particleClock.interval = 300;
  game.state.pointerX = 17;
  game.clock.now = 5000;
  PlayLevel({Bottom});
  EXPECT_FLOAT_EQ(world.paddleLength, 70);
  EXPECT_EQ(world.growTarget, 0);
  EXPECT_EQ(world.shrinkTarget, 320);
  EXPECT_EQ(world.powerMode, PowerMode::None);
  EXPECT_FLOAT_EQ(world.pointMultiplier, 1);
  EXPECT_EQ(std::count_if(world.balls.begin(), world.balls.end(), [](const Ball& b) { return b.active; }), 1);
  EXPECT_FALSE(world.shots[11].active);
  EXPECT_EQ(world.powerups.size(), 3u);  // the lists keep their length
  EXPECT_TRUE(std::none_of(world.powerups.begin(), world.powerups.end(), [](const Powerup& p) { return p.active; }));
  EXPECT_EQ(world.fallingCapsules, 0);
  EXPECT_EQ(world.particles.size(), 4u);
  EXPECT_TRUE(std::none_of(world.particles.begin(), world.particles.end(), [](const Particle& p) { return p.active; }));
  EXPECT_FALSE(world.explosionGrid[1][1].pending);
  EXPECT_FALSE(world.explosionGrid[PlayColumns][PlayRows].pending);
  const auto now = static_cast<float>(Now(game));
  for (auto [clock, interval] : {std::pair{world.brickAnimationClock, 80}, {world.explosionClock, 45},
                                 {world.capsuleClock, 45}, {world.particleClock, 70}}) {
    EXPECT_EQ(clock.interval, interval);
    EXPECT_EQ(clock.nextTick, now + interval);
  }
  EXPECT_EQ(world.score, 500);  // a level start keeps these
  EXPECT_EQ(world.spareBalls, 4);
  EXPECT_FLOAT_EQ(game.state.pointerX, 17);
}

TEST_F(LevelStartTest, AClearedLevelIsFollowedByTheNextOnceTheScreenHasFadedOut) {
  PlayLevel({Bottom});
  game.levelSet.levelFiles = {"test.sfl", "test.sfl"};
  GameState& state = game.state;
  state.playing = true;
  game.world.levelEndRequested = true;
  CheckLevelEnd(game);
  EXPECT_EQ(game.levelSet.currentLevel, 1);
  EXPECT_TRUE(state.fadingOut && state.musicFadingOut && state.gameplayFrozen);
  state.screenFade = -99.0f;
  CheckLevelEnd(game);
  EXPECT_EQ(game.levelSet.currentLevel, 2);
  EXPECT_FALSE(game.world.levelEndRequested);
  EXPECT_FALSE(state.fadingOut || state.musicFadingOut || state.gameplayFrozen || state.playing);
  EXPECT_TRUE(state.levelIntro && state.musicFadingIn);
  EXPECT_FALSE(state.gameOverScreen);
}

TEST_F(LevelStartTest, OnlyFilesEndingInLowerCaseMidBesidesTheFrontEndSongAreLevelSongs) {
  for (const auto& entry : std::filesystem::directory_iterator(root / "Mus"))
    if (entry.path().filename() != "SFSong1.mid") std::filesystem::remove_all(entry.path());
  std::filesystem::copy_file(root / "Mus" / "SFSong1.mid", root / "Mus" / "Intro.MID");
  std::filesystem::create_directory(root / "Mus" / "Extra.mid");
  game.state.musicOn = true;
  PlayLevel({Bottom});
  EXPECT_FALSE(game.state.musicOn);
}


TEST_F(LevelStartTest, UnknownTileNumbersAreDroppedFromTheGrid) {
  Level level;
  level.guardedSides[Bottom] = -1;
  level.tilesetName = "DefaultTileSet.sft";
  level.backgroundName = "Starfield.bmp";
  level.brickGrid[2][2] = 99999;
  level.brickGrid[4][2] = -3;
  level.brickGrid[1][1] = 99999;  // the corners of the playfield
  level.brickGrid[PlayColumns][PlayRows] = -3;
  level.brickGrid[PlayColumns][1] = 1;  // a known tile stays
  std::string error;
  ASSERT_TRUE(WriteLevelFile(root / "Lvl" / "odd.sfl", level, error));
  game.levelSet.levelFiles = {"odd.sfl"};
  ASSERT_TRUE(StartLevel(game));
  EXPECT_EQ(game.world.brickGrid[2][2], 0);
  EXPECT_EQ(game.world.brickGrid[4][2], 0);
  EXPECT_EQ(game.world.brickGrid[1][1], 0);
  EXPECT_EQ(game.world.brickGrid[PlayColumns][PlayRows], 0);
  EXPECT_EQ(game.world.brickGrid[PlayColumns][1], 1);
}

TEST_F(LevelStartTest, MissingFilesAreReportedByNameUntilALevelLoads) {
  SetLevel({Bottom});
  Level level;
  level.guardedSides[Bottom] = -1;
  level.tilesetName = "Gone.sft";
  level.backgroundName = "Starfield.bmp";
  std::string error;
  ASSERT_TRUE(WriteLevelFile(root / "Lvl" / "gone.sfl", level, error));
  game.levelSet.levelFiles = {"gone.sfl", "absent.sfl", "test.sfl"};
  EXPECT_FALSE(StartLevel(game));
  EXPECT_NE(game.world.loadingProblem.find("Gone.bmp"), std::string::npos);
  EXPECT_FALSE(StartLevel(game));
  EXPECT_NE(game.world.loadingProblem.find("absent.sfl"), std::string::npos);
  EXPECT_TRUE(StartLevel(game));
  EXPECT_EQ(game.world.loadingProblem, "");
}

TEST_F(LevelStartTest, AUsersCopyOfAShippedLevelPlaysInTheShippedSet) {
  SetLevel({Bottom});  // the shipped test.sfl, one brick at (3, 3)
  const FreshFolder user;
  Level mine;
  mine.guardedSides[Bottom] = -1;
  mine.tilesetName = "DefaultTileSet.sft";
  mine.backgroundName = "Starfield.bmp";
  mine.brickGrid[5][5] = 1;
  std::filesystem::create_directories(user / "Lvl");
  std::string error;
  ASSERT_TRUE(WriteLevelFile(user / "Lvl" / "test.sfl", mine, error)) << error;
  game.folders = {root, user.path()};
  game.levelSetPath = (root / "Lvl" / "Shipped.sfs").string();
  ASSERT_TRUE(StartLevel(game)) << game.world.loadingProblem;
  EXPECT_EQ(game.world.brickGrid[5][5], 1);
  EXPECT_EQ(game.world.brickGrid[3][3], 0);
}

TEST_F(LevelStartTest, ATinyBackgroundIsDrawnWithFewCopiesAndStillCoversTheScreen) {
  WriteTestBitmap(root / "Bgd" / "Dot.bmp", 1, 1, [](int, int) { return 0x20A040u; });
  SetLevel({Bottom}, "Dot.bmp");
  ASSERT_TRUE(StartLevel(game)) << game.world.loadingProblem;
  EXPECT_LE(game.world.backgroundRepeatX * game.world.backgroundRepeatY, 100);
  // A lost display reloads every picture; the background keeps its size.
  ReloadAllImages(game.platform);
  DrawBackground(game);
  const Pixel dot = ToPixel(0x20A040u);
  const auto& back = game.platform.display.backBuffer;
  EXPECT_TRUE(std::all_of(back.begin(), back.end(), [dot](Pixel p) { return p == dot; }));
}

TEST_F(LevelStartTest, AMissingBackgroundIsPlayedOnBlackAndNamedOnStderr) {
  SetLevel({Bottom}, "Gone.bmp");
  ::testing::internal::CaptureStderr();
  const bool started = StartLevel(game);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(started) << game.world.loadingProblem;
  EXPECT_LT(game.world.backgroundImage, 0);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
  EXPECT_NE(said.find("Gone.bmp"), std::string::npos);
}

TEST(BackgroundRepeats, CoverTheScreenAndNeverStall) {
  EXPECT_EQ(RepeatsToCover(100, 640), 7);
  EXPECT_EQ(RepeatsToCover(100, 480), 5);
  EXPECT_EQ(RepeatsToCover(640, 640), 1);
  EXPECT_EQ(RepeatsToCover(641, 640), 1);  // one copy already covers the width
  EXPECT_EQ(RepeatsToCover(639, 640), 2);
  EXPECT_EQ(RepeatsToCover(0, 640), 0);
}

class GameStartTest : public ::testing::Test {
 protected:
  std::unique_ptr<HeadlessRun> Start() { return std::make_unique<HeadlessRun>(root, "1-WarmUp.sfs", ""); }
  static bool Loaded(const Game& game) { return game.state.gameLoaded; }
  DefaultTreeCopy tree;
  const std::filesystem::path root = tree.path();
};

TEST_F(GameStartTest, LoadsEveryPictureAndSoundInTheirFixedOrder) {
  auto run = Start();
  ASSERT_TRUE(run->RunUntil(Loaded, 500));
  const Game& game = run->game();
  EXPECT_EQ(game.world.loadingImage, 0);
  EXPECT_EQ(game.world.images.paddleImage, 1);
  EXPECT_EQ(game.world.images.laserImages[1], 7);
  EXPECT_EQ(game.world.images.trailImage, 20);
  EXPECT_EQ(game.platform.text.gameFontImage, 21);
  for (int id = 0; id < GameSoundCount; ++id) EXPECT_EQ(game.world.soundIds[id], id);
  EXPECT_EQ(game.world.spareBalls, 3);
  EXPECT_EQ(game.levelSet.currentLevel, 1);
  EXPECT_TRUE(game.state.levelIntro);
}

TEST_F(GameStartTest, SpeedFileFixesTheFrameStep) {
  std::ofstream(root / "speedhack.txt") << "10\r\n";
  auto run = Start();
  ASSERT_TRUE(run->RunUntil(Loaded, 500));
  EXPECT_EQ(run->game().state.speedOverride, 10);
  run->RunUntil([](const Game&) { return false; }, 3);
  EXPECT_EQ(run->game().state.frameStep, 10);
}

TEST_F(GameStartTest, NewGameDropsTheLevelEndOfAGameLeftDuringItsFade) {
  auto run = Start();
  Game& game = run->game();
  game.world.levelEndRequested = true;  // as Esc leaves them when pressed while a level-end fade runs
  game.state.gameplayFrozen = true;
  ASSERT_TRUE(run->RunUntil(Loaded, 500));
  EXPECT_FALSE(game.world.levelEndRequested);
  EXPECT_FALSE(game.state.gameplayFrozen);
  EXPECT_EQ(game.levelSet.currentLevel, 1);
}

TEST_F(GameStartTest, AFailedStartLoadsOnceThenWaitsWithoutGrowingTheTables) {
  std::filesystem::rename(root / "Gfx" / "trail.bmp", root / "trail.bmp");
  auto run = Start();
  const Game& game = run->game();
  ASSERT_TRUE(run->RunUntil([](const Game& g) { return !g.world.loadingProblem.empty(); }, 500));
  std::size_t surfaces = game.platform.display.surfaceTable.size();
  std::size_t sounds = game.platform.sound.soundTable.size();
  // A file put back meanwhile is not picked up: nothing is read again until the player goes back.
  std::filesystem::rename(root / "trail.bmp", root / "Gfx" / "trail.bmp");
  run->RunUntil([](const Game&) { return false; }, 20);
  EXPECT_FALSE(game.state.levelIntro);
  EXPECT_NE(game.world.loadingProblem.find("trail.bmp"), std::string::npos);
  EXPECT_EQ(game.platform.display.surfaceTable.size(), surfaces);
  EXPECT_EQ(game.platform.sound.soundTable.size(), sounds);
}

// The first and last lit columns of the shown frame within the rows; -1 when none is lit.
std::pair<int, int> LitColumns(const Game& game, int top, int bottom) {
  const std::vector<std::uint32_t> shown = ShownPicture(game.platform);
  int first = -1, last = -1;
  for (int y = top; y <= bottom; ++y)
    for (int x = 0; x < ScreenWidth; ++x)
      if (shown[static_cast<std::size_t>(y) * ScreenWidth + x] != 0) {
        if (first < 0 || x < first) first = x;
        last = std::max(last, x);
      }
  return {first, last};
}

TEST_F(GameStartTest, AnUnreadableSetIsDrawnWithinTheScreen) {
  HeadlessRun run(root, std::string(120, 'x') + ".sfs", "");
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return !g.world.loadingProblem.empty(); }, 500));
  run.RunUntil([](const Game&) { return false; }, 2);
  // The problem's line: a path far wider than the screen, cut to fit it.
  const auto [first, last] = LitColumns(run.game(), 395, 420);
  EXPECT_GE(first, 4);
  EXPECT_LE(last, ScreenWidth - 5);
  EXPECT_GE(LitColumns(run.game(), 430, 455).first, 0);  // "Press Esc to go back"
}

TEST_F(GameStartTest, EscFromAFailedLoadGoesBackToTheFrontEnd) {
  std::filesystem::remove(root / "Sfx" / "Warp.wav");
  HeadlessRun run(root, "1-WarmUp.sfs", "5000 key DIK_ESCAPE down\n");
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return !g.state.frontEndReady; }, 1000));
  EXPECT_NE(run.game().world.loadingProblem.find("Warp.wav"), std::string::npos);
  EXPECT_FALSE(run.game().world.loadingScreenShown);
}

}  // namespace
