// The display: software RGB565 back buffer, picture table, keyed copies, gamma ramp, fades and presentation.
#include "platform/display.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "content/bitmap_file.h"
#include "platform/sdl_devices.h"
#include "shell/game.h"

namespace {

constexpr int PixelCount = ScreenWidth * ScreenHeight;
constexpr float FadeRate = 0.08f;  // percent per ms

// Nearest whole number, halves to even (the default rounding mode).
int Nearest(float v) { return static_cast<int>(std::nearbyint(v)); }
long NearestWide(double v) { return static_cast<long>(std::nearbyint(v)); }

struct Rect {
  int left, top, right, bottom;
};

// The clipping rules of a copy: destination rounded, then each screen edge cuts the source by the same amount.
bool ClipCopy(Rect& src, Rect& dest) {
  if (dest.right > ScreenWidth) {
    src.right -= dest.right - ScreenWidth;
    dest.right = ScreenWidth;
  }
  if (dest.left < 0) {
    src.left += -dest.left;
    dest.left = 0;
  }
  if (dest.bottom > ScreenHeight) {
    src.bottom -= dest.bottom - ScreenHeight;
    dest.bottom = ScreenHeight;
  }
  if (dest.top < 0) {
    src.top += -dest.top;
    dest.top = 0;
  }
  return src.right > src.left && src.bottom > src.top;
}

// The copy itself is unscaled: keep it inside the picture and inside the screen whatever the callers asked.
bool FitCopy(Rect& src, int& x, int& y, const Surface& picture) {
  if (src.left < 0) {
    x -= src.left;
    src.left = 0;
  }
  if (src.top < 0) {
    y -= src.top;
    src.top = 0;
  }
  src.right = std::min({src.right, static_cast<int>(picture.width), src.left + ScreenWidth - x});
  src.bottom = std::min({src.bottom, static_cast<int>(picture.height), src.top + ScreenHeight - y});
  return src.right > src.left && src.bottom > src.top;
}

using Lanes = std::uint16_t __attribute__((vector_size(16)));
constexpr int LaneCount = 8;

// Keyed copy of one row: source pixels of value 0 leave the destination as it was.
void CopyRowKeyed(const Pixel* src, Pixel* dst, int count) {
  int i = 0;
  for (; i + LaneCount <= count; i += LaneCount) {
    Lanes s, d;
    std::memcpy(&s, src + i, sizeof s);
    std::memcpy(&d, dst + i, sizeof d);
    Lanes keep = reinterpret_cast<Lanes>(s == 0);
    d = s | (d & keep);
    std::memcpy(dst + i, &d, sizeof d);
  }
  for (; i < count; ++i)
    if (src[i] != 0) dst[i] = src[i];
}

// Keyed SRCAND of one row: destination AND source where the source is not 0.
void AndRowKeyed(const Pixel* src, Pixel* dst, int count) {
  int i = 0;
  for (; i + LaneCount <= count; i += LaneCount) {
    Lanes s, d;
    std::memcpy(&s, src + i, sizeof s);
    std::memcpy(&d, dst + i, sizeof d);
    Lanes keep = reinterpret_cast<Lanes>(s == 0);
    d = d & (s | keep);
    std::memcpy(dst + i, &d, sizeof d);
  }
  for (; i < count; ++i)
    if (src[i] != 0) dst[i] = dst[i] & src[i];
}

template <typename RowCopy>
void CopyRect(Game& game, int imageId, Rect src, Rect dest, RowCopy copyRow) {
  auto& table = game.platform.display.surfaceTable;
  if (imageId < 0 || imageId >= static_cast<int>(table.size())) return;
  const Surface& picture = table[imageId];
  if (picture.pixels.empty() || !ClipCopy(src, dest)) return;
  int x = dest.left, y = dest.top;
  if (!FitCopy(src, x, y, picture)) return;
  Pixel* back = game.platform.display.backBuffer.data();
  for (int row = src.top; row < src.bottom; ++row)
    copyRow(&picture.pixels[static_cast<std::size_t>(row) * picture.width + src.left],
            &back[static_cast<std::size_t>(y + row - src.top) * ScreenWidth + x], src.right - src.left);
}

Rect DestinationRect(float x, float y, int width, int height) {
  return {Nearest(x), Nearest(y), Nearest(x + width), Nearest(y + height)};
}

std::uint16_t RampEntry(float offset, std::uint16_t own) {
  double o = own;
  if (offset < 0) return static_cast<std::uint16_t>(NearestWide((100.0 - std::fabs(offset)) * o / 100.0));
  if (offset > 0) return static_cast<std::uint16_t>(NearestWide(65535.0 - (100.0 - offset) * (65535.0 - o) / 100.0));
  return own;
}

// ---- the window ----

void OpenWindow(Game& game) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  auto video = std::make_shared<VideoDevice>();
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  Uint32 flags = SDL_WINDOW_RESIZABLE;
  int width = ScreenWidth * 2, height = ScreenHeight * 2;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && (desktop.w < width || desktop.h < height)) {
    width = ScreenWidth;
    height = ScreenHeight;
  }
  if (!game.platform.options.windowed) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  video->window = SDL_CreateWindow("Shardfall", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!video->window) return;
  video->renderer = SDL_CreateRenderer(video->window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!video->renderer) video->renderer = SDL_CreateRenderer(video->window, -1, SDL_RENDERER_SOFTWARE);
  if (!video->renderer) return;
  // Letterboxed 4:3 at any window size; nearest sampling keeps the pixels sharp.
  SDL_RenderSetLogicalSize(video->renderer, ScreenWidth, ScreenHeight);
  video->texture = SDL_CreateTexture(video->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     ScreenWidth, ScreenHeight);
  if (!video->texture) return;
  video->converted.resize(PixelCount);
  game.platform.display.video = std::move(video);
}

