// Bitmap-font text from "font1.bmp": the glyph table, drawing and measuring.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

struct Game;

// The glyph of a character code 0..122; all zero for codes without one and outside the table.
Glyph GlyphOf(int code);
// Draws with the game's font picture (Text::gameFontImage).
void DrawText(Game& game, const std::string& text, float x, float y);
// Draws with the front end's font picture (Text::menuFontImage).
void DrawMenuText(Game& game, const std::string& text, float x, float y);
// Width in pixels; an empty string measures -1.
std::int32_t TextWidth(const std::string& text);
// "Paused", centred.
void DrawPausedText(Game& game);
