// The play input step: hidden chords and the autopilot, played through scripted keys.
#include <gtest/gtest.h>

#include <tuple>

#include "gameplay/player_input.h"
#include "headless_run.h"
#include "platform/dik_codes.h"
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

// The play input step with keys the test holds, in play.
class PlayKeys : public WorldTest {
 protected:
  PlayKeys() {
    game.platform.input.script.active = true;
    game.state.playing = true;
  }
  void Hold(std::initializer_list<int> keys, bool down) {
    for (int key : keys) game.platform.input.script.keys[key] = down ? 0x80 : 0;
  }
};

TEST_F(PlayKeys, PTogglesThePauseAtMostEveryHalfSecondAndOnlyInPlay) {
  Hold({DIK_P}, true);
  for (auto [ms, playing, paused] : {std::tuple{0, true, true}, {499, true, true}, {1, true, false},
                                     {500, false, false}, {0, true, true}}) {
    Advance(ms);
    game.state.playing = playing;
    ReadPlayerInput(game);
    EXPECT_EQ(game.state.paused, paused) << ms << " " << playing;
  }
  Hold({DIK_P}, false);
  Hold({DIK_ESCAPE}, true);  // Esc asks to leave, and ends the pause
  ReadPlayerInput(game);
  EXPECT_TRUE(game.state.quitToFrontEnd);
  EXPECT_FALSE(game.state.paused);
}

TEST_F(PlayKeys, EachHiddenChordNeedsBothItsKeys) {
  const Ball& ball = PutBall(0, 300, 200, 30);
  for (bool both : {false, true}) {
    Hold({DIK_D, DIK_S, DIK_A}, true);
    Hold({DIK_Y, DIK_B, DIK_I}, both);
    ReadPlayerInput(game);
    EXPECT_EQ(game.world.powerMode, both ? PowerMode::Dyna : PowerMode::None);
    EXPECT_EQ(game.world.balls[1].active, both);  // the split copy
    EXPECT_EQ(game.world.autopilot, both);
  }
  // The autopilot puts the paddles where ball 0 lands on them.
  EXPECT_FLOAT_EQ(game.state.pointerX, ball.x - game.world.autopilotOffsetX);
  EXPECT_FLOAT_EQ(game.state.pointerY, ball.y - game.world.autopilotOffsetY);
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
