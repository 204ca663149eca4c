// The intro and play frames of the main loop, with the pause loop.
#include "gameplay/play_frames.h"

#include <string>
#include <vector>

#include "core/game.h"
#include "core/game_input.h"
#include "platform/dik_codes.h"
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

constexpr const char* LeaveQuestion = "Leave this game? (Y/N)";

// The frame that asked stays on screen until the answer: Y, Enter or the pad's A leave, and the score is offered
// to the table as at the end of a game; N, Esc or B go on. The key that asked is let go before any answers.
void LeaveQuestionLoop(Game& game) {
  GameState& state = game.state;
  const float pointerX = state.pointerX, pointerY = state.pointerY;
  bool letGo = false;
  while (game.world.leaveAsked) {
    ReadKeyboard(game);
    const bool yes = KeyDown(game, DIK_Y) || KeyDown(game, DIK_RETURN) || PadDown(game, PadButton::A);
    const bool no = KeyDown(game, DIK_N) || KeyDown(game, DIK_ESCAPE);
    if (letGo && (yes || no)) {
      game.world.leaveAsked = false;
      state.quitToFrontEnd = yes;
      if (yes) OfferScoreToTable(game);
    }
    letGo = letGo || (!yes && !no);
    if (!WaitingLoopPass(game.platform, game.clock)) break;
  }
  state.pointerX = pointerX;
  state.pointerY = pointerY;
}

void DrawLeaveQuestion(Game& game) {
  if (game.world.leaveAsked) DrawCentredText(game.platform, LeaveQuestion, 223.5f);
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

// A generated set's intro says which set (the day, for the Daily Challenge) and level this is; so does any set's
// when the player asked for the details, which also say how to start.
void DrawIntroLines(Game& game) {
  const GeneratedSet& set = game.generated.set;
  const bool generated = set.kind != GeneratedKind::None, details = game.settings.levelIntroDetails != 0;
  if (!generated && !details) return;
  const std::optional<std::int32_t> count =
      generated ? LevelCount(set) : static_cast<std::int32_t>(game.levelSet.levelFiles.size());
  std::string level = "Level " + std::to_string(game.levelSet.currentLevel);
  if (count) level += " of " + std::to_string(*count);
  std::vector<std::string> lines = {generated ? GeneratedSetName(set) : game.levelSet.levelSetName, level};
  if (generated && !BackgroundThreads) lines.push_back("Levels are made between levels");
  if (details) lines.push_back("click or press Space");
  for (std::size_t i = 0; i < lines.size(); ++i) DrawCentredText(game.platform, lines[i], 310.0f + 35.0f * i);
}

}  // namespace

void IntroFrame(Game& game) {
  GameState& state = game.state;
  if (state.screenFade < 0.0f) state.fadingIn = true;
  if (game.world.leaveAsked) LeaveQuestionLoop(game);
  DrawLevel(game);
  DrawScorePanel(game);
  PlaceBallOnPaddle(game, 0);
  DrawBalls(game);
  if (state.levelIntro) DrawIntroLines(game);
  DrawLeaveQuestion(game);
  if (state.quitToFrontEnd) LeaveGameWhenFaded(game, false);
  if (state.levelIntro && !game.world.leaveAsked && state.screenFade >= -30.0f &&
      (state.leftButton || state.rightButton)) {
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
  // Asked during the pause, the question is shown on this frame and waits from the next.
  const bool asked = game.world.leaveAsked;
  if (state.paused) PauseLoop(game);
  if (asked) LeaveQuestionLoop(game);
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
  DrawLeaveQuestion(game);
  if (!state.quitToFrontEnd) CheckBallLoss(game);
  if (!state.quitToFrontEnd) CheckLevelEnd(game);
  if (state.quitToFrontEnd) LeaveGameWhenFaded(game, true);
}
