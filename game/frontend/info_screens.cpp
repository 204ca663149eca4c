// The two information screens: the "Powerups" picture opened by "Read Me", and Credits with the version.
#include <algorithm>
#include <iterator>
#include <string>

#include "content/version.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/display.h"
#include "platform/input.h"

namespace {

void Back(Game& game) { BackToMainMenu(game, 180); }

// Room for the picture above the way back; a short picture takes the first six lines only.
constexpr MenuChoice PowerupsLines[] = {{"", nullptr}, {"", nullptr}, {"", nullptr}, {"", nullptr},
                                        {"", nullptr}, {"", nullptr}, {"", nullptr}, {"Back", Back}};
static_assert(std::size(PowerupsLines) == VisibleMenuLines);

constexpr MenuChoice CreditsLines[] = {
    {"Just about everything", nullptr}, {"in the game:", nullptr}, {"The Shardfall team", nullptr},
    {"", nullptr},                      {"Special thanks to:", nullptr}, {"Everyone who plays", nullptr},
    {"", nullptr},                      {"Back", Back},
};

// The picture's lines: enough for it to end clear of "Back", which is drawn at 274 + 18.5 x lines.
std::span<const MenuChoice> PowerupsLinesFor(int pictureHeight) {
  const int fitting = (pictureHeight + 22 + MenuLineHeight - 1) / MenuLineHeight;
  return std::span(PowerupsLines).last(static_cast<std::size_t>(std::clamp(fitting, 6, VisibleMenuLines)));
}

// The lines with `aboveBack` on the empty line before "Back", where the highlight starts.
void BuildLines(Game& game, std::span<const MenuChoice> lines, const std::string& aboveBack = "") {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  AddChoices(frontEnd, lines);
  frontEnd.menuItems[lines.size() - 2].text = aboveBack;
  BuildMenuScreen(game);
  SelectMenuLine(frontEnd, static_cast<int>(lines.size()));
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
  const std::span<const MenuChoice> lines = PowerupsLinesFor(size.height);
  if (building) {
    BuildLines(game, lines);
    frontEnd.panelTargetWidth = size.width + 36;  // the picture sets the width, without the usual limit
    return;
  }
  DrawMenuPanel(game);
  if (size.width > 0)
    DrawWholeImage(game.platform, picture, 320.0f - size.width / 2.0f, 284.0f - size.height / 2.0f);
  RunLines(game, lines);
}

void RunCreditsScreen(Game& game, bool building) {
  if (building) {
    BuildLines(game, CreditsLines, "Version " + std::string(ShardfallVersion()));
    return;
  }
  DrawMenuPanel(game);
  RunLines(game, CreditsLines);
}
