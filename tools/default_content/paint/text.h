// Text through FreeType with the DejaVu fonts: coverage masks, outlines and drawing them onto a canvas.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tools/default_content/paint/canvas.h"
#include "tools/default_content/paint/shapes.h"

namespace paint {

// The system's DejaVu faces, as the build found them (cmake/system-files.txt).
inline const std::filesystem::path SansBold = SHARDFALL_FONT_SANS_BOLD;
inline const std::filesystem::path Sans = SHARDFALL_FONT_SANS;
inline const std::filesystem::path SansCondensed = SHARDFALL_FONT_SANS_CONDENSED;
inline const std::filesystem::path SansCondensedBold = SHARDFALL_FONT_SANS_CONDENSED_BOLD;

// Grey-level coverage 0..1, rows top to bottom.
struct Mask {
  int width = 0, height = 0;
  std::vector<float> coverage;
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), coverage(static_cast<std::size_t>(w) * h, 0.0f) {}
  float at(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : coverage[static_cast<std::size_t>(y) * width + x];
  }
  float& at(int x, int y) { return coverage[static_cast<std::size_t>(y) * width + x]; }
};

// A line of text: the mask spans the font's ascent and descent; `baseline` is its row within the mask.
struct TextMask {
  Mask mask;
  int baseline = 0;
};

class Font {
 public:
  Font();
  ~Font();
  Font(Font&&) noexcept;
  Font& operator=(Font&&) noexcept;
  // Opens a font file at a pixel size (the em height); false with `error` set on failure.
  bool load(const std::filesystem::path& file, int pixelSize, std::string& error);
  // The whole line of UTF-8 text, advancing by the font's advances with kerning.
  TextMask render(const std::string& utf8) const;
  int width(const std::string& utf8) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// As Font::load, but throws std::runtime_error on failure; for painters whose caller reports the error.
Font OpenFont(const std::filesystem::path& file, int pixelSize);

// Only the columns and rows that hold ink (an empty mask when there is none); `left`/`top` receive the cut.
Mask Trim(const Mask& mask, int* left = nullptr, int* top = nullptr);
// Resampled to a new size by area averaging (good for shrinking, adequate for slight growing).
Mask Resize(const Mask& mask, int width, int height);
// Grown by `radius` pixels in every direction (1.5 gives a solid one-pixel ring), with a soft edge; the
// result is larger by 2 * ceil(radius) on each axis.
Mask Dilate(const Mask& mask, float radius);
// Paints the mask with its top-left corner at (x, y), colour from the shader at each pixel.
void Draw(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader);
void Draw(Canvas& canvas, const Mask& mask, int x, int y, Color c);

// Text with a dark outline of `outline` pixels, filled top to bottom from `top` to `bottom`; (x, y) is the
// top-left corner of the outlined line. Returns the drawn width.
int DrawOutlinedText(Canvas& canvas, const Font& font, const std::string& utf8, int x, int y, Color top,
                     Color bottom, Color outlineColor, float outline = 1.0f);

}  // namespace paint
