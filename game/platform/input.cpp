// Keyboard, mouse and gamepad: the one read of all three, key flags in held and edge modes, KeyToChar and
// scripted devices.
#include "platform/input.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/clock.h"
#include "platform/tape.h"

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

// The names scripts give the gamepad's buttons, and the player reads, in PadButton order.
struct PadButtonName {
  const char* script;
  const char* label;
};
constexpr PadButtonName PadButtonNames[] = {
    {"a", "Pad A"},       {"b", "Pad B"},         {"x", "Pad X"},       {"y", "Pad Y"},
    {"back", "Pad Back"}, {"start", "Pad Start"}, {"up", "Pad Up"},     {"down", "Pad Down"},
    {"left", "Pad Left"}, {"right", "Pad Right"},
};
static_assert(std::size(PadButtonNames) == static_cast<std::size_t>(PadButton::Count), "a name for every button");

std::int16_t StickValue(std::int32_t value) { return static_cast<std::int16_t>(std::clamp(value, -32768, 32767)); }

void ApplyScriptEvent(ScriptedInput& script, const ScriptEvent& event) {
  switch (event.kind) {
    case ScriptEvent::Kind::Key: script.keys[event.code] = event.down ? 0x80 : 0; break;
    case ScriptEvent::Kind::Button: script.mouse.buttons[event.code] = event.down ? 0x80 : 0; break;
    case ScriptEvent::Kind::Move:
      script.mouse.x += event.dx;
      script.mouse.y += event.dy;
      break;
    case ScriptEvent::Kind::Pad: {
      const std::uint16_t bit = PadBit(static_cast<PadButton>(event.code)), held = script.pad.buttons;
      script.pad.buttons = static_cast<std::uint16_t>(event.down ? held | bit : held & ~bit);
      script.pad.connected = true;
      break;
    }
    case ScriptEvent::Kind::Stick:
      script.pad.stickX = StickValue(event.dx);
      script.pad.stickY = StickValue(event.dy);
      script.pad.connected = true;
      break;
    case ScriptEvent::Kind::Focus: script.focused = event.down; break;
  }
}

// Every event whose tick has come takes effect now.
void CatchUpScript(ScriptedInput& script, std::int32_t now) {
  while (script.next < script.events.size() && script.events[script.next].tick <= now)
    ApplyScriptEvent(script, script.events[script.next++]);
}

DeviceRead ReadOf(const KeyStates& keys, bool mousePresent, const MouseState& mouse, const PadState& pad,
                  bool focused) {
  DeviceRead read;
  read.focused = focused;
  for (std::size_t code = 0; code < keys.size(); ++code) read.keys[code] = keys[code] != 0;
  read.mousePresent = mousePresent;
  if (mousePresent) {
    read.mouseX = mouse.x;
    read.mouseY = mouse.y;
    read.mouseButtons = static_cast<std::uint8_t>((mouse.buttons[0] ? 1 : 0) | (mouse.buttons[1] ? 2 : 0));
  }
  read.padConnected = pad.connected;
  read.padButtons = pad.buttons;
  read.stickX = pad.stickX;
  read.stickY = pad.stickY;
  return read;
}

void StoreRead(Input& input, const DeviceRead& read) {
  for (std::size_t code = 0; code < input.keyState.size(); ++code) input.keyState[code] = read.keys[code] ? 0x80 : 0;
  input.mousePresent = read.mousePresent;
  input.mouseState = MouseState{read.mouseX, read.mouseY, {}};
  input.mouseState.buttons[0] = (read.mouseButtons & 1) ? 0x80 : 0;
  input.mouseState.buttons[1] = (read.mouseButtons & 2) ? 0x80 : 0;
  input.previousPadButtons = input.pad.buttons;
  input.pad = PadState{read.padConnected, read.padButtons, read.stickX, read.stickY};
  input.focused = read.focused;
}

// Sound and music are silent while the window is without the focus.
void FollowFocus(Platform& platform) {
  const bool mute = !platform.input.focused;
  if (platform.sound.muted == mute) return;
  platform.sound.muted = mute;
  platform.audio->Mute(mute);
}

