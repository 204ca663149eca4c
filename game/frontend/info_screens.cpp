// The two information screens: the "Powerups" picture opened by "Read Me", and Credits.
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/display.h"
#include "platform/input.h"

namespace {

void Back(Game& game) { BackToMainMenu(game, 180); }

// Room for the picture above the way back.
constexpr MenuChoice PowerupsLines[] = {{"", nullptr}, {"", nullptr}, {"", nullptr},
                                        {"", nullptr}, {"", nullptr}, {"Back", Back}};

constexpr MenuChoice CreditsLines[] = {
    {"Just about everything", nullptr}, {"in the game:", nullptr}, {"The Shardfall team", nullptr},
    {"", nullptr},                      {"Special thanks to:", nullptr}, {"Everyone who plays", nullptr},
    {"", nullptr},                      {"Back", Back},
};

void BuildLines(Game& game, std::span<const MenuChoice> lines) {
  game.frontEnd.menuItems.clear();
  AddChoices(game.frontEnd, lines);
  BuildMenuScreen(game);
  SelectMenuLine(game.frontEnd, static_cast<int>(lines.size()));
}

// Both screens leave for the Main Menu the same way: Esc at once, a choice after the pause.
void RunLines(Game& game, std::span<const MenuChoice> lines) {
  if (KeyDown(game, DIK_ESCAPE)) Back(game);
  else RunChoice(game, lines);
}

}  // namespace

void RunPowerupsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  const int picture = frontEnd.readMeImage;
  const ImageSize size = PictureSize(game.platform, picture);
  if (building) {
    BuildLines(game, PowerupsLines);
    frontEnd.panelTargetWidth = size.width + 36;  // the picture sets the width, without the usual limit
    return;
  }
  DrawMenuPanel(game);
  if (size.width > 0)
    DrawWholeImage(game.platform, picture, 320.0f - size.width / 2.0f, 284.0f - size.height / 2.0f);
  RunLines(game, PowerupsLines);
}

void RunCreditsScreen(Game& game, bool building) {
  if (building) {
    BuildLines(game, CreditsLines);
    return;
  }
  DrawMenuPanel(game);
  RunLines(game, CreditsLines);
}
