// Tileset files: reading with the bitmap-cell bound, writing, and the builder's cell numbering.
#include "content/tileset_file.h"

#include <algorithm>

#include "content/byte_io.h"

namespace {

constexpr std::size_t RecordSize = TileRecordSize();

TileDef ReadRecord(ByteReader& reader) {
  TileDef tile;
  VisitTileFields(tile, [&reader](const char*, auto& field) { reader.read(field); });
  return tile;
}

void WriteRecord(ByteWriter& writer, const TileDef& tile) {
  VisitTileFields(tile, [&writer](const char*, const auto& field) { writer.write(field); });
}

bool ReadTileSetFileBounded(const std::filesystem::path& path, std::int64_t maxRecords, TileSet& out,
                            std::string& error) {
  return ReadDecoded(path, {}, error, [&](const Bytes& bytes, std::string& problem) {
    return DecodeTileSet(bytes, maxRecords, out, problem);
  });
}

}  // namespace

int ImageXOfTile(int tileNumber, int cellRows) {
  if (tileNumber < 1 || cellRows < 1) return 0;
  return (tileNumber - 1) / cellRows * TileWidth;
}

int ImageYOfTile(int tileNumber, int cellRows) {
  if (tileNumber < 1 || cellRows < 1) return 0;
  return (tileNumber - 1) % cellRows * TileHeight;
}

bool ContinuesBrickBefore(const std::vector<TileDef>& tiles, std::size_t n) {
  if (n < 2 || n >= tiles.size()) return false;
  const TileDef& before = tiles[n - 1];
  const TileDef& tile = tiles[n];
  if (tile.hitCount <= 1 || tile.hitCount != before.hitCount) return false;
  const bool laterFrame = tile.frameCount > 1 && tile.frameNumber > 1;
  return tile.hitStage == before.hitStage + (laterFrame ? 0 : 1);
}

bool IsOrphanStage(const std::vector<TileDef>& tiles, std::size_t n) {
  if (n >= tiles.size()) return false;
  const TileDef& tile = tiles[n];
  return tile.hitStage > 1 && tile.hitStage <= tile.hitCount && !ContinuesBrickBefore(tiles, n);
}

bool DecodeTileSet(const Bytes& bytes, std::int64_t maxRecords, TileSet& out, std::string& problem) {
  ByteReader reader(bytes);
  std::int32_t count = reader.i32();
  if (!reader.ok()) {
    problem = "too short to hold a tile count (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  if (count < 0 || count > MaxTileCount) {
    problem = "impossible tile count " + std::to_string(count);
    return false;
  }
  // A count beyond the bitmap's cells is allowed: the records past them stay zero.
  std::int64_t toRead = maxRecords < 0 ? count : std::min<std::int64_t>(count, maxRecords);
  if (reader.remaining() < static_cast<std::uint64_t>(toRead) * RecordSize) {
    problem = "truncated: " + std::to_string(toRead) + " tile records needed, only " +
              std::to_string(reader.remaining() / RecordSize) + " present";
    return false;
  }
  TileSet tileSet;
  tileSet.tileCount = count;
  tileSet.tiles.assign(static_cast<std::size_t>(count) + 1, TileDef{});
  for (std::int64_t n = 1; n <= toRead; ++n) tileSet.tiles[static_cast<std::size_t>(n)] = ReadRecord(reader);
  out = std::move(tileSet);
  return true;
}

bool EncodeTileSet(const TileSet& tileSet, Bytes& out, std::string& problem) {
  if (tileSet.tileCount < 0 || tileSet.tileCount > MaxTileCount ||
      tileSet.tiles.size() < static_cast<std::size_t>(tileSet.tileCount) + 1) {
    problem = "tile count " + std::to_string(tileSet.tileCount) + " does not match the " +
              std::to_string(tileSet.tiles.empty() ? 0 : tileSet.tiles.size() - 1) + " tiles held";
    return false;
  }
  Bytes bytes;
  bytes.reserve(4 + RecordSize * static_cast<std::size_t>(tileSet.tileCount));
  ByteWriter writer(bytes);
  writer.i32(tileSet.tileCount);
  for (std::int32_t n = 1; n <= tileSet.tileCount; ++n) WriteRecord(writer, tileSet.tiles[static_cast<std::size_t>(n)]);
  out = std::move(bytes);
  return true;
}

bool ReadTileSetFile(const std::filesystem::path& path, int cellColumns, int cellRows, TileSet& out,
                     std::string& error) {
  std::int64_t cells = std::int64_t{std::max(cellColumns, 0)} * std::max(cellRows, 0);
  return ReadTileSetFileBounded(path, cells, out, error);
}

bool ReadTileSetFile(const std::filesystem::path& path, TileSet& out, std::string& error) {
  return ReadTileSetFileBounded(path, AllRecords, out, error);
}

bool WriteTileSetFile(const std::filesystem::path& path, const TileSet& tileSet, std::string& error) {
  return WriteEncoded(path, error,
                      [&tileSet](Bytes& bytes, std::string& problem) { return EncodeTileSet(tileSet, bytes, problem); });
}
