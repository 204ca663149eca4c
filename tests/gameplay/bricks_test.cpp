// The brick test of a moving ball, what struck bricks do, explosions, shooters, animation and counting.
#include <algorithm>
#include <cstdlib>

#include "gameplay/bricks.h"
#include "gameplay/physics.h"
#include "core/helpers.h"
#include "test_world.h"

namespace {

float Degrees(const Ball& ball) { return RadToDeg(ball.angle); }

using ProbeTest = WorldTest;

TEST_F(ProbeTest, BallBesideABrickIsBlockedVerticallyAndBouncesOffItsSide) {
  Brick(5, 10, Tile::Plain);                   // x 128 .. 160, y 144 .. 160
  PutBall(0, 160.0f - 3.0f, 160.0f - 6.0f, 315.0f);  // up and left, 3 pixels into its right end
  MoveBalls(game);
  const Ball& ball = game.world.balls[0];
  EXPECT_FLOAT_EQ(ball.y, 154.0f);   // no vertical move
  EXPECT_FLOAT_EQ(ball.x, 161.0f);   // one pixel clear of the right face
  EXPECT_NEAR(Degrees(ball), 45.0f, 1e-3);
  EXPECT_EQ(Cell(5, 10), 0);
}

TEST_F(ProbeTest, EachFaceReturnsTheBallOnePixelClearAndGlassLetsItOn) {
  // The brick at x 128 .. 160, y 144 .. 160; the ball one step away, moving straight at it.
  struct Approach {
    float x, y, heading;
    float bounced;  // the ball's coordinate along its way after the bounce
    float passed;   // after passing through glass
    float degrees;  // the bearing after the bounce
  };
  for (Approach a : {Approach{140, 162, 0, 161, 156.4f, 180}, Approach{140, 131, 180, 133, 136.6f, 0},
                     Approach{162, 150, 270, 161, 156.4f, 90}, Approach{116, 150, 90, 117, 121.6f, 270}}) {
    for (int tile : {Tile::Plain, Tile::Glass}) {
      SCOPED_TRACE(testing::Message() << "heading " << a.heading << ", tile " << tile);
      Brick(5, 10, tile);
      const Ball& ball = PutBall(0, a.x, a.y, a.heading);
      MoveBalls(game);
      const bool vertical = a.heading == 0 || a.heading == 180;
      EXPECT_NEAR(vertical ? ball.y : ball.x, tile == Tile::Plain ? a.bounced : a.passed, 1e-3);
      EXPECT_NEAR(std::fmod(Degrees(ball) + 360.0f, 360.0f), tile == Tile::Plain ? a.degrees : a.heading, 1e-3);
      EXPECT_EQ(Cell(5, 10), 0);
    }
  }
}

TEST_F(ProbeTest, BallAlongAColumnOfBricksNeverBouncesVertically) {
  for (int row = 5; row <= 15; ++row) Brick(5, row, Tile::Wall);
  PutBall(0, 158.0f, 161.0f, 10.0f);  // its left edge overlaps the column by 2 pixels
  MoveBalls(game);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 10.0f, 1e-3);
  EXPECT_FLOAT_EQ(game.world.balls[0].y, 161.0f);

  Brick(5, 11, 0);  // without the brick behind, the same step strikes the lower face
  PutBall(0, 158.0f, 161.0f, 10.0f);
  MoveBalls(game);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 170.0f, 1e-3);
}

TEST_F(ProbeTest, RowStruckVerticallyIsNotStruckAgainSideways) {
  Brick(5, 10, Tile::Tough);
  RowMemory rows;
  rows.up = 10;
  PutBall(0, 161.0f, 150.0f, 270.0f);
  EXPECT_EQ(ProbeBricks(game, 0, Direction::Left, rows), ProbeResult::Blocked);
  rows.up = 0;
  EXPECT_EQ(ProbeBricks(game, 0, Direction::Left, rows), ProbeResult::Hit);
}

