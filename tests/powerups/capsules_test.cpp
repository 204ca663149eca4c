// Capsules: the drop chance and kind mix, placement, fall, catching, and the effects of every kind.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/game_input.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/player_input.h"
#include "gameplay/powerups.h"
#include "gameplay/score.h"
#include "platform/input.h"
#include "power_world.h"

namespace {

using CapsuleDrop = PowerTest;

TEST_F(CapsuleDrop, OneBrickInFourDropsAndKindsFollowTheirKeepChances) {
  constexpr int Breaks = 80000;
  int drops = 0;
  std::map<int, int> kinds;
  for (int i = 0; i < Breaks; ++i) {
    SpawnPowerup(game, 5, 10);
    if (game.world.fallingCapsules == 0) continue;
    ++drops;
    ++kinds[game.world.powerups[0].kind];
    game.world.powerups[0].active = false;
    game.world.fallingCapsules = 0;
  }
  EXPECT_NEAR(drops / double(Breaks), 0.25, 0.01);
  double weightSum = 0;
  for (const CapsuleKind& kind : CapsuleKinds) weightSum += 1.0 / kind.keepChance;
  for (const CapsuleKind& kind : CapsuleKinds) {
    double p = 1.0 / kind.keepChance / weightSum;
    double sd = std::sqrt(p * (1 - p) / drops);
    EXPECT_NEAR(kinds[kind.kind] / double(drops), p, 5 * sd) << "kind " << kind.name;
  }
  // The rare kinds really are rare: Warp is kept one time in nine, plain kinds always.
  EXPECT_LT(kinds[static_cast<int>(PowerupKind::Warp)] * 6, kinds[static_cast<int>(PowerupKind::GrowPad)]);
}

TEST_F(CapsuleDrop, WhileOneCapsuleFallsNoBrickDropsAnother) {
  while (game.world.fallingCapsules == 0) SpawnPowerup(game, 5, 10);
  Powerup first = game.world.powerups[0];
  for (int i = 0; i < 2000; ++i) SpawnPowerup(game, 7, 12);
  EXPECT_EQ(game.world.fallingCapsules, 1);
  EXPECT_EQ(game.world.powerups.size(), 1u);
  EXPECT_FLOAT_EQ(game.world.powerups[0].x, first.x);
}

TEST_F(CapsuleDrop, RightHomeSideGivesAnUprightCapsuleEightPixelsRightAndUp) {
  Guard({Right});
  game.world.homeSide = Right;
  while (game.world.fallingCapsules == 0) SpawnPowerup(game, 5, 10);
  Powerup& capsule = game.world.powerups[0];
  EXPECT_EQ(capsule.direction, Right);
  EXPECT_FLOAT_EQ(capsule.x, 128.0f + 8.0f);
  EXPECT_FLOAT_EQ(capsule.y, 144.0f - 8.0f);
  UpdatePowerups(game);
  EXPECT_FLOAT_EQ(capsule.x, 136.0f + 0.15f * 16.0f);
  EXPECT_FLOAT_EQ(capsule.y, 136.0f);
}

TEST_F(CapsuleDrop, HeldWarpKeyTurnsTheDropIntoWarp) {
  HoldKey(DIK_W, true);
  ReadKeyboard(game);
  for (int i = 0; i < 50; ++i) {
    SpawnPowerup(game, 5, 10);
    if (game.world.fallingCapsules == 0) continue;
    EXPECT_EQ(game.world.powerups[0].kind, static_cast<int>(PowerupKind::Warp));
    game.world.powerups[0].active = false;
    game.world.fallingCapsules = 0;
  }
}

TEST_F(CapsuleDrop, NoBrickDropsACapsuleWhileCapsulesAreOff) {
  game.capsulesOff = true;
  for (int i = 0; i < 2000; ++i) SpawnPowerup(game, 5, 10);
  EXPECT_EQ(game.world.fallingCapsules, 0);
}

using CapsuleFall = PowerTest;

TEST_F(CapsuleFall, AnimationTicksEvery45MsAndWrapsAfterFourteen) {
  Powerup& capsule = PutCapsule(PowerupKind::GrowPad, 100, 100);
  capsule.animFrame = 13;
  game.world.capsuleClock.nextTick = 1000;
  UpdatePowerups(game);
  EXPECT_EQ(capsule.animFrame, 14);
  Advance(44);
  UpdatePowerups(game);
  EXPECT_EQ(capsule.animFrame, 14);
  Advance(1);
  UpdatePowerups(game);
  EXPECT_EQ(capsule.animFrame, 1);
}

TEST_F(CapsuleFall, EachDirectionMovesItsWayAndLeavesPastItsEdge) {
  struct Case {
    Side direction;
    float x, y;
  };
  for (Case c : {Case{Bottom, 100, 479}, Case{Top, 100, -15}, Case{Right, 639, 100}, Case{Left, -15, 100}}) {
    Powerup& capsule = PutCapsule(PowerupKind::Catch, c.x, c.y, c.direction);
    UpdatePowerups(game);
    EXPECT_FALSE(capsule.active) << "direction " << c.direction;
    EXPECT_EQ(game.world.fallingCapsules, 0);
  }
  Powerup& up = PutCapsule(PowerupKind::Catch, 100, 100, Top);
  UpdatePowerups(game);
  EXPECT_FLOAT_EQ(up.y, 100.0f - 2.4f);
  EXPECT_TRUE(up.active);
}

TEST_F(CapsuleFall, EachDirectionShowsItsKindsRowAndSpinsTheSameWay) {
  // Each frame of the sheets (32 x 16, or 16 x 32 turned) coloured 100 x kind + frame.
  game.world.images.powerupsImage =
      Picture(448, 240, [](int x, int y) { return static_cast<Pixel>(100 * (y / 16 + 1) + x / 32 + 1); });
  game.world.images.powerups2Image =
      Picture(240, 448, [](int x, int y) { return static_cast<Pixel>(100 * (x / 16 + 1) + y / 32 + 1); });
  game.world.capsuleClock.nextTick = 1e9f;  // frames stay put
  // Frame 2 is the second picture down and left, the thirteenth up and right.
  for (auto [direction, shown] : {std::pair{Bottom, 2}, {Top, 13}, {Right, 13}, {Left, 2}}) {
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    PutCapsule(PowerupKind::Death, 100, 100, direction).animFrame = 2;
    UpdatePowerups(game);
    const bool turned = direction == Right || direction == Left;
    const Powerup& capsule = game.world.powerups[0];
    EXPECT_EQ(At(static_cast<int>(capsule.x) + (turned ? 8 : 16), static_cast<int>(capsule.y) + (turned ? 16 : 8)),
              1200 + shown)
        << direction;
  }
}

using CapsuleCatch = PowerTest;

TEST_F(CapsuleCatch, OverlapCatchesButTouchingEdgesDoNot) {
  game.state.pointerX = 200;
  game.world.paddleLength = 70;
  PutCapsule(PowerupKind::GrowPad, 200 - 32, 450);  // its right edge meets the paddle's left end
  CatchPowerups(game);
  EXPECT_EQ(game.world.fallingCapsules, 1);
  PutCapsule(PowerupKind::GrowPad, 200, 460 - 16);  // its bottom edge meets the paddle's top
  CatchPowerups(game);
  EXPECT_EQ(game.world.fallingCapsules, 1);
  PutCapsule(PowerupKind::GrowPad, 200 - 31, 460 - 15);
  CatchPowerups(game);
  EXPECT_EQ(game.world.fallingCapsules, 0);
  EXPECT_FALSE(game.world.powerups[0].active);
  EXPECT_EQ(game.world.score, 25);
  EXPECT_EQ(game.world.growTarget, 102);
}

TEST_F(CapsuleCatch, AnyGuardedPaddleCatchesWhateverTheDirection) {
  Guard({Bottom, Top, Left});
  game.state.pointerX = 300;
  game.state.pointerY = 200;
  PutCapsule(PowerupKind::ExtraLife, 310, 12, Bottom);  // on the top paddle
  CatchPowerups(game);
  EXPECT_EQ(game.world.spareBalls, 1);
  PutCapsule(PowerupKind::ExtraLife, 12, 220, Bottom);  // on the left paddle
  CatchPowerups(game);
  EXPECT_EQ(game.world.spareBalls, 2);
  PutCapsule(PowerupKind::ExtraLife, 622, 220, Bottom);  // where an unguarded right paddle would be
  CatchPowerups(game);
  EXPECT_EQ(game.world.spareBalls, 2);
}

using CapsuleEffect = PowerTest;

// Each kind caught by the bottom paddle from a world with one ball at 30 degrees, a 70-pixel paddle, no spare
// ball, no power and one laser shot in flight.
struct Catching {
  PowerupKind kind;
  const char* sound;
  PowerMode mode;
  std::vector<float> bearings;  // of the active balls after, in slot order
  int growTarget = 0, shrinkTarget = 320;
  float length = 70.0f;  // the paddle's once it has settled
  float speed = 0.35f;
  int spareBalls = 0;
  bool levelEnds = false;
};
const Catching Catches[] = {
    {PowerupKind::SuperBall, "SuperBall.wav", PowerMode::Super, {30}},
    {PowerupKind::DynaBall, "DynaBall.wav", PowerMode::Dyna, {30}},
    {PowerupKind::Catch, "GotCatch.wav", PowerMode::Catch, {30}},
    {PowerupKind::Laser, "GotLaser.wav", PowerMode::Laser, {30}},
    {PowerupKind::DoublePoints, "DoublePoints.wav", PowerMode::DoublePoints, {30}},
    {PowerupKind::Protect, "Protect.wav", PowerMode::Protect, {30}},
    {PowerupKind::DoubleSplitBalls, "DoubleSplitBalls.wav", PowerMode::None, {30, 330, 150, 210}},
    {PowerupKind::GrowPad, "GrowPad.wav", PowerMode::None, {30}, 102, 320, 102.0f},
    {PowerupKind::ShrinkPad, "ShrinkPad.wav", PowerMode::None, {30}, 38, 38, 38.0f},
    {PowerupKind::SplitBalls, "SplitBalls.wav", PowerMode::None, {30, 330}},
    {PowerupKind::Warp, "Warp.wav", PowerMode::None, {30}, 0, 320, 70.0f, 0.35f, 0, true},
    {PowerupKind::Death, "Death.wav", PowerMode::None, {}},
    {PowerupKind::FasterBall, "FasterBall.wav", PowerMode::None, {30}, 0, 320, 70.0f, 0.45f},
    {PowerupKind::SlowerBall, "SlowerBall.wav", PowerMode::None, {30}, 0, 320, 70.0f, 0.25f},
    {PowerupKind::ExtraLife, "ExtraLife.wav", PowerMode::None, {30}, 0, 320, 70.0f, 0.35f, 1},
};

TEST_F(CapsuleEffect, EachKindDoesWhatItsRowSaysToTheWorld) {
  ASSERT_EQ(std::size(Catches), CapsuleKinds.size());
  for (const Catching& c : Catches) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind);
    NewWorld();
    GameWorld& world = game.world;
    PutBall(0, 200, 300, 30);
    world.shots[3].active = true;
    PutCapsule(c.kind, 300, 455);
    Heard();
    CatchPowerups(game);
    EXPECT_EQ(world.fallingCapsules, 0);
    EXPECT_EQ(world.score, 25);
    EXPECT_EQ(Heard(), std::vector<std::string>{c.sound});
    EXPECT_EQ(world.powerMode, c.mode);
    EXPECT_FLOAT_EQ(world.pointMultiplier, c.mode == PowerMode::DoublePoints ? 2.0f : 1.0f);
    EXPECT_EQ(ActiveShots(), c.kind == PowerupKind::Laser ? 1 : 0);
    std::vector<float> bearings;
    for (const Ball& ball : world.balls)
      if (ball.active) bearings.push_back(std::round(RadToDeg(ball.angle) * 1000.0f) / 1000.0f);
    EXPECT_EQ(bearings, c.bearings);
    EXPECT_EQ(world.particleClock.interval, c.kind == PowerupKind::Death ? 300 : 70);
    EXPECT_EQ(world.growTarget, c.growTarget);
    EXPECT_EQ(world.shrinkTarget, c.shrinkTarget);
    for (int frame = 0; frame < 40; ++frame) UpdateAndDrawPaddles(game);
    EXPECT_NEAR(world.paddleLength, c.length, 0.08f * 16);
    EXPECT_FLOAT_EQ(world.balls[0].speed, c.speed);
    EXPECT_EQ(world.spareBalls, c.spareBalls);
    EXPECT_EQ(world.levelEndRequested, c.levelEnds);
  }
}

