// Bitmap-font text: glyph placement and widths of "font1.bmp".
#include "platform/text.h"

#include "content/font_layout.h"
#include "platform/display.h"
#include "shell/game.h"

namespace {

constexpr int GlyphCount = 123;
constexpr float SpaceAdvance = 15;

struct GlyphTable {
  Glyph glyphs[GlyphCount]{};
  constexpr GlyphTable() {
    for (const FontGlyphBox& box : FontGlyphBoxes) glyphs[int(box.code)] = {box.x, box.y, box.width, box.height};
  }
};
constexpr GlyphTable Table;

void DrawGlyph(Game& game, int imageId, int code, float x, float y) {
  Glyph g = GlyphOf(code);
  if (g.width == 0 || g.height == 0) return;
  DrawImage(game, g.width, g.height, g.width, g.height, x, y, imageId, g.x, g.y);
}

// Characters outside 0..122 (and bytes of multi-byte text) have no glyph and advance 1 pixel.
int CodeOf(char c) { return static_cast<unsigned char>(c); }

void DrawWith(Game& game, int imageId, const std::string& text, float x, float y) {
  float pen = x;
  for (char c : text) {
    int code = CodeOf(c);
    if (code == ' ') {
      pen += SpaceAdvance;
    } else if (code == '"') {
      for (int twice = 0; twice < 2; ++twice) {
        DrawGlyph(game, imageId, '"', pen, y);
        pen += GlyphOf('"').width + 1;
      }
    } else if (code == ':') {
      DrawGlyph(game, imageId, '.', pen, y);
      DrawGlyph(game, imageId, '.', pen, y - 10);
      pen += GlyphOf('.').width + 1;
    } else if (code == ';') {
      DrawGlyph(game, imageId, '.', pen, y - 10);
      DrawGlyph(game, imageId, ',', pen, y);
      pen += GlyphOf(',').width + 1;
    } else {
      DrawGlyph(game, imageId, code, pen, y);
      pen += GlyphOf(code).width + 1;
    }
  }
}

}  // namespace

Glyph GlyphOf(int code) {
  if (code < 0 || code >= GlyphCount) return {};
  return Table.glyphs[code];
}

void DrawText(Game& game, const std::string& text, float x, float y) {
  DrawWith(game, game.platform.text.gameFontImage, text, x, y);
}

void DrawMenuText(Game& game, const std::string& text, float x, float y) {
  DrawWith(game, game.platform.text.menuFontImage, text, x, y);
}

std::int32_t TextWidth(const std::string& text) {
  std::int32_t sum = 0;
  for (char c : text) {
    int code = CodeOf(c);
    if (code == ' ') sum += 15;
    else if (code == '"') sum += 2 * GlyphOf('\'').width + 2;
    else if (code == ':') sum += GlyphOf('.').width + 1;
    else if (code == ';') sum += GlyphOf(',').width + 1;
    else sum += GlyphOf(code).width + 1;
  }
  return sum - 1;
}

void DrawPausedText(Game& game) {
  DrawText(game, "Paused", 320.0f - static_cast<float>(TextWidth("Paused")) / 2.0f, 223.5f);
}
