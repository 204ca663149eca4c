// The Main Menu screen: its six choices, quitting, and the hidden score-table chord.
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

void ChooseQuit(Game& game) {
  game.state.quitChosen = true;
  game.state.leavingFrontEnd = true;
  PlayMenuSound(game, SoundExit);
}

void OpenChosen(Game& game, Screen screen, bool pause) {
  OpenScreen(game.frontEnd, screen);
  PlayMenuSound(game, SoundSelect);
  if (pause) game.frontEnd.actionReadyTime = Now(game) + 180;
}

constexpr MenuChoice MainMenuChoices[] = {
    {"New Game", [](Game& game) { OpenChosen(game, Screen::NewGame, true); }},
    {"Options", [](Game& game) { OpenChosen(game, Screen::Options, false); }},
    {"High Scores", [](Game& game) { OpenChosen(game, Screen::HighScores, true); }},
    {"Read Me", [](Game& game) { OpenChosen(game, Screen::Powerups, true); }},
    {"Credits", [](Game& game) { OpenChosen(game, Screen::Credits, true); }},
    {"Exit", ChooseQuit},
};

}  // namespace

void RunMainMenu(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    frontEnd.menuItems.clear();
    AddChoices(frontEnd, MainMenuChoices);
    BuildMenuScreen(game);
    return;
  }
  DrawMenuPanel(game);
  if (KeyDown(game, DIK_ESCAPE) && ActionReady(game)) ChooseQuit(game);
  if (KeyDown(game, DIK_M) && KeyDown(game, DIK_Z)) WriteHiddenTable(game);
  RunChoice(game, MainMenuChoices);
}