TEST_F(CapsuleEffect, DoublePointsDoublesLaterCapsulesUntilAnotherModeReplacesIt) {
  ApplyPowerup(game, PowerupKind::DoublePoints);
  EXPECT_EQ(game.world.score, 25);
  EXPECT_FLOAT_EQ(game.world.pointMultiplier, 2.0f);
  ApplyPowerup(game, PowerupKind::GrowPad);  // no mode: double points keep running
  EXPECT_EQ(game.world.score, 75);
  EXPECT_FLOAT_EQ(game.world.pointMultiplier, 2.0f);
  ApplyPowerup(game, PowerupKind::Catch);  // scored at the old multiplier, then back to one
  EXPECT_EQ(game.world.score, 125);
  EXPECT_FLOAT_EQ(game.world.pointMultiplier, 1.0f);
}

TEST_F(CapsuleEffect, WarpAtDoublePointsScoresFiftyAndEndsTheLevel) {
  ApplyPowerup(game, PowerupKind::DoublePoints);
  ApplyPowerup(game, PowerupKind::Warp);
  EXPECT_EQ(game.world.score, 75);
  EXPECT_TRUE(game.world.levelEndRequested);
}

TEST_F(CapsuleEffect, SpeedStepsStayOnTheTenthsBetweenQuarterAndFiftyFive) {
  PutBall(0, 100, 100, 30);
  game.world.balls[1].speed = 0.35f;  // inactive slots change too
  ApplyPowerup(game, PowerupKind::FasterBall);
  EXPECT_EQ(game.world.balls[0].speed, 0.45f);
  EXPECT_EQ(game.world.balls[1].speed, 0.45f);
  ApplyPowerup(game, PowerupKind::FasterBall);
  EXPECT_EQ(game.world.balls[0].speed, 0.55f);
  ApplyPowerup(game, PowerupKind::FasterBall);
  EXPECT_EQ(game.world.balls[0].speed, 0.55f);
  for (float expected : {0.45f, 0.35f, 0.25f, 0.25f}) {
    ApplyPowerup(game, PowerupKind::SlowerBall);
    EXPECT_EQ(game.world.balls[0].speed, expected);
  }
  ApplyPowerup(game, PowerupKind::FasterBall);
  EXPECT_EQ(game.world.balls[0].speed, 0.35f);
}

