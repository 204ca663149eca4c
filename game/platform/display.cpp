// The display: software RGB565 back buffer, picture table, keyed copies, gamma ramp and presentation.
#include "platform/display.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "content/bitmap_file.h"

namespace {

constexpr int PixelCount = ScreenWidth * ScreenHeight;

constexpr float FarOff = 1 << 24;  // beyond the screen by far, and small enough for the clipping arithmetic

// Nearest whole number, halves to even (the default rounding mode); a place far off the screen (or no number at
// all) stays far off it.
int Nearest(float v) {
  const float nearest = std::nearbyint(v);
  if (!(nearest >= -FarOff)) return static_cast<int>(-FarOff);
  return static_cast<int>(std::min(nearest, FarOff));
}
long NearestWide(double v) { return static_cast<long>(std::nearbyint(v)); }

struct Rect {
  int left, top, right, bottom;
};

// One axis of the clipping rule: each screen edge cuts the source by as much as it cuts the destination.
void ClipAxis(int& srcLow, int& srcHigh, int& destLow, int& destHigh, int limit) {
  if (destHigh > limit) {
    srcHigh -= destHigh - limit;
    destHigh = limit;
  }
  if (destLow < 0) {
    srcLow += -destLow;
    destLow = 0;
  }
}

// The clipping rules of a copy: destination rounded, then each screen edge cuts the source by the same amount.
bool ClipCopy(Rect& src, Rect& dest) {
  ClipAxis(src.left, src.right, dest.left, dest.right, ScreenWidth);
  ClipAxis(src.top, src.bottom, dest.top, dest.bottom, ScreenHeight);
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
void CopyRect(Display& display, int imageId, Rect src, Rect dest, RowCopy copyRow) {
  auto& table = display.surfaceTable;
  if (imageId < 0 || imageId >= static_cast<int>(table.size())) return;
  const Surface& picture = table[imageId];
  if (picture.pixels.empty() || !ClipCopy(src, dest)) return;
  int x = dest.left, y = dest.top;
  if (!FitCopy(src, x, y, picture)) return;
  Pixel* back = display.backBuffer.data();
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

// Copies of a picture `size` pixels long that make at least `least` pixels; one when it is long enough already.
int CopiesToReach(int size, int least) { return size <= 0 || size >= least ? 1 : (least + size - 1) / size; }

// The bitmap in screen pixels, repeated `across` times and `down` times.
std::vector<Pixel> RepeatedPixels(const Bitmap& bitmap, int across, int down) {
  const int width = bitmap.width * across;
  std::vector<Pixel> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * bitmap.height * down);
  for (int copy = 0; copy < down; ++copy)
    for (int y = 0; y < bitmap.height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(ToPixel(bitmap.at(x % bitmap.width, y)));
  return pixels;
}

}  // namespace

Pixel ToPixel(std::uint32_t rgb) {
  return static_cast<Pixel>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F));
}

