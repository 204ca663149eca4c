// The options: "config.bin" read at each set-up and written on leaving the screen, and the Options screen.
#include <algorithm>
#include "content/std_bridge.h"
#include <cmath>
#include <cstdio>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"

namespace {

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

// One line of the screen for each options field, in the field list's order: its label up to the value, the
// value's text, how far left and right move it, and what follows a change.
struct OptionRow {
  std::string_view field;
  const char* label;
  std::string (*valueText)(const Options& options);
  double step;                           // 0 for a switch: left, right and select all flip it
  int pauseMs;                           // before the next change
  void (*apply)(Game& game);             // hands the new value on; may be none
  void (*whileHighlighted)(Game& game);  // may be none
};

constexpr OptionRow OptionRows[] = {
    {"startingBalls", "Starting Balls:**", [](const Options& o) { return std::to_string(o.startingBalls); }, 1, 180,
     nullptr, nullptr},
    {"soundVolume", "Sound Volume:    ****", [](const Options& o) { return NumberText(o.soundVolume); }, 1, 45,
     ApplySoundVolume, nullptr},
    {"musicVolume", "Music Volume:****", [](const Options& o) { return NumberText(o.musicVolume); }, 1, 45,
     ApplyMusicVolume, MusicFollowsVolume},
    {"detailHigh", "Detail:**", [](const Options& o) { return std::string(o.detailHigh == 1 ? "High" : "Low"); }, 0,
     180, nullptr, nullptr},
    {"mouseSpeed", "Mouse Speed:****", [](const Options& o) { return std::to_string(MouseSpeedPercent(o.mouseSpeed)); },
     0.0008, 45, nullptr, nullptr},
    {"backgroundOn", "Background:**", [](const Options& o) { return std::string(o.backgroundOn != 0 ? "On" : "Off"); },
     0, 180, nullptr, nullptr},
};
constexpr int RowCount = static_cast<int>(std::size(OptionRows));
constexpr int MoreSettingsLine = RowCount + 1;  // not a field of config.bin: the settings beside it
constexpr int BackLine = RowCount + 2;

constexpr bool EachFieldHasItsRow() {
  Options options;
  std::size_t place = 0;
  bool inStep = true;
  VisitOptionsFields(options, [&](const char* field, const auto&) {
    inStep = inStep && place < std::size(OptionRows) && OptionRows[place].field == field;
    ++place;
  });
  return inStep && place == std::size(OptionRows);
}
static_assert(EachFieldHasItsRow(), "one row for each options field, in the field list's order");

bool Toggles(const OptionRow& row) { return row.step == 0; }

// A switch flips between the ends of its range. A number moves by the row's step within its range; false when
// it is already at the lower end and moves down.
template <typename Value>
bool Change(Value& value, Range<Value> range, double step, int direction) {
  if (step == 0) {
    value = value == range.hi ? range.lo : range.hi;
    return true;
  }
  if (direction < 0 && value <= range.lo) return false;
  const double moved = static_cast<double>(value) + direction * step;
  value = static_cast<Value>(std::clamp(moved, static_cast<double>(range.lo), static_cast<double>(range.hi)));
  return true;
}

void LeaveOptions(Game& game) {
  SaveOptions(game);
  BackToMainMenu(game, 360);
}

// A change of the highlighted row, shown at once and handed on.
void ChangeSetting(Game& game, const OptionRow& row, int line, int direction) {
  if (!ChangeOption(game.options, row.field, direction)) return;
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
  AddMenuItem(frontEnd, "More Settings", true);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
}

}  // namespace

int MouseSpeedPercent(float mouseSpeed) {
  constexpr float fastest = OptionRange<float>("mouseSpeed").hi;
  return static_cast<int>(std::floor(static_cast<double>(mouseSpeed) * 100.0 / static_cast<double>(fastest)));
}

bool ChangeOption(Options& options, std::string_view field, int direction) {
  const OptionRow* row = std::find_if(std::begin(OptionRows), std::end(OptionRows),
                                      [field](const OptionRow& r) { return r.field == field; });
  bool changed = false;
  VisitOptionsFields(options, [&](const char* name, auto& value, auto range) {
    if (name == field) changed = Change(value, range, row->step, direction);
  });
  return changed;
}

void LoadOptions(Game& game) {
  std::string error;
  std::filesystem::path path;
  const bool writable = PrepareWritePath(game.folders, "config.bin", path, error);
  // Another game may be writing the file: it is read and mended by one game at a time.
  const FileLock lock(path);
  Options read;
  const bool whole = ReadOptionsFile(ReadPath(game.folders, "config.bin"), read, error);
  // Missing or too short: the defaults. A value out of range goes back to its default alone. The file is
  // written only when something changed, so a file the game can read is never rewritten.
  game.options = whole ? read : Options{};
  if ((ResetOutOfRangeOptions(game.options) || !whole) && writable) WriteOptionsFile(path, game.options, error);
}

void LoadSettings(Game& game, const std::filesystem::path& path) {
  game.settingsFile = path;
  game.settings = Settings{};
  std::error_code missing;
  std::string problem;
  if (!path.empty() && std::filesystem::exists(path, missing) && !ReadSettingsFile(path, game.settings, problem)) {
    std::fprintf(stderr, "shardfall: %s; the defaults stand for what could not be read\n", problem.c_str());
    SaveSettings(game);
  }
  ApplyControls(game);
}

void SaveSettings(Game& game) {
  std::string error;
  if (game.settingsFile.empty() || !MakeFolderFor(game.settingsFile, error)) return;
  const FileLock lock(game.settingsFile);
  WriteSettingsFile(game.settingsFile, game.settings, error);
}

void SaveOptions(Game& game) {
  std::string error;
  std::filesystem::path path;
  if (!PrepareWritePath(game.folders, "config.bin", path, error)) return;
  const FileLock lock(path);
  // A failed write keeps the old file.
  WriteOptionsFile(path, game.options, error);
}

void RunOptionsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    BuildOptionsScreen(game);
    return;
  }
  DrawMenuPanel(game);
  if (KeyDown(game, DIK_ESCAPE) && !frontEnd.escapeHeldOver) {
    LeaveOptions(game);
    return;
  }
  const int line = frontEnd.selectedItem;
  if (line == BackLine) {
    if (frontEnd.selectPressed) LeaveOptions(game);
    return;
  }
  if (line == MoreSettingsLine) {
    if (frontEnd.selectPressed && ActionReady(game)) {
      OpenScreen(frontEnd, Screen::MoreSettings);
      PlayMenuSound(game, SoundSelect);
      frontEnd.actionReadyTime = Now(game) + 180;
    }
    return;
  }
  if (!ActionReady(game) || line < 1 || line > RowCount) return;
  const OptionRow& row = OptionRows[line - 1];
  if (row.whileHighlighted) row.whileHighlighted(game);
  const bool right = KeyDown(game, DIK_RIGHT), left = KeyDown(game, DIK_LEFT);
  if (Toggles(row)) {
    if (right || left || frontEnd.selectPressed) ChangeSetting(game, row, line, 0);
  } else if (right) {
    ChangeSetting(game, row, line, +1);
  } else if (left) {
    ChangeSetting(game, row, line, -1);
  }
}
