// Keyboard and mouse: scan-code key flags in held and edge modes, mouse counts, KeyToChar and scripted devices.
#include "platform/input.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/clock.h"

namespace {

// Sets the error and reports failure, so each refusal reads as one line.
bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

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
void CatchUpScript(ScriptedInput& script, const Clock& clock) {
  std::int32_t now = TickCount(clock);
  while (script.next < script.events.size() && script.events[script.next].tick <= now)
    ApplyScriptEvent(script, script.events[script.next++]);
}

KeyStates KeyboardDeviceState(Platform& platform, const Clock& clock) {
  ScriptedInput& script = platform.input.script;
  if (!script.active) return platform.window->ReadKeys();
  CatchUpScript(script, clock);
  return script.keys;
}

// False when there is no mouse to read.
bool MouseDeviceState(Platform& platform, const Clock& clock, MouseState& state) {
  ScriptedInput& script = platform.input.script;
  if (!script.active) return platform.window->ReadMouse(state);
  CatchUpScript(script, clock);
  state = script.mouse;
  script.mouse.x = script.mouse.y = 0;  // movement counts once
  return true;
}

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

void InitInput(Platform& platform) {
  // Raw relative counts, as the game's mouse rules expect; the pointer stays inside the window.
  if (!platform.input.script.active) platform.window->CaptureMouse(true);
}

void ReleaseInput(Platform& platform) { platform.window->CaptureMouse(false); }

void ReadKeyboardDevice(Platform& platform, const Clock& clock) {
  Input& input = platform.input;
  input.keyState = KeyboardDeviceState(platform, clock);
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
}

bool ReadMouseDevice(Platform& platform, const Clock& clock) {
  return MouseDeviceState(platform, clock, platform.input.mouseState);
}

std::string KeyToChar(const Platform& platform, int scanCode) {
  const auto& keys = platform.input.keyPressed;
  bool shift = keys[DIK_LSHIFT] || keys[DIK_RSHIFT];
  for (const CharKey& key : CharTable)
    if (key.code == scanCode) return std::string(1, shift ? key.shifted : key.plain);
  return "";
}

bool LoadInputScript(Platform& platform, const std::filesystem::path& path, std::string& error) {
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
  platform.input.script = std::move(script);
  return true;
}

bool ScriptHasPendingEvents(const Platform& platform) {
  const ScriptedInput& script = platform.input.script;
  return script.next < script.events.size();
}