std::uint32_t ToRgb(Pixel pixel) {
  std::uint32_t r = pixel >> 11, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
  return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

std::vector<std::uint32_t> ScreenColourTable(const GammaRamp& ramp) {
  // Each channel's bits of a pixel pick its screen value alone: three small tables, then every combination.
  std::array<std::uint32_t, 32> reds{}, blues{};
  std::array<std::uint32_t, 64> greens{};
  for (std::uint32_t v = 0; v < 64; ++v) {
    const std::uint32_t rgb = ToRgb(static_cast<Pixel>((v & 31) << 11 | v << 5 | (v & 31)));
    if (v < 32) reds[v] = static_cast<std::uint32_t>(ramp[0][rgb >> 16] >> 8) << 16;
    greens[v] = static_cast<std::uint32_t>(ramp[1][(rgb >> 8) & 0xFF] >> 8) << 8;
    if (v < 32) blues[v] = ramp[2][rgb & 0xFF] >> 8;
  }
  std::vector<std::uint32_t> table(65536);
  for (std::uint32_t p = 0; p < 65536; ++p) table[p] = reds[p >> 11] | greens[(p >> 5) & 63] | blues[p & 31];
  return table;
}

void ConvertForScreen(const Pixel* frame, const std::uint32_t* table, std::uint32_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = table[frame[i]];
}

// Built for AVX2 as well, which the loader picks where the processor has it; one version on other processors.
#if defined(__x86_64__)
#define SHARDFALL_ALSO_FOR_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define SHARDFALL_ALSO_FOR_AVX2
#endif
SHARDFALL_ALSO_FOR_AVX2 void ExpandForScreen(const Pixel* frame, std::uint32_t* out, std::size_t count) {
  using Pixels = std::uint16_t __attribute__((vector_size(16)));
  using Words = std::uint32_t __attribute__((vector_size(32)));
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    Pixels pixels;
    std::memcpy(&pixels, frame + i, sizeof pixels);
    const Words p = __builtin_convertvector(pixels, Words);
    const Words r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    const Words rgb = (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
    std::memcpy(out + i, &rgb, sizeof rgb);
  }
  for (; i < count; ++i) out[i] = ToRgb(frame[i]);
}

GammaRamp PlainRamp() {
  GammaRamp ramp;
  for (auto& channel : ramp)
    for (int i = 0; i < 256; ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
  return ramp;
}

void InitDisplay(Platform& platform) {
  Display& display = platform.display;
  display.displayRamp = PlainRamp();
  display.workRamp = display.displayRamp;
  platform.window = OpenWindowDevice(platform.options);
}

void ReleaseDisplay(Platform& platform) {
  ReleaseAllImages(platform);
  platform.window = NoWindowDevice();
}

void ResetSurfaceTable(Platform& platform) { platform.display.surfaceTable = SurfaceTable(1); }

void ReleaseAllImages(Platform& platform) {
  for (Surface& surface : platform.display.surfaceTable) surface.pixels = {};
}

int LoadImage(Platform& platform, const std::filesystem::path& path) { return LoadTileImage(platform, path, 0, 0); }

int LoadTileImage(Platform& platform, const std::filesystem::path& path, int leastWidth, int leastHeight) {
  auto& table = platform.display.surfaceTable;
  auto slot = std::find_if(table.begin(), table.end(), [](const Surface& s) { return !s.inUse; });
  int imageId = static_cast<int>(slot - table.begin());
  bool grown = slot == table.end();
  if (grown) table.emplace_back();
  table[imageId].leastWidth = static_cast<std::int16_t>(std::clamp(leastWidth, 0, 32767));
  table[imageId].leastHeight = static_cast<std::int16_t>(std::clamp(leastHeight, 0, 32767));
  if (!CreateImageSurface(platform, path, imageId)) {
    if (grown) table.pop_back();  // a failed load must not grow the table on every retry
    return -1;
  }
  table[imageId].inUse = true;
  return imageId;
}

bool CreateImageSurface(Platform& platform, const std::filesystem::path& path, int imageId) {
  auto& table = platform.display.surfaceTable;
  if (imageId < 0 || imageId >= static_cast<int>(table.size())) return false;
  Bitmap bitmap;
  std::string error;
  if (!ReadBitmapFile(path, bitmap, error)) return false;
  Surface& surface = table[imageId];
  const int across = CopiesToReach(bitmap.width, surface.leastWidth);
  const int down = CopiesToReach(bitmap.height, surface.leastHeight);
  if (bitmap.width * across > 32767 || bitmap.height * down > 32767) return false;
  surface.pixels = RepeatedPixels(bitmap, across, down);
  surface.width = static_cast<std::int16_t>(bitmap.width * across);
  surface.height = static_cast<std::int16_t>(bitmap.height * down);
  surface.fileName = path.string();
  return true;
}

void ReloadAllImages(Platform& platform) {
  auto& table = platform.display.surfaceTable;
  for (std::size_t slot = 0; slot < table.size(); ++slot)
    if (!table[slot].fileName.empty()) CreateImageSurface(platform, table[slot].fileName, static_cast<int>(slot));
}

ImageSize PictureSize(const Platform& platform, int imageId) {
  const SurfaceTable& table = platform.display.surfaceTable;
  if (imageId < 0 || imageId >= static_cast<int>(table.size())) return {};
  return {table[imageId].width, table[imageId].height};
}

void DrawImage(Platform& platform, std::int16_t srcWidth, std::int16_t srcHeight, std::int16_t destWidth,
               std::int16_t destHeight, float x, float y, int imageId, std::int16_t srcX, std::int16_t srcY) {
  if (platform.options.drawNothing) return;
  Rect src{srcX, srcY, srcX + srcWidth, srcY + srcHeight};
  // A lambda rather than the function's address, so the row copy is inlined into the loop over the rows.
  CopyRect(platform.display, imageId, src, DestinationRect(x, y, destWidth, destHeight),
           [](const Pixel* from, Pixel* to, int count) { CopyRowKeyed(from, to, count); });
}

void DrawWholeImage(Platform& platform, int imageId, float x, float y) {
  const ImageSize size = PictureSize(platform, imageId);
  DrawSprite(platform, imageId, {0, 0, size.width, size.height}, x, y);
}

void DrawCentredImage(Platform& platform, int imageId) {
  const ImageSize size = PictureSize(platform, imageId);
  DrawWholeImage(platform, imageId, ScreenWidth / 2.0f - size.width / 2.0f, ScreenHeight / 2.0f - size.height / 2.0f);
}

void DrawImageRop(Platform& platform, std::int16_t width, std::int16_t height, float x, float y, int imageId,
                  std::int16_t srcX, std::int16_t srcY, std::int32_t rop) {
  Display& display = platform.display;
  auto& table = display.surfaceTable;
  bool usable = imageId >= 0 && imageId < static_cast<int>(table.size()) && !table[imageId].pixels.empty();
  if (rop != SRCAND || !usable) {
    display.ropAvailable = false;
    return;
  }
  if (platform.options.drawNothing) return;
  Rect src{srcX, srcY, srcX + width, srcY + height};
  CopyRect(display, imageId, src, DestinationRect(x, y, width, height),
           [](const Pixel* from, Pixel* to, int count) { AndRowKeyed(from, to, count); });
}

void ClearBackBuffer(Platform& platform, std::int32_t colour) {
  if (platform.options.drawNothing) return;
  auto& back = platform.display.backBuffer;
  const auto pixel = static_cast<Pixel>(colour);
  // Black, every frame's clear, as one memset: a plain fill of 16-bit values is not vectorised at -O2.
  if ((pixel & 0xFF) == pixel >> 8) std::memset(back.data(), pixel & 0xFF, back.size() * sizeof(Pixel));
  else std::fill(back.begin(), back.end(), pixel);
}

void FlipScreen(Platform& platform) {
  if (platform.options.drawNothing) return;
  Display& display = platform.display;
  // Only the rows that differ are copied and marked, so the window puts no more on the screen than changed.
  constexpr std::size_t RowBytes = ScreenWidth * sizeof(Pixel);
  for (int y = 0; y < ScreenHeight; ++y) {
    const std::size_t at = static_cast<std::size_t>(y) * ScreenWidth;
    const bool changed = std::memcmp(&display.shownFrame[at], &display.backBuffer[at], RowBytes) != 0;
    if (changed) std::memcpy(&display.shownFrame[at], &display.backBuffer[at], RowBytes);
    display.changedRows[y] = changed;
  }
  NoteFrame(platform.frameStats, platform.window->Present(display));
}

void ApplyGamma(Platform& platform, float red, float green, float blue) {
  Display& display = platform.display;
  const float offsets[3] = {red, green, blue};
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 256; ++i) display.workRamp[c][i] = RampEntry(offsets[c], display.displayRamp[c][i]);
  platform.window->TakeRamp(display.workRamp);
}

bool CheckDisplayLost(Platform& platform) {
  bool lost = false;
  while (platform.window->TakenAway()) {
    lost = true;
    if (!IdlePass(platform)) break;
  }
  PumpMessages(platform);
  return lost;
}

std::vector<std::uint32_t> ShownPicture(const Platform& platform) {
  const Display& display = platform.display;
  std::vector<std::uint32_t> table = ScreenColourTable(display.workRamp);
  std::vector<std::uint32_t> picture(PixelCount);
  ConvertForScreen(display.shownFrame.data(), table.data(), picture.data(), PixelCount);
  return picture;
}

Viewport PictureViewport(int width, int height, bool fill) {
  if (fill) return {0, 0, width, height};
  const int scale = std::min(width / ScreenWidth, height / ScreenHeight);
  int placedWidth = ScreenWidth * scale, placedHeight = ScreenHeight * scale;
  if (scale < 1 && width * ScreenHeight > height * ScreenWidth) {
    placedWidth = height * ScreenWidth / ScreenHeight;
    placedHeight = height;
  } else if (scale < 1) {
    placedWidth = width;
    placedHeight = width * ScreenHeight / ScreenWidth;
  }
  return {(width - placedWidth) / 2, (height - placedHeight) / 2, placedWidth, placedHeight};
}
