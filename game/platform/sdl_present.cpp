// Putting frames on an SDL window: through a GPU renderer where there is one, else straight into the window's pixels.
#include "platform/sdl_present.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/display.h"

namespace {

using std::chrono::steady_clock;

// Calls run(top, bottom) for each run of changed rows of the shown frame, or once for all rows.
template <typename Run>
void ForEachChangedRun(const Display& display, bool everything, Run run) {
  if (everything) return run(0, ScreenHeight);
  for (int top = 0; top < ScreenHeight;) {
    if (!display.changedRows[top]) {
      ++top;
      continue;
    }
    int bottom = top + 1;
    while (bottom < ScreenHeight && display.changedRows[bottom]) ++bottom;
    run(top, bottom);
    top = bottom;
  }
}

// A GPU driver needs a render node; without one, GL would only be a software rasteriser. SDL_RENDER_DRIVER names a
// renderer to use whatever it is.
bool GpuRendererWanted() {
  if (SDL_getenv("SDL_RENDER_DRIVER")) return true;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error))
    if (entry.path().filename().string().starts_with("renderD")) return true;
  return false;
}

// GL drawn by the CPU (llvmpipe, softpipe, swrast, ...) costs more than copying the pixels ourselves.
bool DrawsInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE)) return true;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  constexpr unsigned GlRenderer = 0x1F01;
  using GetString = const unsigned char* (*)(unsigned);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(GlRenderer) : nullptr;
  if (!name) return true;
  std::string lower(reinterpret_cast<const char*>(name));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "software", "lavapipe"})
    if (lower.find(software) != std::string::npos) return true;
  return false;
}

class GpuPresenter final : public Presenter {
 public:
  ~GpuPresenter() override {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
  }

  bool Open(SDL_Window* window) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_ || (!SDL_getenv("SDL_RENDER_DRIVER") && DrawsInSoftware(renderer_))) return false;
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, ScreenWidth,
                                 ScreenHeight);
    return texture_ != nullptr;
  }

  bool Show(const Display& display, bool everything) override {
    ForEachChangedRun(display, everything, [&](int top, int bottom) {
      const SDL_Rect rows{0, top, ScreenWidth, bottom - top};
      SDL_UpdateTexture(texture_, &rows, &display.shownFrame[static_cast<std::size_t>(top) * ScreenWidth],
                        ScreenWidth * sizeof(Pixel));
    });
    SDL_SetTextureColorMod(texture_, modulation_[0], modulation_[1], modulation_[2]);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);  // real pixels, on a display that scales too
    const Viewport place = PictureViewport(width, height, fill_);
    const SDL_Rect target{place.x, place.y, place.width, place.height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    const auto start = steady_clock::now();
    SDL_RenderPresent(renderer_);
    waited_ = steady_clock::now() - start > std::chrono::milliseconds(2);
    return true;
  }

  // The game's ramps scale every channel evenly (fades, the pause), so the top entry says it all.
  void TakeRamp(const GammaRamp& ramp) override {
    for (int c = 0; c < 3; ++c) modulation_[c] = static_cast<Uint8>(ramp[c][255] >> 8);
  }

  void Resized() override {}
  bool WaitedForRefresh() const override { return waited_; }

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Uint8 modulation_[3] = {255, 255, 255};
  bool waited_ = false;
};

// The source index of each of `count` destination pixels, sampled at their centres.
int NearestSource(int destination, int count, int sourceCount) {
  return static_cast<int>((2LL * destination + 1) * sourceCount / (2LL * count));
}

class SurfacePresenter final : public Presenter {
 public:
  explicit SurfacePresenter(SDL_Window* window) : window_(window) {}

  bool Open() { return Layout(); }

  bool Show(const Display& display, bool everything) override {
    if (!surface_ && !Layout()) return false;
    if (colours_.empty()) TakeRamp(display.workRamp);
    everything = everything || fresh_;
    fresh_ = false;
    changed_.clear();
    ForEachChangedRun(display, everything, [&](int top, int bottom) { FillRows(display, top, bottom); });
    if (everything) return SDL_UpdateWindowSurface(window_) == 0;
    const int count = static_cast<int>(changed_.size());
    return count == 0 || SDL_UpdateWindowSurfaceRects(window_, changed_.data(), count) == 0;
  }

  void TakeRamp(const GammaRamp& ramp) override {
    colours_ = ScreenColourTable(ramp);
    plain_ = ramp == PlainRamp();
  }
  void Resized() override { surface_ = nullptr; }

