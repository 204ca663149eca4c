// FreeType text rendering into coverage masks, and mask operations.
#include "tools/default_content/paint/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace paint {

namespace {

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int extra = byte < 0x80 ? 0 : byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < text.size(); ++k)
      code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.push_back(code);
    i += extra + 1;
  }
  return out;
}

struct PlacedGlyph {
  Mask mask;
  int x = 0, top = 0;  // left edge relative to the pen origin; top edge above the baseline
};

}  // namespace

struct Font::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Impl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

Font::Font() = default;
Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

bool Font::load(const std::filesystem::path& file, int pixelSize, std::string& error) {
  auto impl = std::make_unique<Impl>();
  if (FT_Init_FreeType(&impl->library) != 0) {
    error = "cannot start FreeType";
    return false;
  }
  if (FT_New_Face(impl->library, file.c_str(), 0, &impl->face) != 0 ||
      FT_Set_Pixel_Sizes(impl->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    error = "cannot open the font " + file.string();
    return false;
  }
  impl_ = std::move(impl);
  return true;
}

TextMask Font::render(const std::string& utf8) const {
  FT_Face face = impl_->face;
  const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
  std::vector<PlacedGlyph> glyphs;
  int pen = 0, left = 0, right = 0;
  FT_UInt previous = 0;
  for (char32_t code : DecodeUtf8(utf8)) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (previous && index && FT_HAS_KERNING(face)) {
      FT_Vector kerning;
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
      pen += static_cast<int>(kerning.x >> 6);
    }
    previous = index;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) continue;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    PlacedGlyph g{Mask(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows)),
                  pen + face->glyph->bitmap_left, face->glyph->bitmap_top};
    for (int y = 0; y < g.mask.height; ++y)
      for (int x = 0; x < g.mask.width; ++x) g.mask.at(x, y) = bitmap.buffer[y * bitmap.pitch + x] / 255.0f;
    left = std::min(left, g.x);
    right = std::max(right, g.x + g.mask.width);
    pen += static_cast<int>(face->glyph->advance.x >> 6);
    right = std::max(right, pen);
    glyphs.push_back(std::move(g));
  }
  TextMask out{Mask(right - left, ascent + descent), ascent};
  for (const PlacedGlyph& g : glyphs)
    for (int y = 0; y < g.mask.height; ++y)
      for (int x = 0; x < g.mask.width; ++x) {
        const int tx = g.x - left + x, ty = ascent - g.top + y;
        if (tx >= 0 && ty >= 0 && tx < out.mask.width && ty < out.mask.height)
          out.mask.at(tx, ty) = std::max(out.mask.at(tx, ty), g.mask.at(x, y));
      }
  return out;
}

int Font::width(const std::string& utf8) const { return render(utf8).mask.width; }

Font OpenFont(const std::filesystem::path& file, int pixelSize) {
  Font font;
  std::string error;
  if (!font.load(file, pixelSize, error)) throw std::runtime_error(error);
  return font;
}

Mask Trim(const Mask& mask, int* left, int* top) {
  int x0 = mask.width, y0 = mask.height, x1 = -1, y1 = -1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.at(x, y) > 0.0f) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  if (x1 < 0) return Mask();
  Mask out(x1 - x0 + 1, y1 - y0 + 1);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.at(x, y) = mask.at(x0 + x, y0 + y);
  if (left) *left = x0;
  if (top) *top = y0;
  return out;
}

Mask Resize(const Mask& mask, int width, int height) {
  Mask out(width, height);
  if (mask.width == 0 || mask.height == 0) return out;
  const float sx = static_cast<float>(mask.width) / width, sy = static_cast<float>(mask.height) / height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Average the source area under this pixel, sampled on a 4 x 4 grid.
      float sum = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const float u = (x + (i + 0.5f) / 4) * sx - 0.5f, v = (y + (j + 0.5f) / 4) * sy - 0.5f;
          const int u0 = static_cast<int>(std::floor(u)), v0 = static_cast<int>(std::floor(v));
          const float fu = u - u0, fv = v - v0;
          sum += (mask.at(u0, v0) * (1 - fu) + mask.at(u0 + 1, v0) * fu) * (1 - fv) +
                 (mask.at(u0, v0 + 1) * (1 - fu) + mask.at(u0 + 1, v0 + 1) * fu) * fv;
        }
      out.at(x, y) = std::min(sum / 16, 1.0f);
    }
  }
  return out;
}

Mask Dilate(const Mask& mask, float radius) {
  const int r = static_cast<int>(std::ceil(radius));
  Mask out(mask.width + 2 * r, mask.height + 2 * r);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      float best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          const float reach = std::clamp(radius + 0.5f - std::sqrt(static_cast<float>(dx * dx + dy * dy)), 0.0f, 1.0f);
          best = std::max(best, mask.at(x - r + dx, y - r + dy) * reach);
        }
      out.at(x, y) = best;
    }
  return out;
}

void Draw(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader) {
  for (int my = 0; my < mask.height; ++my)
    for (int mx = 0; mx < mask.width; ++mx) {
      const float c = mask.at(mx, my);
      if (c > 0) canvas.blend(x + mx, y + my, shader(x + mx + 0.5f, y + my + 0.5f, c), c);
    }
}

void Draw(Canvas& canvas, const Mask& mask, int x, int y, Color c) { Draw(canvas, mask, x, y, Solid(c)); }

int DrawOutlinedText(Canvas& canvas, const Font& font, const std::string& utf8, int x, int y, Color top,
                     Color bottom, Color outlineColor, float outline) {
  const TextMask text = font.render(utf8);
  const Mask ring = Dilate(text.mask, outline + 0.5f);
  const int r = (ring.width - text.mask.width) / 2;
  Draw(canvas, ring, x, y, outlineColor);
  const float y0 = static_cast<float>(y + r), y1 = static_cast<float>(y + r + text.mask.height);
  Draw(canvas, text.mask, x + r, y + r, LinearGradient({0, y0}, {0, y1}, {{0, top}, {1, bottom}}));
  return ring.width;
}

}  // namespace paint
