// Builds the default Gfx and Bgd folders once per test run and reads pictures from them.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "content/bitmap_file.h"

namespace picture_files {

// The folder holding Gfx and Bgd, built on first use.
const std::filesystem::path& BuiltRoot();
// A picture of Gfx (or Bgd with `folder`); fails the calling test when it cannot be read.
Bitmap Load(const std::string& name, const std::string& folder = "Gfx");

inline bool IsInk(std::uint32_t pixel) { return pixel != 0; }  // black is the transparent key
inline int Red(std::uint32_t p) { return static_cast<int>(p >> 16 & 0xFF); }
inline int Green(std::uint32_t p) { return static_cast<int>(p >> 8 & 0xFF); }
inline int Blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }
inline int Brightness(std::uint32_t p) { return Red(p) + Green(p) + Blue(p); }

// Counts the non-black pixels of a rectangle.
int InkIn(const Bitmap& b, int x, int y, int w, int h);

}  // namespace picture_files
