// Keyboard and mouse: scan-code key flags in held and edge modes, the pointer, KeyToChar and scripted devices.
#include "platform/input.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/sdl_devices.h"
#include "shell/game.h"

namespace {

// Sets the error and reports failure, so each refusal reads as one line.
bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

struct ScancodeToDik {
  SDL_Scancode scancode;
  int dik;
};

// A PC keyboard's keys as SDL reports them, by the DirectInput scan code of the same key.
constexpr ScancodeToDik ScancodeTable[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE}, {SDL_SCANCODE_1, DIK_1}, {SDL_SCANCODE_2, DIK_2}, {SDL_SCANCODE_3, DIK_3},
    {SDL_SCANCODE_4, DIK_4}, {SDL_SCANCODE_5, DIK_5}, {SDL_SCANCODE_6, DIK_6}, {SDL_SCANCODE_7, DIK_7},
    {SDL_SCANCODE_8, DIK_8}, {SDL_SCANCODE_9, DIK_9}, {SDL_SCANCODE_0, DIK_0}, {SDL_SCANCODE_MINUS, DIK_MINUS},
    {SDL_SCANCODE_EQUALS, DIK_EQUALS}, {SDL_SCANCODE_BACKSPACE, DIK_BACK}, {SDL_SCANCODE_TAB, DIK_TAB},
    {SDL_SCANCODE_Q, DIK_Q}, {SDL_SCANCODE_W, DIK_W}, {SDL_SCANCODE_E, DIK_E}, {SDL_SCANCODE_R, DIK_R},
    {SDL_SCANCODE_T, DIK_T}, {SDL_SCANCODE_Y, DIK_Y}, {SDL_SCANCODE_U, DIK_U}, {SDL_SCANCODE_I, DIK_I},
    {SDL_SCANCODE_O, DIK_O}, {SDL_SCANCODE_P, DIK_P}, {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET}, {SDL_SCANCODE_RETURN, DIK_RETURN}, {SDL_SCANCODE_LCTRL, DIK_LCONTROL},
    {SDL_SCANCODE_A, DIK_A}, {SDL_SCANCODE_S, DIK_S}, {SDL_SCANCODE_D, DIK_D}, {SDL_SCANCODE_F, DIK_F},
    {SDL_SCANCODE_G, DIK_G}, {SDL_SCANCODE_H, DIK_H}, {SDL_SCANCODE_J, DIK_J}, {SDL_SCANCODE_K, DIK_K},
    {SDL_SCANCODE_L, DIK_L}, {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON}, {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE},
    {SDL_SCANCODE_GRAVE, DIK_GRAVE}, {SDL_SCANCODE_LSHIFT, DIK_LSHIFT}, {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH}, {SDL_SCANCODE_Z, DIK_Z}, {SDL_SCANCODE_X, DIK_X},
    {SDL_SCANCODE_C, DIK_C}, {SDL_SCANCODE_V, DIK_V}, {SDL_SCANCODE_B, DIK_B}, {SDL_SCANCODE_N, DIK_N},
    {SDL_SCANCODE_M, DIK_M}, {SDL_SCANCODE_COMMA, DIK_COMMA}, {SDL_SCANCODE_PERIOD, DIK_PERIOD},
    {SDL_SCANCODE_SLASH, DIK_SLASH}, {SDL_SCANCODE_RSHIFT, DIK_RSHIFT}, {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY},
    {SDL_SCANCODE_LALT, DIK_LMENU}, {SDL_SCANCODE_SPACE, DIK_SPACE}, {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL},
    {SDL_SCANCODE_F1, DIK_F1}, {SDL_SCANCODE_F2, DIK_F2}, {SDL_SCANCODE_F3, DIK_F3}, {SDL_SCANCODE_F4, DIK_F4},
    {SDL_SCANCODE_F5, DIK_F5}, {SDL_SCANCODE_F6, DIK_F6}, {SDL_SCANCODE_F7, DIK_F7}, {SDL_SCANCODE_F8, DIK_F8},
    {SDL_SCANCODE_F9, DIK_F9}, {SDL_SCANCODE_F10, DIK_F10}, {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK},
    {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL}, {SDL_SCANCODE_KP_7, DIK_NUMPAD7}, {SDL_SCANCODE_KP_8, DIK_NUMPAD8},
    {SDL_SCANCODE_KP_9, DIK_NUMPAD9}, {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT}, {SDL_SCANCODE_KP_4, DIK_NUMPAD4},
    {SDL_SCANCODE_KP_5, DIK_NUMPAD5}, {SDL_SCANCODE_KP_6, DIK_NUMPAD6}, {SDL_SCANCODE_KP_PLUS, DIK_ADD},
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1}, {SDL_SCANCODE_KP_2, DIK_NUMPAD2}, {SDL_SCANCODE_KP_3, DIK_NUMPAD3},
    {SDL_SCANCODE_KP_0, DIK_NUMPAD0}, {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102}, {SDL_SCANCODE_F11, DIK_F11}, {SDL_SCANCODE_F12, DIK_F12},
    {SDL_SCANCODE_F13, DIK_F13}, {SDL_SCANCODE_F14, DIK_F14}, {SDL_SCANCODE_F15, DIK_F15},
    {SDL_SCANCODE_INTERNATIONAL2, DIK_KANA}, {SDL_SCANCODE_INTERNATIONAL1, DIK_ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL4, DIK_CONVERT}, {SDL_SCANCODE_INTERNATIONAL5, DIK_NOCONVERT},
    {SDL_SCANCODE_INTERNATIONAL3, DIK_YEN}, {SDL_SCANCODE_KP_EQUALS, DIK_NUMPADEQUALS},
    {SDL_SCANCODE_AUDIOPREV, DIK_PREVTRACK}, {SDL_SCANCODE_AUDIONEXT, DIK_NEXTTRACK},
    {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER}, {SDL_SCANCODE_RCTRL, DIK_RCONTROL}, {SDL_SCANCODE_MUTE, DIK_MUTE},
    {SDL_SCANCODE_AUDIOMUTE, DIK_MUTE}, {SDL_SCANCODE_CALCULATOR, DIK_CALCULATOR},
    {SDL_SCANCODE_AUDIOPLAY, DIK_PLAYPAUSE}, {SDL_SCANCODE_AUDIOSTOP, DIK_MEDIASTOP},
    {SDL_SCANCODE_VOLUMEDOWN, DIK_VOLUMEDOWN}, {SDL_SCANCODE_VOLUMEUP, DIK_VOLUMEUP},
    {SDL_SCANCODE_AC_HOME, DIK_WEBHOME}, {SDL_SCANCODE_KP_COMMA, DIK_NUMPADCOMMA},
    {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE}, {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ}, {SDL_SCANCODE_RALT, DIK_RMENU},
    {SDL_SCANCODE_PAUSE, DIK_PAUSE}, {SDL_SCANCODE_HOME, DIK_HOME}, {SDL_SCANCODE_UP, DIK_UP},
    {SDL_SCANCODE_PAGEUP, DIK_PRIOR}, {SDL_SCANCODE_LEFT, DIK_LEFT}, {SDL_SCANCODE_RIGHT, DIK_RIGHT},
    {SDL_SCANCODE_END, DIK_END}, {SDL_SCANCODE_DOWN, DIK_DOWN}, {SDL_SCANCODE_PAGEDOWN, DIK_NEXT},
    {SDL_SCANCODE_INSERT, DIK_INSERT}, {SDL_SCANCODE_DELETE, DIK_DELETE}, {SDL_SCANCODE_LGUI, DIK_LWIN},
    {SDL_SCANCODE_RGUI, DIK_RWIN}, {SDL_SCANCODE_APPLICATION, DIK_APPS}, {SDL_SCANCODE_POWER, DIK_POWER},
    {SDL_SCANCODE_SLEEP, DIK_SLEEP}, {SDL_SCANCODE_AC_SEARCH, DIK_WEBSEARCH},
    {SDL_SCANCODE_AC_BOOKMARKS, DIK_WEBFAVORITES}, {SDL_SCANCODE_AC_REFRESH, DIK_WEBREFRESH},
    {SDL_SCANCODE_AC_STOP, DIK_WEBSTOP}, {SDL_SCANCODE_AC_FORWARD, DIK_WEBFORWARD},
    {SDL_SCANCODE_AC_BACK, DIK_WEBBACK}, {SDL_SCANCODE_COMPUTER, DIK_MYCOMPUTER}, {SDL_SCANCODE_MAIL, DIK_MAIL},
    {SDL_SCANCODE_MEDIASELECT, DIK_MEDIASELECT}};

