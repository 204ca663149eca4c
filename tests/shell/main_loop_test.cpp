// Frame timing, the mode dispatch order, the fade hand-over and the ends of the loop.
#include <gtest/gtest.h>

#include "core/game_input.h"
#include "platform/display.h"
#include "platform/input.h"
#include "test_support.h"
#include "shell/main_loop.h"

namespace {

// The window's place goes into the settings file at the end; a run told to open a window keeps the full-screen
// choice unless the player went full screen in it.
TEST(RememberWindow, TheWindowsPlaceAndFullScreenAreSavedForTheNextStart) {
  struct Case {
    bool forcedWindow;
    WindowPlace place;
    Settings expected;  // the window fields only
  };
  auto settingsOf = [](int x, int y, int width, int height, int full) {
    Settings settings;
    settings.windowX = x, settings.windowY = y, settings.windowWidth = width, settings.windowHeight = height;
    settings.fullScreen = full;
    return settings;
  };
  const Case cases[] = {
      {false, {10, 20, 800, 600, false}, settingsOf(10, 20, 800, 600, 0)},
      {true, {10, 20, 800, 600, false}, settingsOf(10, 20, 800, 600, 1)},
      {true, {10, 20, 800, 600, true}, settingsOf(10, 20, 800, 600, 1)},
      {false, {10, 0, 800, 600, false}, settingsOf(10, 0, 800, 600, 0)},  // at the top edge
      {false, {-300, 20, 20000, 30000, true}, settingsOf(-1, -1, 16384, 16384, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place.x + c.forcedWindow);
    FreshFolder folder;
    std::unique_ptr<Game> game = MakeHeadlessGame(folder.path());
    game->settingsFile = folder.path() / "settings.ini";
    game->platform.options.windowed = c.forcedWindow;
    UseTestWindowAndPads(*game).place = c.place;
    RememberWindow(*game);
    Settings saved;
    std::string problem;
    ASSERT_TRUE(ReadSettingsFile(game->settingsFile, saved, problem)) << problem;
    EXPECT_EQ(saved.windowX, c.expected.windowX);
    EXPECT_EQ(saved.windowY, c.expected.windowY);
    EXPECT_EQ(saved.windowWidth, c.expected.windowWidth);
    EXPECT_EQ(saved.windowHeight, c.expected.windowHeight);
    EXPECT_EQ(saved.fullScreen, c.expected.fullScreen);
  }
}

class FrameTiming : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  FrameTimer timer;
  std::int32_t StepAfter(std::int32_t elapsed) {
    game->clock.now += elapsed;
    MeasureFrameStep(*game, timer);
    return game->state.frameStep;
  }
};

TEST_F(FrameTiming, MeasuresTheTimeSinceTheLastFrame) {
  EXPECT_EQ(StepAfter(16), 16);
  EXPECT_EQ(StepAfter(33), 33);
  EXPECT_EQ(game->state.lastTick, 49);
}

// Play's clock runs at the game's pace, rounded down also before 0; its steps add up to it, so nothing is lost
// however the frames fall, and at the full pace they are the frames' own.
TEST_F(FrameTiming, PlaysClockAndStepsRunAtTheGamesPaceAndLoseNoTime) {
  struct Case {
    std::int32_t speed, elapsed, frames, clockAfter, firstStep;
  };
  const Case cases[] = {{100, 16, 40, 640, 16}, {70, 16, 40, 448, 11}, {50, 33, 30, 495, 16}, {90, 7, 50, 315, 6}};
  for (const Case& c : cases) {
    game = MakeHeadlessGame();
    game->recorder.recording.settings.gameSpeed = c.speed;
    std::int32_t played = 0;
    for (int i = 0; i < c.frames; ++i) {
      StepAfter(c.elapsed);
      if (i == 0) {
        EXPECT_EQ(PlayStep(*game), c.firstStep) << c.speed;
      }
      played += PlayStep(*game);
    }
    EXPECT_EQ(PlayNow(*game), c.clockAfter) << c.speed;
    EXPECT_EQ(played, c.clockAfter) << c.speed << " %: steps that do not add up to the clock";
  }
  game->clock.now = 8;
  game->state.frameStep = 16;
  game->recorder.recording.settings.gameSpeed = 70;
  EXPECT_EQ(PlayStep(*game), 11) << "5 - (-6): rounded down, not toward 0";
}

TEST_F(FrameTiming, SpeedOverrideOfTenFixesEveryFrame) {
  game->state.speedOverride = 10;
  for (std::int32_t elapsed : {1, 16, 40, 400}) EXPECT_EQ(StepAfter(elapsed), 10);
}

TEST_F(FrameTiming, SpeedOverrideOfEightyIsCutToFifty) {
  game->state.speedOverride = 80;
  EXPECT_EQ(StepAfter(16), 50);
}

TEST_F(FrameTiming, AFrameAfterAThreeSecondPauseAdvancesFifty) { EXPECT_EQ(StepAfter(3000), 50); }

TEST_F(FrameTiming, AClockThatWrapsPastTwoToTheThirtyOneStillMeasures) {
  game->state.lastTick = game->clock.now = INT32_MAX - 5;
  game->clock.now = INT32_MIN + 10;  // 16 ms on, as the millisecond count wraps
  MeasureFrameStep(*game, timer);
  EXPECT_EQ(game->state.frameStep, 16);
}

TEST_F(FrameTiming, FiftyInstantFramesSwitchTheThrottleOnForGood) {
  for (int i = 0; i < 30; ++i) StepAfter(0);
  StepAfter(16);
  for (int i = 0; i < 19; ++i) StepAfter(0);
  EXPECT_FALSE(timer.slowMachineThrottle);
  EXPECT_EQ(StepAfter(0), 0);  // no lower bound
  EXPECT_TRUE(timer.slowMachineThrottle);
  StepAfter(16);
  EXPECT_TRUE(timer.slowMachineThrottle);
  EXPECT_EQ(timer.fastFrameCount, 50);
}

// Records which steps ran, in order, for the dispatch tests.
std::vector<std::string> ran;
void SetUpFrontEndStep(Game& game) {
  ran.push_back("setUp");
  game.state.frontEndReady = true;
}
void FrontEndStep(Game&) { ran.push_back("frontEnd"); }
void StartGameStep(Game&) { ran.push_back("start"); }
void IntroStep(Game&) { ran.push_back("intro"); }
void PlayStep(Game&) { ran.push_back("play"); }

class LoopTest : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  ModeSteps steps{SetUpFrontEndStep, FrontEndStep, StartGameStep, IntroStep, PlayStep};
  FrameTimer timer;
  void SetUp() override { ran.clear(); }
  std::string RunOne() {
    ran.clear();
    RunFrame(*game, steps, timer);
    return ran.empty() ? "" : ran.front();
  }
};

