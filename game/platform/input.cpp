// Keyboard and mouse (being built).
#include "platform/input.h"

#include "shell/game.h"

void InitInput(Game&) {}
void ReleaseInput(Game&) {}
void ReadKeyboard(Game&) {}
void ReadMouse(Game&) {}
std::string KeyToChar(const Game&, int) { return ""; }
bool LoadInputScript(Game&, const std::filesystem::path&, std::string&) { return false; }
bool ScriptHasPendingEvents(const Game&) { return false; }
