// The game's reading of keyboard, mouse and gamepad: key flags (the pad standing for keys by mode), then the
// pointer and buttons of GameState.
#pragma once
#include "platform/platform.h"  // PadButton

struct Game;

// Reads keyboard, mouse and gamepad once: the key flags, each pad button counting as the key it stands for in
// the current mode (menus, name entry or play); then the mouse moves pointerX/pointerY by mouse speed x counts x
// frameStep within the screen and gives both buttons. Without a mouse the pointer and buttons stay as they are.
void ReadKeyboard(Game& game);
// Hands the player's keys and pad buttons (game.settings.controls) to the reads: each stands for the action's key
// or button of old, which the screens and play go on reading; the ones given away read as nothing.
void ApplyControls(Game& game);
// The key flag of the last keyboard read.
bool KeyDown(const Game& game, int scanCode);

bool PadConnected(const Game& game);
// The button held at the last read; for the four directions, the stick pushed at least half way counts too.
bool PadDown(const Game& game, PadButton button);
// The button went down between the last two reads.
bool PadWentDown(const Game& game, PadButton button);
// The stick's tilt beyond its dead zone, -1 .. 1 (x right, y down).
float StickTiltX(const Game& game);
float StickTiltY(const Game& game);
