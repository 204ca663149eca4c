// The world of a level in play: balls, paddles, bricks, capsules, shots, explosions, particles, score, clocks;
// and the few routines on it that both the level loading and the rules of play use.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "content/capsule_kinds.h"  // PowerupKind
#include "content/level_file.h"    // Side, BrickGrid, GridColumns, GridRows
#include "content/media_files.h"   // GameSounds
#include "content/tileset_file.h"  // TileSet, TileDef, TileKind

constexpr int BallSlots = 16;
constexpr int ShotSlots = 12;
constexpr int PlayColumns = 20;  // columns 1 .. 20 take part in play
constexpr int PlayRows = 30;     // rows 1 .. 30
constexpr float BallSize = 10.0f;      // a ball is a 10 x 10 square
constexpr float NotHeld = -50.0f;      // holdOffset of a ball no paddle holds
constexpr float StartBallSpeed = 0.35f;
constexpr float StartPaddleLength = 70.0f;
constexpr float LongestPaddle = 320.0f;
constexpr float ShortestPaddle = 38.0f;

enum class PowerMode : std::int32_t { None = 0, Super = 1, Dyna = 2, Catch = 3, Laser = 4, DoublePoints = 5, Protect = 6 };

struct Ball {
  float x = 0.0f, y = 0.0f;  // top-left corner
  float angle = 0.0f;        // bearing in radians, 0 up, clockwise
  float speed = 0.0f;        // pixels per ms
  float velocityUp = 0.0f;   // cos(angle) * speed; positive moves up the screen
  float velocityX = 0.0f;    // sin(angle) * speed; positive moves right
  float holdOffset = NotHeld;
  Side holdSide = Bottom;
  bool active = false;
  float msWithoutEffect = 0.0f;  // play time since it last met a paddle or scored
};

// Room kept free in a corner shared by two guarded sides, so crossing paddles never overlap.
struct CornerMargin {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct ExplosionCell {
  std::int32_t stage = 0;       // 1 .. 7
  std::int32_t effectKind = 0;  // TileKind of the brick that stood there, 0 for an empty cell
  bool pending = false;
};
using ExplosionGrid = std::array<std::array<ExplosionCell, GridRows>, GridColumns>;  // [column][row]

// A falling capsule.
struct Powerup {
  bool active = false;
  std::int32_t animFrame = 1;  // 1 .. 14
  PowerupKind kind{};
  float x = 0.0f, y = 0.0f;
  Side direction = Bottom;     // the edge it travels toward
};

// A laser shot: 4 x 16 from the bottom and top paddles, 16 x 4 from the side paddles.
struct Shot {
  float x = 0.0f, y = 0.0f;
  std::int32_t column = 0, row = 0;  // cell under the leading end
  bool active = false;
  Side side = Bottom;                // the paddle that fired it; it flies away from that side
};

struct Particle {
  float x = 0.0f, y = 0.0f;
  std::int32_t stage = 0;      // 0 .. 3; stage 3 ends at the next particle tick
  std::int32_t colourRow = 1;  // 1 Super trail, 2 Dyna trail, 3 debris
  bool active = false;
  float velocityX = 0.0f;
  float velocityY = 0.0f;      // positive moves down
};

// Ticks when the tick count is not below nextTick; nextTick then becomes now + interval.
struct IntervalTimer {
  std::int32_t interval = 0;  // ms
  float nextTick = 0.0f;
};

// Image ids of the game's pictures, in their load order after "loading.bmp".
struct GameImages {
  int paddleImage = -1, paddle2Image = -1, ballImage = -1, explosionImage = -1;
  int powerupsImage = -1, powerups2Image = -1;
  std::array<int, 5> laserImages{-1, -1, -1, -1, -1};    // [1 .. 4] by Side
  std::array<int, 5> cannonImages{-1, -1, -1, -1, -1};   // [1 .. 4] by Side
  int numbersImage = -1;
  std::array<int, 5> barrierImages{-1, -1, -1, -1, -1};  // [1 .. 4] by Side
  int trailImage = -1;  // the font's id is kept by the text layer
};

constexpr int GameSoundCount = static_cast<int>(GameSounds.size());

struct GameWorld {
  // Balls and paddles.
  std::array<Ball, BallSlots> balls{};
  float paddleLength = StartPaddleLength;
  std::int32_t growTarget = 0;
  std::int32_t shrinkTarget = static_cast<std::int32_t>(LongestPaddle);
  CornerMargin cornerMargin{};
  Side homeSide = Bottom;  // the side whose paddle last returned a ball
  PowerMode powerMode = PowerMode::None;
  float pointMultiplier = 1.0f;  // 2 exactly while powerMode is DoublePoints