 private:
  // Takes the window's (new) pixels: black all over, and the maps from its pixels to the frame's.
  bool Layout() {
    surface_ = SDL_GetWindowSurface(window_);
    if (!surface_) return false;
    SDL_FillRect(surface_, nullptr, 0);
    place_ = PictureViewport(surface_->w, surface_->h, fill_);
    sourceColumns_.resize(static_cast<std::size_t>(place_.width));
    for (int x = 0; x < place_.width; ++x) sourceColumns_[x] = NearestSource(x, place_.width, ScreenWidth);
    int next = 0;
    for (int y = 0; y < place_.height; ++y)
      for (const int source = NearestSource(y, place_.height, ScreenHeight); next <= source; ++next)
        firstRows_[next] = y;
    for (; next <= ScreenHeight; ++next) firstRows_[next] = place_.height;
    const Uint32 format = surface_->format->format;
    direct_ = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    row_.resize(direct_ ? 0 : static_cast<std::size_t>(place_.width));
    fresh_ = true;
    return true;
  }

  std::uint8_t* WindowRow(int y) const {
    return static_cast<std::uint8_t*>(surface_->pixels) + static_cast<std::ptrdiff_t>(place_.y + y) * surface_->pitch +
           place_.x * surface_->format->BytesPerPixel;
  }

  // Source rows top..bottom through the colour table into every window row they cover, and their rectangle.
  void FillRows(const Display& display, int top, int bottom) {
    const std::size_t rowBytes = static_cast<std::size_t>(place_.width) * surface_->format->BytesPerPixel;
    for (int y = top; y < bottom; ++y) {
      const int first = firstRows_[y], end = firstRows_[y + 1];
      if (first == end) continue;
      std::uint8_t* line = WindowRow(first);
      ConvertRow(&display.shownFrame[static_cast<std::size_t>(y) * ScreenWidth], line);
      for (int copy = first + 1; copy < end; ++copy) std::memcpy(WindowRow(copy), line, rowBytes);
    }
    const int height = firstRows_[bottom] - firstRows_[top];
    if (height > 0) changed_.push_back({place_.x, place_.y + firstRows_[top], place_.width, height});
  }

  void ConvertRow(const Pixel* source, std::uint8_t* line) {
    std::uint32_t* out = direct_ ? reinterpret_cast<std::uint32_t*>(line) : row_.data();
    // The window sizes of the game's own choosing, 640 and 1280 wide, without the column map.
    if (place_.width == ScreenWidth && plain_) {
      ExpandForScreen(source, out, ScreenWidth);
    } else if (place_.width == ScreenWidth) {
      ConvertForScreen(source, colours_.data(), out, ScreenWidth);
    } else if (place_.width == 2 * ScreenWidth) {
      for (int x = 0; x < ScreenWidth; ++x) out[2 * x] = out[2 * x + 1] = colours_[source[x]];
    } else {
      for (int x = 0; x < place_.width; ++x) out[x] = colours_[source[sourceColumns_[x]]];
    }
    if (!direct_)
      SDL_ConvertPixels(place_.width, 1, SDL_PIXELFORMAT_RGB888, row_.data(), place_.width * 4,
                        surface_->format->format, line, surface_->pitch);
  }

  SDL_Window* window_;
  SDL_Surface* surface_ = nullptr;
  Viewport place_;
  std::vector<int> sourceColumns_;              // frame column of each window column
  int firstRows_[ScreenHeight + 1] = {};        // first window row of each frame row; the last is the height
  std::vector<std::uint32_t> colours_;          // RGB565 -> 0x00RRGGBB through the work ramp
  std::vector<std::uint32_t> row_;              // one row as 0x00RRGGBB, when the window's pixels differ
  std::vector<SDL_Rect> changed_;               // window rectangles filled by this Show
  bool plain_ = true;                           // the ramp changes nothing
  bool direct_ = true;                          // the window's pixels are 0x00RRGGBB
  bool fresh_ = true;                           // new pixels: everything must be shown
};

}  // namespace

std::unique_ptr<Presenter> OpenGpuPresenter(SDL_Window* window, bool fill) {
  if (!GpuRendererWanted()) return nullptr;
  auto presenter = std::make_unique<GpuPresenter>();
  presenter->Fill(fill);
  if (!presenter->Open(window)) return nullptr;
  return presenter;
}

std::unique_ptr<Presenter> OpenSurfacePresenter(SDL_Window* window, bool fill) {
  auto presenter = std::make_unique<SurfacePresenter>(window);
  presenter->Fill(fill);
  if (!presenter->Open()) return nullptr;
  return presenter;
}

RefreshPacer::RefreshPacer(int refreshHz)
    : period_(std::chrono::duration_cast<steady_clock::duration>(std::chrono::seconds(1)) / refreshHz) {}

void RefreshPacer::Wait(bool presentWaits) {
  const auto now = steady_clock::now();
  // The refreshes keep their own beat, as a display's would: a frame a little late is shown at once, one later than
  // half a refresh waits for the next beat, so one slow frame neither moves every later frame nor brings two
  // almost at once. A present that waits for the refresh itself, or a long stall, starts the beat afresh.
  if (presentWaits || now >= next_ + 4 * period_) {
    next_ = now + period_;
    return;
  }
  while (now >= next_ + period_ / 2) next_ += period_;
  if (now < next_) std::this_thread::sleep_until(next_);
  next_ += period_;
}
