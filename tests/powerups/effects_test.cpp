// Particles and background: the Super and Dyna trail, debris, sparks under gravity, the cap, the picture rules.
#include "gameplay/effects.h"
#include "gameplay/powerups.h"
#include "power_world.h"

namespace {

class EffectsTest : public PowerTest {
 protected:
  EffectsTest() {
    // trail.bmp: one colour per row of dots, so a drawn pixel tells the colour row.
    Surface trail;
    trail.width = 6;
    trail.height = 9;
    trail.inUse = true;
    trail.pixels.resize(54);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 6; ++x) trail.pixels[y * 6 + x] = static_cast<Pixel>(0x100 * (y / 3 + 1) + x + 1);
    game.platform.display.surfaceTable.push_back(trail);
    game.world.images.trailImage = static_cast<int>(game.platform.display.surfaceTable.size()) - 1;
    game.world.particleClock = IntervalTimer{70, 1070.0f};
  }
  Particle& Put(int index, float x, float y, int stage, int colourRow = 3) {
    auto& list = game.world.particles;
    if (list.size() <= static_cast<std::size_t>(index)) list.resize(index + 1);
    list[index] = Particle{x, y, stage, colourRow, true, 0.0f, 0.0f};
    return list[index];
  }
  void Frame(int ms) {
    Advance(ms);
    game.state.frameStep = ms;
    game.platform.display.backBuffer.assign(ScreenWidth * ScreenHeight, 0);
    UpdateEffects(game);
  }
};

using BallTrail = EffectsTest;

TEST_F(BallTrail, SuperBallDropsStillDotsOfRowOneThatVanishByTheThirdTick) {
  game.world.powerMode = PowerMode::Super;
  PutBall(0, 200, 300, 30);
  Frame(0);
  ASSERT_EQ(ActiveParticles(1), 1);
  Particle first = game.world.particles[0];
  EXPECT_GE(first.x, 200.0f);
  EXPECT_LT(first.x, 208.0f);
  EXPECT_GE(first.y, 300.0f);
  EXPECT_LT(first.y, 308.0f);
  game.world.balls[0].active = false;  // no more dots: follow the first one alone
  for (int ms = 0; ms < 210; ms += 10) {
    Frame(10);
    EXPECT_FLOAT_EQ(game.world.particles[0].x, first.x);
  }
  EXPECT_EQ(ActiveParticles(), 0);
}

TEST_F(BallTrail, DotPositionDrawsXBeforeYSoSeededRunsRepeatOnEveryCompiler) {
  game.world.powerMode = PowerMode::Super;
  PutBall(0, 200, 300, 30);
  RandomSource expected = game.random;
  float x = RandomBetween(expected, 0, 200.0f, 207.0f, false);
  float y = RandomBetween(expected, 0, 300.0f, 307.0f, false);
  ASSERT_NE(x - 200.0f, y - 300.0f);  // the two draws must differ for the order to show
  Frame(0);
  EXPECT_FLOAT_EQ(game.world.particles[0].x, x);
  EXPECT_FLOAT_EQ(game.world.particles[0].y, y);
}

TEST_F(BallTrail, DotsShrinkThroughTheirStagesWithTheirRowColour) {
  game.world.powerMode = PowerMode::Dyna;
  PutBall(0, 200, 300, 30);
  Frame(0);
  game.world.balls[0].active = false;
  const Particle& dot = game.world.particles[0];
  int x = static_cast<int>(std::nearbyint(dot.x));
  int y = static_cast<int>(std::nearbyint(dot.y));
  EXPECT_EQ(At(x + 2, y + 2), 0x203);  // stage 1: 3 x 3 from x 0 of row 2
  Frame(70);
  EXPECT_EQ(dot.stage, 2);
  EXPECT_EQ(At(x, y), 0x204);
  EXPECT_EQ(At(x + 2, y + 2), 0);
  Frame(70);
  EXPECT_EQ(At(x, y), 0x206);
  EXPECT_EQ(At(x + 1, y), 0);
  Frame(70);
  EXPECT_FALSE(dot.active);
  EXPECT_EQ(At(x, y), 0x206);  // ended, still drawn in its last frame
}

using ParticleMotion = EffectsTest;

TEST_F(ParticleMotion, DebrisFliesAndTrailStaysInPlay) {
  Particle& debris = Put(0, 100, 100, 1, 3);
  debris.velocityX = 0.07f;
  Particle& dot = Put(1, 200, 200, 1, 1);
  dot.velocityX = 0.07f;
  Frame(10);
  EXPECT_FLOAT_EQ(game.world.particles[0].x, 100.7f);
  EXPECT_FLOAT_EQ(game.world.particles[1].x, 200.0f);
}

