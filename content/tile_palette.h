// A tileset's tiles sorted by what a generated level builds with: each entry is the first tile of a whole run
// (every damage stage and every animation frame in the tileset, in order), so play can step through it.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "content/brick_kinds.h"
#include "content/tileset_file.h"

struct TilePalette {
  std::vector<std::int32_t> plain;   // Hittable, one hit, still
  std::vector<std::int32_t> strong;  // Hittable, two hits or more, still
  std::vector<std::int32_t> gems;    // Hittable, one hit, animated
  std::vector<std::int32_t> metal;   // Indestructible, still
  std::vector<std::int32_t> glowingMetal;  // Indestructible, animated
  std::vector<std::int32_t> ghosts;  // GoThrough, still or animated
  std::vector<std::int32_t> fuses;   // Dynamite, still or animated
  std::array<std::int32_t, ShooterLast + 1> shooters{};  // by shooter code: its first tile, 0 when none
};

// Every tile in tileset order; tiles past tileCount (or past the records) are not used.
TilePalette ReadTilePalette(const TileSet& tileSet);
