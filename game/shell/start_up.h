// Starting the platform for a game.
#pragma once

struct Game;

// The platform with its devices, and the flags that follow from them: gamma, sound, the pointer at the top left.
void StartPlatform(Game& game);
