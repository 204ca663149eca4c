// The desktop icons of the game and the editor, in the folder layout of an icon theme.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tools/default_content/icons/icon_marks.h"

namespace icons {

// The pixel sizes written as PNG besides the scalable SVG.
inline const std::vector<int> PngSizes = {32, 48, 64, 128, 256};

struct ProgramIcon {
  std::string name;  // the icon name a desktop entry gives
  Marks (*draw)();
};
const std::vector<ProgramIcon>& ProgramIcons();

}  // namespace icons

// Writes DIR/NxN/apps/NAME.png for every size and DIR/scalable/apps/NAME.svg for every program icon.
bool BuildIcons(const std::filesystem::path& dir, std::string& error);