TEST_F(CapsuleEffect, SplitWithNineBallsGivesSixteen) {
  for (int i = 0; i < 9; ++i) PutBall(i, 100.0f + 20 * i, 200, 30);
  ApplyPowerup(game, PowerupKind::SplitBalls);
  EXPECT_EQ(ActiveBalls(), 16);
  EXPECT_NEAR(RadToDeg(game.world.balls[9].angle), 330.0f, 1e-3);  // copies head the other way sideways
  EXPECT_FLOAT_EQ(game.world.balls[9].x, 100.0f);
}

TEST_F(CapsuleEffect, ShotsVanishUnlessTheCapsuleIsLaser) {
  game.world.shots[3].active = true;
  ApplyPowerup(game, PowerupKind::Laser);
  EXPECT_EQ(ActiveShots(), 1);
  ApplyPowerup(game, PowerupKind::ExtraLife);
  EXPECT_EQ(ActiveShots(), 0);
}

TEST_F(CapsuleEffect, LeavingSuperOrDynaWipesTheTrailButTheSameModeKeepsIt) {
  game.world.powerMode = PowerMode::Super;
  AddParticle(game, 10, 10, 1);
  ApplyPowerup(game, PowerupKind::SuperBall);
  EXPECT_EQ(ActiveParticles(), 1);
  ApplyPowerup(game, PowerupKind::DynaBall);
  EXPECT_EQ(ActiveParticles(), 0);
  AddParticle(game, 10, 10, 2);
  ApplyPowerup(game, PowerupKind::GrowPad);
  EXPECT_EQ(ActiveParticles(), 0);
  game.world.powerMode = PowerMode::Laser;
  AddParticle(game, 10, 10, 3);  // outside Super and Dyna particles stay
  ApplyPowerup(game, PowerupKind::Catch);
  EXPECT_EQ(ActiveParticles(), 1);
}

