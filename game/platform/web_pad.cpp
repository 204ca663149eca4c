// The browser's gamepads (the Gamepad API), read at each read as SDL's are: every pad in the standard layout.
#include <emscripten.h>

#include <cstdlib>

#include "platform/platform.h"

namespace {

struct StandardButton {
  int index;  // in the standard layout's buttons
  PadButton pad;
};

constexpr StandardButton ButtonTable[] = {
    {0, PadButton::A},     {1, PadButton::B},     {2, PadButton::X},      {3, PadButton::Y},
    {8, PadButton::Back},  {9, PadButton::Start}, {12, PadButton::Up},    {13, PadButton::Down},
    {14, PadButton::Left}, {15, PadButton::Right},
};
static_assert(std::size(ButtonTable) == static_cast<std::size_t>(PadButton::Count), "every pad button has one");

constexpr int MaxPads = 4;

// Per pad in the standard layout: its pressed buttons as bits by index, and the left stick's axes. The count.
EM_JS(int, WebReadGamepads, (std::int32_t* pads, int maxPads), { return Module.devices.readGamepads(pads, maxPads); });
EM_JS(int, WebHasGamepads, (), { return Module.devices && navigator.getGamepads ? 1 : 0; });

std::int16_t Further(std::int16_t a, std::int16_t b) { return std::abs(b) > std::abs(a) ? b : a; }

class WebPads final : public PadDevice {
 public:
  PadState ReadPads() override {
    std::int32_t pads[MaxPads][3] = {};
    const int count = WebReadGamepads(&pads[0][0], MaxPads);
    PadState state;
    for (int pad = 0; pad < count; ++pad) {
      state.connected = true;
      for (const StandardButton& entry : ButtonTable)
        if (pads[pad][0] & 1 << entry.index) state.buttons |= PadBit(entry.pad);
      state.stickX = Further(state.stickX, static_cast<std::int16_t>(pads[pad][1]));
      state.stickY = Further(state.stickY, static_cast<std::int16_t>(pads[pad][2]));
    }
    return state;
  }
};

}  // namespace

std::unique_ptr<PadDevice> OpenPadDevice() {
  if (!WebHasGamepads()) return NoPadDevice();
  return std::make_unique<WebPads>();
}
