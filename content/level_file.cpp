// Level files: four side flags, two fixed-width names and the 21 x 31 brick grid.
#include "content/level_file.h"

#include "content/byte_io.h"
#include "content/names.h"

namespace {

bool CheckName(std::string_view what, const std::string& name, std::string& problem) {
  if (IsPlainFileName(name)) return true;
  problem = std::string(what) + " \"" + name + "\" is not a plain file name";
  return false;
}

// The name as a reader will see it after the writer cut it to the fixed width.
std::string StoredName(std::string_view name) {
  return TrimTrailingSpaces(name.substr(0, std::min<std::size_t>(name.size(), FixedTextLength)));
}

}  // namespace

bool DecodeLevel(const Bytes& bytes, Level& out, std::string& problem) {
  if (bytes.size() != LevelFileSize) {
    problem = "a level file holds " + std::to_string(LevelFileSize) + " bytes, this one " + std::to_string(bytes.size());
    return false;
  }
  ByteReader reader(bytes);
  Level level;
  for (int side = Bottom; side <= Left; ++side) level.guardedSides[side] = reader.i16();
  level.tilesetName = TrimTrailingSpaces(reader.text(FixedTextLength));
  level.backgroundName = TrimTrailingSpaces(reader.text(FixedTextLength));
  for (int r = 0; r < GridRows; ++r)
    for (int c = 0; c < GridColumns; ++c) level.brickGrid[c][r] = reader.i32();
  if (!CheckName("tileset name", level.tilesetName, problem) ||
      !CheckName("background name", level.backgroundName, problem))
    return false;
  out = std::move(level);
  return true;
}

bool EncodeLevel(const Level& level, Bytes& out, std::string& problem) {
  if (!CheckName("tileset name", StoredName(level.tilesetName), problem) ||
      !CheckName("background name", StoredName(level.backgroundName), problem))
    return false;
  Bytes bytes;
  bytes.reserve(LevelFileSize);
  ByteWriter writer(bytes);
  for (int side = Bottom; side <= Left; ++side) writer.i16(level.guardedSides[side]);
  writer.fixedText(level.tilesetName, FixedTextLength);
  writer.fixedText(level.backgroundName, FixedTextLength);
  for (int r = 0; r < GridRows; ++r)
    for (int c = 0; c < GridColumns; ++c) writer.i32(level.brickGrid[c][r]);
  out = std::move(bytes);
  return true;
}

bool ReadLevelFile(const std::filesystem::path& path, Level& out, std::string& error) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, error, LevelFileSize)) return false;
  std::string problem;
  if (!DecodeLevel(bytes, out, problem)) {
    error = FileError(path, problem);
    return false;
  }
  return true;
}

bool WriteLevelFile(const std::filesystem::path& path, const Level& level, std::string& error) {
  Bytes bytes;
  std::string problem;
  if (!EncodeLevel(level, bytes, problem)) {
    error = FileError(path, problem);
    return false;
  }
  return WriteFileAtomically(path, bytes, error);
}
