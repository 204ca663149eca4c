// Sorting a tileset's tiles into whole runs by kind, hits and animation.
#include "content/tile_palette.h"

#include <algorithm>

namespace {

std::int32_t UsableCount(const TileSet& tileSet) {
  return std::clamp<std::int32_t>(tileSet.tileCount, 0, static_cast<std::int32_t>(tileSet.tiles.size()) - 1);
}

// The run that starts at `first`: `length` tiles, each the `step`-th of it by `stepOf`, all alike by `alike`.
template <typename StepOf, typename Alike>
bool WholeRun(const TileSet& tileSet, std::int32_t first, std::int32_t length, StepOf stepOf, Alike alike) {
  if (length < 1 || first + length - 1 > UsableCount(tileSet)) return false;
  const TileDef& head = tileSet.tiles[first];
  for (std::int32_t step = 1; step <= length; ++step) {
    const TileDef& tile = tileSet.tiles[first + step - 1];
    if (stepOf(tile) != step || !alike(head, tile)) return false;
  }
  return true;
}

// Play steps a multi-hit brick through its later stages and an animated one through its frames: both must be there.
bool WholeDamageRun(const TileSet& tileSet, std::int32_t first) {
  return WholeRun(tileSet, first, tileSet.tiles[first].hitCount, [](const TileDef& t) { return t.hitStage; },
                  [](const TileDef& a, const TileDef& b) {
                    return b.kind == a.kind && b.hitCount == a.hitCount && b.frameCount == 1;
                  });
}

// Only one-hit bricks are taken animated: a cell cannot both step through frames and stages.
bool WholeAnimation(const TileSet& tileSet, std::int32_t first) {
  return WholeRun(tileSet, first, tileSet.tiles[first].frameCount, [](const TileDef& t) { return t.frameNumber; },
                  [](const TileDef& a, const TileDef& b) {
                    return b.kind == a.kind && b.frameCount == a.frameCount &&
                           (b.kind != Hittable || (b.hitCount == 1 && b.hitStage == 1));
                  });
}

bool WholeFrom(const TileSet& tileSet, std::int32_t tile) {
  const TileDef& def = tileSet.tiles[tile];
  if (def.frameCount > 1) return WholeAnimation(tileSet, tile);
  if (def.frameCount != 1 || def.frameNumber != 1) return false;
  return def.kind != Hittable || WholeDamageRun(tileSet, tile);
}

void Sort(TilePalette& palette, const TileSet& tileSet, std::int32_t tile) {
  if (!WholeFrom(tileSet, tile)) return;
  const TileDef& def = tileSet.tiles[tile];
  const bool animated = def.frameCount > 1;
  if (def.kind == Hittable) {
    (animated ? palette.gems : def.hitCount > 1 ? palette.strong : palette.plain).push_back(tile);
  } else if (def.kind == Indestructible) {
    (animated ? palette.glowingMetal : palette.metal).push_back(tile);
  } else if (def.kind == GoThrough) {
    palette.ghosts.push_back(tile);
  } else if (def.kind == Dynamite) {
    palette.fuses.push_back(tile);
  } else if (IsShooter(def.kind) && !animated && palette.shooters[def.kind] == 0) {
    palette.shooters[def.kind] = tile;
  }
}

}  // namespace

TilePalette ReadTilePalette(const TileSet& tileSet) {
  TilePalette palette;
  for (std::int32_t tile = 1; tile <= UsableCount(tileSet); ++tile) Sort(palette, tileSet, tile);
  return palette;
}
