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