  // The level: filled by LoadLevel and LoadTileSet; brickGrid changes in play.
  GuardedSides guardedSides{};
  std::string tilesetName;
  std::string backgroundName;
  BrickGrid brickGrid{};  // [column][row]
  TileSet tileSet;
  int tilesetImage = -1;
  int backgroundImage = -1;
  std::int32_t backgroundRepeatX = 0, backgroundRepeatY = 0;
  ExplosionGrid explosionGrid{};

  // Capsules, shots and particles.
  std::vector<Powerup> powerups = std::vector<Powerup>(1);  // grows at its end; free slots reused
  std::int32_t fallingCapsules = 0;
  std::array<Shot, ShotSlots> shots{};
  std::vector<Particle> particles = std::vector<Particle>(1);  // grows at its end; free slots reused

  // Counters and flags.
  std::int32_t score = 0;
  std::int32_t spareBalls = 0;  // -1 once the last ball is lost
  bool levelEndRequested = false;
  std::string endMessage;
  std::int32_t destructibleCount = 0;
  bool autopilot = false;
  float autopilotOffsetX = 0.0f, autopilotOffsetY = 0.0f;
  float nextPauseToggle = 0.0f;
  bool leaveAsked = false;  // "Leave this game?" waits for its answer
  float nextLaserShot = 0.0f;
  float nextFirework = 0.0f;
  // Arrow keys steering the paddles: which way each axis (x, then y) is held, and for how many ms of game time.
  std::array<int, 2> arrowDirection{};
  std::array<float, 2> arrowHeldMs{};

  // Clocks.
  IntervalTimer brickAnimationClock{80, 0.0f};
  IntervalTimer explosionClock{45, 0.0f};
  IntervalTimer capsuleClock{45, 0.0f};
  IntervalTimer particleClock{70, 0.0f};

  // Game start and the assets it loads.
  bool loadingScreenShown = false;
  int loadingImage = -1;
  GameImages images;
  std::array<std::int16_t, GameSoundCount> soundIds{};  // SoundTable slot of each game sound
  std::string loadingProblem;  // what the last failed load could not read; empty when none failed
};

inline bool IsGuarded(const GameWorld& world, int side) { return IsGuarded(world.guardedSides, side); }

// The TileDef of a cell's tile number; an all-zero record for a number outside the tileset.
inline const TileDef& TileOf(const GameWorld& world, std::int32_t tileNumber) {
  static const TileDef none{};
  if (tileNumber < 1 || tileNumber > world.tileSet.tileCount ||
      tileNumber >= static_cast<std::int32_t>(world.tileSet.tiles.size()))
    return none;
  return world.tileSet.tiles[tileNumber];
}

// True on the frame in which the clock is due; moves it on by its interval.
inline bool ClockTicks(IntervalTimer& clock, std::int32_t now) {
  if (static_cast<float>(now) < clock.nextTick) return false;
  clock.nextTick = static_cast<float>(now + clock.interval);
  return true;
}

// Float to integer, to the nearest whole number with halves going to the even one.
inline std::int32_t RoundToEven(double value) { return static_cast<std::int32_t>(std::nearbyint(value)); }

// A new ball in the first free slot; none when all 16 are in use.
void AddBall(GameWorld& world, float x, float y, float speed, float angleDegrees);
// The angle in degrees a new ball takes on the given home side, pointing away from its paddle.
float LaunchAngleFor(Side side);
// A new ball at the start speed, launched away from the home side's paddle.
void ServeBall(GameWorld& world);
// What a level start and a lost ball both put back: the paddle's length and targets, no power mode, no
// multiplier, and no shot, falling capsule or explosion left.
void ResetPaddleAndPowers(GameWorld& world);
