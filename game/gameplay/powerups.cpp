// Capsules: the drop chance and kind, their fall and picture, the catch test and all fifteen effects.
#include "gameplay/powerups.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "content/playfield.h"
#include "core/game.h"
#include "core/game_input.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/player_input.h"
#include "gameplay/score.h"
#include "gameplay/sounds.h"
#include "platform/dik_codes.h"
#include "platform/display.h"

namespace {

constexpr float CapsuleSpeed = 0.15f;  // pixels per ms
constexpr int CapsuleFrames = 14;
constexpr float FastestBall = 0.55f;
constexpr float SlowestBall = 0.25f;

bool Vertical(Side side) { return side == Bottom || side == Top; }
int CapsuleWidth(Side direction) { return Vertical(direction) ? 32 : 16; }
int CapsuleHeight(Side direction) { return Vertical(direction) ? 16 : 32; }

int WholeDraw(Game& game, int lo, int hi) {
  return static_cast<int>(RandomBetween(game, static_cast<float>(lo), static_cast<float>(hi), false));
}

PowerupKind DrawKind(Game& game) {
  for (;;) {
    auto kind = static_cast<PowerupKind>(WholeDraw(game, 1, CapsuleKindCount));
    int n = CapsuleKindOf(kind).keepChance;
    if (n == 1 || WholeDraw(game, 1, n) == WholeDraw(game, 1, n)) return kind;
  }
}

// Ball speeds step by a tenth and stay on the grid 0.25, 0.35, 0.45, 0.55 whatever float error creeps in.
float SpeedStep(float speed, double change) {
  return static_cast<float>(std::round((speed + change) * 100.0) / 100.0);
}

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
};

bool Overlap(const Rect& a, const Rect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

Rect Rounded(float left, float top, float right, float bottom) {
  return {RoundToEven(left), RoundToEven(top), RoundToEven(right), RoundToEven(bottom)};
}

Rect PaddleRect(const Game& game, Side side) {
  const PaddleGeometry& paddle = PaddleOf(side);
  const float thickness = PaddleThickness;
  const float start = PaddleStart(game, side), end = start + game.world.paddleLength;
  if (paddle.horizontal) return Rounded(start, paddle.face, end, paddle.face + thickness);
  return Rounded(paddle.face, start, paddle.face + thickness, end);
}

Rect CapsuleRect(const Powerup& capsule) {
  auto w = static_cast<float>(CapsuleWidth(capsule.direction));
  auto h = static_cast<float>(CapsuleHeight(capsule.direction));
  return Rounded(capsule.x, capsule.y, capsule.x + w, capsule.y + h);
}

void RemoveCapsule(GameWorld& world, Powerup& capsule) {
  capsule.active = false;
  world.fallingCapsules -= 1;
}

// Moves the capsule toward its side and draws it; true once it has left the screen.
bool MoveAndDrawCapsule(Game& game, Powerup& capsule) {
  const GameImages& images = game.world.images;
  float step = CapsuleSpeed * static_cast<float>(PlayStep(game));
  int kindOffset = 16 * (capsule.kind - 1);
  int forward = 32 * (capsule.animFrame - 1);
  // Up and right play the frames backwards, so the spin looks the same on every side.
  int backward = 448 - 32 * capsule.animFrame;
  switch (capsule.direction) {
    case Bottom:
      capsule.y += step;
      DrawSprite(game.platform, images.powerupsImage, {forward, kindOffset, 32, 16}, capsule.x, capsule.y);
      return capsule.y >= 480.0f;
    case Right:
      capsule.x += step;
      DrawSprite(game.platform, images.powerups2Image, {kindOffset, backward, 16, 32}, capsule.x, capsule.y);
      return capsule.x >= 640.0f;
    case Top:
      capsule.y -= step;
      DrawSprite(game.platform, images.powerupsImage, {backward, kindOffset, 32, 16}, capsule.x, capsule.y);
      return capsule.y <= -16.0f;
    default:
      capsule.x -= step;
      DrawSprite(game.platform, images.powerups2Image, {kindOffset, forward, 16, 32}, capsule.x, capsule.y);
      return capsule.x <= -16.0f;
  }
}

void ChangeSpeeds(GameWorld& world, bool faster) {
  for (Ball& ball : world.balls) {
    if (faster && ball.speed < FastestBall) ball.speed = SpeedStep(ball.speed, 0.1);
    if (!faster && ball.speed > SlowestBall) ball.speed = SpeedStep(ball.speed, -0.1);
  }
}

// The power mode a capsule sets; None for the kinds that act once.
PowerMode ModeOf(PowerupKind kind) {
  switch (kind) {
    case PowerupKind::SuperBall: return PowerMode::Super;
    case PowerupKind::DynaBall: return PowerMode::Dyna;
    case PowerupKind::Catch: return PowerMode::Catch;
    case PowerupKind::Laser: return PowerMode::Laser;
    case PowerupKind::DoublePoints: return PowerMode::DoublePoints;
    case PowerupKind::Protect: return PowerMode::Protect;
    default: return PowerMode::None;
  }
}

// What the kind does to the world.
void Effect(Game& game, PowerupKind kind) {
  GameWorld& world = game.world;
  if (PowerMode mode = ModeOf(kind); mode != PowerMode::None) world.powerMode = mode;
  switch (kind) {
    case PowerupKind::DoublePoints: world.pointMultiplier = 2.0f; break;
    case PowerupKind::DoubleSplitBalls:
      SplitBalls(game, MirrorOffVertical);
      SplitBalls(game, MirrorOffHorizontal);
      break;
    case PowerupKind::GrowPad:
      world.growTarget = RoundToEven(world.paddleLength + 32.0f);
      world.shrinkTarget = static_cast<std::int32_t>(LongestPaddle);
      break;
    case PowerupKind::ShrinkPad:
      world.shrinkTarget = RoundToEven(world.paddleLength - 32.0f);
      world.growTarget = static_cast<std::int32_t>(ShortestPaddle);
      break;
    case PowerupKind::SplitBalls: SplitBalls(game, MirrorOffVertical); break;
    case PowerupKind::Warp: world.levelEndRequested = true; break;
    case PowerupKind::Death: KillAllBalls(game); break;
    case PowerupKind::FasterBall: ChangeSpeeds(world, true); break;
    case PowerupKind::SlowerBall: ChangeSpeeds(world, false); break;
    case PowerupKind::ExtraLife: world.spareBalls += 1; break;
    case PowerupKind::SuperBall:
    case PowerupKind::DynaBall:
    case PowerupKind::Catch:
    case PowerupKind::Laser:
    case PowerupKind::Protect: break;  // a power mode alone, set above
  }
}

// One ball's debris burst over the list entries from `first` to a new end n entries further on.
std::size_t BallDebris(Game& game, const Ball& ball, std::size_t first) {
  std::vector<Particle>& particles = game.world.particles;
  std::size_t grown = particles.size() + static_cast<std::size_t>(WholeDraw(game, 30, 40));
  particles.resize(std::min(grown, ParticleCap));
  for (std::size_t i = first; i < particles.size(); ++i) {
    Particle& p = particles[i];
    p.colourRow = 3;
    p.velocityY = std::sin(DegToRad(RandomBetween(game, 1, 360, false))) * 0.07f;
    p.velocityX = std::cos(DegToRad(RandomBetween(game, 1, 360, false))) * 0.07f;
    p.x = ball.x + 5.0f;
    p.y = ball.y + 5.0f;
    p.active = true;
    p.stage = WholeDraw(game, 0, 3);
  }
  return particles.size();
}

}  // namespace

