// Ball motion, walls, paddle hits and bounces, catching and the paddle's size.
#include <cmath>

#include "gameplay/physics.h"
#include "test_world.h"

namespace {

float Degrees(const Ball& ball) { return RadToDeg(ball.angle); }


TEST(CellOf, TakesTheCellOfTheNearestWholePixel) {
  EXPECT_EQ(CellOf(31.4f, Axis::Horizontal), 1);
  EXPECT_EQ(CellOf(31.6f, Axis::Horizontal), 2);
  EXPECT_EQ(CellOf(32.0f, Axis::Horizontal), 2);
  EXPECT_EQ(CellOf(63.49f, Axis::Horizontal), 2);
  EXPECT_EQ(CellOf(15.5f, Axis::Vertical), 2);  // 15.5 rounds to 16, ties to even
  EXPECT_EQ(CellOf(16.5f, Axis::Vertical), 2);  // 16.5 rounds to 16 as well
  EXPECT_EQ(CellOf(14.5f, Axis::Vertical), 1);
}

TEST(CellOf, ClampsEveryCoordinateIntoThePlayfield) {
  EXPECT_EQ(CellOf(-40.0f, Axis::Horizontal), 1);
  EXPECT_EQ(CellOf(639.7f, Axis::Horizontal), 20);
  EXPECT_EQ(CellOf(5000.0f, Axis::Horizontal), 20);
  EXPECT_EQ(CellOf(-1.0f, Axis::Vertical), 1);
  EXPECT_EQ(CellOf(480.0f, Axis::Vertical), 30);
}

using PaddleBounceTest = WorldTest;

TEST_F(PaddleBounceTest, CentreReturnsStraightUp) {
  PutBall(0, 315.0f, 445.0f, 180.0f);  // centre of the paddle at 285 .. 355
  MoveBalls(game);
  EXPECT_FLOAT_EQ(Degrees(game.world.balls[0]), 0.0f);
  EXPECT_FLOAT_EQ(game.world.balls[0].y, 450.0f);
  EXPECT_EQ(game.world.homeSide, Bottom);
}

TEST_F(PaddleBounceTest, EndsLeaveAtSixtyDegrees) {
  PutBall(0, 350.0f, 450.0f, 180.0f);  // centre at the paddle's right end
  PaddleBounce(game, 0, Bottom);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 60.0f, 1e-3);
  PutBall(0, 280.0f, 450.0f, 180.0f);  // centre at the left end
  PaddleBounce(game, 0, Bottom);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 300.0f, 1e-3);
}

TEST_F(PaddleBounceTest, TenPixelsBeforeTheStartLeavesBeyondSixtyDegrees) {
  PutBall(0, 275.0f, 450.0f, 180.0f);
  PaddleBounce(game, 0, Bottom);
  float degrees = Degrees(game.world.balls[0]);
  EXPECT_GT(degrees, 270.0f);
  EXPECT_LT(degrees, 300.0f);
  EXPECT_NEAR(degrees, 360.0f - 60.0f * 40.0f / 35.0f, 1e-3);
}



using WallTest = WorldTest;

TEST_F(WallTest, UnguardedSideIsAWall) {
  Guard({Top});
  PutBall(0, 100.0f, 465.0f, 180.0f);
  MoveBalls(game);
  const Ball& ball = game.world.balls[0];
  EXPECT_TRUE(ball.active);
  EXPECT_FLOAT_EQ(ball.y, 470.0f);
  EXPECT_NEAR(Degrees(ball), 0.0f, 1e-3);
}

TEST_F(WallTest, GuardedSideLosesTheBall) {
  game.state.pointerX = 500.0f;
  PutBall(0, 100.0f, 465.0f, 180.0f);
  MoveBalls(game);
  EXPECT_FALSE(game.world.balls[0].active);
}


TEST_F(WallTest, ProtectKeepsABallOnAGuardedSide) {
  game.world.powerMode = PowerMode::Protect;
  game.state.pointerX = 500.0f;
  PutBall(0, 100.0f, 465.0f, 180.0f);
  MoveBalls(game);
  EXPECT_TRUE(game.world.balls[0].active);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 0.0f, 1e-3);
}

TEST_F(WallTest, ProtectPushesABallBackOutOfTheWall) {
  Guard({Top, Bottom, Left, Right});
  game.world.powerMode = PowerMode::Protect;
  game.state.pointerX = 500.0f;
  game.state.frameStep = 1;
  PutBall(0, 300.0f, 4.9f, 0.0f);  // one frame inside the top wall
  MoveBalls(game);
  EXPECT_FLOAT_EQ(game.world.balls[0].y, 5.0f);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 180.0f, 1e-3);
  PutBall(0, 625.5f, 200.0f, 90.0f);  // inside the right wall, though that side is open
  Guard({Bottom});
  MoveBalls(game);
  EXPECT_FLOAT_EQ(game.world.balls[0].x, 625.0f);
}

using CatchTest = WorldTest;

TEST_F(CatchTest, CaughtBallRidesThePaddle) {
  game.world.powerMode = PowerMode::Catch;
  PutBall(0, 330.0f, 445.0f, 180.0f);
  MoveBalls(game);
  Ball& ball = game.world.balls[0];
  EXPECT_FLOAT_EQ(ball.holdOffset, 45.0f);
  game.state.pointerX = 200.0f;
  MoveBalls(game);
  EXPECT_FLOAT_EQ(ball.x, 245.0f);
  EXPECT_FLOAT_EQ(ball.y, 450.0f);
}

