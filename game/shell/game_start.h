// Starting a game: the loading picture, every picture and sound, the speed file and the first level.
#pragma once
#include <filesystem>

#include "content/generated_sets.h"

struct Game;

// Called once per frame while gameLoaded is false.
void StartGame(Game& game);
// Reads levelSetPath into the game's level set; currentLevel = 0.
bool ReadLevelSetList(Game& game);
// --play: the loop begins at game start on this level-set file instead of the front end (whose options are
// read first, so the game plays with the player's settings).
void PlayLevelSetAtOnce(Game& game, const std::filesystem::path& levelSetFile);
// The same on a generated set (an Endless game takes its seed when it starts).
void PlayGeneratedSetAtOnce(Game& game, const GeneratedSet& set);
