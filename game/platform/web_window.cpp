// The browser's canvas with its keyboard and mouse: a frame goes to the page's canvas at each animation frame,
// and the page's listeners (web/devices.js) keep the keys and the mouse between reads.
#include <emscripten.h>

#include <algorithm>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace {

struct CodeToDik {
  const char* code;  // KeyboardEvent.code
  int dik;
};

// A PC keyboard's keys as the browser names them, by the DirectInput scan code of the same key. Keys the browser
// keeps for itself (media, browser and launch keys) are left to it.
constexpr CodeToDik CodeTable[] = {
    {"Escape", DIK_ESCAPE}, {"Digit1", DIK_1}, {"Digit2", DIK_2}, {"Digit3", DIK_3}, {"Digit4", DIK_4},
    {"Digit5", DIK_5}, {"Digit6", DIK_6}, {"Digit7", DIK_7}, {"Digit8", DIK_8}, {"Digit9", DIK_9},
    {"Digit0", DIK_0}, {"Minus", DIK_MINUS}, {"Equal", DIK_EQUALS}, {"Backspace", DIK_BACK}, {"Tab", DIK_TAB},
    {"KeyQ", DIK_Q}, {"KeyW", DIK_W}, {"KeyE", DIK_E}, {"KeyR", DIK_R}, {"KeyT", DIK_T}, {"KeyY", DIK_Y},
    {"KeyU", DIK_U}, {"KeyI", DIK_I}, {"KeyO", DIK_O}, {"KeyP", DIK_P}, {"BracketLeft", DIK_LBRACKET},
    {"BracketRight", DIK_RBRACKET}, {"Enter", DIK_RETURN}, {"ControlLeft", DIK_LCONTROL}, {"KeyA", DIK_A},
    {"KeyS", DIK_S}, {"KeyD", DIK_D}, {"KeyF", DIK_F}, {"KeyG", DIK_G}, {"KeyH", DIK_H}, {"KeyJ", DIK_J},
    {"KeyK", DIK_K}, {"KeyL", DIK_L}, {"Semicolon", DIK_SEMICOLON}, {"Quote", DIK_APOSTROPHE},
    {"Backquote", DIK_GRAVE}, {"ShiftLeft", DIK_LSHIFT}, {"Backslash", DIK_BACKSLASH}, {"KeyZ", DIK_Z},
    {"KeyX", DIK_X}, {"KeyC", DIK_C}, {"KeyV", DIK_V}, {"KeyB", DIK_B}, {"KeyN", DIK_N}, {"KeyM", DIK_M},
    {"Comma", DIK_COMMA}, {"Period", DIK_PERIOD}, {"Slash", DIK_SLASH}, {"ShiftRight", DIK_RSHIFT},
    {"NumpadMultiply", DIK_MULTIPLY}, {"AltLeft", DIK_LMENU}, {"Space", DIK_SPACE}, {"CapsLock", DIK_CAPITAL},
    {"F1", DIK_F1}, {"F2", DIK_F2}, {"F3", DIK_F3}, {"F4", DIK_F4}, {"F5", DIK_F5}, {"F6", DIK_F6},
    {"F7", DIK_F7}, {"F8", DIK_F8}, {"F9", DIK_F9}, {"F10", DIK_F10}, {"F11", DIK_F11}, {"F12", DIK_F12},
    {"NumLock", DIK_NUMLOCK}, {"ScrollLock", DIK_SCROLL}, {"Numpad7", DIK_NUMPAD7}, {"Numpad8", DIK_NUMPAD8},
    {"Numpad9", DIK_NUMPAD9}, {"NumpadSubtract", DIK_SUBTRACT}, {"Numpad4", DIK_NUMPAD4},
    {"Numpad5", DIK_NUMPAD5}, {"Numpad6", DIK_NUMPAD6}, {"NumpadAdd", DIK_ADD}, {"Numpad1", DIK_NUMPAD1},
    {"Numpad2", DIK_NUMPAD2}, {"Numpad3", DIK_NUMPAD3}, {"Numpad0", DIK_NUMPAD0}, {"NumpadDecimal", DIK_DECIMAL},
    {"IntlBackslash", DIK_OEM_102}, {"NumpadEqual", DIK_NUMPADEQUALS}, {"NumpadEnter", DIK_NUMPADENTER},
    {"ControlRight", DIK_RCONTROL}, {"NumpadDivide", DIK_DIVIDE}, {"AltRight", DIK_RMENU}, {"Pause", DIK_PAUSE},
    {"Home", DIK_HOME}, {"ArrowUp", DIK_UP}, {"PageUp", DIK_PRIOR}, {"ArrowLeft", DIK_LEFT},
    {"ArrowRight", DIK_RIGHT}, {"End", DIK_END}, {"ArrowDown", DIK_DOWN}, {"PageDown", DIK_NEXT},
    {"Insert", DIK_INSERT}, {"Delete", DIK_DELETE}, {"MetaLeft", DIK_LWIN}, {"MetaRight", DIK_RWIN},
    {"ContextMenu", DIK_APPS}};

