// Putting frames on an SDL window: through a GPU renderer where there is one, else straight into the window's pixels.
#pragma once
#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/platform.h"

// Shows the display's last flipped frame where PictureViewport places it in the window's real pixels, scaled by
// the nearest pixel.
class Presenter {
 public:
  virtual ~Presenter() = default;
  // Shows the changed rows of the shown frame, or all of it when `everything`; false when nothing could be shown.
  virtual bool Show(const Display& display, bool everything) = 0;
  // A new work ramp; the next Show must then show everything.
  virtual void TakeRamp(const GammaRamp& ramp) = 0;
  // The window has a new size; the next Show must then show everything.
  virtual void Resized() = 0;
  // The picture fills the window, or not; the next Show must then show everything.
  void Fill(bool fill) {
    fill_ = fill;
    Resized();
  }
  // True when the last Show waited for the display's refresh itself (vertical sync).
  virtual bool WaitedForRefresh() const { return false; }

 protected:
  bool fill_ = false;
};

// A GPU renderer with the frame as a 16-bit texture and the ramp as its colour modulation; nullptr where there is
// no GPU, or where the renderer would draw through a software rasteriser (unless SDL_RENDER_DRIVER names one).
std::unique_ptr<Presenter> OpenGpuPresenter(SDL_Window* window, bool fill);
// The window's own pixels, filled through the ramp's colour table, only where the frame changed; nullptr when the
// window has no pixels to offer.
std::unique_ptr<Presenter> OpenSurfacePresenter(SDL_Window* window, bool fill);

// At most one present per display refresh: sleeps out what is left of the refresh since the last wait, on a steady
// beat of refreshes.
class RefreshPacer {
 public:
  explicit RefreshPacer(int refreshHz);
  // Before a present or a waiting pass; `presentWaits`: the coming present waits for the refresh itself.
  void Wait(bool presentWaits);

 private:
  std::chrono::steady_clock::duration period_;
  std::chrono::steady_clock::time_point next_{};
};
