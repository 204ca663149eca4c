// The screen fades through the gamma ramp and the music fades through the master volume.
#include "shell/fades.h"

#include <cmath>

#include "core/game.h"
#include "platform/display.h"
#include "platform/music.h"

namespace {

constexpr float ScreenFadeRate = 0.08f;  // percent per ms
constexpr float MusicFadeInRate = 0.03f;   // level per ms
constexpr float MusicFadeOutRate = 0.08f;

void ApplyScreenFade(Game& game) {
  const float fade = game.state.screenFade;
  ApplyGamma(game.platform, fade, fade, fade);
}

void ApplyMusicFade(Game& game) {
  SetMusicVolume(game.platform, static_cast<int>(std::nearbyint(game.state.musicFade)), game.state.musicOn);
}

}  // namespace

void FadeOutStep(Game& game) {
  GameState& s = game.state;
  s.fadingIn = false;
  if (!s.gammaAvailable) {
    s.screenFade = -99;
    s.fadingOut = false;
    return;
  }
  ApplyScreenFade(game);
  s.screenFade -= ScreenFadeRate * static_cast<float>(s.frameStep);
  if (s.screenFade <= -100) {
    s.screenFade = -99;
    s.fadingOut = false;
  }
}

void FadeInStep(Game& game) {
  GameState& s = game.state;
  s.fadingOut = false;
  if (!s.gammaAvailable) {
    s.screenFade = 0;
    s.fadingIn = false;
    return;
  }
  s.screenFade += ScreenFadeRate * static_cast<float>(s.frameStep);
  if (s.screenFade >= 0) {
    s.screenFade = 0;
    s.fadingIn = false;
  }
  ApplyScreenFade(game);
}

void MusicFadeInStep(Game& game) {
  GameState& s = game.state;
  s.musicFade += MusicFadeInRate * static_cast<float>(s.frameStep);
  if (s.musicFade >= game.options.musicVolume) {
    s.musicFade = game.options.musicVolume;
    s.musicFadingIn = false;
  }
  ApplyMusicFade(game);
}

void MusicFadeOutStep(Game& game) {
  GameState& s = game.state;
  s.musicFade -= MusicFadeOutRate * static_cast<float>(s.frameStep);
  if (s.musicFade < 0) {
    s.musicFade = 0;
    s.musicFadingOut = false;
  }
  ApplyMusicFade(game);
}
