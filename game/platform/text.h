// Bitmap-font text from "font1.bmp": the glyph table, drawing and measuring.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

// The glyph of a character code 0..122; all zero for codes without one and outside the table.
Glyph GlyphOf(int code);
// Draws with the game's font picture (Text::gameFontImage).
void DrawText(Platform& platform, const std::string& text, float x, float y);
// Draws with the front end's font picture (Text::menuFontImage).
void DrawMenuText(Platform& platform, const std::string& text, float x, float y);
// Width in pixels; an empty string measures -1.
std::int32_t TextWidth(const std::string& text);
// The text when it is at most maxWidth pixels wide; otherwise "..." and as much of its end as fits, so the end
// of a long path (the file's name and what went wrong) stays readable.
std::string TextEndThatFits(const std::string& text, std::int32_t maxWidth);
// The text when it is at most maxWidth pixels wide; otherwise as much of its start as fits, then "...".
std::string TextStartThatFits(const std::string& text, std::int32_t maxWidth);
// The x at which the text is centred on the screen.
float CentredTextX(const std::string& text);
// DrawText and DrawMenuText centred on the screen.
void DrawCentredText(Platform& platform, const std::string& text, float y);
void DrawCentredMenuText(Platform& platform, const std::string& text, float y);
// "Paused", centred.
void DrawPausedText(Platform& platform);
