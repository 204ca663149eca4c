// Icons as lists of vector marks: drawn into a canvas of any size, or written out as SVG.
#include "tools/default_content/icons/icon_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace icons {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};

// --- Drawing into a canvas, every coordinate multiplied by `scale`.

paint::Point Scaled(paint::Point p, float scale) { return {p.x * scale, p.y * scale}; }

paint::Shape ShapeOf(const Outline& outline, float scale) {
  return std::visit(Overloaded{[&](const PolygonOutline& p) {
                                 std::vector<paint::Point> points;
                                 for (const paint::Point& point : p.points) points.push_back(Scaled(point, scale));
                                 return paint::Polygon(std::move(points));
                               },
                               [&](const BoxOutline& b) {
                                 return paint::RoundedRect(b.x * scale, b.y * scale, b.w * scale, b.h * scale,
                                                           b.radius * scale);
                               },
                               [&](const DiscOutline& d) {
                                 return paint::Circle(d.cx * scale, d.cy * scale, d.radius * scale);
                               }},
                    outline);
}

paint::Shader ShaderOf(const Ink& ink, float scale) {
  return std::visit(
      Overloaded{[](const paint::Color& c) { return paint::Solid(c); },
                 [&](const LinearInk& l) {
                   return paint::LinearGradient(Scaled(l.from, scale), Scaled(l.to, scale), l.stops);
                 },
                 [&](const RadialInk& r) {
                   return paint::RadialGradient(Scaled(r.centre, scale), r.radius * scale, r.stops);
                 }},
      ink);
}

std::uint32_t Byte(float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

// --- SVG text.

std::string Number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  std::string s = text;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Hex(const paint::Color& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", Byte(c.r), Byte(c.g), Byte(c.b));
  return text;
}

std::string StopsSvg(const std::vector<paint::Stop>& stops) {
  std::string out;
  for (const paint::Stop& stop : stops)
    out += "<stop offset=\"" + Number(stop.at) + "\" stop-color=\"" + Hex(stop.color) + "\" stop-opacity=\"" +
           Number(stop.color.a) + "\"/>";
  return out;
}

// The paint attribute ("fill" or "stroke") with its opacity; a gradient goes into `defs` under a new id.
std::string InkSvg(const Ink& ink, const char* attribute, std::string& defs, int& nextId) {
  const std::string attr = attribute;
  return std::visit(
      Overloaded{[&](const paint::Color& c) {
                   return attr + "=\"" + Hex(c) + "\" " + attr + "-opacity=\"" + Number(c.a) + "\"";
                 },
                 [&](const LinearInk& l) {
                   const std::string id = "g" + std::to_string(nextId++);
                   defs += "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"" +
                           Number(l.from.x) + "\" y1=\"" + Number(l.from.y) + "\" x2=\"" + Number(l.to.x) +
                           "\" y2=\"" + Number(l.to.y) + "\">" + StopsSvg(l.stops) + "</linearGradient>\n";
                   return attr + "=\"url(#" + id + ")\"";
                 },
                 [&](const RadialInk& r) {
                   const std::string id = "g" + std::to_string(nextId++);
                   defs += "<radialGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" cx=\"" +
                           Number(r.centre.x) + "\" cy=\"" + Number(r.centre.y) + "\" r=\"" + Number(r.radius) +
                           "\">" + StopsSvg(r.stops) + "</radialGradient>\n";
                   return attr + "=\"url(#" + id + ")\"";
                 }},
      ink);
}

std::string OutlineSvg(const Outline& outline, const std::string& paint) {
  return std::visit(Overloaded{[&](const PolygonOutline& p) {
                                 std::string points;
                                 for (const paint::Point& point : p.points)
                                   points += (points.empty() ? "" : " ") + Number(point.x) + "," + Number(point.y);
                                 return "<polygon points=\"" + points + "\" " + paint + "/>";
                               },
                               [&](const BoxOutline& b) {
                                 return "<rect x=\"" + Number(b.x) + "\" y=\"" + Number(b.y) + "\" width=\"" +
                                        Number(b.w) + "\" height=\"" + Number(b.h) + "\" rx=\"" +
                                        Number(b.radius) + "\" " + paint + "/>";
                               },
                               [&](const DiscOutline& d) {
                                 return "<circle cx=\"" + Number(d.cx) + "\" cy=\"" + Number(d.cy) + "\" r=\"" +
                                        Number(d.radius) + "\" " + paint + "/>";
                               }},
                    outline);
}

}  // namespace

Bitmap Rasterise(const Marks& marks, int size) {
  const float scale = static_cast<float>(size) / DesignSize;
  paint::Canvas canvas(size, size);
  for (const Mark& mark : marks) {
    const paint::Shape shape = ShapeOf(mark.outline, scale);
    const paint::Shader shader = ShaderOf(mark.ink, scale);
    if (mark.strokeWidth > 0) paint::Stroke(canvas, shape, mark.strokeWidth * scale, shader);
    else paint::Fill(canvas, shape, shader);
  }
  Bitmap out{size, size, {}};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const paint::Color c = canvas.at(x, y);
      out.pixels.push_back(Byte(c.a) << 24 | Byte(c.r) << 16 | Byte(c.g) << 8 | Byte(c.b));
    }
  }
  return out;
}

std::string SvgText(const Marks& marks) {
  std::string defs, body;
  int nextId = 1;
  for (const Mark& mark : marks) {
    std::string paint = mark.strokeWidth > 0
                            ? "fill=\"none\" " + InkSvg(mark.ink, "stroke", defs, nextId) + " stroke-width=\"" +
                                  Number(mark.strokeWidth) + "\""
                            : InkSvg(mark.ink, "fill", defs, nextId);
    body += OutlineSvg(mark.outline, paint) + "\n";
  }
  const std::string side = Number(DesignSize);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + side +
         "\" height=\"" + side + "\" viewBox=\"0 0 " + side + " " + side + "\">\n<defs>\n" + defs + "</defs>\n" +
         body + "</svg>\n";
}

}  // namespace icons
