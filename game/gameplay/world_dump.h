// The game world as JSON for the state dump.
#pragma once
#include <nlohmann/json.hpp>

struct Game;

nlohmann::json DumpWorld(const Game& game);
