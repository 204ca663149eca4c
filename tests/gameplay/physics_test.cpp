// Ball motion, walls, paddle hits and bounces, catching and the paddle's size.
#include <cmath>
#include <utility>
#include <vector>

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


// A ball meeting the paddle of each side a little past its centre (after) or before it: the paddle at 285 .. 355
// across, 205 .. 275 down, centre 320 or 240; the ball's centre 15 pixels off it turns 60 x 15 / 35 degrees.
struct PaddleHit {
  Side side;
  float x, y, heading;  // one step from the paddle, moving toward it
  float degrees;        // the bearing it leaves at
};
constexpr float Turn = 60.0f * 15.0f / 35.0f;
const PaddleHit PaddleHits[] = {
    {Bottom, 330, 445, 180, Turn},        {Bottom, 300, 445, 180, 360 - Turn},
    {Top, 330, 25, 0, 180 - Turn},        {Top, 300, 25, 0, 180 + Turn},
    {Right, 605, 250, 90, 270 - Turn},    {Right, 605, 220, 90, 270 + Turn},
    {Left, 25, 250, 270, 90 + Turn},      {Left, 25, 220, 270, 90 - Turn},
};

TEST_F(PaddleBounceTest, EverySideReturnsTheBallAwayFromItsPaddleAndCatchHoldsItThere) {
  for (bool catching : {false, true}) {
    for (const PaddleHit& hit : PaddleHits) {
      SCOPED_TRACE(testing::Message() << "side " << hit.side << " at " << hit.x << ", " << hit.y << ", catch " << catching);
      Guard({hit.side});
      game.world.homeSide = hit.side == Bottom ? Top : Bottom;
      game.world.powerMode = catching ? PowerMode::Catch : PowerMode::None;
      game.state.pointerX = 285.0f;
      game.state.pointerY = 205.0f;
      const Ball& ball = PutBall(0, hit.x, hit.y, hit.heading);
      Heard();
      MoveBalls(game);
      const PaddleGeometry& paddle = PaddleOf(hit.side);
      const float along = paddle.horizontal ? hit.x : hit.y;
      EXPECT_EQ(game.world.homeSide, hit.side);
      EXPECT_FLOAT_EQ(paddle.horizontal ? ball.y : ball.x, paddle.ballRest);
      EXPECT_NEAR(Degrees(ball), hit.degrees, 1e-3);
      EXPECT_EQ(Heard(), std::vector<std::string>{catching ? "HitCatchPaddle.wav" : "HitPaddle.wav"});
      if (!catching) continue;
      EXPECT_EQ(ball.holdSide, hit.side);
      EXPECT_NEAR(ball.holdOffset, along - (paddle.horizontal ? 285.0f : 205.0f), 1e-3);
      (paddle.horizontal ? game.state.pointerX : game.state.pointerY) += 10.0f;  // it rides the paddle
      MoveBalls(game);
      EXPECT_NEAR(paddle.horizontal ? ball.x : ball.y, along + 10.0f, 1e-3);
      EXPECT_FLOAT_EQ(paddle.horizontal ? ball.y : ball.x, paddle.ballRest);
    }
  }
}

using WallTest = WorldTest;

// A ball one step from each edge: a wall that returns it while that side is open, its loss once it is guarded.
struct EdgeCase {
  Side side;
  float x, y, heading;
  float wall;     // where the open side's wall puts it, across that edge
  float degrees;  // the bearing it returns at
};
const EdgeCase Edges[] = {
    {Bottom, 100, 468, 180, 470, 0},
    {Top, 100, 3, 0, 0, 180},
    {Right, 627, 100, 90, 630, 270},
    {Left, 3, 100, 270, 0, 90},
};

TEST_F(WallTest, EachEdgeIsAWallWhileOpenAndLosesTheBallOnceGuarded) {
  for (const EdgeCase& edge : Edges) {
    SCOPED_TRACE(testing::Message() << "side " << edge.side);
    const bool horizontal = PaddleOf(edge.side).horizontal;
    Guard({edge.side == Bottom ? Top : Bottom});
    const Ball& ball = PutBall(0, edge.x, edge.y, edge.heading);
    Heard();
    MoveBalls(game);
    EXPECT_TRUE(ball.active);
    EXPECT_FLOAT_EQ(horizontal ? ball.y : ball.x, edge.wall);
    EXPECT_NEAR(std::fmod(Degrees(ball) + 360.0f, 360.0f), edge.degrees, 1e-3);
    EXPECT_EQ(Heard(), std::vector<std::string>{"HitWall.wav"});

    Guard({edge.side});
    game.state.pointerX = edge.x < 320 ? 400.0f : 100.0f;  // the paddles far from the ball
    game.state.pointerY = edge.y < 240 ? 300.0f : 50.0f;
    PutBall(0, edge.x, edge.y, edge.heading);
    MoveBalls(game);
    EXPECT_FALSE(ball.active);
    EXPECT_EQ(Heard(), std::vector<std::string>{"LoseBall.wav"});
  }
}

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
  const float angle = ball.angle;
  for (int frame = 0; frame < 700; ++frame) MoveBalls(game);  // held for eleven seconds
  EXPECT_EQ(ball.angle, angle);
  EXPECT_FLOAT_EQ(ball.x, 245.0f);
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
  Guard({Top, Left});
  game.world.cornerMargin = {18, 18, 0, 0};
  game.state.pointerX = game.state.pointerY = 0.0f;
  UpdateAndDrawPaddles(game);
  EXPECT_FLOAT_EQ(game.state.pointerX, 18.0f);
  EXPECT_FLOAT_EQ(game.state.pointerY, 18.0f);
}

