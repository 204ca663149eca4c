// Keyboard and mouse: scan-code key flags in held and edge modes, mouse counts, KeyToChar and scripted devices.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/dik_codes.h"
#include "platform/platform.h"

struct Clock;

void InitInput(Platform& platform);
void ReleaseInput(Platform& platform);
// Reads the keyboard into keyState and updates keyPressed/keyHeld by edgeKeys.
void ReadKeyboardDevice(Platform& platform, const Clock& clock);
// Reads the mouse's counts and buttons into mouseState; false when there is no mouse to read.
bool ReadMouseDevice(Platform& platform, const Clock& clock);
// The character of the key with the current Shift state, or "".
std::string KeyToChar(const Platform& platform, int scanCode);

// The scan code of an SDL scancode on a PC keyboard; 0 for keys DirectInput does not know.
int DikFromScancode(int sdlScancode);

// Loads a --input script into the scripted devices; on failure `error` names the line.
bool LoadInputScript(Platform& platform, const std::filesystem::path& path, std::string& error);
// True while the script still has events to apply.
bool ScriptHasPendingEvents(const Platform& platform);
