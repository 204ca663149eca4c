// Keyboard and mouse: scan-code key flags in held and edge modes, the pointer, and KeyToChar.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/dik_codes.h"
#include "platform/platform.h"

struct Game;

void InitInput(Game& game);
void ReleaseInput(Game& game);
// Reads the keyboard into keyState, updates keyPressed/keyHeld by edgeKeys, then ReadMouse.
void ReadKeyboard(Game& game);
// Moves pointerX/pointerY by mouse speed x counts x frameStep within the screen; reads both buttons.
void ReadMouse(Game& game);
// The character of the key with the current Shift state, or "".
std::string KeyToChar(const Game& game, int scanCode);

// The scan code of an SDL scancode on a PC keyboard; 0 for keys DirectInput does not know.
int DikFromScancode(int sdlScancode);

// Loads a --input script into the scripted devices; on failure `error` names the line.
bool LoadInputScript(Game& game, const std::filesystem::path& path, std::string& error);
// True while the script still has events to apply.
bool ScriptHasPendingEvents(const Game& game);
