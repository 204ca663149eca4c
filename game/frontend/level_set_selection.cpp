// The "New Game" screen: the level sets found in Lvl, and the start of a game on the chosen one.
#include <algorithm>
#include <iostream>

#include "content/level_set_file.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

constexpr const char* DailyWithoutDate = "Daily Challenge (set the clock)";

// The sets of files, then the two that are made as they are played.
void BuildNewGameScreen(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.levelSets.clear();
  for (const auto& path : ListDataFiles(game.folders, "Lvl", "sfs")) {
    frontEnd.levelSets.push_back({LevelSetDisplayName(path), path.string()});
  }
  frontEnd.menuItems.clear();
  for (const LevelSetEntry& set : frontEnd.levelSets) AddMenuItem(frontEnd, set.name, true);
  const std::optional<CalendarDate> today = Today(game);
  const bool dailyPlayable = today && IsPlayableDailyDate(*today);
  frontEnd.levelSets.push_back({"Endless", "", GeneratedKind::Endless});
  frontEnd.levelSets.push_back({"Daily Challenge", "", GeneratedKind::Daily});
  AddMenuItem(frontEnd, "Endless", true);
  AddMenuItem(frontEnd, dailyPlayable ? "Daily Challenge" : DailyWithoutDate, dailyPlayable);
  if (!dailyPlayable) std::cerr << "shardfall: no Daily Challenge: " << DailyDateProblem(today) << '\n';
  AddMenuItem(frontEnd, "", false);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
}

// The chosen set: a file, or a generated one (the Daily Challenge of the day it is chosen on).
bool ChooseSet(Game& game, const LevelSetEntry& entry) {
  game.levelSetPath = entry.path;
  game.generated.set = GeneratedSet{entry.generated, 0, {}};
  if (entry.generated != GeneratedKind::Daily) return true;
  const std::optional<CalendarDate> today = Today(game);
  if (!today || !IsPlayableDailyDate(*today)) return false;  // the clock was changed since the screen was built
  game.generated.set = DailySet(*today);
  return true;
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
  } else if (!onBack && ActionReady(game) && frontEnd.selectPressed &&
             ChooseSet(game, frontEnd.levelSets[frontEnd.selectedItem - 1])) {
    game.state.leavingFrontEnd = true;
    game.state.gameLoaded = false;
    PlayMenuSound(game, SoundSelect);
  }
}
