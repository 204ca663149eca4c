// Starting a game: the loading picture, every picture and sound, the speed file and the first level.
#pragma once

struct Game;

// Called once per frame while gameLoaded is false.
void StartGame(Game& game);
// Reads levelSetPath into the game's level set; currentLevel = 0.
bool ReadLevelSetList(Game& game);
