// The Main Menu screen: the six choices, quitting, and the hidden score-table chord.
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

void ChooseQuit(Game& game) {
  game.state.quitChosen = true;
  game.state.leavingFrontEnd = true;
  PlayMenuSound(game, SoundExit);
}

void OpenScreen(Game& game, const char* screen, bool pause) {
  game.frontEnd.targetScreen = screen;
  PlayMenuSound(game, SoundSelect);
  if (pause) game.frontEnd.actionReadyTime = Now(game) + 180;
}

}  // namespace

void RunMainMenu(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    frontEnd.menuItems.clear();
    for (const char* text : {"New Game", "Options", "High Scores", "Read Me", "Credits", "Exit"}) {
      AddMenuItem(frontEnd, text, true);
    }
    BuildMenuScreen(game);
    return;
  }
  DrawMenuPanel(game);
  if (KeyDown(game, DIK_ESCAPE) && ActionReady(game)) ChooseQuit(game);
  if (KeyDown(game, DIK_M) && KeyDown(game, DIK_Z)) WriteHiddenTable(game);
  if (!ActionReady(game) || !frontEnd.selectPressed) return;
  switch (frontEnd.selectedItem) {
    case 1: OpenScreen(game, "New Game", true); break;
    case 2: OpenScreen(game, "Options", false); break;
    case 3: OpenScreen(game, "High Scores", true); break;
    case 4: OpenScreen(game, "Powerups", true); break;
    case 5: OpenScreen(game, "Credits", true); break;
    case 6: ChooseQuit(game); break;
    default: break;
  }
}
