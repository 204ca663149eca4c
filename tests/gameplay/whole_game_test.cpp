// Whole games through the frame loop, headless: the autopilot plays, levels advance and games end.
#include <gtest/gtest.h>

#include "headless_run.h"

namespace {

const std::filesystem::path DefaultTree = SHARDFALL_DEFAULT_TREE;

bool GameEnded(const Game& game) { return game.state.gameOverScreen; }

TEST(WholeGame, AutopilotFinishesTheWarmUpSet) {
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", AutopilotScript(4000, 1500, 2000000));
  // Capsules would make the end a matter of luck (a Death, a Warp); each level is proven clearable without them.
  run.game().capsulesOff = true;
  ASSERT_TRUE(run.RunUntil(GameEnded, 120000));
  const Game& game = run.game();
  EXPECT_EQ(game.world.endMessage, "You finished this set of levels!");
  EXPECT_EQ(game.levelSet.currentLevel, static_cast<int>(game.levelSet.levelFiles.size()));
  EXPECT_TRUE(game.world.autopilot);
  EXPECT_GT(game.world.score, 0);
  EXPECT_GE(game.world.spareBalls, 0);
}

TEST(WholeGame, AutopilotClearsTheFirstLevelOfTheDefaultSet) {
  HeadlessRun run(DefaultTree, "2-Shardfall.sfs", AutopilotScript(4000, 1500, 2000000), 7);
  int firstLevelScore = 0;
  ASSERT_TRUE(run.RunUntil(
      [&](const Game& game) {
        if (game.levelSet.currentLevel == 1) firstLevelScore = game.world.score;
        return game.levelSet.currentLevel >= 2 && game.state.levelIntro;
      },
      60000));
  EXPECT_GT(firstLevelScore, 0);
  EXPECT_FALSE(run.game().state.gameOverScreen);
}

TEST(WholeGame, UnattendedPaddleLosesEveryBallAndTheGameIsOver) {
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", ClicksScript(1000, 2000000));
  int spareBallsShown = 3;
  ASSERT_TRUE(run.RunUntil(
      [&](const Game& game) {
        if (!game.state.gameLoaded) return false;
        EXPECT_LE(game.world.spareBalls, spareBallsShown);  // one ball at a time, never back up
        spareBallsShown = game.world.spareBalls;
        return GameEnded(game);
      },
      40000));
  const Game& game = run.game();
  EXPECT_EQ(game.world.endMessage, "GAME OVER");
  EXPECT_EQ(game.world.spareBalls, -1);
  EXPECT_EQ(game.levelSet.currentLevel, 1);
}

TEST(WholeGame, LevelWaitsInItsIntroUntilAClick) {
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", "");
  ASSERT_TRUE(run.RunUntil([](const Game& game) { return game.state.levelIntro && game.state.gameLoaded; }, 1000));
  run.RunUntil([](const Game&) { return false; }, 300);
  const Game& game = run.game();
  EXPECT_TRUE(game.state.levelIntro);
  EXPECT_FALSE(game.state.playing);
  const Ball& ball = game.world.balls[0];
  EXPECT_FLOAT_EQ(ball.y, 450.0f);  // held on the home paddle
  EXPECT_FLOAT_EQ(ball.x, game.state.pointerX + game.world.paddleLength / 2.0f - 5.0f);
}

}  // namespace
