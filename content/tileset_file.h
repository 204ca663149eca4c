// Tileset files (".sft"): the TileDef records of a tileset bitmap's 32 x 16 cells.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "content/brick_kinds.h"
#include "content/file_io.h"

constexpr int TileWidth = 32;
constexpr int TileHeight = 16;

struct TileDef {
  std::int32_t kind = 0;
  std::int32_t frameCount = 0;
  std::int32_t frameNumber = 0;
  std::int32_t hitCount = 0;
  std::int32_t hitStage = 0;
  std::int32_t imageX = 0;
  std::int32_t imageY = 0;
  bool operator==(const TileDef&) const = default;
};

// The fields of a tile record in their file order, each with its name: the one list the file and JSON follow.
template <typename Record, typename Visit>
constexpr void VisitTileFields(Record& tile, Visit&& visit) {
  visit("kind", tile.kind);
  visit("frameCount", tile.frameCount);
  visit("frameNumber", tile.frameNumber);
  visit("hitCount", tile.hitCount);
  visit("hitStage", tile.hitStage);
  visit("imageX", tile.imageX);
  visit("imageY", tile.imageY);
}

constexpr int TileRecordSize() {
  TileDef tile;
  int bytes = 0;
  VisitTileFields(tile, [&bytes](const char*, const auto& field) { bytes += sizeof field; });
  return bytes;
}
static_assert(TileRecordSize() == 28, "a stored tile record is seven 32-bit numbers");

struct TileSet {
  std::int32_t tileCount = 0;
  std::vector<TileDef> tiles;  // indexed 1 .. tileCount; tiles[0] is unused
};

// Largest tile count a reader accepts; a larger count is a damaged file.
constexpr std::int32_t MaxTileCount = 65536;

// Reads a tileset for a bitmap of cellColumns x cellRows cells: at most min(N, columns x rows) records are
// read, the rest stay zero. `out` is only changed on success.
bool ReadTileSetFile(const std::filesystem::path& path, int cellColumns, int cellRows, TileSet& out,
                     std::string& error);
// Reads every record the file holds (for tools that have no bitmap at hand).
bool ReadTileSetFile(const std::filesystem::path& path, TileSet& out, std::string& error);
// Writes tileCount and records 1 .. tileCount, atomically.
bool WriteTileSetFile(const std::filesystem::path& path, const TileSet& tileSet, std::string& error);
// The cell numbering of the builder: tile n of a bitmap with `cellRows` rows of cells.
int ImageXOfTile(int tileNumber, int cellRows);
int ImageYOfTile(int tileNumber, int cellRows);
// Whether tile n of records 1 .. tiles.size() - 1 carries on the brick of tile n - 1: its next damage stage, or a
// later frame of it at the same stage.
bool ContinuesBrickBefore(const std::vector<TileDef>& tiles, std::size_t n);
// A later damage stage that carries on no brick: play would never reach it, and its stage 1 is gone.
bool IsOrphanStage(const std::vector<TileDef>& tiles, std::size_t n);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
// maxRecords is the bitmap's cell count, or AllRecords to read every record the file holds.
constexpr std::int64_t AllRecords = -1;
bool DecodeTileSet(const Bytes& bytes, std::int64_t maxRecords, TileSet& out, std::string& problem);
// Refuses a negative tileCount or one beyond the records in `tiles`.
bool EncodeTileSet(const TileSet& tileSet, Bytes& out, std::string& problem);
