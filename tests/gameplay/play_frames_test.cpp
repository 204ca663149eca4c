// The intro and play frames: where the ball waits, when play starts, what a play frame draws, how play is left.
#include "gameplay/physics.h"
#include "gameplay/play_frames.h"
#include "platform/dik_codes.h"
#include "test_world.h"

namespace {

class PlayFrameTest : public WorldTest {
 protected:
  PlayFrameTest() { game.platform.input.script.active = true; }
  void Click(bool down) { game.platform.input.script.mouse.buttons[0] = down ? 0x80 : 0; }
};

TEST_F(PlayFrameTest, IntroHoldsTheBallOnTheHomePaddleUntilAClickOnceTheScreenIsNearlyLit) {
  // The paddles at 285 .. 355 across and 205 .. 275 down: the ball waits centred on the home one.
  struct Home {
    Side side;
    float x, y;
  };
  for (Home home : {Home{Bottom, 315, 450}, Home{Top, 315, 20}, Home{Right, 610, 235}, Home{Left, 20, 235}}) {
    Guard({home.side});
    game.world.homeSide = home.side;
    game.state.levelIntro = true;
    const Ball& ball = PutBall(0, 0, 0, 25);
    IntroFrame(game);
    EXPECT_FLOAT_EQ(ball.x, home.x) << home.side;
    EXPECT_FLOAT_EQ(ball.y, home.y) << home.side;
  }
  struct Moment {
    float fade;
    bool click;
    bool starts;
  };
  for (Moment m : {Moment{-31, true, false}, Moment{-30, false, false}, Moment{-30, true, true}}) {
    game.state.levelIntro = true;
    game.state.playing = false;
    game.state.screenFade = m.fade;
    Click(m.click);
    IntroFrame(game);
    EXPECT_EQ(game.state.playing, m.starts) << m.fade << " " << m.click;
    EXPECT_EQ(game.state.levelIntro, !m.starts) << m.fade << " " << m.click;
    EXPECT_TRUE(game.state.fadingIn);
  }
}

TEST_F(PlayFrameTest, BallsMoveUnlessPlayIsFrozenAndAreDrawnEitherWay) {
  game.world.images.ballImage = SolidPicture(10, 30, 0x0777);
  game.state.playing = true;
  for (bool frozen : {false, true}) {
    game.state.gameplayFrozen = frozen;
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    Ball& ball = PutBall(0, 100, 200, 0);
    ball.angle = DegToRad(90);  // the frame takes the velocities from the bearing
    PlayFrame(game);
    EXPECT_FLOAT_EQ(ball.x, frozen ? 100.0f : 105.6f);
    EXPECT_FLOAT_EQ(ball.y, 200.0f);
    EXPECT_EQ(At(static_cast<int>(ball.x) + 2, 205), 0x0777);
    EXPECT_EQ(At(static_cast<int>(ball.x) + 13, 205), 0);
  }
}

TEST_F(PlayFrameTest, ThePauseEndsWithPAndPutsThePaddlesBackWhereTheyWere) {
  game.state.playing = true;
  game.state.paused = true;
  game.platform.input.script.keys[DIK_P] = 0x80;
  game.platform.input.script.mouse.x = 40;  // moved while paused
  game.platform.input.script.mouse.y = 30;
  PlayFrame(game);
  EXPECT_FALSE(game.state.paused);
  EXPECT_FLOAT_EQ(game.state.pointerX, 285.0f);
  EXPECT_FLOAT_EQ(game.state.pointerY, 205.0f);
}

TEST_F(PlayFrameTest, OnTheEndOfGameScreenAClickStartsTheFadeAndNothingMoves) {
  game.state.playing = true;
  game.state.gameOverScreen = true;
  game.world.endMessage = "GAME OVER";
  const Ball& ball = PutBall(0, 100, 200, 90);
  Click(true);
  PlayFrame(game);
  EXPECT_TRUE(game.state.fadingOut);
  EXPECT_FLOAT_EQ(ball.x, 100.0f);
}

TEST_F(PlayFrameTest, EscLeavesPlayOnlyOnceScreenAndMusicHaveFadedOut) {
  game.state.playing = true;
  PutBall(0, 100, 200, 90);
  game.state.quitToFrontEnd = true;
  struct Fades {
    float screen, music;
    bool left;
  };
  for (Fades f : {Fades{0, 50, false}, Fades{-99, 50, false}, Fades{-98, 0, false}, Fades{-99, 0, true}}) {
    game.state.screenFade = f.screen;
    game.state.musicFade = f.music;
    PlayFrame(game);
    EXPECT_EQ(game.state.playing, !f.left) << f.screen << " " << f.music;
    EXPECT_EQ(game.state.quitToFrontEnd, !f.left);
    EXPECT_EQ(game.state.fadingOut, !f.left);
    EXPECT_EQ(game.state.musicFadingOut, !f.left);
  }
  EXPECT_FALSE(game.state.levelIntro);
  EXPECT_FALSE(game.state.frontEndReady);
}

}  // namespace
