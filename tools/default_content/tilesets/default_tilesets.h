// The tilesets this project ships: their tiles, bitmaps, and the map characters designers use for them.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "content/bitmap_file.h"
#include "content/tileset_file.h"

// A finished tileset: the records, the bitmap they point into, and a character for the first tile of each run.
struct DesignedTileSet {
  std::string fileName;  // the ".sft" name; the bitmap is the same name ending in "bmp"
  TileSet tileSet;
  Bitmap bitmap;
  std::map<char, std::int32_t> legend;
};

const std::vector<DesignedTileSet>& DesignedTileSets();
// The fixed legend of a shipped tileset, or nullptr for any other tileset name.
const std::map<char, std::int32_t>* FixedLegendOf(std::string_view tilesetFileName);

constexpr int DesignedTileRows = 16;  // cell rows of every shipped bitmap
