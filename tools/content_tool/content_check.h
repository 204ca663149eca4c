// Consistency checks of a whole data tree: every name a content file uses leads to a usable file.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "content/data_folders.h"

// One line per problem found under `root` (the folder holding Gfx, Sfx, Mus, Tls, Lvl and Bgd).
std::vector<std::string> CheckDataTree(const std::filesystem::path& root);
// The same checks over the shipped tree and the user's folder together.
std::vector<std::string> CheckDataTree(const DataFolders& folders);