TEST_F(ProbeTest, GoThroughAndSuperBallsPassWithoutBouncing) {
  Brick(5, 10, Tile::Glass);
  PutBall(0, 140.0f, 162.0f, 0.0f);
  MoveBalls(game);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 0.0f, 1e-3);
  EXPECT_LT(game.world.balls[0].y, 162.0f);
  EXPECT_EQ(Cell(5, 10), 0);

  game.world.powerMode = PowerMode::Super;
  Brick(5, 10, Tile::Wall);
  PutBall(0, 140.0f, 162.0f, 0.0f);
  MoveBalls(game);
  EXPECT_NEAR(Degrees(game.world.balls[0]), 0.0f, 1e-3);
  EXPECT_EQ(Cell(5, 10), 0);
}


using HitBrickTest = WorldTest;

TEST_F(HitBrickTest, MultiHitBrickStepsThroughItsDamageStages) {
  Brick(3, 3, Tile::Tough);
  HitBrick(game, 3, 3);
  EXPECT_EQ(Cell(3, 3), Tile::Tough + 1);
  EXPECT_EQ(game.world.score, 5);
  HitBrick(game, 3, 3);
  EXPECT_EQ(Cell(3, 3), Tile::Tough + 2);
  HitBrick(game, 3, 3);
  EXPECT_EQ(Cell(3, 3), 0);
  EXPECT_EQ(game.world.score, 20);
}

TEST_F(HitBrickTest, SuperBallRemovesAnyBrickAtOnce) {
  game.world.powerMode = PowerMode::Super;
  Brick(3, 3, Tile::Tough);
  Brick(4, 4, Tile::Wall);
  HitBrick(game, 3, 3);
  HitBrick(game, 4, 4);
  EXPECT_EQ(Cell(3, 3), 0);
  EXPECT_EQ(Cell(4, 4), 0);
  EXPECT_EQ(game.world.score, 5);
}



TEST_F(HitBrickTest, DynaBallTakesTheNeighboursButScoresOnlyForThem) {
  game.world.powerMode = PowerMode::Dyna;
  Brick(5, 5, Tile::Plain);
  Brick(6, 5, Tile::Wall);
  Brick(5, 6, Tile::Plain);
  HitBrick(game, 5, 5);
  EXPECT_EQ(Cell(5, 5), 0);
  EXPECT_EQ(Cell(6, 5), 0);
  EXPECT_EQ(Cell(5, 6), 0);
  EXPECT_EQ(game.world.score, 20);
  EXPECT_TRUE(game.world.explosionGrid[6][5].pending);
  EXPECT_EQ(game.world.explosionGrid[6][5].effectKind, Indestructible);
}

// A lone brick at (10, 15) struck once in each power mode.
struct Strike {
  int tile;
  PowerMode mode;
  int cellAfter;
  int points;         // at a multiplier of 1
  const char* sound;  // the strike's last sound; "" for none
  bool drops;         // a capsule may fall from its cell
  bool debris;        // it breaks into debris at high detail
  int explosion;      // effect kind of the explosion started in its cell; -1 for none
  bool counts;        // the level ends only once it is gone
};
const Strike Strikes[] = {
    {Tile::Plain, PowerMode::None, 0, 10, "HitBrick.wav", true, true, -1, true},
    {Tile::Tough, PowerMode::None, Tile::Tough + 1, 5, "HitMulti.wav", false, false, -1, true},
    {Tile::Tough + 2, PowerMode::None, 0, 10, "HitBrick.wav", true, true, -1, true},
    {Tile::Wall, PowerMode::None, Tile::Wall, 0, "HitIndBrick.wav", false, false, -1, false},
    {Tile::Glass, PowerMode::None, 0, 10, "GoThru.wav", true, false, -1, true},
    {Tile::Dynamite, PowerMode::None, 0, 10, "HitExpl.wav", true, false, Dynamite, true},
    {Tile::Cross, PowerMode::None, 0, 20, "HitExpl.wav", true, false, 17, true},  // fired, and its own cell
    {Tile::Blank, PowerMode::None, Tile::Blank, 0, "", false, false, -1, true},
    {Tile::Tough, PowerMode::Super, 0, 5, "HitMulti.wav", false, false, -1, true},
    {Tile::Wall, PowerMode::Super, 0, 0, "HitIndBrick.wav", false, false, -1, false},
    {Tile::Glass, PowerMode::Super, 0, 10, "GoThru.wav", true, false, -1, true},
    {Tile::Plain, PowerMode::Dyna, 0, 0, "HitExpl.wav", false, false, Hittable, true},
    {Tile::Wall, PowerMode::Dyna, 0, 0, "HitExpl.wav", false, false, Indestructible, false},
};

