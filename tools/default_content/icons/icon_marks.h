// Icons as lists of vector marks, so that one drawing gives both the SVG and the PNG of every size.
#pragma once
#include <string>
#include <variant>
#include <vector>

#include "content/bitmap_file.h"
#include "tools/default_content/paint/shapes.h"

namespace icons {

// Icons are drawn on a square of this many units; the SVG's view box and the PNGs' scale both follow from it.
inline constexpr float DesignSize = 256;

struct PolygonOutline {
  std::vector<paint::Point> points;
};
struct BoxOutline {
  float x, y, w, h, radius;
};
struct DiscOutline {
  float cx, cy, radius;
};
using Outline = std::variant<PolygonOutline, BoxOutline, DiscOutline>;

struct LinearInk {
  paint::Point from, to;
  std::vector<paint::Stop> stops;
};
struct RadialInk {
  paint::Point centre;
  float radius;
  std::vector<paint::Stop> stops;
};
using Ink = std::variant<paint::Color, LinearInk, RadialInk>;

// One filled outline, or with `strokeWidth` > 0 a line of that width centred on the outline.
struct Mark {
  Outline outline;
  Ink ink;
  float strokeWidth = 0;
};
using Marks = std::vector<Mark>;

// Straight alpha in the top byte, as WritePngFile takes it with alpha.
Bitmap Rasterise(const Marks& marks, int size);
std::string SvgText(const Marks& marks);

}  // namespace icons