using DeathCapsule = PowerTest;

TEST_F(DeathCapsule, EveryBallBurstsIntoSlowDebris) {
  PutBall(0, 100, 200, 30);
  PutBall(4, 300, 100, 30);
  game.world.particles.assign(50, Particle{});
  ApplyPowerup(game, PowerupKind::Death);
  EXPECT_EQ(ActiveBalls(), 0);
  EXPECT_EQ(game.world.particleClock.interval, 300);
  int debris = ActiveParticles(3);
  EXPECT_EQ(debris, static_cast<int>(game.world.particles.size()));  // the old list is gone
  EXPECT_GE(debris, 1 + 30 + 30);
  EXPECT_LE(debris, 1 + 40 + 40);
  EXPECT_FLOAT_EQ(game.world.particles.front().x, 105.0f);
  EXPECT_FLOAT_EQ(game.world.particles.back().y, 105.0f);
  for (const Particle& p : game.world.particles) {
    EXPECT_LE(std::hypot(p.velocityX, p.velocityY), 0.07f * std::sqrt(2.0f) + 1e-6f);
    EXPECT_GE(p.stage, 0);
    EXPECT_LE(p.stage, 3);
  }
}

TEST_F(DeathCapsule, WithSpareBallsANewBallStartsAfterTheFade) {
  PutBall(0, 100, 200, 30);
  game.world.spareBalls = 2;
  ApplyPowerup(game, PowerupKind::Death);
  game.state.screenFade = -99.0f;
  CheckBallLoss(game);
  EXPECT_EQ(game.world.spareBalls, 1);
  EXPECT_EQ(ActiveBalls(), 1);
  EXPECT_EQ(game.world.particleClock.interval, 70);
  EXPECT_FALSE(game.world.levelEndRequested);
}

TEST_F(DeathCapsule, WithoutSpareBallsTheGameEnds) {
  PutBall(0, 100, 200, 30);
  game.world.spareBalls = 0;
  ApplyPowerup(game, PowerupKind::Death);
  game.state.screenFade = -99.0f;
  CheckBallLoss(game);
  EXPECT_EQ(game.world.spareBalls, -1);
  EXPECT_TRUE(game.world.levelEndRequested);
  CheckLevelEnd(game);
  EXPECT_TRUE(game.state.gameOverScreen);
  EXPECT_EQ(game.world.endMessage, "GAME OVER");
}

}  // namespace
