// The one context every routine of the game takes: mode flags, platform, world, front end and options.
#pragma once
#include <filesystem>
#include <string>

#include "content/data_folders.h"
#include "content/level_set_file.h"
#include "content/options_file.h"
#include "frontend/front_end.h"
#include "gameplay/world.h"
#include "platform/platform.h"
#include "platform/clock.h"
#include "shell/game_state.h"
#include "shell/helpers.h"

struct Game {
  DataFolders folders;  // the shipped Gfx, Sfx, Mus, Tls, Lvl, Bgd; the user's config.bin, scores and own files
  Clock clock;
  RandomSource random;
  GameState state;
  Platform platform;
  Options options;
  GameWorld world;
  FrontEnd frontEnd;
  LevelSet levelSet;
  std::string levelSetPath;
};

// The tick count of this game's clock.
inline std::int32_t Now(const Game& game) { return TickCount(game.clock); }
// RandomBetween on the game's generator and clock.
inline float RandomBetween(Game& game, float lo, float hi, bool randomSign) {
  return RandomBetween(game.random, Now(game), lo, hi, randomSign);
}