TEST_F(LoopTest, DispatchTakesTheFirstMatchOnly) {
  GameState& s = game->state;
  s.inFrontEnd = s.levelIntro = s.playing = true;
  EXPECT_EQ(RunOne(), "setUp");
  EXPECT_EQ(ran.size(), 1u);
  EXPECT_EQ(RunOne(), "frontEnd");
  s.inFrontEnd = false;
  EXPECT_EQ(RunOne(), "start");
  s.gameLoaded = true;
  EXPECT_EQ(RunOne(), "intro");
  s.levelIntro = false;
  EXPECT_EQ(RunOne(), "play");
  s.playing = false;
  EXPECT_EQ(RunOne(), "");
}

TEST_F(LoopTest, NothingActiveShowsBlackAndKeepsRunning) {
  game->state.frontEndReady = game->state.gameLoaded = true;
  LoopControl control;
  control.maxFrames = 20;
  MainLoop(*game, steps, control);
  EXPECT_TRUE(game->state.running);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(TickCount(game->clock), 20 * 16);
  for (std::uint32_t rgb : ShownPicture(game->platform)) ASSERT_EQ(rgb, 0u);
}

TEST_F(LoopTest, StartsBlackAndEveryFrameBeginsCleared) {
  LoopControl control;
  control.maxFrames = 1;
  ModeSteps drawOnce;
  drawOnce.setUpFrontEnd = [](Game& g) { ClearBackBuffer(g.platform, 0xFFFF); };
  MainLoop(*game, drawOnce, control);
  EXPECT_EQ(game->state.screenFade, -99.0f);
  EXPECT_EQ(ShownPicture(game->platform)[0], 0x020202u);  // white under the ramp of -99
}

// A mode that leaves by the fade rule, then quits.
void LeavingStep(Game& game) {
  RequestFadeOut(game);
  if (FadesEnded(game)) game.state.running = false;
}

TEST_F(LoopTest, LeavingWaitsForBothFadesToLandExactly) {
  game->state.screenFade = 0;
  game->state.musicFade = 85;
  game->state.frontEndReady = game->state.inFrontEnd = true;
  steps.frontEndFrame = LeavingStep;
  int frames = 0;
  game->state.running = true;
  while (game->state.running && frames < 1000) RunFrame(*game, steps, timer), ++frames;
  EXPECT_EQ(game->state.screenFade, -99.0f);
  EXPECT_EQ(game->state.musicFade, 0.0f);
  EXPECT_EQ(frames, 80);  // the screen fade (79 frames of 16 ms) is the longer; seen one frame later
}

