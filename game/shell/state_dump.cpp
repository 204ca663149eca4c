// The --dump-state JSON (being built).
#include "shell/state_dump.h"

#include "shell/game.h"

nlohmann::json StateDump(const Game&) { return nlohmann::json::object(); }
bool WriteStateDump(const Game&, const std::filesystem::path&, std::string&) { return false; }
