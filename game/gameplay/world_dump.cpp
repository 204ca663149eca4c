// The game world as JSON for the state dump.
#include "gameplay/world_dump.h"

#include "core/game.h"
#include "gameplay/powerups.h"

namespace {

nlohmann::json BallJson(const Ball& ball) {
  return {{"x", ball.x}, {"y", ball.y}, {"angle", ball.angle}, {"speed", ball.speed}, {"active", ball.active},
          {"holdOffset", ball.holdOffset}, {"holdSide", static_cast<int>(ball.holdSide)}};
}

nlohmann::json CapsulesJson(const GameWorld& world) {
  nlohmann::json list = nlohmann::json::array();
  for (const Powerup& capsule : world.powerups)
    if (capsule.active)
      list.push_back({{"kind", capsule.kind}, {"x", capsule.x}, {"y", capsule.y},
                      {"direction", static_cast<int>(capsule.direction)}, {"animFrame", capsule.animFrame}});
  return list;
}

nlohmann::json ShotsJson(const GameWorld& world) {
  nlohmann::json list = nlohmann::json::array();
  for (const Shot& shot : world.shots)
    if (shot.active)
      list.push_back({{"x", shot.x}, {"y", shot.y}, {"side", static_cast<int>(shot.side)}, {"column", shot.column},
                      {"row", shot.row}});
  return list;
}

int ActiveParticles(const GameWorld& world) {
  int count = 0;
  for (const Particle& particle : world.particles) count += particle.active ? 1 : 0;
  return count;
}

}  // namespace

nlohmann::json DumpWorld(const Game& game) {
  const GameWorld& world = game.world;
  nlohmann::json balls = nlohmann::json::array();
  for (const Ball& ball : world.balls) balls.push_back(BallJson(ball));
  const CornerMargin& margin = world.cornerMargin;
  return {
      {"balls", balls},
      {"paddleLength", world.paddleLength},
      {"powerMode", static_cast<int>(world.powerMode)},
      {"pointMultiplier", world.pointMultiplier},
      {"score", world.score},
      {"spareBalls", world.spareBalls},
      {"homeSide", static_cast<int>(world.homeSide)},
      {"cornerMargin", {{"left", margin.left}, {"top", margin.top}, {"right", margin.right}, {"bottom", margin.bottom}}},
      {"levelEndRequested", world.levelEndRequested},
      {"destructibleCount", world.destructibleCount},
      {"guardedSides", {world.guardedSides[1], world.guardedSides[2], world.guardedSides[3], world.guardedSides[4]}},
      {"brickGrid", world.brickGrid},
      {"currentLevel", game.levelSet.currentLevel},
      {"levelFiles", game.levelSet.levelFiles},
      {"endMessage", world.endMessage},
      {"autopilot", world.autopilot},
      {"capsules", CapsulesJson(world)},
      {"fallingCapsules", world.fallingCapsules},
      {"shots", ShotsJson(world)},
      {"particleCount", ActiveParticles(world)},
      {"loadingProblem", world.loadingProblem},
      {"powerups", DumpPowerups(game)},
  };
}
