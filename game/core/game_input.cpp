// The game's reading of the keyboard, mouse and gamepad into the key flags and GameState.
#include "core/game_input.h"

#include <cmath>

#include "core/game.h"
#include "platform/input.h"

namespace {

enum class InputMode { Menus, NameEntry, Play };

// The key a gamepad button stands for in each mode (0: none): keys the screens and the play step already read,
// so the pad works everywhere the keyboard does. In the name entry A and the directions choose letters instead.
struct PadBinding {
  PadButton button;
  int menuKey;
  int nameKey;
  int playKey;
};

constexpr PadBinding PadBindings[] = {
    {PadButton::Up, DIK_UP, 0, DIK_UP},
    {PadButton::Down, DIK_DOWN, 0, DIK_DOWN},
    {PadButton::Left, DIK_LEFT, 0, DIK_LEFT},
    {PadButton::Right, DIK_RIGHT, 0, DIK_RIGHT},
    {PadButton::A, DIK_RETURN, 0, DIK_SPACE},
    {PadButton::B, DIK_ESCAPE, DIK_BACK, DIK_ESCAPE},
    {PadButton::Back, DIK_ESCAPE, 0, DIK_ESCAPE},
    {PadButton::Start, DIK_RETURN, DIK_RETURN, DIK_P},
};

constexpr int StickHalfWay = 16384;
constexpr float StickDeadZone = 0.2f;

InputMode ModeOf(const Game& game) {
  if (game.platform.input.edgeKeys) return InputMode::NameEntry;
  return game.state.inFrontEnd ? InputMode::Menus : InputMode::Play;
}

int KeyFor(const PadBinding& binding, InputMode mode) {
  switch (mode) {
    case InputMode::Menus: return binding.menuKey;
    case InputMode::NameEntry: return binding.nameKey;
    case InputMode::Play: return binding.playKey;
  }
  return 0;
}

// In play the stick steers by its tilt; elsewhere it moves like the D-pad.
bool BoundButtonDown(const Game& game, PadButton button, InputMode mode) {
  return mode == InputMode::Play ? PadHeld(game.platform.input.pad, button) : PadDown(game, button);
}

void PressBoundKeys(Game& game) {
  const InputMode mode = ModeOf(game);
  Input& input = game.platform.input;
  for (const PadBinding& binding : PadBindings) {
    const int key = KeyFor(binding, mode);
    if (key != 0 && BoundButtonDown(game, binding.button, mode)) input.keyState[key] = 0x80;
  }
}

// In the menus a click counts as a key for the read in which the button goes down: the left button as Enter, the
// right one as Esc (but not on the Main Menu, where Esc quits the game).
void PressClickedKeys(Game& game) {
  Input& input = game.platform.input;
  FrontEnd& frontEnd = game.frontEnd;
  const int held = input.mousePresent ? (input.mouseState.buttons[0] ? 1 : 0) | (input.mouseState.buttons[1] ? 2 : 0) : 0;
  const int clicked = held & ~frontEnd.mouseButtonsHeld;
  frontEnd.mouseButtonsHeld = held;
  if (ModeOf(game) != InputMode::Menus) return;
  if (clicked & 1) input.keyState[DIK_RETURN] = 0x80;
  if ((clicked & 2) && frontEnd.screen != Screen::MainMenu) input.keyState[DIK_ESCAPE] = 0x80;
}

float Clamped(float v, float high) { return v < 0 ? 0 : (v > high ? high : v); }

float Tilt(std::int16_t raw) {
  const float tilt = std::fmax(-1.0f, static_cast<float>(raw) / 32767.0f);
  const float beyond = std::fabs(tilt) - StickDeadZone;
  if (beyond <= 0.0f) return 0.0f;
  return std::copysign(beyond / (1.0f - StickDeadZone), tilt);
}

void ReadMouse(Game& game) {
  const Input& input = game.platform.input;
  if (!input.mousePresent) return;
  const MouseState& mouse = input.mouseState;
  GameState& s = game.state;
  float scale = game.options.mouseSpeed * static_cast<float>(s.frameStep);
  s.pointerX = Clamped(s.pointerX + scale * static_cast<float>(mouse.x), ScreenWidth);
  s.pointerY = Clamped(s.pointerY + scale * static_cast<float>(mouse.y), ScreenHeight);
  s.leftButton = mouse.buttons[0] != 0;
  s.rightButton = mouse.buttons[1] != 0;
}

}  // namespace

void ApplyControls(Game& game) {
  const Settings own;  // the keys and buttons the game reads
  InputBindings bindings;
  for (int action = 0; action < ControlActionCount; ++action) {
    const ControlBinding& chosen = game.settings.controls[action];
    const ControlBinding& read = own.controls[action];
    bindings.keys.push_back({chosen.key, read.key});
    if (read.altKey != 0 || chosen.altKey != 0) bindings.keys.push_back({chosen.altKey, read.altKey != 0 ? read.altKey : read.key});
    bindings.padButtons.push_back({chosen.padButton, read.padButton});
  }
  game.platform.input.bindings = std::move(bindings);
}

void ReadKeyboard(Game& game) {
  ReadInputDevices(game.platform, game.clock);
  PressBoundKeys(game);
  PressClickedKeys(game);
  UpdateKeyFlags(game.platform.input);
  ReadMouse(game);
}

bool KeyDown(const Game& game, int scanCode) { return game.platform.input.keyPressed[scanCode]; }

bool PadConnected(const Game& game) { return game.platform.input.pad.connected; }

bool PadDown(const Game& game, PadButton button) {
  const PadState& pad = game.platform.input.pad;
  if (PadHeld(pad, button)) return true;
  switch (button) {
    case PadButton::Up: return pad.stickY <= -StickHalfWay;
    case PadButton::Down: return pad.stickY >= StickHalfWay;
    case PadButton::Left: return pad.stickX <= -StickHalfWay;
    case PadButton::Right: return pad.stickX >= StickHalfWay;
    default: return false;
  }
}

bool PadWentDown(const Game& game, PadButton button) {
  const Input& input = game.platform.input;
  return PadHeld(input.pad, button) && (input.previousPadButtons & PadBit(button)) == 0;
}

float StickTiltX(const Game& game) { return Tilt(game.platform.input.pad.stickX); }

float StickTiltY(const Game& game) { return Tilt(game.platform.input.pad.stickY); }
