// The JSON form of every content file, for dumping files to text and packing text back into files.
#pragma once
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "content/names.h"  // BytesToUtf8, Utf8ToBytes: how names appear in JSON

using Json = nlohmann::ordered_json;

// Which format a file name selects: ".sft", ".sfl", ".sfs", ".sfh" or "config.bin"; empty when none.
std::string ContentTypeOf(const std::filesystem::path& path);

// Reads the file and describes it as JSON; false with `error` set on an unknown or damaged file.
bool DumpContentFile(const std::filesystem::path& path, Json& out, std::string& error);
// Writes the file that `description` describes; false with `error` set when the description is invalid.
bool PackContentFile(const Json& description, const std::filesystem::path& path, std::string& error);

// Indented JSON in which lists and nested records of plain values (a grid row, a tile) stay on one line.
std::string FormatJson(const Json& json);
