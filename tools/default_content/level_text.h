// The designers' text form of a level: a 20 x 30 map of characters, the paddle sides, tileset and background.
#pragma once
#include <string>
#include <string_view>

#include "content/level_file.h"

std::string LevelToText(const Level& level);
// `out` changes only on success; `error` says which line is wrong.
bool LevelFromText(std::string_view text, Level& out, std::string& error);
