// Keyboard, mouse and gamepad: one read of all three (from the devices, a script or a replay), scan-code key
// flags in held and edge modes, KeyToChar, scripted devices, and a software gamepad for tests.
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/dik_codes.h"
#include "platform/platform.h"

struct Clock;

void InitInput(Platform& platform);
void ReleaseInput(Platform& platform);
// One read of the keyboard, mouse and gamepad into keyState, mouseState, mousePresent and pad, and of the window's
// focus (sound is muted without it): from the replay, else the script, else the devices; kept when recording.
void ReadInputDevices(Platform& platform, const Clock& clock);
// The devices as they are now at `tick`, or the script standing for them, whatever a replay hands the game: a
// replay's viewer keys come from here. The player's bindings are applied (keys not while a name is typed); the
// read before them is kept in Input::unbound.
DeviceRead ReadLiveDevices(Platform& platform, std::int32_t tick);
// In play the window holds the pointer and gives raw relative counts (which also work where the pointer cannot be
// moved by a program); elsewhere the pointer is free to leave the window.
void HoldPointer(Platform& platform, bool held);
// keyPressed/keyHeld from keyState, by edgeKeys.
void UpdateKeyFlags(Input& input);
// The character of the key with the current Shift state, or "".
std::string KeyToChar(const Platform& platform, int scanCode);
// The button's name for the player ("Pad A"); "" for a number that is no button.
std::string PadButtonLabel(int button);

// The scan code of an SDL scancode on a PC keyboard; 0 for keys DirectInput does not know.
int DikFromScancode(int sdlScancode);

// Loads a --input script into the scripted devices; on failure `error` names the line.
bool LoadInputScript(Platform& platform, const std::filesystem::path& path, std::string& error);
// True while the script still has events to apply.
bool ScriptHasPendingEvents(const Platform& platform);

// A gamepad made in software through SDL's virtual joysticks, for tests: plugged in while it lives.
class VirtualPad {
 public:
  VirtualPad();
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  // False when SDL could not make it.
  bool Plugged() const;
  void Press(PadButton button, bool down);
  void Tilt(std::int16_t x, std::int16_t y);
  void Unplug();

 private:
  struct Joystick;
  std::unique_ptr<Joystick> joystick_;
};
