// Level files: four side flags, two fixed-width names and the 21 x 31 brick grid.
#include "content/level_file.h"

#include <type_traits>

#include "content/byte_io.h"
#include "content/names.h"

namespace {

// The name as a reader will see it after the writer cut it to the fixed width.
std::string StoredName(std::string_view name) {
  return TrimTrailingSpaces(name.substr(0, std::min<std::size_t>(name.size(), FixedTextLength)));
}

// "tilesetName" as the words "tileset name", for messages.
std::string Words(std::string_view fieldName) {
  std::string words;
  for (char c : fieldName) {
    if (c >= 'A' && c <= 'Z') words += ' ';
    words += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return words;
}

// Every name must read back as a plain file name.
bool CheckNames(const Level& level, std::string& problem) {
  bool ok = true;
  VisitLevelFields(level, [&](const char* field, const auto& value) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, std::string>) {
      const std::string name = StoredName(value);
      if (!ok || IsPlainFileName(name)) return;
      problem = Words(field) + " \"" + name + "\" is not a plain file name";
      ok = false;
    }
  });
  return ok;
}

void Read(ByteReader& reader, GuardedSides& sides) {
  for (int side = Bottom; side <= Left; ++side) sides[side] = reader.i16();
}
void Read(ByteReader& reader, std::string& name) { name = TrimTrailingSpaces(reader.text(FixedTextLength)); }
void Read(ByteReader& reader, BrickGrid& grid) {
  for (int r = 0; r < GridRows; ++r)
    for (int c = 0; c < GridColumns; ++c) grid[c][r] = reader.i32();
}

void Write(ByteWriter& writer, const GuardedSides& sides) {
  for (int side = Bottom; side <= Left; ++side) writer.i16(sides[side]);
}
void Write(ByteWriter& writer, const std::string& name) { writer.fixedText(name, FixedTextLength); }
void Write(ByteWriter& writer, const BrickGrid& grid) {
  for (int r = 0; r < GridRows; ++r)
    for (int c = 0; c < GridColumns; ++c) writer.i32(grid[c][r]);
}

}  // namespace

bool DecodeLevel(const Bytes& bytes, Level& out, std::string& problem) {
  if (bytes.size() != LevelFileSize) {
    problem = "a level file holds " + std::to_string(LevelFileSize) + " bytes, this one " + std::to_string(bytes.size());
    return false;
  }
  ByteReader reader(bytes);
  Level level;
  VisitLevelFields(level, [&reader](const char*, auto& field) { Read(reader, field); });
  if (!CheckNames(level, problem)) return false;
  out = std::move(level);
  return true;
}

bool EncodeLevel(const Level& level, Bytes& out, std::string& problem) {
  if (!CheckNames(level, problem)) return false;
  Bytes bytes;
  bytes.reserve(LevelFileSize);
  ByteWriter writer(bytes);
  VisitLevelFields(level, [&writer](const char*, const auto& field) { Write(writer, field); });
  out = std::move(bytes);
  return true;
}

bool ReadLevelFile(const std::filesystem::path& path, Level& out, std::string& error) {
  return ReadDecoded(path, {LevelFileSize}, error,
                     [&out](const Bytes& bytes, std::string& problem) { return DecodeLevel(bytes, out, problem); });
}

bool WriteLevelFile(const std::filesystem::path& path, const Level& level, std::string& error) {
  return WriteEncoded(path, error,
                      [&level](Bytes& bytes, std::string& problem) { return EncodeLevel(level, bytes, problem); });
}