TEST_F(CatchTest, OffsetIsCutWhenThePaddleShrinks) {
  game.world.powerMode = PowerMode::Catch;
  Ball& ball = PutBall(0, 355.0f, 450.0f, 0.0f);
  ball.holdOffset = 70.0f;
  ball.holdSide = Bottom;
  game.world.paddleLength = 60.0f;
  MoveBalls(game);
  EXPECT_FLOAT_EQ(ball.holdOffset, 60.0f);
  EXPECT_FLOAT_EQ(ball.x, 345.0f);
}


using PaddleTest = WorldTest;

TEST_F(PaddleTest, CornerMarginsKeepCrossingPaddlesApart) {
  Guard({Bottom, Right});
  game.world.cornerMargin = {0, 0, 18, 18};
  game.state.pointerX = 640.0f;
  game.state.pointerY = 480.0f;
  UpdateAndDrawPaddles(game);
  EXPECT_FLOAT_EQ(game.state.pointerX, 640.0f - 70.0f - 18.0f);
  EXPECT_FLOAT_EQ(game.state.pointerY, 480.0f - 70.0f - 18.0f);
  game.world.cornerMargin = {};
  game.state.pointerX = 640.0f;
  UpdateAndDrawPaddles(game);
  EXPECT_FLOAT_EQ(game.state.pointerX, 570.0f);
}

TEST_F(PaddleTest, AGuardedCornerSendsItsBallOutAlongTheDiagonal) {
  Guard({Bottom, Right});
  game.world.cornerMargin = {0, 0, 18, 18};
  game.state.pointerX = 552.0f;  // both paddles as far into the corner as they go
  game.state.pointerY = 392.0f;
  PutBall(0, 606.0f, 446.0f, 135.0f);  // down and to the right, into the corner
  for (int frame = 0; frame < 60; ++frame) {
    UpdateBallVelocities(game);
    MoveBalls(game);
  }
  const Ball& ball = game.world.balls[0];
  EXPECT_TRUE(ball.active);
  EXPECT_LT(ball.x, 500.0f);
  EXPECT_LT(ball.y, 350.0f);
  PutBall(0, 606.0f, 450.0f, 180.0f);
  PaddleBounce(game, 0, Bottom);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 315.0f, 1e-3);
}

TEST_F(PaddleTest, GrowthStopsOnceThePaddleReachesItsLongest) {
  game.world.paddleLength = 300.0f;
  game.world.growTarget = 332;
  for (int frame = 0; frame < 100; ++frame) UpdateAndDrawPaddles(game);
  float settled = game.world.paddleLength;
  EXPECT_NEAR(settled, 320.0f, 0.08f * 16.0f);  // a step past 320 is taken back by the shrink rule
  UpdateAndDrawPaddles(game);
  EXPECT_FLOAT_EQ(game.world.paddleLength, settled);
}


using SplitTest = WorldTest;

TEST_F(SplitTest, CopiesHeadTheOtherWayAndFillOnlyFreeSlots) {
  for (int i = 0; i < 9; ++i) PutBall(i, 100.0f + i, 200.0f, 30.0f);
  SplitBalls(game, 1);
  int active = 0;
  for (const Ball& ball : game.world.balls) active += ball.active ? 1 : 0;
  EXPECT_EQ(active, 16);
  EXPECT_NEAR(Degrees(game.world.balls[9]), 330.0f, 1e-3);
  EXPECT_FLOAT_EQ(game.world.balls[9].x, 100.0f);
  SplitBalls(game, 0);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 30.0f, 1e-3);  // nothing free: no copy, no change
}


}  // namespace

namespace {

using WedgeTest = WorldTest;

TEST_F(WedgeTest, BallBlockedOnBothAxesTurnsBack) {
  // Below the lower-left corner of one brick and beside the one under it: the upward step leaves the brick to
  // the sideways step (it is backed), the sideways step leaves it to the upward one (the corner rule).
  Brick(3, 6, Tile::Plain);
  Brick(3, 7, Tile::Plain);
  PutBall(0, 53.13f, 98.72f, 20.6f);
  MoveBalls(game);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 200.6f, 1e-2);
  UpdateBallVelocities(game);
  MoveBalls(game);
  EXPECT_GT(game.world.balls[0].y, 98.72f);
  EXPECT_LT(game.world.balls[0].x, 53.13f);
}

TEST_F(WedgeTest, BallPinnedInAGapOneRowHighSlidesOutAndTurnsAtItsEnd) {
  for (int c = 5; c <= 10; ++c) Brick(c, 9, Tile::Wall), Brick(c, 11, Tile::Wall);
  Brick(11, 10, Tile::Wall);                  // a dead end on the right
  PutBall(0, 200.0f, 147.0f, 14.0f);          // in the gap, nearly straight up and a little to the right
  for (int frame = 0; frame < 1500 && game.world.balls[0].x > 120.0f; ++frame) {
    UpdateBallVelocities(game);
    MoveBalls(game);
    ASSERT_LT(game.world.balls[0].x, 320.0f);
  }
  EXPECT_LT(game.world.balls[0].x, 120.0f) << "out of the gap's open end";
}

using CirclingTest = WorldTest;

TEST_F(CirclingTest, BallThatMeetsNothingForTenSecondsIsTurnedALittle) {
  Guard({Bottom});
  PutBall(0, 300.0f, 200.0f, 90.0f);  // straight across, between the side walls, for ever by the rules alone
  for (int frame = 0; frame < 600; ++frame) {
    UpdateBallVelocities(game);
    MoveBalls(game);
  }
  EXPECT_FLOAT_EQ(game.world.balls[0].y, 200.0f) << "not before ten seconds";
  for (int frame = 0; frame < 100; ++frame) {
    UpdateBallVelocities(game);
    MoveBalls(game);
  }
  EXPECT_NE(game.world.balls[0].y, 200.0f);
}

}  // namespace
