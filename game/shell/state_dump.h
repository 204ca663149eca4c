// The --dump-state JSON: GameState, the sound and song logs, and each area's section.
#pragma once
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

struct Game;

nlohmann::json StateDump(const Game& game);
bool WriteStateDump(const Game& game, const std::filesystem::path& path, std::string& error);