struct CharKey {
  int code;
  char plain;
  char shifted;
};

constexpr CharKey CharTable[] = {
    {2, '1', '!'},   {3, '2', '2'},   {4, '3', '3'},   {5, '4', '4'},   {6, '5', '5'},   {7, '6', '6'},
    {8, '7', '&'},   {9, '8', '*'},   {10, '9', '('},  {11, '0', ')'},  {12, '-', '-'},  {13, '=', '='},
    {16, 'q', 'Q'},  {17, 'w', 'W'},  {18, 'e', 'E'},  {19, 'r', 'R'},  {20, 't', 'T'},  {21, 'y', 'Y'},
    {22, 'u', 'U'},  {23, 'i', 'I'},  {24, 'o', 'O'},  {25, 'p', 'P'},  {26, '[', '['},  {27, ']', ']'},
    {30, 'a', 'A'},  {31, 's', 'S'},  {32, 'd', 'D'},  {33, 'f', 'F'},  {34, 'g', 'G'},  {35, 'h', 'H'},
    {36, 'j', 'J'},  {37, 'k', 'K'},  {38, 'l', 'L'},  {39, ';', ':'},  {40, '\'', '"'}, {41, '`', '`'},
    {43, '\\', '\\'}, {44, 'z', 'Z'}, {45, 'x', 'X'},  {46, 'c', 'C'},  {47, 'v', 'V'},  {48, 'b', 'B'},
    {49, 'n', 'N'},  {50, 'm', 'M'},  {51, ',', ','},  {52, '.', '.'},  {53, '/', '?'}};

