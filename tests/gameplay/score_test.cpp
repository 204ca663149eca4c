// Score panel positions, lost balls, level ends and the end of a game.
#include "gameplay/physics.h"
#include "platform/dik_codes.h"
#include "gameplay/score.h"
#include "fresh_folder.h"
#include "test_world.h"

namespace {

class LivesTest : public WorldTest {
 protected:
  LivesTest() {
    game.world.spareBalls = 2;
    game.levelSet.levelFiles = {"one.sfl", "two.sfl"};
    game.levelSet.currentLevel = 1;
    game.state.playing = true;
  }
  bool AnyBallActive() const {
    for (const Ball& ball : game.world.balls)
      if (ball.active) return true;
    return false;
  }
};

TEST(ScorePanel, ScoreIsRightAlignedWithItsLastDigitEndingAt630) {
  EXPECT_FLOAT_EQ(ScoreX(12345), 534.0f);  // digits at 534 .. 614
  EXPECT_FLOAT_EQ(ScoreX(0), 614.0f);
  EXPECT_FLOAT_EQ(ScoreX(-5), 614.0f);     // the sign takes the place a blank would
}



using ScorePanelTest = WorldTest;

TEST_F(ScorePanelTest, ScoreAndSpareBallsAreDrawnDigitByDigitFromTheirRows) {
  // numbers.bmp: digit d of the upper row coloured 1 + d, of the lower row 11 + d.
  game.world.images.numbersImage =
      Picture(160, 48, [](int x, int y) { return static_cast<Pixel>(1 + x / 16 + 10 * (y / 24)); });
  struct Panel {
    int score, spareBalls;
    float multiplier;
    int firstDigitX;
    Pixel first, last, spare;  // the score's first and last digit, the spare balls' first
  };
  for (Panel p : {Panel{12345, 7, 1, 534, 2, 6, 18}, Panel{908, -1, 2, 574, 20, 19, 12}}) {
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    game.world.score = p.score;
    game.world.spareBalls = p.spareBalls;
    game.world.pointMultiplier = p.multiplier;
    DrawScorePanel(game);
    EXPECT_EQ(At(p.firstDigitX, 8), p.first) << p.score;
    EXPECT_EQ(At(p.firstDigitX - 1, 8) + At(p.firstDigitX + 16, 8) + At(630, 8) + At(629, 7), 0) << p.score;
    EXPECT_EQ(At(614, 8), p.last) << p.score;
    EXPECT_EQ(At(629, 31), p.last) << p.score;
    EXPECT_EQ(At(8, 8), p.spare) << p.score;  // "-1" shows as 1
    EXPECT_EQ(At(23, 31), p.spare) << p.score;
  }
}

TEST_F(LivesTest, LostBallTakesASpareBallAndRestartsTheIntroOnTheSameBricks) {
  GameWorld& world = game.world;
  world.shots[2].active = true;
  world.particles.assign(5, Particle{1, 1, 1, 1, true, 0, 0});
  CheckBallLoss(game);  // first the screen fades out
  EXPECT_TRUE(game.state.fadingOut);
  EXPECT_EQ(world.spareBalls, 2);
  EXPECT_FALSE(AnyBallActive());
  PutBall(3, 10, 10, 0);  // a ball in play: nothing happens
  game.state.fadingOut = false;
  game.state.screenFade = -99.0f;
  CheckBallLoss(game);
  EXPECT_FALSE(game.state.fadingOut);
  EXPECT_EQ(world.spareBalls, 2);
  world.balls[3].active = false;
  Brick(4, 4, Tile::Plain);
  world.homeSide = Top;
  world.paddleLength = 120.0f;
  world.powerMode = PowerMode::DoublePoints;
  world.pointMultiplier = 2.0f;
  world.powerups[0] = Powerup{true, 3, PowerupKind::DoublePoints, 10.0f, 10.0f, Bottom};
  world.fallingCapsules = 1;
  world.explosionGrid[2][2].pending = true;
  game.state.screenFade = -99.0f;
  CheckBallLoss(game);
  EXPECT_EQ(world.spareBalls, 1);
  EXPECT_TRUE(world.balls[0].active);
  EXPECT_NEAR(RadToDeg(world.balls[0].angle), 205.0f, 1e-3);
  EXPECT_FLOAT_EQ(world.paddleLength, 70.0f);
  EXPECT_EQ(world.powerMode, PowerMode::None);
  EXPECT_FLOAT_EQ(world.pointMultiplier, 1.0f);
  EXPECT_EQ(world.fallingCapsules, 0);
  EXPECT_EQ(world.powerups.size(), 1u);
  EXPECT_FALSE(world.powerups[0].active);
  EXPECT_FALSE(world.explosionGrid[2][2].pending);
  EXPECT_EQ(Cell(4, 4), Tile::Plain);
  EXPECT_TRUE(game.state.levelIntro);
  EXPECT_FALSE(game.state.playing);
  EXPECT_FALSE(game.state.fadingOut);
  EXPECT_FALSE(world.shots[2].active);
  EXPECT_EQ(world.particles.size(), 1u);
  EXPECT_FALSE(world.particles[0].active);
  EXPECT_EQ(world.particleClock.nextTick, game.clock.now + 70.0f);
}

TEST_F(LivesTest, LastLevelClearedFinishesTheSetWithItsSound) {
  game.levelSet.currentLevel = 2;
  game.world.levelEndRequested = true;
  game.state.screenFade = -99.0f;
  PutBall(0, 100, 100, 0);
  Heard();
  CheckLevelEnd(game);
  EXPECT_TRUE(game.state.gameOverScreen);
  EXPECT_EQ(game.world.endMessage, "You finished this set of levels!");
  EXPECT_EQ(Heard(), std::vector<std::string>{"FinishedSet.wav"});
  EXPECT_FALSE(AnyBallActive());
  EXPECT_FALSE(game.state.fadingOut);
  EXPECT_FALSE(game.state.musicFadingOut);
}

TEST_F(LivesTest, EndOfGameScreenIsLeftBySpaceEnterEscOrAButton) {
  game.state.gameOverScreen = true;
  game.world.endMessage = "GAME OVER";
  game.world.spareBalls = -1;
  game.state.musicFade = 50.0f;  // not faded yet
  for (auto [key, leaves] : {std::pair{DIK_SPACE, true}, {DIK_RETURN, true}, {DIK_ESCAPE, true}, {DIK_P, false},
                             {0, false}}) {
    for (bool button : {false, true}) {
      game.platform.input.keyPressed = {};
      game.platform.input.keyPressed[key] = key != 0;
      game.state.leftButton = button && key == 0;
      game.state.rightButton = button && key == DIK_P;
      game.state.fadingIn = true;
      game.state.fadingOut = game.state.musicFadingOut = false;
      RunGameOverScreen(game);
      const bool left = leaves || button;
      EXPECT_EQ(game.state.fadingOut, left) << key << " " << button;
      EXPECT_EQ(game.state.musicFadingOut, left) << key << " " << button;
      EXPECT_EQ(game.state.fadingIn, !left) << key << " " << button;
    }
  }
  EXPECT_TRUE(game.state.gameOverScreen);
}

TEST_F(LivesTest, LastBallLostEndsTheGameWithGameOver) {
  game.world.spareBalls = 0;
  game.state.screenFade = -99.0f;
  CheckBallLoss(game);
  EXPECT_EQ(game.world.spareBalls, -1);
  EXPECT_TRUE(game.world.levelEndRequested);
  EXPECT_FALSE(AnyBallActive());
  CheckLevelEnd(game);
  EXPECT_TRUE(game.state.gameOverScreen);
  EXPECT_EQ(game.world.endMessage, "GAME OVER");
  EXPECT_FALSE(game.world.levelEndRequested);
  EXPECT_FALSE(game.state.gameplayFrozen);
  EXPECT_TRUE(game.state.fadingIn);
}

TEST_F(LivesTest, LevelEndFreezesPlayUntilTheFadeEnds) {
  game.world.levelEndRequested = true;
  PutBall(0, 100.0f, 100.0f, 0.0f);
  CheckLevelEnd(game);
  EXPECT_TRUE(game.state.gameplayFrozen);
  EXPECT_TRUE(game.state.fadingOut);
  EXPECT_TRUE(game.state.musicFadingOut);
  EXPECT_EQ(game.levelSet.currentLevel, 1);
  EXPECT_FALSE(game.state.gameOverScreen);
}


TEST_F(LivesTest, NextLevelThatCannotBeLoadedEndsTheGameWithAMessage) {
  const FreshFolder empty;
  game.folders = SameFolders(empty / "no-such-program-folder");
  game.world.levelEndRequested = true;
  game.state.screenFade = -99.0f;
  CheckLevelEnd(game);
  EXPECT_TRUE(game.state.gameOverScreen);
  EXPECT_NE(game.world.endMessage.find("cannot be loaded"), std::string::npos);
  EXPECT_FALSE(game.world.loadingProblem.empty());
  EXPECT_FALSE(game.state.gameplayFrozen);
}

TEST_F(LivesTest, EndOfGameScreenHandsTheScoreFileToTheFrontEnd) {
  game.state.gameOverScreen = true;
  game.world.endMessage = "GAME OVER";
  game.world.spareBalls = -1;
  game.levelSetPath = "/games/Lvl/Crystal.sfs";
  game.state.screenFade = -99.0f;
  game.state.musicFade = 0.0f;
  RunGameOverScreen(game);
  EXPECT_FALSE(game.state.gameOverScreen);
  EXPECT_FALSE(game.state.playing);
  EXPECT_FALSE(game.state.frontEndReady);
  EXPECT_EQ(game.frontEnd.pendingScoreFile, "/games/Lvl/Crystal.sfh");
  EXPECT_TRUE(game.frontEnd.scoreEntryPending);
}

TEST_F(LivesTest, FinishedSetSetsOffFireworksButGameOverDoesNot) {
  game.state.gameOverScreen = true;
  game.world.endMessage = "GAME OVER";
  game.world.spareBalls = -1;
  RunGameOverScreen(game);
  EXPECT_EQ(game.world.particles.size(), 1u);
  game.world.endMessage = "You finished this set of levels!";
  game.world.spareBalls = 1;
  RunGameOverScreen(game);
  EXPECT_GE(game.world.particles.size(), 31u);
  EXPECT_EQ(game.world.particleClock.interval, 700);
}

}  // namespace
