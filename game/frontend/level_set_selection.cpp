// The "New Game" screen: the level sets found in Lvl, and the start of a game on the chosen one.
#include <algorithm>

#include "content/level_set_file.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

void BuildNewGameScreen(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.levelSets.clear();
  for (const auto& path : ListDataFiles(game.folders, "Lvl", "sfs")) {
    frontEnd.levelSets.push_back({LevelSetDisplayName(path), path.string()});
  }
  frontEnd.menuItems.clear();
  for (const LevelSetEntry& set : frontEnd.levelSets) AddMenuItem(frontEnd, set.name, true);
  AddMenuItem(frontEnd, "", false);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
}

}  // namespace

std::string LevelSetDisplayName(const std::filesystem::path& levelSetFile) {
  std::string name, error;
  if (ReadLevelSetName(levelSetFile, name, error)) return name;
  return levelSetFile.filename().string();
}

void RunNewGameScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    BuildNewGameScreen(game);
    return;
  }
  DrawMenuPanel(game);
  const bool onBack = frontEnd.selectedItem == static_cast<int>(frontEnd.menuItems.size());
  if (KeyDown(game, DIK_ESCAPE) || (onBack && frontEnd.selectPressed)) {
    BackToMainMenu(game, 360);
  } else if (!onBack && ActionReady(game) && frontEnd.selectPressed) {
    game.levelSetPath = frontEnd.levelSets[frontEnd.selectedItem - 1].path;
    game.state.leavingFrontEnd = true;
    game.state.gameLoaded = false;
    PlayMenuSound(game, SoundSelect);
  }
}