TEST_F(LoopTest, WithoutGammaLeavingWaitsOnlyForTheMusic) {
  game->state.gammaAvailable = false;
  game->state.musicFade = 85;
  game->state.frontEndReady = game->state.inFrontEnd = true;
  steps.frontEndFrame = LeavingStep;
  int frames = 0;
  game->state.running = true;
  while (game->state.running && frames < 1000) RunFrame(*game, steps, timer), ++frames;
  EXPECT_EQ(frames, 68);
}

TEST_F(LoopTest, FadeInRunsAfterTheFlip) {
  game->state.frontEndReady = game->state.inFrontEnd = true;
  game->state.screenFade = -99;
  game->state.fadingIn = true;
  steps.frontEndFrame = [](Game& g) { ClearBackBuffer(g.platform, 0xFFFF); };
  RunFrame(*game, steps, timer);
  EXPECT_FLOAT_EQ(game->state.screenFade, -97.72f);
  EXPECT_EQ(ShownPicture(game->platform)[0], 0x050505u);  // the frame shows under the new ramp at once
}

// The front-end, intro and play frames end by waiting for a window taken away, then load the pictures anew.
TEST_F(LoopTest, TheMenuIntroAndPlayFramesWaitForAWindowTakenAwayAndReloadThePictures) {
  FreshFolder folder;
  WriteTestBitmap(folder / "p.bmp", 2, 2, [](int, int) { return 0xFFFFFFu; });
  TestWindow& window = UseTestWindowAndPads(*game);
  SurfaceTable& table = game->platform.display.surfaceTable;
  const struct {
    const char* mode;
    bool inFrontEnd, gameLoaded, levelIntro, playing, checks;
  } cases[] = {
      {"front end", true, false, false, false, true},
      {"game start", false, false, false, false, false},
      {"intro", false, true, true, false, true},
      {"play", false, true, false, true, true},
  };
  for (const auto& c : cases) {
    GameState& s = game->state;
    s.frontEndReady = true;
    s.inFrontEnd = c.inFrontEnd;
    s.gameLoaded = c.gameLoaded;
    s.levelIntro = c.levelIntro;
    s.playing = c.playing;
    table.assign(1, Surface{});
    table[0].fileName = (folder / "p.bmp").string();
    window.awayReads = 3;
    RunFrame(*game, steps, timer);
    EXPECT_EQ(window.awayReads, c.checks ? 0 : 3) << c.mode;
    EXPECT_EQ(table[0].pixels.size(), c.checks ? 4u : 0u) << c.mode;
  }
}

TEST_F(LoopTest, QuitRequestEndsTheLoop) {
  game->state.frontEndReady = game->state.gameLoaded = true;
  game->platform.quitRequested = true;
  LoopControl control;
  MainLoop(*game, steps, control);
  EXPECT_FALSE(game->state.running);
}

class WaitingLoop : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  void SetUp() override {
    game->platform.input.script.active = true;
    game->platform.input.script.events.push_back({100, ScriptEvent::Kind::Key, DIK_P, true});
  }
};

TEST_F(WaitingLoop, HeadlessWaitEndsOnceTheScriptHasNothingLeft) {
  int passes = 0;
  while (WaitingLoopPass(game->platform, game->clock) && passes < 1000) {
    ++passes;
    ReadKeyboard(*game);
  }
  EXPECT_EQ(passes, 8);  // 16 ms a pass: the event at 100 is read after the seventh; the eighth still returns
  EXPECT_TRUE(game->platform.input.keyPressed[DIK_P]);
  EXPECT_TRUE(game->platform.quitRequested);
}

TEST_F(WaitingLoop, AWindowClosedEndsEitherWaitAtItsFirstPass) {
  for (bool paused : {true, false}) {
    game = MakeHeadlessGame();
    UseTestWindowAndPads(*game).closed = true;
    EXPECT_FALSE(paused ? WaitingLoopPass(game->platform, game->clock) : IdlePass(game->platform)) << paused;
    EXPECT_TRUE(game->platform.quitRequested) << paused;
  }
}

TEST_F(WaitingLoop, TheWaitThatTheLastEventEndsDoesNotEndTheRun) {
  // The pause loop's shape: read, then one pass, until the key says stop.
  do ReadKeyboard(*game);
  while (WaitingLoopPass(game->platform, game->clock) && !game->platform.input.keyPressed[DIK_P]);
  EXPECT_TRUE(game->platform.input.keyPressed[DIK_P]);
  EXPECT_FALSE(game->platform.quitRequested);
}

}  // namespace
