// PNG pictures: 8-bit RGB or RGBA, unfiltered rows deflated through zlib.
#pragma once
#include <filesystem>
#include <string>

#include "content/bitmap_file.h"

// With `withAlpha` the top byte of each pixel is its opacity (0 clear .. 255 opaque); without it, it is ignored.
bool EncodePng(const Bitmap& picture, bool withAlpha, Bytes& out, std::string& problem);
// Writes the picture atomically.
bool WritePngFile(const std::filesystem::path& path, const Bitmap& picture, bool withAlpha, std::string& error);
