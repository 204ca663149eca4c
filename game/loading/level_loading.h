// Turning the next level file of the set into the playing field.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "content/data_folders.h"
#include "content/level_file.h"

struct Game;

// Loads the next level of the set and resets the level's part of the world. False when a file is missing
// or damaged; world.loadingProblem then names it.
bool StartLevel(Game& game);
// The same for a level made in memory (a generated one): it stands for the set's next level file.
bool StartLevel(Game& game, const Level& level);
bool LoadLevel(Game& game, const std::string& fileName);
// A level's sides, names and grid into the world, and its background loaded.
void TakeLevel(Game& game, const Level& level);
bool LoadTileSet(Game& game);
// The score table of a level set: beside it, or in the user's Lvl for a shipped set.
std::string ScoreFileForSet(const Game& game, const std::filesystem::path& setFile);
// The table of the game's set: ScoreFileForSet, or the generated set's table in the user's Lvl/Generated.
std::string ScoreFileOfGame(const Game& game);
// The set has a level of this number (1-based); Endless has every one.
bool HasLevel(const Game& game, std::int32_t number);
// A generated set's level `number` begins to be made on the level thread (when the set has it).
void StartMakingLevel(Game& game, std::int32_t number);
// Where the game reads a level file of the set, a tileset file or bitmap, and which songs a level may play (in
// the order a level's random choice counts them): the files and listing a recording is checked against.
std::filesystem::path LevelPath(const Game& game, const std::string& fileName);
std::filesystem::path TilesetPath(const Game& game, const std::string& fileName);
std::vector<std::filesystem::path> LevelSongs(const Game& game);
std::vector<std::filesystem::path> LevelSongs(const DataFolders& folders);
// Copies of a w-pixel picture needed to cover `extent` pixels; none for a picture of zero size.
int RepeatsToCover(int w, int extent);
