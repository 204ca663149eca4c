// Float RGBA canvas for drawing the default pictures, and its conversion to a colour-keyed bitmap.
#pragma once
#include <vector>

#include "content/bitmap_file.h"

namespace paint {

// Components 0..1, straight (not premultiplied) alpha.
struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

// From 0..255 components.
constexpr Color Rgb(int r, int g, int b, float alpha = 1.0f) { return Color{r / 255.0f, g / 255.0f, b / 255.0f, alpha}; }
Color Mix(Color from, Color to, float t);            // t = 0 gives `from`, 1 gives `to` (alpha mixed too)
Color Lighten(Color c, float t);                     // towards white, alpha kept
Color Darken(Color c, float t);                      // towards black, alpha kept
Color WithAlpha(Color c, float alpha);
inline constexpr Color Transparent{0, 0, 0, 0};

class Canvas {
 public:
  Canvas(int width, int height, Color fill = Transparent);
  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Color& at(int x, int y) { return pixels_[index(x, y)]; }
  const Color& at(int x, int y) const { return pixels_[index(x, y)]; }
  // Source-over blend of `c` scaled by `coverage`; pixels outside the canvas are ignored.
  void blend(int x, int y, Color c, float coverage = 1.0f);

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_;
  int height_;
  std::vector<Color> pixels_;
};

// Draws `src` over `dst` with its top-left corner at (x, y).
void Composite(Canvas& dst, const Canvas& src, int x, int y);
// The region (x, y, w, h) of `src` as a new canvas.
Canvas Crop(const Canvas& src, int x, int y, int w, int h);
// Turned a quarter clockwise: the top edge becomes the right edge.
Canvas RotateClockwise(const Canvas& src);
// Mirrored about the main diagonal: the top edge becomes the left edge, and light from the top left stays there.
Canvas Transpose(const Canvas& src);
Canvas FlipVertical(const Canvas& src);    // upside down
Canvas FlipHorizontal(const Canvas& src);  // left to right

// The game treats pure black as transparent: pixels with alpha below one half become 0,0,0; the rest are
// composed over `backdrop` and lifted off black so that they stay visible even after a 16-bit conversion.
Bitmap ToBitmap(const Canvas& canvas, Color backdrop = Color{0.02f, 0.02f, 0.06f, 1});

}  // namespace paint
