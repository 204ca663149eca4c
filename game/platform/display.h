// The display: software RGB565 back buffer, picture table, keyed copies, gamma ramp and presentation.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"

// Sets the identity displayRamp and opens the window (none when headless).
void InitDisplay(Platform& platform);
void ReleaseDisplay(Platform& platform);

// Back to one free slot 0 (before a mode loads its full picture set).
void ResetSurfaceTable(Platform& platform);
// Drops every slot's pixels but keeps the slots until the next reset.
void ReleaseAllImages(Platform& platform);
// imageId of a slot holding the picture; -1 when the file cannot be read (the slot stays free).
int LoadImage(Platform& platform, const std::filesystem::path& path);
// LoadImage of a tile that is repeated across and down, at this and every reload, until it is at least
// leastWidth x leastHeight: a tiny picture then takes few copies to cover the screen.
int LoadTileImage(Platform& platform, const std::filesystem::path& path, int leastWidth, int leastHeight);
// (Re)fills the slot from the file; false when it cannot be read (the slot keeps its old picture).
bool CreateImageSurface(Platform& platform, const std::filesystem::path& path, int imageId);
void ReloadAllImages(Platform& platform);

struct ImageSize {
  int width = 0;
  int height = 0;
};
// The picture's size; 0 x 0 when the id names no slot of the table.
ImageSize PictureSize(const Platform& platform, int imageId);

// A region of a picture.
struct SpriteRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Copies the source rectangle unscaled to nearest(x), nearest(y); the destination size only clips.
void DrawImage(Platform& platform, std::int16_t srcWidth, std::int16_t srcHeight, std::int16_t destWidth,
               std::int16_t destHeight, float x, float y, int imageId, std::int16_t srcX, std::int16_t srcY);
// DrawImage of a region at its own size.
inline void DrawSprite(Platform& platform, int imageId, SpriteRect source, float x, float y) {
  const auto width = static_cast<std::int16_t>(source.width), height = static_cast<std::int16_t>(source.height);
  DrawImage(platform, width, height, width, height, x, y, imageId, static_cast<std::int16_t>(source.x),
            static_cast<std::int16_t>(source.y));
}
void DrawWholeImage(Platform& platform, int imageId, float x, float y);
// The whole picture in the middle of the screen.
void DrawCentredImage(Platform& platform, int imageId);
// As DrawImage with one size; supports SRCAND. Any other operation, or a bad image, clears ropAvailable.
void DrawImageRop(Platform& platform, std::int16_t width, std::int16_t height, float x, float y, int imageId,
                  std::int16_t srcX, std::int16_t srcY, std::int32_t rop);
// Fills the whole back buffer with the colour (RGB565).
void ClearBackBuffer(Platform& platform, std::int32_t colour);
// Keeps the frame as shown and presents it through workRamp.
void FlipScreen(Platform& platform);

// Computes workRamp from displayRamp; the screen takes it at the next flip, or at once in a waiting loop
// (the frozen frame of the pause). Screenshots always see the current ramp.
void ApplyGamma(Platform& platform, float red, float green, float blue);

// Waits while the window is minimised or hidden; true when it had been and came back.
bool CheckDisplayLost(Platform& platform);

// The last shown frame after the gamma ramp, as 0x00RRGGBB, rows top to bottom.
std::vector<std::uint32_t> ShownPicture(const Platform& platform);
// Saves ShownPicture as PNG, or BMP when the name ends in ".bmp".
bool SaveScreenshot(const Platform& platform, const std::filesystem::path& path, std::string& error);

// RGB565 -> 0x00RRGGBB through the ramp, for all 65536 pixel values.
std::vector<std::uint32_t> ScreenColourTable(const GammaRamp& ramp);
// Converts count pixels through the table: the work of putting a frame on the screen.
void ConvertForScreen(const Pixel* frame, const std::uint32_t* table, std::uint32_t* out, std::size_t count);
// The same through a ramp that changes nothing (ToRgb of every pixel), in vector registers.
void ExpandForScreen(const Pixel* frame, std::uint32_t* out, std::size_t count);
// The ramp that changes nothing: every channel's entry i is i x 257.
GammaRamp PlainRamp();

// Where the picture lands in an output of width x height real pixels: centred at the largest whole multiple of its
// size that fits (or, in an output smaller than the picture, as large as fits with its aspect kept); `fill`: all of
// the output.
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Viewport&) const = default;
};
Viewport PictureViewport(int width, int height, bool fill);

// Colour conversion between 0x00RRGGBB and RGB565.
Pixel ToPixel(std::uint32_t rgb);
std::uint32_t ToRgb(Pixel pixel);
