// Score panel positions, lost balls, level ends and the end of a game.
#include "gameplay/physics.h"
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



TEST_F(LivesTest, LostBallTakesASpareBallAndRestartsTheIntroOnTheSameBricks) {
  GameWorld& world = game.world;
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
