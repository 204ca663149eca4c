// Starting a song from silence with its fade-in.
#include "core/game_music.h"

#include "core/game.h"
#include "platform/music.h"

void StartSong(Game& game, const std::filesystem::path& song) {
  GameState& state = game.state;
  LoadSong(game.platform, song, state.musicOn);
  SetMusicVolume(game.platform, 0, state.musicOn);
  state.musicFade = 0.0f;
  state.musicFadingIn = true;
  state.musicOn = game.options.musicVolume > 0.0f;
}
