// Writes the complete default data tree.
#include "tools/default_content/build_default.h"

bool BuildDefaultTree(const std::filesystem::path& root, std::string& error) {
  return BuildDefaultPictures(root, error) && BuildDefaultSounds(root, error) && BuildDefaultSongs(root, error) &&
         BuildDefaultTileSets(root, error) && BuildDefaultBackgrounds(root, error) &&
         BuildDefaultLevels(root, error);
}
