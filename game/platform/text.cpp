// Bitmap-font text: glyph placement and widths of "font1.bmp".
#include "platform/text.h"

#include "content/font_layout.h"
#include "platform/display.h"

namespace {

constexpr int GlyphCount = 123;
constexpr int SpaceAdvance = 15;

struct GlyphTable {
  Glyph glyphs[GlyphCount]{};
  constexpr GlyphTable() {
    for (const FontGlyphBox& box : FontGlyphBoxes) glyphs[int(box.code)] = {box.x, box.y, box.width, box.height};
  }
};
constexpr GlyphTable Table;

void DrawGlyph(Platform& platform, int imageId, int code, float x, float y) {
  Glyph g = GlyphOf(code);
  if (g.width == 0 || g.height == 0) return;
  DrawSprite(platform, imageId, {g.x, g.y, g.width, g.height}, x, y);
}

// Characters outside 0..122 (and bytes of multi-byte text) have no glyph and advance 1 pixel.
int CodeOf(char c) { return static_cast<unsigned char>(c); }

// The pen's move past one character: its glyph and a gap of one pixel.
std::int32_t Advance(char c) {
  int code = CodeOf(c);
  if (code == ' ') return SpaceAdvance;
  if (code == '"') return 2 * GlyphOf('\'').width + 2;
  if (code == ':') return GlyphOf('.').width + 1;
  if (code == ';') return GlyphOf(',').width + 1;
  return GlyphOf(code).width + 1;
}

void DrawWith(Platform& platform, int imageId, const std::string& text, float x, float y) {
  float pen = x;
  for (char c : text) {
    int code = CodeOf(c);
    if (code == ' ') {
      pen += static_cast<float>(SpaceAdvance);
    } else if (code == '"') {
      for (int twice = 0; twice < 2; ++twice) {
        DrawGlyph(platform, imageId, '"', pen, y);
        pen += GlyphOf('"').width + 1;
      }
    } else if (code == ':') {
      DrawGlyph(platform, imageId, '.', pen, y);
      DrawGlyph(platform, imageId, '.', pen, y - 10);
      pen += GlyphOf('.').width + 1;
    } else if (code == ';') {
      DrawGlyph(platform, imageId, '.', pen, y - 10);
      DrawGlyph(platform, imageId, ',', pen, y);
      pen += GlyphOf(',').width + 1;
    } else {
      DrawGlyph(platform, imageId, code, pen, y);
      pen += GlyphOf(code).width + 1;
    }
  }
}

}  // namespace

Glyph GlyphOf(int code) {
  if (code < 0 || code >= GlyphCount) return {};
  return Table.glyphs[code];
}

void DrawText(Platform& platform, const std::string& text, float x, float y) {
  DrawWith(platform, platform.text.gameFontImage, text, x, y);
}

void DrawMenuText(Platform& platform, const std::string& text, float x, float y) {
  DrawWith(platform, platform.text.menuFontImage, text, x, y);
}

std::int32_t TextWidth(const std::string& text) {
  std::int32_t sum = 0;
  for (char c : text) sum += Advance(c);
  return sum - 1;
}

std::string TextEndThatFits(const std::string& text, std::int32_t maxWidth) {
  if (TextWidth(text) <= maxWidth) return text;
  const std::string mark = "...";
  // Widths add up character by character, so the end that fits is found in one pass from the back.
  std::int32_t width = TextWidth(mark);
  std::size_t start = text.size();
  while (start > 0 && width + Advance(text[start - 1]) <= maxWidth) width += Advance(text[--start]);
  return mark + text.substr(start);
}

std::string TextStartThatFits(const std::string& text, std::int32_t maxWidth) {
  if (TextWidth(text) <= maxWidth) return text;
  const std::string mark = "...";
  std::int32_t width = TextWidth(mark);
  std::size_t end = 0;
  while (end < text.size() && width + Advance(text[end]) <= maxWidth) width += Advance(text[end++]);
  // A cut just after a word leaves no gap before the mark.
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end) + mark;
}

float CentredTextX(const std::string& text) {
  return ScreenWidth / 2.0f - static_cast<float>(TextWidth(text)) / 2.0f;
}

void DrawCentredText(Platform& platform, const std::string& text, float y) {
  DrawText(platform, text, CentredTextX(text), y);
}

void DrawCentredMenuText(Platform& platform, const std::string& text, float y) {
  DrawMenuText(platform, text, CentredTextX(text), y);
}

void DrawPausedText(Platform& platform) { DrawCentredText(platform, "Paused", 223.5f); }
