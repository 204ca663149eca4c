// Bitmap-font text: glyph placement and widths of "font1.bmp".
#include "platform/text.h"

#include "platform/display.h"
#include "shell/game.h"

namespace {

constexpr int GlyphCount = 123;
constexpr std::int16_t CapitalHeight = 29;
constexpr std::int16_t LowerHeight = 33;
constexpr std::int16_t LowerRow = 29;
constexpr float SpaceAdvance = 15;

struct GlyphEntry {
  char code;
  std::int16_t x;
  std::int16_t width;
};

constexpr GlyphEntry Punctuation[] = {{'!', 520, 8},  {'"', 634, 6},  {'&', 528, 22}, {'\'', 634, 6},
                                      {'(', 564, 11}, {')', 575, 11}, {'*', 550, 14}, {',', 598, 9},
                                      {'-', 586, 12}, {'.', 607, 9},  {'?', 616, 14}};
constexpr GlyphEntry Capitals[] = {
    {'A', 0, 22},   {'B', 22, 18},  {'C', 40, 19},  {'D', 59, 20},  {'E', 79, 18},  {'F', 97, 18},  {'G', 115, 22},
    {'H', 137, 21}, {'I', 158, 7},  {'J', 165, 17}, {'K', 182, 20}, {'L', 202, 17}, {'M', 219, 25}, {'N', 244, 20},
    {'O', 264, 23}, {'P', 287, 18}, {'Q', 305, 25}, {'R', 330, 19}, {'S', 349, 17}, {'T', 366, 22}, {'U', 388, 20},
    {'V', 408, 23}, {'W', 431, 29}, {'X', 460, 20}, {'Y', 480, 21}, {'Z', 501, 19}};
constexpr GlyphEntry LowerRowGlyphs[] = {
    {'/', 0, 14},   {'0', 168, 19}, {'1', 14, 11},  {'2', 25, 17},  {'3', 42, 17},  {'4', 59, 20},  {'5', 79, 17},
    {'6', 96, 18},  {'7', 114, 18}, {'8', 132, 18}, {'9', 150, 18}, {'a', 187, 18}, {'b', 205, 18}, {'c', 223, 17},
    {'d', 240, 19}, {'e', 259, 19}, {'f', 278, 14}, {'g', 292, 18}, {'h', 310, 18}, {'i', 328, 9},  {'j', 337, 12},
    {'k', 349, 17}, {'l', 366, 8},  {'m', 374, 26}, {'n', 400, 17}, {'o', 417, 18}, {'p', 435, 18}, {'q', 454, 18},
    {'r', 472, 14}, {'s', 486, 14}, {'t', 500, 14}, {'u', 514, 18}, {'v', 532, 19}, {'w', 551, 27}, {'x', 578, 19},
    {'y', 597, 19}, {'z', 616, 18}};

struct GlyphTable {
  Glyph glyphs[GlyphCount]{};
  constexpr GlyphTable() {
    for (const GlyphEntry& e : Punctuation) glyphs[int(e.code)] = {e.x, 0, e.width, CapitalHeight};
    for (const GlyphEntry& e : Capitals) glyphs[int(e.code)] = {e.x, 0, e.width, CapitalHeight};
    for (const GlyphEntry& e : LowerRowGlyphs) glyphs[int(e.code)] = {e.x, LowerRow, e.width, LowerHeight};
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