void SpawnPowerup(Game& game, int column, int row) {
  GameWorld& world = game.world;
  if (game.capsulesOff || world.fallingCapsules >= 1) return;
  if (WholeDraw(game, 1, 4) != WholeDraw(game, 1, 4)) return;
  PowerupKind kind = DrawKind(game);
  if (KeyDown(game, DIK_W)) kind = PowerupKind::Warp;
  PlayGameSound(game, SoundId::Powerup);
  Powerup* slot = nullptr;
  for (Powerup& capsule : world.powerups)
    if (!capsule.active) {
      slot = &capsule;
      break;
    }
  if (slot == nullptr) slot = &world.powerups.emplace_back();
  Side direction = world.homeSide;
  int w = CapsuleWidth(direction);
  int h = CapsuleHeight(direction);
  *slot = Powerup{true, 1, kind, static_cast<float>(32 * (column - 1) + (32 - w) / 2),
                  static_cast<float>(16 * (row - 1) + (16 - h) / 2), direction};
  world.fallingCapsules += 1;
}

void UpdatePowerups(Game& game) {
  GameWorld& world = game.world;
  bool tick = ClockTicks(world.capsuleClock, PlayNow(game));
  for (Powerup& capsule : world.powerups) {
    if (!capsule.active) continue;
    if (tick) capsule.animFrame = capsule.animFrame == CapsuleFrames ? 1 : capsule.animFrame + 1;
    if (MoveAndDrawCapsule(game, capsule)) RemoveCapsule(world, capsule);
  }
}

void CatchPowerups(Game& game) {
  GameWorld& world = game.world;
  for (std::size_t i = 0; i < world.powerups.size(); ++i) {
    if (!world.powerups[i].active) continue;
    Rect capsule = CapsuleRect(world.powerups[i]);
    for (Side side : {Bottom, Right, Top, Left}) {
      if (!IsGuarded(world, side) || !Overlap(capsule, PaddleRect(game, side))) continue;
      // Caught once, even when it touches two paddles.
      PowerupKind kind = world.powerups[i].kind;
      RemoveCapsule(world, world.powerups[i]);
      ApplyPowerup(game, kind);
      break;
    }
  }
}

void ApplyPowerup(Game& game, PowerupKind kind) {
  GameWorld& world = game.world;
  AddPoints(game, 25);
  if (kind != PowerupKind::Laser)
    for (Shot& shot : world.shots) shot.active = false;
  bool trailMode = world.powerMode == PowerMode::Super || world.powerMode == PowerMode::Dyna;
  if (trailMode && ModeOf(kind) != world.powerMode)
    for (Particle& particle : world.particles) particle.active = false;
  Effect(game, kind);
  PlayGameSound(game, CapsuleKindOf(kind).sound);
  if (world.powerMode != PowerMode::DoublePoints) world.pointMultiplier = 1.0f;
}

void KillAllBalls(Game& game) {
  GameWorld& world = game.world;
  world.particleClock.interval = 300;  // debris fades four times slower
  world.particles.assign(1, Particle{});
  std::size_t first = 0;
  for (Ball& ball : world.balls) {
    if (!ball.active) continue;
    ball.active = false;
    first = BallDebris(game, ball, first);
  }
}

nlohmann::json DumpPowerups(const Game& game) {
  const GameWorld& world = game.world;
  int count = 0;
  std::array<int, 4> byColourRow{};
  for (const Particle& particle : world.particles) {
    if (!particle.active) continue;
    ++count;
    if (particle.colourRow >= 1 && particle.colourRow <= 3) ++byColourRow[particle.colourRow];
  }
  nlohmann::json particles = {
      {"count", count},
      {"byColourRow", {{"1", byColourRow[1]}, {"2", byColourRow[2]}, {"3", byColourRow[3]}}},
      {"listLength", world.particles.size()},
      {"clockInterval", world.particleClock.interval}};
  return {{"particles", particles}};
}
