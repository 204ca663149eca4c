// Score panel, lost balls, level ends, the end-of-game screen and leaving a game.
#include "gameplay/score.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/game.h"
#include "core/game_input.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/sounds.h"
#include "loading/level_loading.h"
#include "platform/dik_codes.h"
#include "platform/display.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/text.h"

namespace {

const std::string GameOverMessage = "GAME OVER";
const std::string FinishedSetMessage = "You finished this set of levels!";

bool ScreenFadedOut(const Game& game) { return game.state.screenFade <= -99.0f; }

void ResetAfterLostBall(Game& game) {
  GameWorld& world = game.world;
  ResetPaddleAndPowers(world);
  ServeBall(world);
  // After a loss the capsule and particle lists start again from one entry.
  world.powerups.assign(1, Powerup{});
  world.particles.assign(1, Particle{});
  world.particleClock.interval = 70;
  world.particleClock.nextTick = static_cast<float>(PlayNow(game) + 70);
  game.state.playing = false;
  game.state.levelIntro = true;
}

void ShowEndOfGame(Game& game, const std::string& message) {
  GameState& state = game.state;
  GameWorld& world = game.world;
  state.fadingOut = false;
  state.musicFadingOut = false;
  state.fadingIn = true;
  state.gameOverScreen = true;
  for (Ball& ball : world.balls) ball.active = false;
  world.endMessage = message;
  if (message == FinishedSetMessage) PlayGameSound(game, SoundId::FinishedSet);
  world.levelEndRequested = false;
  state.gameplayFrozen = false;
}

void StartNextLevel(Game& game) {
  GameState& state = game.state;
  state.fadingOut = false;
  state.musicFadingOut = false;
  state.musicFadingIn = true;
  game.world.levelEndRequested = false;
  if (!StartLevel(game)) {
    // A damaged level between levels ends the game rather than leaving it black.
    ShowEndOfGame(game, "Level " + std::to_string(game.levelSet.currentLevel) + " cannot be loaded");
    return;
  }
  state.levelIntro = true;
  state.playing = false;
  state.gameplayFrozen = false;
}

void Firework(Game& game) {
  GameWorld& world = game.world;
  float fx = static_cast<float>(RoundToEven(RandomBetween(game, 1, 640, false)));
  float fy = static_cast<float>(RoundToEven(RandomBetween(game, 1, 480, false)));
  world.nextFirework = static_cast<float>(PlayNow(game)) + RandomBetween(game, 0, 1000, false);
  auto colour = static_cast<std::int32_t>(RandomBetween(game, 1, 3, false));
  auto sparks = static_cast<int>(RandomBetween(game, 30, 40, false));
  for (int i = 0; i < sparks; ++i) {
    Particle p;
    p.colourRow = colour;
    float a = RandomBetween(game, 1, 360, false);
    float b = RandomBetween(game, 1, 360, false);
    float s = RandomBetween(game, 90, 150, false) / 1000.0f;
    float t = RandomBetween(game, 90, 150, false) / 1000.0f;
    p.velocityY = std::sin(DegToRad(a)) * s;
    p.velocityX = std::cos(DegToRad(b)) * t;
    p.x = fx;
    p.y = fy;
    p.active = true;
    p.stage = static_cast<std::int32_t>(RandomBetween(game, 0, 2, false));
    AppendParticle(world, p);
  }
  PlayGameSound(game, SoundId::FireWork);
}

bool LeaveKeyDown(const Game& game) {
  return KeyDown(game, DIK_SPACE) || KeyDown(game, DIK_RETURN) || KeyDown(game, DIK_ESCAPE) ||
         game.state.leftButton || game.state.rightButton;
}

}  // namespace

void AddPoints(Game& game, std::int32_t amount) {
  GameWorld& world = game.world;
  world.score += RoundToEven(static_cast<double>(amount) * world.pointMultiplier);
}

float ScoreX(std::int32_t score) {
  // One sign place before the digits, so the last digit ends at x = 630.
  std::string text = (score >= 0 ? " " : "-") + std::to_string(std::abs(static_cast<long long>(score)));
  return 654.0f - 20.0f * static_cast<float>(text.size());
}

void DrawScorePanel(Game& game) {
  const GameWorld& world = game.world;
  int rowY = RoundToEven((world.pointMultiplier - 1.0f) * 24.0f);
  DrawNumber(game, world.score, ScoreX(world.score), 8, rowY);
  DrawNumber(game, world.spareBalls, 8, 8, 24);
}

void DrawNumber(Game& game, std::int32_t value, float x, float y, int rowY) {
  std::string digits = std::to_string(std::abs(static_cast<long long>(value)));
  for (std::size_t i = 0; i < digits.size(); ++i) {
    int digit = digits[i] - '0';
    DrawSprite(game.platform, game.world.images.numbersImage, {16 * digit, rowY, 16, 24},
               x + 20.0f * static_cast<float>(i), y);
  }
}

void CheckBallLoss(Game& game) {
  GameWorld& world = game.world;
  for (const Ball& ball : world.balls)
    if (ball.active) return;
  game.state.fadingOut = true;
  if (!ScreenFadedOut(game)) return;
  game.state.fadingOut = false;
  world.spareBalls -= 1;
  if (world.spareBalls < 0) {
    world.levelEndRequested = true;
    return;
  }
  ResetAfterLostBall(game);
}

void CheckLevelEnd(Game& game) {
  GameState& state = game.state;
  GameWorld& world = game.world;
  if (!world.levelEndRequested) return;
  state.fadingOut = true;
  state.musicFadingOut = true;
  state.gameplayFrozen = true;
  if (!ScreenFadedOut(game)) return;
  bool lastLevel = !HasLevel(game, game.levelSet.currentLevel + 1);
  if (lastLevel || world.spareBalls < 0) {
    ShowEndOfGame(game, world.spareBalls < 0 ? GameOverMessage : FinishedSetMessage);
  } else {
    StartNextLevel(game);
  }
}

void RunGameOverScreen(Game& game) {
  GameState& state = game.state;
  GameWorld& world = game.world;
  world.particleClock.interval = 700;
  bool setFinished = world.endMessage == FinishedSetMessage;
  if (setFinished && static_cast<float>(PlayNow(game)) >= world.nextFirework) Firework(game);
  DrawCentredText(game.platform, world.endMessage, 223.5f);
  if (game.settings.finalScoreScreen) DrawCentredText(game.platform, "Final score " + std::to_string(world.score), 258.5f);
  if (LeaveKeyDown(game)) {
    state.fadingIn = false;
    state.fadingOut = true;
    state.musicFadingOut = true;
  }
  if (state.screenFade == -99.0f && state.musicFade == 0.0f) {
    state.gameOverScreen = false;
    state.playing = false;
    state.frontEndReady = false;
    state.quitToFrontEnd = false;
    OfferScoreToTable(game);
    EndGame(game);
  }
}

void OfferScoreToTable(Game& game) {
  game.frontEnd.pendingScoreFile = ScoreFileOfGame(game);
  game.frontEnd.scoreEntryPending = true;
}

void EndGame(Game& game) {
  ReleaseModeAssets(game.platform, game.state.musicOn);
}
