// "settings.ini": the settings that config.bin has no room for, one "name = value" line each.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>

#include "content/recorded_steps.h"

// The actions a player may give keys and pad buttons of their own, in the Controls screen's order.
enum class ControlAction { Left, Right, Up, Down, Fire, Pause, Leave, Count };
constexpr int ControlActionCount = static_cast<int>(ControlAction::Count);

// Each action's keys (scan codes, 0: none) and pad button (the platform's PadButton number, -1: none).
struct ControlBinding {
  std::int32_t key = 0;
  std::int32_t altKey = 0;
  std::int32_t padButton = -1;
  bool operator==(const ControlBinding&) const = default;
};

// Each field's default keeps the game as it always was; the comforts are the player's choice.
struct Settings {
  std::int32_t gameSpeed = 100;        // percent of the full pace of play (GameSpeedRange)
  std::int32_t fullScreen = 1;         // 0: a window
  std::int32_t fillScreen = 0;         // 1: stretch to the screen; 0: whole-pixel steps, aspect kept
  std::int32_t windowX = -1, windowY = -1;     // -1: centred
  std::int32_t windowWidth = 0, windowHeight = 0;  // 0: the game's own size
  std::int32_t confirmLeave = 0;       // 1: Esc in play asks before leaving
  std::int32_t menuRepeatDelay = 0;    // ms a held key waits before it repeats in the menus
  std::int32_t levelIntroDetails = 0;  // 1: the intro names the set, the level of N and how to start
  std::int32_t finalScoreScreen = 0;   // 1: the end of a game shows its score
  ControlBinding controls[ControlActionCount] = {
      {203, 0, 8}, {205, 0, 9}, {200, 0, 6}, {208, 0, 7},  // the arrows; the pad's D-pad
      {57, 29, 0},                                          // Space, left Ctrl; pad A
      {25, 0, 5},                                           // P; pad Start
      {1, 0, 1},                                            // Esc; pad B
  };
  bool operator==(const Settings&) const = default;
};

// The values a field may hold: lo..hi in steps of `step` from lo.
struct SettingRange {
  std::int32_t lo, hi, step = 1;
  constexpr bool holds(std::int32_t value) const { return value >= lo && value <= hi && (value - lo) % step == 0; }
};

constexpr const char* ControlActionNames[ControlActionCount] = {"left", "right", "up", "down", "fire", "pause", "leave"};

// The game's pace in percent: 100 is the full pace, slower in steps of 10.
constexpr SettingRange GameSpeedRange{50, 100, 10};
constexpr std::int32_t FullGameSpeed = 100;

// The fields in file order with their names and ranges: the one list the file, the checks and the screens follow.
template <typename Record, typename Visit>
void VisitSettingsFields(Record& settings, Visit&& visit) {
  visit("gameSpeed", settings.gameSpeed, GameSpeedRange);
  visit("fullScreen", settings.fullScreen, SettingRange{0, 1});
  visit("fillScreen", settings.fillScreen, SettingRange{0, 1});
  visit("windowX", settings.windowX, SettingRange{-1, 65535});
  visit("windowY", settings.windowY, SettingRange{-1, 65535});
  visit("windowWidth", settings.windowWidth, SettingRange{0, 16384});
  visit("windowHeight", settings.windowHeight, SettingRange{0, 16384});
  visit("confirmLeave", settings.confirmLeave, SettingRange{0, 1});
  visit("menuRepeatDelay", settings.menuRepeatDelay, SettingRange{0, 1000, 10});
  visit("levelIntroDetails", settings.levelIntroDetails, SettingRange{0, 1});
  visit("finalScoreScreen", settings.finalScoreScreen, SettingRange{0, 1});
  for (int i = 0; i < ControlActionCount; ++i) {
    const std::string action = ControlActionNames[i];
    visit(("key." + action).c_str(), settings.controls[i].key, SettingRange{0, 255});
    visit(("altKey." + action).c_str(), settings.controls[i].altKey, SettingRange{0, 255});
    visit(("pad." + action).c_str(), settings.controls[i].padButton, SettingRange{-1, RecordedPadButtons - 1});
  }
}

// Reads the file into `out`, field by field: a missing field keeps its default, and so does a value that is not
// a whole number in its range. Unknown names are skipped. False with `problem` saying what was mended (the
// first few lines), or why the file could not be read; `out` then holds what could be kept.
bool ReadSettingsFile(const std::filesystem::path& path, Settings& out, std::string& problem);
bool WriteSettingsFile(const std::filesystem::path& path, const Settings& settings, std::string& error);

// The text rules, without a file.
bool DecodeSettings(std::string_view text, Settings& out, std::string& problem);
std::string EncodeSettings(const Settings& settings);
