// The Controls screen: each action's keys and pad button, a new one chosen by pressing it, and the defaults back.
#include <algorithm>

#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"

namespace {

constexpr const char* ActionLabels[ControlActionCount] = {"Left", "Right", "Up", "Down", "Fire/Start", "Pause", "Leave"};
constexpr int ResetLine = ControlActionCount + 2;
constexpr int BackLine = ControlActionCount + 3;
constexpr int ChangePauseMs = 180;

std::string BindingText(const ControlBinding& binding) {
  std::string text;
  auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
  for (int key : {binding.key, binding.altKey})
    if (key != 0) add(KeyLabel(key));
  if (binding.padButton >= 0) add(PadButtonLabel(binding.padButton));
  return text.empty() ? "None" : text;
}

// Builds the lines afresh from the settings; `keepLine` (0: none) stays highlighted.
void ShowControls(Game& game, int keepLine) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  for (int action = 0; action < ControlActionCount; ++action)
    AddMenuItem(frontEnd, std::string(ActionLabels[action]) + ":**" + BindingText(game.settings.controls[action]),
                true, true);
  AddMenuItem(frontEnd, frontEnd.controlsNote, false);
  AddMenuItem(frontEnd, "Reset to defaults", true);
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(game);
  if (keepLine > 0) SelectMenuLine(frontEnd, keepLine);
}

// What the screen does next waits until every key, button and click that led to it is let go.
void Say(Game& game, std::string note, MenuSound sound) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.controlsNote = std::move(note);
  frontEnd.keysLetGo = false;
  PlayMenuSound(game, sound);
  ShowControls(game, frontEnd.selectedItem);
}

bool NothingHeld(const DeviceRead& read) {
  return read.keys.none() && read.padButtons == 0 && read.mouseButtons == 0;
}

// The other action (-1: none) that `uses` says has the key or button.
template <typename Uses>
int OtherActionUsing(const Game& game, int action, Uses uses) {
  for (int other = 0; other < ControlActionCount; ++other)
    if (other != action && uses(game.settings.controls[other])) return other;
  return -1;
}

// A key or button another action has is refused; otherwise it becomes the action's only key, or its button.
void Take(Game& game, const std::string& name, int other, void (*assign)(ControlBinding&, int), int code) {
  FrontEnd& frontEnd = game.frontEnd;
  if (other >= 0) {
    Say(game, name + " is taken by " + ActionLabels[other], SoundBack);
    return;
  }
  assign(game.settings.controls[frontEnd.listeningFor], code);
  ApplyControls(game);
  frontEnd.listeningFor = -1;
  Say(game, "", SoundChange);
}

void TakeKey(Game& game, int key) {
  const int other = OtherActionUsing(game, game.frontEnd.listeningFor,
                                     [key](const ControlBinding& b) { return b.key == key || b.altKey == key; });
  Take(game, KeyLabel(key), other, [](ControlBinding& b, int code) { b.key = code, b.altKey = 0; }, key);
}

void TakeButton(Game& game, int button) {
  const int other = OtherActionUsing(game, game.frontEnd.listeningFor,
                                     [button](const ControlBinding& b) { return b.padButton == button; });
  Take(game, PadButtonLabel(button), other, [](ControlBinding& b, int code) { b.padButton = code; }, button);
}

// The first key or pad button pressed; Esc or a click gives up.
void Listen(Game& game, const DeviceRead& held) {
  if (held.keys[DIK_ESCAPE] || held.mouseButtons != 0) {
    game.frontEnd.listeningFor = -1;
    Say(game, "", SoundBack);
    return;
  }
  for (int key = 1; key < static_cast<int>(held.keys.size()); ++key) {
    if (held.keys[key]) {
      TakeKey(game, key);
      return;
    }
  }
  for (int button = 0; button < RecordedPadButtons; ++button) {
    if (held.padButtons & (1u << button)) {
      TakeButton(game, button);
      return;
    }
  }
}

void ResetControls(Game& game) {
  const Settings defaults;
  std::copy(std::begin(defaults.controls), std::end(defaults.controls), std::begin(game.settings.controls));
  ApplyControls(game);
  Say(game, "Defaults restored", SoundChange);
  game.frontEnd.actionReadyTime = Now(game) + ChangePauseMs;
}

void LeaveControls(Game& game) {
  SaveSettings(game);
  BackTo(game, Screen::MoreSettings, 360);
}

}  // namespace

void RunControlsScreen(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    frontEnd.listeningFor = -1;
    frontEnd.keysLetGo = false;
    frontEnd.controlsNote.clear();
    ShowControls(game, 0);
    return;
  }
  DrawMenuPanel(game);
  const DeviceRead& held = game.platform.input.unbound;
  if (!frontEnd.keysLetGo) {
    frontEnd.keysLetGo = NothingHeld(held);
    return;
  }
  if (frontEnd.listeningFor >= 0) {
    Listen(game, held);
    return;
  }
  if (!ActionReady(game)) return;
  const int line = frontEnd.selectedItem;
  if (KeyDown(game, DIK_ESCAPE) || (line == BackLine && frontEnd.selectPressed)) {
    LeaveControls(game);
  } else if (line == ResetLine && frontEnd.selectPressed) {
    ResetControls(game);
  } else if (line >= 1 && line <= ControlActionCount && frontEnd.selectPressed) {
    frontEnd.listeningFor = line - 1;
    Say(game, "Press a key or pad button...", SoundSelect);
  }
}