TEST_F(HitBrickTest, EachKindScoresSoundsDropsAndBreaksAsItsRowSays) {
  GameWorld& world = game.world;
  SeedRandom(game.random, 7);
  game.options.detailHigh = 1;
  auto strike = [&](const Strike& s, float multiplier) {
    NewWorld();
    world.powerMode = s.mode;
    world.pointMultiplier = multiplier;
    Brick(10, 15, s.tile);
    Heard();
    HitBrick(game, 10, 15);
  };
  for (const Strike& s : Strikes) {
    SCOPED_TRACE(testing::Message() << "tile " << s.tile << " in mode " << static_cast<int>(s.mode));
    for (float multiplier : {1.0f, 2.0f}) {
      strike(s, multiplier);
      EXPECT_EQ(Cell(10, 15), s.cellAfter);
      EXPECT_EQ(world.score, s.points * multiplier);
      const std::vector<std::string> heard = Heard();
      EXPECT_EQ(heard.empty() ? "" : heard.back(), s.sound);
      const ExplosionCell& explosion = world.explosionGrid[10][15];
      EXPECT_EQ(explosion.pending ? explosion.effectKind : -1, s.explosion);
    }
    int debris = 0;
    for (const Particle& p : world.particles) {
      if (!p.active) continue;
      ++debris;
      EXPECT_EQ(p.colourRow, 3);
      EXPECT_TRUE(p.x >= 288 && p.x < 321 && p.y >= 224 && p.y < 241) << p.x << ", " << p.y;
    }
    EXPECT_EQ(debris, s.debris ? 8 : 0);
    bool dropped = false;
    for (int tries = 0; tries < 40 && !dropped; ++tries) {
      strike(s, 1.0f);
      dropped = world.fallingCapsules == 1;
    }
    EXPECT_EQ(dropped, s.drops);
    if (dropped) {  // from the brick's own cell
      EXPECT_FLOAT_EQ(world.powerups[0].x, 288.0f);
      EXPECT_FLOAT_EQ(world.powerups[0].y, 224.0f);
    }
    NewWorld();
    Brick(10, 15, s.tile);
    DrawBricks(game);
    EXPECT_EQ(world.destructibleCount, s.counts ? 1 : 0);
    EXPECT_EQ(world.levelEndRequested, !s.counts);
  }
  game.options.detailHigh = 0;
  strike(Strikes[0], 1.0f);
  EXPECT_EQ(world.particles.size(), 1u);
}

TEST_F(HitBrickTest, AnExplosionTakesTheEightCellsAroundItWithinThePlayfield) {
  for (auto [column, row] : {std::pair{10, 15}, {1, 1}, {PlayColumns, PlayRows}}) {
    SCOPED_TRACE(testing::Message() << column << ", " << row);
    NewWorld();
    game.world.powerMode = PowerMode::Dyna;
    // Walls two cells around it: those next to it go, the ring beyond stays.
    std::vector<std::pair<int, int>> cells;
    for (int c = std::max(1, column - 2); c <= std::min(PlayColumns, column + 2); ++c)
      for (int r = std::max(1, row - 2); r <= std::min(PlayRows, row + 2); ++r) cells.emplace_back(c, r);
    for (auto [c, r] : cells) Brick(c, r, Tile::Wall);
    HitBrick(game, column, row);
    int gone = 0;
    for (auto [c, r] : cells) {
      const bool next = std::abs(c - column) <= 1 && std::abs(r - row) <= 1;
      EXPECT_EQ(Cell(c, r), next ? 0 : Tile::Wall) << c << ", " << r;
      gone += next ? 1 : 0;
    }
    EXPECT_EQ(game.world.score, 10 * (gone - 1));  // each neighbour, not the struck brick
    EXPECT_EQ(Heard().back(), "HitExpl.wav");
  }
}

using ExplosionTest = WorldTest;

// One explosion tick: the clock is due on every call 45 ms apart.
void ExplosionTick(WorldTest& test, Game& game) {
  DrawBrickEffects(game);
  game.clock.now += 45;
  (void)test;
}