void Present(Game& game) {
  VideoDevice* video = game.platform.display.video.get();
  if (!video) return;
  if (video->screenColours.empty()) video->screenColours = ScreenColourTable(game.platform.display.workRamp);
  ConvertForScreen(game.platform.display.shownFrame.data(), video->screenColours.data(), video->converted.data(),
                   PixelCount);
  SDL_UpdateTexture(video->texture, nullptr, video->converted.data(), ScreenWidth * 4);
  SDL_SetRenderDrawColor(video->renderer, 0, 0, 0, 255);
  SDL_RenderClear(video->renderer);
  SDL_RenderCopy(video->renderer, video->texture, nullptr, nullptr);
  SDL_RenderPresent(video->renderer);
  video->rampChanged = false;
}

bool DisplayTakenAway(const Game& game) {
  const VideoDevice* video = game.platform.display.video.get();
  if (!video) return false;
  return (SDL_GetWindowFlags(video->window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

}  // namespace

VideoDevice::~VideoDevice() {
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

Pixel ToPixel(std::uint32_t rgb) {
  return static_cast<Pixel>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F));
}

std::uint32_t ToRgb(Pixel pixel) {
  std::uint32_t r = pixel >> 11, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
  return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

std::vector<std::uint32_t> ScreenColourTable(const GammaRamp& ramp) {
  std::vector<std::uint32_t> table(65536);
  for (std::uint32_t p = 0; p < 65536; ++p) {
    std::uint32_t rgb = ToRgb(static_cast<Pixel>(p));
    std::uint32_t r = ramp[0][rgb >> 16] >> 8, g = ramp[1][(rgb >> 8) & 0xFF] >> 8, b = ramp[2][rgb & 0xFF] >> 8;
    table[p] = r << 16 | g << 8 | b;
  }
  return table;
}

void ConvertForScreen(const Pixel* frame, const std::uint32_t* table, std::uint32_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = table[frame[i]];
}

void InitDisplay(Game& game) {
  Display& display = game.platform.display;
  for (auto& channel : display.displayRamp)
    for (int i = 0; i < 256; ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
  display.workRamp = display.displayRamp;
  game.state.gammaAvailable = !game.platform.options.noGamma;
  if (game.platform.options.headless) return;
  OpenWindow(game);
  display.paceWithoutWindow = !display.video;
}

void ReleaseDisplay(Game& game) {
  ReleaseAllImages(game);
  game.platform.display.video.reset();
}

void ResetSurfaceTable(Game& game) { game.platform.display.surfaceTable = SurfaceTable(1); }

void ReleaseAllImages(Game& game) {
  for (Surface& surface : game.platform.display.surfaceTable) surface.pixels = {};
}

int LoadImage(Game& game, const std::filesystem::path& path) {
  auto& table = game.platform.display.surfaceTable;
  auto slot = std::find_if(table.begin(), table.end(), [](const Surface& s) { return !s.inUse; });
  int imageId = static_cast<int>(slot - table.begin());
  bool grown = slot == table.end();
  if (grown) table.emplace_back();
  if (!CreateImageSurface(game, path, imageId)) {
    if (grown) table.pop_back();  // a failed load must not grow the table on every retry
    return -1;
  }
  table[imageId].inUse = true;
  return imageId;
}

bool CreateImageSurface(Game& game, const std::filesystem::path& path, int imageId) {
  auto& table = game.platform.display.surfaceTable;
  if (imageId < 0 || imageId >= static_cast<int>(table.size())) return false;
  Bitmap bitmap;
  std::string error;
  if (!ReadBitmapFile(path, bitmap, error) || bitmap.width > 32767 || bitmap.height > 32767) return false;
  Surface& surface = table[imageId];
  surface.pixels.resize(bitmap.pixels.size());
  std::transform(bitmap.pixels.begin(), bitmap.pixels.end(), surface.pixels.begin(), ToPixel);
  surface.width = static_cast<std::int16_t>(bitmap.width);
  surface.height = static_cast<std::int16_t>(bitmap.height);
  surface.fileName = path.string();
  return true;
}

void ReloadAllImages(Game& game) {
  auto& table = game.platform.display.surfaceTable;
  for (std::size_t slot = 0; slot < table.size(); ++slot)
    if (!table[slot].fileName.empty()) CreateImageSurface(game, table[slot].fileName, static_cast<int>(slot));
}

void DrawImage(Game& game, std::int16_t srcWidth, std::int16_t srcHeight, std::int16_t destWidth,
               std::int16_t destHeight, float x, float y, int imageId, std::int16_t srcX, std::int16_t srcY) {
  Rect src{srcX, srcY, srcX + srcWidth, srcY + srcHeight};
  CopyRect(game, imageId, src, DestinationRect(x, y, destWidth, destHeight), CopyRowKeyed);
}

void DrawImageRop(Game& game, std::int16_t width, std::int16_t height, float x, float y, int imageId,
                  std::int16_t srcX, std::int16_t srcY, std::int32_t rop) {
  auto& table = game.platform.display.surfaceTable;
  bool usable = imageId >= 0 && imageId < static_cast<int>(table.size()) && !table[imageId].pixels.empty();
  if (rop != SRCAND || !usable) {
    game.platform.display.ropAvailable = false;
    return;
  }
  Rect src{srcX, srcY, srcX + width, srcY + height};
  CopyRect(game, imageId, src, DestinationRect(x, y, width, height), AndRowKeyed);
}

void ClearBackBuffer(Game& game, std::int32_t colour) {
  auto& back = game.platform.display.backBuffer;
  std::fill(back.begin(), back.end(), static_cast<Pixel>(colour));
}

void FlipScreen(Game& game) {
  Display& display = game.platform.display;
  display.shownFrame = display.backBuffer;
  if (display.paceWithoutWindow) std::this_thread::sleep_for(std::chrono::milliseconds(16));
  Present(game);
}

void ApplyGamma(Game& game, float red, float green, float blue) {
  Display& display = game.platform.display;
  const float offsets[3] = {red, green, blue};
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 256; ++i) display.workRamp[c][i] = RampEntry(offsets[c], display.displayRamp[c][i]);
  if (!display.video) return;
  display.video->screenColours = ScreenColourTable(display.workRamp);
  // A frame that is not redrawn (the pause) takes the ramp at the next waiting pass; others at their flip.
  display.video->rampChanged = true;
}

void PresentIfRampChanged(Game& game) {
  VideoDevice* video = game.platform.display.video.get();
  if (video && video->rampChanged) Present(game);
}

void FadeOutStep(Game& game) {
  GameState& s = game.state;
  s.fadingIn = false;
  if (!s.gammaAvailable) {
    s.screenFade = -99;
    s.fadingOut = false;
    return;
  }
  ApplyGamma(game, s.screenFade, s.screenFade, s.screenFade);
  s.screenFade -= FadeRate * static_cast<float>(s.frameStep);
  if (s.screenFade <= -100) {
    s.screenFade = -99;
    s.fadingOut = false;
  }
}

void FadeInStep(Game& game) {
  GameState& s = game.state;
  s.fadingOut = false;
  if (!s.gammaAvailable) {
    s.screenFade = 0;
    s.fadingIn = false;
    return;
  }
  s.screenFade += FadeRate * static_cast<float>(s.frameStep);
  if (s.screenFade >= 0) {
    s.screenFade = 0;
    s.fadingIn = false;
  }
  ApplyGamma(game, s.screenFade, s.screenFade, s.screenFade);
}

bool CheckDisplayLost(Game& game) {
  bool lost = false;
  while (DisplayTakenAway(game)) {
    lost = true;
    if (!WaitingLoopPass(game)) break;
  }
  PumpMessages(game);
  return lost;
}

std::vector<std::uint32_t> ShownPicture(const Game& game) {
  const Display& display = game.platform.display;
  std::vector<std::uint32_t> table = ScreenColourTable(display.workRamp);
  std::vector<std::uint32_t> picture(PixelCount);
  ConvertForScreen(display.shownFrame.data(), table.data(), picture.data(), PixelCount);
  return picture;
}
