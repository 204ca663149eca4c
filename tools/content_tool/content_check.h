// Consistency checks of a whole data tree: every file the game reads is usable and every level can be finished.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "content/data_folders.h"

// One line per problem in the data the game sees: Gfx, Sfx and Mus of the shipped folder; Lvl, Tls, Bgd and
// "config.bin" of both folders, where a user's file hides the shipped one of the same name.
std::vector<std::string> CheckDataTree(const DataFolders& folders);

// A program folder that holds both (a build folder, --root).
inline std::vector<std::string> CheckDataTree(const std::filesystem::path& root) {
  return CheckDataTree(SameFolders(root));
}