TEST_F(ParticleMotion, SparksFallFasterAndFasterOnTheEndOfGameScreen) {
  game.state.gameOverScreen = true;
  game.world.particleClock = IntervalTimer{700, 1700.0f};
  Particle& spark = Put(0, 300, 200, 1, 2);
  spark.velocityX = 0.1f;
  float lastDrop = 0.0f;
  float lastY = spark.y;
  for (int frame = 0; frame < 20; ++frame) {
    Frame(16);
    float drop = game.world.particles[0].y - lastY;
    EXPECT_GT(drop, lastDrop);
    lastDrop = drop;
    lastY = game.world.particles[0].y;
  }
  EXPECT_NEAR(game.world.particles[0].velocityY, 20 * 0.0013f, 1e-6);
  EXPECT_NEAR(game.world.particles[0].x, 300 + 0.1f * 16 * 20, 1e-3);
}

TEST_F(ParticleMotion, SparksEndAtTheirLastSlowTick) {
  game.state.gameOverScreen = true;
  game.world.particleClock = IntervalTimer{700, 1000.0f};
  Put(0, 300, 100, 0, 1);
  Put(1, 310, 100, 2, 1);
  int lastAliveFrame[2] = {0, 0};
  for (int frame = 1; frame <= 300; ++frame) {
    Frame(10);
    for (int i = 0; i < 2; ++i)
      if (game.world.particles[i].active) lastAliveFrame[i] = frame;
  }
  // Ticks fall on frames 1, 71, 141 and 211: stage 0 ends at the fourth, stage 2 at the second.
  EXPECT_EQ(lastAliveFrame[0], 210);
  EXPECT_EQ(lastAliveFrame[1], 70);
}

using ParticlePicture = EffectsTest;

TEST_F(ParticlePicture, StageZeroBorrowsTheDotDrawnBeforeItAndNothingWhenFirst) {
  Put(0, 100, 100, 0, 3);
  Put(1, 200, 100, 1, 3);
  Put(2, 300, 100, 0, 3);
  game.world.particleClock.nextTick = 1e9f;  // no tick: stages stay
  Frame(0);
  EXPECT_EQ(At(100, 100), 0);
  EXPECT_EQ(At(200, 100), 0x301);
  EXPECT_EQ(At(302, 102), 0x303);  // a 3 x 3 dot like particle 1's
}

using ParticleCap = EffectsTest;

TEST_F(ParticleCap, BurstsStopGrowingTheListAtTheCapAndReuseFreeSlots) {
  Particle spark{1, 1, 1, 1, true, 0, 0};
  for (std::size_t i = 0; i < ::ParticleCap + 500; ++i) AppendParticle(game.world, spark);
  EXPECT_EQ(game.world.particles.size(), ::ParticleCap);
  game.world.particles[17].active = false;
  spark.x = 55;
  AppendParticle(game.world, spark);
  EXPECT_TRUE(game.world.particles[17].active);
  EXPECT_FLOAT_EQ(game.world.particles[17].x, 55.0f);
  AddParticle(game, 5, 5, 1);  // full and no free slot: dropped
  EXPECT_EQ(game.world.particles.size(), ::ParticleCap);
}

TEST_F(ParticleCap, DeathDebrisStaysWithinTheCap) {
  for (int i = 0; i < 16; ++i) PutBall(i, 100, 100, 30);
  game.world.particles.assign(::ParticleCap - 10, Particle{});
  KillAllBalls(game);
  EXPECT_LE(game.world.particles.size(), ::ParticleCap);
  EXPECT_GE(game.world.particles.size(), 16u * 30u);
}

using Background = EffectsTest;

TEST_F(Background, TiledFromTheCornerWhenOnAndBlackWhenOff) {
  game.world.backgroundImage = SolidPicture(256, 256, 0x0842);
  game.world.backgroundRepeatX = 3;
  game.world.backgroundRepeatY = 2;
  game.options.backgroundOn = 0;
  DrawBackground(game);
  EXPECT_EQ(At(0, 0), 0);
  EXPECT_EQ(At(639, 479), 0);
  game.options.backgroundOn = 1;
  DrawBackground(game);
  EXPECT_EQ(At(0, 0), 0x0842);
  EXPECT_EQ(At(639, 479), 0x0842);
}

}  // namespace

namespace {

using ParticleDump = EffectsTest;

TEST_F(ParticleDump, CountsActiveParticlesPerColourRow) {
  Put(0, 0, 0, 1, 1);
  Put(1, 0, 0, 1, 3);
  Put(2, 0, 0, 1, 3);
  Put(3, 0, 0, 1, 2).active = false;
  nlohmann::json dump = DumpPowerups(game)["particles"];
  EXPECT_EQ(dump["count"], 3);
  EXPECT_EQ(dump["byColourRow"]["1"], 1);
  EXPECT_EQ(dump["byColourRow"]["2"], 0);
  EXPECT_EQ(dump["byColourRow"]["3"], 2);
}

}  // namespace
