// Turning the next level file of the set into the playing field.
#pragma once
#include <filesystem>
#include <string>

struct Game;

// Loads the next level of the set and resets the level's part of the world. False when a file is missing
// or damaged; world.loadingProblem then names it.
bool StartLevel(Game& game);
bool LoadLevel(Game& game, const std::string& fileName);
bool LoadTileSet(Game& game);
// The score table of a level set: beside it, or in the user's Lvl for a shipped set.
std::string ScoreFileForSet(const Game& game, const std::filesystem::path& setFile);
// Copies of a w-pixel picture needed to cover `extent` pixels; none for a picture of zero size.
int RepeatsToCover(int w, int extent);
