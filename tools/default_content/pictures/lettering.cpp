// The lettering pictures: the bitmap font with its scroll arrows, the score digits and the title.
#include <string>
#include <vector>

#include "content/font_layout.h"
#include "tools/default_content/paint/noise.h"
#include "tools/default_content/paint/shapes.h"
#include "tools/default_content/paint/text.h"
#include "tools/default_content/pictures/game_pictures.h"

namespace pictures {

using namespace paint;

namespace {

struct GlyphBox {
  std::string text;  // what is drawn in the box
  int x, y, w, h;
};

// The boxes of the game's font table. The double quote shares the apostrophe's box, which holds an
// apostrophe.
const std::vector<GlyphBox>& FontBoxes() {
  static const std::vector<GlyphBox> boxes = [] {
    std::vector<GlyphBox> b;
    for (const FontGlyphBox& glyph : FontGlyphBoxes)
      if (glyph.code != '"') b.push_back({std::string(1, glyph.code), glyph.x, glyph.y, glyph.width, glyph.height});
    return b;
  }();
  return boxes;
}

// One glyph fitted into its box: ink centred across, standing on `baseline` (a row of the box), squeezed
// across when wider than the box allows, with a one-pixel dark outline that stays inside the box.
void PaintGlyphInBox(Canvas& canvas, const Font& font, const std::string& text, int boxX, int boxY, int boxW,
                     int boxH, int baseline, int capTop, const std::vector<Stop>& fill) {
  const TextMask line = font.render(text);
  int top = 0;
  Mask ink = Trim(line.mask, nullptr, &top);
  if (ink.width == 0) return;
  const int room = boxW - 2;
  if (ink.width > room) ink = Resize(ink, room, ink.height);
  Canvas cell(boxW, boxH);
  const int x = 1 + (room - ink.width) / 2;
  const int y = std::clamp(baseline - (line.baseline - top), 1, boxH - 1 - ink.height);
  Draw(cell, Dilate(ink, 1.5f), x - 2, y - 2, look::Ink);
  Draw(cell, ink, x, y, LinearGradient({0, static_cast<float>(capTop)}, {0, static_cast<float>(baseline)}, fill));
  Composite(canvas, cell, boxX, boxY);
}

const std::vector<Stop>& CrystalFill() {
  static const std::vector<Stop> stops = {{0.0f, Rgb(245, 252, 255)},
                                          {0.45f, Rgb(150, 228, 255)},
                                          {0.55f, Rgb(95, 190, 255)},
                                          {1.0f, Rgb(185, 145, 255)}};
  return stops;
}

void PaintArrow(Canvas& canvas, int x, int y, bool up) {
  const float top = y + 1.5f, bottom = y + 13.5f, mid = x + 8.5f;
  const std::vector<Point> points = up ? std::vector<Point>{{mid, top}, {x + 16.0f, bottom}, {x + 1.0f, bottom}}
                                       : std::vector<Point>{{x + 1.0f, top}, {x + 16.0f, top}, {mid, bottom}};
  Fill(canvas, Offset(Polygon(points), 1.0f), look::Ink);
  FillGlass(canvas, Polygon(points), Glass{Rgb(70, 200, 255), 2.5f, 0.5f, 0.8f, 0.5f});
}

}  // namespace

Canvas PaintFont() {
  Canvas canvas(640, 77);
  const Font font = OpenFont(SansBold, 27);
  // Both strips share a baseline 23 rows below their top, so lower case and digits reach 4 rows lower.
  for (const GlyphBox& box : FontBoxes())
    PaintGlyphInBox(canvas, font, box.text, box.x, box.y, box.w, box.h, 23, 3, CrystalFill());
  PaintArrow(canvas, 0, 62, true);
  PaintArrow(canvas, 17, 62, false);
  return canvas;
}

Canvas PaintNumbers() {
  Canvas canvas(160, 48);
  const Font font = OpenFont(SansBold, 25);
  const std::vector<Stop> rows[2] = {
      CrystalFill(),
      {{0.0f, Rgb(255, 250, 215)}, {0.45f, Rgb(255, 215, 110)}, {0.55f, Rgb(255, 160, 60)}, {1.0f, Rgb(255, 90, 170)}}};
  for (int row = 0; row < 2; ++row)
    for (int digit = 0; digit < 10; ++digit)
      PaintGlyphInBox(canvas, font, std::to_string(digit), 16 * digit, 24 * row, 16, 24, 21, 3, rows[row]);
  return canvas;
}

Canvas PaintTitle() {
  Canvas canvas(210, 104);
  const Font font = OpenFont(SansCondensedBold, 54);
  Mask ink = Trim(font.render("SHARDFALL").mask);
  ink = Resize(ink, 198, ink.height);  // condensed further: tall crystal letters
  const int x = 6, y = 54 - ink.height / 2;
  // Shards breaking off the word and falling away below it.
  Random random(0x7171E);
  for (int i = 0; i < 10; ++i) {
    const float cx = 12 + 19.0f * i + random.between(-5, 5);
    const float cy = random.between(y + ink.height + 7.0f, 98), s = random.between(2.5f, 5.0f);
    const std::vector<Point> shard = {{cx, cy - s * 1.4f}, {cx + s * 0.7f, cy}, {cx, cy + s}, {cx - s * 0.6f, cy - s * 0.2f}};
    Fill(canvas, Offset(Polygon(shard), 1.0f), look::Ink);
    FillGlass(canvas, Polygon(shard), Glass{Mix(look::Cyan, look::Magenta, random.uniform()), 1.5f, 0.4f});
  }
  Draw(canvas, Dilate(ink, 3.5f), x - 4, y - 4, Rgb(50, 24, 110));
  Draw(canvas, Dilate(ink, 2.0f), x - 2, y - 2, look::Ink);
  const float y0 = static_cast<float>(y), y1 = static_cast<float>(y + ink.height);
  Draw(canvas, ink, x, y,
       LinearGradient({0, y0}, {0, y1},
                      {{0.0f, Rgb(250, 254, 255)}, {0.48f, Rgb(120, 220, 255)}, {0.52f, Rgb(120, 90, 255)},
                       {0.8f, Rgb(200, 90, 255)}, {1.0f, Rgb(255, 120, 220)}}));
  return canvas;
}

}  // namespace pictures
