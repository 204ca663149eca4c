// The More Settings screen: the settings.ini comforts, each a line whose value Left, Right and select change.
#include <algorithm>
#include <span>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

struct SettingChoice {
  std::int32_t value;
  const char* text;
};

constexpr SettingChoice OffOn[] = {{0, "Off"}, {1, "On"}};
constexpr SettingChoice Speeds[] = {{50, "50"}, {60, "60"}, {70, "70"}, {80, "80"}, {90, "90"}, {100, "100"}};
constexpr SettingChoice Delays[] = {{0, "Off"}, {200, "200 ms"}, {300, "300 ms"}, {400, "400 ms"}, {600, "600 ms"}};
constexpr SettingChoice Pictures[] = {{0, "Sharp"}, {1, "Fill"}};

// One line per setting: its label up to the value, the field, and the values it offers, lowest first.
struct SettingRow {
  const char* label;
  std::int32_t Settings::*field;
  std::span<const SettingChoice> choices;
};

// Full screen and Picture are kept for the window, which takes them at the next start.
constexpr SettingRow SettingRows[] = {
    {"Game Speed:**", &Settings::gameSpeed, Speeds},
    {"Confirm before leaving:**", &Settings::confirmLeave, OffOn},
    {"Menu key delay:**", &Settings::menuRepeatDelay, Delays},
    {"Level intro details:**", &Settings::levelIntroDetails, OffOn},
    {"Final score screen:**", &Settings::finalScoreScreen, OffOn},
    {"Full screen:**", &Settings::fullScreen, OffOn},
    {"Picture:**", &Settings::fillScreen, Pictures},
};
constexpr int RowCount = static_cast<int>(std::size(SettingRows));
constexpr int ControlsLine = RowCount + 1;
constexpr int BackLine = RowCount + 2;
constexpr int ChangePauseMs = 180;

// A value the file holds but the screen does not offer (written by hand) is shown as its number.
std::string ValueText(const SettingRow& row, std::int32_t value) {
  for (const SettingChoice& choice : row.choices)
    if (choice.value == value) return choice.text;
  return std::to_string(value);
}

// Right (+1) and Left (-1) move to the next value that way and stop at the ends; a row of two values flips
// either way, and select (0) goes round. False when the value stays.
bool Step(const SettingRow& row, std::int32_t& value, int direction) {
  const auto& choices = row.choices;
  const auto above = std::find_if(choices.begin(), choices.end(), [&](const SettingChoice& c) { return c.value > value; });
  const auto below = std::find_if(choices.rbegin(), choices.rend(), [&](const SettingChoice& c) { return c.value < value; });
  const bool around = direction == 0 || choices.size() == 2;
  if (direction < 0 && !around) {
    if (below == choices.rend()) return false;
    value = below->value;
  } else if (above != choices.end()) {
    value = above->value;
  } else if (around) {
    value = choices.front().value;
  } else {
    return false;
  }
  return true;
}

void LeaveMoreSettings(Game& game) {
  SaveSettings(game);
  game.frontEnd.escapeHeldOver = KeyDown(game, DIK_ESCAPE);
  BackTo(game, Screen::Options, 360);
}

// Builds the lines from the settings; `keepLine` (0: none) stays highlighted. Values differ in length, so a
// change builds the lines afresh rather than writing over the old value.
void BuildMoreSettings(Game& game, int keepLine) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  for (const SettingRow& row : SettingRows)
    AddMenuItem(frontEnd, row.label + ValueText(row, game.settings.*row.field), true, true);
  AddMenuItem(frontEnd, "Controls", true);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
  if (keepLine > 0) SelectMenuLine(frontEnd, keepLine);
}

void ChangeRow(Game& game, int line, int direction) {
  const SettingRow& row = SettingRows[line - 1];
  std::int32_t& value = game.settings.*row.field;
  if (!Step(row, value, direction)) return;
  // The picture changes at once, so the player sees what they chose.
  if (row.field == &Settings::fullScreen || row.field == &Settings::fillScreen)
    ApplyDisplaySettings(game.platform, game.settings.fullScreen != 0, game.settings.fillScreen != 0);
  BuildMoreSettings(game, line);
  PlayMenuSound(game, SoundChange);
  game.frontEnd.actionReadyTime = Now(game) + ChangePauseMs;
}

}  // namespace

void RunMoreSettingsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    BuildMoreSettings(game, 0);
    return;
  }
  DrawMenuPanel(game);
  if (!ActionReady(game)) return;
  const int line = frontEnd.selectedItem;
  if (KeyDown(game, DIK_ESCAPE) || (line == BackLine && frontEnd.selectPressed)) {
    LeaveMoreSettings(game);
  } else if (line == ControlsLine && frontEnd.selectPressed) {
    OpenScreen(frontEnd, Screen::Controls);
    PlayMenuSound(game, SoundSelect);
    frontEnd.actionReadyTime = Now(game) + ChangePauseMs;
  } else if (line >= 1 && line <= RowCount) {
    if (KeyDown(game, DIK_RIGHT)) ChangeRow(game, line, +1);
    else if (KeyDown(game, DIK_LEFT)) ChangeRow(game, line, -1);
    else if (frontEnd.selectPressed) ChangeRow(game, line, 0);
  }
}
