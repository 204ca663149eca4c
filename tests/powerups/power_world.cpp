// The power-up test world.
#include "power_world.h"

PowerTest::PowerTest() {
  SeedRandom(game.random, 1234);
  game.platform.input.script.active = true;
}

Powerup& PowerTest::PutCapsule(PowerupKind kind, float x, float y, Side direction) {
  GameWorld& world = game.world;
  world.powerups[0] = Powerup{true, 1, kind, x, y, direction};
  world.fallingCapsules = 1;
  return world.powerups[0];
}

int PowerTest::ActiveBalls() const {
  int count = 0;
  for (const Ball& ball : game.world.balls) count += ball.active ? 1 : 0;
  return count;
}

int PowerTest::ActiveShots() const {
  int count = 0;
  for (const Shot& shot : game.world.shots) count += shot.active ? 1 : 0;
  return count;
}

int PowerTest::ActiveParticles(int colourRow) const {
  int count = 0;
  for (const Particle& p : game.world.particles)
    count += p.active && (colourRow == 0 || p.colourRow == colourRow) ? 1 : 0;
  return count;
}
