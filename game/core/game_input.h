// The game's reading of the keyboard and mouse: key flags, then the pointer and buttons of GameState.
#pragma once

struct Game;

// Reads the keyboard into the key flags, then ReadMouse.
void ReadKeyboard(Game& game);
// Moves pointerX/pointerY by mouse speed x counts x frameStep within the screen; reads both buttons. Without a
// mouse the pointer and buttons stay as they are.
void ReadMouse(Game& game);
// The key flag of the last keyboard read.
bool KeyDown(const Game& game, int scanCode);