TEST_F(ExplosionTest, DynamiteChainSpreadsOneGenerationPerThreeTicks) {
  Brick(5, 5, Tile::Dynamite);
  Brick(6, 5, Tile::Dynamite);
  Brick(8, 5, Tile::Plain);
  HitBrick(game, 5, 5);
  EXPECT_EQ(Cell(5, 5), 0);
  EXPECT_EQ(game.world.score, 10);
  ExplosionTick(*this, game);  // stage 2
  ExplosionTick(*this, game);  // stage 3
  EXPECT_EQ(Cell(6, 5), Tile::Dynamite);
  ExplosionTick(*this, game);  // stage 4: the neighbour goes and starts its own explosion
  EXPECT_EQ(Cell(6, 5), 0);
  EXPECT_TRUE(game.world.explosionGrid[6][5].pending);
  EXPECT_EQ(Cell(8, 5), Tile::Plain);  // two cells away
  Brick(7, 5, Tile::Plain);
  ExplosionTick(*this, game);
  EXPECT_EQ(Cell(7, 5), Tile::Plain);
  ExplosionTick(*this, game);  // the second dynamite reaches stage 4
  EXPECT_EQ(Cell(7, 5), 0);
}

TEST_F(ExplosionTest, EachStageShowsItsFrameAndTheSeventhEndsItWithoutActingAgain) {
  // Frame f of the strip is 26 pixels wide at x = 26(f - 1) and has colour f.
  game.world.images.explosionImage = Picture(156, 26, [](int x, int) { return static_cast<Pixel>(x / 26 + 1); });
  MarkExplosion(game, 2, 2, Dynamite);  // it acts from stage 4 on
  for (int stage = 1; stage <= 6; ++stage) {
    ExplosionTick(*this, game);  // drawn at stage `stage`, centred on the cell at 32 .. 63, 16 .. 31
    EXPECT_EQ(At(35, 11), stage);
    EXPECT_EQ(At(60, 36), stage);
    EXPECT_EQ(At(34, 11) + At(35, 10) + At(61, 36) + At(60, 37), 0);
  }
  EXPECT_TRUE(game.world.explosionGrid[2][2].pending);
  EXPECT_EQ(game.world.explosionGrid[2][2].stage, 7);
  Brick(3, 2, Tile::Plain);  // a neighbour
  const int score = game.world.score;
  Heard();
  game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
  ExplosionTick(*this, game);
  EXPECT_FALSE(game.world.explosionGrid[2][2].pending);
  EXPECT_EQ(Cell(3, 2), Tile::Plain);
  EXPECT_EQ(game.world.score, score);
  EXPECT_TRUE(Heard().empty());
  EXPECT_EQ(At(35, 11), 0);
}


using ShooterTest = WorldTest;

TEST_F(ShooterTest, FourWayShooterClearsItsRowAndColumn) {
  Brick(10, 15, Tile::Cross);
  Brick(1, 15, Tile::Wall);
  Brick(20, 15, Tile::Tough);
  Brick(10, 1, Tile::Plain);
  Brick(10, 30, Tile::Plain);
  Brick(3, 3, Tile::Plain);
  HitBrick(game, 10, 15);
  EXPECT_EQ(Cell(10, 15), 0);
  EXPECT_EQ(Cell(1, 15), 0);
  EXPECT_EQ(Cell(20, 15), 0);
  EXPECT_EQ(Cell(10, 1), 0);
  EXPECT_EQ(Cell(10, 30), 0);
  EXPECT_EQ(Cell(3, 3), Tile::Plain);
  EXPECT_EQ(game.world.score, 10 + 5 * 10);  // the shot itself, its own cell and four bricks
  for (int row = 1; row <= PlayRows; ++row) EXPECT_TRUE(game.world.explosionGrid[10][row].pending);
  for (int column = 1; column <= PlayColumns; ++column) EXPECT_TRUE(game.world.explosionGrid[column][15].pending);
  EXPECT_FALSE(game.world.explosionGrid[9][14].pending);
}

