// The JSON form of every content file, for dumping files to text and packing text back into files.
#pragma once
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

// Which format a file name selects: ".sft", ".sfl", ".sfs", ".sfh" or "config.bin"; empty when none.
std::string ContentTypeOf(const std::filesystem::path& path);

// Reads the file and describes it as JSON; false with `error` set on an unknown or damaged file.
bool DumpContentFile(const std::filesystem::path& path, Json& out, std::string& error);
// Writes the file that `description` describes; false with `error` set when the description is invalid.
bool PackContentFile(const Json& description, const std::filesystem::path& path, std::string& error);

// Indented JSON in which lists and nested records of plain values (a grid row, a tile) stay on one line.
std::string FormatJson(const Json& json);

// Names in files are 8-bit text; JSON wants UTF-8. Bytes 0x80-0xFF map to U+0080-U+00FF and back.
std::string BytesToUtf8(const std::string& bytes);
// False when the text holds a character above U+00FF or is not valid UTF-8.
bool Utf8ToBytes(const std::string& text, std::string& bytes);
