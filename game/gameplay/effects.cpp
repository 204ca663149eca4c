// Particles: the Super and Dyna trail, debris and firework sparks, aged by the particle clock and drawn.
#include "gameplay/effects.h"

#include "core/game.h"
#include "platform/display.h"

namespace {

// Source of a particle's dot in "trail.bmp"; size 0 draws nothing.
struct Dot {
  std::int16_t srcX = 0, srcY = 0, size = 0;
};

// Stage-0 particles have no dot of their own: they borrow the one drawn just before them in the pass.
Dot DotOf(const Particle& particle, Dot previous) {
  auto srcY = static_cast<std::int16_t>(3 * (particle.colourRow - 1));
  switch (particle.stage) {
    case 1: return {0, srcY, 3};
    case 2: return {3, srcY, 2};
    case 3: return {5, srcY, 1};
    default: return previous;
  }
}

void AddTrail(Game& game) {
  GameWorld& world = game.world;
  if (world.powerMode != PowerMode::Super && world.powerMode != PowerMode::Dyna) return;
  int colourRow = world.powerMode == PowerMode::Super ? 1 : 2;
  for (const Ball& ball : world.balls) {
    if (!ball.active) continue;
    // x is drawn before y in statements of their own: argument order is up to the compiler.
    float x = RandomBetween(game, ball.x, ball.x + 7.0f, false);
    float y = RandomBetween(game, ball.y, ball.y + 7.0f, false);
    AddParticle(game, x, y, colourRow);
  }
}

}  // namespace

void UpdateEffects(Game& game) {
  GameWorld& world = game.world;
  bool overScreen = game.state.gameOverScreen;
  auto step = static_cast<float>(PlayStep(game));
  AddTrail(game);
  bool tick = ClockTicks(world.particleClock, PlayNow(game));
  Dot dot;
  for (Particle& particle : world.particles) {
    if (!particle.active) continue;
    if (tick) {
      if (particle.stage == 3) particle.active = false;  // still drawn in this frame
      else particle.stage += 1;
    }
    dot = DotOf(particle, dot);
    if (overScreen) particle.velocityY += 0.0013f;  // gravity, once per frame
    if (particle.colourRow == 3 || overScreen) {
      particle.x += particle.velocityX * step;
      particle.y += particle.velocityY * step;
    }
    if (dot.size > 0)
      DrawSprite(game.platform, world.images.trailImage, {dot.srcX, dot.srcY, dot.size, dot.size}, particle.x,
                 particle.y);
  }
}

void AddParticle(Game& game, float x, float y, int colourRow) {
  std::vector<Particle>& particles = game.world.particles;
  Particle dot;
  dot.active = true;
  dot.stage = 1;
  dot.colourRow = colourRow;
  dot.x = x;
  dot.y = y;
  for (Particle& slot : particles)
    if (!slot.active) {
      slot = dot;
      return;
    }
  if (particles.size() < ParticleCap) particles.push_back(dot);
}

void AppendParticle(GameWorld& world, const Particle& particle) {
  std::vector<Particle>& particles = world.particles;
  if (particles.size() < ParticleCap) {
    particles.push_back(particle);
    return;
  }
  for (Particle& slot : particles)
    if (!slot.active) {
      slot = particle;
      return;
    }
}
