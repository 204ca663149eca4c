// The intro and play frames of the main loop, with the pause loop.
#include "gameplay/play_frames.h"

#include "core/game.h"
#include "gameplay/bricks.h"
#include "gameplay/effects.h"
#include "gameplay/physics.h"
#include "gameplay/player_input.h"
#include "gameplay/powerups.h"
#include "gameplay/score.h"
#include "gameplay/shots.h"
#include "platform/display.h"
#include "platform/music.h"
#include "platform/text.h"

namespace {

// Input, music upkeep and the drawing that every intro and play frame starts with.
void DrawLevel(Game& game) {
  ReadPlayerInput(game);
  if (game.state.musicOn) KeepMusicPlaying(game.platform, game.clock, game.state.musicOn);
  DrawBackground(game);
  UpdateAndDrawPaddles(game);
  DrawBricks(game);
}

// The frame that showed "Paused" stays on screen, darkened, until P is pressed again.
void PauseLoop(Game& game) {
  GameState& state = game.state;
  float musicVolume = game.options.musicVolume;
  if (state.gammaAvailable) ApplyGamma(game.platform, -30, -30, -30);
  if (musicVolume > 40.0f) SetMusicVolume(game.platform, 40, state.musicOn);
  float pointerX = state.pointerX;
  float pointerY = state.pointerY;
  while (state.paused) {
    ReadPlayerInput(game);
    if (!WaitingLoopPass(game.platform, game.clock)) break;
  }
  state.pointerX = pointerX;
  state.pointerY = pointerY;
  SetMusicVolume(game.platform, RoundToEven(musicVolume), state.musicOn);
  if (state.gammaAvailable) ApplyGamma(game.platform, 0, 0, 0);
}

void LeaveGameWhenFaded(Game& game, bool stopSong) {
  GameState& state = game.state;
  RequestFadeOut(game);
  if (!FadesEnded(game)) return;
  if (stopSong) StopSong(game.platform, state.musicOn);
  state.fadingOut = false;
  state.musicFadingOut = false;
  state.playing = false;
  state.levelIntro = false;
  state.frontEndReady = false;
  state.quitToFrontEnd = false;
  EndGame(game);
}

void RunUnlessFrozen(Game& game, void (*step)(Game&)) {
  if (!game.state.gameplayFrozen) step(game);
}

// A generated set's intro says which set (the day, for the Daily Challenge) and level this is.
void DrawGeneratedIntro(Game& game) {
  const GeneratedSet& set = game.generated.set;
  if (set.kind == GeneratedKind::None) return;
  const std::optional<std::int32_t> count = LevelCount(set);
  std::string level = "Level " + std::to_string(game.levelSet.currentLevel);
  if (count) level += " of " + std::to_string(*count);
  DrawCentredText(game.platform, GeneratedSetName(set), 310.0f);
  DrawCentredText(game.platform, level, 345.0f);
  if (!BackgroundThreads) DrawCentredText(game.platform, "Levels are made between levels", 380.0f);
}

}  // namespace

void IntroFrame(Game& game) {
  GameState& state = game.state;
  if (state.screenFade < 0.0f) state.fadingIn = true;
  DrawLevel(game);
  DrawScorePanel(game);
  PlaceBallOnPaddle(game, 0);
  DrawBalls(game);
  if (state.levelIntro) DrawGeneratedIntro(game);
  if (state.quitToFrontEnd) LeaveGameWhenFaded(game, false);
  if (state.levelIntro && state.screenFade >= -30.0f && (state.leftButton || state.rightButton)) {
    state.levelIntro = false;
    state.playing = true;
  }
}

void PlayFrame(Game& game) {
  GameState& state = game.state;
  if (state.gameOverScreen) {
    ReadPlayerInput(game);
    UpdateEffects(game);
    RunGameOverScreen(game);
    return;
  }
  if (state.paused) PauseLoop(game);
  DrawLevel(game);
  RunUnlessFrozen(game, UpdatePowerups);
  DrawBrickEffects(game);
  DrawScorePanel(game);
  DrawProtectWalls(game);
  if (!state.paused) UpdateBallVelocities(game);
  RunUnlessFrozen(game, MoveBalls);
  RunUnlessFrozen(game, UpdateShots);
  RunUnlessFrozen(game, CatchPowerups);
  RunUnlessFrozen(game, UpdateEffects);
  DrawBalls(game);
  if (state.paused) DrawPausedText(game.platform);
  if (!state.quitToFrontEnd) CheckBallLoss(game);
  if (!state.quitToFrontEnd) CheckLevelEnd(game);
  if (state.quitToFrontEnd) LeaveGameWhenFaded(game, true);
}
