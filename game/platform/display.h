// The display: software RGB565 back buffer, picture table, keyed copies, gamma ramp, fades and presentation.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"

struct Game;

// Opens the window (unless headless), sets the identity displayRamp and gammaAvailable.
void InitDisplay(Game& game);
void ReleaseDisplay(Game& game);

// Back to one free slot 0 (before a mode loads its full picture set).
void ResetSurfaceTable(Game& game);
// Drops every slot's pixels but keeps the slots until the next reset.
void ReleaseAllImages(Game& game);
// imageId of a slot holding the picture; -1 when the file cannot be read (the slot stays free).
int LoadImage(Game& game, const std::filesystem::path& path);
// (Re)fills the slot from the file; false when it cannot be read (the slot keeps its old picture).
bool CreateImageSurface(Game& game, const std::filesystem::path& path, int imageId);
void ReloadAllImages(Game& game);

// Copies the source rectangle unscaled to nearest(x), nearest(y); the destination size only clips.
void DrawImage(Game& game, std::int16_t srcWidth, std::int16_t srcHeight, std::int16_t destWidth,
               std::int16_t destHeight, float x, float y, int imageId, std::int16_t srcX, std::int16_t srcY);
// As DrawImage with one size; supports SRCAND. Any other operation, or a bad image, clears ropAvailable.
void DrawImageRop(Game& game, std::int16_t width, std::int16_t height, float x, float y, int imageId,
                  std::int16_t srcX, std::int16_t srcY, std::int32_t rop);
// Fills the whole back buffer with the colour (RGB565).
void ClearBackBuffer(Game& game, std::int32_t colour);
// Keeps the frame as shown and presents it through workRamp.
void FlipScreen(Game& game);

// Computes workRamp from displayRamp; the screen takes it at the next flip, or at once in a waiting loop
// (the frozen frame of the pause). Screenshots always see the current ramp.
void ApplyGamma(Game& game, float red, float green, float blue);
void FadeInStep(Game& game);
void FadeOutStep(Game& game);

// Waits while the window is minimised or hidden; true when it had been and came back.
bool CheckDisplayLost(Game& game);

// The last shown frame after the gamma ramp, as 0x00RRGGBB, rows top to bottom.
std::vector<std::uint32_t> ShownPicture(const Game& game);
// Saves ShownPicture as PNG, or BMP when the name ends in ".bmp".
bool SaveScreenshot(const Game& game, const std::filesystem::path& path, std::string& error);

// RGB565 -> 0x00RRGGBB through the ramp, for all 65536 pixel values.
std::vector<std::uint32_t> ScreenColourTable(const GammaRamp& ramp);
// Converts count pixels through the table: the work of putting a frame on the screen.
void ConvertForScreen(const Pixel* frame, const std::uint32_t* table, std::uint32_t* out, std::size_t count);

// Colour conversion between 0x00RRGGBB and RGB565.
Pixel ToPixel(std::uint32_t rgb);
std::uint32_t ToRgb(Pixel pixel);
