// Placeholder until the level text form is written.
#include "tools/default_content/level_text.h"

std::string LevelToText(const Level&) { return {}; }
bool LevelFromText(std::string_view, Level&, std::string& error) {
  error = "level text is not supported yet";
  return false;
}
