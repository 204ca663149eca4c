// The play input step: hidden chords and the autopilot, played through scripted keys.
#include <gtest/gtest.h>

#include "gameplay/player_input.h"
#include "headless_run.h"
#include "test_world.h"

namespace {

const std::filesystem::path DefaultTree = SHARDFALL_DEFAULT_TREE;

// A chord held from `tick` for `ms`, in a game whose intro is on screen by then.
std::string Chord(const char* first, const char* second, int tick, int ms) {
  return std::to_string(tick) + " key " + first + " down\n" + std::to_string(tick) + " key " + second + " down\n" +
         std::to_string(tick + ms) + " key " + first + " up\n" + std::to_string(tick + ms) + " key " + second +
         " up\n";
}

int ActiveBalls(const Game& game) {
  int count = 0;
  for (const Ball& ball : game.world.balls) count += ball.active ? 1 : 0;
  return count;
}

bool After(const Game& game, int tick) { return Now(game) >= tick; }

TEST(HiddenChords, SplitChordCopiesEveryBallOncePerFrameHeld) {
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", Chord("DIK_S", "DIK_B", 4000, 1) + Chord("DIK_S", "DIK_B", 5000, 30));
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return After(g, 4500); }, 1000));
  EXPECT_EQ(ActiveBalls(run.game()), 2);
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return After(g, 5500); }, 1000));
  EXPECT_EQ(ActiveBalls(run.game()), 8);  // two frames held: doubled twice
}


TEST(HiddenChords, AutopilotChordTogglesOnEveryFrameItIsHeld) {
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", Chord("DIK_A", "DIK_I", 4000, 1) + Chord("DIK_A", "DIK_I", 5000, 30));
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return After(g, 4100); }, 1000));
  EXPECT_TRUE(run.game().world.autopilot);
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return After(g, 5100); }, 1000));
  EXPECT_TRUE(run.game().world.autopilot);  // held for two frames: off, then on again
}

TEST(Pause, PKeyFreezesPlayUntilPressedAgainButNotDuringTheIntro) {
  // The click at 4500 starts play; P at 3500 falls in the intro and is ignored.
  std::string script = "3500 key DIK_P down\n3520 key DIK_P up\n4500 button left down\n4540 button left up\n"
                       "6000 key DIK_P down\n6020 key DIK_P up\n8000 key DIK_P down\n8020 key DIK_P up\n";
  HeadlessRun run(DefaultTree, "1-WarmUp.sfs", script);
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return After(g, 4000); }, 1000));
  EXPECT_FALSE(run.game().state.paused);
  ASSERT_TRUE(run.RunUntil([](const Game& g) { return g.state.paused; }, 1000));
  float y = run.game().world.balls[0].y;
  run.RunUntil([](const Game&) { return true; }, 1);  // the pause loop waits inside this frame
  EXPECT_FALSE(run.game().state.paused);
  EXPECT_GE(Now(run.game()), 8000);
  EXPECT_NEAR(run.game().world.balls[0].y, y, 0.35f * 16.0f + 0.01f);  // one step, not two seconds of motion
}

using AutopilotTest = WorldTest;

TEST_F(AutopilotTest, LandingPointStaysInsideThePaddle) {
  game.world.balls[0].x = 300.0f;
  game.world.balls[0].y = 200.0f;
  for (int draw = 0; draw < 200; ++draw) {
    ChooseAutopilotOffsets(game);
    EXPECT_GE(game.world.autopilotOffsetX, 0.0f);
    EXPECT_LE(game.world.autopilotOffsetX, game.world.paddleLength - 10.0f);
    EXPECT_LE(game.world.autopilotOffsetY, game.world.paddleLength - 10.0f);
  }
  game.world.balls[0].x = 20.0f;  // near the left edge the offset never exceeds the ball's own x
  for (int draw = 0; draw < 50; ++draw) {
    ChooseAutopilotOffsets(game);
    EXPECT_LE(game.world.autopilotOffsetX, 20.0f);
  }
}

}  // namespace
