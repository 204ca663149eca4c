// The layout of the bitmap font "font1.bmp": where each character's glyph lies. The game draws text from
// these boxes and the default-content tool draws the letters into them, so both read this one table.
#pragma once
#include <array>
#include <cstdint>

struct FontGlyphBox {
  char code;
  std::int16_t x, y, width, height;
};

// Capitals and punctuation share the strip at y = 0; digits, lower case and the slash the strip below it.
constexpr std::int16_t FontCapitalHeight = 29;
constexpr std::int16_t FontLowerRow = 29;
constexpr std::int16_t FontLowerHeight = 33;

// The double quote and the apostrophe share one box.
inline constexpr std::array<FontGlyphBox, 74> FontGlyphBoxes = {{
    {'!', 520, 0, 8, FontCapitalHeight}, {'"', 634, 0, 6, FontCapitalHeight}, {'&', 528, 0, 22, FontCapitalHeight},
    {'\'', 634, 0, 6, FontCapitalHeight}, {'(', 564, 0, 11, FontCapitalHeight}, {')', 575, 0, 11, FontCapitalHeight},
    {'*', 550, 0, 14, FontCapitalHeight}, {',', 598, 0, 9, FontCapitalHeight}, {'-', 586, 0, 12, FontCapitalHeight},
    {'.', 607, 0, 9, FontCapitalHeight}, {'?', 616, 0, 14, FontCapitalHeight}, {'A', 0, 0, 22, FontCapitalHeight},
    {'B', 22, 0, 18, FontCapitalHeight}, {'C', 40, 0, 19, FontCapitalHeight}, {'D', 59, 0, 20, FontCapitalHeight},
    {'E', 79, 0, 18, FontCapitalHeight}, {'F', 97, 0, 18, FontCapitalHeight}, {'G', 115, 0, 22, FontCapitalHeight},
    {'H', 137, 0, 21, FontCapitalHeight}, {'I', 158, 0, 7, FontCapitalHeight}, {'J', 165, 0, 17, FontCapitalHeight},
    {'K', 182, 0, 20, FontCapitalHeight}, {'L', 202, 0, 17, FontCapitalHeight}, {'M', 219, 0, 25, FontCapitalHeight},
    {'N', 244, 0, 20, FontCapitalHeight}, {'O', 264, 0, 23, FontCapitalHeight}, {'P', 287, 0, 18, FontCapitalHeight},
    {'Q', 305, 0, 25, FontCapitalHeight}, {'R', 330, 0, 19, FontCapitalHeight}, {'S', 349, 0, 17, FontCapitalHeight},
    {'T', 366, 0, 22, FontCapitalHeight}, {'U', 388, 0, 20, FontCapitalHeight}, {'V', 408, 0, 23, FontCapitalHeight},
    {'W', 431, 0, 29, FontCapitalHeight}, {'X', 460, 0, 20, FontCapitalHeight}, {'Y', 480, 0, 21, FontCapitalHeight},
    {'Z', 501, 0, 19, FontCapitalHeight}, {'/', 0, FontLowerRow, 14, FontLowerHeight}, {'0', 168, FontLowerRow, 19, FontLowerHeight},
    {'1', 14, FontLowerRow, 11, FontLowerHeight}, {'2', 25, FontLowerRow, 17, FontLowerHeight}, {'3', 42, FontLowerRow, 17, FontLowerHeight},
    {'4', 59, FontLowerRow, 20, FontLowerHeight}, {'5', 79, FontLowerRow, 17, FontLowerHeight}, {'6', 96, FontLowerRow, 18, FontLowerHeight},
    {'7', 114, FontLowerRow, 18, FontLowerHeight}, {'8', 132, FontLowerRow, 18, FontLowerHeight}, {'9', 150, FontLowerRow, 18, FontLowerHeight},
    {'a', 187, FontLowerRow, 18, FontLowerHeight}, {'b', 205, FontLowerRow, 18, FontLowerHeight}, {'c', 223, FontLowerRow, 17, FontLowerHeight},
    {'d', 240, FontLowerRow, 19, FontLowerHeight}, {'e', 259, FontLowerRow, 19, FontLowerHeight}, {'f', 278, FontLowerRow, 14, FontLowerHeight},
    {'g', 292, FontLowerRow, 18, FontLowerHeight}, {'h', 310, FontLowerRow, 18, FontLowerHeight}, {'i', 328, FontLowerRow, 9, FontLowerHeight},
    {'j', 337, FontLowerRow, 12, FontLowerHeight}, {'k', 349, FontLowerRow, 17, FontLowerHeight}, {'l', 366, FontLowerRow, 8, FontLowerHeight},
    {'m', 374, FontLowerRow, 26, FontLowerHeight}, {'n', 400, FontLowerRow, 17, FontLowerHeight}, {'o', 417, FontLowerRow, 18, FontLowerHeight},
    {'p', 435, FontLowerRow, 18, FontLowerHeight}, {'q', 454, FontLowerRow, 18, FontLowerHeight}, {'r', 472, FontLowerRow, 14, FontLowerHeight},
    {'s', 486, FontLowerRow, 14, FontLowerHeight}, {'t', 500, FontLowerRow, 14, FontLowerHeight}, {'u', 514, FontLowerRow, 18, FontLowerHeight},
    {'v', 532, FontLowerRow, 19, FontLowerHeight}, {'w', 551, FontLowerRow, 27, FontLowerHeight}, {'x', 578, FontLowerRow, 19, FontLowerHeight},
    {'y', 597, FontLowerRow, 19, FontLowerHeight}, {'z', 616, FontLowerRow, 18, FontLowerHeight},
}};
