// The two information screens: the "Powerups" picture opened by "Read Me", and Credits.
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/display.h"
#include "platform/input.h"

namespace {

// Both screens leave for the Main Menu the same way: Esc at once, a choice after the pause.
void ReturnOnChoice(Game& game) {
  if (!KeyDown(game, DIK_ESCAPE) && !(ActionReady(game) && game.frontEnd.selectPressed)) return;
  PlayMenuSound(game, SoundBack);
  game.frontEnd.targetScreen = "Main Menu";
  game.frontEnd.actionReadyTime = Now(game) + 180;
}

}  // namespace

void RunPowerupsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  const int picture = frontEnd.readMeImage;
  const ImageSize size = PictureSize(game.platform, picture);
  const int width = size.width, height = size.height;
  if (building) {
    frontEnd.menuItems.clear();
    for (int i = 0; i < 5; ++i) AddMenuItem(frontEnd, "", false);
    AddMenuItem(frontEnd, "Back", true);
    BuildMenuScreen(game);
    SelectMenuLine(frontEnd, 6);
    frontEnd.panelTargetWidth = width + 36;  // the picture sets the width, without the usual limit
    return;
  }
  DrawMenuPanel(game);
  if (width > 0) DrawWholeImage(game.platform, picture, 320.0f - width / 2.0f, 284.0f - height / 2.0f);
  ReturnOnChoice(game);
}

void RunCreditsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    frontEnd.menuItems.clear();
    for (const char* text : {"Just about everything", "in the game:", "The Shardfall team", "", "Special thanks to:",
                             "Everyone who plays", ""}) {
      AddMenuItem(frontEnd, text, false);
    }
    AddMenuItem(frontEnd, "Back", true);
    BuildMenuScreen(game);
    SelectMenuLine(frontEnd, 8);
    return;
  }
  DrawMenuPanel(game);
  ReturnOnChoice(game);
}