// Each chosen key and button is read as the one it stands for, and the ones given away are not read as themselves.
// Applied before a recording keeps the read, so a replay goes the same whoever watches it.
DeviceRead Rebound(const DeviceRead& read, const InputBindings& bindings, bool keysToo) {
  DeviceRead bound = read;
  if (keysToo) {
    for (const Rebinding& key : bindings.keys) {
      bound.keys[key.standsFor] = false;
      if (key.chosen > 0) bound.keys[key.chosen] = false;
    }
    for (const Rebinding& key : bindings.keys)
      if (key.chosen > 0 && read.keys[key.chosen]) bound.keys[key.standsFor] = true;
  }
  auto bit = [](int button) { return static_cast<std::uint16_t>(1u << button); };
  for (const Rebinding& button : bindings.padButtons) {
    bound.padButtons &= static_cast<std::uint16_t>(~bit(button.standsFor));
    if (button.chosen >= 0) bound.padButtons &= static_cast<std::uint16_t>(~bit(button.chosen));
  }
  for (const Rebinding& button : bindings.padButtons)
    if (button.chosen >= 0 && (read.padButtons & bit(button.chosen))) bound.padButtons |= bit(button.standsFor);
  return bound;
}

std::optional<PadButton> PadButtonOf(const std::string& name) {
  for (std::size_t i = 0; i < std::size(PadButtonNames); ++i)
    if (name == PadButtonNames[i].script) return static_cast<PadButton>(i);
  return std::nullopt;
}

bool ParsePadEvent(std::istringstream& words, ScriptEvent& event, std::string& error) {
  std::string name, state;
  if (!(words >> name >> state) || (state != "down" && state != "up"))
    return Refuse(error, "expected pad BUTTON down|up");
  auto button = PadButtonOf(name);
  if (!button) return Refuse(error, "unknown pad button " + name);
  event.kind = ScriptEvent::Kind::Pad;
  event.code = static_cast<int>(*button);
  event.down = state == "down";
  return true;
}

bool ParseScriptLine(const std::string& line, ScriptEvent& event, std::string& error) {
  std::istringstream words(line);
  std::string kind, a, b;
  if (!(words >> event.tick >> kind)) return Refuse(error, "expected TICK and an event");
  if (kind == "pad") {
    if (!ParsePadEvent(words, event, error)) return false;
  } else if (kind == "stick") {
    event.kind = ScriptEvent::Kind::Stick;
    if (!(words >> event.dx >> event.dy)) return Refuse(error, "expected stick X Y");
  } else if (kind == "focus") {
    event.kind = ScriptEvent::Kind::Focus;
    if (!(words >> a) || (a != "lost" && a != "gained")) return Refuse(error, "expected focus lost|gained");
    event.down = a == "gained";
  } else if (kind == "move") {
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
  // Pads are read only where a person plays: never by a headless run, which must repeat exactly.
  if (!platform.options.headless) platform.pads = OpenPadDevice();
}

void ReleaseInput(Platform& platform) {
  HoldPointer(platform, false);
  platform.pads = NoPadDevice();  // closed before the device library goes
}

DeviceRead ReadLiveDevices(Platform& platform, std::int32_t tick) {
  Input& input = platform.input;
  ScriptedInput& script = input.script;
  if (script.active) {
    CatchUpScript(script, tick);
    input.unbound = ReadOf(script.keys, true, script.mouse, script.pad, script.focused);
    script.mouse.x = script.mouse.y = 0;  // movement counts once
  } else {
    MouseState mouse;
    const bool mousePresent = platform.window->ReadMouse(mouse);
    input.unbound = ReadOf(platform.window->ReadKeys(), mousePresent, mouse, platform.pads->ReadPads(),
                           platform.window->Focused());
  }
  return Rebound(input.unbound, input.bindings, !input.edgeKeys);
}

void HoldPointer(Platform& platform, bool held) {
  // A script or a replay leaves the mouse to the desktop.
  held = held && !platform.input.script.active && !IsReplaying(platform);
  if (held == platform.input.pointerHeld) return;
  platform.input.pointerHeld = held;
  platform.window->CaptureMouse(held);
}

void ReadInputDevices(Platform& platform, const Clock& clock) {
  DeviceRead read = platform.tape.lastRead;
  RecordedStep step;
  if (!IsReplaying(platform)) {
    read = ReadLiveDevices(platform, TickCount(clock));
    KeepStep(platform, {RecordedStep::Kind::Read, 0, read});
  } else if (TakeStep(platform, RecordedStep::Kind::Read, step)) {
    read = platform.tape.lastRead = step.read;
  }
  StoreRead(platform.input, read);
  FollowFocus(platform);
}

void UpdateKeyFlags(Input& input) {
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

std::string PadButtonLabel(int button) {
  return button >= 0 && button < static_cast<int>(std::size(PadButtonNames)) ? PadButtonNames[button].label : "";
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
