// The options: "config.bin" read at each set-up and written on leaving the screen, and the Options screen.
#include <algorithm>
#include "content/std_bridge.h"
#include <cmath>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"

namespace {

constexpr float MaxMouseSpeed = 0.2f;
constexpr double MouseSpeedStep = 0.0008;

std::string NumberText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void ApplySoundVolume(Game& game) {
  for (int slot : game.frontEnd.menuSounds) {
    SetSoundVolume(game.platform, slot, SoundVolumeLevel(game.options));
  }
}

void ApplyMusicVolume(Game& game) {
  SetMusicVolume(game.platform, static_cast<int>(std::lrint(game.options.musicVolume)), game.state.musicOn);
  // The fades move from the level they hold; it is now what is heard.
  game.state.musicFade = game.options.musicVolume;
  game.state.musicFadingIn = false;
}

// Music plays while its volume is above 0, checked whenever its line is highlighted.
void MusicFollowsVolume(Game& game) { game.state.musicOn = game.options.musicVolume > 0.0f; }

// +1 or -1 on a 0..100 volume; false when the value is already at the lower end.
bool StepVolume(float& volume, int direction) {
  if (direction < 0 && volume <= 0.0f) return false;
  volume = std::clamp(volume + static_cast<float>(direction), 0.0f, 100.0f);
  return true;
}

// One line of the screen: its label up to the value, the value's text, and what left and right do to it.
struct OptionRow {
  const char* label;
  std::string (*valueText)(const Options& options);
  bool (*change)(Options& options, int direction);  // false when the value stays as it is
  int pauseMs;                                       // before the next change
  bool toggles;                                      // left, right and select all flip it
  void (*apply)(Game& game);                         // hands the new value on; may be none
  void (*whileHighlighted)(Game& game);              // may be none
};

constexpr OptionRow OptionRows[] = {
    {"Starting Balls:**", [](const Options& o) { return std::to_string(o.startingBalls); },
     [](Options& o, int direction) {
       if (direction < 0 && o.startingBalls < 2) return false;
       o.startingBalls = std::clamp(o.startingBalls + direction, 1, 8);
       return true;
     },
     180, false, nullptr, nullptr},
    {"Sound Volume:    ****", [](const Options& o) { return NumberText(o.soundVolume); },
     [](Options& o, int direction) { return StepVolume(o.soundVolume, direction); }, 45, false, ApplySoundVolume,
     nullptr},
    {"Music Volume:****", [](const Options& o) { return NumberText(o.musicVolume); },
     [](Options& o, int direction) { return StepVolume(o.musicVolume, direction); }, 45, false, ApplyMusicVolume,
     MusicFollowsVolume},
    {"Detail:**", [](const Options& o) { return std::string(o.detailHigh == 1 ? "High" : "Low"); },
     [](Options& o, int) {
       o.detailHigh = o.detailHigh == 1 ? 0 : 1;
       return true;
     },
     180, true, nullptr, nullptr},
    {"Mouse Speed:****", [](const Options& o) { return std::to_string(MouseSpeedPercent(o.mouseSpeed)); },
     [](Options& o, int direction) {
       if (direction < 0 && o.mouseSpeed <= 0.0f) return false;
       o.mouseSpeed = direction > 0 ? RaiseMouseSpeed(o.mouseSpeed) : LowerMouseSpeed(o.mouseSpeed);
       return true;
     },
     45, false, nullptr, nullptr},
    {"Background:**", [](const Options& o) { return std::string(o.backgroundOn != 0 ? "On" : "Off"); },
     [](Options& o, int) {
       o.backgroundOn = o.backgroundOn != 0 ? 0 : -1;
       return true;
     },
     180, true, nullptr, nullptr},
};
constexpr int RowCount = static_cast<int>(std::size(OptionRows));
constexpr int BackLine = RowCount + 2;  // after a blank line

void LeaveOptions(Game& game) {
  SaveOptions(game);
  BackToMainMenu(game, 360);
}

// A change of the highlighted row, shown at once and handed on.
void ChangeSetting(Game& game, const OptionRow& row, int line, int direction) {
  if (!row.change(game.options, direction)) return;
  SetMenuItemValue(game.frontEnd, line, row.valueText(game.options));
  PlayMenuSound(game, SoundChange);
  game.frontEnd.actionReadyTime = Now(game) + row.pauseMs;
  if (row.apply) row.apply(game);
}

void BuildOptionsScreen(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  for (const OptionRow& row : OptionRows)
    AddMenuItem(frontEnd, row.label + row.valueText(game.options), true, true);
  AddMenuItem(frontEnd, "", false);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
}

}  // namespace

int MouseSpeedPercent(float mouseSpeed) {
  return static_cast<int>(std::floor(static_cast<double>(mouseSpeed) * 100.0 / static_cast<double>(MaxMouseSpeed)));
}

float RaiseMouseSpeed(float mouseSpeed) {
  if (mouseSpeed >= MaxMouseSpeed) return MaxMouseSpeed;
  return static_cast<float>(std::min(mouseSpeed + MouseSpeedStep, static_cast<double>(MaxMouseSpeed)));
}

float LowerMouseSpeed(float mouseSpeed) {
  if (mouseSpeed <= 0.0f) return 0.0f;
  return static_cast<float>(std::max(mouseSpeed - MouseSpeedStep, 0.0));
}

void LoadOptions(Game& game) {
  Options read;
  std::string error;
  const bool whole = ReadOptionsFile(ReadPath(game.folders, "config.bin"), read, error);
  // Missing or too short: the defaults. A value out of range goes back to its default alone. The file is
  // written only when something changed, so a file the game can read is never rewritten.
  game.options = whole ? read : Options{};
  if (ResetOutOfRangeOptions(game.options) || !whole) SaveOptions(game);
}

void SaveOptions(Game& game) {
  std::string error;
  std::filesystem::path path;
  // A failed write keeps the old file.
  if (PrepareWritePath(game.folders, "config.bin", path, error)) WriteOptionsFile(path, game.options, error);
}

void RunOptionsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    BuildOptionsScreen(game);
    return;
  }
  DrawMenuPanel(game);
  if (KeyDown(game, DIK_ESCAPE)) {
    LeaveOptions(game);
    return;
  }
  const int line = frontEnd.selectedItem;
  if (line == BackLine) {
    if (frontEnd.selectPressed) LeaveOptions(game);
    return;
  }
  if (!ActionReady(game) || line < 1 || line > RowCount) return;
  const OptionRow& row = OptionRows[line - 1];
  if (row.whileHighlighted) row.whileHighlighted(game);
  const bool right = KeyDown(game, DIK_RIGHT), left = KeyDown(game, DIK_LEFT);
  if (row.toggles) {
    if (right || left || frontEnd.selectPressed) ChangeSetting(game, row, line, 0);
  } else if (right) {
    ChangeSetting(game, row, line, +1);
  } else if (left) {
    ChangeSetting(game, row, line, -1);
  }
}
