// Laser shots and Protect barriers: firing, flight, strikes on bricks, and walls on the guarded sides.
#include "gameplay/bricks.h"
#include "gameplay/physics.h"
#include "gameplay/player_input.h"
#include "gameplay/shots.h"
#include "power_world.h"

namespace {

class LaserTest : public PowerTest {
 protected:
  LaserTest() { game.world.powerMode = PowerMode::Laser; }
  // One shot from the side, at (x, y).
  Shot& PutShot(Side side, float x, float y) {
    Shot& shot = game.world.shots[0];
    shot = Shot{x, y, 0, 0, true, side};
    return shot;
  }
  // Runs UpdateShots until the shot is gone; the frames it took.
  int FlyOut(const Shot& shot) {
    int frames = 0;
    while (shot.active && frames < 1000) {
      UpdateShots(game);
      ++frames;
    }
    return frames;
  }
};

using LaserFire = LaserTest;

TEST_F(LaserFire, TwelveSlotsLimitFourGuardedSidesToTwelveShots) {
  Guard({Bottom, Right, Top, Left});
  FireLasers(game);
  EXPECT_EQ(ActiveShots(), 8);
  FireLasers(game);
  EXPECT_EQ(ActiveShots(), 12);
  EXPECT_EQ(game.world.shots[11].side, Right);  // the top and left pairs of the second call found no slot
}

TEST_F(LaserFire, EachGuardedSideFiresFromItsTwoCannonsWhichAreDrawnAtItsPaddleEnds) {
  // The paddles at 100 .. 170 across and 200 .. 270 down.
  struct Cannons {
    Side side;
    float x1, y1, x2, y2;  // where its two shots start
    int cannonX, cannonY;  // a pixel of the first cannon, 8 x 16 or 16 x 8, at the paddle's start
    int shotX, shotY;      // a pixel of the first shot, 4 x 16 or 16 x 4, once it has flown 5.6 pixels
  };
  const Cannons sides[] = {{Bottom, 102, 442, 164, 442, 107, 471, 105, 436},
                           {Right, 602, 202, 602, 264, 631, 207, 611, 205},
                           {Top, 102, 38, 164, 38, 107, 8, 105, 59},
                           {Left, 38, 202, 38, 264, 8, 207, 58, 205}};
  game.state.pointerX = 100;
  game.state.pointerY = 200;
  for (const Cannons& c : sides) {
    game.world.images.cannonImages[c.side] = SolidPicture(PaddleOf(c.side).horizontal ? 8 : 16,
                                                          PaddleOf(c.side).horizontal ? 16 : 8, 0x100 + c.side);
    game.world.images.laserImages[c.side] = SolidPicture(PaddleOf(c.side).horizontal ? 4 : 16,
                                                         PaddleOf(c.side).horizontal ? 16 : 4, 0x200 + c.side);
  }
  for (const Cannons& c : sides) {
    SCOPED_TRACE(testing::Message() << "side " << c.side);
    game.world.shots = {};
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    Guard({c.side});
    Heard();
    FireLasers(game);
    EXPECT_EQ(Heard().size(), 4u);  // once for each side, guarded or not
    ASSERT_EQ(ActiveShots(), 2);
    EXPECT_EQ(game.world.shots[0].side, c.side);
    EXPECT_FLOAT_EQ(game.world.shots[0].x, c.x1);
    EXPECT_FLOAT_EQ(game.world.shots[0].y, c.y1);
    EXPECT_FLOAT_EQ(game.world.shots[1].x, c.x2);
    EXPECT_FLOAT_EQ(game.world.shots[1].y, c.y2);
    UpdateShots(game);
    EXPECT_EQ(At(c.cannonX, c.cannonY), 0x100 + c.side);
    EXPECT_EQ(At(c.shotX, c.shotY), 0x200 + c.side);
  }
}

TEST_F(LaserFire, HeldButtonFiresAPairEvery300Ms) {
  HoldLeftButton(true);
  game.world.nextLaserShot = 0;
  int fired = 0;
  for (int ms = 0; ms < 1000; ms += 10) {
    int before = ActiveShots();
    ReadPlayerInput(game);
    fired += ActiveShots() - before;
    Advance(10);
  }
  EXPECT_EQ(fired, 8);  // at 0, 300, 600 and 900 ms
}

TEST_F(LaserFire, OnlyTheLaserPowerFiresAndCatchReleasesInstead) {
  HoldLeftButton(true);
  for (PowerMode mode : {PowerMode::None, PowerMode::Catch, PowerMode::Super, PowerMode::Protect, PowerMode::Laser}) {
    game.world.shots = {};
    game.world.nextLaserShot = 0;
    game.world.powerMode = mode;
    Ball& held = PutBall(0, 300, 450, 30);
    held.holdOffset = 15;
    ReadPlayerInput(game);
    EXPECT_EQ(ActiveShots(), mode == PowerMode::Laser ? 2 : 0) << static_cast<int>(mode);
    EXPECT_EQ(held.holdOffset, mode == PowerMode::Catch ? NotHeld : 15.0f) << static_cast<int>(mode);
  }
}

using LaserFlight = LaserTest;

TEST_F(LaserFlight, ShotsFlyAwayFromTheirPaddleAndLeaveBeyondTheEdge) {
  struct Case {
    Side side;
    float x, y, dx, dy;
  };
  for (Case c : {Case{Bottom, 300, 400, 0, -5.6f}, Case{Top, 300, 40, 0, 5.6f}, Case{Right, 600, 200, -5.6f, 0},
                 Case{Left, 40, 200, 5.6f, 0}}) {
    Shot& shot = PutShot(c.side, c.x, c.y);
    UpdateShots(game);
    EXPECT_FLOAT_EQ(shot.x, c.x + c.dx) << "side " << c.side;
    EXPECT_FLOAT_EQ(shot.y, c.y + c.dy) << "side " << c.side;
    EXPECT_GT(FlyOut(shot), 70);
    EXPECT_FALSE(shot.active);
  }
}

TEST_F(LaserFlight, TheLeadingEndPicksTheCell) {
  Shot& down = PutShot(Top, 100, 40);
  UpdateShots(game);  // y 45.6, leading end 61.6
  EXPECT_EQ(down.row, 4);
  EXPECT_EQ(down.column, 4);
  Shot& right = PutShot(Left, 40, 100);
  UpdateShots(game);  // x 45.6, leading end 61.6
  EXPECT_EQ(right.column, 2);
  Shot& up = PutShot(Bottom, 100, 50);
  UpdateShots(game);  // y 44.4
  EXPECT_EQ(up.row, 3);
}

TEST_F(LaserFlight, ShotPassesThroughGoThroughBricksBreakingEachUntilAHardBrick) {
  Brick(4, 20, Tile::Glass);
  Brick(4, 15, Tile::Glass);
  Brick(4, 10, Tile::Plain);
  Brick(4, 5, Tile::Plain);
  Shot& shot = PutShot(Bottom, 100, 400);
  FlyOut(shot);
  EXPECT_EQ(Cell(4, 20), 0);
  EXPECT_EQ(Cell(4, 15), 0);
  EXPECT_EQ(Cell(4, 10), 0);
  EXPECT_EQ(Cell(4, 5), Tile::Plain);  // the shot ended at the first brick that is not glass
}

TEST_F(LaserFlight, IndestructibleStopsTheShotAndStaysAndToughBricksTakeOneStage) {
  Brick(4, 10, Tile::Wall);
  Shot& shot = PutShot(Bottom, 100, 200);
  FlyOut(shot);
  EXPECT_EQ(Cell(4, 10), Tile::Wall);
  Brick(4, 10, Tile::Tough);
  PutShot(Bottom, 100, 200);
  FlyOut(shot);
  EXPECT_EQ(Cell(4, 10), Tile::Tough + 1);
}

TEST_F(LaserFlight, ShotsStandStillOutsideLaserMode) {
  Shot& shot = PutShot(Bottom, 100, 200);
  game.world.powerMode = PowerMode::Dyna;
  UpdateShots(game);
  EXPECT_FLOAT_EQ(shot.y, 200.0f);
  EXPECT_TRUE(shot.active);
}

TEST_F(LaserFlight, CannonsAndShotsAreDrawnWithTheirSidePictures) {
  game.world.images.cannonImages[Bottom] = SolidPicture(8, 16, 0x1111);
  game.world.images.laserImages[Bottom] = SolidPicture(4, 16, 0x2222);
  game.state.pointerX = 100;
  game.world.paddleLength = 70;
  PutShot(Bottom, 300, 300);
  UpdateShots(game);
  EXPECT_EQ(At(100, 456), 0x1111);
  EXPECT_EQ(At(169, 471), 0x1111);
  EXPECT_EQ(At(170, 460), 0);
  EXPECT_EQ(At(301, 295), 0x2222);
}

using ProtectWalls = PowerTest;

TEST_F(ProtectWalls, WallsAreDrawnOnlyOnGuardedSides) {
  auto& images = game.world.images.barrierImages;
  images[Bottom] = SolidPicture(640, 5, 0x0101);
  images[Right] = SolidPicture(5, 480, 0x0202);
  images[Top] = SolidPicture(640, 5, 0x0303);
  images[Left] = SolidPicture(5, 480, 0x0404);
  Guard({Bottom, Left});
  DrawProtectWalls(game);
  EXPECT_EQ(At(320, 477), 0);  // not in Protect mode
  game.world.powerMode = PowerMode::Protect;
  DrawProtectWalls(game);
  EXPECT_EQ(At(320, 477), 0x0101);
  EXPECT_EQ(At(2, 240), 0x0404);
  EXPECT_EQ(At(637, 240), 0);
  EXPECT_EQ(At(320, 2), 0);
  Guard({Right, Top});
  DrawProtectWalls(game);
  EXPECT_EQ(At(637, 240), 0x0202);
  EXPECT_EQ(At(320, 2), 0x0303);
  EXPECT_EQ(At(634, 240), 0);
  EXPECT_EQ(At(320, 476), 0x0101);  // from before
}

TEST_F(ProtectWalls, BallsReboundFiveFromEveryEdgeAndAreNeverLost) {
  Guard({Bottom});
  game.world.powerMode = PowerMode::Protect;
  struct Case {
    float x, y, angle;
  };
  for (Case c : {Case{500, 462, 180}, Case{300, 8, 0}, Case{622, 200, 90}, Case{8, 200, 270}}) {
    PutBall(0, c.x, c.y, c.angle);
    for (int frame = 0; frame < 20; ++frame) {
      UpdateBallVelocities(game);
      MoveBalls(game);
    }
    const Ball& ball = game.world.balls[0];
    EXPECT_TRUE(ball.active);
    EXPECT_GE(ball.x, 5.0f) << c.angle;
    EXPECT_LE(ball.x, 625.0f) << c.angle;
    EXPECT_GE(ball.y, 5.0f) << c.angle;
    EXPECT_LE(ball.y, 465.0f) << c.angle;
  }
}

}  // namespace
