// What a shipped level must satisfy to be playable with its tileset and paddles.
#include "tools/default_content/levels/level_rules.h"

#include "tools/content_tool/level_quality.h"

std::string LevelProblem(const Level& level, const TileSet& tileSet) {
  if (std::string layout = LayoutProblem(level); !layout.empty()) return layout;
  if (std::string wedge = WedgeProblem(level, tileSet); !wedge.empty()) return wedge;
  const auto problems = LevelQualityProblems(level, tileSet, tileSet.tileCount, level.tilesetName);
  return problems.empty() ? "" : problems.front();
}