TEST_F(PaddleTest, EachGuardedPaddleShowsBothEndsOfItsPicture) {
  // Paddle.bmp's columns and Paddle2.bmp's rows numbered from 1: a pixel tells where in the picture it came from.
  game.world.images.paddleImage = Picture(320, 10, [](int x, int) { return static_cast<Pixel>(x + 1); });
  game.world.images.paddle2Image = Picture(10, 320, [](int, int y) { return static_cast<Pixel>(y + 1); });
  struct Shown {
    int x, y;
    Pixel pixel;
  };
  // Length 70 at 285 across and 205 down: the picture's first 35 pixels, then its last 35 from one pixel back.
  const std::vector<Shown> bottomAndRight = {{285, 460, 1}, {318, 469, 34}, {319, 460, 286}, {353, 469, 320},
                                             {284, 460, 0}, {354, 460, 0},  {620, 205, 1},   {629, 238, 34},
                                             {620, 239, 286}, {629, 273, 320}, {620, 274, 0}, {300, 15, 0},
                                             {15, 240, 0}};
  const std::vector<Shown> topAndLeft = {{285, 10, 1}, {353, 19, 320}, {10, 205, 1}, {19, 273, 320},
                                         {300, 465, 0}, {625, 240, 0}};
  for (const auto& [sides, shown] : {std::pair{std::vector<Side>{Bottom, Right}, bottomAndRight},
                                     std::pair{std::vector<Side>{Top, Left}, topAndLeft}}) {
    Guard(sides);
    game.world.cornerMargin = {};
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    UpdateAndDrawPaddles(game);
    for (const Shown& s : shown) EXPECT_EQ(At(s.x, s.y), s.pixel) << s.x << ", " << s.y;
  }
}

TEST_F(PaddleTest, EachResizeStepMovesTheLengthAndKeepsThePaddlesOnScreen) {
  struct Step {
    bool grow;
    float length, x, y;     // before
    float toLength, toX, toY;  // after one 16 ms step
  };
  for (Step s : {Step{true, 70, 100, 100, 71.28f, 99.96f, 100}, Step{true, 70, 569.5f, 409.5f, 71.28f, 568.72f, 408.72f},
                 Step{true, 70, 0.02f, 0, 71.28f, 0, 0}, Step{true, 320, 100, 100, 320, 100, 100},
                 Step{false, 70, 100, 100, 68.72f, 100.04f, 100},
                 Step{false, 70, 571.27f, 411.5f, 68.72f, 571.28f, 411.28f}, Step{false, 38, 100, 100, 38, 100, 100}}) {
    game.world.paddleLength = s.length;
    game.state.pointerX = s.x;
    game.state.pointerY = s.y;
    s.grow ? GrowPaddleStep(game) : ShrinkPaddleStep(game);
    EXPECT_NEAR(game.world.paddleLength, s.toLength, 1e-3) << s.grow << " " << s.length << " " << s.x;
    EXPECT_NEAR(game.state.pointerX, s.toX, 1e-3) << s.grow << " " << s.length << " " << s.x;
    EXPECT_NEAR(game.state.pointerY, s.toY, 1e-3) << s.grow << " " << s.length << " " << s.x;
  }
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
  struct Corner {
    std::vector<Side> guarded;
    float x, y;
    Side side;
    float degrees;
  };
  for (const Corner& c : {Corner{{Bottom, Right}, 606, 450, Bottom, 315}, Corner{{Bottom, Left}, 24, 450, Bottom, 45},
                          Corner{{Top, Right}, 606, 20, Top, 225}, Corner{{Top, Left}, 24, 20, Top, 135},
                          Corner{{Bottom, Right}, 610, 440, Right, 315}, Corner{{Top, Left}, 20, 30, Left, 135},
                          Corner{{Bottom}, 606, 450, Bottom, 60.0f * 24 / 35}}) {  // no corner: the usual bounce
    Guard(c.guarded);
    PutBall(0, c.x, c.y, 180.0f);
    PaddleBounce(game, 0, c.side);
    EXPECT_NEAR(Degrees(game.world.balls[0]), c.degrees, 1e-3) << c.x << ", " << c.y << " side " << c.side;
  }
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


TEST_F(PaddleTest, BallsAreDrawnFromTheRowOfTheirPower) {
  // ball.bmp: three 10 x 10 balls one above the other, coloured 1, 2 and 3.
  game.world.images.ballImage = Picture(10, 30, [](int, int y) { return static_cast<Pixel>(y / 10 + 1); });
  PutBall(0, 100, 200, 0);
  PutBall(5, 300, 50, 0);
  for (auto [mode, row] : {std::pair{PowerMode::None, 1}, {PowerMode::Super, 2}, {PowerMode::Dyna, 3},
                           {PowerMode::Catch, 1}}) {
    game.world.powerMode = mode;
    DrawBalls(game);
    for (auto [x, y] : {std::pair{100, 200}, {300, 50}}) {
      EXPECT_EQ(At(x, y), row) << static_cast<int>(mode);
      EXPECT_EQ(At(x + 9, y + 9), row) << static_cast<int>(mode);
      EXPECT_EQ(At(x + 10, y) + At(x, y + 10), 0);
    }
  }
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