TEST_F(ShooterTest, EachShooterKindClearsTheLinesOfItsDirections) {
  // Up, Right, Down, Left by kind from 5; a kind past 19 fires without lines.
  const std::vector<std::string> lines = {"U", "R", "D", "L", "UR", "RD", "DL", "LU", "LUR", "URD", "RDL", "DLU",
                                          "URDL", "LR", "UD", ""};
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const int kind = ShooterFirst + static_cast<int>(k);
    SCOPED_TRACE(testing::Message() << "kind " << kind);
    NewWorld();
    game.world.tileSet.tiles[Tile::Cross].kind = kind;
    for (int c = 1; c <= PlayColumns; ++c)
      for (int r = 1; r <= PlayRows; ++r) Brick(c, r, Tile::Plain);
    Brick(10, 15, Tile::Cross);
    HitBrick(game, 10, 15);
    auto on = [&](char way) { return lines[k].find(way) != std::string::npos; };
    int cleared = 0;
    for (int c = 1; c <= PlayColumns; ++c)
      for (int r = 1; r <= PlayRows; ++r) {
        const bool onLine = (c == 10 && ((on('U') && r <= 15) || (on('D') && r >= 15))) ||
                            (r == 15 && ((on('L') && c <= 10) || (on('R') && c >= 10)));
        EXPECT_EQ(Cell(c, r) == 0, onLine) << c << ", " << r;
        cleared += Cell(c, r) == 0 ? 1 : 0;
      }
    EXPECT_EQ(game.world.score, 10 + 10 * cleared);
    EXPECT_EQ(Heard().back(), "HitExpl.wav");
  }
}

TEST_F(ShooterTest, ShooterFiresAgainWhileItsExplosionRuns) {
  Brick(10, 15, Tile::Cross);
  HitBrick(game, 10, 15);
  int afterStrike = game.world.score;
  Brick(10, 3, Tile::Plain);  // a brick that appears on the line later is still swept
  for (int tick = 0; tick < 3; ++tick) ExplosionTick(*this, game);
  EXPECT_EQ(Cell(10, 3), 0);
  EXPECT_GT(game.world.score, afterStrike);
}


using DrawBricksTest = WorldTest;

TEST_F(DrawBricksTest, AnimationWrapsFromTheLastFrameToTheFirst) {
  Brick(2, 2, Tile::Blinker + 3);
  Brick(3, 3, Tile::Blinker);
  DrawBricks(game);
  EXPECT_EQ(Cell(2, 2), Tile::Blinker);
  EXPECT_EQ(Cell(3, 3), Tile::Blinker + 1);
  DrawBricks(game);  // the clock is not due again until 80 ms later
  EXPECT_EQ(Cell(3, 3), Tile::Blinker + 1);
  Advance(80);
  DrawBricks(game);
  EXPECT_EQ(Cell(3, 3), Tile::Blinker + 2);
}

TEST_F(DrawBricksTest, EachCellShowsItsTilesPictureAtItsPlace) {
  // A tileset picture of four tiles coloured 1 .. 4, left to right, then down.
  game.world.tilesetImage = Picture(64, 32, [](int x, int y) { return static_cast<Pixel>(1 + x / 32 + 2 * (y / 16)); });
  game.world.tileSet.tiles[Tile::Plain].imageX = 32;
  game.world.tileSet.tiles[Tile::Plain].imageY = 16;
  Brick(3, 4, Tile::Plain);   // x 64 .. 95, y 48 .. 63
  Brick(PlayColumns, PlayRows, Tile::Wall);  // x 608 .. 639, y 464 .. 479
  DrawBricks(game);
  EXPECT_EQ(At(64, 48), 4);
  EXPECT_EQ(At(95, 63), 4);
  EXPECT_EQ(At(63, 48) + At(96, 48) + At(64, 47) + At(64, 64), 0);
  EXPECT_EQ(At(608, 464), 1);
  EXPECT_EQ(At(639, 479), 1);
}

TEST_F(DrawBricksTest, OnlyIndestructibleBricksLeftEndsTheLevel) {
  Brick(2, 2, Tile::Wall);
  Brick(3, 2, Tile::Wall);
  DrawBricks(game);
  EXPECT_EQ(game.world.destructibleCount, 0);
  EXPECT_TRUE(game.world.levelEndRequested);
}


}  // namespace