// The page's side of the window: web/devices.js. A run without a page (node) has no window.
EM_JS(int, WebHasPage, (), { return Module.devices ? 1 : 0; });
EM_JS(void, WebTeachKey, (const char* code, int dik), { Module.devices.teachKey(UTF8ToString(code), dik); });
EM_ASYNC_JS(void, WebNextAnimationFrame, (), { await Module.devices.nextAnimationFrame(); });
EM_JS(void, WebShowRows, (const std::uint32_t* pixels, int firstRow, int rows),
      { Module.devices.showRows(pixels, firstRow, rows); });
EM_JS(int, WebHidden, (), { return Module.devices.hidden() ? 1 : 0; });
EM_JS(int, WebCloseRequested, (), { return Module.closeRequested ? 1 : 0; });
EM_JS(void, WebReadKeys, (std::uint8_t* keys), { Module.devices.readKeys(keys); });
EM_JS(void, WebReadMouse, (std::int32_t* counts, std::uint8_t* buttons), { Module.devices.readMouse(counts, buttons); });
EM_JS(void, WebCaptureMouse, (int captured), { Module.devices.captureMouse(captured != 0); });

// 0x00RRGGBB as the canvas takes it: R, G, B and an opaque A in memory order.
std::uint32_t CanvasPixel(std::uint32_t rgb) {
  return 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

class WebWindow final : public WindowDevice {
 public:
  WebWindow() {
    for (const CodeToDik& entry : CodeTable) WebTeachKey(entry.code, entry.dik);
    TakeRamp(PlainRamp());
  }

  // The browser shows at most one frame per display refresh, and draws the page while the game waits for it.
  bool Present(const Display& display) override {
    WebNextAnimationFrame();
    return Show(display, stale_);
  }

  void TakeRamp(const GammaRamp& ramp) override {
    if (ramp == ramp_ && !colours_.empty()) return;
    ramp_ = ramp;
    colours_ = ScreenColourTable(ramp);
    for (std::uint32_t& colour : colours_) colour = CanvasPixel(colour);
    stale_ = true;
  }

  bool PresentIfStale(const Display& display) override { return stale_ && Show(display, true); }
  void WaitForRefresh() override { WebNextAnimationFrame(); }
  bool TakenAway() const override { return WebHidden() != 0; }
  // The page closes the game as a window is closed. Alt+Enter and the full-screen button are the page's own: a
  // browser goes full screen only from its own events.
  void PumpEvents(bool& quitRequested) override {
    if (WebCloseRequested()) quitRequested = true;
  }

  KeyStates ReadKeys() override {
    KeyStates keys{};
    WebReadKeys(keys.data());
    return keys;
  }

  bool ReadMouse(MouseState& state) override {
    std::int32_t counts[2] = {};
    std::uint8_t buttons[2] = {};
    WebReadMouse(counts, buttons);
    state = MouseState{counts[0], counts[1], {buttons[0], buttons[1], 0, 0}};
    return true;
  }

  void CaptureMouse(bool captured) override { WebCaptureMouse(captured ? 1 : 0); }

 private:
  // The rows the last flip changed, or every row: through the ramp into the canvas. False when none changed.
  bool Show(const Display& display, bool everything) {
    const auto& changed = display.changedRows;
    const auto first = everything ? changed.begin() : std::find(changed.begin(), changed.end(), true);
    if (first == changed.end()) return false;
    const auto last = everything ? changed.end() : std::find(changed.rbegin(), changed.rend(), true).base();
    const int firstRow = static_cast<int>(first - changed.begin()), rows = static_cast<int>(last - first);
    const std::size_t offset = static_cast<std::size_t>(firstRow) * ScreenWidth;
    ConvertForScreen(display.shownFrame.data() + offset, colours_.data(), frame_.data() + offset,
                     static_cast<std::size_t>(rows) * ScreenWidth);
    WebShowRows(frame_.data() + offset, firstRow, rows);
    stale_ = false;
    return true;
  }

  GammaRamp ramp_{};
  std::vector<std::uint32_t> colours_;  // every RGB565 value through the ramp, as canvas pixels
  std::vector<std::uint32_t> frame_ = std::vector<std::uint32_t>(ScreenWidth * ScreenHeight);
  bool stale_ = true;  // the canvas does not show the last flipped frame through the current ramp
};

}  // namespace

std::unique_ptr<WindowDevice> OpenWindowDevice(const PlatformOptions& options) {
  if (options.headless) return NoWindowDevice();
  if (!WebHasPage()) return NoWindowDevice(true);
  return std::make_unique<WebWindow>();
}

void CloseDeviceLibrary() {}
