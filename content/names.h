// File-name and fixed-width text rules shared by the game, the editor and the tools.
#pragma once
#include <string>
#include <string_view>

// The text after the last backslash or slash; empty when the path holds neither.
std::string FileNameOf(std::string_view path);
// The text without its trailing blanks; empty when it holds nothing else.
std::string TrimTrailingSpaces(std::string_view text);
// True for a bare file name: not empty, no folder separator, not "." or "..", no ".." inside.
bool IsPlainFileName(std::string_view name);
// Replaces the last three characters (the tileset/score naming rule: "x.bmp" <-> "x.sft").
std::string ReplaceLastThree(std::string_view name, std::string_view replacement);
// Names in files are 8-bit text; JSON wants UTF-8. Bytes 0x80-0xFF map to U+0080-U+00FF and back.
std::string BytesToUtf8(std::string_view bytes);
// False when the text holds a character above U+00FF or is not valid UTF-8.
bool Utf8ToBytes(std::string_view text, std::string& bytes);
// True for well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsUtf8(std::string_view text);
