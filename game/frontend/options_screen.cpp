// The options: "config.bin" read at each set-up and written on leaving the screen, and the Options screen.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"

namespace {

constexpr float MaxMouseSpeed = 0.2f;
constexpr double MouseSpeedStep = 0.0008;

enum OptionLine : int { BallsLine = 1, SoundLine, MusicLine, DetailLine, MouseLine, BackgroundLine, BackLine = 8 };

std::string NumberText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DetailText(const Options& options) { return options.detailHigh == 1 ? "High" : "Low"; }
std::string BackgroundText(const Options& options) { return options.backgroundOn != 0 ? "On" : "Off"; }

void ShowValue(Game& game, int line, const std::string& value, int pauseMs) {
  SetMenuItemValue(game.frontEnd, line, value);
  PlayMenuSound(game, SoundChange);
  game.frontEnd.actionReadyTime = Now(game) + pauseMs;
}

void ApplySoundVolume(Game& game) {
  for (int slot : game.frontEnd.menuSounds) {
    SetSoundVolume(game.platform, slot, SoundVolumeLevel(game.options));
  }
}

void ApplyMusicVolume(Game& game) {
  SetMusicVolume(game.platform, static_cast<int>(std::lrint(game.options.musicVolume)), game.state.musicOn);
}

// +1 or -1 on a 0..100 volume; false when the value is already at the lower end.
bool StepVolume(float& volume, int direction) {
  if (direction < 0 && volume <= 0.0f) return false;
  volume = std::clamp(volume + static_cast<float>(direction), 0.0f, 100.0f);
  return true;
}

void LeaveOptions(Game& game) {
  SaveOptions(game);
  game.frontEnd.targetScreen = "Main Menu";
  PlayMenuSound(game, SoundBack);
  game.frontEnd.actionReadyTime = Now(game) + 360;
}

// Left or right on the highlighted setting.
void ChangeSetting(Game& game, int direction) {
  Options& options = game.options;
  switch (game.frontEnd.selectedItem) {
    case BallsLine:
      if (direction < 0 && options.startingBalls < 2) return;
      options.startingBalls = std::clamp(options.startingBalls + direction, 1, 8);
      ShowValue(game, BallsLine, std::to_string(options.startingBalls), 180);
      return;
    case SoundLine:
      if (!StepVolume(options.soundVolume, direction)) return;
      ShowValue(game, SoundLine, NumberText(options.soundVolume), 45);
      ApplySoundVolume(game);
      return;
    case MusicLine:
      if (!StepVolume(options.musicVolume, direction)) return;
      ShowValue(game, MusicLine, NumberText(options.musicVolume), 45);
      ApplyMusicVolume(game);
      return;
    case MouseLine:
      if (direction < 0 && options.mouseSpeed <= 0.0f) return;
      options.mouseSpeed = direction > 0 ? RaiseMouseSpeed(options.mouseSpeed) : LowerMouseSpeed(options.mouseSpeed);
      ShowValue(game, MouseLine, std::to_string(MouseSpeedPercent(options.mouseSpeed)), 45);
      return;
    default:
      return;
  }
}

void ToggleSetting(Game& game) {
  Options& options = game.options;
  if (game.frontEnd.selectedItem == DetailLine) {
    options.detailHigh = options.detailHigh == 1 ? 0 : 1;
    ShowValue(game, DetailLine, DetailText(options), 180);
  } else if (game.frontEnd.selectedItem == BackgroundLine) {
    options.backgroundOn = options.backgroundOn != 0 ? 0 : -1;
    ShowValue(game, BackgroundLine, BackgroundText(options), 180);
  }
}

void BuildOptionsScreen(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const Options& options = game.options;
  frontEnd.menuItems.clear();
  AddMenuItem(frontEnd, "Starting Balls:**" + std::to_string(options.startingBalls), true, true);
  AddMenuItem(frontEnd, "Sound Volume:    ****" + NumberText(options.soundVolume), true, true);
  AddMenuItem(frontEnd, "Music Volume:****" + NumberText(options.musicVolume), true, true);
  AddMenuItem(frontEnd, "Detail:**" + DetailText(options), true, true);
  AddMenuItem(frontEnd, "Mouse Speed:****" + std::to_string(MouseSpeedPercent(options.mouseSpeed)), true, true);
  AddMenuItem(frontEnd, "Background:**" + BackgroundText(options), true, true);
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
  if (ReadOptionsFile(ReadPath(game.folders, "config.bin"), read, error) && OptionsInRange(read)) {
    game.options = read;
    return;
  }
  // Missing or damaged: start again from the defaults, on screen and on disk.
  game.options = Options{};
  SaveOptions(game);
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
  if (frontEnd.selectedItem == BackLine) {
    if (frontEnd.selectPressed) LeaveOptions(game);
    return;
  }
  if (!ActionReady(game)) return;
  if (frontEnd.selectedItem == MusicLine) game.state.musicOn = game.options.musicVolume > 0.0f;
  const int selected = frontEnd.selectedItem;
  const bool right = KeyDown(game, DIK_RIGHT), left = KeyDown(game, DIK_LEFT);
  if (selected == DetailLine || selected == BackgroundLine) {
    if (right || left || frontEnd.selectPressed) ToggleSetting(game);
  } else if (right) {
    ChangeSetting(game, +1);
  } else if (left) {
    ChangeSetting(game, -1);
  }
}
