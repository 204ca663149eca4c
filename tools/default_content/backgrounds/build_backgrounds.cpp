// Placeholder until this folder's content is drawn.
#include "tools/default_content/build_default.h"

bool BuildDefaultBackgrounds(const std::filesystem::path& root, std::string& error) {
  (void)root;
  (void)error;
  return true;
}
