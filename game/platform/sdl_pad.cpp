// SDL's game controllers: every pad plugged in, found again at each read, and the software pad of the tests.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/input.h"
#include "platform/platform.h"

namespace {

struct ButtonToPad {
  SDL_GameControllerButton button;
  PadButton pad;
};

constexpr ButtonToPad ButtonTable[] = {
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},           {SDL_CONTROLLER_BUTTON_B, PadButton::B},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},           {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},     {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::Up},    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::Down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::Left}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::Right},
};
static_assert(std::size(ButtonTable) == static_cast<std::size_t>(PadButton::Count), "every pad button has an SDL one");

// The controller subsystem, started for as long as one of these lives. Its events stay off: nothing would take
// them from the queue in a run without a window, and every read updates the pads itself.
class ControllerSubsystem {
 public:
  ControllerSubsystem() : started_(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
    if (!started_) return;
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
  }
  ~ControllerSubsystem() {
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  ControllerSubsystem(const ControllerSubsystem&) = delete;
  ControllerSubsystem& operator=(const ControllerSubsystem&) = delete;
  bool started() const { return started_; }

 private:
  bool started_;
};

// The stick value further from the middle.
std::int16_t Further(std::int16_t a, std::int16_t b) { return std::abs(b) > std::abs(a) ? b : a; }

class SdlPads final : public PadDevice {
 public:
  ~SdlPads() override {
    for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
  }
  bool started() const { return subsystem_.started(); }

  PadState ReadPads() override {
    SDL_GameControllerUpdate();
    DropUnplugged();
    OpenPlugged();
    PadState state;
    for (SDL_GameController* pad : pads_) {
      state.connected = true;
      for (const ButtonToPad& entry : ButtonTable)
        if (SDL_GameControllerGetButton(pad, entry.button)) state.buttons |= PadBit(entry.pad);
      state.stickX = Further(state.stickX, SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
      state.stickY = Further(state.stickY, SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    }
    return state;
  }

 private:
  void DropUnplugged() {
    std::erase_if(pads_, [](SDL_GameController* pad) {
      if (SDL_GameControllerGetAttached(pad)) return false;
      SDL_GameControllerClose(pad);
      return true;
    });
  }

  bool IsOpen(SDL_JoystickID id) const {
    return std::any_of(pads_.begin(), pads_.end(), [id](SDL_GameController* pad) {
      return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
    });
  }

  void OpenPlugged() {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (!SDL_IsGameController(index) || IsOpen(SDL_JoystickGetDeviceInstanceID(index))) continue;
      if (SDL_GameController* pad = SDL_GameControllerOpen(index)) pads_.push_back(pad);
    }
  }

  ControllerSubsystem subsystem_;
  std::vector<SDL_GameController*> pads_;
};

}  // namespace

std::unique_ptr<PadDevice> OpenPadDevice() {
  auto pads = std::make_unique<SdlPads>();
  if (!pads->started()) return NoPadDevice();
  return pads;
}

struct VirtualPad::Joystick {
  ControllerSubsystem subsystem;
  SDL_Joystick* handle = nullptr;
};

VirtualPad::VirtualPad() : joystick_(std::make_unique<Joystick>()) {
  if (!joystick_->subsystem.started()) return;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Shardfall test pad";
  // The virtual pad's buttons and axes are numbered as SDL numbers a game controller's.
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index >= 0) joystick_->handle = SDL_JoystickOpen(index);
}

VirtualPad::~VirtualPad() { Unplug(); }

bool VirtualPad::Plugged() const { return joystick_->handle != nullptr; }

void VirtualPad::Press(PadButton button, bool down) {
  if (!Plugged()) return;
  for (const ButtonToPad& entry : ButtonTable)
    if (entry.pad == button) SDL_JoystickSetVirtualButton(joystick_->handle, entry.button, down ? 1 : 0);
}

void VirtualPad::Tilt(std::int16_t x, std::int16_t y) {
  if (!Plugged()) return;
  SDL_JoystickSetVirtualAxis(joystick_->handle, SDL_CONTROLLER_AXIS_LEFTX, x);
  SDL_JoystickSetVirtualAxis(joystick_->handle, SDL_CONTROLLER_AXIS_LEFTY, y);
}

void VirtualPad::Unplug() {
  if (!Plugged()) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_->handle);
  SDL_JoystickClose(joystick_->handle);
  joystick_->handle = nullptr;
  for (int index = 0; index < SDL_NumJoysticks(); ++index)
    if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
}
