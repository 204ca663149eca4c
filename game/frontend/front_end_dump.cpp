// The front end's section of the state dump.
#include <nlohmann/json.hpp>

#include "core/game.h"
#include "frontend/front_end.h"

namespace {

std::string LineText(const MenuLine& line) {
  std::string text;
  for (std::int16_t c : line.chars) text += static_cast<char>(c);
  return text;
}

}  // namespace

nlohmann::json DumpFrontEnd(const Game& game) {
  const FrontEnd& frontEnd = game.frontEnd;
  nlohmann::json lines = nlohmann::json::array();
  for (const MenuLine& line : frontEnd.menuLines) lines.push_back(LineText(line));
  return {{"targetScreen", frontEnd.targetScreen},
          {"shownScreen", frontEnd.shownScreen},
          {"selectedItem", frontEnd.selectedItem},
          {"firstVisibleItem", frontEnd.firstVisibleItem},
          {"menuLines", lines},
          {"panelWidth", frontEnd.panelWidth},
          {"panelHeight", frontEnd.panelHeight},
          {"panelTargetWidth", frontEnd.panelTargetWidth},
          {"panelTargetHeight", frontEnd.panelTargetHeight},
          {"actionReadyTime", frontEnd.actionReadyTime},
          {"enteredName", frontEnd.enteredName},
          {"pendingScoreFile", frontEnd.pendingScoreFile},
          {"scoreEntryPending", frontEnd.scoreEntryPending},
          {"levelSetPath", game.levelSetPath}};
}
