// Windows bitmap files: uncompressed 24-bit writing, and the reading that tools and tests need.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "content/file_io.h"

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads the width and height from the header only.
bool ReadBitmapSize(const std::filesystem::path& path, int& width, int& height, std::string& error);
// Reads uncompressed 8-bit (palettised), 24- and 32-bit bitmaps (bottom-up or top-down).
bool ReadBitmapFile(const std::filesystem::path& path, Bitmap& out, std::string& error);
// Writes a 24-bit bottom-up bitmap atomically.
bool WriteBitmapFile(const std::filesystem::path& path, const Bitmap& bitmap, std::string& error);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
bool DecodeBitmap(const Bytes& bytes, Bitmap& out, std::string& problem);
// Refuses a bitmap whose size is not positive or does not match its pixels.
bool EncodeBitmap(const Bitmap& bitmap, Bytes& out, std::string& problem);
