// The game's mode flags and per-frame values, shared by every part of the game.
#pragma once
#include <cstdint>

struct GameState {
  bool running = false;
  bool frontEndReady = false;
  bool inFrontEnd = false;
  bool leavingFrontEnd = false;
  bool quitChosen = false;
  bool gameLoaded = false;
  bool levelIntro = false;
  bool playing = false;
  bool gameplayFrozen = false;
  bool gameOverScreen = false;
  bool paused = false;
  bool quitToFrontEnd = false;
  bool musicOn = false;
  bool soundOn = false;
  std::int32_t speedOverride = 0;
  std::int32_t lastTick = 0;
  std::int32_t frameStep = 0;
  float screenFade = 0.0f;  // -99 black .. 0 normal
  float musicFade = 0.0f;   // 0 .. music volume option
  bool gammaAvailable = false;
  bool fadingIn = false;
  bool fadingOut = false;
  bool musicFadingIn = false;
  bool musicFadingOut = false;
  float pointerX = 0.0f;
  float pointerY = 0.0f;
  bool leftButton = false;
  bool rightButton = false;
};

// Every field with its name: the one list a recording saves and restores the state at a game's start by.
template <typename State, typename Visit>
constexpr void VisitGameStateFields(State& s, Visit&& visit) {
  visit("running", s.running);
  visit("frontEndReady", s.frontEndReady);
  visit("inFrontEnd", s.inFrontEnd);
  visit("leavingFrontEnd", s.leavingFrontEnd);
  visit("quitChosen", s.quitChosen);
  visit("gameLoaded", s.gameLoaded);
  visit("levelIntro", s.levelIntro);
  visit("playing", s.playing);
  visit("gameplayFrozen", s.gameplayFrozen);
  visit("gameOverScreen", s.gameOverScreen);
  visit("paused", s.paused);
  visit("quitToFrontEnd", s.quitToFrontEnd);
  visit("musicOn", s.musicOn);
  visit("soundOn", s.soundOn);
  visit("speedOverride", s.speedOverride);
  visit("lastTick", s.lastTick);
  visit("frameStep", s.frameStep);
  visit("screenFade", s.screenFade);
  visit("musicFade", s.musicFade);
  visit("gammaAvailable", s.gammaAvailable);
  visit("fadingIn", s.fadingIn);
  visit("fadingOut", s.fadingOut);
  visit("musicFadingIn", s.musicFadingIn);
  visit("musicFadingOut", s.musicFadingOut);
  visit("pointerX", s.pointerX);
  visit("pointerY", s.pointerY);
  visit("leftButton", s.leftButton);
  visit("rightButton", s.rightButton);
}
