// The SDL window: its presentation paced to the display, window events, and the keyboard and mouse it reads.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/sdl_present.h"

namespace {

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

// The display's refresh rate, 60 when it is not known; SHARDFALL_REFRESH_HZ stands for a display that reports none
// (Xvfb, where the benchmarks try other rates).
int RefreshRate(SDL_Window* window) {
  if (const char* forced = SDL_getenv("SHARDFALL_REFRESH_HZ"); forced && std::atoi(forced) > 0) return std::atoi(forced);
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) return mode.refresh_rate;
  return 60;
}

// The remembered place where it still fits a display (a display unplugged since leaves it centred), and the game's
// own size where none is remembered: twice the picture where the desktop has room for it.
WindowPlace Remembered(WindowPlace place) {
  const SDL_Rect wanted{place.x, place.y, std::max(place.width, 1), std::max(place.height, 1)};
  bool onADisplay = false;
  SDL_Rect bounds;
  for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display)
    onADisplay = onADisplay || (SDL_GetDisplayBounds(display, &bounds) == 0 && SDL_HasIntersection(&wanted, &bounds));
  if (!onADisplay) place.x = place.y = -1;
  if (place.width > 0 && place.height > 0) return place;
  place.width = ScreenWidth * 2;
  place.height = ScreenHeight * 2;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && (desktop.w < place.width || desktop.h < place.height)) {
    place.width = ScreenWidth;
    place.height = ScreenHeight;
  }
  return place;
}

class SdlWindow final : public WindowDevice {
 public:
  ~SdlWindow() override {
    presenter_.reset();
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // False when any part of the window could not be made.
  bool Open(const PlatformOptions& options) {
    // Drawn at the window's real pixels where the desktop scales windows up (HiDPI, fractional scaling).
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    place_ = Remembered(options.place);
    if (place_.fullScreen && !options.windowed) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int x = place_.x < 0 ? SDL_WINDOWPOS_CENTERED : place_.x, y = place_.y < 0 ? SDL_WINDOWPOS_CENTERED : place_.y;
    window_ = SDL_CreateWindow("Shardfall", x, y, place_.width, place_.height, flags);
    if (!window_) return false;
    presenter_ = OpenGpuPresenter(window_, options.fill);
    // X11 puts the window's own pixels on the screen directly; SDL would otherwise draw them through GL.
    if (!presenter_ && std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0)
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!presenter_) presenter_ = OpenSurfacePresenter(window_, options.fill);
    pacer_ = RefreshPacer(RefreshRate(window_));
    return presenter_ != nullptr;
  }

  bool Present(const Display& display) override {
    const bool changed = stale_ || std::find(display.changedRows.begin(), display.changedRows.end(), true) !=
                                       display.changedRows.end();
    pacer_.Wait(changed && presenter_->WaitedForRefresh());
    refreshWaited_ = false;
    return changed && Show(display);
  }

  void TakeRamp(const GammaRamp& ramp) override {
    if (ramp == ramp_) return;
    ramp_ = ramp;
    presenter_->TakeRamp(ramp);
    stale_ = true;
  }

  // In its own refresh, so a waiting pass never shows two frames in one; the pass's wait is then done.
  bool PresentIfStale(const Display& display) override {
    if (!stale_) return false;
    pacer_.Wait(false);
    refreshWaited_ = true;
    return Show(display);
  }

  void WaitForRefresh() override {
    if (!std::exchange(refreshWaited_, false)) pacer_.Wait(false);
  }

  bool TakenAway() const override {
    return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
  }

  void PumpEvents(bool& quitRequested) override {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_QUIT) quitRequested = true;
      if (event.type == SDL_WINDOWEVENT) TakeWindowEvent(event.window.event);
      bool altEnter = event.type == SDL_KEYDOWN && !event.key.repeat &&
                      event.key.keysym.scancode == SDL_SCANCODE_RETURN && (event.key.keysym.mod & KMOD_ALT);
      if (altEnter) ToggleFullScreen();
    }
  }

  KeyStates ReadKeys() override {
    KeyStates state{};
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    for (const ScancodeToDik& entry : ScancodeTable)
      if (entry.scancode < count && keys[entry.scancode]) state[entry.dik] = 0x80;
    return state;
  }

  bool ReadMouse(MouseState& state) override {
    int x = 0, y = 0;
    Uint32 buttons = SDL_GetRelativeMouseState(&x, &y);
    state = MouseState{x, y, {}};
    state.buttons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
    state.buttons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
    return true;
  }

  void CaptureMouse(bool captured) override { SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE); }

  bool Focused() const override { return focused_ && !TakenAway(); }

  void ShowAs(bool fullScreen, bool fill) override {
    SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    presenter_->Fill(fill);
    stale_ = true;
  }

  std::optional<WindowPlace> Place() const override {
    WindowPlace place = place_;
    place.fullScreen = FullScreen();
    return place;
  }

 private:
  bool Show(const Display& display) {
    const bool shown = presenter_->Show(display, stale_);
    stale_ = !shown;
    return shown;
  }

  bool FullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

  // A new size or a window uncovered again: the screen no longer shows the frame. A window's own place is kept.
  void TakeWindowEvent(Uint8 windowEvent) {
    if (windowEvent == SDL_WINDOWEVENT_SIZE_CHANGED) presenter_->Resized();
    if ((windowEvent == SDL_WINDOWEVENT_SIZE_CHANGED || windowEvent == SDL_WINDOWEVENT_MOVED) && !FullScreen()) {
      SDL_GetWindowPosition(window_, &place_.x, &place_.y);
      SDL_GetWindowSize(window_, &place_.width, &place_.height);
    }
    if (windowEvent == SDL_WINDOWEVENT_DISPLAY_CHANGED) pacer_ = RefreshPacer(RefreshRate(window_));
    if (windowEvent == SDL_WINDOWEVENT_SIZE_CHANGED || windowEvent == SDL_WINDOWEVENT_EXPOSED) stale_ = true;
    if (windowEvent == SDL_WINDOWEVENT_FOCUS_LOST || windowEvent == SDL_WINDOWEVENT_FOCUS_GAINED)
      focused_ = windowEvent == SDL_WINDOWEVENT_FOCUS_GAINED;
  }

  void ToggleFullScreen() { SDL_SetWindowFullscreen(window_, FullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP); }

  SDL_Window* window_ = nullptr;
  WindowPlace place_;  // as a window: where it is, or was before it went full screen
  std::unique_ptr<Presenter> presenter_;
  RefreshPacer pacer_{60};
  GammaRamp ramp_{};    // the ramp the presenter has
  bool stale_ = true;   // the screen does not show the last flipped frame as it is
  bool focused_ = true;
  bool refreshWaited_ = false;  // this waiting pass has waited for its refresh already
};

}  // namespace

int DikFromScancode(int sdlScancode) {
  for (const ScancodeToDik& entry : ScancodeTable)
    if (entry.scancode == sdlScancode) return entry.dik;
  return 0;
}

std::unique_ptr<WindowDevice> OpenWindowDevice(const PlatformOptions& options) {
  if (options.headless) return NoWindowDevice();
  // SIGINT and SIGTERM stay with the platform, which ends the loop on them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return NoWindowDevice(true);
  auto window = std::make_unique<SdlWindow>();
  if (!window->Open(options)) return NoWindowDevice(true);
  return window;
}

void CloseDeviceLibrary() { SDL_Quit(); }