void ApplyScriptEvent(ScriptedInput& script, const ScriptEvent& event) {
  switch (event.kind) {
    case ScriptEvent::Kind::Key: script.keys[event.code] = event.down ? 0x80 : 0; break;
    case ScriptEvent::Kind::Button: script.mouse.buttons[event.code] = event.down ? 0x80 : 0; break;
    case ScriptEvent::Kind::Move:
      script.mouse.x += event.dx;
      script.mouse.y += event.dy;
      break;
  }
}

// Every event whose tick the clock has reached takes effect now.
void CatchUpScript(Game& game) {
  ScriptedInput& script = game.platform.input.script;
  std::int32_t now = Now(game);
  while (script.next < script.events.size() && script.events[script.next].tick <= now)
    ApplyScriptEvent(script, script.events[script.next++]);
}

std::array<std::uint8_t, 256> KeyboardDeviceState(Game& game) {
  std::array<std::uint8_t, 256> state{};
  if (game.platform.input.script.active) {
    CatchUpScript(game);
    return game.platform.input.script.keys;
  }
  if (!game.platform.display.video) return state;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  for (const ScancodeToDik& entry : ScancodeTable)
    if (entry.scancode < count && keys[entry.scancode]) state[entry.dik] = 0x80;
  return state;
}

// False when there is no mouse to read.
bool MouseDeviceState(Game& game, MouseState& state) {
  ScriptedInput& script = game.platform.input.script;
  if (script.active) {
    CatchUpScript(game);
    state = script.mouse;
    script.mouse.x = script.mouse.y = script.mouse.wheel = 0;  // movement counts once
    return true;
  }
  if (!game.platform.display.video) return false;
  int x = 0, y = 0;
  Uint32 buttons = SDL_GetRelativeMouseState(&x, &y);
  state = MouseState{x, y, 0, {}};
  state.buttons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
  state.buttons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
  return true;
}

float Clamped(float v, float high) { return v < 0 ? 0 : (v > high ? high : v); }

bool ParseScriptLine(const std::string& line, ScriptEvent& event, std::string& error) {
  std::istringstream words(line);
  std::string kind, a, b;
  if (!(words >> event.tick >> kind)) return Refuse(error, "expected TICK and an event");
  if (kind == "move") {
    event.kind = ScriptEvent::Kind::Move;
    if (!(words >> event.dx >> event.dy)) return Refuse(error, "expected move DX DY");
  } else if (kind == "key" || kind == "button") {
    if (!(words >> a >> b) || (b != "down" && b != "up")) return Refuse(error, "expected " + kind + " NAME down|up");
    event.down = b == "down";
    if (kind == "key") {
      event.kind = ScriptEvent::Kind::Key;
      auto code = ScanCodeOf(a);
      if (!code) return Refuse(error, "unknown key " + a);
      event.code = *code;
    } else {
      event.kind = ScriptEvent::Kind::Button;
      if (a != "left" && a != "right") return Refuse(error, "expected button left|right");
      event.code = a == "left" ? 0 : 1;
    }
  } else {
    return Refuse(error, "unknown event " + kind);
  }
  std::string extra;
  if (words >> extra) return Refuse(error, "unexpected " + extra);
  return true;
}

}  // namespace

int DikFromScancode(int sdlScancode) {
  for (const ScancodeToDik& entry : ScancodeTable)
    if (entry.scancode == sdlScancode) return entry.dik;
  return 0;
}

void InitInput(Game& game) {
  // Raw relative counts, as the game's mouse rules expect; the pointer stays inside the window.
  if (game.platform.display.video && !game.platform.input.script.active) SDL_SetRelativeMouseMode(SDL_TRUE);
}

void ReleaseInput(Game& game) {
  if (game.platform.display.video) SDL_SetRelativeMouseMode(SDL_FALSE);
}

void ReadKeyboard(Game& game) {
  Input& input = game.platform.input;
  input.keyState = KeyboardDeviceState(game);
  for (int i = 1; i <= MaxScanCode; ++i) {
    bool down = input.keyState[i] != 0;
    if (!input.edgeKeys) {
      input.keyPressed[i] = down;
    } else if (down) {
      input.keyPressed[i] = !input.keyHeld[i] || i == DIK_LSHIFT || i == DIK_RSHIFT;
      input.keyHeld[i] = true;
    } else {
      input.keyPressed[i] = false;
      input.keyHeld[i] = false;
    }
  }
  ReadMouse(game);
}

void ReadMouse(Game& game) {
  MouseState& mouse = game.platform.input.mouseState;
  if (!MouseDeviceState(game, mouse)) return;
  GameState& s = game.state;
  float scale = game.options.mouseSpeed * static_cast<float>(s.frameStep);
  s.pointerX = Clamped(s.pointerX + scale * static_cast<float>(mouse.x), ScreenWidth);
  s.pointerY = Clamped(s.pointerY + scale * static_cast<float>(mouse.y), ScreenHeight);
  s.leftButton = mouse.buttons[0] != 0;
  s.rightButton = mouse.buttons[1] != 0;
}

std::string KeyToChar(const Game& game, int scanCode) {
  const auto& keys = game.platform.input.keyPressed;
  bool shift = keys[DIK_LSHIFT] || keys[DIK_RSHIFT];
  for (const CharKey& key : CharTable)
    if (key.code == scanCode) return std::string(1, shift ? key.shifted : key.plain);
  return "";
}

bool LoadInputScript(Game& game, const std::filesystem::path& path, std::string& error) {
  std::ifstream file(path);
  if (!file) return Refuse(error, "cannot open " + path.string());
  ScriptedInput script;
  script.active = true;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    ScriptEvent event;
    std::string why;
    if (!ParseScriptLine(line, event, why))
      return Refuse(error, path.string() + ":" + std::to_string(number) + ": " + why);
    script.events.push_back(event);
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.tick < b.tick; });
  game.platform.input.script = std::move(script);
  return true;
}

bool ScriptHasPendingEvents(const Game& game) {
  const ScriptedInput& script = game.platform.input.script;
  return script.next < script.events.size();
}
